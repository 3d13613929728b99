#pragma once
// The palette window of the current tab.

struct ImageTab;

// Repaints the whole palette window for the tab, or blanks it for nullptr.
void RedrawPalette(ImageTab* tab);
