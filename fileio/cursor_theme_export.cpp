#include "fileio/cursor_theme_export.h"

#include <QDir>
#include <QFileInfo>

#include "fileio/icon_format.h"
#include "fileio/xcursor_export.h"
#include "fileio/xcursor_format.h"
#include "model/tab_set.h"
#include "platform/modal.h"
#include "storage/file_message.h"
#include "storage/theme_folder.h"
#include "storage/write_failure.h"

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
  const std::vector<XcursorFrame> frames = XcursorFramesOfDocument();
  // A theme is only begun for a cursor that has a picture.
  if (frames.empty()) {
    ShowReport(FileMessage(themeFolder, XCURSOR_NOTHING_TO_EXPORT));
    return false;
  }
  const std::string themeName = QFileInfo(QDir(QString::fromStdString(themeFolder)).absolutePath()).fileName().toStdString();
  const std::string index = XcursorThemeIndex(themeName);
  const ThemeWriteResult result =
      WriteThemeFiles(themeFolder, cursorName, SerializeXcursor(frames), ByteBuffer(index.begin(), index.end()));
  if (result.result == WriteResult::Ok) return true;
  const char* firstLine = result.folder                             ? EXPORT_THEME_FOLDER_FAILED
                          : result.result == WriteResult::OpenFailed ? ICON_OPEN_FAILED
                                                                     : ICON_WRITE_FAILED;
  ShowReport(WriteFailureMessage(result.path, firstLine, result.problem));
  return false;
}

void CommandExportCursorTheme() {
  if (tabSet.tabCount <= 0) return;
  static const FileFilterList filters = {{QT_TRANSLATE_NOOP("Quillet2", "全て(*.*)"), "*"}};
  const auto chosen = ChooseSaveFile(EXPORT_THEME_TITLE, filters, QDir::homePath().toStdString() + "/.icons/", "");
  if (!chosen) return;
  WriteCursorTheme(*chosen, ThemeCursorName(tabSet.documentName));
}
