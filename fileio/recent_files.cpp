#include "fileio/recent_files.h"

#include <algorithm>
#include <filesystem>

namespace {

std::vector<std::string> recent;

}  // namespace

const std::vector<std::string>& RecentFiles() { return recent; }

void SetRecentFiles(const std::vector<std::string>& files) {
  recent.clear();
  for (const std::string& file : files) {
    if (file.empty() || std::find(recent.begin(), recent.end(), file) != recent.end()) continue;
    recent.push_back(file);
    if (static_cast<int>(recent.size()) == RECENT_FILES_MAX) break;
  }
}

void NoteRecentFile(const std::string& path) {
  if (path.empty() || path.find_first_of("\r\n") != std::string::npos) return;
  // A name given on the command line is relative to a working folder that
  // the next run does not share.
  std::error_code error;
  const std::filesystem::path absolute = std::filesystem::absolute(path, error);
  const std::string full = error ? path : absolute.lexically_normal().string();
  DropRecentFile(full);
  recent.insert(recent.begin(), full);
  if (static_cast<int>(recent.size()) > RECENT_FILES_MAX) recent.resize(RECENT_FILES_MAX);
}

void DropRecentFile(const std::string& path) { recent.erase(std::remove(recent.begin(), recent.end(), path), recent.end()); }
