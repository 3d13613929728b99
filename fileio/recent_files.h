#pragma once
// The files last opened or saved, newest first, which the file menu offers
// again. The list lives while the program runs; the settings file keeps it
// between runs.

#include <string>
#include <vector>

constexpr int RECENT_FILES_MAX = 8;

const std::vector<std::string>& RecentFiles();

// Replaces the list, as read from the settings: empty and repeated names are
// left out and only the first RECENT_FILES_MAX are kept.
void SetRecentFiles(const std::vector<std::string>& files);

// Puts the file first, as an absolute path, removing it from further down
// and dropping the oldest beyond RECENT_FILES_MAX. A name that the settings
// file could not keep on one line is not listed.
void NoteRecentFile(const std::string& path);

// Removes the file from the list.
void DropRecentFile(const std::string& path);
