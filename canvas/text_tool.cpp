#include "canvas/text_tool.h"

// The text tool is not written yet.
void TextDialog(ImageTab&) {}
