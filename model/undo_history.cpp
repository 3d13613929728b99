#include "model/undo_history.h"

#include <algorithm>
#include <memory>
#include <new>

#include "model/never_saved.h"
#include "model/tab_set.h"

namespace {

void FreeNode(UndoNode* node) {
  delete[] node->before;
  delete[] node->after;
  delete[] node->whole;
  delete[] node->palette;
  delete node;
}

int RectCells(const CellRect& rect) {
  return rect.right < rect.left ? 0 : (rect.right - rect.left + 1) * (rect.bottom - rect.top + 1);
}

std::size_t NodeBytes(const UndoNode& node, const ImageTab& tab) {
  std::size_t bytes = sizeof(UndoNode) + sizeof(ColorRef) * PaletteSize(tab);
  if (node.before != nullptr) bytes += 2 * sizeof(PixelCell) * RectCells(node.changed);
  if (node.whole != nullptr) bytes += sizeof(PixelCell) * tab.width * tab.height;
  return bytes;
}

// The smallest rectangle holding every cell in which two whole images
// (row by row, width x height) differ; empty when they are equal.
CellRect Difference(const PixelCell* a, const PixelCell* b, int width, int height) {
  CellRect rect{width, height, -1, -1};
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      if (a[y * width + x] != b[y * width + x]) {
        rect.left = std::min(rect.left, x);
        rect.top = std::min(rect.top, y);
        rect.right = std::max(rect.right, x);
        rect.bottom = std::max(rect.bottom, y);
      }
  if (rect.right < 0) return CellRect{0, 0, -1, -1};
  return rect;
}

// Copies the rectangle's cells of a whole image into `part`, or back.
void TakeRect(const PixelCell* whole, int width, const CellRect& rect, PixelCell* part) {
  for (int y = rect.top; y <= rect.bottom; ++y)
    for (int x = rect.left; x <= rect.right; ++x) *part++ = whole[y * width + x];
}
void PutRect(PixelCell* whole, int width, const CellRect& rect, const PixelCell* part) {
  for (int y = rect.top; y <= rect.bottom; ++y)
    for (int x = rect.left; x <= rect.right; ++x) whole[y * width + x] = *part++;
}

// Sets the node's step to go from the image `from` to the image `to`.
bool SetStep(UndoNode& node, const PixelCell* from, const PixelCell* to, int width, int height) {
  const CellRect rect = Difference(from, to, width, height);
  const int cells = RectCells(rect);
  std::unique_ptr<PixelCell[]> before(cells > 0 ? new (std::nothrow) PixelCell[cells] : nullptr);
  std::unique_ptr<PixelCell[]> after(cells > 0 ? new (std::nothrow) PixelCell[cells] : nullptr);
  if (cells > 0 && (before == nullptr || after == nullptr)) return false;
  if (cells > 0) {
    TakeRect(from, width, rect, before.get());
    TakeRect(to, width, rect, after.get());
  }
  delete[] node.before;
  delete[] node.after;
  node.changed = rect;
  node.before = before.release();
  node.after = after.release();
  return true;
}

void CopyStateIntoTab(const UndoNode& node, ImageTab& tab) {
  const PixelCell* source = node.whole;
  for (int y = 0; y < tab.height; ++y)
    for (int x = 0; x < tab.width; ++x) CellAt(tab, x, y) = *source++;
  const int count = PaletteSize(tab);
  for (int i = 0; i < count; ++i) tab.palette[i] = node.palette[i];
  tab.hotSpotX = node.hotSpotX;
  tab.hotSpotY = node.hotSpotY;
  tab.frameRate = node.frameRate;
}

// Drops the oldest states while the history is larger than the limit; the
// current state always stays.
int DropOldest(ImageTab& tab) {
  int dropped = 0;
  std::size_t bytes = UndoHistoryBytes(tab);
  while (bytes > UNDO_BYTE_LIMIT && tab.undoFirst != tab.undoCurrent) {
    UndoNode* oldest = tab.undoFirst;
    UndoNode* next = oldest->next;
    // The state a save wrote is gone: no state left is the saved one.
    if (tab.savedSnapshot == oldest || tab.savedSnapshot == nullptr) MarkTabNeverSaved(tab);
    bytes -= NodeBytes(*oldest, tab) + NodeBytes(*next, tab);
    // The new first state needs no way back.
    delete[] next->before;
    delete[] next->after;
    next->before = next->after = nullptr;
    next->changed = CellRect{0, 0, -1, -1};
    bytes += NodeBytes(*next, tab);
    next->previous = nullptr;
    tab.undoFirst = next;
    FreeNode(oldest);
    ++dropped;
  }
  return dropped;
}

}  // namespace

bool PushUndoSnapshot(ImageTab& tab, int* dropped) {
  if (dropped != nullptr) *dropped = 0;
  const int width = tab.width;
  const int height = tab.height;
  const int cellCount = width * height;
  const int paletteCount = PaletteSize(tab);
  std::unique_ptr<UndoNode> node(new (std::nothrow) UndoNode);
  if (node == nullptr) return false;
  node->palette = new (std::nothrow) ColorRef[paletteCount];
  std::unique_ptr<PixelCell[]> image(new (std::nothrow) PixelCell[cellCount]);
  if (node->palette == nullptr || image == nullptr) {
    delete[] node->palette;
    return false;
  }
  PixelCell* target = image.get();
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) *target++ = CellAt(tab, x, y);

  UndoNode* current = tab.undoCurrent;
  UndoNode* following = current != nullptr ? current->next : nullptr;
  if (current != nullptr) {
    if (!SetStep(*node, current->whole, image.get(), width, height)) {
      delete[] node->palette;
      return false;
    }
    if (following != nullptr) {
      // The state that followed the current one now follows the new one;
      // its step is made again from the new state.
      std::unique_ptr<PixelCell[]> next(new (std::nothrow) PixelCell[cellCount]);
      if (next == nullptr) {
        FreeNode(node.release());
        return false;
      }
      std::copy_n(current->whole, cellCount, next.get());
      if (RectCells(following->changed) > 0) PutRect(next.get(), width, following->changed, following->after);
      if (!SetStep(*following, image.get(), next.get(), width, height)) {
        FreeNode(node.release());
        return false;
      }
    }
  }

  UndoNode* added = node.release();
  added->whole = image.release();
  if (tab.undoFirst == nullptr) {
    tab.undoFirst = tab.undoLast = added;
  } else {
    added->previous = current;
    added->next = following;
    if (following != nullptr) following->previous = added;
    else tab.undoLast = added;
    current->next = added;
    // Only the current state is kept whole.
    delete[] current->whole;
    current->whole = nullptr;
  }
  tab.undoCurrent = added;
  for (int i = 0; i < paletteCount; ++i) added->palette[i] = tab.palette[i];
  added->hotSpotX = tab.hotSpotX;
  added->hotSpotY = tab.hotSpotY;
  added->frameRate = tab.frameRate;
  const int gone = DropOldest(tab);
  if (dropped != nullptr) *dropped = gone;
  return true;
}

bool StepUndoSnapshot(ImageTab& tab) {
  UndoNode* current = tab.undoCurrent;
  if (current == nullptr || current->previous == nullptr) return false;
  UndoNode* previous = current->previous;
  // The whole image moves to the state that becomes current.
  if (RectCells(current->changed) > 0) PutRect(current->whole, tab.width, current->changed, current->before);
  previous->whole = current->whole;
  current->whole = nullptr;
  tab.undoCurrent = previous;
  CopyStateIntoTab(*previous, tab);
  return true;
}

bool StepRedoSnapshot(ImageTab& tab) {
  UndoNode* current = tab.undoCurrent;
  if (current == nullptr || current->next == nullptr) return false;
  UndoNode* next = current->next;
  if (RectCells(next->changed) > 0) PutRect(current->whole, tab.width, next->changed, next->after);
  next->whole = current->whole;
  current->whole = nullptr;
  tab.undoCurrent = next;
  CopyStateIntoTab(*next, tab);
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

std::size_t UndoHistoryBytes(const ImageTab& tab) {
  std::size_t bytes = 0;
  for (const UndoNode* node = tab.undoFirst; node != nullptr; node = node->next) bytes += NodeBytes(*node, tab);
  return bytes;
}

std::size_t UndoSnapshotBytes(const ImageTab& tab) {
  return sizeof(UndoNode) + sizeof(PixelCell) * tab.width * tab.height + sizeof(ColorRef) * PaletteSize(tab);
}

std::vector<PixelCell> SnapshotCells(const ImageTab& tab, const UndoNode* node) {
  const UndoNode* current = tab.undoCurrent;
  if (current == nullptr || current->whole == nullptr || node == nullptr) return {};
  std::vector<PixelCell> cells(current->whole, current->whole + tab.width * tab.height);
  // Walk back from the current state, undoing each step on the way...
  for (const UndoNode* at = current; at != nullptr; at = at->previous) {
    if (at == node) return cells;
    if (RectCells(at->changed) > 0) PutRect(cells.data(), tab.width, at->changed, at->before);
  }
  // ...or forward, redoing them.
  cells.assign(current->whole, current->whole + tab.width * tab.height);
  for (const UndoNode* at = current->next; at != nullptr; at = at->next) {
    if (RectCells(at->changed) > 0) PutRect(cells.data(), tab.width, at->changed, at->after);
    if (at == node) return cells;
  }
  return {};
}
