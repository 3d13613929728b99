#pragma once
// Images of an icon file that the editor shows but does not edit (true
// colour, PNG-compressed or larger than the editable size). Their tab holds
// no pixels of its own; the file's bytes of the image and its decoded
// picture lie in this table, one place per tab slot, and are written back as
// they were read.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/image_tab.h"

struct KeptEntry {
  // The image's 16-byte directory entry as the file had it; a save writes it
  // again with only the image offset changed.
  std::array<std::uint8_t, 16> directory = {};
  // The image's bytes as they lie in the file.
  std::vector<std::uint8_t> data;
  int width = 0;
  int height = 0;
  // Bits per pixel: 1 to 32 for a bitmap image, the PNG's own depth for a
  // PNG image.
  int bitCount = 0;
  bool png = false;
  // The directory entry came from a cursor file: its planes and bit-count
  // fields hold the hot spot, not what an icon's entry holds there.
  bool cursorFields = false;
  // The whole picture, 0xAARRGGBB with straight alpha, top row first;
  // empty when it was not decoded.
  std::vector<std::uint32_t> argb;
};

// The kept image of the tab, or nullptr for an ordinary tab (or a record
// that is not one of the tab set's slots).
const KeptEntry* KeptEntryOf(const ImageTab& tab);
inline bool IsKeptTab(const ImageTab& tab) { return KeptEntryOf(tab) != nullptr; }
// The kept image of a slot, or nullptr; for saving a copy of the document.
const KeptEntry* KeptEntryOfSlot(int slot);
// Makes the slot's tab a kept tab; the tab's label says what it holds.
void SetKeptEntry(int slot, KeptEntry entry);
// An ordinary tab opened from a file also keeps the bytes it was read from,
// so that a save writes an image nobody touched exactly as it was.
const KeptEntry* OpenedEntryOfSlot(int slot);
void SetOpenedEntry(int slot, KeptEntry entry);

// Makes the slot an ordinary tab again and drops its opened bytes (the tab
// lifecycle calls it when a tab is made or deleted).
void ClearKeptEntry(int slot);
void ClearAllKeptEntries();

// "256x256 32-bit PNG", "48x48 32-bit".
std::string DescribeKeptEntry(const KeptEntry& entry);
