#pragma once
// Exporting an icon set without a window:
//   quillet2 --export-set DIR [--platforms windows,linux,mac,web]
//            [--name NAME] [--force] INPUT
// INPUT is an icon file (its images are used at their sizes) or any picture
// the import reads. A set already in DIR is replaced only with --force.
// Every file written is printed, one path a line. It needs only the core
// application object, so it runs where no display can be reached.

#include <QStringList>

#include "app/command_line.h"

class QCommandLineParser;

// True when the arguments (before any "--") ask for an icon-set export.
bool AsksForExportSet(int argc, const char* const* argv);

// Adds the export's options to the parser, so that the help lists them.
void AddExportSetOptions(QCommandLineParser& parser);

// Runs the export the arguments (the program's name first) describe and
// gives back what to print and the exit code: 1 for a mistake in the
// options or a set that is there already, 2 for an input that cannot be
// read, 3 for a set that cannot be made or written.
CommandLine RunExportSetCommandLine(const QStringList& arguments);
