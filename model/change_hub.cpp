#include "model/change_hub.h"

namespace {

ChangeListener listeners[VIEW_COUNT] = {};

// What each view shows, and so which changes it must follow.
constexpr unsigned heard[VIEW_COUNT] = {
    /* VIEW_PANELS */ CHANGE_TABS | CHANGE_CURRENT_TAB | CHANGE_BACKGROUND,
    /* VIEW_PALETTE */ CHANGE_PALETTE | CHANGE_PEN | CHANGE_CURRENT_TAB,
    /* VIEW_PREVIEW */ CHANGE_PIXELS | CHANGE_BACKGROUND | CHANGE_CURRENT_TAB,
    /* VIEW_EDIT */ CHANGE_PIXELS | CHANGE_SELECTION | CHANGE_GRID | CHANGE_BACKGROUND | CHANGE_CURRENT_TAB |
                      CHANGE_ZOOM,
    /* VIEW_HISTORY */ CHANGE_RECORD_UNDO,
    /* VIEW_COMMANDS */ CHANGE_TOOL | CHANGE_HISTORY | CHANGE_CLIPBOARD | CHANGE_TABS | CHANGE_CURRENT_TAB,
    /* VIEW_CAPTION */ CHANGE_CAPTION,
};

}  // namespace

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
    if ((changes & heard[view]) == 0 || listeners[view] == nullptr) continue;
    if (view == VIEW_EDIT && (changes & CHANGE_PAINTED_IN_PLACE) != 0) continue;
    const bool answer = listeners[view](tab, changes);
    // Only a snapshot actually taken changes what undo can do.
    if (view == VIEW_HISTORY && answer) changes |= CHANGE_HISTORY;
  }
}
