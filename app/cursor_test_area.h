#pragma once
// The cursor test area: a small window whose three panes (light, dark and a
// checkerboard) make the pointer the image being edited, with its hot spot,
// so that a cursor can be tried as it will be used. It follows every edit.

#include "model/image_tab.h"

class QCursor;
class QImage;
class QWidget;

// The tab's picture as the pointer shows it: transparent cells are clear.
QImage CursorPictureOfTab(const ImageTab& tab);

// Opens the window, or brings it to the front when it is open.
void CommandCursorTestArea();

// Shows the current tab in the open window (nothing when it is closed).
void RefreshCursorTestArea();

// The open window, or nullptr.
QWidget* CursorTestAreaWindow();
