#pragma once
// Pieces shared by the icon readers: little-endian values taken from a
// file's bytes, a bounds check that cannot wrap around, and the offsets of
// the info-header fields they look at.

#include <cstddef>
#include <cstdint>

#include "platform/file_bytes.h"

inline std::uint16_t U16At(const ByteBuffer& bytes, std::size_t at) {
  return static_cast<std::uint16_t>(bytes[at] | bytes[at + 1] << 8);
}

inline std::uint32_t U32At(const ByteBuffer& bytes, std::size_t at) {
  return std::uint32_t(bytes[at]) | std::uint32_t(bytes[at + 1]) << 8 | std::uint32_t(bytes[at + 2]) << 16 |
         std::uint32_t(bytes[at + 3]) << 24;
}

// True when count bytes starting at the offset lie inside the file. The sum
// is taken in 64 bits so that an offset near 4 GiB cannot wrap around.
inline bool Holds(const ByteBuffer& bytes, std::uint64_t offset, std::uint64_t count) {
  return offset <= bytes.size() && count <= bytes.size() - offset;
}

// Offsets of the info-header fields the readers look at.
constexpr std::size_t INFO_WIDTH = 4;
constexpr std::size_t INFO_HEIGHT = 8;
constexpr std::size_t INFO_BIT_COUNT = 14;
constexpr std::size_t INFO_COMPRESSION = 16;
constexpr std::size_t INFO_COLORS_USED = 32;
