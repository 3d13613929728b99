#pragma once
// Writing a set of files into one folder and folders below it (an icon set:
// NAME.ico, hicolor/16x16/apps/NAME.png, ...). Each file is replaced by the
// safe save on its own rather than the whole set being built in a folder
// beside and renamed in: a hicolor folder is usually shared with other
// programs' icons (~/.local/share/icons/hicolor), so swapping the folder
// would drop theirs, and replacing each file keeps every file whole, old or
// new, at every moment.

#include <string>
#include <utility>
#include <vector>

#include "platform/file_bytes.h"

struct SetWriteResult {
  WriteResult result = WriteResult::Ok;
  WriteProblem problem = WriteProblem::None;
  // The file or folder the failure is about, and whether it is a folder
  // that could not be made.
  std::string path;
  bool folder = false;
  // The files written, in order, as paths under the folder.
  std::vector<std::string> written;
};

// One file to write: its path below the set's folder (parts joined by '/',
// no "." or ".." parts) and its bytes.
using SetFileBytes = std::pair<std::string, const ByteBuffer*>;

// The paths (below the folder) of the files that already exist there.
std::vector<std::string> ExistingSetFiles(const std::string& folder, const std::vector<SetFileBytes>& files);

// Makes the folder and the folders the files lie in where they are missing,
// then writes every file with the safe save, in order. Stops at the first
// failure; the files written before it stay, each whole.
SetWriteResult WriteSetFiles(const std::string& folder, const std::vector<SetFileBytes>& files);
