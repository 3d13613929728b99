#include "app/recovery_tabs.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <ctime>

#include "app/tab_strip.h"
#include "fileio/plain_save.h"
#include "model/change_hub.h"
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
  std::memcpy(out.palette, tab.palette, sizeof out.palette);
  std::memcpy(out.cells, tab.cells, sizeof out.cells);
}

bool SameState(const RecoveryFileState& a, const RecoveryFileState& b) {
  return a.known && b.known && a.device == b.device && a.inode == b.inode && a.size == b.size &&
         a.seconds == b.seconds && a.nanoseconds == b.nanoseconds;
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
}

bool RestoreRecoveryDocument(const RecoveryDocument& document) {
  if (tabSet.tabCount != 0 || document.tabs.empty() || document.tabs.size() > MAX_TABS) return false;
  for (const RecoveryTab& saved : document.tabs) {
    ImageTab* tab = CreateTab(document.name, saved.width, saved.height, saved.colorCode);
    if (tab == nullptr) {
      DeleteAllTabs();
      return false;
    }
    tab->width = static_cast<std::uint8_t>(saved.width);
    tab->height = static_cast<std::uint8_t>(saved.height);
    tab->colorCode = saved.colorCode;
    std::memcpy(tab->palette, saved.palette, sizeof tab->palette);
    std::memcpy(tab->cells, saved.cells, sizeof tab->cells);
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
    // No file holds what the record kept, whatever the tab was before.
    MarkTabNeverSaved(*tab);
  }
  tabSet.documentName = document.name;
  // Save writes the file straight back only when nobody changed it since.
  if (!document.file.empty() && document.file == document.name &&
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
