#pragma once
// The text tool: text in an installed font drawn into the image.

struct ImageTab;

void TextDialog(ImageTab& tab);
