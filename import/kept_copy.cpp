#include "import/kept_copy.h"

#include <cstring>

#include "fileio/icon_format.h"
#include "import/convert.h"
#include "import/decode.h"
#include "import/targets.h"
#include "model/change_hub.h"
#include "model/never_saved.h"
#include "model/tab_lifecycle.h"
#include "platform/modal.h"

std::string DecodeKeptEntryPicture(KeptEntry& kept) {
  RgbaPicture full;
  const std::string problem = DecodeImportImage(kept.data, DecodePngImage, full);
  if (!problem.empty()) return problem;
  kept.width = full.width;
  kept.height = full.height;
  kept.argb = std::move(full.pixels);
  return {};
}

std::unique_ptr<ImageTab> MakeEditableCopy(const KeptEntry& kept) {
  if (kept.argb.empty()) return nullptr;
  RgbaPicture full;
  full.width = kept.width;
  full.height = kept.height;
  full.pixels = kept.argb;
  std::vector<ImportEntry> entries(1);
  ImportEntry& entry = entries[0];
  entry.bitCount = kept.bitCount;
  entry.png = kept.png;
  KeepScaledPicture(full, entry);
  const ImportTarget target = DefaultImportTarget(entry);
  ImportMade made = MakeImportImage(entries, 0, target.sizes.front(), target.colours, false);
  return std::move(made.image);
}

void CommandMakeEditableCopy() {
  const ImageTab* current = CurrentTab();
  const KeptEntry* kept = current != nullptr ? KeptEntryOf(*current) : nullptr;
  if (kept == nullptr) return;
  const std::unique_ptr<ImageTab> copy = MakeEditableCopy(*kept);
  if (copy == nullptr) return;
  if (tabSet.tabCount >= MAX_TABS) {
    ShowReport(ICON_TOO_MANY_IMAGES);
    return;
  }
  ImageTab* tab = CreateTab(tabSet.documentName, copy->width, copy->height, copy->colorCode);
  if (tab == nullptr) return;
  tab->width = copy->width;
  tab->height = copy->height;
  tab->colorCode = copy->colorCode;
  std::memcpy(tab->palette, copy->palette, sizeof tab->palette);
  std::memcpy(tab->cells, copy->cells, sizeof tab->cells);
  // The copy is in no file until the document is saved.
  MarkTabNeverSaved(*tab);
  tabSet.currentPosition = tabSet.tabCount - 1;
  ShowCurrentPosition();
}
