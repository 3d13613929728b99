#include "fileio/palette_file.h"

#include <algorithm>
#include <cstring>

#include "fileio/palette_formats.h"

namespace {
constexpr std::size_t HEADER_BYTES = 4;
}

ByteBuffer SerializePalette(const ImageTab& tab) {
  const int count = PaletteSize(tab);
  ByteBuffer bytes = {'q', 'p', 'l', tab.colorCode};
  bytes.reserve(HEADER_BYTES + 4 * count);
  for (int i = 0; i < count; ++i)
    for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<std::uint8_t>(tab.palette[i] >> shift));
  return bytes;
}

std::string ParsePalette(const ByteBuffer& bytes, const ImageTab& tab, ColorRef* colors) {
  if (bytes.size() < 3 || std::memcmp(bytes.data(), "qpl", 3) != 0) return PALETTE_READ_FAILED;
  if (bytes.size() < HEADER_BYTES) return PALETTE_READ_FAILED;
  if (bytes[3] != tab.colorCode) return PALETTE_COUNT_MISMATCH;
  const std::size_t count = static_cast<std::size_t>(PaletteSize(tab));
  if (bytes.size() < HEADER_BYTES + 4 * count) return PALETTE_READ_FAILED;
  const std::uint8_t* entry = bytes.data() + HEADER_BYTES;
  for (std::size_t i = 0; i < count; ++i, entry += 4)
    colors[i] = ColorRef(entry[0]) | ColorRef(entry[1]) << 8 | ColorRef(entry[2]) << 16 | ColorRef(entry[3]) << 24;
  return {};
}

std::string LoadPaletteFromFile(const std::string& path, ImageTab& tab, std::string* note, TextLookup lookup) {
  // Anything beyond the largest palette file is never read, so a huge file
  // costs no more than a real one.
  const auto bytes = ReadFileBytes(path, PALETTE_FILE_LIMIT);
  if (!bytes) return PALETTE_READ_FAILED;
  const PaletteFormat format = DetectPaletteFormat(*bytes, path);
  if (format == PaletteFormat::Qpl || PaletteFormatOfName(path) == PaletteFormat::Qpl) {
    ColorRef colors[256];
    std::string error = ParsePalette(*bytes, tab, colors);
    if (error.empty()) std::memcpy(tab.palette, colors, sizeof(ColorRef) * PaletteSize(tab));
    return error;
  }
  PaletteRecord record;
  std::string error = ReadPaletteBytes(*bytes, format, record, lookup);
  if (!error.empty()) return error;
  return LoadPaletteRecord(record, tab, note, lookup);
}

std::string LoadPaletteRecord(const PaletteRecord& record, ImageTab& tab, std::string* note, TextLookup lookup) {
  const PaletteFit fit = FitPaletteToTab(record, tab);
  if (!fit.error.empty()) return fit.error;
  std::copy_n(record.colors.begin(), fit.count, tab.palette);
  if (fit.shorter && note != nullptr) *note = ShorterPaletteNote(fit.count, PaletteSize(tab), lookup);
  return {};
}

ByteBuffer SerializePaletteForName(const ImageTab& tab, const std::string& path) {
  return SerializePaletteAs(tab, PaletteFormatOfName(path));
}

ByteBuffer SerializePaletteAs(const ImageTab& tab, PaletteFormat format) {
  if (format == PaletteFormat::Qpl || format == PaletteFormat::Unknown) return SerializePalette(tab);
  return WritePaletteBytes(PaletteRecordOfTab(tab), format);
}

std::string SavePaletteToFile(const std::string& path, const ImageTab& tab) {
  if (WriteFileBytesSafely(path, SerializePaletteForName(tab, path)) != WriteResult::Ok) return PALETTE_WRITE_FAILED;
  return {};
}
