#include "app/recent_files_menu.h"

#include <sys/stat.h>

#include <QAction>
#include <QMenu>
#include <cerrno>

#include "app/command_ids.h"
#include "fileio/open_flow.h"
#include "fileio/recent_files.h"
#include "platform/modal.h"
#include "storage/file_message.h"

namespace {

constexpr const char* RECENT_ENTRY = "recent";

bool FileIsGone(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) != 0 && (errno == ENOENT || errno == ENOTDIR);
}

}  // namespace

void InstallRecentFilesMenu(QMenu& fileMenu) {
  QObject::connect(&fileMenu, &QMenu::aboutToShow, &fileMenu, [&fileMenu] { FillRecentFiles(fileMenu); });
}

void FillRecentFiles(QMenu& fileMenu) {
  for (QAction* action : fileMenu.actions())
    if (action->property(RECENT_ENTRY).toBool()) {
      fileMenu.removeAction(action);
      delete action;
    }
  // The list goes just above the exit entry, with a separator of its own.
  QAction* before = nullptr;
  for (QAction* action : fileMenu.actions())
    if (action->data().toInt() == CMD_EXIT) before = action;
  const std::vector<std::string>& files = RecentFiles();
  for (int i = 0; i < static_cast<int>(files.size()) && i < RECENT_FILES_MAX; ++i) {
    QString name = QString::fromStdString(files[i]);
    // A "&" in a path would otherwise mark a mnemonic.
    name.replace(QLatin1Char('&'), QLatin1String("&&"));
    auto* action = new QAction(QStringLiteral("&%1 %2").arg(i + 1).arg(name), &fileMenu);
    action->setData(CMD_RECENT_FILE_FIRST + i);
    action->setObjectName(QString::number(CMD_RECENT_FILE_FIRST + i));
    action->setProperty(RECENT_ENTRY, true);
    fileMenu.insertAction(before, action);
  }
  if (!files.empty()) {
    QAction* separator = fileMenu.insertSeparator(before);
    separator->setProperty(RECENT_ENTRY, true);
  }
}

void OpenRecentFile(int index) {
  const std::vector<std::string>& files = RecentFiles();
  if (index < 0 || index >= static_cast<int>(files.size())) return;
  const std::string path = files[index];
  if (FileIsGone(path)) {
    DropRecentFile(path);
    ShowReport(FileMessage(path, RECENT_FILE_GONE));
    return;
  }
  OpenIconFile(path);
}
