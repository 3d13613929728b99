#pragma once
// The .qpl palette file: "qpl", the colour code byte, then the palette
// entries as little-endian 32-bit values with red in the lowest byte.

#include <string>

#include "model/image_tab.h"
#include "platform/file_bytes.h"
#include "platform/ui_text.h"

inline constexpr const char* PALETTE_READ_FAILED = QT_TRANSLATE_NOOP("Quillet2", "パレット読み込みに失敗");
inline constexpr const char* PALETTE_COUNT_MISMATCH = QT_TRANSLATE_NOOP("Quillet2", "色数があっていません");
inline constexpr const char* PALETTE_WRITE_FAILED = QT_TRANSLATE_NOOP("Quillet2", "パレット保存に失敗");

// The file image of the tab's palette.
ByteBuffer SerializePalette(const ImageTab& tab);

// Checks the bytes of a palette file against the tab's colour code. On
// success fills `colors` with PaletteSize(tab) entries and gives back an
// empty string; otherwise gives back the message to show.
std::string ParsePalette(const ByteBuffer& bytes, const ImageTab& tab, ColorRef* colors);

// Reads the file and replaces the tab's palette only when the whole read
// succeeded. Gives back an empty string or the message to show.
std::string LoadPaletteFromFile(const std::string& path, ImageTab& tab);
// Gives back an empty string or the message to show.
std::string SavePaletteToFile(const std::string& path, const ImageTab& tab);
