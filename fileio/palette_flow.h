#pragma once
// Reading and writing palette files with their messages.

#include <string>

struct ImageTab;

// Replaces the tab's palette from the file; shows the reason and gives back
// false when it could not, leaving the palette as it was.
bool ReadPaletteFile(ImageTab& tab, const std::string& path);
struct PaletteRecord;
// Replaces the tab's palette with the colours, as reading a file does.
bool ReadPaletteRecord(ImageTab& tab, const PaletteRecord& record);

enum class PaletteFormat;
// Writes the tab's palette in the format its name's extension stands for;
// shows the reason and gives back false on failure.
bool WritePaletteFile(const ImageTab& tab, const std::string& path);
// The same in the given format.
bool WritePaletteFile(const ImageTab& tab, const std::string& path, PaletteFormat format);
