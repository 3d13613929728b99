#include "app/font_warmup.h"

#include <fontconfig/fontconfig.h>

#include <thread>

namespace {

// Started by static initialization, before main; joined by WaitForFontConfig
// or, on the ways out that never show a window (help, version, a command-line
// import), when the program ends.
struct FontConfigWarmUp {
  std::thread thread{[] { FcInit(); }};
  ~FontConfigWarmUp() { Wait(); }
  void Wait() {
    if (thread.joinable()) thread.join();
  }
};

FontConfigWarmUp warmUp;

}  // namespace

void WaitForFontConfig() { warmUp.Wait(); }
