// Replacing a file's content without harming what the user did not mean to
// change: links, other names of the same file, protected files and nodes
// that are not files at all.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>

#include "fileio/file_bytes.h"

namespace {

// As many links in a row as the system itself follows before it gives up.
constexpr int MAX_LINK_HOPS = 40;

// Temporaries get a short name of their own, so that a target whose name is
// as long as the file system allows can still be saved beside it.
constexpr const char* TEMPORARY_NAME = "/.q2-XXXXXX";

void CloseKeepingError(int fd) {
  const int saved = errno;
  ::close(fd);
  errno = saved;
}

void UnlinkKeepingError(const std::string& path) {
  const int saved = errno;
  ::unlink(path.c_str());
  errno = saved;
}

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

// Follows symbolic links in the last part of the path until it names
// something that is not a link, or nothing yet (then that is where a new
// file goes). Folders on the way are the system's business.
bool ResolveLinks(const std::string& path, std::string& resolved) {
  std::string current = path;
  for (int hop = 0; hop < MAX_LINK_HOPS; ++hop) {
    struct stat info {};
    if (::lstat(current.c_str(), &info) != 0) {
      if (errno != ENOENT) return false;
      resolved = current;
      return true;
    }
    if (!S_ISLNK(info.st_mode)) {
      resolved = current;
      return true;
    }
    std::string target(PATH_MAX, '\0');
    const ssize_t length = ::readlink(current.c_str(), target.data(), target.size());
    if (length < 0) return false;
    if (static_cast<std::size_t>(length) >= target.size()) {
      errno = ENAMETOOLONG;
      return false;
    }
    target.resize(static_cast<std::size_t>(length));
    // A relative link is relative to the folder the link lies in.
    current = !target.empty() && target.front() == '/' ? target : FolderOf(current) + "/" + target;
  }
  errno = ELOOP;
  return false;
}

bool IsWriteProtected(const struct stat& info, const std::string& path) {
  return (info.st_mode & 0222) == 0 || ::access(path.c_str(), W_OK) != 0;
}

bool WriteAll(int fd, const std::uint8_t* data, std::size_t size) {
  std::size_t written = 0;
  while (written < size) {
    const ssize_t put = ::write(fd, data + written, size - written);
    if (put < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    written += static_cast<std::size_t>(put);
  }
  return true;
}

// Copies everything of one open file into another, both from their start.
bool CopyContent(int from, int to) {
  if (::lseek(from, 0, SEEK_SET) != 0 || ::lseek(to, 0, SEEK_SET) != 0) return false;
  std::uint8_t block[64 * 1024];
  for (;;) {
    const ssize_t got = ::read(from, block, sizeof block);
    if (got < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (got == 0) return true;
    if (!WriteAll(to, block, static_cast<std::size_t>(got))) return false;
  }
}

int MakeTemporary(const std::string& target, std::string& name) {
  name = FolderOf(target) + TEMPORARY_NAME;
  return ::mkostemp(name.data(), O_CLOEXEC);
}

// Writes a new file beside the target and moves it over the target's name.
// `existing` describes the file it replaces, or is null for a new file.
WriteResult ReplaceByRename(const std::string& target, const struct stat* existing, const ByteBuffer& bytes) {
  std::string temp;
  const int fd = MakeTemporary(target, temp);
  if (fd < 0) return WriteResult::OpenFailed;

  // The temporary starts with mode 0600 and belongs to this process; give it
  // what the replaced file had, or what a new file would get. Owner and group
  // come first because changing them may clear the set-id bits.
  mode_t mode;
  if (existing != nullptr) {
    if (::fchown(fd, existing->st_uid, existing->st_gid) != 0) {
      [[maybe_unused]] const int groupOnly = ::fchown(fd, static_cast<uid_t>(-1), existing->st_gid);
    }
    mode = existing->st_mode & 07777;
  } else {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    mode = 0666 & ~mask;
  }
  ::fchmod(fd, mode);

  bool ok = WriteAll(fd, bytes.data(), bytes.size()) && ::fsync(fd) == 0;
  if (::close(fd) != 0) ok = false;
  if (ok && ::rename(temp.c_str(), target.c_str()) != 0) ok = false;
  if (!ok) {
    UnlinkKeepingError(temp);
    return WriteResult::WriteFailed;
  }
  return WriteResult::Ok;
}

// A file with several names is overwritten where it is, so that every name
// sees the new content. Its old content is copied beside it first and put
// back when the overwriting fails.
WriteResult ReplaceInPlace(const std::string& target, const ByteBuffer& bytes) {
  const int file = ::open(target.c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
  if (file < 0) return WriteResult::OpenFailed;
  struct stat info {};
  const bool statted = ::fstat(file, &info) == 0;
  if (!statted || !S_ISREG(info.st_mode)) {
    if (statted) errno = EINVAL;
    CloseKeepingError(file);
    return WriteResult::OpenFailed;
  }
  std::string backupName;
  const int backup = MakeTemporary(target, backupName);
  if (backup < 0) {
    CloseKeepingError(file);
    return WriteResult::OpenFailed;
  }
  if (!CopyContent(file, backup) || ::fsync(backup) != 0) {
    CloseKeepingError(backup);
    UnlinkKeepingError(backupName);
    CloseKeepingError(file);
    return WriteResult::WriteFailed;
  }

  const bool written = ::lseek(file, 0, SEEK_SET) == 0 && WriteAll(file, bytes.data(), bytes.size()) &&
                       ::ftruncate(file, static_cast<off_t>(bytes.size())) == 0 && ::fsync(file) == 0;
  bool keepBackup = false;
  if (!written) {
    const int reason = errno;
    const bool restored =
        CopyContent(backup, file) && ::ftruncate(file, info.st_size) == 0 && ::fsync(file) == 0;
    // When even the old content cannot be put back, the backup is the only
    // copy of it left, so it stays.
    keepBackup = !restored;
    errno = reason;
  }
  CloseKeepingError(backup);
  if (!keepBackup) UnlinkKeepingError(backupName);
  const bool closed = ::close(file) == 0;
  if (!written || !closed) return WriteResult::WriteFailed;
  return WriteResult::Ok;
}

}  // namespace

bool IsWriteProtected(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && IsWriteProtected(info, path);
}

WriteResult WriteFileBytesSafely(const std::string& path, const ByteBuffer& bytes) {
  std::string target;
  if (!ResolveLinks(path, target)) return WriteResult::OpenFailed;
  struct stat existing {};
  if (::stat(target.c_str(), &existing) != 0) {
    if (errno != ENOENT) return WriteResult::OpenFailed;
    return ReplaceByRename(target, nullptr, bytes);
  }
  // Only regular files are replaced: writing to a FIFO or device could block
  // or reach hardware, and a folder is no file to save into.
  if (!S_ISREG(existing.st_mode)) {
    errno = S_ISDIR(existing.st_mode) ? EISDIR : EINVAL;
    return WriteResult::OpenFailed;
  }
  if (IsWriteProtected(existing, target)) {
    errno = EACCES;
    return WriteResult::OpenFailed;
  }
  if (existing.st_nlink > 1) return ReplaceInPlace(target, bytes);
  return ReplaceByRename(target, &existing, bytes);
}
