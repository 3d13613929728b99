#include "platform/window_handles.h"

#include <QWidget>

WindowHandles windowHandles;

void PlaceDialogOverMain(QWidget& dialog) {
  if (windowHandles.main == nullptr) return;
  const QRect main = windowHandles.main->frameGeometry();
  const QSize size = dialog.frameGeometry().size();
  dialog.move(main.left() + main.width() / 2 - size.width() / 2, main.top() + main.height() / 3 - size.height() / 2);
}

void TakeFocusFromBackgroundBox() {
  if (windowHandles.backgroundBox != nullptr && windowHandles.backgroundBox->hasFocus() && windowHandles.main != nullptr)
    windowHandles.main->setFocus();
}
