#pragma once
// The choices of the last import, offered again at the next one: a user who
// makes favicons of 16, 32 and 48 pixels should not pick them anew for every
// picture. They last for the session, and the settings file keeps them
// between runs.

#include <string>
#include <vector>

#include "import/read.h"
#include "import/targets.h"

struct RememberedImportChoices {
  // Empty when nothing was imported yet: the dialog then proposes what
  // suits each picture.
  std::vector<int> sizes;
  // 2, 16 or 256.
  int colours = 256;
  bool dither = false;
};

// The choices of the last import of this session, or as the settings file
// gave them at the start.
RememberedImportChoices& LastImportChoices();

// "16,32,48" for the sizes (0 stands for the picture's own size), and back;
// anything that is not a list of offered sizes gives an empty list.
std::string ImportSizesText(const std::vector<int>& sizes);
std::vector<int> ImportSizesOfText(const std::string& text);

// The target of a row when the dialog opens: the remembered sizes and
// colour count for a row that has no size of its own to keep (the only
// picture of the file, or one larger than an editable image), as far as
// those sizes are offered for it; otherwise the row's own default.
ImportTarget StartingImportTarget(const ImportEntry& entry, bool onlyRow, const RememberedImportChoices& remembered);
