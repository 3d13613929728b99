#pragma once
// Pieces shared by the icon and bitmap writers: little-endian values, the
// 40-byte info header, palette quads and packed rows of palette indexes.

#include <cstdint>

#include "fileio/icon_format.h"
#include "platform/file_bytes.h"

inline void PutU16(ByteBuffer& bytes, std::uint32_t value) {
  bytes.push_back(static_cast<std::uint8_t>(value));
  bytes.push_back(static_cast<std::uint8_t>(value >> 8));
}

inline void PutU32(ByteBuffer& bytes, std::uint32_t value) {
  PutU16(bytes, value & 0xFFFF);
  PutU16(bytes, value >> 16);
}

// Appends one row of `count` indexes at 1, 4 or 8 bits per pixel, the
// leftmost pixel in the most significant bits, padded with zero bits to
// rowBytes. At 1 bit any index other than 0 sets the bit; at 4 bits only the
// low nibble of each index is kept.
inline void PackIndexRow(ByteBuffer& bytes, const std::uint8_t* indexes, int count, int bitCount, int rowBytes) {
  const std::size_t start = bytes.size();
  bytes.resize(start + static_cast<std::size_t>(rowBytes), 0);
  std::uint8_t* row = &bytes[start];
  for (int x = 0; x < count; ++x) {
    switch (bitCount) {
      case 1:
        if (indexes[x] != 0) row[x / 8] |= static_cast<std::uint8_t>(0x80 >> x % 8);
        break;
      case 4: row[x / 2] |= static_cast<std::uint8_t>(x % 2 == 0 ? (indexes[x] & 0x0F) << 4 : indexes[x] & 0x0F); break;
      default: row[x] = indexes[x]; break;
    }
  }
}

// BITMAPINFOHEADER with everything after the bit count zero.
inline void PutInfoHeader(ByteBuffer& bytes, int width, int height, int bitCount) {
  PutU32(bytes, 40);
  PutU32(bytes, static_cast<std::uint32_t>(width));
  PutU32(bytes, static_cast<std::uint32_t>(height));
  PutU16(bytes, 1);
  PutU16(bytes, static_cast<std::uint32_t>(bitCount));
  // Compression, image size, both resolutions, used and important colours.
  for (int i = 0; i < 6; ++i) PutU32(bytes, 0);
}

// The tab's palette as blue, green, red, 0 quads.
inline void PutPaletteQuads(ByteBuffer& bytes, const ImageTab& tab) {
  for (int i = 0; i < PaletteSize(tab); ++i) {
    std::uint8_t quad[4];
    QuadFromColorRef(tab.palette[i], quad);
    bytes.insert(bytes.end(), quad, quad + 4);
  }
}
