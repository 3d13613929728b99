#include "import/interrupt_catcher.h"

#include <signal.h>

namespace {

volatile sig_atomic_t interrupted = 0;
struct sigaction before {};

void NoteInterrupt(int) { interrupted = 1; }

}  // namespace

InterruptCatcher::InterruptCatcher() {
  interrupted = 0;
  struct sigaction action {};
  action.sa_handler = NoteInterrupt;
  sigemptyset(&action.sa_mask);
  ::sigaction(SIGINT, &action, &before);
}

InterruptCatcher::~InterruptCatcher() { ::sigaction(SIGINT, &before, nullptr); }

bool InterruptCatcher::Interrupted() { return interrupted != 0; }
