#include "fileio/xcursor_format.h"

#include <algorithm>

#include "fileio/dib_rows.h"

namespace {

constexpr std::uint32_t FILE_HEADER_BYTES = 16;
constexpr std::uint32_t TOC_ENTRY_BYTES = 12;
constexpr std::uint32_t IMAGE_HEADER_BYTES = 36;
constexpr std::uint32_t FILE_VERSION = 0x00010000;
constexpr std::uint32_t IMAGE_VERSION = 1;

std::uint32_t NominalSize(const ImageTab& tab) { return std::max(tab.width, tab.height); }

}  // namespace

std::uint32_t XcursorPixelOfCell(const ImageTab& tab, PixelCell cell) {
  // With full or no coverage only, premultiplying changes nothing but the
  // transparent pixels, which are all zero.
  if ((cell & CELL_MASK_BIT) != 0) return 0;
  const ColorRef color = tab.palette[cell & CELL_INDEX_BITS];
  const std::uint32_t red = color & 0xFF;
  const std::uint32_t green = color >> 8 & 0xFF;
  const std::uint32_t blue = color >> 16 & 0xFF;
  return 0xFF000000u | red << 16 | green << 8 | blue;
}

ByteBuffer SerializeXcursor(const std::vector<XcursorFrame>& frames) {
  ByteBuffer bytes;
  const auto count = static_cast<std::uint32_t>(frames.size());
  PutU32(bytes, XCURSOR_MAGIC);
  PutU32(bytes, FILE_HEADER_BYTES);
  PutU32(bytes, FILE_VERSION);
  PutU32(bytes, count);
  std::uint32_t position = FILE_HEADER_BYTES + TOC_ENTRY_BYTES * count;
  for (const XcursorFrame& frame : frames) {
    PutU32(bytes, XCURSOR_IMAGE_TYPE);
    PutU32(bytes, NominalSize(*frame.tab));
    PutU32(bytes, position);
    position += IMAGE_HEADER_BYTES + 4u * frame.tab->width * frame.tab->height;
  }
  for (const XcursorFrame& frame : frames) {
    const ImageTab& tab = *frame.tab;
    PutU32(bytes, IMAGE_HEADER_BYTES);
    PutU32(bytes, XCURSOR_IMAGE_TYPE);
    PutU32(bytes, NominalSize(tab));
    PutU32(bytes, IMAGE_VERSION);
    PutU32(bytes, tab.width);
    PutU32(bytes, tab.height);
    PutU32(bytes, tab.hotSpotX);
    PutU32(bytes, tab.hotSpotY);
    PutU32(bytes, frame.delayMs);
    // Rows top first, unlike the icon's bitmaps.
    for (int y = 0; y < tab.height; ++y)
      for (int x = 0; x < tab.width; ++x) PutU32(bytes, XcursorPixelOfCell(tab, CellAt(tab, x, y)));
  }
  return bytes;
}

std::string XcursorThemeIndex(const std::string& name) {
  return "[Icon Theme]\nName=" + name + "\nComment=" + name + "\n";
}
