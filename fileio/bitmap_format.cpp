#include "fileio/bitmap_format.h"

#include "fileio/dib_rows.h"
#include "fileio/icon_format.h"

int BitmapRowBytes(int width, std::uint8_t colorCode) {
  // The same rounding as an icon's colour rows, only wider.
  return ColorRowBytes(width, colorCode);
}

ByteBuffer SerializeSideBySideBitmap(const std::vector<const ImageTab*>& tabs) {
  if (tabs.empty()) return {};
  const ImageTab& first = *tabs.front();
  const int width = first.width;
  const int height = first.height;
  const int totalWidth = width * static_cast<int>(tabs.size());
  const int rowBytes = BitmapRowBytes(totalWidth, first.colorCode);
  const std::uint32_t pixelOffset =
      static_cast<std::uint32_t>(BITMAP_FILE_HEADER_BYTES + INFO_HEADER_BYTES + 4 * PaletteSize(first));
  const std::uint32_t fileSize = pixelOffset + static_cast<std::uint32_t>(rowBytes * height);

  ByteBuffer bytes;
  bytes.reserve(fileSize);
  bytes.push_back('B');
  bytes.push_back('M');
  PutU32(bytes, fileSize);
  PutU16(bytes, 0);
  PutU16(bytes, 0);
  PutU32(bytes, pixelOffset);
  PutInfoHeader(bytes, totalWidth, height, BitCountOfCode(first.colorCode));
  PutPaletteQuads(bytes, first);

  // Every tab lends the first tab's width of pixels to each row; the cell
  // table always has 64 x 64 cells, so a narrower tab is never read outside
  // its own cells. Mask bits are dropped: a transparent pixel keeps its index.
  std::vector<std::uint8_t> indexes(static_cast<std::size_t>(totalWidth));
  for (int y = height - 1; y >= 0; --y) {
    std::size_t x0 = 0;
    for (const ImageTab* tab : tabs)
      for (int x = 0; x < width; ++x) indexes[x0++] = static_cast<std::uint8_t>(CellAt(*tab, x, y) & CELL_INDEX_BITS);
    PackIndexRow(bytes, indexes.data(), totalWidth, BitCountOfCode(first.colorCode), rowBytes);
  }
  return bytes;
}
