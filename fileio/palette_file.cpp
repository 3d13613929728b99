#include "fileio/palette_file.h"

#include <cstring>

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

std::string LoadPaletteFromFile(const std::string& path, ImageTab& tab) {
  // Anything beyond the largest palette is never read, so a huge file costs
  // no more than a real one.
  const auto bytes = ReadFileBytes(path, HEADER_BYTES + 4 * 256);
  if (!bytes) return PALETTE_READ_FAILED;
  ColorRef colors[256];
  std::string error = ParsePalette(*bytes, tab, colors);
  if (error.empty()) std::memcpy(tab.palette, colors, sizeof(ColorRef) * PaletteSize(tab));
  return error;
}

std::string SavePaletteToFile(const std::string& path, const ImageTab& tab) {
  if (WriteFileBytesSafely(path, SerializePalette(tab)) != WriteResult::Ok) return PALETTE_WRITE_FAILED;
  return {};
}
