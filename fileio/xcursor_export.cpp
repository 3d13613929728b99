#include "fileio/xcursor_export.h"

#include <algorithm>

#include "fileio/ani_document.h"
#include "fileio/icon_format.h"
#include "fileio/save_flow.h"
#include "fileio/xcursor_format.h"
#include "model/animation.h"
#include "model/kept_entries.h"
#include "model/tab_set.h"
#include "platform/modal.h"
#include "storage/write_failure.h"

namespace {

// X11 cursors carry no extension: a theme names them after the pointer
// shape they stand for.
std::string NameWithoutExtension(const std::string& name) {
  const std::size_t slash = name.find_last_of('/');
  const std::size_t start = slash == std::string::npos ? 0 : slash + 1;
  const std::size_t dot = name.find_last_of('.');
  return dot != std::string::npos && dot > start ? name.substr(0, dot) : name;
}

}  // namespace

std::vector<XcursorFrame> XcursorFramesOfDocument() {
  std::vector<XcursorFrame> frames;
  // Kept images have no cells to give it; the editable ones make the cursor.
  if (!IsAnimatedCursorName(tabSet.documentName)) {
    for (const ImageTab* tab : TabsInStripOrder())
      if (!IsKeptTab(*tab)) frames.push_back({tab, 0});
    return frames;
  }
  // An animation's pictures follow its sequence, each with its step's time.
  std::vector<int> frameSlots;
  std::vector<std::uint32_t> rates;
  for (const ImageTab* tab : TabsInStripOrder()) {
    frameSlots.push_back(static_cast<int>(tab - tabSet.tabs));
    rates.push_back(tab->frameRate);
  }
  for (const PlayedStep& step : PlayedSteps(frameSlots, rates)) {
    const ImageTab& tab = tabSet.tabs[step.slot];
    if (!IsKeptTab(tab)) frames.push_back({&tab, std::max<std::uint32_t>(RateToMilliseconds(step.rate), 1)});
  }
  return frames;
}

bool WriteXcursorFile(const std::string& path) {
  WriteProblem problem = WriteProblem::None;
  switch (WriteFileBytesSafely(path, SerializeXcursor(XcursorFramesOfDocument()), &problem)) {
    case WriteResult::Ok: return true;
    case WriteResult::OpenFailed: ShowReport(WriteFailureMessage(path, ICON_OPEN_FAILED, problem)); return false;
    case WriteResult::WriteFailed: ShowReport(WriteFailureMessage(path, ICON_WRITE_FAILED, problem)); return false;
  }
  return false;
}

void CommandExportXcursor() {
  if (tabSet.tabCount <= 0) return;
  static const FileFilterList filters = {{QT_TRANSLATE_NOOP("Quillet2", "全て(*.*)"), "*"}};
  const auto chosen = ChooseSaveFile(EXPORT_XCURSOR_TITLE, filters, NameWithoutExtension(tabSet.documentName), "");
  if (!chosen) return;
  WriteXcursorFile(*chosen);
}
