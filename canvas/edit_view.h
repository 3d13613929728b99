#pragma once
// The zoomed canvas of the current tab.

struct ImageTab;

// 1 = the edit view draws grid lines between the cells.
extern int grid;

// Full repaint of the tab, or a blank view for nullptr.
void RepaintEditView(ImageTab* tab);

// Remakes the back buffer at the edit view's client size and repaints it.
// Gives back false when the picture could not be made.
bool RebuildEditBackBuffer();
