#pragma once
// The colour dialog ("色", template 2270): edits one palette entry of the
// current tab in red, green and blue and in hue, saturation and value, and
// shows every finished change live in the edit view and the preview.

#include "palette/colour_math.h"
#include "platform/ui_text.h"

class QFont;
class QRect;
class QScrollBar;

inline constexpr const char* OPACITY_TIP = QT_TRANSLATE_NOOP("Quillet2", "不透明度 (0 = 透明, 255 = 不透明)");

// Control ids of the dialog.
enum ColorDialogId : int {
  ID_COLOR_DIALOG = 2270,
  ID_FIRST_LETTER = 2002,     // "R" .. "V", "A": 2002..2008
  ID_FIRST_SCROLLBAR = 2100,  // R, G, B, H, S, V: 2100..2105
  ID_FIRST_VALUE = 2011,      // value labels: 2011..2017
  ID_PREVIEW_FRAME = 2106,
  ID_OPACITY_SCROLLBAR = 2107,  // the "A" row of a true-colour tab
  ID_VALUE_EDIT = 2010,
};

// The dialog's HSV record. It lives for the whole program run and is not
// reset when the dialog opens, so a grey colour opens with the hue the
// dialog last had.
extern HsvColor colorDialogHsv;

// The bold 9-point font of the palette dialogs, made on first use and kept
// for the program run.
const QFont& PaletteDialogFont();

// Runs the dialog for palette entry index of the current tab, placed at the
// palette window's bottom-left corner. Gives back the chosen colour on OK;
// on cancel the entry gets its old colour back and the result is -1, as it
// is when no tab is open or the index is not an entry of the tab. With
// opacity given the dialog has a last row, "A", for the pen's opacity
// (0-255), which starts at *opacity and is written back there on OK.
int RunColorDialog(int index, int* opacity = nullptr);

// The band, 7 pixels high, directly above a scroll bar where its colour
// strip is drawn; it spans the thumb's track between the two arrows.
QRect ColorStripBand(const QScrollBar& bar);
