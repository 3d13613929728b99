#include "platform/file_status.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

#include "platform/file_bytes.h"

bool ReadFileAttributes(const std::string& path, FileAttributes& attributes) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return false;
  const int saved = errno;
  attributes = {};
  attributes.directory = S_ISDIR(info.st_mode);
  attributes.system = !S_ISDIR(info.st_mode) && !S_ISREG(info.st_mode);
  // The save flows refuse the same files, so the question asked here and
  // what saving does agree.
  attributes.readOnly = IsWriteProtected(path);
  errno = saved;
  return true;
}

int LastSystemError() { return errno; }

std::string SystemErrorText(int code) { return std::strerror(code); }
