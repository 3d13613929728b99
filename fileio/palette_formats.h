#pragma once
// The palette files other programs share, beside the program's own .qpl:
// GIMP's .gpl, Photoshop's .act, JASC's and RIFF's .pal and the plain .hex
// lists of the palette collections. Each reader takes the file's bytes and
// gives back the colours in the file's order, or why it cannot.

#include <cstdint>
#include <string>
#include <vector>

#include "model/image_tab.h"
#include "platform/file_bytes.h"
#include "platform/ui_text.h"

enum class PaletteFormat { Qpl, Gpl, Act, JascPal, RiffPal, Hex, Unknown };

// A palette as a file holds it: colours (red in the lowest byte), and for
// GIMP's files the name of each colour, the palette's name and its columns.
struct PaletteRecord {
  std::vector<ColorRef> colors;
  // Empty, or one per colour.
  std::vector<std::string> names;
  std::string title;
  int columns = 0;
};

// The largest palette file read; no palette of 256 colours comes near it.
inline constexpr std::size_t PALETTE_FILE_LIMIT = 256 * 1024;

// The format the name's extension stands for (".pal" counts as JASC, whose
// text most programs write); Unknown for any other extension.
PaletteFormat PaletteFormatOfName(const std::string& path);
// The format a palette is saved in: the one the name's extension stands
// for, except that a ".pal" name is written as RIFF when RIFF was chosen,
// and a name of no palette format takes the chosen one, else .qpl.
PaletteFormat SaveFormatOf(const std::string& path, PaletteFormat chosen);
// The format the bytes announce by their first letters (qpl, GIMP, JASC,
// RIFF), else the one the name stands for.
PaletteFormat DetectPaletteFormat(const ByteBuffer& bytes, const std::string& path);

// Reads the bytes in the format. Gives back an empty string and fills the
// record, or the message naming the problem (the record then is untouched).
// A .qpl file is read by its own reader, which needs the tab's colour code.
std::string ReadPaletteBytes(const ByteBuffer& bytes, PaletteFormat format, PaletteRecord& record,
                             TextLookup lookup = SameText);

// The file image of the record in the format (not Qpl or Unknown).
ByteBuffer WritePaletteBytes(const PaletteRecord& record, PaletteFormat format);

// What loading a record into a tab does: the message when it cannot (the
// palette has more colours than the tab and they are not all black), or
// how many entries it replaces.
struct PaletteFit {
  std::string error;
  int count = 0;
  // True when the palette is shorter than the tab's and fills only the
  // first entries.
  bool shorter = false;
};
PaletteFit FitPaletteToTab(const PaletteRecord& record, const ImageTab& tab);

// The note shown after a shorter palette filled the first entries.
std::string ShorterPaletteNote(int count, int tabColours, TextLookup lookup = SameText);

// The record of the tab's palette, for saving in any format.
PaletteRecord PaletteRecordOfTab(const ImageTab& tab);

// The Windows system palettes: the 16 colours of the standard VGA order;
// and for 256 colours the 20 colours Windows keeps in every 256-colour
// palette, 10 at each end, with the 6 x 6 x 6 cube of the halftone (web)
// palette between them and a grey ramp in the 20 entries left over. Windows
// has no one 256-colour table of its own; this one is named for what it
// holds.
const std::vector<ColorRef>& WindowsPalette16();
const std::vector<ColorRef>& WindowsPalette256();
