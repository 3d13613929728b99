#include "model/tab_set.h"

TabSet tabSet;

int SlotAtPosition(const TabSet& set, int position) {
  if (position < 0 || position >= set.tabCount || position >= MAX_TABS) return -1;
  const int slot = set.positionSlots[position];
  return slot >= 0 && slot < MAX_TABS && set.tabs[slot].inUse == 1 ? slot : -1;
}

int FindFreeSlot(const TabSet& set) {
  for (int slot = 0; slot < MAX_TABS; ++slot)
    if (set.tabs[slot].inUse == 0) return slot;
  return -1;
}

bool AllTabsUnchanged(const TabSet& set) {
  for (const ImageTab& tab : set.tabs)
    if (tab.inUse == 1 && IsTabChanged(tab)) return false;
  return true;
}
