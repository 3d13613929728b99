#include "app/session_bus_warmup.h"

#include <QDBusConnection>
#include <thread>

namespace {

// Joined by WaitForSessionBusConnection, or at the latest when the program
// ends by any way out, so that no running thread is left behind.
struct SessionBusWarmUp {
  std::thread thread;
  ~SessionBusWarmUp() { Wait(); }
  void Wait() {
    if (thread.joinable()) thread.join();
  }
};

SessionBusWarmUp warmUp;

}  // namespace

void StartSessionBusConnection() {
  if (warmUp.thread.joinable()) return;
  warmUp.thread = std::thread([] { (void)QDBusConnection::sessionBus(); });
}

void WaitForSessionBusConnection() { warmUp.Wait(); }
