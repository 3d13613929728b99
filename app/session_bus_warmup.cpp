#include "app/session_bus_warmup.h"

#include <QDBusConnection>
#include <thread>

namespace {

std::thread connecting;

}  // namespace

void StartSessionBusConnection() {
  if (connecting.joinable()) return;
  connecting = std::thread([] { (void)QDBusConnection::sessionBus(); });
}

void WaitForSessionBusConnection() {
  if (connecting.joinable()) connecting.join();
}
