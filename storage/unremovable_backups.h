#pragma once
// Backups the user cannot remove: another user's backup in a shared
// (sticky) folder, or one in a folder the user may not write. A save cannot
// clear them, so they are told once, with their owner, and not at every
// later open.

#include <string>
#include <vector>

struct UnremovableBackup {
  std::string path;
  // The owner's user name, or the number where the user has no name.
  std::string owner;
};

struct BackupsToTell {
  // Backups the user can remove; the next save removes them.
  std::vector<std::string> removable;
  // Backups the user cannot remove and has not been told about.
  std::vector<UnremovableBackup> unremovable;
};

// Sorts the backups found for a file. The unremovable ones given back are
// noted as told in "told-backups" in the user's spare folder, so that the
// next call leaves them out (until the backup is replaced by another one).
BackupsToTell TakeBackupsToTell(const std::vector<std::string>& backups);
