#include "platform/dialog_beside.h"

#include <QApplication>
#include <QDialog>
#include <QEventLoop>
#include <QScreen>
#include <algorithm>

#include "platform/modal.h"
#include "platform/translation.h"
#include "platform/window_handles.h"

namespace {

// Swallows the input of everything but the dialog and the usable part.
class InputGate : public QObject {
 public:
  InputGate(QDialog& dialog, QWidget* usable) : dialog_(dialog), usable_(usable) {}

 protected:
  bool eventFilter(QObject* target, QEvent* event) override {
    switch (event->type()) {
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonRelease:
      case QEvent::MouseButtonDblClick:
      case QEvent::MouseMove:
      case QEvent::Wheel:
      case QEvent::KeyPress:
      case QEvent::KeyRelease:
      case QEvent::ShortcutOverride:
      case QEvent::ContextMenu:
      case QEvent::Close:
      // Menu and key shortcuts go to actions, which belong to no window.
      case QEvent::Shortcut:
        return !Allowed(target, event->type());
      default:
        return false;
    }
  }

 private:
  static bool IsMouse(QEvent::Type type) {
    return type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease ||
           type == QEvent::MouseButtonDblClick || type == QEvent::MouseMove || type == QEvent::Wheel;
  }

  bool Allowed(QObject* target, QEvent::Type type) const {
    auto* widget = qobject_cast<QWidget*>(target);
    // The windows pass input on to their widgets, which are judged then;
    // an action's shortcut is the dialog's own or none.
    if (widget == nullptr) return type != QEvent::Shortcut || target->parent() == &dialog_;
    if (widget == &dialog_ || dialog_.isAncestorOf(widget)) return true;
    if (usable_ != nullptr && (widget == usable_ || usable_->isAncestorOf(widget))) {
      // Keys go to the dialog; the usable part takes only the mouse.
      return IsMouse(type);
    }
    // A window opened on top of the dialog (a message, a file dialog) is
    // the user's to answer.
    return widget->window() != windowHandles.main && widget->window()->isModal();
  }

  QDialog& dialog_;
  QWidget* usable_;
};

}  // namespace

int RunDialogBeside(QDialog& dialog, QWidget* usable) {
  if (InstalledModalScript() != nullptr) return RunModalDialog(dialog);
  dialog.setResult(0);
  TranslateWidgetTexts(dialog);
  dialog.setWindowModality(Qt::NonModal);
  InputGate gate(dialog, usable);
  qApp->installEventFilter(&gate);
  QEventLoop loop;
  QObject::connect(&dialog, &QDialog::finished, &loop, &QEventLoop::quit);
  dialog.show();
  dialog.raise();
  dialog.activateWindow();
  loop.exec();
  qApp->removeEventFilter(&gate);
  GiveKeyboardToMainWindow();
  return dialog.result();
}

void PlaceDialogBeside(QWidget& dialog, int left, int top, int right) {
  const QScreen* screen = QGuiApplication::screenAt(QPoint((left + right) / 2, top));
  if (screen == nullptr) screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return;
  const QRect room = screen->availableGeometry();
  const QSize size = dialog.frameGeometry().size();
  const int y = std::clamp(top, room.top(), std::max(room.top(), room.bottom() - size.height()));
  if (right + size.width() <= room.right())
    dialog.move(right + 1, y);
  else if (left - size.width() >= room.left())
    dialog.move(left - size.width(), y);
}
