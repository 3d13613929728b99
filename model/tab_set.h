#pragma once
// The fixed table of 20 tab slots shared by the whole program.

#include <string>

#include "model/image_tab.h"

constexpr int MAX_TABS = 20;

struct TabSet {
  ImageTab tabs[MAX_TABS];
  // Number of used slots; always the number of items in the tab strip.
  int tabCount = 0;
  // The slot of each tab in strip order, left to right; the first tabCount
  // entries are used. The tab strip shows the tabs in this order.
  int positionSlots[MAX_TABS] = {};
  // Position of the selected strip item (not a slot index).
  int currentPosition = 0;
  // The file name shown in the caption after "Quillet2 - ".
  std::string documentName;
};

extern TabSet tabSet;

// The slot of the tab at a strip position, or -1 when no used tab is there.
int SlotAtPosition(const TabSet& set, int position);

// Lowest free slot, or -1 when all 20 are used.
int FindFreeSlot(const TabSet& set);

// False as soon as one used slot is changed; true also when no tab exists.
bool AllTabsUnchanged(const TabSet& set);
