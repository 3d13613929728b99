#pragma once
// The zoomed canvas of the current tab.

struct ImageTab;

// Full repaint of the tab, or a blank view for nullptr.
void RepaintEditView(ImageTab* tab);
