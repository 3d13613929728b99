#include "app/deferred_style_icons.h"

#include <QApplication>
#include <QIconEngine>
#include <QPainter>
#include <QProxyStyle>

namespace {

// An icon that asks the style for the real one the first time it is needed.
class DeferredIconEngine : public QIconEngine {
 public:
  DeferredIconEngine(const QStyle* style, QStyle::StandardPixmap which) : style_(style), which_(which) {}

  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
    Real().paint(painter, rect, Qt::AlignCenter, mode, state);
  }
  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    return Real().pixmap(size, mode, state);
  }
  QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal scale) override {
    return Real().pixmap(size, scale, mode, state);
  }
  QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    return Real().actualSize(size, mode, state);
  }
  QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
    return Real().availableSizes(mode, state);
  }
  // Asking whether there is an icon must not read it.
  bool isNull() override { return false; }
  QString key() const override { return QStringLiteral("QuilletDeferredStyleIcon"); }
  QIconEngine* clone() const override {
    auto* copy = new DeferredIconEngine(style_, which_);
    copy->real_ = real_;
    copy->loaded_ = loaded_;
    return copy;
  }

 private:
  const QIcon& Real() {
    if (!loaded_) {
      real_ = style_->standardIcon(which_);
      loaded_ = true;
    }
    return real_;
  }

  const QStyle* style_;
  QStyle::StandardPixmap which_;
  QIcon real_;
  bool loaded_ = false;
};

class DeferredIconStyle : public QProxyStyle {
 public:
  // The proxy's base is the style the application would have had.
  DeferredIconStyle() = default;

  QIcon standardIcon(StandardPixmap which, const QStyleOption* option, const QWidget* widget) const override {
    if (which == SP_ToolBarHorizontalExtensionButton || which == SP_ToolBarVerticalExtensionButton)
      return QIcon(new DeferredIconEngine(baseStyle(), which));
    return QProxyStyle::standardIcon(which, option, widget);
  }
};

}  // namespace

void InstallDeferredStyleIcons() {
  // Asking the application for its style would make the default one first.
  static bool installed = false;
  if (installed) return;
  installed = true;
  QApplication::setStyle(new DeferredIconStyle);
}
