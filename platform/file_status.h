#pragma once
// What the open flow needs to know about a file before it reads it, and the
// last system error with the system's own text.

#include <string>

struct FileAttributes {
  bool directory = false;
  // The user may not write the file.
  bool readOnly = false;
  // The file's data is not at hand right away (never the case here).
  bool offline = false;
  // Anything that is neither a regular file nor a folder: a FIFO, device or
  // socket. Reading such a file could block or never end.
  bool system = false;
};

// Fills the attributes; false when they cannot be read, with the reason
// left as the last system error.
bool ReadFileAttributes(const std::string& path, FileAttributes& attributes);

// The calling thread's last system error code.
int LastSystemError();
// The system's text for an error code.
std::string SystemErrorText(int code);
