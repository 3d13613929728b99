#include "fileio/cursor_theme_export.h"

#include <QDir>
#include <QFileInfo>

#include "fileio/icon_format.h"
#include "fileio/xcursor_export.h"
#include "fileio/xcursor_format.h"
#include "model/tab_set.h"
#include "platform/modal.h"
#include "storage/file_message.h"
#include "storage/write_failure.h"

namespace {

bool WriteOrReport(const std::string& path, const ByteBuffer& bytes) {
  WriteProblem problem = WriteProblem::None;
  switch (WriteFileBytesSafely(path, bytes, &problem)) {
    case WriteResult::Ok: return true;
    case WriteResult::OpenFailed: ShowReport(WriteFailureMessage(path, ICON_OPEN_FAILED, problem)); return false;
    case WriteResult::WriteFailed: ShowReport(WriteFailureMessage(path, ICON_WRITE_FAILED, problem)); return false;
  }
  return false;
}

}  // namespace

std::string ThemeCursorName(const std::string& documentName) {
  const std::size_t slash = documentName.find_last_of('/');
  std::string name = slash == std::string::npos ? documentName : documentName.substr(slash + 1);
  const std::size_t dot = name.find_last_of('.');
  if (dot != std::string::npos && dot > 0) name.resize(dot);
  // A name the theme could not hold as one file, or the name of an unnamed
  // document, gives the ordinary pointer's name.
  const bool plain = !name.empty() && name != "." && name != ".." &&
                     name.find_first_of("\\") == std::string::npos && slash != std::string::npos;
  return plain ? name : "left_ptr";
}

bool WriteCursorTheme(const std::string& themeFolder, const std::string& cursorName) {
  const QDir theme(QString::fromStdString(themeFolder));
  const QString cursors = theme.filePath(QStringLiteral("cursors"));
  if (!QDir().mkpath(cursors)) {
    ShowReport(FileMessage(cursors.toStdString(), EXPORT_THEME_FOLDER_FAILED));
    return false;
  }
  if (!WriteXcursorFile(QDir(cursors).filePath(QString::fromStdString(cursorName)).toStdString())) return false;
  const QString index = theme.filePath(QStringLiteral("index.theme"));
  if (QFileInfo::exists(index)) return true;
  const std::string themeName = QFileInfo(theme.absolutePath()).fileName().toStdString();
  const std::string text = XcursorThemeIndex(themeName);
  return WriteOrReport(index.toStdString(), ByteBuffer(text.begin(), text.end()));
}

void CommandExportCursorTheme() {
  if (tabSet.tabCount <= 0) return;
  static const FileFilterList filters = {{QT_TRANSLATE_NOOP("Quillet2", "全て(*.*)"), "*"}};
  const auto chosen = ChooseSaveFile(EXPORT_THEME_TITLE, filters, QDir::homePath().toStdString() + "/.icons/", "");
  if (!chosen) return;
  WriteCursorTheme(*chosen, ThemeCursorName(tabSet.documentName));
}
