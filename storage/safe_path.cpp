#include "storage/safe_path.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <deque>

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
bool LinkMayBeFollowed(const struct stat& link, const std::string& folder) {
  struct stat place {};
  if (::stat(folder.empty() ? "/" : folder.c_str(), &place) != 0) return false;
  const bool shared = (place.st_mode & S_ISVTX) != 0 && (place.st_mode & S_IWOTH) != 0;
  return !shared || link.st_uid == ::geteuid() || link.st_uid == place.st_uid;
}

}  // namespace

PathCheck ResolveSavePath(const std::string& path, std::string& resolved) {
  if (path.empty()) {
    errno = ENOENT;
    return PathCheck::Failed;
  }
  // The folder walked so far, absolute and free of links; empty for the root.
  std::string done;
  if (path.front() != '/') {
    char here[PATH_MAX];
    if (::getcwd(here, sizeof here) == nullptr) return PathCheck::Failed;
    done = here;
    if (done == "/") done.clear();
  }
  std::deque<std::string> parts;
  PushParts(path, parts);
  int hops = 0;
  while (!parts.empty()) {
    const std::string part = parts.front();
    parts.pop_front();
    if (part == ".") continue;
    if (part == "..") {
      // The folder walked so far holds no link, so its parent is its path
      // without the last part.
      if (const std::size_t slash = done.find_last_of('/'); slash != std::string::npos) done.erase(slash);
      continue;
    }
    const std::string next = done + "/" + part;
    struct stat info {};
    if (::lstat(next.c_str(), &info) != 0) {
      // Only the last part may be missing: that is the file to be created.
      if (errno == ENOENT && parts.empty()) {
        resolved = next;
        return PathCheck::Ok;
      }
      return PathCheck::Failed;
    }
    if (!S_ISLNK(info.st_mode)) {
      done = next;
      continue;
    }
    if (++hops > MAX_LINK_HOPS) {
      errno = ELOOP;
      return PathCheck::Failed;
    }
    if (!LinkMayBeFollowed(info, done)) return PathCheck::LinkRefused;
    std::string target(PATH_MAX, '\0');
    const ssize_t length = ::readlink(next.c_str(), target.data(), target.size());
    if (length < 0) return PathCheck::Failed;
    if (static_cast<std::size_t>(length) >= target.size()) {
      errno = ENAMETOOLONG;
      return PathCheck::Failed;
    }
    target.resize(static_cast<std::size_t>(length));
    // An absolute link starts again from the root; a relative one goes on
    // from the folder the link lies in.
    if (!target.empty() && target.front() == '/') done.clear();
    PushParts(target, parts);
  }
  resolved = done.empty() ? "/" : done;
  return PathCheck::Ok;
}
