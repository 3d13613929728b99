#pragma once
// The two dialogs of the batch colour change: the choice of palette entries
// ("一括色変化（色選択）", template 2280) and the shift of the chosen
// colours ("一括色変化ダイアログ", template 2290).

#include "palette/batch_colour.h"

enum BatchDialogId : int {
  ID_BATCH_SELECT_DIALOG = 2280,
  ID_BATCH_PROMPT = 2002,
  ID_BATCH_PICK = 2020,
  ID_BATCH_RESET = 2021,
  ID_BATCH_SELECT_ALL = 2022,
  ID_BATCH_GRID = 2106,

  ID_BATCH_SHIFT_DIALOG = 2290,
  ID_SHIFT_FIRST_LETTER = 2002,  // 2002..2004
  ID_SHIFT_FIRST_BAR = 2100,     // 2100..2102
  ID_SHIFT_FIRST_VALUE = 2011,   // 2011..2013
  ID_SHIFT_EDIT = 2010,
  ID_SHIFT_HSV = 2060,
  ID_SHIFT_RGB = 2061,
};

// Lets the user choose entries of the current tab's palette, starting from
// none; the edit view marks the pixels of chosen entries. Gives back 1 (OK)
// or 2 (cancel), or 0 without a current tab.
int BatchSelectDialog(BatchSelection& selection);

// Shifts the chosen colours, showing them live in the edit view and the
// preview; only OK writes them into the tab's palette. Gives back 1 (OK)
// or 2 (cancel), or 0 without a current tab.
int BatchShiftDialog(const BatchSelection& selection);
