#include "import/depth_conversion.h"

#include <algorithm>
#include <cstring>
#include <set>
#include <vector>

#include "import/alpha_cut.h"
#include "import/convert.h"
#include "import/read.h"

namespace {

// 0xRRGGBB of a palette entry (red in its low byte).
std::uint32_t RgbOfColorRef(ColorRef c) { return (c & 0xFFu) << 16 | (c & 0xFF00u) | (c >> 16 & 0xFFu); }

RgbaPicture PictureOfCells(const ImageTab& tab) {
  RgbaPicture picture;
  picture.width = tab.width;
  picture.height = tab.height;
  picture.pixels.resize(static_cast<std::size_t>(tab.width) * tab.height);
  for (int y = 0; y < tab.height; ++y)
    for (int x = 0; x < tab.width; ++x) picture.pixels[static_cast<std::size_t>(y) * tab.width + x] = CellAt(tab, x, y);
  return picture;
}

// The swatch table as the palette, when it holds every opaque colour of the
// cut picture among its first `colours` entries and a black entry there for
// the transparent pixels.
bool StoreWithSwatches(const ImageTab& source, const RgbaPicture& picture, int colours, ImageTab& target) {
  const int n = std::min(colours, 256);
  int black = -1;
  for (int i = 0; i < n && black < 0; ++i)
    if ((source.palette[i] & 0xFFFFFFu) == 0) black = i;
  std::vector<PixelCell> cells(picture.pixels.size());
  for (std::size_t p = 0; p < picture.pixels.size(); ++p) {
    const std::uint32_t argb = picture.pixels[p];
    if (AlphaOf(argb) == 0) {
      if (black < 0) return false;
      cells[p] = static_cast<PixelCell>(black) | CELL_MASK_BIT;
      continue;
    }
    int index = 0;
    while (index < n && RgbOfColorRef(source.palette[index]) != (argb & 0xFFFFFFu)) ++index;
    if (index == n) return false;
    cells[p] = static_cast<PixelCell>(index);
  }
  std::memcpy(target.palette, source.palette, sizeof target.palette);
  for (int i = n; i < 256; ++i) target.palette[i] = 0;
  for (int y = 0; y < picture.height; ++y)
    for (int x = 0; x < picture.width; ++x) CellAt(target, x, y) = cells[static_cast<std::size_t>(y) * picture.width + x];
  return true;
}

int OpaqueColourCount(const RgbaPicture& picture) {
  std::set<std::uint32_t> colours;
  for (std::uint32_t argb : picture.pixels)
    if (AlphaOf(argb) != 0) colours.insert(argb & 0xFFFFFFu);
  return static_cast<int>(colours.size());
}

}  // namespace

int InvertedCellCount(const ImageTab& tab) {
  if (IsTrueColour(tab)) return 0;
  int count = 0;
  for (int x = 0; x < tab.width; ++x)
    for (int y = 0; y < tab.height; ++y) {
      const PixelCell cell = CellAt(tab, x, y);
      if ((cell & CELL_MASK_BIT) != 0 && (tab.palette[cell & CELL_INDEX_BITS] & 0xFFFFFFu) != 0) ++count;
    }
  return count;
}

void MakeTrueColourOf(const ImageTab& source, ImageTab& target) {
  target.kind = TabKind::TrueColour;
  target.width = source.width;
  target.height = source.height;
  target.colorCode = 0;
  std::memcpy(target.palette, source.palette, sizeof target.palette);
  std::fill(std::begin(target.cells), std::end(target.cells), 0);
  for (int x = 0; x < source.width; ++x)
    for (int y = 0; y < source.height; ++y) {
      const PixelCell cell = CellAt(source, x, y);
      CellAt(target, x, y) =
          (cell & CELL_MASK_BIT) != 0 ? 0 : 0xFF000000u | RgbOfColorRef(source.palette[cell & CELL_INDEX_BITS]);
    }
  target.penColour = 0xFF000000u | RgbOfColorRef(source.palette[source.penIndex]);
  target.hotSpotX = source.hotSpotX;
  target.hotSpotY = source.hotSpotY;
}

std::string MakeIndexedOf(const ImageTab& source, const IndexedChoice& choice, ImageTab& target, TextLookup lookup) {
  const int colours = choice.colours <= 2 ? 2 : choice.colours <= 16 ? 16 : 256;
  const RgbaPicture full = PictureOfCells(source);
  const RgbaPicture scaled = ScalePictureToFit(full, MAX_IMAGE_SIZE);
  int partial = 0;
  for (std::uint32_t argb : scaled.pixels)
    if (AlphaOf(argb) != 0 && AlphaOf(argb) != 255) ++partial;
  AlphaCut cut;
  cut.cut = std::min<std::uint32_t>(choice.alphaCut, 255);
  const RgbaPicture picture = ApplyAlphaCut(scaled, cut);
  const int found = OpaqueColourCount(picture);

  target.kind = TabKind::Indexed;
  std::fill(std::begin(target.cells), std::end(target.cells), FRESH_CELL);
  if (!StoreWithSwatches(source, picture, colours, target)) ConvertPicture(picture, colours, choice.dither, target);
  target.width = static_cast<std::uint16_t>(picture.width);
  target.height = static_cast<std::uint16_t>(picture.height);
  target.colorCode = CodeForColours(colours);
  target.penIndex = 0;
  target.penMask = 0;
  target.hotSpotX = static_cast<std::uint8_t>(std::min<int>(source.hotSpotX, picture.width - 1));
  target.hotSpotY = static_cast<std::uint8_t>(std::min<int>(source.hotSpotY, picture.height - 1));

  std::vector<std::string> losses;
  if (picture.width != source.width || picture.height != source.height)
    losses.push_back(FillText(lookup(QT_TRANSLATE_NOOP("Quillet2", "%1に縮小")),
                              {std::to_string(picture.width) + "×" + std::to_string(picture.height)}));
  if (found > colours)
    losses.push_back(FillText(lookup(QT_TRANSLATE_NOOP("Quillet2", "%1色を%2色にまとめる")),
                              {std::to_string(found), std::to_string(colours)}));
  if (partial > 0)
    losses.push_back(FillText(lookup(QT_TRANSLATE_NOOP("Quillet2", "半透明の%1画素を透明か不透明にする")),
                              {std::to_string(partial)}));
  return JoinLosses(losses, lookup);
}
