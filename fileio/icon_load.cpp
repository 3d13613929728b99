#include "fileio/icon_load.h"

#include <vector>

#include "fileio/ani_document.h"
#include "fileio/cursor_format.h"
#include "fileio/icon_format.h"
#include "fileio/kept_entries.h"
#include "fileio/kept_load.h"
#include "model/tab_lifecycle.h"
#include "platform/modal.h"
#include "storage/file_message.h"

namespace {

std::optional<ByteBuffer> ReadIconBytes(const std::string& path) {
  auto bytes = ReadFileBytes(path, ICON_MAX_FILE_BYTES);
  // Anything past the limit is never looked at; an image placed there reads
  // as a file that ends early.
  if (bytes && bytes->size() > ICON_MAX_FILE_BYTES) bytes->resize(ICON_MAX_FILE_BYTES);
  return bytes;
}

void DeleteTabs(const std::vector<ImageTab*>& tabs) {
  for (ImageTab* tab : tabs) DeleteTab(SlotOf(*tab));
}

}  // namespace

std::string IconFileProblem(const std::string& path, int& imageCount) {
  if (IsAnimatedCursorName(path)) return AniFileProblem(path, imageCount);
  const bool cursor = IsCursorName(path);
  if (!cursor && !FileExtensionIs(path, ".ico")) return ICON_NOT_ICON_FILE;
  const auto bytes = ReadIconBytes(path);
  if (!bytes) return ICON_OPEN_FAILED;
  const IconLayout layout = CheckIconLayout(*bytes, cursor);
  if (layout.error.empty()) imageCount = layout.imageCount;
  return layout.error;
}

bool CheckIconFile(const std::string& path, int& imageCount) {
  const std::string problem = IconFileProblem(path, imageCount);
  if (problem.empty()) return true;
  ShowReport(FileMessage(path, problem));
  return false;
}

std::optional<int> LoadIconFile(const std::string& path) {
  if (IsAnimatedCursorName(path)) return LoadAniFile(path);
  const int firstPosition = tabSet.tabCount;
  const auto bytes = ReadIconBytes(path);
  if (!bytes) {
    ShowReport(FileMessage(path, ICON_OPEN_FAILED));
    return std::nullopt;
  }
  // The file was checked before, but it may have changed since; the layout
  // of every image is taken from its entry, so the entries must hold.
  const bool cursor = IsCursorName(path);
  const IconLayout layout = CheckIconLayout(*bytes, cursor);
  if (!layout.error.empty()) {
    ShowReport(FileMessage(path, layout.error));
    return std::nullopt;
  }
  IconHeader header;
  std::vector<IconDirEntry> entries;
  if (!ReadIconDirectory(*bytes, header, entries)) {
    ShowReport(FileMessage(path, ICON_READ_FAILED));
    return std::nullopt;
  }
  if (entries.empty()) return std::nullopt;
  if (layout.kinds.size() != entries.size()) {
    ShowReport(FileMessage(path, ICON_TOO_MANY_IMAGES));
    return std::nullopt;
  }

  std::vector<ImageTab*> created;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    // An editable image takes its size and depth from its own header.
    IconImageShape shape;
    const bool editable = layout.kinds[i] == EntryKind::Editable;
    if (editable) ReadIconImageShape(*bytes, entries[i].imageOffset, shape);
    const int width = editable ? shape.width : 1;
    const int height = editable ? shape.height : 1;
    const std::uint8_t colorCode = editable ? ColorCodeOfBitCount(shape.bitCount) : 0;
    ImageTab* tab = CreateTab(path, width, height, colorCode);
    if (tab == nullptr) {
      DeleteTabs(created);
      ShowReport(FileMessage(path, ICON_TAB_CREATE_FAILED));
      return std::nullopt;
    }
    // A kept image's sizes are its own, not cells; they are set when it is
    // read.
    tab->width = static_cast<std::uint8_t>(width);
    tab->height = static_cast<std::uint8_t>(height);
    tab->colorCode = colorCode;
    created.push_back(tab);
  }
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (layout.kinds[i] == EntryKind::Kept) {
      const std::string problem = KeepIconImage(*bytes, i, *created[i]);
      if (!problem.empty()) {
        DeleteTabs(created);
        ShowReport(FileMessage(path, problem));
        return std::nullopt;
      }
    } else if (!ReadIconImage(*bytes, *created[i], entries[i].imageOffset)) {
      DeleteTabs(created);
      ShowReport(FileMessage(path, ICON_READ_FAILED));
      return std::nullopt;
    } else {
      KeepOpenedBytes(*bytes, i, *created[i]);
    }
    // The hot spot is taken once the image's own size is known.
    if (cursor) HotSpotFromEntry(entries[i], *created[i]);
  }
  return firstPosition;
}
