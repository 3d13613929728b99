#pragma once
// Runs the built program with arguments given as bytes, which QProcess
// would pass through Qt's text and so lose any byte that is not UTF-8, and
// lets a test signal the running program.

#include <fcntl.h>
#include <grp.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "tests/ui/program_run.h"

// The program started in `folder` with "--lang ja" and the arguments; its
// output goes to files under /tmp, named by `tag`. With a user other than 0
// the program runs as that user (the tests run as the superuser in CI,
// whom permissions do not stop).
struct StartedProgram {
  pid_t pid = -1;
  std::string outPath;
  std::string errPath;
};

inline StartedProgram StartQuillet2Bytes(const std::string& folder, const std::vector<std::string>& arguments,
                                         const std::string& tag = "run", uid_t user = 0) {
  StartedProgram started;
  started.outPath = "/tmp/" + tag + "." + std::to_string(::getpid()) + ".out";
  started.errPath = "/tmp/" + tag + "." + std::to_string(::getpid()) + ".err";
  std::vector<std::string> all = {QUILLET2_PROGRAM, "--lang", "ja"};
  all.insert(all.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& argument : all) argv.push_back(argument.data());
  argv.push_back(nullptr);
  // No display: the import runs without one.
  std::vector<std::string> environment;
  for (char** entry = ::environ; *entry != nullptr; ++entry) {
    const std::string text = *entry;
    if (text.rfind("DISPLAY=", 0) == 0 || text.rfind("WAYLAND_DISPLAY=", 0) == 0 ||
        text.rfind("QT_QPA_PLATFORM=", 0) == 0)
      continue;
    environment.push_back(text);
  }
  std::vector<char*> envp;
  for (std::string& entry : environment) envp.push_back(entry.data());
  envp.push_back(nullptr);
  const pid_t pid = ::fork();
  if (pid == 0) {
    const int out = ::open(started.outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const int err = ::open(started.errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (out < 0 || err < 0) ::_exit(126);
    if (user != 0 && (::setgroups(0, nullptr) != 0 || ::setgid(user) != 0 || ::setuid(user) != 0)) ::_exit(125);
    if (::chdir(folder.c_str()) != 0) ::_exit(126);
    ::dup2(out, 1);
    ::dup2(err, 2);
    ::execve(argv[0], argv.data(), envp.data());
    ::_exit(127);
  }
  started.pid = pid;
  return started;
}

// Waits for the program's end (at most a minute) and gives back its code
// and output; -1 when it did not end by itself.
inline ProgramRun FinishQuillet2Bytes(const StartedProgram& started) {
  ProgramRun run;
  int status = 0;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  pid_t ended = 0;
  while ((ended = ::waitpid(started.pid, &status, WNOHANG)) == 0 && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  if (ended == 0) {
    ::kill(started.pid, SIGKILL);
    ::waitpid(started.pid, &status, 0);
  } else if (WIFEXITED(status)) {
    run.code = WEXITSTATUS(status);
  }
  const auto read = [](const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
  };
  run.out = read(started.outPath);
  run.err = read(started.errPath);
  ::unlink(started.outPath.c_str());
  ::unlink(started.errPath.c_str());
  return run;
}

inline ProgramRun RunQuillet2Bytes(const std::string& folder, const std::vector<std::string>& arguments,
                                   uid_t user = 0) {
  return FinishQuillet2Bytes(StartQuillet2Bytes(folder, arguments, "run", user));
}
