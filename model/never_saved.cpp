#include "model/never_saved.h"

#include "model/undo_history.h"

namespace {
// Belongs to no history, so no place in one is ever the saved one.
UndoNode neverSaved;
}  // namespace

void MarkTabNeverSaved(ImageTab& tab) { tab.savedSnapshot = &neverSaved; }
