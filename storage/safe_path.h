#pragma once
// Following symbolic links on the way to a file that is about to be written,
// only where the system's protected-symlinks rule would follow them, and
// holding on to the folder found, so that later steps happen in it even when
// its path is changed meanwhile.

#include <string>

#include "platform/file_bytes.h"

enum class PathCheck { Ok, LinkRefused, Failed };

// The folder that holds the file to be written, open, and the file's name in
// it. Every step of a save works relative to `folder`, never by path, so a
// folder swapped for a link after the walk changes nothing.
struct SavePlace {
  SavePlace() = default;
  SavePlace(const SavePlace&) = delete;
  SavePlace& operator=(const SavePlace&) = delete;
  ~SavePlace();
  // A descriptor of the folder (opened without read access where the user
  // may not list it), or -1.
  int folder = -1;
  // The file's name in that folder: one path part, no slash.
  std::string name;
  // The absolute path without links the walk took: what messages and the
  // names of backups in the spare folder are made from.
  std::string target;
};

// Walks the path one part at a time, each folder opened relative to the one
// before without following a link. Links, in folders and in the last part,
// are followed by reading them through a descriptor of the link itself. The
// last part need not exist (a new file). A link that lies in a sticky folder
// every user may write, and that belongs neither to this user nor to the
// folder's owner, is refused: another user may have planted it there to
// make this user (the superuser above all) write a file of their choice.
// The rule holds whatever the system's own setting is. A folder that turns
// into a link between being looked at and being opened is refused the same
// way. Failed leaves the reason in errno.
PathCheck OpenSavePlace(const std::string& path, SavePlace& place);

// The absolute path without links, as OpenSavePlace finds it.
PathCheck ResolveSavePath(const std::string& path, std::string& resolved);

// Replaces the file named place.name in the open folder as
// WriteFileBytesSafely replaces the file of a path, without walking a path
// again: for writes into a folder that was checked and is held open. A link
// at the name is refused, not followed.
WriteResult WriteFileBytesAt(const SavePlace& place, const ByteBuffer& bytes, WriteProblem* problem = nullptr);
