#include "fileio/xcursor_export.h"

#include "fileio/ani_document.h"
#include "fileio/icon_format.h"
#include "fileio/save_flow.h"
#include "fileio/xcursor_format.h"
#include "model/tab_set.h"
#include "platform/modal.h"
#include "storage/file_message.h"
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
  return XcursorFramesOfTabs(TabsInStripOrder(), IsAnimatedCursorName(tabSet.documentName));
}

bool WriteXcursorFile(const std::string& path) {
  const std::vector<XcursorFrame> frames = XcursorFramesOfDocument();
  // A file without a picture is no cursor: nothing is written.
  if (frames.empty()) {
    ShowReport(FileMessage(path, XCURSOR_NOTHING_TO_EXPORT));
    return false;
  }
  WriteProblem problem = WriteProblem::None;
  switch (WriteFileBytesSafely(path, SerializeXcursor(frames), &problem)) {
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
