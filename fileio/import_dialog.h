#pragma once
// The import dialog: every image of the file with its size, depth, colours
// and what it will become, a check box each, the losses of the checked
// images line by line, and the choice to dither.

#include <optional>
#include <string>
#include <vector>

#include "fileio/icon_import_convert.h"
#include "fileio/icon_import_read.h"
#include "model/ui_text.h"

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
};

struct ImportChoice {
  // Indexes of the checked entries, in the file's order.
  std::vector<int> entries;
  bool dither = false;
};

// The entries checked when the dialog opens: every readable image of at
// most 64 x 64 pixels, or, when there is none, the largest readable one.
std::vector<bool> DefaultImportChecks(const std::vector<ImportEntry>& entries);

// Runs the dialog over the main window; plans hold one plan per entry (used
// for readable entries only). Nothing when the user cancels.
std::optional<ImportChoice> RunImportDialog(const std::vector<ImportEntry>& entries,
                                            const std::vector<ImportPlan>& plans);
