#include "fileio/cursor_theme_export.h"

#include <QDir>
#include <QFileInfo>

#include "fileio/cursor_theme_dialog.h"
#include "fileio/cursor_theme_names.h"
#include "fileio/icon_format.h"
#include "fileio/xcursor_export.h"
#include "fileio/xcursor_format.h"
#include "model/tab_set.h"
#include "platform/modal.h"
#include "platform/translation.h"
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

std::optional<std::string> WriteCursorTheme(const std::string& themeFolder, const std::string& cursorName) {
  const std::vector<XcursorFrame> frames = XcursorFramesOfDocument();
  // A theme is only begun for a cursor that has a picture.
  if (frames.empty()) {
    ShowReport(FileMessage(themeFolder, XCURSOR_NOTHING_TO_EXPORT));
    return std::nullopt;
  }
  std::vector<std::string> aliases;
  if (const ThemeCursorShape* shape = ThemeShapeNamed(cursorName); shape != nullptr && cursorName == shape->name)
    aliases.assign(shape->aliases.begin(), shape->aliases.end());
  const std::string themeName = QFileInfo(QDir(QString::fromStdString(themeFolder)).absolutePath()).fileName().toStdString();
  const std::string index = XcursorThemeIndex(themeName);
  const ThemeWriteResult result = WriteThemeFiles(themeFolder, cursorName, SerializeXcursor(frames),
                                                  ByteBuffer(index.begin(), index.end()), aliases);
  if (result.result == WriteResult::Ok) {
    const auto joined = [](const std::vector<std::string>& names) {
      std::string text;
      for (const std::string& name : names) text += (text.empty() ? "" : ", ") + name;
      return text;
    };
    std::string cursorPath = themeFolder;
    while (cursorPath.size() > 1 && cursorPath.back() == '/') cursorPath.pop_back();
    cursorPath += "/cursors/" + cursorName;
    std::string note = FillText(UiString(QT_TRANSLATE_NOOP("Quillet2", "%1 を書き出しました")), {cursorPath});
    if (!result.linked.empty())
      note += FillText(UiString(QT_TRANSLATE_NOOP("Quillet2", "（別名のリンク: %1）")), {joined(result.linked)});
    if (!result.leftAlone.empty())
      note += FillText(UiString(QT_TRANSLATE_NOOP("Quillet2", "（ほかのファイルがあるので残した名前: %1）")),
                       {joined(result.leftAlone)});
    return note;
  }
  const char* firstLine = result.folder                             ? EXPORT_THEME_FOLDER_FAILED
                          : result.result == WriteResult::OpenFailed ? ICON_OPEN_FAILED
                                                                     : ICON_WRITE_FAILED;
  ShowReport(WriteFailureMessage(result.path, firstLine, result.problem));
  return std::nullopt;
}

std::optional<std::string> CommandExportCursorTheme() {
  if (tabSet.tabCount <= 0) return std::nullopt;
  // The folder and name of the last export are offered again, so that a
  // set of cursors goes into one theme one after the other.
  static std::string lastFolder;
  static std::string lastName;
  const std::string folder = !lastFolder.empty() ? lastFolder : QDir::homePath().toStdString() + "/.icons/my-cursors";
  const std::string documentName = ThemeCursorName(tabSet.documentName);
  const std::string name = ThemeShapeNamed(documentName) != nullptr || lastName.empty() ? documentName : lastName;
  const auto choice = RunThemeExportDialog(folder, name);
  if (!choice) return std::nullopt;
  lastFolder = choice->folder;
  lastName = choice->name;
  return WriteCursorTheme(choice->folder, choice->name);
}
