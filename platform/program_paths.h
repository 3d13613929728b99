#pragma once
// Where the program lies, the files it reads beside itself or from its
// installed data folder, and where it keeps its settings.

#include <QIcon>
#include <string>

// The program's folder, ending in a path separator.
std::string ProgramFolder();
// Makes ProgramFolder give another folder (empty restores the real one), so
// tests can run the program against folders of their own.
void OverrideProgramFolder(const std::string& folder);

// The data folder of an installed program: "../share/quillet2/" beside the
// program's folder, ending in a path separator.
std::string InstalledDataFolder();

// A file that comes with the program, such as "default16.qpl": beside the
// program first (a build folder or an unpacked copy), then in the installed
// data folder. When neither holds it, the path beside the program, so that
// a message about it names the usual place.
std::string ProgramDataFile(const std::string& relativePath);

// A data file such as "ICON/tab.ico": looked up in the working directory
// first, then as ProgramDataFile does. Gives back the path found, or the
// relative path itself when none exists.
std::string FindDataFile(const std::string& relativePath);

// True when the user running the program may create files in the folder.
bool FolderWritable(const std::string& folder);

// What decides where the settings file lies.
struct SettingsPlace {
  // The program's own path.
  std::string programPath;
  // The program's folder holds the data files or may be written by the user
  // (a build folder or an unpacked copy), and no installed data folder
  // lies beside it.
  bool runsFromOwnFolder = true;
  // $XDG_CONFIG_HOME and $HOME as the environment gives them (empty when
  // unset).
  std::string xdgConfigHome;
  std::string home;
};

// The settings file: beside a program run from its own folder, with the
// program's extension replaced by "ini"; for an installed program
// "quillet2/quillet2.ini" in the user's configuration folder
// ($XDG_CONFIG_HOME, or ~/.config when that is unset or not absolute).
std::string SettingsFileFor(const SettingsPlace& place);
// The settings file of this run, from the program's place and environment.
std::string SettingsFilePath();

// The program's own icon, shown in the caption of every dialog: the one the
// program read itself (SetProgramIcon), else ICON/quillet2.ico read by Qt.
QIcon ProgramIcon();
void SetProgramIcon(const QIcon& icon);
