#pragma once
// Per-tab history of whole snapshots of pixels, palette and hot spot. These functions
// only manage the list; the commands that show messages and repaint are in
// canvas/undo_commands.h.

#include "model/image_tab.h"

struct TabSet;

struct UndoNode {
  UndoNode* previous = nullptr;
  UndoNode* next = nullptr;
  // width x height cells, row by row (not the column-major order of cells).
  PixelCell* pixels = nullptr;
  // The first PaletteSize palette entries.
  ColorRef* palette = nullptr;
  std::uint8_t hotSpotX = 0;
  std::uint8_t hotSpotY = 0;
  std::uint32_t frameRate = 0;
};

// Adds a snapshot of the tab after undoCurrent and makes it current. Snapshots
// after undoCurrent are kept: recording never discards anything. Gives back
// false, leaving history and tab untouched, when memory ran out.
bool PushUndoSnapshot(ImageTab& tab);

// Move undoCurrent one step back or forward and copy that snapshot into the
// tab. Give back false (and change nothing) at either end of the history.
bool StepUndoSnapshot(ImageTab& tab);
bool StepRedoSnapshot(ImageTab& tab);

bool CanUndo(const ImageTab& tab);
bool CanRedo(const ImageTab& tab);

// Remembers the tab's current snapshot as the state written to its file, so
// that the tab counts as unchanged until it moves away from it.
void MarkTabSaved(ImageTab& tab);

// Frees all nodes of a used tab and nulls its three anchors and the saved
// mark; a free slot is
// left alone.
void FreeUndoHistory(ImageTab& tab);
void FreeAllUndoHistories(TabSet& set);

// Bytes of one snapshot of this tab, node included.
std::size_t UndoSnapshotBytes(const ImageTab& tab);
