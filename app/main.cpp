#include <QApplication>
#include <cstdio>

#include "app/command_line.h"
#include "app/main_window.h"
#include "platform/program_paths.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  // Desktops match the running window to the installed desktop entry by
  // this name.
  QGuiApplication::setDesktopFileName(QStringLiteral("org.quillet2.quillet2"));
  InstallJapaneseTexts();
  const CommandLine line = ParseCommandLine(QApplication::arguments());
  if (line.exitNow) {
    std::fputs(line.standardOutput.toLocal8Bit().constData(), stdout);
    std::fputs(line.standardError.toLocal8Bit().constData(), stderr);
    return line.exitCode;
  }
  CreateMainWindow();
  OpenCommandLineFiles(line.files);
  const int code = QApplication::exec();
  DestroyMainWindow();
  return code;
}
