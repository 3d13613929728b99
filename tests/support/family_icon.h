#pragma once
// An application's icon family as other programs write it today: a 256 px
// PNG image, 32-bit images with alpha, an 8-bit image and an image whose
// directory entry carries a cursor's hot spot where an icon keeps planes and
// bit count. The PNG's bytes are given by the caller (core tests have no
// PNG encoder).

#include <cstdint>
#include <vector>

#include "tests/support/import_samples.h"

namespace family_icon {

// A 32-bit picture with a soft alpha ramp and varied colours.
inline import_samples::Entry Ramp(int size, unsigned seed) {
  import_samples::Entry e;
  e.width = e.height = size;
  e.bitCount = 32;
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      const std::uint32_t alpha = static_cast<std::uint32_t>(x * 255 / (size - 1));
      e.values.push_back(alpha << 24 | (x * 7 + seed) % 256 << 16 | (y * 5 + seed) % 256 << 8 | (x + y) % 256);
    }
  return e;
}

inline import_samples::Entry Indexed8(int size) {
  import_samples::Entry e;
  e.width = e.height = size;
  e.bitCount = 8;
  for (int i = 0; i < 256; ++i)
    e.palette.push_back(static_cast<std::uint32_t>(i * 0x010203) & 0xFFFFFF);
  for (int i = 0; i < size * size; ++i) e.values.push_back(static_cast<std::uint32_t>(i * 3 % 256));
  e.mask.assign(static_cast<std::size_t>(size) * size, 0);
  e.mask[0] = 1;
  return e;
}

// Index of the entries in Build's file.
enum : int { PNG_256 = 0, RAMP_48 = 1, INDEXED_32 = 2, RAMP_16 = 3, CURSOR_TYPED = 4, IMAGE_COUNT = 5 };

// The family file; png holds the bytes of a 256 x 256 PNG picture.
inline ByteBuffer Build(const ByteBuffer& png) {
  import_samples::Entry big;
  big.width = big.height = 256;
  big.raw = png;
  ByteBuffer bytes =
      import_samples::BuildIcon({big, Ramp(48, 3), Indexed8(32), Ramp(16, 9), Ramp(24, 5)});
  // The PNG entry says 32 bits as such programs write it; the last entry's
  // planes and bit count hold a hot spot (5, 7).
  const std::size_t last = 6 + 16 * CURSOR_TYPED;
  bytes[last + 4] = 5;
  bytes[last + 5] = 0;
  bytes[last + 6] = 7;
  bytes[last + 7] = 0;
  return bytes;
}

// The bytes of the file's image at the index, as its directory gives them.
inline ByteBuffer EntryBytes(const ByteBuffer& file, int index) {
  const std::size_t at = 6 + 16 * static_cast<std::size_t>(index);
  auto u32 = [&](std::size_t p) {
    return std::uint32_t(file[p]) | std::uint32_t(file[p + 1]) << 8 | std::uint32_t(file[p + 2]) << 16 |
           std::uint32_t(file[p + 3]) << 24;
  };
  const std::uint32_t size = u32(at + 8);
  const std::uint32_t offset = u32(at + 12);
  if (offset > file.size() || size > file.size() - offset) return {};
  return ByteBuffer(file.begin() + offset, file.begin() + offset + size);
}

// The directory entry at the index without its offset.
inline ByteBuffer EntryFields(const ByteBuffer& file, int index) {
  const std::size_t at = 6 + 16 * static_cast<std::size_t>(index);
  return ByteBuffer(file.begin() + static_cast<std::ptrdiff_t>(at), file.begin() + static_cast<std::ptrdiff_t>(at + 12));
}

inline int ImageCount(const ByteBuffer& file) { return file.size() < 6 ? 0 : file[4] | file[5] << 8; }

}  // namespace family_icon
