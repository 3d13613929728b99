#pragma once
// The main window and the panels that dialogs are placed by, for the code
// below the application that opens dialogs or takes the keyboard focus. The
// main window fills these in when it is made and empties them when it goes.

class QWidget;

struct WindowHandles {
  // The parent of the program's dialogs.
  QWidget* main = nullptr;
  // The palette window; the colour dialogs open beside it.
  QWidget* paletteWindow = nullptr;
  // The background-colour box, which keeps turning the mouse wheel and the
  // arrow keys into background changes while it has the focus.
  QWidget* backgroundBox = nullptr;
};

extern WindowHandles windowHandles;

// Centres the dialog horizontally over the main window, with its middle one
// third of the way down.
void PlaceDialogOverMain(QWidget& dialog);

// A click on the edit view or the palette gives the focus back to the main
// window when the background box holds it.
void TakeFocusFromBackgroundBox();

// Gives the keyboard to the main window, where the keys of the commands
// work, unless the focus is in a text field of it. The main window takes it
// at start and after every dialog and message box.
void GiveKeyboardToMainWindow();
