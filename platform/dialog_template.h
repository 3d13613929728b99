#pragma once
// Dialogs laid out from templates given in dialog units. A horizontal unit is
// a quarter of the dialog font's average character width, a vertical unit an
// eighth of its height, so a dialog keeps its proportions with any font.

#include <QDialog>
#include <string>

class QWidget;

struct DialogUnits {
  int baseX = 0;
  int baseY = 0;
};

DialogUnits DialogBaseUnits(const QFont& font);
QRect DialogUnitsToPixels(const DialogUnits& units, int x, int y, int width, int height);

// A dialog of cx x cy units with the caption and font of its template and
// the program's icon. Controls are added with AddTemplateControl.
QDialog* CreateTemplateDialog(QWidget* owner, const std::string& caption, int cx, int cy,
                              const std::string& faceName, int pointSize);

// Places the control at its template rectangle and names it by its id, so
// that the dialog's code and the tests can find it with FindControl. Combo
// boxes keep their own edit-field height; the template height includes the
// drop-down list.
void PlaceTemplateControl(QDialog& dialog, QWidget* control, int id, int x, int y, int width, int height);

template <typename Control>
Control* FindControl(const QWidget& dialog, int id) {
  return dialog.findChild<Control*>(QString::number(id));
}

// Reads a number as the dialogs do: the first 6 characters, leading blanks
// skipped, an optional sign, digits up to the first other character; no
// digits give 0.
int ReadDialogNumber(const std::string& text);
