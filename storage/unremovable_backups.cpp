#include "storage/unremovable_backups.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

#include "storage/save_leftovers.h"

namespace {

// One backup as it was told: its place and the time it was made (its
// change time), so that a later backup under the same inode is told anew.
struct ToldBackup {
  unsigned long long device = 0;
  unsigned long long inode = 0;
  long long seconds = 0;
  long long nanoseconds = 0;
  std::string path;

  bool Matches(const ToldBackup& other) const {
    return device == other.device && inode == other.inode && seconds == other.seconds &&
           nanoseconds == other.nanoseconds;
  }
};

ToldBackup Describe(const std::string& path, const struct stat& info) {
  return {static_cast<unsigned long long>(info.st_dev), static_cast<unsigned long long>(info.st_ino),
          static_cast<long long>(info.st_ctim.tv_sec), static_cast<long long>(info.st_ctim.tv_nsec), path};
}

std::string RecordPath(bool create) {
  const std::string folder = SpareBackupFolder(create);
  return folder.empty() ? folder : folder + "/told-backups";
}

// The told backups that are still there; lines the program cannot read are
// dropped.
std::vector<ToldBackup> ReadTold() {
  std::vector<ToldBackup> told;
  const std::string record = RecordPath(false);
  if (record.empty()) return told;
  std::ifstream file(record);
  std::string line;
  while (std::getline(file, line)) {
    std::istringstream fields(line);
    ToldBackup one;
    if (!(fields >> one.device >> one.inode >> one.seconds >> one.nanoseconds)) continue;
    fields.get();
    std::getline(fields, one.path);
    struct stat info {};
    if (::lstat(one.path.c_str(), &info) == 0 && Describe(one.path, info).Matches(one)) told.push_back(one);
  }
  return told;
}

void WriteTold(const std::vector<ToldBackup>& told) {
  const std::string record = RecordPath(true);
  if (record.empty()) return;
  const std::string temp = record + ".new";
  {
    std::ofstream file(temp, std::ios::trunc);
    for (const ToldBackup& one : told)
      file << one.device << ' ' << one.inode << ' ' << one.seconds << ' ' << one.nanoseconds << ' ' << one.path
           << '\n';
    if (!file) return;
  }
  ::rename(temp.c_str(), record.c_str());
}

bool UserMayRemove(const std::string& path, const struct stat& info) {
  const std::size_t slash = path.find_last_of('/');
  const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
  struct stat folderInfo {};
  if (::stat(folder.c_str(), &folderInfo) != 0) return false;
  const uid_t user = ::geteuid();
  if (user == 0) return true;
  if (::faccessat(AT_FDCWD, folder.c_str(), W_OK | X_OK, AT_EACCESS) != 0) return false;
  // In a sticky folder only the entry's or the folder's owner removes it.
  return (folderInfo.st_mode & S_ISVTX) == 0 || info.st_uid == user || folderInfo.st_uid == user;
}

std::string OwnerName(uid_t owner) {
  struct passwd entry {};
  struct passwd* found = nullptr;
  char buffer[4096];
  if (::getpwuid_r(owner, &entry, buffer, sizeof buffer, &found) == 0 && found != nullptr) return found->pw_name;
  return std::to_string(owner);
}

}  // namespace

BackupsToTell TakeBackupsToTell(const std::vector<std::string>& backups) {
  BackupsToTell tell;
  std::vector<ToldBackup> told = ReadTold();
  bool changed = false;
  for (const std::string& backup : backups) {
    struct stat info {};
    if (::lstat(backup.c_str(), &info) != 0) continue;
    if (UserMayRemove(backup, info)) {
      tell.removable.push_back(backup);
      continue;
    }
    const ToldBackup one = Describe(backup, info);
    bool known = false;
    for (const ToldBackup& earlier : told) known = known || earlier.Matches(one);
    if (known) continue;
    tell.unremovable.push_back({backup, OwnerName(info.st_uid)});
    told.push_back(one);
    changed = true;
  }
  if (changed) WriteTold(told);
  return tell;
}
