#include "model/change_hub.h"

#include "model/image_tab.h"
#include "model/undo_history.h"

namespace {

ChangeListener listeners[VIEW_COUNT] = {};
ChangeListener watcher = nullptr;
int lastDropped = 0;

// What each view shows, and so which changes it must follow.
constexpr unsigned heard[VIEW_COUNT] = {
    /* VIEW_PANELS */ CHANGE_TABS | CHANGE_CURRENT_TAB | CHANGE_BACKGROUND,
    /* VIEW_PALETTE */ CHANGE_PALETTE | CHANGE_PEN | CHANGE_CURRENT_TAB,
    /* VIEW_PREVIEW */ CHANGE_PIXELS | CHANGE_BACKGROUND | CHANGE_CURRENT_TAB,
    /* VIEW_EDIT */ CHANGE_PIXELS | CHANGE_SELECTION | CHANGE_GRID | CHANGE_BACKGROUND | CHANGE_CURRENT_TAB |
                      CHANGE_ZOOM,
    /* VIEW_HISTORY */ CHANGE_RECORD_UNDO,
    /* VIEW_COMMANDS */ CHANGE_TOOL | CHANGE_HISTORY | CHANGE_CLIPBOARD | CHANGE_TABS | CHANGE_CURRENT_TAB,
    /* VIEW_CAPTION */ CHANGE_CAPTION | CHANGE_HISTORY | CHANGE_TABS,
};

// Takes the snapshot a CHANGE_RECORD_UNDO asks for, with or without a
// window. The history listener hears the outcome (CHANGE_HISTORY set when
// the snapshot was taken) and tells whether the views after it should
// follow a new step of history; it is where a failure is reported.
unsigned RecordAnnouncedSnapshot(ImageTab* tab, unsigned changes, ChangeListener listener) {
  // A free tab slot keeps no history.
  lastDropped = 0;
  const bool taken = tab != nullptr && tab->inUse == 1 && PushUndoSnapshot(*tab, &lastDropped);
  const unsigned outcome = taken ? changes | CHANGE_HISTORY : changes & ~CHANGE_HISTORY;
  const bool stepped = listener != nullptr ? listener(tab, outcome) : taken;
  // Only a snapshot actually taken changes what undo can do.
  return stepped ? changes | CHANGE_HISTORY : changes;
}

}  // namespace

int StepsDroppedByLastSnapshot() { return lastDropped; }

unsigned ChangesHeardBy(ChangeView view) { return view >= 0 && view < VIEW_COUNT ? heard[view] : 0u; }

void Listen(ChangeView view, ChangeListener listener) {
  if (view >= 0 && view < VIEW_COUNT) listeners[view] = listener;
}

void ClearListeners() {
  for (ChangeListener& listener : listeners) listener = nullptr;
}

int ListenerCount() {
  int count = 0;
  for (ChangeListener listener : listeners) count += listener != nullptr ? 1 : 0;
  return count;
}

void Announce(ImageTab* tab, unsigned changes) {
  for (int view = 0; view < VIEW_COUNT; ++view) {
    if ((changes & heard[view]) == 0) continue;
    if (view == VIEW_HISTORY) {
      changes = RecordAnnouncedSnapshot(tab, changes, listeners[view]);
      continue;
    }
    if (listeners[view] == nullptr) continue;
    if (view == VIEW_EDIT && (changes & CHANGE_PAINTED_IN_PLACE) != 0) continue;
    listeners[view](tab, changes);
  }
  if (watcher != nullptr) watcher(tab, changes);
}

void WatchAnnouncements(ChangeListener listener) { watcher = listener; }
