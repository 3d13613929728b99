#include "fileio/kept_load.h"

#include <algorithm>
#include <cstdio>
#include <iterator>

#include "fileio/icon_format.h"
#include "fileio/kept_entries.h"
#include "fileio/palette_file.h"
#include "model/change_hub.h"
#include "model/tab_lifecycle.h"
#include "platform/program_paths.h"

namespace {

// Whether the decoded picture can be edited as a true-colour tab: it was
// decoded whole and fits the store.
bool EditableInTrueColour(const KeptEntry& kept) {
  return kept.width >= 1 && kept.width <= MAX_TRUE_COLOUR_SIZE && kept.height >= 1 &&
         kept.height <= MAX_TRUE_COLOUR_SIZE &&
         kept.argb.size() == static_cast<std::size_t>(kept.width) * static_cast<std::size_t>(kept.height);
}

// Makes the tab a true-colour tab holding the decoded picture; the image's
// bytes stay with it as the bytes it was opened from.
void OpenTrueColourImage(KeptEntry kept, ImageTab& tab) {
  tab.kind = TabKind::TrueColour;
  tab.width = static_cast<std::uint16_t>(kept.width);
  tab.height = static_cast<std::uint16_t>(kept.height);
  tab.colorCode = 0;
  tab.penColour = 0xFF000000u;
  // The swatches start as a new true-colour tab's do, the 256-colour
  // default palette, so that there are colours to choose from; without that
  // file they start black (a reused slot may hold an earlier tab's colours).
  std::fill(std::begin(tab.palette), std::end(tab.palette), ColorRef{0});
  if (!LoadPaletteFromFile(ProgramDataFile("default256.qpl"), tab).empty())
    std::fill(std::begin(tab.palette), std::end(tab.palette), ColorRef{0});
  std::fill(std::begin(tab.cells), std::end(tab.cells), PixelCell{0});
  tab.selection = {0, 0, tab.width - 1, tab.height - 1};
  for (int y = 0; y < kept.height; ++y)
    for (int x = 0; x < kept.width; ++x)
      CellAt(tab, x, y) = TrueColourCell(kept.argb[static_cast<std::size_t>(y) * kept.width + x]);
  FormatTrueColourTitle(tab, tab.width, tab.height);
  // The tab's cells are the picture now; the opened bytes need no copy of it.
  kept.argb.clear();
  kept.argb.shrink_to_fit();
  SetOpenedEntry(SlotOf(tab), std::move(kept));
}

}  // namespace

std::string KeepIconImage(const ByteBuffer& bytes, std::size_t index, ImageTab& tab) {
  KeptEntry kept;
  if (!ReadKeptEntry(bytes, index, kept)) return ICON_READ_FAILED;
  const std::string problem = DecodeKeptPicture(kept);
  if (!problem.empty()) return problem;
  if (EditableInTrueColour(kept)) {
    OpenTrueColourImage(std::move(kept), tab);
    Announce(nullptr, CHANGE_TABS);
    return {};
  }
  // A kept tab's blank cells are indexed ones, whatever the slot was made as.
  tab.kind = TabKind::Indexed;
  tab.width = static_cast<std::uint8_t>(std::clamp(kept.width, 1, MAX_IMAGE_SIZE));
  tab.height = static_cast<std::uint8_t>(std::clamp(kept.height, 1, MAX_IMAGE_SIZE));
  tab.colorCode = 0;
  tab.selection = {0, 0, tab.width - 1, tab.height - 1};
  ClearTabPixels(tab);
  std::snprintf(tab.title, sizeof tab.title, " %s ", DescribeKeptEntry(kept).c_str());
  SetKeptEntry(SlotOf(tab), std::move(kept));
  // The strip shows the new label.
  Announce(nullptr, CHANGE_TABS);
  return {};
}

void KeepOpenedBytes(const ByteBuffer& bytes, std::size_t index, const ImageTab& tab) {
  KeptEntry opened;
  if (ReadKeptEntry(bytes, index, opened)) SetOpenedEntry(SlotOf(tab), std::move(opened));
}
