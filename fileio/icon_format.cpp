#include "fileio/icon_format.h"

#include <algorithm>
#include <cctype>

#include "fileio/dib_reading.h"
#include "fileio/dib_rows.h"

bool FileExtensionIs(const std::string& name, const std::string& extension) {
  // Paths are scanned byte by byte. A dot (0x2E) is never the second byte of
  // a double-byte Shift-JIS character, nor part of a multi-byte UTF-8
  // sequence, so the last dot byte is the last dot character in either.
  const std::size_t dot = name.rfind('.');
  const std::string own = dot == std::string::npos ? std::string() : name.substr(dot);
  if (own.size() != extension.size()) return false;
  for (std::size_t i = 0; i < own.size(); ++i) {
    const auto a = static_cast<unsigned char>(own[i]);
    const auto b = static_cast<unsigned char>(extension[i]);
    // Only ASCII letters fold; every other byte must match as it is.
    const bool ascii = a < 0x80 && b < 0x80;
    if (ascii ? std::tolower(a) != std::tolower(b) : a != b) return false;
  }
  return true;
}

bool ReadIconDirectory(const ByteBuffer& bytes, IconHeader& header, std::vector<IconDirEntry>& entries) {
  entries.clear();
  if (bytes.size() < ICON_HEADER_BYTES) return false;
  header.reserved = U16At(bytes, 0);
  header.type = U16At(bytes, 2);
  header.count = U16At(bytes, 4);
  if (!Holds(bytes, ICON_HEADER_BYTES, std::uint64_t(ICON_ENTRY_BYTES) * header.count)) return false;
  entries.resize(header.count);
  for (std::size_t i = 0; i < header.count; ++i) {
    const std::size_t at = ICON_HEADER_BYTES + i * ICON_ENTRY_BYTES;
    IconDirEntry& entry = entries[i];
    entry.width = bytes[at];
    entry.height = bytes[at + 1];
    entry.colorCount = bytes[at + 2];
    entry.reserved = bytes[at + 3];
    entry.planes = U16At(bytes, at + 4);
    entry.bitCount = U16At(bytes, at + 6);
    entry.bytesInRes = U32At(bytes, at + 8);
    entry.imageOffset = U32At(bytes, at + 12);
  }
  return true;
}

IconCheck CheckIconBytes(const ByteBuffer& bytes) {
  if (bytes.size() < ICON_HEADER_BYTES) return {ICON_READ_FAILED, 0};
  IconHeader header;
  header.reserved = U16At(bytes, 0);
  header.type = U16At(bytes, 2);
  header.count = U16At(bytes, 4);
  if (header.reserved != 0 || header.type != 1) return {ICON_NOT_ICON_FILE, 0};
  // The open flow refuses such a file by its tab limit; its directory is of
  // no interest.
  if (header.count > ICON_MAX_IMAGES) return {{}, header.count};
  std::vector<IconDirEntry> entries;
  if (!ReadIconDirectory(bytes, header, entries)) return {ICON_READ_FAILED, 0};
  for (const IconDirEntry& entry : entries) {
    // The image's own header gives its size; only when there is no header
    // to read does the entry's size stand for it (a 0 there means 256).
    IconImageShape shape;
    const bool headerRead = ReadIconImageShape(bytes, entry.imageOffset, shape);
    const int width = headerRead ? shape.width : entry.width == 0 ? 256 : entry.width;
    const int height = headerRead ? shape.height : entry.height == 0 ? 256 : entry.height;
    if (width < 1 || width > MAX_IMAGE_SIZE || height < 1 || height > MAX_IMAGE_SIZE)
      return {ICON_SIZE_UNSUPPORTED, 0};
    if (!headerRead) return {ICON_READ_FAILED, 0};
    if (shape.bitCount != 1 && shape.bitCount != 4 && shape.bitCount != 8) return {ICON_COLORS_UNSUPPORTED, 0};
    if (shape.compression != 0) return {ICON_COMPRESSED, 0};
    if (!IsEditableShape(shape)) return {ICON_READ_FAILED, 0};
  }
  return {{}, header.count};
}

bool ReadIconImageShape(const ByteBuffer& bytes, std::uint64_t offset, IconImageShape& shape) {
  if (!Holds(bytes, offset, INFO_HEADER_BYTES)) return false;
  shape.headerBytes = U32At(bytes, offset);
  shape.width = static_cast<std::int32_t>(U32At(bytes, offset + INFO_WIDTH));
  // The height counts the colour rows and the mask rows together.
  shape.height = static_cast<std::int32_t>(U32At(bytes, offset + INFO_HEIGHT)) / 2;
  shape.bitCount = U16At(bytes, offset + INFO_BIT_COUNT);
  shape.compression = U32At(bytes, offset + INFO_COMPRESSION);
  const std::uint32_t colorsUsed = U32At(bytes, offset + INFO_COLORS_USED);
  shape.paletteEntries = 0;
  if (shape.bitCount >= 1 && shape.bitCount <= 8) {
    const std::uint32_t full = 1u << shape.bitCount;
    shape.paletteEntries = colorsUsed != 0 && colorsUsed < full ? colorsUsed : full;
  }
  return true;
}

bool IsEditableShape(const IconImageShape& shape) {
  // Up to BITMAPV5HEADER; the palette follows the header whatever its size.
  constexpr std::uint32_t INFO_MAX_BYTES = 124;
  return (shape.bitCount == 1 || shape.bitCount == 4 || shape.bitCount == 8) && shape.compression == 0 &&
         shape.headerBytes >= INFO_HEADER_BYTES && shape.headerBytes <= INFO_MAX_BYTES && shape.width >= 1 &&
         shape.width <= MAX_IMAGE_SIZE && shape.height >= 1 && shape.height <= MAX_IMAGE_SIZE;
}

std::uint8_t ColorCodeOfBitCount(int bitCount) { return bitCount == 1 ? 2 : bitCount == 4 ? 16 : 0; }

int ColorRowBytes(int width, std::uint8_t colorCode) {
  switch (colorCode) {
    case 2: return ((width - 1) / 32 + 1) * 4;
    case 16: return ((width - 1) / 8 + 1) * 4;
    default: return (width + 3) / 4 * 4;
  }
}

int MaskRowBytes(int width) { return ((width - 1) / 32 + 1) * 4; }

int BitCountOfCode(std::uint8_t colorCode) { return colorCode == 2 ? 1 : colorCode == 16 ? 4 : 8; }

std::uint32_t IconImageDataSize(int width, int height, std::uint8_t colorCode) {
  return static_cast<std::uint32_t>(INFO_HEADER_BYTES + 4 * ColorCountOfCode(colorCode) +
                                    (ColorRowBytes(width, colorCode) + MaskRowBytes(width)) * height);
}

ColorRef ColorRefFromQuad(const std::uint8_t* quad) {
  return ColorRef(quad[2]) | ColorRef(quad[1]) << 8 | ColorRef(quad[0]) << 16;
}

void QuadFromColorRef(ColorRef color, std::uint8_t* quad) {
  quad[0] = static_cast<std::uint8_t>(color >> 16);
  quad[1] = static_cast<std::uint8_t>(color >> 8);
  quad[2] = static_cast<std::uint8_t>(color);
  quad[3] = 0;
}

bool ReadIconImage(const ByteBuffer& bytes, ImageTab& tab, std::uint32_t offset) {
  const int width = tab.width;
  const int height = tab.height;
  if (width < 1 || width > MAX_IMAGE_SIZE || height < 1 || height > MAX_IMAGE_SIZE) return false;
  IconImageShape shape;
  if (!ReadIconImageShape(bytes, offset, shape) || !IsEditableShape(shape)) return false;
  if (shape.width != width || shape.height != height || ColorCodeOfBitCount(shape.bitCount) != tab.colorCode)
    return false;
  const int colors = PaletteSize(tab);
  const std::uint32_t stored = std::min<std::uint32_t>(shape.paletteEntries, static_cast<std::uint32_t>(colors));
  const std::uint64_t colorRow = ColorRowBytes(width, tab.colorCode);
  const std::uint64_t maskRow = MaskRowBytes(width);

  std::uint64_t at = offset + shape.headerBytes;
  if (!Holds(bytes, at, 4ull * shape.paletteEntries)) return false;
  for (int i = 0; i < colors; ++i) tab.palette[i] = 0;
  for (std::uint32_t i = 0; i < stored; ++i) tab.palette[i] = ColorRefFromQuad(&bytes[at + 4ull * i]);
  at += 4ull * shape.paletteEntries;

  if (!Holds(bytes, at, colorRow * height)) return false;
  // Row r of the file is image row height - 1 - r.
  for (int r = 0; r < height; ++r, at += colorRow) {
    const std::uint8_t* row = &bytes[at];
    const int y = height - 1 - r;
    for (int x = 0; x < width; ++x) {
      int index;
      switch (tab.colorCode) {
        case 2: index = row[x / 8] >> (7 - x % 8) & 1; break;
        case 16: index = x % 2 == 0 ? row[x / 2] >> 4 : row[x / 2] & 0x0F; break;
        default: index = row[x]; break;
      }
      CellAt(tab, x, y) = static_cast<PixelCell>(index);
    }
  }

  if (!Holds(bytes, at, maskRow * height)) return false;
  for (int r = 0; r < height; ++r, at += maskRow) {
    const std::uint8_t* row = &bytes[at];
    const int y = height - 1 - r;
    for (int x = 0; x < width; ++x)
      if (row[x / 8] >> (7 - x % 8) & 1) CellAt(tab, x, y) |= CELL_MASK_BIT;
  }
  return true;
}

std::string DecodeIconFile(const ByteBuffer& bytes, std::vector<ImageTab>& images) {
  images.clear();
  const IconCheck check = CheckIconBytes(bytes);
  if (!check.error.empty()) return check.error;
  if (check.imageCount > ICON_MAX_IMAGES) return ICON_TOO_MANY_IMAGES;
  IconHeader header;
  std::vector<IconDirEntry> entries;
  if (!ReadIconDirectory(bytes, header, entries)) return ICON_READ_FAILED;
  images.resize(entries.size());
  for (std::size_t i = 0; i < entries.size(); ++i) {
    IconImageShape shape;
    if (!ReadIconImageShape(bytes, entries[i].imageOffset, shape)) {
      images.clear();
      return ICON_READ_FAILED;
    }
    images[i].width = static_cast<std::uint8_t>(shape.width);
    images[i].height = static_cast<std::uint8_t>(shape.height);
    images[i].colorCode = ColorCodeOfBitCount(shape.bitCount);
  }
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (!ReadIconImage(bytes, images[i], entries[i].imageOffset)) {
      images.clear();
      return ICON_READ_FAILED;
    }
  }
  return {};
}

ByteBuffer SerializeIcon(const std::vector<const ImageTab*>& tabs) {
  ByteBuffer bytes;
  PutU16(bytes, 0);
  PutU16(bytes, 1);
  PutU16(bytes, static_cast<std::uint32_t>(tabs.size()));
  std::uint32_t offset = static_cast<std::uint32_t>(ICON_HEADER_BYTES + ICON_ENTRY_BYTES * tabs.size());
  for (const ImageTab* tab : tabs) {
    const std::uint32_t size = IconImageDataSize(tab->width, tab->height, tab->colorCode);
    bytes.push_back(tab->width);
    bytes.push_back(tab->height);
    bytes.push_back(tab->colorCode);
    bytes.push_back(0);
    PutU16(bytes, 1);
    PutU16(bytes, static_cast<std::uint32_t>(BitCountOfCode(tab->colorCode)));
    PutU32(bytes, size);
    PutU32(bytes, offset);
    offset += size;
  }
  for (const ImageTab* tab : tabs) {
    const int width = tab->width;
    const int height = tab->height;
    PutInfoHeader(bytes, width, 2 * height, BitCountOfCode(tab->colorCode));
    PutPaletteQuads(bytes, *tab);
    const int colorRow = ColorRowBytes(width, tab->colorCode);
    std::uint8_t indexes[MAX_IMAGE_SIZE];
    for (int y = height - 1; y >= 0; --y) {
      for (int x = 0; x < width; ++x) indexes[x] = static_cast<std::uint8_t>(CellAt(*tab, x, y) & CELL_INDEX_BITS);
      PackIndexRow(bytes, indexes, width, BitCountOfCode(tab->colorCode), colorRow);
    }
    for (int y = height - 1; y >= 0; --y) {
      for (int x = 0; x < width; ++x) indexes[x] = (CellAt(*tab, x, y) & CELL_MASK_BIT) != 0 ? 1 : 0;
      PackIndexRow(bytes, indexes, width, 1, MaskRowBytes(width));
    }
  }
  return bytes;
}
