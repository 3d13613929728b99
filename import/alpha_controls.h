#pragma once
// The import dialog's controls for soft edges: the alpha below which a
// pixel becomes transparent, and a matte colour that partly transparent
// pixels are blended onto first.

#include <functional>

#include "import/alpha_cut.h"
#include "platform/ui_text.h"

class QDialog;

// Control ids (the import dialog's range).
enum : int {
  ID_IMPORT_ALPHA_LABEL = 2322,
  ID_IMPORT_ALPHA_CUT = 2323,
  ID_IMPORT_MATTE = 2324,
  ID_IMPORT_MATTE_COLOUR = 2325,
};

// Adds the controls on the dialog's bottom line, from the left edge given
// in dialog units, showing the default cut and no matte; `changed` is called
// whenever the user changes one.
void AddAlphaControls(QDialog& dialog, int left, int top, std::function<void()> changed);

// What the controls say now.
AlphaCut ReadAlphaControls(const QDialog& dialog);
