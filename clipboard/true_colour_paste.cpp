#include "clipboard/true_colour_paste.h"

#include <algorithm>
#include <cstddef>

#include "clipboard/paste_mapping.h"

PixelCell TrueColourCellOfPicture(const PixelPicture& picture, int x, int y) {
  const std::size_t i = static_cast<std::size_t>(y) * static_cast<std::size_t>(picture.width) + static_cast<std::size_t>(x);
  const std::uint32_t alpha = i < picture.alpha.size() ? picture.alpha[i] : 0xFFu;
  return TrueColourCell(alpha << 24 | (picture.pixels[i] & 0xFFFFFFu));
}

PixelPicture TrueColourPictureOf(const ImageTab& tab, const CellRect& area) {
  PixelPicture picture;
  picture.width = std::max(area.right - area.left + 1, 0);
  picture.height = std::max(area.bottom - area.top + 1, 0);
  const std::size_t count = static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height);
  picture.pixels.resize(count);
  picture.alpha.resize(count);
  bool anyTransparent = false;
  for (int y = 0; y < picture.height; ++y)
    for (int x = 0; x < picture.width; ++x) {
      const PixelCell cell = CellAt(tab, area.left + x, area.top + y);
      const std::size_t i = static_cast<std::size_t>(y) * static_cast<std::size_t>(picture.width) + static_cast<std::size_t>(x);
      picture.pixels[i] = 0xFF000000u | (cell & 0xFFFFFFu);
      picture.alpha[i] = static_cast<std::uint8_t>(cell >> 24);
      anyTransparent = anyTransparent || picture.alpha[i] != 0xFF;
    }
  if (!anyTransparent) picture.alpha.clear();
  return picture;
}

void TrueColourBlockOf(const ImageTab& tab, const PixelPicture& picture, FloatingBlock& block) {
  block.width = std::clamp(picture.width, 1, MaxSideOf(tab));
  block.height = std::clamp(picture.height, 1, MaxSideOf(tab));
  for (int x = 0; x < block.width; ++x)
    for (int y = 0; y < block.height; ++y)
      block.cells[CellIndex(x, y)] =
          x < picture.width && y < picture.height ? TrueColourCellOfPicture(picture, x, y) : 0;
}

void StretchPictureIntoSelection(ImageTab& tab, const PixelPicture& picture) {
  if (picture.empty()) return;
  const CellRect target = SelectionOnImage(tab);
  const int width = target.right - target.left + 1;
  const int height = target.bottom - target.top + 1;
  for (int x = 0; x < width; ++x)
    for (int y = 0; y < height; ++y) {
      // The centre of each cell, measured in the picture's pixels.
      const int px = static_cast<int>((2LL * x + 1) * picture.width / (2LL * width));
      const int py = static_cast<int>((2LL * y + 1) * picture.height / (2LL * height));
      CellAt(tab, target.left + x, target.top + y) = TrueColourCellOfPicture(picture, px, py);
    }
}
