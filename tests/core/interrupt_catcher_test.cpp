// Ctrl+C during the command-line import is noted rather than ending the
// program, and the program's own handling comes back afterwards.

#include <gtest/gtest.h>

#include <signal.h>

#include "import/interrupt_catcher.h"

namespace {

volatile sig_atomic_t earlierHandlerCalls = 0;
void EarlierHandler(int) { ++earlierHandlerCalls; }

TEST(InterruptCatcherTest, SigintIsNotedWhileCaughtAndTheEarlierHandlerReturns) {
  struct sigaction earlier {};
  earlier.sa_handler = EarlierHandler;
  sigemptyset(&earlier.sa_mask);
  struct sigaction saved {};
  ASSERT_EQ(::sigaction(SIGINT, &earlier, &saved), 0);
  {
    const InterruptCatcher catcher;
    EXPECT_FALSE(InterruptCatcher::Interrupted());
    ASSERT_EQ(::raise(SIGINT), 0);
    EXPECT_TRUE(InterruptCatcher::Interrupted());
    EXPECT_EQ(earlierHandlerCalls, 0);
  }
  ASSERT_EQ(::raise(SIGINT), 0);
  EXPECT_EQ(earlierHandlerCalls, 1);
  // A new catcher starts without the old interrupt.
  {
    const InterruptCatcher catcher;
    EXPECT_FALSE(InterruptCatcher::Interrupted());
  }
  ::sigaction(SIGINT, &saved, nullptr);
}

}  // namespace
