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
// succeeded. Gives back an empty string or the message to show. Besides
// .qpl it reads every format of fileio/palette_formats.h, known by the
// file's first letters or else by its extension; a palette shorter than
// the tab's replaces only the first entries, and `note`, when given, then
// receives the note that says so.
std::string LoadPaletteFromFile(const std::string& path, ImageTab& tab, std::string* note = nullptr,
                                TextLookup lookup = SameText);
struct PaletteRecord;
// The same for a palette already read (or built in).
std::string LoadPaletteRecord(const PaletteRecord& record, ImageTab& tab, std::string* note = nullptr,
                              TextLookup lookup = SameText);

enum class PaletteFormat;
// The file image of the tab's palette in the format (.qpl for Unknown).
ByteBuffer SerializePaletteAs(const ImageTab& tab, PaletteFormat format);
// The same in the format the name's extension stands for.
ByteBuffer SerializePaletteForName(const ImageTab& tab, const std::string& path);
// Gives back an empty string or the message to show.
std::string SavePaletteToFile(const std::string& path, const ImageTab& tab);
