#include "clipboard/clipboard_commands.h"

#include <memory>

#include "canvas/preview.h"
#include "clipboard/color_picture.h"
#include "clipboard/paste_alpha.h"
#include "clipboard/paste_mapping.h"
#include "clipboard/transparent_paste.h"
#include "clipboard/transparent_paste_dialog.h"
#include "clipboard/true_colour_paste.h"
#include "palette/colour_reduction.h"
#include "platform/clipboard.h"
#include "platform/modal.h"
#include "platform/system_colors.h"

ColorPicture RenderImageArea(const ImageTab& tab, const CellRect& area) {
  ColorPicture picture = MakeColorPicture(area.right - area.left + 1, area.bottom - area.top + 1);
  RasterSurface surface = picture.Surface();
  const ColorRef background = BackgroundColor(tab.backgroundIndex);
  for (int y = 0; y < picture.height; ++y)
    for (int x = 0; x < picture.width; ++x)
      SetSurfacePixel(surface, x, y, PreviewColor(tab, CellAt(tab, area.left + x, area.top + y), background));
  return picture;
}

// The picture is made from the cells with the colours the real-size preview
// shows, rather than read from the preview's window, so it is right even
// when the preview has not caught up with the image. Transparent cells (and
// inverted ones, which a picture cannot hold) go out with alpha 0 over the
// colour the preview shows, so that a paste, here or in another program,
// keeps the holes.
bool CopySelectionToClipboard(ImageTab& tab) {
  const CellRect area = SelectionOnImage(tab);
  // A true-colour tab's pixels go out as they are, alpha and all.
  if (IsTrueColour(tab)) return PutPictureOnClipboard(TrueColourPictureOf(tab, area));
  ColorPicture picture = RenderImageArea(tab, area);
  picture.alpha.assign(picture.pixels.size(), 0xFF);
  bool anyTransparent = false;
  for (int y = 0; y < picture.height; ++y)
    for (int x = 0; x < picture.width; ++x)
      if ((CellAt(tab, area.left + x, area.top + y) & CELL_MASK_BIT) != 0) {
        picture.alpha[static_cast<std::size_t>(y) * picture.width + x] = 0;
        anyTransparent = true;
      }
  if (!anyTransparent) picture.alpha.clear();
  return PutPictureOnClipboard(picture);
}

int PasteFromClipboard(ImageTab& tab, unsigned commandWord) {
  ColorPicture taken;
  if (!TakePictureFromClipboard(taken)) return 0;
  const int command = static_cast<int>(commandWord & 0xFFFFu);
  if (IsTrueColour(tab)) {
    // A true-colour tab has no palette to map onto and a transparent colour
    // of its own in every pixel's alpha: each paste into it keeps the
    // picture's colours and alpha exactly.
    if (command != PASTE_TRANSPARENT && command != PASTE_NEAREST && command != PASTE_AS_IS) return 0;
    StretchPictureIntoSelection(tab, taken);
    return 1;
  }
  // Transparent pixels are white where the picture is stretched, so that
  // they leave the colours of the opaque pixels beside them alone, and black
  // where its colours are found, which always lists black first. The cells
  // they cover become transparent below.
  const bool alpha = HasTransparentPixels(taken);
  ColorPicture picture = alpha ? TransparentPixelsAs(taken, 0xFFFFFFu) : std::move(taken);
  ColorPicture colourSource = alpha ? TransparentPixelsAs(taken, 0) : ColorPicture{};
  const RasterSurface surface = picture.Surface();
  const RasterSurface colourSurface = alpha ? colourSource.Surface() : surface;
  const CellRect target = SelectionOnImage(tab);
  const int width = target.right - target.left + 1;
  const int height = target.bottom - target.top + 1;
  if (command == PASTE_TRANSPARENT) {
    auto paste = std::make_unique<PastePicture>();
    PreparePastePicture(tab, surface, *paste, &colourSurface);
    if (alpha) MarkTransparentCells(taken, width, height, paste->indexPicture);
    return TransparentPasteDialog(tab, *paste) == IDOK ? 1 : 0;
  }
  // The index picture is as large as the tab's cells; it lives on the heap
  // beside the picture for the length of the paste.
  auto indexPicture = std::make_unique<PixelCell[]>(CELL_COUNT);
  if (command == PASTE_NEAREST) {
    MapPictureToPalette(tab, surface, tab.palette, indexPicture.get());
  } else if (command == PASTE_AS_IS) {
    // The picture's own colours, black first, numbered in the order they
    // turn up; the pixels take those numbers and show in the tab's colours.
    ColorRef colours[256] = {};
    FindReducedPalette(PaletteSize(tab), colourSurface, 0, 0, colourSurface.width, colourSurface.height, width, height,
                       colours);
    MapPictureToPalette(tab, surface, colours, indexPicture.get());
  } else {
    return 0;
  }
  StorePastedPicture(tab, indexPicture.get());
  if (alpha) {
    MarkTransparentCells(taken, width, height, indexPicture.get());
    StoreTransparentCells(tab, indexPicture.get(), target.left, target.top, width, height);
  }
  return 1;
}
