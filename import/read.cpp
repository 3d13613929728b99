#include "import/read.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <utility>

#include "fileio/dib_reading.h"
#include "fileio/icon_format.h"
#include "import/convert.h"
#include "import/decode.h"
#include "import/picture_depth.h"

namespace {

constexpr std::uint8_t PNG_SIGNATURE[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

// BITMAPINFOHEADER up to BITMAPV5HEADER; the palette follows the header.
constexpr std::uint32_t INFO_MAX_BYTES = 124;

std::uint64_t RowBytes(std::uint64_t width, int bitCount) { return (width * bitCount + 31) / 32 * 4; }

// Decodes one bitmap image into the full picture: info header, palette,
// colour rows and AND mask, rows bottom first. Fills entry.problem instead
// when it cannot. A true-colour image's mask is optional: when the image's
// declared size (declared) ends where its colour rows end, or that size is
// too small to mean anything and the bytes end before the mask, its alpha
// alone says what is transparent.
void ReadBitmapEntry(const ByteBuffer& bytes, std::uint64_t offset, std::uint64_t declared, ImportEntry& entry,
                     RgbaPicture& picture) {
  if (!Holds(bytes, offset, INFO_HEADER_BYTES)) {
    entry.problem = IMPORT_ENTRY_TRUNCATED;
    return;
  }
  const std::uint32_t headerBytes = U32At(bytes, offset);
  const auto width = static_cast<std::int32_t>(U32At(bytes, offset + INFO_WIDTH));
  // The height counts the colour rows and the mask rows together.
  const auto doubledHeight = static_cast<std::int32_t>(U32At(bytes, offset + INFO_HEIGHT));
  const int bitCount = static_cast<int>(U16At(bytes, offset + INFO_BIT_COUNT));
  const std::uint32_t compression = U32At(bytes, offset + INFO_COMPRESSION);
  const std::uint32_t colorsUsed = U32At(bytes, offset + INFO_COLORS_USED);
  entry.bitCount = bitCount;
  if (headerBytes < INFO_HEADER_BYTES || headerBytes > INFO_MAX_BYTES || compression != 0 ||
      (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 24 && bitCount != 32)) {
    entry.problem = IMPORT_ENTRY_UNSUPPORTED;
    return;
  }
  const int height = doubledHeight / 2;
  if (width < 1 || width > IMPORT_MAX_SOURCE_SIZE || height < 1 || height > IMPORT_MAX_SOURCE_SIZE) {
    entry.problem = IMPORT_ENTRY_BAD_SIZE;
    return;
  }
  entry.width = width;
  entry.height = height;

  std::uint64_t at = offset + headerBytes;
  std::uint32_t palette[256] = {};
  if (bitCount <= 8) {
    const std::uint32_t full = 1u << bitCount;
    const std::uint32_t stored = colorsUsed != 0 && colorsUsed < full ? colorsUsed : full;
    if (!Holds(bytes, at, 4ull * stored)) {
      entry.problem = IMPORT_ENTRY_TRUNCATED;
      return;
    }
    // Quads are blue, green, red, reserved; indexes past the stored ones
    // stay black.
    for (std::uint32_t i = 0; i < stored; ++i, at += 4)
      palette[i] = 0xFF000000u | std::uint32_t(bytes[at + 2]) << 16 | std::uint32_t(bytes[at + 1]) << 8 | bytes[at];
  }
  const std::uint64_t colorRow = RowBytes(static_cast<std::uint64_t>(width), bitCount);
  const std::uint64_t maskRow = RowBytes(static_cast<std::uint64_t>(width), 1);
  const std::uint64_t colourBytes = colorRow * static_cast<std::uint64_t>(height);
  const std::uint64_t maskBytes = maskRow * static_cast<std::uint64_t>(height);
  const std::uint64_t colourEnd = at - offset + colourBytes;
  // A declared size that ends inside the mask is an image cut short.
  const bool hasMask = bitCount < 24 || (declared != colourEnd && (declared > colourEnd ||
                                                                   Holds(bytes, at, colourBytes + maskBytes)));
  if (!Holds(bytes, at, colourBytes + (hasMask ? maskBytes : 0))) {
    entry.problem = IMPORT_ENTRY_TRUNCATED;
    return;
  }

  picture.width = width;
  picture.height = height;
  picture.pixels.assign(static_cast<std::size_t>(width) * height, 0);
  bool anyAlpha = false;
  for (int r = 0; r < height; ++r, at += colorRow) {
    const std::uint8_t* row = &bytes[at];
    std::uint32_t* out = &picture.pixels[static_cast<std::size_t>(height - 1 - r) * width];
    for (int x = 0; x < width; ++x) {
      switch (bitCount) {
        case 1: out[x] = palette[row[x / 8] >> (7 - x % 8) & 1]; break;
        case 4: out[x] = palette[x % 2 == 0 ? row[x / 2] >> 4 : row[x / 2] & 0x0F]; break;
        case 8: out[x] = palette[row[x]]; break;
        case 24: {
          const std::uint8_t* p = row + 3 * x;
          out[x] = 0xFF000000u | std::uint32_t(p[2]) << 16 | std::uint32_t(p[1]) << 8 | p[0];
          break;
        }
        default: {
          const std::uint8_t* p = row + 4 * x;
          out[x] = std::uint32_t(p[3]) << 24 | std::uint32_t(p[2]) << 16 | std::uint32_t(p[1]) << 8 | p[0];
          anyAlpha = anyAlpha || p[3] != 0;
          break;
        }
      }
    }
  }
  if (bitCount == 32 && !anyAlpha) {
    entry.alphaIgnored = true;
    for (std::uint32_t& pixel : picture.pixels) pixel |= 0xFF000000u;
  }
  // A set mask bit makes the pixel transparent whatever its alpha says.
  for (int r = 0; r < height && hasMask; ++r, at += maskRow) {
    const std::uint8_t* row = &bytes[at];
    std::uint32_t* out = &picture.pixels[static_cast<std::size_t>(height - 1 - r) * width];
    for (int x = 0; x < width; ++x)
      if (row[x / 8] >> (7 - x % 8) & 1) out[x] &= 0x00FFFFFFu;
  }
}

// The bytes an image is read from: for a PNG image those up to the end of
// its last chunk, when that lies within its size field, else all its size
// field gives it; for a bitmap image its info header and what follows in the
// file (its size field is not used), as far as any of it is read.
struct ImageBytes {
  std::uint64_t offset = 0;
  std::uint64_t size = 0;
  std::uint64_t hash = 0;
};

// The end of a PNG stream's "IEND" chunk, or 0 when its chunks do not reach
// one within the limit.
std::uint64_t PngStreamEnd(const ByteBuffer& bytes, std::uint64_t offset, std::uint64_t limit) {
  std::uint64_t at = offset + sizeof PNG_SIGNATURE;
  while (at + 12 <= limit) {
    const std::uint64_t length = std::uint64_t(bytes[at]) << 24 | std::uint64_t(bytes[at + 1]) << 16 |
                                 std::uint64_t(bytes[at + 2]) << 8 | bytes[at + 3];
    const std::uint64_t end = at + 12 + length;
    if (end > limit) return 0;
    if (std::memcmp(&bytes[at + 4], "IEND", 4) == 0) return end;
    at = end;
  }
  return 0;
}

ImageBytes ImageBytesOf(const ByteBuffer& bytes, const IconDirEntry& dir, bool png) {
  ImageBytes image;
  image.offset = std::min<std::uint64_t>(dir.imageOffset, bytes.size());
  const std::uint64_t available = bytes.size() - image.offset;
  if (png) {
    image.size = std::min<std::uint64_t>(dir.bytesInRes, available);
    if (const std::uint64_t end = PngStreamEnd(bytes, image.offset, image.offset + image.size); end != 0)
      image.size = end - image.offset;
  } else {
    // A bitmap is told apart by its offset (its size field is not read) and
    // its first bytes, which hold its header.
    image.size = std::min<std::uint64_t>(available, 64 * 1024);
  }
  std::uint64_t hash = png ? 14695981039346656037ull : 14695981039346656037ull ^ image.offset;
  for (std::uint64_t i = 0; i < image.size; ++i) {
    hash ^= bytes[image.offset + i];
    hash *= 1099511628211ull;
  }
  image.hash = hash;
  return image;
}

// The pixels the image's own header promises: a PNG image's header, or a
// bitmap's info header.
std::uint64_t DeclaredPixels(const ByteBuffer& bytes, const ImageBytes& image, bool png) {
  if (png) {
    // Signature, chunk length and type, then the width and height.
    if (image.size < 24) return 0;
    const auto u32 = [&](std::uint64_t at) {
      return std::uint64_t(bytes[at]) << 24 | std::uint64_t(bytes[at + 1]) << 16 | std::uint64_t(bytes[at + 2]) << 8 |
             bytes[at + 3];
    };
    const std::uint64_t width = u32(image.offset + 16);
    const std::uint64_t height = u32(image.offset + 20);
    // The decoder refuses larger pictures before decoding them.
    if (width > IMPORT_MAX_PICTURE_SIZE || height > IMPORT_MAX_PICTURE_SIZE) return 0;
    return width * height;
  }
  if (!Holds(bytes, image.offset, INFO_HEADER_BYTES)) return 0;
  const auto width = static_cast<std::int32_t>(U32At(bytes, image.offset + INFO_WIDTH));
  const auto height = static_cast<std::int32_t>(U32At(bytes, image.offset + INFO_HEIGHT)) / 2;
  if (width < 1 || width > IMPORT_MAX_SOURCE_SIZE || height < 1 || height > IMPORT_MAX_SOURCE_SIZE) return 0;
  return std::uint64_t(width) * std::uint64_t(height);
}

}  // namespace

bool IsPngData(const std::uint8_t* data, std::size_t size) {
  return size >= sizeof PNG_SIGNATURE && std::memcmp(data, PNG_SIGNATURE, sizeof PNG_SIGNATURE) == 0;
}

std::string DecodeImportImage(const ByteBuffer& data, const PngDecoder& decodePng, RgbaPicture& full) {
  if (IsPngData(data.data(), data.size())) {
    if (!decodePng) return IMPORT_ENTRY_UNSUPPORTED;
    return decodePng(data.data(), data.size(), full);
  }
  ImportEntry entry;
  ReadBitmapEntry(data, 0, data.size(), entry, full);
  return entry.problem;
}

std::string ReadImportEntries(const ByteBuffer& bytes, std::vector<ImportEntry>& entries, const PngDecoder& decodePng,
                              const ImportProgress& progress) {
  entries.clear();
  if (bytes.size() < ICON_HEADER_BYTES) return ICON_READ_FAILED;
  // Type 1 is an icon file, type 2 a cursor file of the same layout, whose
  // directory keeps the hot spot where an icon keeps planes and bit count.
  const int type = U16At(bytes, 2);
  if (U16At(bytes, 0) != 0 || (type != 1 && type != 2)) return ICON_NOT_ICON_FILE;
  if (U16At(bytes, 4) > IMPORT_MAX_ENTRIES) return IMPORT_TOO_MANY_ENTRIES;
  IconHeader header;
  std::vector<IconDirEntry> directory;
  if (!ReadIconDirectory(bytes, header, directory)) return ICON_READ_FAILED;
  entries.resize(directory.size());
  // The first entry decoded from each distinct run of image bytes.
  std::map<std::pair<std::uint64_t, std::uint64_t>, std::vector<std::size_t>> decoded;
  std::uint64_t totalPixels = 0;
  for (std::size_t i = 0; i < directory.size(); ++i) {
    if (progress && !progress(static_cast<int>(i), static_cast<int>(directory.size()))) {
      entries.clear();
      return {};
    }
    const IconDirEntry& dir = directory[i];
    ImportEntry& entry = entries[i];
    // A width or height byte of 0 stands for 256 pixels.
    entry.width = dir.width == 0 ? 256 : dir.width;
    entry.height = dir.height == 0 ? 256 : dir.height;
    entry.bitCount = type == 1 ? dir.bitCount : 0;
    entry.cursor = type == 2;
    entry.png = Holds(bytes, dir.imageOffset, sizeof PNG_SIGNATURE) &&
                IsPngData(&bytes[dir.imageOffset], bytes.size() - dir.imageOffset);
    const ImageBytes image = ImageBytesOf(bytes, dir, entry.png);
    std::vector<std::size_t>& same = decoded[{image.hash, image.size}];
    const auto earlier = std::find_if(same.begin(), same.end(), [&](std::size_t other) {
      const ImageBytes seen = ImageBytesOf(bytes, directory[other], entries[other].png);
      return std::memcmp(&bytes[seen.offset], &bytes[image.offset], image.size) == 0;
    });
    if (earlier != same.end()) {
      entry = entries[*earlier];
      continue;
    }
    same.push_back(i);
    totalPixels += DeclaredPixels(bytes, image, entry.png);
    if (totalPixels > IMPORT_MAX_TOTAL_PIXELS) {
      entries.clear();
      return IMPORT_TOO_MANY_PIXELS;
    }
    RgbaPicture full;
    if (entry.png) {
      entry.bitCount = PngBitsPerPixel(&bytes[dir.imageOffset], bytes.size() - dir.imageOffset);
      if (!Holds(bytes, dir.imageOffset, dir.bytesInRes)) {
        entry.problem = IMPORT_ENTRY_TRUNCATED;
        continue;
      }
      entry.pngOffset = dir.imageOffset;
      entry.pngSize = image.size;
      if (!decodePng) continue;
      entry.problem = decodePng(&bytes[entry.pngOffset], entry.pngSize, full);
    } else {
      ReadBitmapEntry(bytes, dir.imageOffset, dir.bytesInRes, entry, full);
    }
    if (entry.problem.empty()) KeepScaledPicture(full, entry);
  }
  return {};
}
