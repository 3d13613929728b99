#include "clipboard/paste_floating.h"

#include <memory>

#include "canvas/cell_geometry.h"
#include "canvas/edit_view.h"
#include "canvas/floating_paste.h"
#include "clipboard/color_picture.h"
#include "clipboard/paste_alpha.h"
#include "clipboard/paste_one_to_one.h"
#include "clipboard/true_colour_paste.h"
#include "platform/clipboard.h"

namespace {

// The first cell whose whole square the view shows along one axis.
int FirstWholeCell(int scroll, int cellSize) {
  if (cellSize <= 0 || scroll <= EDIT_ORIGIN) return 0;
  return (scroll - EDIT_ORIGIN + cellSize - 1) / cellSize;
}

bool SelectionDrawn(const ImageTab& tab) {
  const CellRect whole = WholeImage(tab);
  const CellRect& s = tab.selection;
  return s.left != whole.left || s.top != whole.top || s.right != whole.right || s.bottom != whole.bottom;
}

// The masked cells of a placed block on the tab's black entry, chosen as
// every other paste chooses it.
void BlackUnderBlockMask(ImageTab& tab, const FloatingBlock& block) {
  StoreTransparentCellsWhere(tab, [&block](int x, int y) {
    return BlockCovers(block, x, y) && (BlockCellAt(block, x, y) & CELL_MASK_BIT) != 0;
  });
}

}  // namespace

bool PasteFloating(ImageTab& tab, bool keepNumbers) {
  ColorPicture taken;
  if (!TakePictureFromClipboard(taken)) return false;
  auto block = std::make_unique<FloatingBlock>();
  if (IsTrueColour(tab)) {
    // The picture's own colours and alpha, whichever paste asked.
    TrueColourBlockOf(tab, taken, *block);
    PastePlace(tab, SelectionDrawn(tab), FirstWholeCell(editView.scrollX, tab.cellSize),
               FirstWholeCell(editView.scrollY, tab.cellSize), block->left, block->top);
    StartFloating(tab, *block);
    return true;
  }
  // Transparent pixels count as black among the picture's colours, which
  // lists black first anyway, and become masked cells.
  const bool alpha = HasTransparentPixels(taken);
  ColorPicture picture = alpha ? TransparentPixelsAs(taken, 0) : std::move(taken);
  MapPictureOneToOne(tab, picture.Surface(), keepNumbers, *block);
  if (alpha) {
    MarkTransparentCells(taken, block->width, block->height, block->cells);
    // Until it is placed the block shows them on the palette's first black.
    const int n = PaletteSize(tab);
    int black = 0;
    while (black < n && (tab.palette[black] & 0xFFFFFFu) != 0) ++black;
    if (black == n) black = 0;
    for (int x = 0; x < block->width; ++x)
      for (int y = 0; y < block->height; ++y) {
        PixelCell& cell = block->cells[CellIndex(x, y)];
        if ((cell & CELL_MASK_BIT) != 0) cell = static_cast<PixelCell>(black | CELL_MASK_BIT);
      }
    block->blackUnderMask = true;
    placeBlackUnderMask = BlackUnderBlockMask;
  }
  PastePlace(tab, SelectionDrawn(tab), FirstWholeCell(editView.scrollX, tab.cellSize),
             FirstWholeCell(editView.scrollY, tab.cellSize), block->left, block->top);
  StartFloating(tab, *block);
  return true;
}
