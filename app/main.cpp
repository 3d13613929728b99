#include <QApplication>
#include <cstdio>

#include "app/command_line.h"
#include "app/font_warmup.h"
#include "app/icon_set_command_line.h"
#include "app/import_command_line.h"
#include "app/language.h"
#include "app/main_window.h"
#include "app/recovery.h"
#include "app/session_bus_warmup.h"
#include "platform/argument_bytes.h"
#include "platform/memory.h"

namespace {

int PrintAndEnd(const CommandLine& line) {
  std::fputs(line.standardOutput.toLocal8Bit().constData(), stdout);
  std::fputs(line.standardError.toLocal8Bit().constData(), stderr);
  return line.exitCode;
}

}  // namespace

int main(int argc, char* argv[]) {
  KeepFreedMemoryForReuse();
  // The options are read before the window system is reached, so help,
  // version and mistakes in the options are answered where no display can
  // be reached (a terminal over ssh, a package check) instead of ending in
  // the window system's own error.
  CommandLine line;
  // A start without arguments (from a menu, a desktop icon) has no options
  // to answer, so it goes straight to the window; its language is chosen
  // once the application exists.
  const bool plainStart = argc <= 1;
  if (!plainStart) {
    QCoreApplication reader(argc, argv);
    // Qt's own list of the arguments loses the bytes of file names that are
    // not UTF-8.
    const QStringList arguments = ArgumentTexts(argc, argv);
    InstallChosenLanguage(RequestedLanguage(arguments));
    line = ParseCommandLine(arguments);
  }
  // Making an icon from the command line needs no window either.
  if (AsksForImport(argc, argv)) {
    // An SVG is rendered in forked children, which must not start while
    // another thread holds fontconfig's locks.
    WaitForFontConfig();
    QCoreApplication application(argc, argv);
    const QStringList arguments = ArgumentTexts(argc, argv);
    InstallChosenLanguage(RequestedLanguage(arguments));
    return PrintAndEnd(RunImportCommandLine(arguments));
  }
  // So does exporting an icon set.
  if (AsksForExportSet(argc, argv)) {
    WaitForFontConfig();
    QCoreApplication application(argc, argv);
    const QStringList arguments = ArgumentTexts(argc, argv);
    InstallChosenLanguage(RequestedLanguage(arguments));
    return PrintAndEnd(RunExportSetCommandLine(arguments));
  }
  if (line.exitNow) return PrintAndEnd(line);
  // The menu bar is the window's own, as the layout places it. Asking for
  // a desktop-wide menu bar would make Qt look for one on the session bus
  // (and, where there is no bus, try to start one) before the window shows.
  QCoreApplication::setAttribute(Qt::AA_DontUseNativeMenuBar);
  QApplication application(argc, argv);
  StartSessionBusConnection();
  // Desktops match the running window to the installed desktop entry by
  // this name.
  QGuiApplication::setDesktopFileName(QStringLiteral("org.quillet2.quillet2"));
  // The translations went with the reader; the window gets the same language.
  if (plainStart)
    InstallChosenLanguage(QString());
  else
    InstallLanguage(CurrentLanguage());
  WaitForFontConfig();
  CreateMainWindow();
  WaitForSessionBusConnection();
  StartRecovery(line.noRecovery);
  OpenCommandLineFiles(line.files);
  const int code = QApplication::exec();
  // A normal end: the run's recovery data goes.
  EndRecovery();
  DestroyMainWindow();
  return code;
}
