#include "app/recovery_tabs.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <ctime>

#include "app/tab_strip.h"
#include "fileio/kept_entries.h"
#include "fileio/kept_load.h"
#include "fileio/plain_save.h"
#include "model/animation.h"
#include "model/change_hub.h"
#include "model/kept_entries.h"
#include "model/never_saved.h"
#include "model/tab_lifecycle.h"
#include "storage/disk_change.h"

namespace {

void CopyTab(const ImageTab& tab, RecoveryTab& out) {
  out.width = tab.width;
  out.height = tab.height;
  out.colorCode = tab.colorCode;
  out.title = tab.title;
  out.changed = IsTabChanged(tab);
  out.backgroundIndex = tab.backgroundIndex;
  out.hotSpotX = tab.hotSpotX;
  out.hotSpotY = tab.hotSpotY;
  out.frameRate = tab.frameRate;
  std::memcpy(out.palette, tab.palette, sizeof out.palette);
  std::memcpy(out.cells, tab.cells, sizeof out.cells);
  out.kind = tab.kind;
  out.keptDirectory.clear();
  out.keptData.clear();
  const KeptEntry* kept = KeptEntryOf(tab);
  // A true-colour tab nobody edited keeps the bytes it was opened from, as
  // a kept image does, so that Save after a restore still writes them as
  // they were; an edited one is kept as its cells.
  if (kept == nullptr && IsTrueColour(tab) && tab.undoCurrent == tab.undoFirst) kept = OpenedEntryOfSlot(SlotOf(tab));
  if (kept != nullptr) {
    out.keptDirectory.assign(kept->directory.begin(), kept->directory.end());
    out.keptData = kept->data;
  }
}

// Makes the tab a kept tab again from the record's entry, through the same
// checks and decoding as Open: the entry is laid out as a one-image icon.
bool RestoreKeptImage(const RecoveryTab& saved, ImageTab& tab) {
  ByteBuffer file = {0, 0, 1, 0, 1, 0};
  file.insert(file.end(), saved.keptDirectory.begin(), saved.keptDirectory.end());
  const std::uint32_t offset = static_cast<std::uint32_t>(file.size());
  const std::uint32_t size = static_cast<std::uint32_t>(saved.keptData.size());
  for (int i = 0; i < 4; ++i) {
    file[6 + 8 + i] = static_cast<std::uint8_t>(size >> (8 * i));
    file[6 + 12 + i] = static_cast<std::uint8_t>(offset >> (8 * i));
  }
  file.insert(file.end(), saved.keptData.begin(), saved.keptData.end());
  if (!CheckIconLayout(file).error.empty()) return false;
  tab.width = tab.height = 1;
  return KeepIconImage(file, 0, tab).empty();
}

bool SameState(const RecoveryFileState& a, const RecoveryFileState& b) {
  return a.known && b.known && a.device == b.device && a.inode == b.inode && a.size == b.size &&
         a.seconds == b.seconds && a.nanoseconds == b.nanoseconds;
}

// A record names its file by path and stat values that anyone can read;
// only a file of the user's own is written back without asking.
bool OwnFile(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && info.st_uid == ::geteuid();
}

// What an animated cursor's file held that Save writes back.
// A document that is no animation has nothing of it to keep.
void CopyAnimationFile(const AnimationRecord& from, RecoveryAnimationFile& to) {
  const AnimationRecord plain;
  const bool known = from.width != plain.width || from.height != plain.height || from.bitCount != plain.bitCount ||
                     from.planes != plain.planes || from.rateChunk || from.sequenceChunk || from.hasInfo ||
                     !from.chunkOrder.empty();
  to = {known,          from.width,         from.height,  from.bitCount, from.planes,
        from.rateChunk, from.sequenceChunk, from.hasInfo, from.info,     from.chunkOrder};
}

void RestoreAnimationFile(const RecoveryAnimationFile& from, AnimationRecord& to) {
  if (!from.known) return;
  to.width = from.width;
  to.height = from.height;
  to.bitCount = from.bitCount;
  to.planes = from.planes;
  to.rateChunk = from.rateChunk;
  to.sequenceChunk = from.sequenceChunk;
  to.hasInfo = from.hasInfo;
  to.info = from.info;
  to.chunkOrder = from.chunkOrder;
}

}  // namespace

RecoveryFileState LookAtFile(const std::string& path) {
  RecoveryFileState state;
  struct stat info {};
  if (path.empty() || ::stat(path.c_str(), &info) != 0) return state;
  state = {true,
           static_cast<std::uint64_t>(info.st_dev),
           static_cast<std::uint64_t>(info.st_ino),
           static_cast<std::uint64_t>(info.st_size),
           static_cast<std::int64_t>(info.st_mtim.tv_sec),
           static_cast<std::int64_t>(info.st_mtim.tv_nsec)};
  return state;
}

void TakeRecoverySnapshot(RecoveryDocument& document) {
  document.name = tabSet.documentName;
  document.file = CanSaveWithoutAsking() ? tabSet.documentName : std::string();
  document.fileState = LookAtFile(document.file);
  document.writtenAt = static_cast<std::int64_t>(std::time(nullptr));
  document.pid = static_cast<std::uint32_t>(::getpid());
  document.currentPosition = tabSet.currentPosition;
  const int count = std::clamp(tabSet.tabCount, 0, MAX_TABS);
  document.tabs.resize(static_cast<std::size_t>(count));
  int kept = 0;
  for (int position = 0; position < count; ++position) {
    const int slot = SlotAtPosition(tabSet, position);
    if (slot >= 0 && tabSet.tabs[slot].inUse == 1) CopyTab(tabSet.tabs[slot], document.tabs[kept++]);
  }
  document.tabs.resize(static_cast<std::size_t>(kept));
  // An animation's steps name their frames by strip position, as the tabs
  // will be made again in that order.
  document.animationSteps.clear();
  document.animationDefaultRate = documentAnimation.defaultRate;
  for (const AnimationStep& step : documentAnimation.steps)
    for (int position = 0; position < count; ++position)
      if (SlotAtPosition(tabSet, position) == step.slot) document.animationSteps.emplace_back(position, step.ownRate);
  CopyAnimationFile(documentAnimation, document.animationFile);
}

bool RestoreRecoveryDocument(const RecoveryDocument& document) {
  if (tabSet.tabCount != 0 || document.tabs.empty() || document.tabs.size() > MAX_TABS) return false;
  for (const RecoveryTab& saved : document.tabs) {
    const bool trueColour = saved.kind == TabKind::TrueColour;
    ImageTab* tab = trueColour ? CreateTrueColourTab(document.name, saved.width, saved.height)
                               : CreateTab(document.name, saved.width, saved.height, saved.colorCode);
    if (tab == nullptr) {
      DeleteAllTabs();
      return false;
    }
    tab->width = static_cast<std::uint16_t>(saved.width);
    tab->height = static_cast<std::uint16_t>(saved.height);
    tab->colorCode = trueColour ? 0 : saved.colorCode;
    std::memcpy(tab->palette, saved.palette, sizeof tab->palette);
    std::memcpy(tab->cells, saved.cells, sizeof tab->cells);
    // Opened bytes make the tab again as Open made it, kept or true colour.
    if (!saved.keptDirectory.empty() && !RestoreKeptImage(saved, *tab)) {
      DeleteAllTabs();
      return false;
    }
    if (!saved.title.empty() && saved.title.size() < sizeof tab->title && saved.title != tab->title) {
      std::memset(tab->title, 0, sizeof tab->title);
      std::memcpy(tab->title, saved.title.data(), saved.title.size());
      // The strip item was made with the title CreateTab gave.
      const int position = tabSet.tabCount - 1;
      if (StripItemSlot(position) == SlotOf(*tab)) {
        StripRemoveItem(position);
        StripInsertItem(position, tab->title, SlotOf(*tab));
      }
    }
    if (saved.backgroundIndex >= 0 && saved.backgroundIndex <= 255) tab->backgroundIndex = saved.backgroundIndex;
    // A hot spot stays inside its image.
    tab->hotSpotX = std::min<std::uint8_t>(saved.hotSpotX, static_cast<std::uint8_t>(tab->width - 1));
    tab->hotSpotY = std::min<std::uint8_t>(saved.hotSpotY, static_cast<std::uint8_t>(tab->height - 1));
    tab->frameRate = saved.frameRate;
    // No file holds what the record kept, whatever the tab was before.
    MarkTabNeverSaved(*tab);
  }
  tabSet.documentName = document.name;
  ForgetAnimation();
  if (!document.animationSteps.empty()) {
    documentAnimation.defaultRate = document.animationDefaultRate;
    for (const auto& [position, rate] : document.animationSteps)
      if (position < static_cast<std::uint32_t>(tabSet.tabCount))
        documentAnimation.steps.push_back({SlotAtPosition(tabSet, static_cast<int>(position)), rate});
  }
  RestoreAnimationFile(document.animationFile, documentAnimation);
  // Save writes the file straight back only when it is the user's own and
  // nobody changed it since.
  if (!document.file.empty() && document.file == document.name && OwnFile(document.file) &&
      SameState(document.fileState, LookAtFile(document.file))) {
    NoteIconDocument(document.file);
    RememberDocumentFile(document.file);
  } else {
    NoteIconDocument({});
    ForgetDocumentFile();
  }
  tabSet.currentPosition = std::clamp(document.currentPosition, 0, tabSet.tabCount - 1);
  Announce(nullptr, CHANGE_TABS | CHANGE_CAPTION);
  ShowCurrentPosition();
  return true;
}
