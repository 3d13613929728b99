#pragma once
// X11 cursor files (the Xcursor format that desktop cursor themes use): a
// header and a table of contents, then one image chunk per picture with its
// nominal size, hot spot and delay, pixels as premultiplied ARGB words.

#include <cstdint>
#include <string>
#include <vector>

#include "model/image_tab.h"
#include "platform/file_bytes.h"

constexpr std::uint32_t XCURSOR_MAGIC = 0x72756358;  // "Xcur"
constexpr std::uint32_t XCURSOR_IMAGE_TYPE = 0xFFFD0002;

// One picture of the file: the tab and, for a frame of an animation, how
// long it stays on screen in milliseconds (0 for a still cursor).
struct XcursorFrame {
  const ImageTab* tab = nullptr;
  std::uint32_t delayMs = 0;
};

// The ARGB word of a cell: transparent cells are 0, others opaque.
std::uint32_t XcursorPixelOfCell(const ImageTab& tab, PixelCell cell);

// The file image of the frames in the order given. Each picture's nominal
// size is the larger of its width and height; pictures of one size form
// that size's animation in their order.
ByteBuffer SerializeXcursor(const std::vector<XcursorFrame>& frames);

// The index.theme of a cursor theme folder named name.
std::string XcursorThemeIndex(const std::string& name);
