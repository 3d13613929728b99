#pragma once
// A dialog that works beside one part of the main window: while it runs,
// that part (and the dialog) still takes the mouse and the keys, and every
// other window and control of the program takes none, as under a modal
// dialog. The text tool uses it so that a click in the edit view places the
// text.

class QDialog;
class QWidget;

// Runs the dialog until it is closed and gives back the code it was closed
// with (0 when it was not closed by its own code). Under a test script the
// script answers it as it answers a modal dialog.
int RunDialogBeside(QDialog& dialog, QWidget* usable);

// Places the dialog beside what it works on, whose left, top and right edges
// are given in global coordinates: to its right where the screen has room,
// else to its left, else where it is; its top level with the top.
void PlaceDialogBeside(QWidget& dialog, int left, int top, int right);
