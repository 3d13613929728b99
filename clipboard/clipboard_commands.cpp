#include "clipboard/clipboard_commands.h"

// Copying and pasting pictures are not written yet: nothing is put on the
// clipboard and nothing is pasted.
bool CopySelectionToClipboard(ImageTab&) { return false; }

int PasteFromClipboard(ImageTab&, unsigned) { return 0; }
