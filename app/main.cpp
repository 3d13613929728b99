#include <QApplication>

#include "app/language.h"
#include "app/main_window.h"
#include "platform/memory.h"

int main(int argc, char* argv[]) {
  KeepFreedMemoryForReuse();
  QApplication application(argc, argv);
  InstallChosenLanguage();
  CreateMainWindow();
  const int code = QApplication::exec();
  DestroyMainWindow();
  return code;
}
