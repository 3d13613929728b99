#pragma once
// Creating, deleting and activating tabs: the slot table together with the
// tab strip, the caption and the panels that follow it.

#include <string>

#include "model/tab_set.h"

class QWidget;

// The tab of the strip item at currentPosition, or nullptr without tabs.
ImageTab* CurrentTab();

// Takes the lowest free slot and appends its strip item; the caller then sets
// width, height and colorCode and fills cells and palette. Gives back nullptr
// when all 20 slots are used or the strip refused the item. An empty name
// stands for "無名" (unnamed).
ImageTab* CreateTab(const std::string& name, int width, int height, std::uint8_t colorCode);
void DeleteTab(int slot);
void DeleteAllTabs();
// Makes the tab the one shown and edited. Callers set currentPosition and
// select the strip item first.
void ActivateTab(ImageTab& tab);

// Selects the strip item at currentPosition and activates its tab, or blanks
// the views when no tab exists.
void ShowCurrentPosition();

// Centres the dialog horizontally over the main window, with its middle one
// third of the way down.
void PlaceDialogOverMain(QWidget& dialog);

inline int SlotOf(const ImageTab& tab) { return static_cast<int>(&tab - tabSet.tabs); }
