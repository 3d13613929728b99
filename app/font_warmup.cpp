#include "app/font_warmup.h"

#include <fontconfig/fontconfig.h>

#include "app/start_up_thread.h"

namespace {

// Started by static initialization, before main; joined by WaitForFontConfig
// or, on the ways out that never show a window (help, version, a command-line
// import), when the program ends.
StartUpThread warmUp{std::thread([] { FcInit(); })};

}  // namespace

void WaitForFontConfig() { warmUp.Wait(); }
