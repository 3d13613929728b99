#include "model/kept_entries.h"

#include <memory>

#include "model/tab_set.h"

namespace {

// One owner per slot; a deleted or reused slot frees its entry.
std::unique_ptr<KeptEntry> keptEntries[MAX_TABS];
std::unique_ptr<KeptEntry> openedEntries[MAX_TABS];

int SlotOfRecord(const ImageTab& tab) {
  const ImageTab* first = tabSet.tabs;
  if (&tab < first || &tab >= first + MAX_TABS) return -1;
  return static_cast<int>(&tab - first);
}

}  // namespace

const KeptEntry* KeptEntryOfSlot(int slot) {
  if (slot < 0 || slot >= MAX_TABS) return nullptr;
  return keptEntries[slot].get();
}

const KeptEntry* KeptEntryOf(const ImageTab& tab) { return KeptEntryOfSlot(SlotOfRecord(tab)); }

void SetKeptEntry(int slot, KeptEntry entry) {
  if (slot < 0 || slot >= MAX_TABS) return;
  keptEntries[slot] = std::make_unique<KeptEntry>(std::move(entry));
}

const KeptEntry* OpenedEntryOfSlot(int slot) {
  if (slot < 0 || slot >= MAX_TABS) return nullptr;
  return openedEntries[slot].get();
}

void SetOpenedEntry(int slot, KeptEntry entry) {
  if (slot < 0 || slot >= MAX_TABS) return;
  openedEntries[slot] = std::make_unique<KeptEntry>(std::move(entry));
}

void ClearKeptEntry(int slot) {
  if (slot < 0 || slot >= MAX_TABS) return;
  keptEntries[slot].reset();
  openedEntries[slot].reset();
}

void ClearAllKeptEntries() {
  for (int slot = 0; slot < MAX_TABS; ++slot) ClearKeptEntry(slot);
}

std::string DescribeKeptEntry(const KeptEntry& entry) {
  std::string text = std::to_string(entry.width) + "x" + std::to_string(entry.height) + " " +
                     std::to_string(entry.bitCount) + "-bit";
  if (entry.png) text += " PNG";
  return text;
}
