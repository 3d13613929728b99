#pragma once
// The command line: quillet2 [--help] [--version] [--lang en|ja] [FILE...],
// or an import without a window (app/import_command_line.h).

#include <QString>
#include <QStringList>

struct CommandLine {
  // The files named, in order.
  QStringList files;
  // --no-recovery: this run keeps no recovery data and offers none.
  bool noRecovery = false;
  // Set when the program ends right away (help, version or a mistake in
  // the options) with this code, after printing the texts below.
  bool exitNow = false;
  int exitCode = 0;
  QString standardOutput;
  QString standardError;
};

// Reads the arguments (the program's name first). Needs the application
// object for Qt's translations of the option texts.
CommandLine ParseCommandLine(const QStringList& arguments);

// The value of "--lang" (before any "--"), or an empty text. It is looked at
// before the arguments are read, because the help text is written in the
// language it names.
QString RequestedLanguage(const QStringList& arguments);

// Opens the files named on the command line one after the other, once the
// main window exists: an icon file as if it had been dropped on the window,
// a palette file (".qpl") into the current tab as the palette-open command
// loads it.
void OpenCommandLineFiles(const QStringList& files);
