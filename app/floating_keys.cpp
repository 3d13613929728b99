#include "app/floating_keys.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMainWindow>

#include "app/main_window.h"
#include "canvas/floating_paste.h"
#include "model/tab_lifecycle.h"

namespace {

constexpr int SHIFT_STEP = 8;

class FloatingKeyFilter : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride) return false;
    if (!FloatingActive(CurrentTab())) return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr || mainWindows.main == nullptr || widget->window() != mainWindows.main) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    const int step = (key->modifiers() & Qt::ShiftModifier) != 0 ? SHIFT_STEP : 1;
    int dx = 0;
    int dy = 0;
    switch (key->key()) {
      case Qt::Key_Left: dx = -step; break;
      case Qt::Key_Right: dx = step; break;
      case Qt::Key_Up: dy = -step; break;
      case Qt::Key_Down: dy = step; break;
      case Qt::Key_Return:
      case Qt::Key_Enter:
      case Qt::Key_Escape: break;
      default: return false;
    }
    // Asked first whether the key is a shortcut, the block claims it, so
    // that it comes as a key press.
    if (event->type() == QEvent::ShortcutOverride) {
      event->accept();
      return true;
    }
    if (key->key() == Qt::Key_Escape) {
      CancelFloating();
    } else if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
      CommitFloating();
    } else {
      MoveFloating(dx, dy);
    }
    return true;
  }
};

}  // namespace

void InstallFloatingKeys() {
  static FloatingKeyFilter* filter = nullptr;
  if (filter != nullptr) return;
  filter = new FloatingKeyFilter(qApp);
  qApp->installEventFilter(filter);
}
