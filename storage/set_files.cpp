#include "storage/set_files.h"

#include <sys/stat.h>

#include <cerrno>

namespace {

std::string Joined(const std::string& folder, const std::string& relative) {
  if (folder.empty()) return relative;
  return folder.back() == '/' ? folder + relative : folder + "/" + relative;
}

WriteProblem ProblemOfErrno() {
  switch (errno) {
    case EACCES:
    case EPERM:
    case EROFS: return WriteProblem::NoNewFileInFolder;
    case ENOSPC:
    case EDQUOT: return WriteProblem::DiskFull;
    default: return WriteProblem::Other;
  }
}

// Makes the folder and every missing folder above it. Something that is not
// a folder where a folder belongs fails here, before any file is written.
bool MakeFolder(const std::string& path, SetWriteResult& result) {
  for (std::size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
    const std::string part = path.substr(0, slash);
    struct stat info {};
    if (!part.empty() && part.back() != '/') {
      if (::mkdir(part.c_str(), 0777) != 0 && errno != EEXIST) {
        result = {WriteResult::OpenFailed, ProblemOfErrno(), part, true, std::move(result.written)};
        return false;
      }
      if (::stat(part.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
        result = {WriteResult::OpenFailed, WriteProblem::NotRegularFile, part, true, std::move(result.written)};
        return false;
      }
    }
    if (slash == std::string::npos) return true;
  }
}

bool PathAccepted(const std::string& relative) {
  if (relative.empty() || relative.front() == '/') return false;
  std::size_t from = 0;
  while (from <= relative.size()) {
    const std::size_t slash = std::min(relative.find('/', from), relative.size());
    const std::string part = relative.substr(from, slash - from);
    if (part.empty() || part == "." || part == "..") return false;
    from = slash + 1;
  }
  return true;
}

}  // namespace

std::vector<std::string> ExistingSetFiles(const std::string& folder, const std::vector<SetFileBytes>& files) {
  std::vector<std::string> existing;
  for (const auto& file : files) {
    struct stat info {};
    if (::lstat(Joined(folder, file.first).c_str(), &info) == 0) existing.push_back(file.first);
  }
  return existing;
}

SetWriteResult WriteSetFiles(const std::string& folder, const std::vector<SetFileBytes>& files) {
  SetWriteResult result;
  for (const auto& [relative, bytes] : files) {
    const std::string path = Joined(folder, relative);
    // The paths are the program's own; one that could climb out of the
    // folder is a mistake, and is refused rather than written.
    if (!PathAccepted(relative)) {
      result = {WriteResult::OpenFailed, WriteProblem::Other, path, false, std::move(result.written)};
      return result;
    }
    const std::size_t slash = path.find_last_of('/');
    if (slash != std::string::npos && slash > 0 && !MakeFolder(path.substr(0, slash), result)) return result;
    WriteProblem problem = WriteProblem::None;
    const WriteResult written = WriteFileBytesSafely(path, *bytes, &problem);
    if (written != WriteResult::Ok) {
      result = {written, problem, path, false, std::move(result.written)};
      return result;
    }
    result.written.push_back(relative);
  }
  return result;
}
