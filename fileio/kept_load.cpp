#include "fileio/kept_load.h"

#include <algorithm>
#include <cstdio>

#include "fileio/icon_format.h"
#include "fileio/kept_entries.h"
#include "model/change_hub.h"
#include "model/tab_lifecycle.h"

std::string KeepIconImage(const ByteBuffer& bytes, std::size_t index, ImageTab& tab) {
  KeptEntry kept;
  if (!ReadKeptEntry(bytes, index, kept)) return ICON_READ_FAILED;
  const std::string problem = DecodeKeptPicture(kept);
  if (!problem.empty()) return problem;
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
