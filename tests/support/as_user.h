#pragma once
// Runs a piece of code in a forked child that has dropped to an unprivileged
// user, so that permission rules apply even when the tests run as the
// superuser.

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

// An unprivileged user and group that exist on every Debian system, and an
// id no system gives out, for a second user.
constexpr uid_t NOBODY = 65534;
constexpr uid_t STRANGER = 54321;

inline bool RunningAsRoot() { return ::geteuid() == 0; }

// Gives back the child's exit code: what the action gave back, 100 when the
// user could not be taken on, or -1 when the child did not end normally.
template <typename Action>
int RunAsUser(uid_t user, Action&& action) {
  const pid_t child = ::fork();
  if (child < 0) return -1;
  if (child == 0) {
    if (::setgroups(0, nullptr) != 0 || ::setgid(user) != 0 || ::setuid(user) != 0) ::_exit(100);
    ::_exit(action());
  }
  int status = 0;
  if (::waitpid(child, &status, 0) != child || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
}
