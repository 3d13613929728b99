#pragma once
// The selection rectangle of a tab: drawn with the range-select tool, shown
// as an inverting frame, and cleared with delete.

#include "model/image_tab.h"

// The band of the range-select tool moved onto a new cell: the selection
// spans anchor to cursor and the frame follows it.
void UpdateSelectionBand(ImageTab& tab);

// Sets every cell of the selection to FRESH_CELL, repaints and records one
// undo snapshot. The selection itself stays.
void DeleteSelection(ImageTab& tab);
