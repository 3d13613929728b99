#pragma once
// Where the program lies and the files it reads beside itself.

#include <QIcon>
#include <string>

// The program's folder, ending in a path separator.
std::string ProgramFolder();
// Makes ProgramFolder give another folder (empty restores the real one), so
// tests can run the program against folders of their own.
void OverrideProgramFolder(const std::string& folder);

// A data file such as "ICON/tab.ico": looked up in the working directory
// first, then beside the program. Gives back the path found, or the
// relative path itself when neither exists.
std::string FindDataFile(const std::string& relativePath);

// The program's own icon, shown in the caption of every dialog.
QIcon ProgramIcon();
