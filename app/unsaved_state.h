#pragma once
// What the window shows of unsaved changes: a leading "*" in the caption
// while any image differs from the file, and on each tab item a tooltip
// naming the file and whether the image changed since it was opened or
// saved.

#include <string>

// The caption with the mark when changed.
std::string MarkCaption(const std::string& caption, bool changed);

// Sets the tooltip of every tab item.
void ShowTabTooltips();
