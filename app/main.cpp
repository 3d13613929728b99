#include <QApplication>

#include "app/main_window.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  CreateMainWindow();
  const int code = QApplication::exec();
  DestroyMainWindow();
  return code;
}
