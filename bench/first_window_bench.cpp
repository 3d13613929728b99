// Start-up and exit of desktop programs as a user sees them, on a running X
// server (an Xvfb is enough).
//
// Start-up: the time from just before exec to the moment the program's first
// top-level window is mapped, that is, becomes visible. Several programs are
// started in turn, round after round, so that each meets the same machine
// load; the medians are printed, and the ratio of the first program's median
// to each other's.
//
// Exit: the first program is started, made the focus, given Ctrl+C (so that
// it owns the clipboard when it can copy) and then Ctrl+Q; the time from the
// Ctrl+Q to the end of its process is measured.
//
// Usage:
//   bench_first_window start RUNS PROGRAM [ARGS...] [-- PROGRAM [ARGS...]]...
//   bench_first_window exit RUNS PROGRAM [ARGS...]
// Uses plain Xlib and XTest, so that measuring adds no toolkit of its own.

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n == 0 ? 0 : n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

struct Program {
  std::vector<std::string> words;
  std::vector<double> times;
};

pid_t Launch(const Program& program) {
  const pid_t pid = fork();
  if (pid == 0) {
    const int null = open("/dev/null", O_RDWR);
    dup2(null, STDOUT_FILENO);
    dup2(null, STDERR_FILENO);
    std::vector<char*> argv;
    for (const std::string& word : program.words) argv.push_back(const_cast<char*>(word.c_str()));
    argv.push_back(nullptr);
    execvp(argv[0], argv.data());
    _exit(127);
  }
  return pid;
}

// The process that owns a window, by its _NET_WM_PID; 0 when it says none.
pid_t WindowPid(Display* display, Window window, Atom pidAtom) {
  Atom type = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  pid_t pid = 0;
  if (XGetWindowProperty(display, window, pidAtom, 0, 1, False, XA_CARDINAL, &type, &format, &count, &after, &data) ==
          Success &&
      data != nullptr && count == 1 && format == 32)
    pid = static_cast<pid_t>(*reinterpret_cast<unsigned long*>(data));
  if (data != nullptr) XFree(data);
  return pid;
}

// Waits until a top-level window of the process is mapped; gives back the
// window, or None when the process ended or 20 s passed.
Window WaitForWindow(Display* display, pid_t pid, Atom pidAtom) {
  const Clock::time_point start = Clock::now();
  while (MillisecondsSince(start) < 20000) {
    while (XPending(display) > 0) {
      XEvent event;
      XNextEvent(display, &event);
      if (event.type != MapNotify || event.xmap.override_redirect) continue;
      const pid_t owner = WindowPid(display, event.xmap.window, pidAtom);
      // A window that names no process is taken too: the only program
      // started meanwhile is ours.
      if (owner == pid || owner == 0) return event.xmap.window;
    }
    int status = 0;
    if (waitpid(pid, &status, WNOHANG) == pid) return None;
    pollfd wait{ConnectionNumber(display), POLLIN, 0};
    poll(&wait, 1, 5);
  }
  return None;
}

void EndProcess(pid_t pid) {
  kill(pid, SIGTERM);
  const Clock::time_point start = Clock::now();
  int status = 0;
  while (waitpid(pid, &status, WNOHANG) != pid) {
    if (MillisecondsSince(start) > 5000) {
      kill(pid, SIGKILL);
      waitpid(pid, &status, 0);
      return;
    }
    usleep(2000);
  }
}

void Settle(Display* display, int milliseconds) {
  const Clock::time_point start = Clock::now();
  while (MillisecondsSince(start) < milliseconds) {
    while (XPending(display) > 0) {
      XEvent event;
      XNextEvent(display, &event);
    }
    usleep(2000);
  }
}

void PressWithControl(Display* display, KeySym key) {
  const KeyCode control = XKeysymToKeycode(display, XK_Control_L);
  const KeyCode code = XKeysymToKeycode(display, key);
  XTestFakeKeyEvent(display, control, True, 0);
  XTestFakeKeyEvent(display, code, True, 0);
  XTestFakeKeyEvent(display, code, False, 0);
  XTestFakeKeyEvent(display, control, False, 0);
  XFlush(display);
}

int Usage() {
  std::fprintf(stderr,
               "usage: bench_first_window start RUNS PROGRAM [ARGS...] [-- PROGRAM [ARGS...]]...\n"
               "       bench_first_window exit RUNS PROGRAM [ARGS...]\n");
  return 2;
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc < 4) return Usage();
  const std::string mode = argv[1];
  const int runs = std::max(1, std::atoi(argv[2]));
  std::vector<Program> programs(1);
  for (int i = 3; i < argc; ++i) {
    if (std::strcmp(argv[i], "--") == 0) programs.emplace_back();
    else programs.back().words.push_back(argv[i]);
  }
  if (programs.front().words.empty() || (mode != "start" && mode != "exit")) return Usage();
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    std::fprintf(stderr, "bench_first_window: no X display (set DISPLAY)\n");
    return 1;
  }
  const Atom pidAtom = XInternAtom(display, "_NET_WM_PID", False);
  XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);

  if (mode == "start") {
    for (int round = 0; round < runs; ++round)
      for (Program& program : programs) {
        if (program.words.empty()) continue;
        Settle(display, 100);
        const Clock::time_point start = Clock::now();
        const pid_t pid = Launch(program);
        const Window window = WaitForWindow(display, pid, pidAtom);
        const double ms = MillisecondsSince(start);
        EndProcess(pid);
        if (window == None) {
          std::fprintf(stderr, "%s showed no window\n", program.words[0].c_str());
          return 1;
        }
        program.times.push_back(ms);
      }
    const double first = Median(programs.front().times);
    for (const Program& program : programs) {
      if (program.words.empty()) continue;
      const double median = Median(program.times);
      std::printf("start-up %-40s median %7.1f ms over %zu runs", program.words[0].c_str(), median,
                  program.times.size());
      if (&program != &programs.front() && median > 0) std::printf("  (ratio %.2f)", first / median);
      std::printf("\n");
    }
    return 0;
  }

  Program& program = programs.front();
  for (int round = 0; round < runs; ++round) {
    Settle(display, 100);
    const pid_t pid = Launch(program);
    const Window window = WaitForWindow(display, pid, pidAtom);
    if (window == None) {
      std::fprintf(stderr, "%s showed no window\n", program.words[0].c_str());
      return 1;
    }
    // Let the window finish its first paint and take the focus, then copy.
    Settle(display, 400);
    XSetInputFocus(display, window, RevertToPointerRoot, CurrentTime);
    Settle(display, 100);
    PressWithControl(display, XK_c);
    Settle(display, 300);
    const Clock::time_point start = Clock::now();
    PressWithControl(display, XK_q);
    int status = 0;
    while (waitpid(pid, &status, WNOHANG) != pid) {
      if (MillisecondsSince(start) > 10000) {
        std::fprintf(stderr, "%s did not end after Ctrl+Q\n", program.words[0].c_str());
        EndProcess(pid);
        return 1;
      }
      while (XPending(display) > 0) {
        XEvent event;
        XNextEvent(display, &event);
      }
      usleep(500);
    }
    program.times.push_back(MillisecondsSince(start));
  }
  std::printf("exit after a copy %-33s median %7.1f ms, slowest %7.1f ms over %zu runs\n", program.words[0].c_str(),
              Median(program.times), *std::max_element(program.times.begin(), program.times.end()),
              program.times.size());
  return 0;
}
