#include "canvas/floating_paste.h"

#include "canvas/cell_geometry.h"
#include "model/change_hub.h"

FloatingPaste floatingPaste;
void (*placeBlackUnderMask)(ImageTab& tab, const FloatingBlock& block) = nullptr;

namespace {

// The selection frame goes round the part of the block over the image.
void FrameBlock(ImageTab& tab) {
  CellRect area;
  if (BlockOnImage(floatingPaste.block, tab, area)) tab.selection = area;
}

void SetActive(ImageTab* tab) {
  floatingPaste.tab = tab;
  floatingPaste.block.active = tab != nullptr;
  floatingPaste.dragging = false;
}

}  // namespace

bool FloatingActive(const ImageTab* tab) {
  return floatingPaste.tab != nullptr && (tab == nullptr || floatingPaste.tab == tab);
}

PixelCell ShownCell(const ImageTab& tab, int x, int y) {
  if (floatingPaste.tab == &tab && BlockCovers(floatingPaste.block, x, y))
    return BlockCellAt(floatingPaste.block, x, y);
  return CellAt(tab, x, y);
}

void StartFloating(ImageTab& tab, const FloatingBlock& block) {
  CommitFloating();
  floatingPaste.block = block;
  floatingPaste.lifted = false;
  floatingPaste.startLeft = block.left;
  floatingPaste.startTop = block.top;
  floatingPaste.selectionBefore = tab.selection;
  SetActive(&tab);
  FrameBlock(tab);
  Announce(&tab, CHANGE_SELECTION | CHANGE_TOOL);
}

bool LiftSelection(ImageTab& tab) {
  const CellRect area = NormalisedRect(tab.selection.left, tab.selection.top, tab.selection.right, tab.selection.bottom);
  const CellRect whole = WholeImage(tab);
  if (area.left < 0 || area.top < 0 || area.right >= tab.width || area.bottom >= tab.height) return false;
  if (area.left == whole.left && area.top == whole.top && area.right == whole.right && area.bottom == whole.bottom)
    return false;
  CommitFloating();
  floatingPaste.selectionBefore = tab.selection;
  LiftArea(tab, area, floatingPaste.block);
  floatingPaste.lifted = true;
  floatingPaste.startLeft = area.left;
  floatingPaste.startTop = area.top;
  SetActive(&tab);
  FrameBlock(tab);
  Announce(&tab, CHANGE_PIXELS | CHANGE_SELECTION | CHANGE_TOOL);
  return true;
}

void MoveFloating(int dx, int dy) {
  ImageTab* tab = floatingPaste.tab;
  if (tab == nullptr || (dx == 0 && dy == 0)) return;
  FloatingBlock& block = floatingPaste.block;
  // At least one cell of the block stays over the image, so that it can
  // always be taken hold of again.
  const int left = block.left + dx;
  const int top = block.top + dy;
  if (left + block.width <= 0 || top + block.height <= 0 || left >= tab->width || top >= tab->height) return;
  block.left = left;
  block.top = top;
  FrameBlock(*tab);
  Announce(tab, CHANGE_SELECTION);
}

bool CommitFloating() {
  ImageTab* tab = floatingPaste.tab;
  if (tab == nullptr) return false;
  PlaceBlock(floatingPaste.block, *tab);
  // Making black may take a palette entry that no cell used.
  const bool black = floatingPaste.block.blackUnderMask && placeBlackUnderMask != nullptr;
  if (black) placeBlackUnderMask(*tab, floatingPaste.block);
  SetActive(nullptr);
  Announce(tab, CHANGE_PIXELS | CHANGE_SELECTION | CHANGE_TOOL | CHANGE_RECORD_UNDO | (black ? CHANGE_PALETTE : 0u));
  return true;
}

void CancelFloating() {
  ImageTab* tab = floatingPaste.tab;
  if (tab == nullptr) return;
  if (floatingPaste.lifted) {
    FloatingBlock back = floatingPaste.block;
    back.left = floatingPaste.startLeft;
    back.top = floatingPaste.startTop;
    PlaceBlock(back, *tab);
  }
  tab->selection = floatingPaste.selectionBefore;
  SetActive(nullptr);
  Announce(tab, CHANGE_PIXELS | CHANGE_SELECTION | CHANGE_TOOL);
}

bool FloatingPress(ImageTab& tab, int x, int y) {
  if (floatingPaste.tab != &tab) return false;
  if (!BlockCovers(floatingPaste.block, x, y)) {
    CommitFloating();
    return true;
  }
  floatingPaste.dragging = true;
  floatingPaste.grabX = x - floatingPaste.block.left;
  floatingPaste.grabY = y - floatingPaste.block.top;
  return true;
}

bool FloatingDrag(ImageTab& tab, int x, int y) {
  if (floatingPaste.tab != &tab || !floatingPaste.dragging) return false;
  MoveFloating(x - floatingPaste.grabX - floatingPaste.block.left, y - floatingPaste.grabY - floatingPaste.block.top);
  return true;
}

bool FloatingRelease(ImageTab& tab) {
  if (floatingPaste.tab != &tab || !floatingPaste.dragging) return false;
  floatingPaste.dragging = false;
  return true;
}
