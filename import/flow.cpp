#include "import/flow.h"

#include <memory>
#include <optional>
#include <vector>

#include "canvas/undo_commands.h"
#include "fileio/icon_format.h"
#include "fileio/open_flow.h"
#include "fileio/save_flow.h"
#include "import/convert.h"
#include "import/decode.h"
#include "import/dialog.h"
#include "model/never_saved.h"
#include "model/svg_source.h"
#include "model/tab_lifecycle.h"
#include "platform/modal.h"
#include "platform/ui_text.h"
#include "storage/file_message.h"

namespace {

const FileFilterList importFilters = {
    {QT_TRANSLATE_NOOP("Quillet2", "アイコンと画像(*.ico;*.cur;*.png;*.bmp;*.gif;*.svg;*.svgz)"),
     "*.ico;*.cur;*.png;*.bmp;*.gif;*.svg;*.svgz"},
    {QT_TRANSLATE_NOOP("Quillet2", "アイコンとカーソル(*.ico;*.cur)"), "*.ico;*.cur"},
    {QT_TRANSLATE_NOOP("Quillet2", "画像(*.png;*.bmp;*.gif)"), "*.png;*.bmp;*.gif"},
    {QT_TRANSLATE_NOOP("Quillet2", "SVG画像(*.svg;*.svgz)"), "*.svg;*.svgz"},
    {QT_TRANSLATE_NOOP("Quillet2", "全て(*.*)"), "*.*"}};

std::string lastImportPath;

inline constexpr const char* IMPORT_READING = QT_TRANSLATE_NOOP("Quillet2", "画像を読み込んでいます");

// Creates one tab per converted image, behind the open ones. The tabs get
// no name, so the document keeps its name, or is unnamed in an empty set.
// Gives back the strip position of the first new tab, or nothing after a
// failure (shown, with the tabs it made removed again).
std::optional<int> CreateImportedTabs(const std::string& path, const std::vector<std::unique_ptr<ImageTab>>& images) {
  const int first = tabSet.tabCount;
  std::vector<ImageTab*> created;
  for (const auto& image : images) {
    ImageTab* tab = CreateTab({}, image->width, image->height, image->colorCode);
    if (tab == nullptr) {
      for (ImageTab* made : created) DeleteTab(SlotOf(*made));
      ShowReport(FileMessage(path, ICON_TAB_CREATE_FAILED));
      return std::nullopt;
    }
    tab->width = image->width;
    tab->height = image->height;
    tab->colorCode = image->colorCode;
    std::copy(std::begin(image->palette), std::end(image->palette), tab->palette);
    std::copy(std::begin(image->cells), std::end(image->cells), tab->cells);
    created.push_back(tab);
  }
  // The imported image is each tab's first snapshot, so undo can always go
  // back to it; no file holds it yet, so it counts as unsaved even there.
  for (ImageTab* tab : created) {
    RecordUndo(*tab);
    MarkTabNeverSaved(*tab);
  }
  return first;
}

}  // namespace

void CommandImportFile() {
  const auto path = ChooseOpenFile(IMPORT_TITLE, importFilters, lastImportPath);
  if (!path) return;
  lastImportPath = *path;
  ImportFile(*path);
}

void ImportFile(const std::string& path) {
  if (CheckFileAttributes(path)) ImportCheckedFile(path);
}

bool ReadImportWithProgress(const std::string& path, ImportSource& source) {
  // A file of many large images takes a while; the user may give up.
  return RunWithProgress({IMPORT_TITLE, IMPORT_READING},
                         [&](const ProgressStep& step) { source = ReadImportSource(path, step); });
}

void ImportCheckedFile(const std::string& path) {
  ImportSource source;
  if (ReadImportWithProgress(path, source)) ImportReadSource(path, source);
}

void ImportReadSource(const std::string& path, ImportSource& source) {
  if (!source.error.empty()) {
    ShowReport(FileMessage(path, source.error));
    return;
  }
  if (source.entries.empty()) {
    ShowReport(FileMessage(path, IMPORT_NOTHING_READABLE));
    return;
  }
  auto choice = RunImportDialog(source.entries);
  if (!choice || choice->images.empty()) return;
  bool discarded = false;
  if (!MakeRoomForImages(static_cast<int>(choice->images.size()), discarded)) return;

  std::vector<std::unique_ptr<ImageTab>> images;
  for (ImportMade& made : choice->images) images.push_back(std::move(made.image));
  const std::optional<int> first = CreateImportedTabs(path, images);
  // The document remembers the drawing its new images came from, so that an
  // export can render the sizes it lacks from the SVG itself.
  if (first)
    for (int entry : choice->entries)
      if (const auto& svg = source.entries[static_cast<std::size_t>(entry)].svg) RememberDocumentSvg(path, *svg);
  ShowLoadedTabs(first, discarded);
  if (IsUnnamedDocument()) ProposeSaveNameFrom(path);
}
