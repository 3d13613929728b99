#pragma once
// The names of the temporaries and backups a save makes beside a file, so
// that the ones of one file can be told from those of any other: found when
// the file is opened, removed when it was saved.

#include <sys/stat.h>

#include <string>
#include <vector>

// The folder of a path ("." for a bare name, "/" for a name in the root).
std::string FolderOf(const std::string& path);

// The start of the name, without a folder, of every temporary and every
// backup made beside the file of that name.
std::string TemporaryPrefix(const std::string& name);
std::string BackupPrefix(const std::string& name);

// The start of the name of every temporary made for the file at the path
// (a hidden name, the caller adds six random letters).
std::string TemporaryStem(const std::string& target);
// The start of the name of every backup of the file kept beside it; the name
// begins with the file's own name, so the user finds it next to the file.
std::string BackupStem(const std::string& target);
// The start of the name of a backup kept in the user's spare folder, for a
// file whose own folder takes no new file.
std::string SpareBackupStem(const std::string& target);

// The file's device and inode as they end a backup's name before its six
// random letters ("d<device>i<inode>", in hex), so that the backup is found
// whichever of the file's hard links is opened.
std::string IdentityTag(dev_t device, ino_t inode);
// The starts above followed by the file's identity and a dash.
std::string BackupPrefix(const std::string& name, dev_t device, ino_t inode);
std::string SpareBackupStem(const std::string& target, dev_t device, ino_t inode);

// The start of the name of a temporary made in the spare folder.
std::string SpareTemporaryStem(const std::string& target);

// The user's spare folder for backups: "quillet2" in $XDG_CACHE_HOME, or in
// ~/.cache when that is unset or not absolute. Created on demand (mode 0700);
// empty when it cannot be.
std::string SpareBackupFolder(bool create);

// The backups of the file (followed through its links) that a save left
// behind because it was killed, or could not put the old content back:
// full paths, oldest name order. A backup belongs to the file when it was
// made for the file's name, or for the same file (device and inode) under
// another of its names.
std::vector<std::string> FindKeptBackups(const std::string& path);

// Removes every temporary and backup of the resolved target, beside it and
// in the spare folder.
void RemoveLeftovers(const std::string& target);
// The same for a file given by its open folder, its name there and its
// resolved path; the entries beside it are found and removed through the
// open folder, whatever its path leads to meanwhile. With `identity`, the
// backups made for that file under its other names go too.
void RemoveLeftoversIn(int folder, const std::string& name, const std::string& target,
                       const struct stat* identity = nullptr);
