#include "model/undo_history.h"

#include <new>

#include "model/tab_set.h"

namespace {

void FreeNode(UndoNode* node) {
  delete[] node->pixels;
  delete[] node->palette;
  delete node;
}

void CopySnapshotIntoTab(const UndoNode& node, ImageTab& tab) {
  const PixelCell* source = node.pixels;
  for (int y = 0; y < tab.height; ++y)
    for (int x = 0; x < tab.width; ++x) CellAt(tab, x, y) = *source++;
  const int count = PaletteSize(tab);
  for (int i = 0; i < count; ++i) tab.palette[i] = node.palette[i];
  tab.hotSpotX = node.hotSpotX;
  tab.hotSpotY = node.hotSpotY;
  tab.frameRate = node.frameRate;
}

}  // namespace

bool PushUndoSnapshot(ImageTab& tab) {
  const int cellCount = tab.width * tab.height;
  const int paletteCount = PaletteSize(tab);
  auto* node = new (std::nothrow) UndoNode;
  if (node == nullptr) return false;
  node->pixels = new (std::nothrow) PixelCell[cellCount];
  node->palette = node->pixels ? new (std::nothrow) ColorRef[paletteCount] : nullptr;
  if (node->pixels == nullptr || node->palette == nullptr) {
    FreeNode(node);
    return false;
  }

  if (tab.undoFirst == nullptr) {
    tab.undoFirst = tab.undoLast = node;
  } else if (tab.undoCurrent == tab.undoLast) {
    node->previous = tab.undoLast;
    tab.undoLast->next = node;
    tab.undoLast = node;
  } else {
    node->previous = tab.undoCurrent;
    node->next = tab.undoCurrent->next;
    tab.undoCurrent->next->previous = node;
    tab.undoCurrent->next = node;
  }
  tab.undoCurrent = node;

  PixelCell* target = node->pixels;
  for (int y = 0; y < tab.height; ++y)
    for (int x = 0; x < tab.width; ++x) *target++ = CellAt(tab, x, y);
  for (int i = 0; i < paletteCount; ++i) node->palette[i] = tab.palette[i];
  node->hotSpotX = tab.hotSpotX;
  node->hotSpotY = tab.hotSpotY;
  node->frameRate = tab.frameRate;
  return true;
}

bool StepUndoSnapshot(ImageTab& tab) {
  if (tab.undoCurrent == nullptr || tab.undoCurrent->previous == nullptr) return false;
  tab.undoCurrent = tab.undoCurrent->previous;
  CopySnapshotIntoTab(*tab.undoCurrent, tab);
  return true;
}

bool StepRedoSnapshot(ImageTab& tab) {
  if (tab.undoCurrent == nullptr || tab.undoCurrent->next == nullptr) return false;
  tab.undoCurrent = tab.undoCurrent->next;
  CopySnapshotIntoTab(*tab.undoCurrent, tab);
  return true;
}

void MarkTabSaved(ImageTab& tab) { tab.savedSnapshot = tab.undoCurrent; }

bool CanUndo(const ImageTab& tab) { return tab.undoFirst != nullptr && tab.undoFirst != tab.undoCurrent; }

bool CanRedo(const ImageTab& tab) { return tab.undoLast != tab.undoCurrent; }

void FreeUndoHistory(ImageTab& tab) {
  if (tab.inUse != 1) return;
  UndoNode* node = tab.undoFirst;
  while (node != nullptr) {
    UndoNode* next = node->next;
    FreeNode(node);
    node = next;
  }
  tab.undoFirst = tab.undoCurrent = tab.undoLast = tab.savedSnapshot = nullptr;
}

void FreeAllUndoHistories(TabSet& set) {
  for (ImageTab& tab : set.tabs) FreeUndoHistory(tab);
}

std::size_t UndoSnapshotBytes(const ImageTab& tab) {
  return sizeof(UndoNode) + sizeof(PixelCell) * tab.width * tab.height + sizeof(ColorRef) * PaletteSize(tab);
}
