#include "clipboard/clipboard_commands.h"

#include <memory>

#include "canvas/preview.h"
#include "clipboard/color_picture.h"
#include "clipboard/paste_mapping.h"
#include "clipboard/transparent_paste.h"
#include "clipboard/transparent_paste_dialog.h"
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
// when the preview has not caught up with the image.
bool CopySelectionToClipboard(ImageTab& tab) {
  return PutPictureOnClipboard(RenderImageArea(tab, SelectionOnImage(tab)));
}

int PasteFromClipboard(ImageTab& tab, unsigned commandWord) {
  ColorPicture picture;
  if (!TakePictureFromClipboard(picture)) return 0;
  const RasterSurface surface = picture.Surface();
  const int command = static_cast<int>(commandWord & 0xFFFFu);
  if (command == PASTE_TRANSPARENT) {
    auto paste = std::make_unique<PastePicture>();
    PreparePastePicture(tab, surface, *paste);
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
    const CellRect target = SelectionOnImage(tab);
    FindReducedPalette(PaletteSize(tab), surface, 0, 0, surface.width, surface.height, target.right - target.left + 1,
                       target.bottom - target.top + 1, colours);
    MapPictureToPalette(tab, surface, colours, indexPicture.get());
  } else {
    return 0;
  }
  StorePastedPicture(tab, indexPicture.get());
  return 1;
}
