#include <QApplication>

#include "app/language.h"
#include "app/main_window.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  InstallChosenLanguage();
  CreateMainWindow();
  const int code = QApplication::exec();
  DestroyMainWindow();
  return code;
}
