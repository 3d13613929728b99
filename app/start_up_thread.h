#pragma once
// A piece of start-up work that runs on a thread of its own while the main
// thread goes on. Joined when its result is first needed, or at the latest
// when the program ends by any way out, so that no running thread is left
// behind.

#include <thread>

struct StartUpThread {
  std::thread thread;
  ~StartUpThread() { Wait(); }
  void Wait() {
    if (thread.joinable()) thread.join();
  }
};
