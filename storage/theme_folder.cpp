#include "storage/theme_folder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

#include "storage/safe_path.h"

namespace {

// More folders than any real path has to make before a theme.
constexpr int MAX_FOLDERS_MADE = 64;

// What the writing made so far, each entry by an open folder and a name, to
// be removed again, last made first, when a later step fails.
class MadeSoFar {
 public:
  MadeSoFar() = default;
  MadeSoFar(const MadeSoFar&) = delete;
  MadeSoFar& operator=(const MadeSoFar&) = delete;
  ~MadeSoFar() {
    for (const Entry& entry : entries_) ::close(entry.folder);
  }
  void Add(int folder, const std::string& name, bool isFolder) {
    const int held = ::fcntl(folder, F_DUPFD_CLOEXEC, 0);
    if (held >= 0) entries_.push_back({held, name, isFolder});
  }
  void RemoveAll() {
    const int saved = errno;
    for (auto entry = entries_.rbegin(); entry != entries_.rend(); ++entry)
      ::unlinkat(entry->folder, entry->name.c_str(), entry->isFolder ? AT_REMOVEDIR : 0);
    errno = saved;
  }

 private:
  struct Entry {
    int folder;
    std::string name;
    bool isFolder;
  };
  std::vector<Entry> entries_;
};

WriteProblem ProblemOfErrno(WriteProblem permission) {
  switch (errno) {
    case EACCES:
    case EPERM:
    case EROFS: return permission;
    case ENOSPC:
    case EDQUOT:
    case EFBIG: return WriteProblem::DiskFull;
    default: return WriteProblem::Other;
  }
}

bool Fail(ThemeWriteResult& result, WriteResult how, WriteProblem problem, const std::string& path, bool folder) {
  result = {how, problem, path, folder};
  return false;
}

std::string ParentOf(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  const std::size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// Makes the folder of the path when it is missing, and the missing folders
// above it, each found as a save walks to its file.
bool MakeMissingFolders(const std::string& path, MadeSoFar& made, ThemeWriteResult& result, int depth = 0) {
  SavePlace place;
  PathCheck check = OpenSavePlace(path, place);
  if (check == PathCheck::Failed && errno == ENOENT && depth < MAX_FOLDERS_MADE && ParentOf(path) != path) {
    if (!MakeMissingFolders(ParentOf(path), made, result, depth + 1)) return false;
    check = OpenSavePlace(path, place);
  }
  if (check == PathCheck::LinkRefused) return Fail(result, WriteResult::OpenFailed, WriteProblem::LinkRefused, path, true);
  if (check != PathCheck::Ok) return Fail(result, WriteResult::OpenFailed, ProblemOfErrno(WriteProblem::NoPermission), path, true);
  struct stat info {};
  if (::fstatat(place.folder, place.name.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0) return true;
  if (::mkdirat(place.folder, place.name.c_str(), 0777) != 0 && errno != EEXIST)
    return Fail(result, WriteResult::OpenFailed, ProblemOfErrno(WriteProblem::NoNewFileInFolder), path, true);
  made.Add(place.folder, place.name, true);
  return true;
}

// Opens the folder `name` in `parent`, made when it is missing. Only a
// folder of the user's own is opened; the user's own link to one is
// followed as a save follows it. -1 when it cannot be.
int OpenOwnFolder(int parent, const std::string& name, const std::string& path, MadeSoFar& made,
                  ThemeWriteResult& result) {
  struct stat info {};
  if (::fstatat(parent, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) {
    if (errno != ENOENT || ::mkdirat(parent, name.c_str(), 0777) != 0) {
      Fail(result, WriteResult::OpenFailed, ProblemOfErrno(WriteProblem::NoNewFileInFolder), path, true);
      return -1;
    }
    made.Add(parent, name, true);
    if (::fstatat(parent, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) {
      Fail(result, WriteResult::OpenFailed, WriteProblem::Other, path, true);
      return -1;
    }
  }
  // Refused, not failed to be made: the message says the folder did not open.
  if (info.st_uid != ::geteuid()) {
    Fail(result, WriteResult::OpenFailed,
         S_ISLNK(info.st_mode) ? WriteProblem::LinkRefused : WriteProblem::OtherUsersFolder, path, false);
    return -1;
  }
  if (S_ISLNK(info.st_mode)) {
    SavePlace place;
    if (OpenSavePlace(path, place) != PathCheck::Ok) {
      Fail(result, WriteResult::OpenFailed, WriteProblem::LinkRefused, path, true);
      return -1;
    }
    return OpenOwnFolder(place.folder, place.name, place.target, made, result);
  }
  const int folder = ::openat(parent, name.c_str(), O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  struct stat opened {};
  if (folder < 0 || ::fstat(folder, &opened) != 0 || opened.st_dev != info.st_dev || opened.st_ino != info.st_ino) {
    // No folder, or another one took the name since it was looked at.
    if (folder >= 0) ::close(folder);
    Fail(result, WriteResult::OpenFailed, WriteProblem::LinkRefused, path, true);
    return -1;
  }
  return folder;
}

class HeldFolder {
 public:
  explicit HeldFolder(int fd) : fd_(fd) {}
  HeldFolder(const HeldFolder&) = delete;
  HeldFolder& operator=(const HeldFolder&) = delete;
  ~HeldFolder() {
    if (fd_ >= 0) ::close(fd_);
  }
  int Fd() const { return fd_; }

 private:
  int fd_;
};

bool WriteNewFile(int folder, const char* name, const ByteBuffer& bytes, bool& madeIt) {
  madeIt = false;
  // Only a new file: one that takes the name meanwhile is left alone.
  const int fd = ::openat(folder, name, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
  if (fd < 0) return errno == EEXIST;
  madeIt = true;
  std::size_t written = 0;
  while (written < bytes.size()) {
    const ssize_t put = ::write(fd, bytes.data() + written, bytes.size() - written);
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) break;
    written += static_cast<std::size_t>(put);
  }
  const bool whole = written == bytes.size() && ::fsync(fd) == 0;
  return ::close(fd) == 0 && whole;
}

// Makes `alias` in the held cursors folder a link to `target` beside it.
// Only a missing name or a link of the user's own is taken: a cursor file
// there is the user's own picture for that name.
bool LinkAlias(int cursors, const std::string& alias, const std::string& target) {
  if (alias.empty() || alias.find('/') != std::string::npos || alias == "." || alias == ".." || alias == target)
    return false;
  struct stat info {};
  if (::fstatat(cursors, alias.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0) {
    if (!S_ISLNK(info.st_mode) || info.st_uid != ::geteuid()) return false;
    char old[256];
    const ssize_t length = ::readlinkat(cursors, alias.c_str(), old, sizeof old);
    if (length >= 0 && std::string(old, static_cast<std::size_t>(length)) == target) return true;
    if (::unlinkat(cursors, alias.c_str(), 0) != 0) return false;
  }
  return ::symlinkat(target.c_str(), cursors, alias.c_str()) == 0;
}

}  // namespace

ThemeWriteResult WriteThemeFiles(const std::string& themeFolderAsGiven, const std::string& cursorName,
                                 const ByteBuffer& cursor, const ByteBuffer& index,
                                 const std::vector<std::string>& aliases) {
  std::string themeFolder = themeFolderAsGiven;
  while (themeFolder.size() > 1 && themeFolder.back() == '/') themeFolder.pop_back();
  ThemeWriteResult result;
  MadeSoFar made;
  const auto failed = [&made, &result] {
    made.RemoveAll();
    return result;
  };
  if (!MakeMissingFolders(ParentOf(themeFolder), made, result)) return failed();
  SavePlace themePlace;
  switch (OpenSavePlace(themeFolder, themePlace)) {
    case PathCheck::Ok: break;
    case PathCheck::LinkRefused:
      Fail(result, WriteResult::OpenFailed, WriteProblem::LinkRefused, themeFolder, true);
      return failed();
    case PathCheck::Failed:
      Fail(result, WriteResult::OpenFailed, ProblemOfErrno(WriteProblem::NoPermission), themeFolder, true);
      return failed();
  }
  const HeldFolder theme(OpenOwnFolder(themePlace.folder, themePlace.name, themePlace.target, made, result));
  if (theme.Fd() < 0) return failed();
  const std::string cursorsPath = themePlace.target + "/cursors";
  const HeldFolder cursors(OpenOwnFolder(theme.Fd(), "cursors", cursorsPath, made, result));
  if (cursors.Fd() < 0) return failed();

  const std::string indexPath = themePlace.target + "/index.theme";
  struct stat info {};
  if (::fstatat(theme.Fd(), "index.theme", &info, AT_SYMLINK_NOFOLLOW) != 0) {
    bool madeIndex = false;
    const bool written = WriteNewFile(theme.Fd(), "index.theme", index, madeIndex);
    if (madeIndex) made.Add(theme.Fd(), "index.theme", false);
    if (!written) {
      Fail(result, madeIndex ? WriteResult::WriteFailed : WriteResult::OpenFailed,
           ProblemOfErrno(WriteProblem::NoNewFileInFolder), indexPath, false);
      return failed();
    }
  }

  const std::string cursorPath = cursorsPath + "/" + cursorName;
  if (cursorName.empty() || cursorName.find('/') != std::string::npos || cursorName == "." || cursorName == "..") {
    Fail(result, WriteResult::OpenFailed, WriteProblem::Other, cursorPath, false);
    return failed();
  }
  const bool exists = ::fstatat(cursors.Fd(), cursorName.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0;
  if (exists && info.st_uid != ::geteuid()) {
    Fail(result, WriteResult::OpenFailed,
         S_ISLNK(info.st_mode) ? WriteProblem::LinkRefused : WriteProblem::OtherUsersFolder, cursorPath, false);
    return failed();
  }
  WriteProblem problem = WriteProblem::None;
  WriteResult written = WriteResult::Ok;
  if (exists && S_ISLNK(info.st_mode)) {
    // The user's own link, as in a theme whose names lead to one file.
    written = WriteFileBytesSafely(cursorPath, cursor, &problem);
  } else {
    SavePlace place;
    place.folder = ::fcntl(cursors.Fd(), F_DUPFD_CLOEXEC, 0);
    place.name = cursorName;
    place.target = cursorPath;
    written = place.folder < 0 ? WriteResult::OpenFailed : WriteFileBytesAt(place, cursor, &problem);
  }
  if (written != WriteResult::Ok) {
    Fail(result, written, problem, cursorPath, false);
    return failed();
  }
  for (const std::string& alias : aliases)
    (LinkAlias(cursors.Fd(), alias, cursorName) ? result.linked : result.leftAlone).push_back(alias);
  return result;
}
