#include "app/file_commands.h"

#include <iterator>

#include "app/main_window.h"
#include "app/new_tab_dialog.h"
#include "fileio/palette_flow.h"
#include "fileio/palette_formats.h"
#include "model/change_hub.h"
#include "model/tab_lifecycle.h"
#include "platform/modal.h"
#include "platform/ui_text.h"

namespace {

const FileFilterList iconFilters = {{QT_TRANSLATE_NOOP("Quillet2", "アイコン(*.ico)"), "*.ico"},
                                    {QT_TRANSLATE_NOOP("Quillet2", "カーソル(*.cur)"), "*.cur"},
                                    {QT_TRANSLATE_NOOP("Quillet2", "アニメーションカーソル(*.ani)"), "*.ani"},
                                    {QT_TRANSLATE_NOOP("Quillet2", "全て(*.*)"), "*.*"}};
// Opening offers every palette format at once first; saving offers one
// format a filter, .qpl first, and the filter chosen names the format of a
// name typed without an extension (and tells RIFF from JASC for ".pal").
const FileFilterList paletteOpenFilters = {
    {QT_TRANSLATE_NOOP("Quillet2", "パレット(*.qpl *.gpl *.act *.pal *.hex)"), "*.qpl;*.gpl;*.act;*.pal;*.hex"},
    {QT_TRANSLATE_NOOP("Quillet2", "パレット(*.qpl)"), "*.qpl"},
    {QT_TRANSLATE_NOOP("Quillet2", "全て(*.*)"), "*.*"}};
const FileFilterList paletteSaveFilters = {{QT_TRANSLATE_NOOP("Quillet2", "パレット(*.qpl)"), "*.qpl"},
                                           {QT_TRANSLATE_NOOP("Quillet2", "GIMP パレット(*.gpl)"), "*.gpl"},
                                           {QT_TRANSLATE_NOOP("Quillet2", "Photoshop パレット(*.act)"), "*.act"},
                                           {QT_TRANSLATE_NOOP("Quillet2", "JASC パレット(*.pal)"), "*.pal"},
                                           {QT_TRANSLATE_NOOP("Quillet2", "RIFF パレット(*.pal)"), "*.pal"},
                                           {QT_TRANSLATE_NOOP("Quillet2", "16進の色の一覧(*.hex)"), "*.hex"},
                                           {QT_TRANSLATE_NOOP("Quillet2", "全て(*.*)"), "*.*"}};
// The format of each save filter, in the same order.
const PaletteFormat paletteSaveFormats[] = {PaletteFormat::Qpl,     PaletteFormat::Gpl,     PaletteFormat::Act,
                                            PaletteFormat::JascPal, PaletteFormat::RiffPal, PaletteFormat::Hex,
                                            PaletteFormat::Unknown};

// The palette dialogs share one name that keeps the last palette path.
std::string lastPalettePath;
// The open dialog keeps its own last name.
std::string lastOpenPath;

}  // namespace

// The new tab's values come first, so that Cancel anywhere leaves every
// open tab as it was; the tabs go only once the new one is sure.
void CommandNewFile() {
  NewTabValues values;
  if (RunNewTabDialog(&values) != IDOK) return;
  if (tabSet.tabCount > 0 &&
      ShowMessageBox(QT_TRANSLATE_NOOP("Quillet2", "全てのタブを破棄し、新しいタブを作成します\n"), CAPTION_REPORT,
                     MB_OKCANCEL) != IDOK)
    return;
  if (!AskSaveAndDiscardAll()) return;
  if (!CreateNewTab(values)) return;
  tabSet.currentPosition = tabSet.tabCount - 1;
  ShowCurrentPosition();
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
  const auto path = ChooseOpenFile(QT_TRANSLATE_NOOP("Quillet2", "開く（パレット）"), paletteOpenFilters, lastPalettePath);
  if (!path) return;
  lastPalettePath = *path;
  LoadPaletteIntoTab(*tab, *path);
}

void LoadPaletteIntoTab(ImageTab& tab, const std::string& path) {
  if (!ReadPaletteFile(tab, path)) return;
  Announce(&tab, CHANGE_PALETTE | CHANGE_PIXELS | CHANGE_RECORD_UNDO);
}

void LoadWindowsPalette(ImageTab& tab, int colours) {
  PaletteRecord record;
  record.colors = colours == 16 ? WindowsPalette16() : WindowsPalette256();
  if (!ReadPaletteRecord(tab, record)) return;
  Announce(&tab, CHANGE_PALETTE | CHANGE_PIXELS | CHANGE_RECORD_UNDO);
}

void CommandSavePalette() {
  ImageTab* tab = CurrentTab();
  if (tab == nullptr) return;
  int filter = -1;
  const auto path = ChooseSaveFile(QT_TRANSLATE_NOOP("Quillet2", "名前をつけて保存（パレット）"), paletteSaveFilters,
                                   lastPalettePath, ".qpl", &filter);
  if (!path) return;
  lastPalettePath = *path;
  const PaletteFormat chosen =
      filter >= 0 && filter < static_cast<int>(std::size(paletteSaveFormats)) ? paletteSaveFormats[filter]
                                                                              : PaletteFormat::Unknown;
  WritePaletteFile(*tab, *path, SaveFormatOf(*path, chosen));
}
