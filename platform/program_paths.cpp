#include "platform/program_paths.h"

#include <unistd.h>

#include <QCoreApplication>
#include <QFileInfo>
#include <cstdlib>

namespace {
std::string folderOverride;

bool Exists(const std::string& path) { return QFileInfo::exists(QString::fromStdString(path)); }

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}
}  // namespace

void OverrideProgramFolder(const std::string& folder) { folderOverride = folder; }

std::string ProgramFolder() {
  if (!folderOverride.empty()) return folderOverride.back() == '/' ? folderOverride : folderOverride + '/';
  // Qt reads the program's path from /proc each time it is asked, and every
  // toolbar icon asks; the folder cannot change while the program runs. Qt
  // can tell it only once the application exists.
  static std::string folder;
  if (!folder.empty()) return folder;
  QString path = QCoreApplication::applicationDirPath();
  if (!path.endsWith('/')) path += '/';
  if (QCoreApplication::instance() == nullptr) return path.toStdString();
  folder = path.toStdString();
  return folder;
}

std::string InstalledDataFolder() { return ProgramFolder() + "../share/quillet2/"; }

std::string ProgramDataFile(const std::string& relativePath) {
  const std::string beside = ProgramFolder() + relativePath;
  if (Exists(beside)) return beside;
  const std::string installed = InstalledDataFolder() + relativePath;
  if (Exists(installed)) return installed;
  return beside;
}

std::string FindDataFile(const std::string& relativePath) {
  if (Exists(relativePath)) return relativePath;
  const std::string found = ProgramDataFile(relativePath);
  return Exists(found) ? found : relativePath;
}

// access() rather than Qt, so that the check also holds in a forked child
// that dropped its privileges.
bool FolderWritable(const std::string& folder) { return ::access(folder.c_str(), W_OK | X_OK) == 0; }

std::string SettingsFileFor(const SettingsPlace& place) {
  if (place.runsFromOwnFolder) {
    const std::string& path = place.programPath;
    const std::size_t slash = path.find_last_of('/');
    const std::size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return path + ".ini";
    return path.substr(0, dot) + ".ini";
  }
  // A relative XDG_CONFIG_HOME is to be ignored, as the base directory
  // rules ask.
  std::string config = place.xdgConfigHome;
  if (config.empty() || config.front() != '/') config = place.home + "/.config";
  if (config.back() != '/') config += '/';
  return config + "quillet2/quillet2.ini";
}

std::string SettingsFilePath() {
  SettingsPlace place;
  place.programPath = QCoreApplication::applicationFilePath().toStdString();
  // An installed program finds its data under ../share/quillet2 and must
  // never write into its prefix, even when the user could (root, or a
  // staging folder); a program the user may not write beside cannot keep
  // its settings there either.
  const std::string folder = ProgramFolder();
  const bool installed = !Exists(folder + "default16.qpl") && Exists(InstalledDataFolder());
  place.runsFromOwnFolder = !installed && FolderWritable(folder);
  place.xdgConfigHome = Environment("XDG_CONFIG_HOME");
  place.home = Environment("HOME");
  return SettingsFileFor(place);
}

namespace {
QIcon& ChosenProgramIcon() {
  static QIcon icon;
  return icon;
}
}  // namespace

void SetProgramIcon(const QIcon& icon) { ChosenProgramIcon() = icon; }

QIcon ProgramIcon() {
  QIcon& icon = ChosenProgramIcon();
  if (icon.isNull()) icon = QIcon(QString::fromStdString(FindDataFile("ICON/quillet2.ico")));
  return icon;
}
