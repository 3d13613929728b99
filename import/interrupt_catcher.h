#pragma once
// Ctrl+C (SIGINT) during a long piece of work without a window: instead of
// ending the program wherever it stands, it is noted, and the work stops at
// the next point where stopping leaves nothing half done.

// While one exists, SIGINT only sets the flag; the handler the program had
// before comes back when it is destroyed. Only one may exist at a time.
class InterruptCatcher {
 public:
  InterruptCatcher();
  InterruptCatcher(const InterruptCatcher&) = delete;
  InterruptCatcher& operator=(const InterruptCatcher&) = delete;
  ~InterruptCatcher();
  // True once SIGINT arrived.
  static bool Interrupted();
};

// The exit code of a program that stopped on SIGINT, as the shells give it.
constexpr int EXIT_INTERRUPTED = 130;
