#include "clipboard/transparent_paste.h"

#include <algorithm>
#include <memory>

#include "clipboard/paste_alpha.h"
#include "clipboard/paste_mapping.h"
#include "palette/colour_math.h"
#include "palette/colour_reduction.h"

namespace {

// Stands for a marked colour in the picture's colour list; no colour has a
// top byte.
constexpr ColorRef REMOVED_COLOR = 0xFF000000u;

// Marked by the user, or transparent in the picture itself: either way the
// merge leaves the cell alone.
bool IsMarked(const PastePicture& paste, int x, int y) {
  const PixelCell index = paste.indexPicture[CellIndex(x, y)];
  return paste.flags[index & CELL_INDEX_BITS] == TRANSPARENT_FLAG || (index & CELL_MASK_BIT) != 0;
}

int PictureIndex(const PastePicture& paste, int x, int y) { return paste.indexPicture[CellIndex(x, y)] & CELL_INDEX_BITS; }

// Calls pasteOne(colour number, cell under it) for every pixel of the
// picture that is not marked transparent and lands inside the image.
template <typename Paste>
void ForEachPastedPixel(ImageTab& tab, const PastePicture& paste, Paste pasteOne) {
  for (int x = 0; x < paste.width && x < MAX_IMAGE_SIZE && paste.left + x < tab.width; ++x)
    for (int y = 0; y < paste.height && y < MAX_IMAGE_SIZE && paste.top + y < tab.height; ++y)
      if (paste.left + x >= 0 && paste.top + y >= 0 && !IsMarked(paste, x, y))
        pasteOne(PictureIndex(paste, x, y), CellAt(tab, paste.left + x, paste.top + y));
}

// Moves every cell of the image to the nearest of the n colours to the
// colour it showed before, keeping its mask bit.
void RemapImage(ImageTab& tab, const ColorRef* oldPalette, const ColorRef* colours, int n) {
  for (int x = 0; x < tab.width; ++x)
    for (int y = 0; y < tab.height; ++y) {
      PixelCell& cell = CellAt(tab, x, y);
      const int index = NearestPaletteIndex(colours, n, oldPalette[cell & CELL_INDEX_BITS]);
      cell = static_cast<PixelCell>((cell & CELL_MASK_BIT) | index);
    }
}

// The list of colours when the picture leaves room in the palette: its own
// colours first, then colours of the image, repeats taken out.
void BuildToppedUpList(const ColorRef* pictureColours, int last, int kept, int n, const RasterSurface& shownImage,
                       int width, int height, ColorRef* list) {
  int next = 0;
  for (int i = 0; i <= last; ++i)
    if (pictureColours[i] != REMOVED_COLOR) list[next++] = pictureColours[i];
  // With one entry left the shrinking search could never make the image's
  // colours fit beside the black it always starts with; black alone is
  // what it would choose.
  if (n - kept >= 2)
    FindReducedPalette(n - kept, shownImage, 0, 0, width, height, width, height, list + kept);
  else
    list[kept] = 0;

  for (int i = 1; i < n; ++i)
    for (int j = 0; j < i; ++j)
      if (list[i] == list[j]) {
        list[i] = 0;
        break;
      }

  // The first black entry stays; at every later black position the
  // entries behind it move down one place, and the walk goes on at the
  // next position. Any black left over merges when the palette is
  // organized.
  bool firstBlackSeen = false;
  for (int p = 0; p < n; ++p) {
    if (list[p] != 0) continue;
    if (!firstBlackSeen) {
      firstBlackSeen = true;
      continue;
    }
    std::copy(list + p + 1, list + n, list + p);
    list[n - 1] = 0;
  }
}

void TakeInColours(ImageTab& tab, const PastePicture& paste, const RasterSurface& shownImage) {
  const int n = PaletteSize(tab);
  OrganizePalette(tab);
  ColorRef oldPalette[256];
  std::copy(tab.palette, tab.palette + 256, oldPalette);

  ColorRef pictureColours[256];
  std::copy(paste.palette, paste.palette + 256, pictureColours);
  for (int i = 0; i < 256; ++i)
    if (paste.flags[i] == TRANSPARENT_FLAG) pictureColours[i] = REMOVED_COLOR;

  int last = -1;
  for (int i = n - 1; i >= 0; --i)
    if (pictureColours[i] != 0 && pictureColours[i] != REMOVED_COLOR) {
      last = i;
      break;
    }
  int kept = 0;
  for (int i = 0; i <= last; ++i)
    if (pictureColours[i] != REMOVED_COLOR) ++kept;

  ColorRef list[256] = {};
  const bool pictureFillsPalette = kept == n;
  if (pictureFillsPalette)
    std::copy(pictureColours, pictureColours + n, list);
  else
    BuildToppedUpList(pictureColours, last, kept, n, shownImage, tab.width, tab.height, list);

  RemapImage(tab, oldPalette, list, n);
  ForEachPastedPixel(tab, paste, [&](int number, PixelCell& cell) {
    cell = static_cast<PixelCell>(pictureFillsPalette ? number : NearestPaletteIndex(list, n, paste.palette[number]));
  });
  std::copy(list, list + n, tab.palette);
  OrganizePalette(tab);
}

}  // namespace

void OrderPicturePalette(ColorRef* palette, PixelCell* indexPicture, int width, int height, int n) {
  // The picture is put in order exactly as a tab's palette is organized,
  // on a scratch tab that holds its colours and numbers.
  auto scratch = std::make_unique<ImageTab>();
  scratch->width = static_cast<std::uint8_t>(std::clamp(width, 0, MAX_IMAGE_SIZE));
  scratch->height = static_cast<std::uint8_t>(std::clamp(height, 0, MAX_IMAGE_SIZE));
  scratch->colorCode = n == 256 ? 0 : static_cast<std::uint8_t>(n);
  std::copy(palette, palette + 256, scratch->palette);
  std::copy(indexPicture, indexPicture + CELL_COUNT, scratch->cells);
  OrganizePalette(*scratch);
  std::copy(scratch->palette, scratch->palette + 256, palette);
  std::copy(scratch->cells, scratch->cells + CELL_COUNT, indexPicture);
}

void PreparePastePicture(const ImageTab& tab, const RasterSurface& picture, PastePicture& paste,
                         const RasterSurface* coloursFrom) {
  const RasterSurface& colours = coloursFrom != nullptr ? *coloursFrom : picture;
  const int n = PaletteSize(tab);
  const CellRect target = SelectionOnImage(tab);
  paste.left = target.left;
  paste.top = target.top;
  paste.width = target.right - target.left + 1;
  paste.height = target.bottom - target.top + 1;
  std::fill(paste.palette, paste.palette + 256, 0);
  std::fill(paste.flags, paste.flags + 256, 0);
  FindReducedPalette(n, colours, 0, 0, colours.width, colours.height, paste.width, paste.height, paste.palette);
  MapPictureToPalette(tab, picture, paste.palette, paste.indexPicture);
  OrderPicturePalette(paste.palette, paste.indexPicture, paste.width, paste.height, n);
}

bool ClickColorCell(PastePicture& paste, int n, int q, bool shift, int& lastClicked) {
  if (q < 0 || q >= n || q >= 256) return false;
  if (shift && lastClicked >= 0 && q != lastClicked) {
    const int step = q < lastClicked ? 1 : -1;
    for (int i = q; i != lastClicked; i += step) paste.flags[i] ^= TRANSPARENT_FLAG;
  } else {
    paste.flags[q] ^= TRANSPARENT_FLAG;
  }
  lastClicked = q;
  return true;
}

int FindPictureColor(const PastePicture& paste, ColorRef colour) {
  for (int i = 0; i < 256; ++i)
    if (paste.palette[i] == colour) return i;
  return -1;
}

void ApplyTransparentPaste(ImageTab& tab, int mode, const PastePicture& paste, const RasterSurface& shownImage) {
  if (mode == MODE_TAKE_COLORS) {
    TakeInColours(tab, paste, shownImage);
  } else {
    const int n = PaletteSize(tab);
    ForEachPastedPixel(tab, paste, [&](int number, PixelCell& cell) {
      cell = static_cast<PixelCell>(
          mode == MODE_NEAREST_COLORS ? NearestPaletteIndex(tab.palette, n, paste.palette[number]) : number);
    });
  }
  // The part of the index picture that lands inside the image.
  const int width = std::min({paste.width, MAX_IMAGE_SIZE, tab.width - paste.left});
  const int height = std::min({paste.height, MAX_IMAGE_SIZE, tab.height - paste.top});
  StoreTransparentCells(tab, paste.indexPicture, paste.left, paste.top, width, height);
}
