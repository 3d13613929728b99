#include "fileio/open_flow.h"

#include <optional>

#include "fileio/ani_document.h"
#include "fileio/icon_load.h"
#include "fileio/plain_save.h"
#include "fileio/recent_files.h"
#include "fileio/save_flow.h"
#include "model/tab_lifecycle.h"
#include "platform/file_status.h"
#include "platform/modal.h"
#include "platform/system_error.h"
#include "platform/translation.h"
#include "storage/disk_change.h"
#include "storage/file_message.h"
#include "storage/save_leftovers.h"
#include "storage/unremovable_backups.h"

namespace {

void ReportRefusal(const std::string& path, const std::string& problem) { ShowReport(FileMessage(path, problem)); }

OpenRefusal openRefusal = ReportRefusal;

bool SameIgnoringCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    auto x = static_cast<unsigned char>(a[i]);
    auto y = static_cast<unsigned char>(b[i]);
    if (x >= 'A' && x <= 'Z') x = static_cast<unsigned char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<unsigned char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

void ReportTooManyTabs() { ShowReport(OPEN_TOO_MANY_TABS); }

// A save that was killed while it overwrote the file in place leaves the old
// content beside it; the user learns where, as the file itself may be torn.
// A backup the user cannot remove stays after every save, so it is told
// once, with its owner.
void TellKeptBackups(const std::string& path) {
  const BackupsToTell backups = TakeBackupsToTell(FindKeptBackups(path));
  if (!backups.removable.empty()) {
    std::string list;
    for (const std::string& backup : backups.removable) list += (list.empty() ? "" : "\n") + ReadableFileName(backup);
    ShowReport(FileMessage(path, FillText(UiString(OPEN_KEPT_BACKUP), {list})));
  }
  for (const UnremovableBackup& backup : backups.unremovable)
    ShowReport(FileMessage(path, FillText(UiString(OPEN_UNREMOVABLE_BACKUP), {backup.owner, ReadableFileName(backup.path)})));
}

}  // namespace

bool CheckFileAttributes(const std::string& path) {
  std::string text = FileMessage(path, {});
  FileAttributes attributes;
  if (!ReadFileAttributes(path, attributes)) {
    ShowSystemError();
    return false;
  }
  const std::size_t framed = text.size();
  if (attributes.directory) text += UiString(ATTRIBUTE_DIRECTORY);
  if (attributes.offline) text += UiString(ATTRIBUTE_OFFLINE);
  if (attributes.system) text += UiString(ATTRIBUTE_SYSTEM);
  if (text.size() != framed) {
    ShowReport(text);
    return false;
  }
  if (attributes.readOnly) return AskQuestion(text + UiString(ATTRIBUTE_READ_ONLY), MB_OKCANCEL) == IDOK;
  return true;
}

bool CheckNotAlreadyOpen(const std::string& path) {
  if (tabSet.tabCount > 0 && SameIgnoringCase(tabSet.documentName, path)) {
    ShowReport(FileMessage(path, OPEN_ALREADY_EDITED));
    return false;
  }
  return true;
}

bool MakeRoomForImages(int imageCount, bool& discarded) {
  discarded = false;
  if (tabSet.tabCount == 0) {
    if (imageCount <= MAX_TABS) return true;
    ReportTooManyTabs();
    return false;
  }
  switch (AskQuestion(OPEN_REPLACE_QUESTION, MB_YESNOCANCEL)) {
    case IDYES:
      if (imageCount > MAX_TABS) {
        ReportTooManyTabs();
        return false;
      }
      if (!AskSaveAndDiscardAll()) return false;
      discarded = true;
      return true;
    case IDNO:
      if (imageCount + tabSet.tabCount <= MAX_TABS) return true;
      ReportTooManyTabs();
      return false;
    default: return false;
  }
}

void SetOpenRefusal(OpenRefusal refusal) { openRefusal = refusal != nullptr ? refusal : ReportRefusal; }

void OpenIconFile(const std::string& path) {
  if (!CheckFileAttributes(path)) return;
  TellKeptBackups(path);
  int imageCount = 0;
  std::string problem = IconFileProblem(path, imageCount);
  // A file of no images would open as an empty document.
  if (problem.empty() && imageCount == 0) problem = OPEN_NO_IMAGES;
  if (!problem.empty()) {
    // The import reads no animated cursors; it has nothing to offer.
    if (IsAnimatedCursorName(path))
      ReportRefusal(path, problem);
    else
      openRefusal(path, problem);
    return;
  }
  if (!CheckNotAlreadyOpen(path)) return;

  bool discarded = false;
  if (!MakeRoomForImages(imageCount, discarded)) return;
  // The file is remembered as it was before it was read, so that a change
  // made while it loads is noticed too.
  const bool becomesDocument = tabSet.tabCount == 0;
  if (becomesDocument) RememberDocumentFile(path);
  const std::optional<int> first = LoadIconFile(path);
  if (becomesDocument && (!first || tabSet.documentName != path)) ForgetDocumentFile();
  if (first) {
    if (becomesDocument && tabSet.documentName == path) NoteIconDocument(path);
    NoteRecentFile(path);
  }
  ShowLoadedTabs(first, discarded);
}

void ShowLoadedTabs(std::optional<int> first, bool discarded) {
  if (first && tabSet.tabCount > 0) {
    tabSet.currentPosition = *first;
  } else if (discarded) {
    // The open tabs are gone and nothing came in their place: the views must
    // not go on showing a discarded tab.
    tabSet.currentPosition = 0;
  } else {
    return;
  }
  ShowCurrentPosition();
}
