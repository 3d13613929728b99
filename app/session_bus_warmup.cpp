#include "app/session_bus_warmup.h"

#include <QDBusConnection>

#include "app/start_up_thread.h"

namespace {

StartUpThread warmUp;

}  // namespace

void StartSessionBusConnection() {
  if (warmUp.thread.joinable()) return;
  warmUp.thread = std::thread([] { (void)QDBusConnection::sessionBus(); });
}

void WaitForSessionBusConnection() { warmUp.Wait(); }
