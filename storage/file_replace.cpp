// Replacing a file's content without harming what the user did not mean to
// change: links, other names of the same file, the file's owner, protected
// files and nodes that are not files at all; and without leaving a torn file
// when the program is killed part way.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <optional>
#include <random>

#include "platform/file_bytes.h"
#include "storage/safe_path.h"
#include "storage/file_attributes.h"
#include "storage/save_leftovers.h"

namespace {

struct Outcome {
  WriteResult result;
  WriteProblem problem;
};

void CloseKeepingError(int fd) {
  const int saved = errno;
  ::close(fd);
  errno = saved;
}

bool IsPermissionError(int error) { return error == EACCES || error == EPERM; }

// What the user reads about a failed call; `permission` says what a refused
// permission means at that step.
WriteProblem ProblemOf(int error, WriteProblem permission) {
  switch (error) {
    case EACCES:
    case EPERM:
    case EROFS: return permission;
    case ENOSPC:
    case EDQUOT:
    case EFBIG: return WriteProblem::DiskFull;
    case EISDIR: return WriteProblem::NotRegularFile;
    case ENOENT:
    case ENOTDIR: return WriteProblem::NoFolder;
    default: return WriteProblem::Other;
  }
}

Outcome Failure(WriteResult result, WriteProblem permission) { return {result, ProblemOf(errno, permission)}; }

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

std::string RandomLetters() {
  static const char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  std::random_device source;
  std::string text;
  for (int i = 0; i < 6; ++i) text.push_back(letters[source() % (sizeof letters - 1)]);
  return text;
}

// Creates a new file, readable and writable by this process only, whose
// name starts with the prefix, in the open folder.
int MakeFileIn(int folder, const std::string& prefix, std::string& name) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    name = prefix + RandomLetters();
    const int fd = ::openat(folder, name.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

// Gives a complete, synced copy its backup name. Until then it carries a
// temporary's name, so a file under a backup's name always holds the whole
// old content, even when the program was killed while copying.
bool NameBackup(int folder, const std::string& temp, const std::string& prefix, std::string& backup) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    backup = prefix + RandomLetters();
    if (::renameat2(folder, temp.c_str(), folder, backup.c_str(), RENAME_NOREPLACE) == 0) return true;
    if (errno == EEXIST) continue;
    // File systems without the no-replace rename get a name checked first.
    if (errno != EINVAL && errno != ENOSYS) return false;
    struct stat taken {};
    if (::fstatat(folder, backup.c_str(), &taken, AT_SYMLINK_NOFOLLOW) == 0) continue;
    return ::renameat(folder, temp.c_str(), folder, backup.c_str()) == 0;
  }
  errno = EEXIST;
  return false;
}

// The whole old content of a file overwritten in place: open, in the folder
// `folder` (the file's own, or the spare folder) under `name`.
struct Backup {
  Backup() = default;
  Backup(const Backup&) = delete;
  Backup& operator=(const Backup&) = delete;
  ~Backup() {
    if (fd >= 0) CloseKeepingError(fd);
    if (ownFolder >= 0) CloseKeepingError(ownFolder);
  }
  int fd = -1;
  int folder = -1;
  // The spare folder, when the backup lies there.
  int ownFolder = -1;
  std::string name;
};

// Keeps the whole old content of the open file in a backup beside it, or in
// the user's spare folder when its own folder takes no new file.
bool KeepOldContent(int file, const struct stat& info, const SavePlace& place, Backup& backup) {
  std::string temp;
  backup.folder = place.folder;
  backup.fd = MakeFileIn(place.folder, TemporaryPrefix(place.name), temp);
  // The file's identity in the name finds the backup from any of its names.
  std::string prefix = BackupPrefix(place.name, info.st_dev, info.st_ino);
  if (backup.fd < 0) {
    if (!IsPermissionError(errno)) return false;
    const std::string spare = SpareBackupFolder(true);
    if (spare.empty()) {
      errno = EACCES;
      return false;
    }
    backup.ownFolder = ::open(spare.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (backup.ownFolder < 0) return false;
    backup.folder = backup.ownFolder;
    const std::string stem = SpareTemporaryStem(place.target);
    backup.fd = MakeFileIn(backup.folder, stem.substr(stem.find_last_of('/') + 1), temp);
    const std::string backupStem = SpareBackupStem(place.target, info.st_dev, info.st_ino);
    prefix = backupStem.substr(backupStem.find_last_of('/') + 1);
    if (backup.fd < 0) return false;
  }
  if (!CopyContent(file, backup.fd) || ::fsync(backup.fd) != 0 ||
      !NameBackup(backup.folder, temp, prefix, backup.name)) {
    const int saved = errno;
    ::unlinkat(backup.folder, temp.c_str(), 0);
    errno = saved;
    return false;
  }
  return true;
}

bool SameFile(const struct stat& one, const struct stat& other) {
  return one.st_dev == other.st_dev && one.st_ino == other.st_ino;
}

// Overwrites the file where it is, so that every name sees the new content
// and the file stays what it was: same owner, group, attributes and
// identity. Its old content is kept whole beside it first and put back when
// the overwriting fails; when the program is killed part way, that backup
// remains.
Outcome ReplaceInPlace(const SavePlace& place, const struct stat& existing, const ByteBuffer& bytes) {
  const int file = ::openat(place.folder, place.name.c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
  if (file < 0) {
    if (errno == ELOOP) return {WriteResult::OpenFailed, WriteProblem::LinkRefused};
    return Failure(WriteResult::OpenFailed, WriteProblem::NoPermission);
  }
  struct stat info {};
  const bool statted = ::fstat(file, &info) == 0;
  if (!statted || !S_ISREG(info.st_mode) || !SameFile(info, existing)) {
    // Another file took the name since it was looked at.
    const Outcome outcome = !statted              ? Failure(WriteResult::OpenFailed, WriteProblem::NoPermission)
                            : S_ISREG(info.st_mode) ? Outcome{WriteResult::OpenFailed, WriteProblem::LinkRefused}
                                                    : Outcome{WriteResult::OpenFailed, WriteProblem::NotRegularFile};
    CloseKeepingError(file);
    return outcome;
  }
  Backup backup;
  if (!KeepOldContent(file, info, place, backup)) {
    const Outcome outcome = IsPermissionError(errno) ? Outcome{WriteResult::OpenFailed, WriteProblem::FolderNotWritable}
                                                     : Failure(WriteResult::WriteFailed, WriteProblem::Other);
    CloseKeepingError(file);
    return outcome;
  }

  const bool written = ::lseek(file, 0, SEEK_SET) == 0 && WriteAll(file, bytes.data(), bytes.size()) &&
                       ::ftruncate(file, static_cast<off_t>(bytes.size())) == 0 && ::fsync(file) == 0;
  bool keepBackup = false;
  Outcome outcome{WriteResult::Ok, WriteProblem::None};
  if (!written) {
    outcome = Failure(WriteResult::WriteFailed, WriteProblem::NoPermission);
    const bool restored =
        CopyContent(backup.fd, file) && ::ftruncate(file, info.st_size) == 0 && ::fsync(file) == 0;
    // When even the old content cannot be put back, the backup is the only
    // copy of it left, so it stays.
    keepBackup = !restored;
  }
  if (::close(file) != 0 && written) outcome = Failure(WriteResult::WriteFailed, WriteProblem::Other);
  if (outcome.result == WriteResult::Ok) {
    RemoveLeftoversIn(place.folder, place.name, place.target, &info);
  } else if (!keepBackup) {
    const int saved = errno;
    ::unlinkat(backup.folder, backup.name.c_str(), 0);
    errno = saved;
  }
  return outcome;
}

// Creates a new file beside the target and moves it over the target's name.
// `existing` describes the file it replaces, or is null for a new file.
// Gives back nothing when the rename cannot keep the existing file's owner,
// group, mode and extended attributes (access lists included), or the
// folder takes no new file or no rename over it (a sticky folder): the file
// is then to be overwritten where it is.
std::optional<Outcome> ReplaceByRename(const SavePlace& place, const struct stat* existing, const ByteBuffer& bytes) {
  std::string temp;
  const int fd = MakeFileIn(place.folder, TemporaryPrefix(place.name), temp);
  if (fd < 0) {
    if (existing != nullptr && IsPermissionError(errno)) return std::nullopt;
    // Without a file there is no old content to keep: the folder alone is
    // the reason.
    return Failure(WriteResult::OpenFailed,
                   existing == nullptr ? WriteProblem::NoNewFileInFolder : WriteProblem::FolderNotWritable);
  }
  const auto dropTemp = [&] {
    CloseKeepingError(fd);
    const int saved = errno;
    ::unlinkat(place.folder, temp.c_str(), 0);
    errno = saved;
  };

  // The temporary starts with mode 0600 and belongs to this process; give it
  // what the replaced file had, or what a new file would get. Owner and group
  // come first because changing them may clear the set-id bits; the
  // attributes come last, as an access list sets the group bits of the mode.
  if (existing != nullptr) {
    [[maybe_unused]] const int changed = ::fchown(fd, existing->st_uid, existing->st_gid);
    ::fchmod(fd, existing->st_mode & 07777);
    struct stat made {};
    const int original = ::openat(place.folder, place.name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    struct stat opened {};
    const bool same = original >= 0 && ::fstat(original, &opened) == 0 && SameFile(opened, *existing);
    // An unreadable file's attributes cannot be read either.
    const bool copied = original < 0 ? IsPermissionError(errno) && !HasExtendedAttributes(place.folder, place.name)
                                     : same && CopyExtendedAttributes(original, fd);
    if (original >= 0) ::close(original);
    if (!copied || ::fstat(fd, &made) != 0 || made.st_uid != existing->st_uid || made.st_gid != existing->st_gid ||
        (made.st_mode & 07777) != (existing->st_mode & 07777)) {
      dropTemp();
      return std::nullopt;
    }
  } else {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd, 0666 & ~mask);
  }

  if (!WriteAll(fd, bytes.data(), bytes.size()) || ::fsync(fd) != 0) {
    const Outcome outcome = Failure(WriteResult::WriteFailed, WriteProblem::Other);
    dropTemp();
    return outcome;
  }
  if (::close(fd) != 0 || ::renameat(place.folder, temp.c_str(), place.folder, place.name.c_str()) != 0) {
    const bool refused = IsPermissionError(errno);
    const Outcome outcome = Failure(WriteResult::WriteFailed, WriteProblem::Other);
    const int saved = errno;
    ::unlinkat(place.folder, temp.c_str(), 0);
    errno = saved;
    if (refused && existing != nullptr) return std::nullopt;
    return outcome;
  }
  RemoveLeftoversIn(place.folder, place.name, place.target, existing);
  return Outcome{WriteResult::Ok, WriteProblem::None};
}

// Replaces the file of the open place; a link at its name is refused.
Outcome ReplaceAt(const SavePlace& place, const ByteBuffer& bytes) {
  struct stat existing {};
  if (::fstatat(place.folder, place.name.c_str(), &existing, AT_SYMLINK_NOFOLLOW) != 0) {
    if (errno != ENOENT) return Failure(WriteResult::OpenFailed, WriteProblem::NoPermission);
    return *ReplaceByRename(place, nullptr, bytes);
  }
  // A link where the walk found none: the path changed under the save.
  if (S_ISLNK(existing.st_mode)) return {WriteResult::OpenFailed, WriteProblem::LinkRefused};
  // Only regular files are replaced: writing to a FIFO or device could block
  // or reach hardware, and a folder is no file to save into.
  if (!S_ISREG(existing.st_mode)) return {WriteResult::OpenFailed, WriteProblem::NotRegularFile};
  if ((existing.st_mode & 0222) == 0 || ::faccessat(place.folder, place.name.c_str(), W_OK, 0) != 0)
    return {WriteResult::OpenFailed, WriteProblem::NoPermission};
  if (existing.st_nlink == 1) {
    if (const auto outcome = ReplaceByRename(place, &existing, bytes)) return *outcome;
  }
  return ReplaceInPlace(place, existing, bytes);
}

Outcome Replace(const std::string& path, const ByteBuffer& bytes) {
  SavePlace place;
  switch (OpenSavePlace(path, place)) {
    case PathCheck::Ok: break;
    case PathCheck::LinkRefused: return {WriteResult::OpenFailed, WriteProblem::LinkRefused};
    case PathCheck::Failed: return Failure(WriteResult::OpenFailed, WriteProblem::NoPermission);
  }
  return ReplaceAt(place, bytes);
}

}  // namespace

bool IsWriteProtected(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && IsWriteProtected(info, path);
}

WriteResult WriteFileBytesSafely(const std::string& path, const ByteBuffer& bytes, WriteProblem* problem) {
  const Outcome outcome = Replace(path, bytes);
  if (problem != nullptr) *problem = outcome.problem;
  return outcome.result;
}

WriteResult WriteFileBytesAt(const SavePlace& place, const ByteBuffer& bytes, WriteProblem* problem) {
  const Outcome outcome = ReplaceAt(place, bytes);
  if (problem != nullptr) *problem = outcome.problem;
  return outcome.result;
}
