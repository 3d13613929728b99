#include "platform/file_status.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

bool ReadFileAttributes(const std::string& path, FileAttributes& attributes) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return false;
  const int saved = errno;
  attributes = {};
  attributes.directory = S_ISDIR(info.st_mode);
  attributes.system = !S_ISDIR(info.st_mode) && !S_ISREG(info.st_mode);
  // A file without any write permission is read-only even for the
  // superuser, who could otherwise write everything; for everyone else the
  // kernel's own answer decides.
  attributes.readOnly = (info.st_mode & 0222) == 0 || ::access(path.c_str(), W_OK) != 0;
  errno = saved;
  return true;
}

int LastSystemError() { return errno; }

std::string SystemErrorText(int code) { return std::strerror(code); }
