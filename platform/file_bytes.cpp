#include "platform/file_bytes.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

std::optional<ByteBuffer> ReadFileBytes(const std::string& path, std::size_t maxBytes) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return std::nullopt;
  struct stat info {};
  // Only regular files are read: a FIFO or device could block or never end.
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    const int saved = S_ISREG(info.st_mode) ? errno : EINVAL;
    ::close(fd);
    errno = saved;
    return std::nullopt;
  }
  ByteBuffer bytes;
  const std::size_t limit = maxBytes + 1;
  bytes.resize(std::min<std::size_t>(limit, static_cast<std::size_t>(info.st_size) + 1));
  std::size_t filled = 0;
  while (filled < bytes.size()) {
    const ssize_t got = ::read(fd, bytes.data() + filled, bytes.size() - filled);
    if (got < 0) {
      if (errno == EINTR) continue;
      const int saved = errno;
      ::close(fd);
      errno = saved;
      return std::nullopt;
    }
    if (got == 0) break;
    filled += static_cast<std::size_t>(got);
    if (filled == bytes.size() && bytes.size() < limit) bytes.resize(std::min(limit, bytes.size() * 2));
  }
  ::close(fd);
  bytes.resize(filled);
  return bytes;
}
