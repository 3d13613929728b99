#include "platform/window_handles.h"

#include <QWidget>

WindowHandles windowHandles;

void PlaceDialogOverMain(QWidget& dialog) {
  if (windowHandles.main == nullptr) return;
  const QRect main = windowHandles.main->frameGeometry();
  const QSize size = dialog.frameGeometry().size();
  dialog.move(main.left() + main.width() / 2 - size.width() / 2, main.top() + main.height() / 3 - size.height() / 2);
}

void GiveKeyboardToMainWindow() {
  if (windowHandles.main == nullptr) return;
  // Text fields take input methods; every other control may lose the focus.
  const QWidget* focus = windowHandles.main->focusWidget();
  if (focus != nullptr && focus->testAttribute(Qt::WA_InputMethodEnabled)) return;
  // In a window that is not active this only marks the widget to get the
  // focus when the window becomes active again.
  windowHandles.main->setFocus(Qt::OtherFocusReason);
}

void TakeFocusFromBackgroundBox() {
  if (windowHandles.backgroundBox != nullptr && windowHandles.backgroundBox->hasFocus() && windowHandles.main != nullptr)
    windowHandles.main->setFocus();
}
