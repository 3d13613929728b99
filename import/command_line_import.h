#pragma once
// The import as the command line runs it: one input file made into one icon
// file, with no window. Reading and checking the options is the command
// line's business; this is what happens once they are known.

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "import/alpha_cut.h"

// Exit codes of the import: a mistake in the options, an input that cannot
// be read, an icon that cannot be written.
constexpr int IMPORT_EXIT_ARGUMENTS = 1;
constexpr int IMPORT_EXIT_INPUT = 2;
constexpr int IMPORT_EXIT_WRITE = 3;

struct CommandLineImport {
  std::string input;
  std::string output;
  // Ascending, each once; empty for the picture's default sizes.
  std::vector<int> sizes;
  // 2, 16 or 256; 0 for the smallest count that holds the picture.
  int colours = 0;
  bool dither = false;
  // Every size as a 32-bit image (sizes above 64 always are, PNG-compressed).
  bool trueColour = false;
  // The input icon's images whose sizes are not made are written too.
  bool keep = false;
  // A palette file to map the picture onto instead of choosing colours
  // (or the name of a Windows palette); empty to choose.
  std::string palette;
  // Where soft edges are cut, and the colour they are blended onto.
  AlphaCut alpha;
  // Cursors: an output ending in .cur is written as a cursor with this hot
  // spot (in the input picture's pixels, 0,0 when not given); an X11 cursor
  // file is written too when its path is set. The output may then be empty.
  std::optional<std::pair<int, int>> hotSpot;
  std::string xcursorOutput;
};

struct CommandLineImportResult {
  // 0, IMPORT_EXIT_INPUT or IMPORT_EXIT_WRITE.
  int exitCode = 0;
  // One loss line per image made, each ending in a newline.
  std::string lossLines;
  // Why the import failed, naming the file, when it did.
  std::string error;
  // What the import changed of the request to carry it out (a hot spot
  // outside the picture), each line ending in a newline.
  std::string warnings;
};

// Reads the input, makes one image per size exactly as the import dialog
// does and writes them with the program's safe save.
CommandLineImportResult RunCommandLineImport(const CommandLineImport& request);
