#pragma once
// Creating, deleting and activating tabs. These functions change the slot
// table and announce it; the tab strip, the caption and the panels follow
// as listeners.

#include <string>

#include "model/tab_set.h"

// The tab at currentPosition, or nullptr without tabs.
ImageTab* CurrentTab();

// True while the document has no name of its own ("無名").
bool IsUnnamedDocument();

// Takes the lowest free slot and appends it to the strip order; the caller
// then sets width, height and colorCode and fills cells and palette. Gives
// back nullptr when all 20 slots are used. An empty name stands for "無名"
// (unnamed).
ImageTab* CreateTab(const std::string& name, int width, int height, std::uint8_t colorCode);
// The same for a true-colour tab (1..256 pixels a side): its width, height
// and kind are set, its pen is opaque black; the caller fills its cells.
ImageTab* CreateTrueColourTab(const std::string& name, int width, int height);
void DeleteTab(int slot);
void DeleteAllTabs();
// Makes the tab the one shown and edited. Callers set currentPosition and
// select the strip item first.
void ActivateTab(ImageTab& tab);

// Selects the strip item at currentPosition and activates its tab, or blanks
// the views when no tab exists.
void ShowCurrentPosition();

inline int SlotOf(const ImageTab& tab) { return static_cast<int>(&tab - tabSet.tabs); }
