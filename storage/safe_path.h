#pragma once
// Following symbolic links on the way to a file that is about to be written,
// only where the system's protected-symlinks rule would follow them.

#include <string>

enum class PathCheck { Ok, LinkRefused, Failed };

// Resolves every link in the path, in folders and in the last part, into an
// absolute path without links. The last part need not exist (a new file).
// A link that lies in a sticky folder every user may write, and that belongs
// neither to this user nor to the folder's owner, is refused: another user
// may have planted it there to make this user (the superuser above all)
// write a file of their choice. The rule holds whatever the system's own
// setting is. Failed leaves the reason in errno.
PathCheck ResolveSavePath(const std::string& path, std::string& resolved);
