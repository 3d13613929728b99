#pragma once
// Runs a piece of code while files may not grow past a size, so that a write
// stops part way as on a full disk.

#include <sys/resource.h>

#include <csignal>
#include <cstddef>
#include <utility>

template <typename Action>
auto WithFileSizeLimit(std::size_t bytes, Action&& action) {
  struct rlimit saved {};
  ::getrlimit(RLIMIT_FSIZE, &saved);
  // Past the limit a write fails with EFBIG instead of ending the process.
  const auto previous = std::signal(SIGXFSZ, SIG_IGN);
  struct rlimit small = saved;
  small.rlim_cur = bytes;
  ::setrlimit(RLIMIT_FSIZE, &small);
  auto result = std::forward<Action>(action)();
  ::setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, previous);
  return result;
}
