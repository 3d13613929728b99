#include "storage/safe_path.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <deque>
#include <vector>

namespace {

// As many links as the system itself follows on one path before it gives up.
constexpr int MAX_LINK_HOPS = 40;

// Puts the parts of a path in front of those still to be walked.
void PushParts(const std::string& path, std::deque<std::string>& parts) {
  std::deque<std::string> added;
  std::size_t start = 0;
  while (start <= path.size()) {
    const std::size_t slash = path.find('/', start);
    const std::size_t end = slash == std::string::npos ? path.size() : slash;
    if (end > start) added.push_back(path.substr(start, end - start));
    start = end + 1;
  }
  parts.insert(parts.begin(), added.begin(), added.end());
}

// The kernel's protected-symlinks rule: a link in a sticky folder that every
// user may write is followed only by its owner, or when the folder's owner
// owns it too.
bool LinkMayBeFollowed(const struct stat& link, int folder) {
  struct stat place {};
  if (::fstat(folder, &place) != 0) return false;
  const bool shared = (place.st_mode & S_ISVTX) != 0 && (place.st_mode & S_IWOTH) != 0;
  return !shared || link.st_uid == ::geteuid() || link.st_uid == place.st_uid;
}

void CloseKeepingError(int fd) {
  const int saved = errno;
  ::close(fd);
  errno = saved;
}

// The folders walked so far, from the root (or the working folder) down,
// each open; the last one is where the walk stands.
class FolderChain {
 public:
  FolderChain() = default;
  FolderChain(const FolderChain&) = delete;
  FolderChain& operator=(const FolderChain&) = delete;
  ~FolderChain() { Clear(); }
  void Clear() {
    for (const Step& step : steps_) CloseKeepingError(step.fd);
    steps_.clear();
  }
  bool Start(const char* where, std::string path) {
    Clear();
    const int fd = ::open(where, O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return false;
    steps_.push_back({fd, path == "/" ? std::string() : std::move(path)});
    return true;
  }
  void Push(int fd, const std::string& part) { steps_.push_back({fd, Path() + "/" + part}); }
  // Back to the parent; the first folder stays, as the root is its own
  // parent. A walk that started in the working folder goes up by opening
  // "..", which holds no link.
  bool Up() {
    if (steps_.size() > 1) {
      CloseKeepingError(steps_.back().fd);
      steps_.pop_back();
      return true;
    }
    std::string path = steps_.front().path;
    if (path.empty()) return true;
    path.erase(path.find_last_of('/'));
    const int fd = ::openat(steps_.front().fd, "..", O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) return false;
    CloseKeepingError(steps_.front().fd);
    steps_.front() = {fd, path};
    return true;
  }
  int Fd() const { return steps_.back().fd; }
  // The absolute path of the folder; empty for the root.
  const std::string& Path() const { return steps_.back().path; }
  // Hands the open folder over to the caller.
  int Take() {
    const int fd = steps_.back().fd;
    steps_.pop_back();
    return fd;
  }

 private:
  struct Step {
    int fd;
    std::string path;
  };
  std::vector<Step> steps_;
};

// Opens the link itself and reads where it leads, so what is read is the
// link that was checked, even when another one takes its name meanwhile.
PathCheck ReadCheckedLink(int folder, const std::string& part, std::string& leadsTo) {
  const int link = ::openat(folder, part.c_str(), O_PATH | O_NOFOLLOW | O_CLOEXEC);
  if (link < 0) return PathCheck::Failed;
  struct stat info {};
  if (::fstat(link, &info) != 0) {
    CloseKeepingError(link);
    return PathCheck::Failed;
  }
  // Something else took the name since it was looked at.
  if (!S_ISLNK(info.st_mode) || !LinkMayBeFollowed(info, folder)) {
    CloseKeepingError(link);
    return PathCheck::LinkRefused;
  }
  std::string target(PATH_MAX, '\0');
  const ssize_t length = ::readlinkat(link, "", target.data(), target.size());
  CloseKeepingError(link);
  if (length < 0) return PathCheck::Failed;
  if (static_cast<std::size_t>(length) >= target.size()) {
    errno = ENAMETOOLONG;
    return PathCheck::Failed;
  }
  target.resize(static_cast<std::size_t>(length));
  leadsTo = target;
  return PathCheck::Ok;
}

}  // namespace

SavePlace::~SavePlace() {
  if (folder >= 0) CloseKeepingError(folder);
}

PathCheck OpenSavePlace(const std::string& path, SavePlace& place) {
  if (place.folder >= 0) ::close(place.folder);
  place.folder = -1;
  place.name.clear();
  place.target.clear();
  if (path.empty()) {
    errno = ENOENT;
    return PathCheck::Failed;
  }
  FolderChain chain;
  if (path.front() == '/') {
    if (!chain.Start("/", "/")) return PathCheck::Failed;
  } else {
    char here[PATH_MAX];
    if (::getcwd(here, sizeof here) == nullptr || !chain.Start(".", here)) return PathCheck::Failed;
  }
  std::deque<std::string> parts;
  PushParts(path, parts);
  int hops = 0;
  // The last part, once it is known to be no folder (or missing).
  std::string last;
  bool lastFound = false;
  while (!parts.empty()) {
    const std::string part = parts.front();
    parts.pop_front();
    if (part == ".") continue;
    if (part == "..") {
      if (!chain.Up()) return PathCheck::Failed;
      continue;
    }
    struct stat info {};
    if (::fstatat(chain.Fd(), part.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) {
      // Only the last part may be missing: that is the file to be created.
      if (errno == ENOENT && parts.empty()) {
        last = part;
        lastFound = true;
        break;
      }
      return PathCheck::Failed;
    }
    if (S_ISLNK(info.st_mode)) {
      if (++hops > MAX_LINK_HOPS) {
        errno = ELOOP;
        return PathCheck::Failed;
      }
      if (!LinkMayBeFollowed(info, chain.Fd())) return PathCheck::LinkRefused;
      std::string leadsTo;
      if (const PathCheck read = ReadCheckedLink(chain.Fd(), part, leadsTo); read != PathCheck::Ok) return read;
      // An absolute link starts again from the root; a relative one goes on
      // from the folder the link lies in.
      if (!leadsTo.empty() && leadsTo.front() == '/' && !chain.Start("/", "/")) return PathCheck::Failed;
      PushParts(leadsTo, parts);
      continue;
    }
    if (!S_ISDIR(info.st_mode)) {
      // A file (or another node) is the end of the walk; anything after it
      // cannot be reached.
      if (!parts.empty()) {
        errno = ENOTDIR;
        return PathCheck::Failed;
      }
      last = part;
      lastFound = true;
      break;
    }
    const int fd = ::openat(chain.Fd(), part.c_str(), O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) {
      // The folder looked at a moment ago is a link now, or no folder.
      if (errno == ELOOP || errno == ENOTDIR) return PathCheck::LinkRefused;
      return PathCheck::Failed;
    }
    struct stat opened {};
    if (::fstat(fd, &opened) != 0 || opened.st_dev != info.st_dev || opened.st_ino != info.st_ino) {
      ::close(fd);
      return PathCheck::LinkRefused;
    }
    chain.Push(fd, part);
  }
  // "name/" names a folder, never a file to be created or replaced.
  if (lastFound && path.back() == '/') {
    errno = EISDIR;
    return PathCheck::Failed;
  }
  if (!lastFound) {
    // The path names a folder: its place is its parent, under its name.
    const std::string folderPath = chain.Path();
    if (folderPath.empty()) {
      errno = EISDIR;
      return PathCheck::Failed;
    }
    last = folderPath.substr(folderPath.find_last_of('/') + 1);
    if (!chain.Up()) return PathCheck::Failed;
  }
  place.target = chain.Path() + "/" + last;
  place.name = last;
  place.folder = chain.Take();
  return PathCheck::Ok;
}

PathCheck ResolveSavePath(const std::string& path, std::string& resolved) {
  SavePlace place;
  const PathCheck check = OpenSavePlace(path, place);
  if (check == PathCheck::Ok) resolved = place.target;
  return check;
}
