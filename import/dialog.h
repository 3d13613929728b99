#pragma once
// The import dialog: every image of the file with its size, depth and
// colours, a check box each, the sizes and colour count to make of it, its
// picture beside the pictures it will become, the losses of the checked
// images line by line, and the choice to dither.

#include <optional>
#include <string>
#include <vector>

#include "import/convert.h"
#include "import/read.h"
#include "import/targets.h"
#include "platform/ui_text.h"

// The caption of the import dialog and of its file dialog.
inline constexpr const char* IMPORT_TITLE = QT_TRANSLATE_NOOP("Quillet2", "インポート");
inline constexpr const char* IMPORT_UNREADABLE = QT_TRANSLATE_NOOP("Quillet2", "読み込めません");

// Control ids of the dialog (its object name is "2300").
enum : int {
  ID_IMPORT_LIST_LABEL = 2301,
  ID_IMPORT_LOSS_LABEL = 2302,
  ID_IMPORT_LIST = 2311,
  ID_IMPORT_LOSSES = 2312,
  ID_IMPORT_DITHER = 2321,
  // The palette to map onto: chosen by quantizing, a Windows palette or a file.
  ID_IMPORT_PALETTE = 2322,
  ID_IMPORT_PALETTE_LABEL = 2323,
  // In each row: the size buttons, the colour count and the pictures.
  ID_IMPORT_ROW_SIZES = 2331,
  ID_IMPORT_ROW_COLOURS = 2332,
  ID_IMPORT_ROW_PICTURES = 2333,
};

// The list's columns.
enum : int {
  IMPORT_COLUMN_SIZE = 0,
  IMPORT_COLUMN_BITS = 1,
  IMPORT_COLUMN_COLOURS = 2,
  IMPORT_COLUMN_TARGET_SIZES = 3,
  IMPORT_COLUMN_TARGET_COLOURS = 4,
  IMPORT_COLUMN_PICTURES = 5,
};

struct ImportChoice {
  // Indexes of the checked entries, in the file's order.
  std::vector<int> entries;
  bool dither = false;
  // The images made of the checked entries, in the order of the entries and
  // of each one's sizes; one tab each.
  std::vector<ImportMade> images;
};

// The entries checked when the dialog opens: every readable image of at
// most 64 x 64 pixels, or, when there is none, the largest readable one.
std::vector<bool> DefaultImportChecks(const std::vector<ImportEntry>& entries);

// Runs the dialog over the main window. Nothing when the user cancels.
std::optional<ImportChoice> RunImportDialog(const std::vector<ImportEntry>& entries);
