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

// Writes the bytes to a temporary file in the target's folder and moves it
// over the target only when every byte reached the disk. On failure the old
// file is untouched and the temporary is removed.
WriteResult WriteFileBytesSafely(const std::string& path, const ByteBuffer& bytes);
