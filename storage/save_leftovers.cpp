#include "storage/save_leftovers.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "storage/safe_path.h"

namespace {

// Names of the file system hold at most this many bytes.
constexpr std::size_t NAME_LIMIT = 255;
// How much of the file's own name starts its backup's name: enough to
// recognise it, short enough that the whole name always fits.
constexpr std::size_t NAME_SHOWN = 100;

std::string NameOf(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Sixteen hex digits of a 64-bit FNV-1a hash: the same text always gives the
// same tag, and two names almost never share one.
std::string Tag(const std::string& text) {
  std::uint64_t hash = 14695981039346656037ull;
  for (unsigned char byte : text) {
    hash ^= byte;
    hash *= 1099511628211ull;
  }
  char digits[17];
  std::snprintf(digits, sizeof digits, "%016llx", static_cast<unsigned long long>(hash));
  return digits;
}

// The start of a name, cut where no multi-byte letter is split.
std::string ShownPart(const std::string& name) {
  if (name.size() <= NAME_SHOWN) return name;
  std::size_t end = NAME_SHOWN;
  while (end > 0 && (static_cast<unsigned char>(name[end]) & 0xC0) == 0x80) --end;
  return name.substr(0, end);
}

std::string WithSlash(const std::string& folder) { return folder == "/" ? folder : folder + "/"; }

constexpr const char* BACKUP_MARK = ".q2-backup-";
constexpr std::size_t RANDOM_LETTERS = 6;

bool StartsWith(const std::string& name, const std::string& start) {
  return name.size() > start.size() && name.compare(0, start.size(), start) == 0;
}

// A backup (of any name) whose name ends in "-<tag>-" and its random
// letters.
bool BackupOfIdentity(const std::string& name, const std::string& tag) {
  if (tag.empty() || name.find(BACKUP_MARK) == std::string::npos) return false;
  const std::size_t tail = tag.size() + 2 + RANDOM_LETTERS;
  if (name.size() <= tail) return false;
  const std::size_t at = name.size() - tail;
  return name[at] == '-' && name.compare(at + 1, tag.size(), tag) == 0 && name[at + 1 + tag.size()] == '-';
}

std::string TagOfFile(const struct stat* identity) {
  return identity == nullptr ? std::string() : IdentityTag(identity->st_dev, identity->st_ino);
}

// Every entry of the stem's folder that starts with the stem's name, or that
// is a backup of the file with the identity tag.
void ForEachEntryStartingWith(const std::string& stem, const auto& action, const std::string& tag = {}) {
  const std::string folder = FolderOf(stem);
  const std::string start = NameOf(stem);
  DIR* listing = ::opendir(folder.c_str());
  if (listing == nullptr) return;
  while (const dirent* entry = ::readdir(listing)) {
    const std::string name = entry->d_name;
    if (StartsWith(name, start) || BackupOfIdentity(name, tag)) action(WithSlash(folder) + name);
  }
  ::closedir(listing);
}

}  // namespace

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::string TemporaryPrefix(const std::string& name) { return ".q2-" + Tag(name) + "-"; }

std::string BackupPrefix(const std::string& name) {
  // The name shown, the mark, the name's tag, the identity and the letters.
  static_assert(NAME_SHOWN + 11 + 16 + 1 + 34 + 1 + RANDOM_LETTERS < NAME_LIMIT);
  return ShownPart(name) + BACKUP_MARK + Tag(name) + "-";
}

std::string IdentityTag(dev_t device, ino_t inode) {
  char text[40];
  std::snprintf(text, sizeof text, "d%llxi%llx", static_cast<unsigned long long>(device),
                static_cast<unsigned long long>(inode));
  return text;
}

std::string BackupPrefix(const std::string& name, dev_t device, ino_t inode) {
  return BackupPrefix(name) + IdentityTag(device, inode) + "-";
}

std::string SpareBackupStem(const std::string& target, dev_t device, ino_t inode) {
  const std::string stem = SpareBackupStem(target);
  return stem.empty() ? stem : stem + IdentityTag(device, inode) + "-";
}

std::string TemporaryStem(const std::string& target) {
  return WithSlash(FolderOf(target)) + TemporaryPrefix(NameOf(target));
}

std::string BackupStem(const std::string& target) { return WithSlash(FolderOf(target)) + BackupPrefix(NameOf(target)); }

std::string SpareBackupStem(const std::string& target) {
  const std::string folder = SpareBackupFolder(false);
  if (folder.empty()) return {};
  return WithSlash(folder) + ShownPart(NameOf(target)) + ".q2-backup-" + Tag(target) + "-";
}

std::string SpareTemporaryStem(const std::string& target) {
  const std::string folder = SpareBackupFolder(false);
  if (folder.empty()) return {};
  return WithSlash(folder) + ".q2-" + Tag(target) + "-";
}

std::string SpareBackupFolder(bool create) {
  std::string base;
  const char* cache = std::getenv("XDG_CACHE_HOME");
  const char* home = std::getenv("HOME");
  if (cache != nullptr && cache[0] == '/') {
    base = cache;
  } else if (home != nullptr && home[0] == '/') {
    base = std::string(home) + "/.cache";
  } else {
    return {};
  }
  const std::string folder = base + "/quillet2";
  if (create) {
    ::mkdir(base.c_str(), 0700);
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) return {};
  }
  return folder;
}

std::vector<std::string> FindKeptBackups(const std::string& path) {
  std::string target;
  if (ResolveSavePath(path, target) != PathCheck::Ok) target = path;
  struct stat info {};
  const std::string tag = ::stat(target.c_str(), &info) == 0 ? TagOfFile(&info) : std::string();
  std::vector<std::string> found;
  const auto keep = [&found](const std::string& backup) { found.push_back(backup); };
  ForEachEntryStartingWith(BackupStem(target), keep, tag);
  if (const std::string spare = SpareBackupStem(target); !spare.empty()) ForEachEntryStartingWith(spare, keep, tag);
  std::sort(found.begin(), found.end());
  return found;
}

void RemoveLeftoversIn(int folder, const std::string& name, const std::string& target, const struct stat* identity) {
  const std::string tag = TagOfFile(identity);
  const int listed = ::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (listed >= 0) {
    if (DIR* listing = ::fdopendir(listed)) {
      const std::string temporary = TemporaryPrefix(name);
      const std::string backup = BackupPrefix(name);
      std::vector<std::string> found;
      while (const dirent* entry = ::readdir(listing)) {
        const std::string entryName = entry->d_name;
        if (StartsWith(entryName, temporary) || StartsWith(entryName, backup) || BackupOfIdentity(entryName, tag))
          found.push_back(entryName);
      }
      for (const std::string& leftover : found) ::unlinkat(folder, leftover.c_str(), 0);
      ::closedir(listing);
    } else {
      ::close(listed);
    }
  }
  const auto remove = [](const std::string& leftover) { ::unlink(leftover.c_str()); };
  if (const std::string spare = SpareTemporaryStem(target); !spare.empty()) ForEachEntryStartingWith(spare, remove);
  if (const std::string spare = SpareBackupStem(target); !spare.empty()) ForEachEntryStartingWith(spare, remove, tag);
}

void RemoveLeftovers(const std::string& target) {
  const auto remove = [](const std::string& leftover) { ::unlink(leftover.c_str()); };
  ForEachEntryStartingWith(TemporaryStem(target), remove);
  ForEachEntryStartingWith(BackupStem(target), remove);
  for (const std::string& spare : {SpareTemporaryStem(target), SpareBackupStem(target)})
    if (!spare.empty()) ForEachEntryStartingWith(spare, remove);
}
