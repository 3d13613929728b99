#include "import/picture_checks.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "fileio/dib_reading.h"
#include "import/read.h"

namespace {

constexpr std::uint64_t BMP_FILE_HEADER_BYTES = 14;
constexpr std::uint32_t BMP_CORE_HEADER_BYTES = 12;
constexpr std::uint32_t BMP_RGB = 0, BMP_RLE8 = 1, BMP_RLE4 = 2, BMP_BITFIELDS = 3, BMP_ALPHABITFIELDS = 6;

// Walks a run-length compressed image (8 or 4 bits per pixel). Qt's reader
// writes only the pixels the runs name and leaves every other one as the
// memory held it, so a picture is taken only when its runs fill every row
// exactly: a jump, a short line or an early end is refused, as is a stream
// that ends before the last row.
std::string CheckRunLengths(const ByteBuffer& bytes, std::uint64_t at, std::int64_t width, std::int64_t height,
                            int bitCount) {
  std::int64_t x = 0, y = 0;
  while (y < height) {
    if (!Holds(bytes, at, 2)) return IMPORT_ENTRY_TRUNCATED;
    const int count = bytes[at];
    const int code = bytes[at + 1];
    at += 2;
    if (count > 0) {
      x += count;
    } else if (code == 0 || code == 1) {
      // The end of a line or of the picture must come where a row is full.
      if (x != width) return IMPORT_ENTRY_UNSUPPORTED;
      x = 0;
      ++y;
      if (code == 1 && y != height) return IMPORT_ENTRY_UNSUPPORTED;
      continue;
    } else if (code == 2) {
      return IMPORT_ENTRY_UNSUPPORTED;
    } else {
      // Literal pixels, padded to an even number of bytes.
      const std::uint64_t stored = bitCount == 8 ? code : (code + 1) / 2;
      if (!Holds(bytes, at, stored)) return IMPORT_ENTRY_TRUNCATED;
      at += stored + (stored & 1);
      x += code;
    }
    if (x > width) return IMPORT_ENTRY_UNSUPPORTED;
    // A last row may end with the data, without an end code.
    if (x == width && y == height - 1 && !Holds(bytes, at, 2)) return {};
  }
  return {};
}

std::string CheckBmp(const ByteBuffer& bytes) {
  if (!Holds(bytes, 0, BMP_FILE_HEADER_BYTES + 4)) return IMPORT_ENTRY_TRUNCATED;
  const std::uint32_t headerBytes = U32At(bytes, 14);
  if (!Holds(bytes, BMP_FILE_HEADER_BYTES, headerBytes)) return IMPORT_ENTRY_TRUNCATED;
  std::int64_t width, height;
  int bitCount;
  std::uint32_t compression = BMP_RGB, colorsUsed = 0, entryBytes = 4;
  if (headerBytes == BMP_CORE_HEADER_BYTES) {
    width = U16At(bytes, 18);
    height = U16At(bytes, 20);
    bitCount = U16At(bytes, 24);
    entryBytes = 3;
  } else if (headerBytes >= 40) {
    width = static_cast<std::int32_t>(U32At(bytes, 18));
    height = static_cast<std::int32_t>(U32At(bytes, 22));
    bitCount = U16At(bytes, 28);
    compression = U32At(bytes, 30);
    colorsUsed = U32At(bytes, 46);
  } else {
    // Qt refuses the other header sizes itself.
    return {};
  }
  height = height < 0 ? -height : height;
  if (width <= 0 || height <= 0) return {};
  // Bit masks follow a 40-byte header; longer headers hold them.
  std::uint64_t masks = 0;
  if (headerBytes == 40 && compression == BMP_BITFIELDS) masks = 12;
  if (headerBytes == 40 && compression == BMP_ALPHABITFIELDS) masks = 16;
  const std::uint64_t colours = bitCount <= 8 ? (colorsUsed != 0 ? colorsUsed : 1u << bitCount) : 0;
  const std::uint64_t paletteEnd = BMP_FILE_HEADER_BYTES + headerBytes + masks + colours * entryBytes;
  if (paletteEnd > bytes.size()) return IMPORT_ENTRY_TRUNCATED;
  // The pixels start at the file header's offset, but never inside the
  // palette.
  const std::uint64_t pixels = std::max<std::uint64_t>(U32At(bytes, 10), paletteEnd);
  if (compression == BMP_RLE8 || compression == BMP_RLE4)
    return CheckRunLengths(bytes, pixels, width, height, compression == BMP_RLE8 ? 8 : 4);
  if (compression != BMP_RGB && compression != BMP_BITFIELDS && compression != BMP_ALPHABITFIELDS) return {};
  const std::uint64_t rowBytes = (static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(bitCount) + 31) / 32 * 4;
  if (!Holds(bytes, pixels, rowBytes * static_cast<std::uint64_t>(height))) return IMPORT_ENTRY_TRUNCATED;
  return {};
}

// Skips a chain of GIF data sub-blocks (each a length byte and its bytes,
// ended by a zero length); false when the file ends inside it.
bool SkipSubBlocks(const ByteBuffer& bytes, std::uint64_t& at) {
  for (;;) {
    if (!Holds(bytes, at, 1)) return false;
    const std::uint8_t length = bytes[at++];
    if (length == 0) return true;
    at += length;
  }
}

std::uint64_t ColourTableBytes(std::uint8_t flags) { return flags & 0x80 ? 3u << ((flags & 7) + 1) : 0; }

// How many pixels a frame's compressed data gives: its LZW codes are
// followed, counting the length of each string they stand for, until the
// end code, the end of the data, or a code that cannot occur (which ends the
// frame there, as decoders do). `at` is on the minimum code size byte.
std::uint64_t GifFramePixels(const ByteBuffer& bytes, std::uint64_t at) {
  const int minimum = bytes[at++];
  if (minimum < 1 || minimum > 11) return 0;
  const std::uint32_t clear = 1u << minimum;
  const std::uint32_t end = clear + 1;
  std::vector<std::uint32_t> lengths(4096, 0);
  std::uint32_t next = end + 1;
  int size = minimum + 1;
  std::uint32_t previous = 0;
  bool havePrevious = false;
  std::uint64_t pixels = 0;
  std::uint32_t bits = 0;
  int held = 0;
  for (;;) {
    if (!Holds(bytes, at, 1)) return pixels;
    const std::uint8_t length = bytes[at++];
    if (length == 0 || !Holds(bytes, at, length)) return pixels;
    for (std::uint8_t i = 0; i < length; ++i) {
      bits |= std::uint32_t(bytes[at + i]) << held;
      held += 8;
      while (held >= size) {
        const std::uint32_t code = bits & ((1u << size) - 1);
        bits >>= size;
        held -= size;
        if (code == clear) {
          next = end + 1;
          size = minimum + 1;
          havePrevious = false;
          continue;
        }
        if (code == end) return pixels;
        std::uint32_t produced;
        if (code < clear) {
          produced = 1;
        } else if (code < next && lengths[code] != 0) {
          produced = lengths[code];
        } else if (code == next && havePrevious) {
          produced = lengths[previous] + 1;
        } else {
          return pixels;
        }
        if (havePrevious && next < 4096) {
          lengths[next] = (previous < clear ? 1 : lengths[previous]) + 1;
          ++next;
          if (next == (1u << size) && size < 12) ++size;
        }
        if (code < clear) lengths[code] = 1;
        pixels += produced;
        previous = code;
        havePrevious = true;
      }
    }
    at += length;
  }
}

// A GIF file is whole when its blocks lead to its trailer byte.
std::string CheckGif(const ByteBuffer& bytes) {
  std::uint64_t at = 13;
  if (!Holds(bytes, 0, at)) return IMPORT_ENTRY_TRUNCATED;
  at += ColourTableBytes(bytes[10]);
  for (;;) {
    if (!Holds(bytes, at, 1)) return IMPORT_ENTRY_TRUNCATED;
    const std::uint8_t block = bytes[at];
    if (block == 0x3B) return {};
    if (block == 0x21) {
      at += 2;
    } else if (block == 0x2C) {
      if (!Holds(bytes, at, 10)) return IMPORT_ENTRY_TRUNCATED;
      const std::uint64_t width = U16At(bytes, at + 5);
      const std::uint64_t height = U16At(bytes, at + 7);
      // Descriptor, local colour table, then the code size byte.
      at += 10 + ColourTableBytes(bytes[at + 9]);
      if (!Holds(bytes, at, 1)) return IMPORT_ENTRY_TRUNCATED;
      // Compressed data that stops before the frame is full would leave
      // the rest of it in colour 0, as if it were the picture.
      if (GifFramePixels(bytes, at) < width * height) return IMPORT_ENTRY_TRUNCATED;
      at += 1;
    } else {
      return IMPORT_ENTRY_UNSUPPORTED;
    }
    if (!SkipSubBlocks(bytes, at)) return IMPORT_ENTRY_TRUNCATED;
  }
}

}  // namespace

std::string CheckPictureData(const ByteBuffer& bytes) {
  if (bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M') return CheckBmp(bytes);
  if (bytes.size() >= 6 && (std::memcmp(bytes.data(), "GIF87a", 6) == 0 || std::memcmp(bytes.data(), "GIF89a", 6) == 0))
    return CheckGif(bytes);
  return {};
}
