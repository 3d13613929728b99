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

void UnlinkKeepingError(const std::string& path) {
  const int saved = errno;
  ::unlink(path.c_str());
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

int MakeFile(const std::string& stem, std::string& name) {
  name = stem + "XXXXXX";
  return ::mkostemp(name.data(), O_CLOEXEC);
}

std::string RandomLetters() {
  static const char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  std::random_device source;
  std::string text;
  for (int i = 0; i < 6; ++i) text.push_back(letters[source() % (sizeof letters - 1)]);
  return text;
}

// Gives a complete, synced copy its backup name. Until then it carries a
// temporary's name, so a file under a backup's name always holds the whole
// old content, even when the program was killed while copying.
bool NameBackup(const std::string& temp, const std::string& stem, std::string& backup) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    backup = stem + RandomLetters();
    if (::renameat2(AT_FDCWD, temp.c_str(), AT_FDCWD, backup.c_str(), RENAME_NOREPLACE) == 0) return true;
    if (errno == EEXIST) continue;
    // File systems without the no-replace rename get a name checked first.
    if (errno != EINVAL && errno != ENOSYS) return false;
    struct stat taken {};
    if (::lstat(backup.c_str(), &taken) == 0) continue;
    return ::rename(temp.c_str(), backup.c_str()) == 0;
  }
  errno = EEXIST;
  return false;
}

// Keeps the whole old content of the open file in a backup beside it, or in
// the user's spare folder when its own folder takes no new file. Gives back
// the backup, open, or -1.
int KeepOldContent(int file, const std::string& target, std::string& backupName) {
  std::string temp;
  int backup = MakeFile(TemporaryStem(target), temp);
  std::string backupStem = BackupStem(target);
  if (backup < 0) {
    if (!IsPermissionError(errno)) return -1;
    if (SpareBackupFolder(true).empty()) {
      errno = EACCES;
      return -1;
    }
    backup = MakeFile(SpareTemporaryStem(target), temp);
    backupStem = SpareBackupStem(target);
    if (backup < 0) return -1;
  }
  if (!CopyContent(file, backup) || ::fsync(backup) != 0 || !NameBackup(temp, backupStem, backupName)) {
    CloseKeepingError(backup);
    UnlinkKeepingError(temp);
    return -1;
  }
  return backup;
}

// Overwrites the file where it is, so that every name sees the new content
// and the file stays what it was: same owner, group and identity. Its old
// content is kept whole beside it first and put back when the overwriting
// fails; when the program is killed part way, that backup remains.
Outcome ReplaceInPlace(const std::string& target, const ByteBuffer& bytes) {
  const int file = ::open(target.c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
  if (file < 0) return Failure(WriteResult::OpenFailed, WriteProblem::NoPermission);
  struct stat info {};
  const bool statted = ::fstat(file, &info) == 0;
  if (!statted || !S_ISREG(info.st_mode)) {
    const Outcome outcome = statted ? Outcome{WriteResult::OpenFailed, WriteProblem::NotRegularFile}
                                    : Failure(WriteResult::OpenFailed, WriteProblem::NoPermission);
    CloseKeepingError(file);
    return outcome;
  }
  std::string backupName;
  const int backup = KeepOldContent(file, target, backupName);
  if (backup < 0) {
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
        CopyContent(backup, file) && ::ftruncate(file, info.st_size) == 0 && ::fsync(file) == 0;
    // When even the old content cannot be put back, the backup is the only
    // copy of it left, so it stays.
    keepBackup = !restored;
  }
  CloseKeepingError(backup);
  if (::close(file) != 0 && written) outcome = Failure(WriteResult::WriteFailed, WriteProblem::Other);
  if (outcome.result == WriteResult::Ok) {
    RemoveLeftovers(target);
  } else if (!keepBackup) {
    UnlinkKeepingError(backupName);
  }
  return outcome;
}

// Writes a new file beside the target and moves it over the target's name.
// `existing` describes the file it replaces, or is null for a new file.
// Gives back nothing when the rename cannot keep the existing file's owner
// and group, or the folder takes no new file or no rename over it (a sticky
// folder): the file is then to be overwritten where it is.
std::optional<Outcome> ReplaceByRename(const std::string& target, const struct stat* existing,
                                       const ByteBuffer& bytes) {
  std::string temp;
  const int fd = MakeFile(TemporaryStem(target), temp);
  if (fd < 0) {
    if (existing != nullptr && IsPermissionError(errno)) return std::nullopt;
    return Failure(WriteResult::OpenFailed, WriteProblem::FolderNotWritable);
  }

  // The temporary starts with mode 0600 and belongs to this process; give it
  // what the replaced file had, or what a new file would get. Owner and group
  // come first because changing them may clear the set-id bits.
  mode_t mode;
  if (existing != nullptr) {
    [[maybe_unused]] const int changed = ::fchown(fd, existing->st_uid, existing->st_gid);
    struct stat made {};
    if (::fstat(fd, &made) != 0 || made.st_uid != existing->st_uid || made.st_gid != existing->st_gid) {
      ::close(fd);
      ::unlink(temp.c_str());
      return std::nullopt;
    }
    mode = existing->st_mode & 07777;
  } else {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    mode = 0666 & ~mask;
  }
  ::fchmod(fd, mode);

  if (!WriteAll(fd, bytes.data(), bytes.size()) || ::fsync(fd) != 0) {
    const Outcome outcome = Failure(WriteResult::WriteFailed, WriteProblem::Other);
    CloseKeepingError(fd);
    UnlinkKeepingError(temp);
    return outcome;
  }
  if (::close(fd) != 0 || ::rename(temp.c_str(), target.c_str()) != 0) {
    const bool refused = IsPermissionError(errno);
    const Outcome outcome = Failure(WriteResult::WriteFailed, WriteProblem::Other);
    UnlinkKeepingError(temp);
    if (refused && existing != nullptr) return std::nullopt;
    return outcome;
  }
  RemoveLeftovers(target);
  return Outcome{WriteResult::Ok, WriteProblem::None};
}

Outcome Replace(const std::string& path, const ByteBuffer& bytes) {
  std::string target;
  switch (ResolveSavePath(path, target)) {
    case PathCheck::Ok: break;
    case PathCheck::LinkRefused: return {WriteResult::OpenFailed, WriteProblem::LinkRefused};
    case PathCheck::Failed: return Failure(WriteResult::OpenFailed, WriteProblem::NoPermission);
  }
  struct stat existing {};
  if (::stat(target.c_str(), &existing) != 0) {
    if (errno != ENOENT) return Failure(WriteResult::OpenFailed, WriteProblem::NoPermission);
    return *ReplaceByRename(target, nullptr, bytes);
  }
  // Only regular files are replaced: writing to a FIFO or device could block
  // or reach hardware, and a folder is no file to save into.
  if (!S_ISREG(existing.st_mode)) return {WriteResult::OpenFailed, WriteProblem::NotRegularFile};
  if (IsWriteProtected(existing, target)) return {WriteResult::OpenFailed, WriteProblem::NoPermission};
  if (existing.st_nlink == 1) {
    if (const auto outcome = ReplaceByRename(target, &existing, bytes)) return *outcome;
  }
  return ReplaceInPlace(target, bytes);
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
