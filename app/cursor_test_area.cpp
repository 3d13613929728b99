#include "app/cursor_test_area.h"

#include <QCursor>
#include <QHBoxLayout>
#include <QImage>
#include <QMainWindow>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QWidget>

#include "app/main_window.h"
#include "model/tab_lifecycle.h"
#include "platform/qt_colors.h"
#include "platform/translation.h"
#include "platform/ui_text.h"

namespace {

constexpr int PANE_SIZE = 120;

enum class Ground { Light, Dark, Checkerboard };

// One pane: its background, and the pointer's picture drawn in its middle
// (with a small cross on the hot spot) so that a screenshot shows it too.
class TestPane : public QWidget {
 public:
  TestPane(Ground ground, QWidget* parent) : QWidget(parent), ground_(ground) {
    setFixedSize(PANE_SIZE, PANE_SIZE);
    setObjectName(ground == Ground::Light ? QStringLiteral("cursorTestLight")
                  : ground == Ground::Dark ? QStringLiteral("cursorTestDark")
                                           : QStringLiteral("cursorTestChecker"));
  }

  void Show(const QImage& picture, QPoint hotSpot) {
    picture_ = picture;
    hotSpot_ = hotSpot;
    if (picture.isNull()) {
      unsetCursor();
    } else {
      setCursor(QCursor(QPixmap::fromImage(picture), hotSpot.x(), hotSpot.y()));
    }
    update();
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    switch (ground_) {
      case Ground::Light: painter.fillRect(rect(), QColor(0xF4, 0xF4, 0xF4)); break;
      case Ground::Dark: painter.fillRect(rect(), QColor(0x20, 0x20, 0x20)); break;
      case Ground::Checkerboard:
        for (int y = 0; y < height(); y += 8)
          for (int x = 0; x < width(); x += 8)
            painter.fillRect(x, y, 8, 8, (x / 8 + y / 8) % 2 ? QColor(0x99, 0x99, 0x99) : QColor(0xDD, 0xDD, 0xDD));
        break;
    }
    if (picture_.isNull()) return;
    const QPoint at((width() - picture_.width()) / 2, (height() - picture_.height()) / 2);
    painter.drawImage(at, picture_);
  }

 private:
  Ground ground_;
  QImage picture_;
  QPoint hotSpot_;
};

QPointer<QWidget> window;
TestPane* panes[3] = {};

}  // namespace

QImage CursorPictureOfTab(const ImageTab& tab) {
  QImage picture(tab.width, tab.height, QImage::Format_ARGB32);
  for (int y = 0; y < tab.height; ++y)
    for (int x = 0; x < tab.width; ++x) {
      const PixelCell cell = CellAt(tab, x, y);
      picture.setPixel(x, y,
                       (cell & CELL_MASK_BIT) != 0 ? 0u : ToQColor(tab.palette[cell & CELL_INDEX_BITS]).rgba());
    }
  return picture;
}

void CommandCursorTestArea() {
  if (window == nullptr) {
    window = new QWidget(mainWindows.main, Qt::Tool);
    window->setObjectName(QStringLiteral("cursorTestArea"));
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowTitle(UiText(QT_TRANSLATE_NOOP("Quillet2", "カーソルのテスト")));
    auto* layout = new QHBoxLayout(window);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(6);
    const Ground grounds[3] = {Ground::Light, Ground::Dark, Ground::Checkerboard};
    for (int i = 0; i < 3; ++i) {
      panes[i] = new TestPane(grounds[i], window);
      layout->addWidget(panes[i]);
    }
  }
  RefreshCursorTestArea();
  window->show();
  window->raise();
}

void RefreshCursorTestArea() {
  if (window == nullptr) return;
  const ImageTab* tab = CurrentTab();
  const QImage picture = tab != nullptr ? CursorPictureOfTab(*tab) : QImage();
  const QPoint hotSpot = tab != nullptr ? QPoint(tab->hotSpotX, tab->hotSpotY) : QPoint();
  for (TestPane* pane : panes) pane->Show(picture, hotSpot);
}

QWidget* CursorTestAreaWindow() { return window; }
