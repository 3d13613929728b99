// Runs the window tests inside one application object on Qt's offscreen
// platform, so they need no display.

#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

int main(int argc, char* argv[]) {
  ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
  // The texts the tests expect are the Japanese ones, whatever the language
  // of the desktop that runs them; tests of the choice set it themselves.
  ::setenv("QUILLET2_LANG", "ja", 1);
  QApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
