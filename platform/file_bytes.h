#pragma once
// Whole-file reads and safe whole-file writes.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

using ByteBuffer = std::vector<std::uint8_t>;

// Reads at most maxBytes + 1 bytes, so a caller can tell a file that is too
// long from one that fits. Gives back nothing when the file cannot be opened
// or read.
std::optional<ByteBuffer> ReadFileBytes(const std::string& path, std::size_t maxBytes);

enum class WriteResult { Ok, OpenFailed, WriteFailed };

// Why a write failed, as far as the user can do something about it.
enum class WriteProblem {
  None,
  // The user may not write the file.
  NoPermission,
  // The user may not create files in the file's folder, and the file cannot
  // be written where it is either.
  FolderNotWritable,
  // The disk (or the user's share of it, or the file size limit) is full.
  DiskFull,
  // A folder, FIFO, device or socket.
  NotRegularFile,
  // A link that another user placed in a shared folder.
  LinkRefused,
  // A file that exists but cannot be read, so rewriting it would lose what
  // it holds.
  Unreadable,
  // The user may not create files in the folder, and there is no file yet.
  NoNewFileInFolder,
  // A folder or file of another user where the program writes only into
  // the user's own (a cursor theme's folders).
  OtherUsersFolder,
  // The file's folder does not exist (or a part of the path is no folder).
  NoFolder,
  Other,
};

// True when the user may not write the file at the path: it has no write
// permission bit at all (which holds even for the superuser, who could
// otherwise write everything), or the system refuses this user write access.
bool IsWriteProtected(const std::string& path);

// Replaces the content of the file the path names, as the user sees it:
// a symbolic link is followed and stays a link, every hard link of the file
// sees the new content, and the file keeps its permission bits, owner and
// group. A file the user may not write, anything that is not a regular file
// (a FIFO, device, socket or folder) and a link that another user planted in
// a shared sticky folder are refused with OpenFailed and left alone.
//
// The bytes go to a temporary file in the target's folder, which then takes
// the target's name, so the file holds the whole old or the whole new
// content at every moment. Where that would change the file's owner or
// group, where the folder takes no new file, or for a file with several
// names, the file is overwritten where it is; its old content is first kept
// whole in a backup beside it (or in the user's spare folder when the
// folder takes no file) and put back when the writing fails. A backup that
// a killed save left behind is found by FindKeptBackups. On success every
// temporary and backup of this file, earlier ones included, is removed.
// `problem`, when given, receives why a failed write failed.
WriteResult WriteFileBytesSafely(const std::string& path, const ByteBuffer& bytes, WriteProblem* problem = nullptr);
