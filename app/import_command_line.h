#pragma once
// Making an icon from a picture without a window:
//   quillet2 --import INPUT -o OUTPUT.ico [--sizes 16,32,48]
//            [--colours 2|16|256] [--dither]
// It reads any file the import reads, makes one image per size exactly as
// the import dialog does, writes the icon with the program's safe save and
// prints one loss line per image. It needs only the core application
// object, so it runs where no display can be reached.

#include <QStringList>
#include <string>

#include "app/command_line.h"
#include "import/command_line_import.h"

class QCommandLineParser;

// True when the arguments (before any "--") ask for an import.
bool AsksForImport(int argc, const char* const* argv);
// True when the arguments before any "--" hold the option, alone or as
// "option=value"; read before Qt is started.
bool ArgumentsAskFor(int argc, const char* const* argv, const std::string& option);

// Adds the import's options to the parser, so that the help lists them.
void AddImportOptions(QCommandLineParser& parser);

// Runs the import the arguments (the program's name first) describe and
// gives back what to print and the exit code.
CommandLine RunImportCommandLine(const QStringList& arguments);
