#pragma once
// Per-tab history of the tab's states: pixels, palette, hot spot and frame
// time. These functions only manage the list; the commands that show
// messages and repaint are in canvas/undo_commands.h.
//
// A step keeps only what it changed: the rectangle of cells that differ
// from the state before it, with their values before and after. A step that
// changed the image's size or kind (a conversion between indexed and true
// colour) keeps both whole images instead, each in its own size. The current
// state alone is kept whole, in the current node, so undo and redo each copy
// one rectangle and a stroke of a few pixels costs a few bytes however
// large the image. When a tab's history grows past UNDO_BYTE_LIMIT, its
// oldest states go.

#include <cstddef>
#include <vector>

#include "model/image_tab.h"

struct TabSet;

struct UndoNode {
  UndoNode* previous = nullptr;
  UndoNode* next = nullptr;
  // The cells that differ from the previous state, inclusive, and their
  // values before and after this step, row by row; an empty rectangle
  // (right < left) when no cell changed, and nothing for the first state.
  CellRect changed{0, 0, -1, -1};
  PixelCell* before = nullptr;
  PixelCell* after = nullptr;
  // Set when the step changed the image's size or kind: `before` then holds
  // the whole previous image (beforeWidth x beforeHeight) and `after` the
  // whole image of this state, and `changed` is unused.
  bool reshaped = false;
  std::uint16_t beforeWidth = 0;
  std::uint16_t beforeHeight = 0;
  // The image's shape in this state; undo and redo give it back to the tab.
  std::uint16_t width = 0;
  std::uint16_t height = 0;
  std::uint8_t colorCode = 0;
  TabKind kind = TabKind::Indexed;
  // The whole image of this state, row by row; only the current node holds
  // it.
  PixelCell* whole = nullptr;
  // The first PaletteSize palette entries of this state.
  ColorRef* palette = nullptr;
  std::uint8_t hotSpotX = 0;
  std::uint8_t hotSpotY = 0;
  std::uint32_t frameRate = 0;
};

// The most memory one tab's history may hold; past it the oldest states are
// dropped (never the current one).
constexpr std::size_t UNDO_BYTE_LIMIT = std::size_t{64} << 20;

// Adds a state of the tab after undoCurrent and makes it current. States
// after undoCurrent are kept: recording never discards them. Gives back
// false, leaving history and tab untouched, when memory ran out. Oldest
// states dropped to stay within UNDO_BYTE_LIMIT are counted in *dropped.
bool PushUndoSnapshot(ImageTab& tab, int* dropped = nullptr);

// Move undoCurrent one step back or forward and put that state into the
// tab. Give back false (and change nothing) at either end of the history.
bool StepUndoSnapshot(ImageTab& tab);
bool StepRedoSnapshot(ImageTab& tab);

bool CanUndo(const ImageTab& tab);
bool CanRedo(const ImageTab& tab);

// Remembers the tab's current state as the one written to its file, so
// that the tab counts as unchanged until it moves away from it.
void MarkTabSaved(ImageTab& tab);

// Frees all nodes of a used tab and nulls its three anchors and the saved
// mark; a free slot is left alone.
void FreeUndoHistory(ImageTab& tab);
void FreeAllUndoHistories(TabSet& set);

// Bytes the tab's history holds, nodes included.
std::size_t UndoHistoryBytes(const ImageTab& tab);
// Bytes of one whole state of this tab, node included: what a step that
// changes every cell costs.
std::size_t UndoSnapshotBytes(const ImageTab& tab);

// The cells of a state of the tab's history, row by row (for the tests and
// the recovery of a state other than the current one).
std::vector<PixelCell> SnapshotCells(const ImageTab& tab, const UndoNode* node);
