#include "storage/file_attributes.h"

#include <fcntl.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <optional>
#include <vector>

namespace {

bool NotSupported(int error) { return error == ENOTSUP || error == EOPNOTSUPP; }

// The names of the attributes of an open file; none where the file system
// has no attributes; nothing when they cannot be listed.
std::optional<std::vector<std::string>> ListAttributes(int fd) {
  for (int attempt = 0; attempt < 8; ++attempt) {
    const ssize_t size = ::flistxattr(fd, nullptr, 0);
    if (size < 0) {
      if (NotSupported(errno)) return std::vector<std::string>{};
      return std::nullopt;
    }
    std::string names(static_cast<std::size_t>(size), '\0');
    const ssize_t got = ::flistxattr(fd, names.data(), names.size());
    if (got < 0) {
      // Attributes were added since the size was asked.
      if (errno == ERANGE) continue;
      return std::nullopt;
    }
    std::vector<std::string> list;
    std::size_t start = 0;
    while (start < static_cast<std::size_t>(got)) {
      const std::size_t end = names.find('\0', start);
      if (end == std::string::npos || end > static_cast<std::size_t>(got)) break;
      if (end > start) list.push_back(names.substr(start, end - start));
      start = end + 1;
    }
    return list;
  }
  return std::nullopt;
}

std::optional<std::string> AttributeValue(int fd, const std::string& name) {
  for (int attempt = 0; attempt < 8; ++attempt) {
    const ssize_t size = ::fgetxattr(fd, name.c_str(), nullptr, 0);
    if (size < 0) return std::nullopt;
    std::string value(static_cast<std::size_t>(size), '\0');
    const ssize_t got = ::fgetxattr(fd, name.c_str(), value.data(), value.size());
    if (got < 0) {
      if (errno == ERANGE) continue;
      return std::nullopt;
    }
    value.resize(static_cast<std::size_t>(got));
    return value;
  }
  return std::nullopt;
}

}  // namespace

bool CopyExtendedAttributes(int from, int to) {
  const auto names = ListAttributes(from);
  const auto present = ListAttributes(to);
  if (!names || !present) return false;
  for (const std::string& name : *present) {
    if (std::find(names->begin(), names->end(), name) != names->end()) continue;
    if (::fremovexattr(to, name.c_str()) != 0 && errno != ENODATA) return false;
  }
  for (const std::string& name : *names) {
    const auto value = AttributeValue(from, name);
    if (!value) return false;
    // Attributes the new file got the same anyway (a security label) need
    // not, and often may not, be set.
    if (AttributeValue(to, name) == value) continue;
    if (::fsetxattr(to, name.c_str(), value->data(), value->size(), 0) != 0) return false;
  }
  return true;
}

bool HasExtendedAttributes(int folder, const std::string& name) {
  const int fd = ::openat(folder, name.c_str(), O_PATH | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) return true;
  // Descriptors opened only for their path cannot list attributes; the
  // process's own view of them can.
  const std::string path = "/proc/self/fd/" + std::to_string(fd);
  const ssize_t size = ::listxattr(path.c_str(), nullptr, 0);
  const int error = errno;
  ::close(fd);
  if (size < 0) return !NotSupported(error);
  return size > 0;
}
