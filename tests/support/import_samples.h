#pragma once
// Icon files of any depth written byte by byte for the import tests: 1, 4
// and 8 bits with a palette, 24 and 32 bits of true colour, each with an
// AND mask, and raw PNG entries.

#include <cstdint>
#include <vector>

#include "fileio/file_bytes.h"

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

}  // namespace import_samples
