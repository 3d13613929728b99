#pragma once
// The listeners through which announced changes reach the main window's
// views: the panels with the tab strip, the palette window, the preview, the
// edit view, the history, the command states and the caption.

// Registers one listener per view; the main window calls it once it has made
// its views.
void ListenToChanges();
