#pragma once
// The real-size preview of the current tab.

struct ImageTab;

// Redraws the whole preview for the tab, or blanks it for nullptr.
void RepaintPreview(ImageTab* tab);
