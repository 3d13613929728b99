#include <QApplication>

#include "app/main_window.h"
#include "platform/memory.h"
#include "platform/program_paths.h"

int main(int argc, char* argv[]) {
  KeepFreedMemoryForReuse();
  QApplication application(argc, argv);
  InstallJapaneseTexts();
  CreateMainWindow();
  const int code = QApplication::exec();
  DestroyMainWindow();
  return code;
}
