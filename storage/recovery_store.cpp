#include "storage/recovery_store.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {

bool IsAbsolute(const char* path) { return path != nullptr && path[0] == '/'; }

// This user's and no one else's: what another user could have written or
// may still change is never read as this user's work nor written into.
bool PrivateToUser(const struct stat& info) { return info.st_uid == ::geteuid() && (info.st_mode & 077) == 0; }

// Makes the folder and the ones above it. The last one must be a real
// folder of this user: a link or another user's folder could hand the
// records to someone else.
bool MakeOwnFolder(const std::string& path) {
  for (std::size_t slash = path.find('/', 1); slash != std::string::npos; slash = path.find('/', slash + 1))
    ::mkdir(path.substr(0, slash).c_str(), 0700);
  if (::mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) return false;
  struct stat info {};
  if (::lstat(path.c_str(), &info) != 0) return false;
  if (!S_ISDIR(info.st_mode) || !PrivateToUser(info)) {
    errno = S_ISLNK(info.st_mode) ? ELOOP : EACCES;
    return false;
  }
  return true;
}

void CloseFd(int& fd) {
  if (fd >= 0) ::close(fd);
  fd = -1;
}

// Removes everything but folders in the folder, then the folder.
void RemoveFolder(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) return;
  DIR* listing = ::fdopendir(::dup(fd));
  if (listing != nullptr) {
    std::vector<std::string> names;
    while (const dirent* entry = ::readdir(listing)) {
      const std::string name = entry->d_name;
      if (name != "." && name != "..") names.push_back(name);
    }
    ::closedir(listing);
    // The record goes first, so a half-removed folder never offers it.
    std::stable_partition(names.begin(), names.end(), [](const std::string& n) { return n == RECOVERY_RECORD_NAME; });
    for (const std::string& name : names) ::unlinkat(fd, name.c_str(), 0);
  }
  ::close(fd);
  ::rmdir(path.c_str());
}

RecoveryProblem ProblemOf(RecoveryRead read) {
  switch (read) {
    case RecoveryRead::Ok: return RecoveryProblem::None;
    case RecoveryRead::Truncated: return RecoveryProblem::Truncated;
    case RecoveryRead::Damaged: return RecoveryProblem::Damaged;
    case RecoveryRead::Newer: return RecoveryProblem::Newer;
    case RecoveryRead::TooLarge: return RecoveryProblem::TooLarge;
  }
  return RecoveryProblem::Damaged;
}

// Opens the record of a run folder and checks it is a file of this user
// alone that is not too large; -1 with the problem set otherwise.
int OpenRecord(int folderFd, EndedRun& run, struct stat& info) {
  const int fd = ::openat(folderFd, RECOVERY_RECORD_NAME, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    run.problem = errno == ENOENT ? RecoveryProblem::None
                  : errno == ELOOP ? RecoveryProblem::Link
                                   : RecoveryProblem::Unreadable;
    return -1;
  }
  run.problem = RecoveryProblem::None;
  if (::fstat(fd, &info) != 0) {
    run.problem = RecoveryProblem::Unreadable;
  } else if (!S_ISREG(info.st_mode)) {
    run.problem = RecoveryProblem::NotFile;
  } else if (!PrivateToUser(info)) {
    run.problem = RecoveryProblem::Foreign;
    run.path += std::string("/") + RECOVERY_RECORD_NAME;
  } else if (static_cast<std::uint64_t>(info.st_size) > RECOVERY_MAX_BYTES) {
    run.problem = RecoveryProblem::TooLarge;
  } else {
    return fd;
  }
  ::close(fd);
  return -1;
}

bool ReadAt(int fd, std::uint64_t offset, std::uint8_t* to, std::size_t size) {
  while (size > 0) {
    const ssize_t got = ::pread(fd, to, size, static_cast<off_t>(offset));
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return false;
    to += got;
    size -= static_cast<std::size_t>(got);
    offset += static_cast<std::uint64_t>(got);
  }
  return true;
}

// Reads the summary of a run folder's record. False when there is nothing
// to offer: no record, or an empty one (the run never wrote its first).
bool ReadRecord(int folderFd, EndedRun& run) {
  struct stat info {};
  const int fd = OpenRecord(folderFd, run, info);
  if (fd < 0) return run.problem != RecoveryProblem::None;
  if (info.st_size == 0) {
    ::close(fd);
    return false;
  }
  const RecoveryReadAt read = [fd](std::uint64_t offset, std::uint8_t* to, std::size_t size) {
    return ReadAt(fd, offset, to, size);
  };
  run.problem = ProblemOf(ReadRecoverySummary(read, static_cast<std::uint64_t>(info.st_size), run.summary));
  ::close(fd);
  return true;
}

// Gives the entry a new name in the refused folder, never over an
// existing one.
std::string MoveAside(int fromFolder, const std::string& fromName, const std::string& refusedFolder,
                      const std::string& stem) {
  if (!MakeOwnFolder(refusedFolder)) return {};
  for (int attempt = 0; attempt < 1000; ++attempt) {
    const std::string target = refusedFolder + "/" + stem + (attempt == 0 ? "" : "-" + std::to_string(attempt));
    if (::renameat2(fromFolder, fromName.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0) return target;
    if (errno == EEXIST) continue;
    if (errno != EINVAL && errno != ENOSYS) return {};
    struct stat taken {};
    if (::lstat(target.c_str(), &taken) == 0) continue;
    if (::renameat(fromFolder, fromName.c_str(), AT_FDCWD, target.c_str()) == 0) return target;
    return {};
  }
  return {};
}

}  // namespace

std::string DefaultRecoveryFolder() {
  const char* state = std::getenv("XDG_STATE_HOME");
  if (IsAbsolute(state)) return std::string(state) + "/quillet2/recovery";
  const char* home = std::getenv("HOME");
  if (!IsAbsolute(home)) return {};
  return std::string(home) + "/.local/state/quillet2/recovery";
}

std::string RefusedRecoveryFolder(const std::string& recoveryFolder) { return recoveryFolder + "-refused"; }

RecoveryRun NewRecoveryRun(const std::string& folder) {
  RecoveryRun run;
  run.folder = folder;
  run.name = "run-" + std::to_string(static_cast<long long>(std::time(nullptr))) + "-" + std::to_string(::getpid());
  return run;
}

bool PrepareRecoveryRun(RecoveryRun& run) {
  if (run.folderFd >= 0) return true;
  if (run.folder.empty() || !MakeOwnFolder(run.folder)) return false;
  const std::string hidden = run.folder + "/." + run.name + ".new";
  const std::string path = run.folder + "/" + run.name;
  RemoveFolder(hidden);
  if (::mkdir(hidden.c_str(), 0700) != 0) return false;
  run.folderFd = ::open(hidden.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  bool ready = run.folderFd >= 0;
  if (ready) run.lockFd = ::openat(run.folderFd, RECOVERY_LOCK_NAME, O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
  ready = ready && run.lockFd >= 0 && ::flock(run.lockFd, LOCK_EX | LOCK_NB) == 0;
  if (ready) {
    const std::string pid = std::to_string(::getpid()) + "\n";
    ready = ::write(run.lockFd, pid.data(), pid.size()) == static_cast<ssize_t>(pid.size());
  }
  if (ready) {
    // An empty record from the start: the safe write then always replaces a
    // file of this run's own mode and never needs the process's umask.
    const int record =
        ::openat(run.folderFd, RECOVERY_RECORD_NAME, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    ready = record >= 0;
    if (record >= 0) ::close(record);
  }
  ready = ready && ::rename(hidden.c_str(), path.c_str()) == 0;
  if (!ready) {
    const int saved = errno;
    CloseFd(run.lockFd);
    CloseFd(run.folderFd);
    RemoveFolder(hidden);
    errno = saved;
  }
  return ready;
}

std::string RecoveryRecordPath(const RecoveryRun& run) {
  return run.folder + "/" + run.name + "/" + RECOVERY_RECORD_NAME;
}

WriteResult WriteRecoveryRecord(RecoveryRun& run, const ByteBuffer& bytes, WriteProblem* problem) {
  for (int attempt = 0; attempt < 2; ++attempt) {
    if (!PrepareRecoveryRun(run)) {
      const bool full = errno == ENOSPC || errno == EDQUOT;
      if (problem != nullptr) *problem = full ? WriteProblem::DiskFull : WriteProblem::FolderNotWritable;
      return WriteResult::OpenFailed;
    }
    const WriteResult result = WriteFileBytesSafely(RecoveryRecordPath(run), bytes, problem);
    if (result == WriteResult::Ok) return result;
    // Someone removed the run's folder: it is made again, once.
    struct stat info {};
    if (attempt > 0 || ::fstat(run.folderFd, &info) != 0 || info.st_nlink != 0) return result;
    CloseFd(run.lockFd);
    CloseFd(run.folderFd);
  }
  return WriteResult::OpenFailed;
}

void RemoveRecoveryRun(RecoveryRun& run) {
  if (run.folderFd < 0) return;
  RemoveFolder(run.folder + "/" + run.name);
  CloseFd(run.lockFd);
  CloseFd(run.folderFd);
}

std::vector<EndedRun> ClaimEndedRuns(const std::string& folder, const std::string& ownName) {
  std::vector<EndedRun> runs;
  // The recovery folder itself must be this user's alone, or nothing in it
  // is taken as this user's work.
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  struct stat folderInfo {};
  if (fd < 0 || ::fstat(fd, &folderInfo) != 0 || !PrivateToUser(folderInfo)) {
    if (fd >= 0 || errno != ENOENT) {
      EndedRun foreign;
      foreign.path = folder;
      foreign.problem = RecoveryProblem::Foreign;
      runs.push_back(std::move(foreign));
    }
    if (fd >= 0) ::close(fd);
    return runs;
  }
  std::vector<std::string> names;
  if (DIR* listing = ::fdopendir(::dup(fd))) {
    while (const dirent* entry = ::readdir(listing))
      if (entry->d_name[0] != '.' && entry->d_name != ownName) names.push_back(entry->d_name);
    ::closedir(listing);
  }
  std::sort(names.begin(), names.end());
  for (const std::string& name : names) {
    EndedRun run;
    run.name = name;
    run.path = folder + "/" + name;
    struct stat info {};
    if (::fstatat(fd, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) continue;
    if (!S_ISDIR(info.st_mode)) {
      run.problem = S_ISLNK(info.st_mode) ? RecoveryProblem::Link : RecoveryProblem::NotFile;
      run.wholeEntry = true;
      runs.push_back(std::move(run));
      continue;
    }
    const int runFd = ::openat(fd, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (runFd < 0) continue;
    if (::fstat(runFd, &info) != 0 || !PrivateToUser(info)) {
      // Not even a lock is made in it.
      run.problem = RecoveryProblem::Foreign;
      ::close(runFd);
      runs.push_back(std::move(run));
      continue;
    }
    run.lockFd = ::openat(runFd, RECOVERY_LOCK_NAME, O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (run.lockFd < 0) {
      // The lock itself is a link or no file: the folder goes aside whole.
      run.problem = errno == ELOOP ? RecoveryProblem::Link : RecoveryProblem::Unreadable;
      run.wholeEntry = true;
      ::close(runFd);
      runs.push_back(std::move(run));
      continue;
    }
    if (::flock(run.lockFd, LOCK_EX | LOCK_NB) != 0) {
      // A live run's: not ours to touch.
      CloseFd(run.lockFd);
      ::close(runFd);
      continue;
    }
    const bool recorded = ReadRecord(runFd, run);
    ::close(runFd);
    if (!recorded) {
      DiscardEndedRun(run);
      continue;
    }
    if (run.problem == RecoveryProblem::Foreign) CloseFd(run.lockFd);
    runs.push_back(std::move(run));
  }
  ::close(fd);
  // What cannot be used is said first; then the newest work.
  std::stable_sort(runs.begin(), runs.end(), [](const EndedRun& a, const EndedRun& b) {
    const bool aBad = a.problem != RecoveryProblem::None;
    const bool bBad = b.problem != RecoveryProblem::None;
    if (aBad != bBad) return aBad;
    return a.summary.writtenAt > b.summary.writtenAt;
  });
  return runs;
}

RecoveryProblem LoadEndedRun(EndedRun& run) {
  run.document = RecoveryDocument{};
  const int runFd = ::open(run.path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  struct stat info {};
  if (runFd < 0 || ::fstat(runFd, &info) != 0) {
    run.problem = RecoveryProblem::Unreadable;
  } else if (!PrivateToUser(info)) {
    run.problem = RecoveryProblem::Foreign;
  } else if (const int fd = OpenRecord(runFd, run, info); fd >= 0) {
    ByteBuffer bytes(static_cast<std::size_t>(info.st_size));
    const bool read = ReadAt(fd, 0, bytes.data(), bytes.size());
    ::close(fd);
    run.problem = read ? ProblemOf(ParseRecovery(bytes.data(), bytes.size(), run.document)) : RecoveryProblem::Truncated;
  } else if (run.problem == RecoveryProblem::None) {
    run.problem = RecoveryProblem::Unreadable;
  }
  if (runFd >= 0) ::close(runFd);
  return run.problem;
}

std::string SetEndedRunAside(EndedRun& run, const std::string& refusedFolder) {
  std::string moved;
  const std::size_t slash = run.path.find_last_of('/');
  const std::string parent = run.path.substr(0, slash);
  if (run.wholeEntry) {
    const int parentFd = ::open(parent.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (parentFd >= 0) {
      moved = MoveAside(parentFd, run.name, refusedFolder, run.name);
      ::close(parentFd);
    }
    CloseFd(run.lockFd);
    return moved;
  }
  const int runFd = ::open(run.path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  if (runFd >= 0) {
    moved = MoveAside(runFd, RECOVERY_RECORD_NAME, refusedFolder, run.name + ".q2r");
    ::close(runFd);
  }
  if (!moved.empty()) {
    DiscardEndedRun(run);
  } else {
    ReleaseEndedRun(run);
  }
  return moved;
}

void DiscardEndedRun(EndedRun& run) {
  RemoveFolder(run.path);
  CloseFd(run.lockFd);
}

void ReleaseEndedRun(EndedRun& run) { CloseFd(run.lockFd); }
