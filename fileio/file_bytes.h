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

// True when the user may not write the file at the path: it has no write
// permission bit at all (which holds even for the superuser, who could
// otherwise write everything), or the system refuses this user write access.
bool IsWriteProtected(const std::string& path);

// Replaces the content of the file the path names, as the user sees it:
// a symbolic link is followed and stays a link, every hard link of the file
// sees the new content, and the file keeps its permission bits (and owner and
// group where the process may set them). A file the user may not write, and
// anything that is not a regular file (a FIFO, device, socket or folder),
// is refused with OpenFailed and left alone. The bytes go to a temporary
// file in the target's folder first; on any failure the old content is
// kept and no temporary is left behind.
WriteResult WriteFileBytesSafely(const std::string& path, const ByteBuffer& bytes);
