#include "clipboard/paste_floating.h"

#include <memory>

#include "canvas/cell_geometry.h"
#include "canvas/edit_view.h"
#include "canvas/floating_paste.h"
#include "clipboard/color_picture.h"
#include "clipboard/paste_one_to_one.h"
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

}  // namespace

bool PasteFloating(ImageTab& tab, bool keepNumbers) {
  ColorPicture picture;
  if (!TakePictureFromClipboard(picture)) return false;
  auto block = std::make_unique<FloatingBlock>();
  MapPictureOneToOne(tab, picture.Surface(), keepNumbers, *block);
  PastePlace(tab, SelectionDrawn(tab), FirstWholeCell(editView.scrollX, tab.cellSize),
             FirstWholeCell(editView.scrollY, tab.cellSize), block->left, block->top);
  StartFloating(tab, *block);
  return true;
}
