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

int WholeCells(const UndoNode& node) { return node.width * node.height; }

std::size_t NodeBytes(const UndoNode& node) {
  std::size_t bytes = sizeof(UndoNode) + sizeof(ColorRef) * ColorCountOfCode(node.colorCode);
  if (node.reshaped)
    bytes += sizeof(PixelCell) * (static_cast<std::size_t>(node.beforeWidth) * node.beforeHeight + WholeCells(node));
  else if (node.before != nullptr)
    bytes += 2 * sizeof(PixelCell) * RectCells(node.changed);
  if (node.whole != nullptr) bytes += sizeof(PixelCell) * WholeCells(node);
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

PixelCell* CopyCells(const PixelCell* cells, int count) {
  PixelCell* copy = new (std::nothrow) PixelCell[count > 0 ? count : 1];
  if (copy != nullptr) std::copy_n(cells, count, copy);
  return copy;
}

// Sets the node's step to go from the image `from` (fromWidth x fromHeight)
// to the node's own image `to` (the node's width x height). Images of one
// size keep the rectangle that differs; a step between sizes keeps both.
bool SetStep(UndoNode& node, const PixelCell* from, int fromWidth, int fromHeight, const PixelCell* to) {
  const bool reshaped = fromWidth != node.width || fromHeight != node.height;
  CellRect rect{0, 0, -1, -1};
  std::unique_ptr<PixelCell[]> before;
  std::unique_ptr<PixelCell[]> after;
  if (reshaped) {
    before.reset(CopyCells(from, fromWidth * fromHeight));
    after.reset(CopyCells(to, WholeCells(node)));
    if (before == nullptr || after == nullptr) return false;
  } else {
    rect = Difference(from, to, node.width, node.height);
    const int cells = RectCells(rect);
    if (cells > 0) {
      before.reset(new (std::nothrow) PixelCell[cells]);
      after.reset(new (std::nothrow) PixelCell[cells]);
      if (before == nullptr || after == nullptr) return false;
      TakeRect(from, node.width, rect, before.get());
      TakeRect(to, node.width, rect, after.get());
    }
  }
  delete[] node.before;
  delete[] node.after;
  node.changed = rect;
  node.before = before.release();
  node.after = after.release();
  node.reshaped = reshaped;
  node.beforeWidth = static_cast<std::uint16_t>(fromWidth);
  node.beforeHeight = static_cast<std::uint16_t>(fromHeight);
  return true;
}

// The whole image of the node's state, made from the whole image of the
// state before it (previous: previousWidth wide) by redoing the node's step.
PixelCell* RedoneImage(const UndoNode& node, const PixelCell* previous, int previousWidth, int previousHeight) {
  if (node.reshaped) return CopyCells(node.after, WholeCells(node));
  PixelCell* image = CopyCells(previous, previousWidth * previousHeight);
  if (image != nullptr && RectCells(node.changed) > 0) PutRect(image, previousWidth, node.changed, node.after);
  return image;
}

void CopyStateIntoTab(const UndoNode& node, ImageTab& tab) {
  const bool reshape =
      tab.width != node.width || tab.height != node.height || tab.kind != node.kind || tab.colorCode != node.colorCode;
  if (reshape) {
    // A conversion is undone or redone: the tab takes the other shape, its
    // label and selection follow, and cells outside the image are fresh.
    tab.width = node.width;
    tab.height = node.height;
    tab.kind = node.kind;
    tab.colorCode = node.colorCode;
    std::fill(std::begin(tab.cells), std::end(tab.cells), FreshCellOf(tab));
    if (IsTrueColour(tab)) FormatTrueColourTitle(tab, tab.width, tab.height);
    else FormatTabTitle(tab, tab.width, tab.height, tab.colorCode);
    tab.selection = {0, 0, tab.width - 1, tab.height - 1};
    if (tab.penIndex >= PaletteSize(tab)) tab.penIndex = 0;
  }
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
    bytes -= NodeBytes(*oldest) + NodeBytes(*next);
    // The new first state needs no way back.
    delete[] next->before;
    delete[] next->after;
    next->before = next->after = nullptr;
    next->changed = CellRect{0, 0, -1, -1};
    next->reshaped = false;
    bytes += NodeBytes(*next);
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
  node->width = tab.width;
  node->height = tab.height;
  node->colorCode = tab.colorCode;
  node->kind = tab.kind;
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
    if (!SetStep(*node, current->whole, current->width, current->height, image.get())) {
      FreeNode(node.release());
      return false;
    }
    if (following != nullptr) {
      // The state that followed the current one now follows the new one;
      // its step is made again from the new state.
      std::unique_ptr<PixelCell[]> next(RedoneImage(*following, current->whole, current->width, current->height));
      if (next == nullptr || !SetStep(*following, image.get(), width, height, next.get())) {
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
  if (current->reshaped) {
    PixelCell* image = CopyCells(current->before, current->beforeWidth * current->beforeHeight);
    if (image == nullptr) return false;
    delete[] current->whole;
    previous->whole = image;
  } else {
    if (RectCells(current->changed) > 0) PutRect(current->whole, current->width, current->changed, current->before);
    previous->whole = current->whole;
  }
  current->whole = nullptr;
  tab.undoCurrent = previous;
  CopyStateIntoTab(*previous, tab);
  return true;
}

bool StepRedoSnapshot(ImageTab& tab) {
  UndoNode* current = tab.undoCurrent;
  if (current == nullptr || current->next == nullptr) return false;
  UndoNode* next = current->next;
  if (next->reshaped) {
    PixelCell* image = CopyCells(next->after, WholeCells(*next));
    if (image == nullptr) return false;
    delete[] current->whole;
    next->whole = image;
  } else {
    if (RectCells(next->changed) > 0) PutRect(current->whole, current->width, next->changed, next->after);
    next->whole = current->whole;
  }
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
  for (const UndoNode* node = tab.undoFirst; node != nullptr; node = node->next) bytes += NodeBytes(*node);
  return bytes;
}

std::size_t UndoSnapshotBytes(const ImageTab& tab) {
  return sizeof(UndoNode) + sizeof(PixelCell) * tab.width * tab.height + sizeof(ColorRef) * PaletteSize(tab);
}

std::vector<PixelCell> SnapshotCells(const ImageTab& tab, const UndoNode* node) {
  const UndoNode* current = tab.undoCurrent;
  if (current == nullptr || current->whole == nullptr || node == nullptr) return {};
  // Walk back from the current state, undoing each step on the way...
  std::vector<PixelCell> cells(current->whole, current->whole + WholeCells(*current));
  for (const UndoNode* at = current; at != nullptr; at = at->previous) {
    if (at == node) return cells;
    if (at->reshaped)
      cells.assign(at->before, at->before + at->beforeWidth * at->beforeHeight);
    else if (RectCells(at->changed) > 0)
      PutRect(cells.data(), at->width, at->changed, at->before);
  }
  // ...or forward, redoing them.
  cells.assign(current->whole, current->whole + WholeCells(*current));
  for (const UndoNode* at = current->next; at != nullptr; at = at->next) {
    if (at->reshaped)
      cells.assign(at->after, at->after + WholeCells(*at));
    else if (RectCells(at->changed) > 0)
      PutRect(cells.data(), at->width, at->changed, at->after);
    if (at == node) return cells;
  }
  return {};
}
