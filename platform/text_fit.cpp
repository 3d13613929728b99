#include "platform/text_fit.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QWidget>
#include <algorithm>

namespace {

// The width a text takes on screen, without the marks of its mnemonic.
int TextWidth(const QWidget& control, QString text) {
  text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
  text.remove('&');
  text.replace(QChar(1), '&');
  int widest = 0;
  for (const QString& line : text.split('\n')) widest = std::max(widest, control.fontMetrics().horizontalAdvance(line));
  return widest;
}

struct TextNeed {
  QString text;
  QSize size;  // An empty size for controls without a text.
};

TextNeed NeedOf(const QWidget& widget) {
  if (const auto* button = qobject_cast<const QPushButton*>(&widget)) {
    // The button's frame on both sides.
    const int frame = 2 * widget.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, &widget);
    if (button->text().isEmpty()) return {};
    return {button->text(), QSize(TextWidth(widget, button->text()) + frame, 0)};
  }
  if (qobject_cast<const QCheckBox*>(&widget) != nullptr || qobject_cast<const QRadioButton*>(&widget) != nullptr) {
    const QString text = static_cast<const QAbstractButton&>(widget).text();
    if (text.isEmpty()) return {};
    return {text, QSize(widget.sizeHint().width(), 0)};
  }
  if (const auto* label = qobject_cast<const QLabel*>(&widget)) {
    if (label->text().isEmpty() || label->wordWrap()) return {};
    return {label->text(), label->sizeHint()};
  }
  if (const auto* group = qobject_cast<const QGroupBox*>(&widget)) {
    if (group->title().isEmpty()) return {};
    // The title starts a little in from the frame's corner and leaves room
    // for the frame's line on the right.
    return {group->title(), QSize(TextWidth(widget, group->title()) + 2 * widget.fontMetrics().averageCharWidth(), 0)};
  }
  return {};
}

bool IsCutOff(const QWidget& widget, const TextNeed& need) {
  return !need.text.isEmpty() && (need.size.width() > widget.width() || need.size.height() > widget.height());
}

// Whether two controls share rows.
bool SameRows(const QRect& a, const QRect& b) { return a.top() <= b.bottom() && b.top() <= a.bottom(); }

}  // namespace

QStringList TextsCutOff(const QWidget& window) {
  QStringList cut;
  for (const QWidget* widget : window.findChildren<QWidget*>()) {
    const TextNeed need = NeedOf(*widget);
    if (IsCutOff(*widget, need)) cut << need.text;
  }
  return cut;
}

void WidenIntoFreeRoom(QWidget& window) {
  for (QWidget* widget : window.findChildren<QWidget*>()) {
    const TextNeed need = NeedOf(*widget);
    if (!IsCutOff(*widget, need) || widget->parentWidget() == nullptr) continue;
    const QWidget& parent = *widget->parentWidget();
    QRect place = widget->geometry();
    int rightEnd = parent.width() - 1;
    int leftEnd = 0;
    for (const QWidget* other : parent.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
      const QRect near = other->geometry();
      if (other == widget || other->isWindow() || !SameRows(place, near)) continue;
      if (near.left() > place.right()) rightEnd = std::min(rightEnd, near.left() - 1);
      if (near.right() < place.left()) leftEnd = std::max(leftEnd, near.right() + 1);
    }
    const int missing = need.size.width() - place.width();
    const int toRight = std::clamp(rightEnd - place.right(), 0, missing);
    const int toLeft = std::clamp(place.left() - leftEnd, 0, missing - toRight);
    place.adjust(-toLeft, 0, toRight, 0);
    widget->setGeometry(place);
  }
}

void WidenRowToFit(const QList<QWidget*>& row) {
  int shift = 0;
  for (QWidget* widget : row) {
    QRect place = widget->geometry().translated(shift, 0);
    const TextNeed need = NeedOf(*widget);
    if (IsCutOff(*widget, need)) {
      shift += need.size.width() - place.width();
      place.setWidth(need.size.width());
    }
    widget->setGeometry(place);
  }
}
