#pragma once
// Reading and writing palette files with their messages.

#include <string>

struct ImageTab;

// Replaces the tab's palette from the file; shows the reason and gives back
// false when it could not, leaving the palette as it was.
bool ReadPaletteFile(ImageTab& tab, const std::string& path);
// Writes the tab's palette; shows the reason and gives back false on failure.
bool WritePaletteFile(const ImageTab& tab, const std::string& path);
