// Time from process start to the first paint of the main window.
// Each run is a fresh process (this program started again with --child,
// directly, without a shell); the parent times from just before the start to
// the child's report after its first paint, and prints the median.
// Usage: bench_startup [RUNS]

#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QMainWindow>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/main_window.h"

namespace {

class FirstPaint : public QObject {
 public:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint && watched == mainWindows.main && !seen_) {
      seen_ = true;
      // Report after the paint has finished.
      QTimer::singleShot(0, [] {
        std::printf("painted\n");
        std::fflush(stdout);
        QApplication::exit(0);
      });
    }
    return false;
  }

 private:
  bool seen_ = false;
};

int RunChild(int argc, char* argv[]) {
  QApplication application(argc, argv);
  iniPath = "/tmp/q2-bench-startup.ini";
  FirstPaint watcher;
  application.installEventFilter(&watcher);
  CreateMainWindow();
  const int code = QApplication::exec();
  DestroyMainWindow();
  return code;
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc > 1 && std::strcmp(argv[1], "--child") == 0) return RunChild(argc, argv);
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 9;
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) return 1;
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
      dup2(pipeEnds[1], STDOUT_FILENO);
      close(pipeEnds[0]);
      execl(argv[0], argv[0], "--child", static_cast<char*>(nullptr));
      _exit(127);
    }
    close(pipeEnds[1]);
    char report[16] = {};
    const bool read = ::read(pipeEnds[0], report, sizeof report - 1) > 0 && std::strncmp(report, "painted", 7) == 0;
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    close(pipeEnds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    if (!read || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
      std::fprintf(stderr, "run %d failed\n", i);
      return 1;
    }
    times.push_back(ms);
    std::printf("run %d: %.1f ms\n", i, ms);
  }
  std::sort(times.begin(), times.end());
  std::printf("median start-up to first paint: %.1f ms over %d runs\n", times[times.size() / 2], runs);
  return 0;
}
