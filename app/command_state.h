#pragma once
// Enabled and checked states of menu entries and toolbar buttons.

enum CommandGroup : int {
  GROUP_FILE = 1,
  // Either bit refreshes the edit group.
  GROUP_EDIT = 2 | 4,
  GROUP_PEN = 8,
  GROUP_ALL = 15,
};

// Sets the states of the given groups. With keepChecks 0 the push-like pen
// buttons take their check states from the current tab; otherwise they are
// left as they are.
void RefreshCommandState(int groups, int keepChecks);

// The palette commands that work on palette indices: reducing colours,
// organising the palette and the batch colour change. A true-colour tab's
// pixels hold no indices, so these are refused and disabled there.
bool RefusedOnTrueColourTab(int id);

// True when the clipboard holds a picture that can be pasted.
bool ClipboardHasPicture();
