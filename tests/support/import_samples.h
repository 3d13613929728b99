#pragma once
// Icon files of any depth written byte by byte for the import tests: 1, 4
// and 8 bits with a palette, 24 and 32 bits of true colour, each with an
// AND mask, and raw PNG entries.

#include <algorithm>
#include <cstdint>
#include <vector>

#include "platform/file_bytes.h"

namespace import_samples {

struct Entry {
  int width = 1;
  int height = 1;
  int bitCount = 32;
  // 0xAARRGGBB quads for 1, 4 and 8 bits.
  std::vector<std::uint32_t> palette;
  // Top row first: palette indexes, or 0xAARRGGBB for 24 and 32 bits.
  std::vector<std::uint32_t> values;
  // Top row first; 1 marks a transparent pixel. Empty for no bits set.
  std::vector<int> mask;
  // When set, the entry is these bytes as they stand (a PNG image).
  ByteBuffer raw;
};

inline void Put(ByteBuffer& b, std::uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

inline ByteBuffer EntryData(const Entry& e) {
  if (!e.raw.empty()) return e.raw;
  ByteBuffer b;
  Put(b, 40, 4);
  Put(b, static_cast<std::uint32_t>(e.width), 4);
  Put(b, static_cast<std::uint32_t>(2 * e.height), 4);
  Put(b, 1, 2);
  Put(b, static_cast<std::uint32_t>(e.bitCount), 2);
  for (int i = 0; i < 6; ++i) Put(b, 0, 4);
  for (std::uint32_t q : e.palette) Put(b, q & 0xFFFFFF, 4);
  const int colorRow = (e.width * e.bitCount + 31) / 32 * 4;
  const int maskRow = (e.width + 31) / 32 * 4;
  for (int y = e.height - 1; y >= 0; --y) {
    ByteBuffer row(static_cast<std::size_t>(colorRow), 0);
    for (int x = 0; x < e.width; ++x) {
      const std::uint32_t v = e.values[static_cast<std::size_t>(y) * e.width + x];
      switch (e.bitCount) {
        case 1: row[x / 8] |= static_cast<std::uint8_t>((v & 1) << (7 - x % 8)); break;
        case 4: row[x / 2] |= static_cast<std::uint8_t>(x % 2 == 0 ? (v & 15) << 4 : v & 15); break;
        case 8: row[x] = static_cast<std::uint8_t>(v); break;
        case 16:
          for (int c = 0; c < 2; ++c) row[2 * x + c] = static_cast<std::uint8_t>(v >> (8 * c));
          break;
        case 24:
          for (int c = 0; c < 3; ++c) row[3 * x + c] = static_cast<std::uint8_t>(v >> (8 * c));
          break;
        default:
          for (int c = 0; c < 4; ++c) row[4 * x + c] = static_cast<std::uint8_t>(v >> (8 * c));
      }
    }
    b.insert(b.end(), row.begin(), row.end());
  }
  for (int y = e.height - 1; y >= 0; --y) {
    ByteBuffer row(static_cast<std::size_t>(maskRow), 0);
    for (int x = 0; x < e.width; ++x)
      if (!e.mask.empty() && e.mask[static_cast<std::size_t>(y) * e.width + x] != 0)
        row[x / 8] |= static_cast<std::uint8_t>(0x80 >> x % 8);
    b.insert(b.end(), row.begin(), row.end());
  }
  return b;
}

inline ByteBuffer BuildIcon(const std::vector<Entry>& entries) {
  ByteBuffer b;
  Put(b, 0, 2);
  Put(b, 1, 2);
  Put(b, static_cast<std::uint32_t>(entries.size()), 2);
  std::vector<ByteBuffer> data;
  for (const Entry& e : entries) data.push_back(EntryData(e));
  std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * entries.size());
  for (std::size_t i = 0; i < entries.size(); ++i) {
    b.push_back(static_cast<std::uint8_t>(entries[i].width & 0xFF));
    b.push_back(static_cast<std::uint8_t>(entries[i].height & 0xFF));
    b.push_back(0);
    b.push_back(0);
    Put(b, 1, 2);
    Put(b, static_cast<std::uint32_t>(entries[i].bitCount), 2);
    Put(b, static_cast<std::uint32_t>(data[i].size()), 4);
    Put(b, offset, 4);
    offset += static_cast<std::uint32_t>(data[i].size());
  }
  for (const ByteBuffer& d : data) b.insert(b.end(), d.begin(), d.end());
  return b;
}

// A w x h true-colour entry whose pixels all have the colour.
inline Entry Solid(int w, int h, std::uint32_t argb, int bitCount = 32) {
  Entry e;
  e.width = w;
  e.height = h;
  e.bitCount = bitCount;
  e.values.assign(static_cast<std::size_t>(w) * h, argb);
  return e;
}

// A BMP file of w x h pixels at 8 bits (palette of 256 greys) or 24 bits,
// rows bottom first; `rows` gives the pixel bytes as stored (their length
// may fall short of what the header promises).
inline ByteBuffer BuildBmp(int w, int h, int bitCount, const ByteBuffer& rows, std::uint32_t compression = 0) {
  const std::uint32_t palette = bitCount <= 8 ? 4u << bitCount : 0;
  const std::uint32_t offset = 14 + 40 + palette;
  ByteBuffer b = {'B', 'M'};
  Put(b, offset + static_cast<std::uint32_t>(rows.size()), 4);
  Put(b, 0, 4);
  Put(b, offset, 4);
  Put(b, 40, 4);
  Put(b, static_cast<std::uint32_t>(w), 4);
  Put(b, static_cast<std::uint32_t>(h), 4);
  Put(b, 1, 2);
  Put(b, static_cast<std::uint32_t>(bitCount), 2);
  Put(b, compression, 4);
  for (int i = 0; i < 5; ++i) Put(b, 0, 4);
  for (std::uint32_t i = 0; i < palette / 4; ++i) Put(b, i * 0x010101u % 0x1000000u, 4);
  b.insert(b.end(), rows.begin(), rows.end());
  return b;
}

// A GIF file of w x h pixels with a 4-colour palette (black, red, green,
// blue) and the given indexes, top row first. Its codes stay 3 bits wide:
// a clear code comes before every pair of pixels, so the decoder's table
// never grows past 3 bits.
inline ByteBuffer BuildGif(int w, int h, const std::vector<int>& indexes) {
  ByteBuffer b = {'G', 'I', 'F', '8', '9', 'a'};
  Put(b, static_cast<std::uint32_t>(w), 2);
  Put(b, static_cast<std::uint32_t>(h), 2);
  b.insert(b.end(), {0x81, 0, 0});  // global table of 4 colours
  b.insert(b.end(), {0, 0, 0, 255, 0, 0, 0, 255, 0, 0, 0, 255});
  b.push_back(0x2C);
  Put(b, 0, 4);
  Put(b, static_cast<std::uint32_t>(w), 2);
  Put(b, static_cast<std::uint32_t>(h), 2);
  b.push_back(0);
  b.push_back(2);  // minimum code size
  ByteBuffer codes;
  std::uint32_t bits = 0;
  int held = 0;
  const auto putCode = [&](std::uint32_t code) {
    bits |= code << held;
    held += 3;
    while (held >= 8) {
      codes.push_back(static_cast<std::uint8_t>(bits));
      bits >>= 8;
      held -= 8;
    }
  };
  for (std::size_t i = 0; i < indexes.size(); ++i) {
    if (i % 2 == 0) putCode(4);
    putCode(static_cast<std::uint32_t>(indexes[i]));
  }
  putCode(5);
  if (held > 0) codes.push_back(static_cast<std::uint8_t>(bits));
  for (std::size_t at = 0; at < codes.size(); at += 255) {
    const std::size_t n = std::min<std::size_t>(255, codes.size() - at);
    b.push_back(static_cast<std::uint8_t>(n));
    b.insert(b.end(), codes.begin() + static_cast<std::ptrdiff_t>(at), codes.begin() + static_cast<std::ptrdiff_t>(at + n));
  }
  b.push_back(0);
  b.push_back(0x3B);
  return b;
}

}  // namespace import_samples
