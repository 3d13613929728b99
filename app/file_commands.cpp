#include "app/file_commands.h"

#include "app/main_window.h"
#include "app/new_tab_dialog.h"
#include "fileio/palette_flow.h"
#include "model/change_hub.h"
#include "model/tab_lifecycle.h"
#include "platform/modal.h"
#include "platform/ui_text.h"

namespace {

const FileFilterList iconFilters = {{QT_TRANSLATE_NOOP("Quillet2", "アイコン(*.ico)"), "*.ico"},
                                    {QT_TRANSLATE_NOOP("Quillet2", "カーソル(*.cur)"), "*.cur"},
                                    {QT_TRANSLATE_NOOP("Quillet2", "全て(*.*)"), "*.*"}};
const FileFilterList paletteFilters = {{QT_TRANSLATE_NOOP("Quillet2", "パレット(*.qpl)"), "*.qpl"},
                                       {QT_TRANSLATE_NOOP("Quillet2", "全て(*.*)"), "*.*"}};

// The palette dialogs share one name that keeps the last palette path.
std::string lastPalettePath;
// The open dialog keeps its own last name.
std::string lastOpenPath;

}  // namespace

void CommandNewFile() {
  if (tabSet.tabCount > 0 &&
      ShowMessageBox(QT_TRANSLATE_NOOP("Quillet2", "全てのタブを破棄し、新しいタブを作成します\n"), CAPTION_REPORT,
                     MB_OKCANCEL) != IDOK)
    return;
  if (!AskSaveAndDiscardAll()) return;
  CommandNewTab();
}

void CommandOpenFile() {
  const auto path = ChooseOpenFile(QT_TRANSLATE_NOOP("Quillet2", "開く（アイコン）"), iconFilters, lastOpenPath);
  if (!path) return;
  lastOpenPath = *path;
  OpenIconFile(*path);
}

void CommandOpenPalette() {
  ImageTab* tab = CurrentTab();
  if (tab == nullptr) return;
  const auto path = ChooseOpenFile(QT_TRANSLATE_NOOP("Quillet2", "開く（パレット）"), paletteFilters, lastPalettePath);
  if (!path) return;
  lastPalettePath = *path;
  LoadPaletteIntoTab(*tab, *path);
}

void LoadPaletteIntoTab(ImageTab& tab, const std::string& path) {
  if (!ReadPaletteFile(tab, path)) return;
  Announce(&tab, CHANGE_PALETTE | CHANGE_PIXELS | CHANGE_RECORD_UNDO);
}

void CommandSavePalette() {
  ImageTab* tab = CurrentTab();
  if (tab == nullptr) return;
  const auto path = ChooseSaveFile(QT_TRANSLATE_NOOP("Quillet2", "名前をつけて保存（パレット）"), paletteFilters,
                                   lastPalettePath, ".qpl");
  if (!path) return;
  lastPalettePath = *path;
  WritePaletteFile(*tab, *path);
}
