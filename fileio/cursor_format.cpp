#include "fileio/cursor_format.h"

#include <algorithm>

#include "fileio/dib_reading.h"
#include "model/kept_entries.h"

bool IsCursorName(const std::string& name) { return FileExtensionIs(name, ".cur"); }

std::uint16_t FileTypeOf(const ByteBuffer& bytes) { return bytes.size() < ICON_HEADER_BYTES ? 0 : U16At(bytes, 2); }

IconCheck CheckCursorBytes(const ByteBuffer& bytes) {
  if (bytes.size() < ICON_HEADER_BYTES) return {ICON_READ_FAILED, 0};
  if (FileTypeOf(bytes) != CURSOR_FILE_TYPE) return {ICON_NOT_ICON_FILE, 0};
  // Apart from the type, a cursor's header, directory and images follow the
  // icon file's rules; the icon check sees a copy whose type says icon.
  ByteBuffer asIcon(bytes);
  asIcon[2] = ICON_FILE_TYPE;
  asIcon[3] = 0;
  return CheckIconBytes(asIcon);
}

IconCheck CheckIconOrCursorBytes(const ByteBuffer& bytes, bool cursor) {
  return cursor ? CheckCursorBytes(bytes) : CheckIconBytes(bytes);
}

void HotSpotFromEntry(const IconDirEntry& entry, ImageTab& tab) {
  // A hot spot beyond the image cannot be shown or used; it moves to the
  // nearest edge.
  // A kept image is measured by its own size, not by its tab's cells.
  const KeptEntry* kept = KeptEntryOf(tab);
  const int width = kept != nullptr ? kept->width : tab.width;
  const int height = kept != nullptr ? kept->height : tab.height;
  const int lastX = std::clamp(width - 1, 0, 255);
  const int lastY = std::clamp(height - 1, 0, 255);
  tab.hotSpotX = static_cast<std::uint8_t>(std::min<int>(entry.planes, lastX));
  tab.hotSpotY = static_cast<std::uint8_t>(std::min<int>(entry.bitCount, lastY));
}

std::string DecodeCursorFile(const ByteBuffer& bytes, std::vector<ImageTab>& images) {
  images.clear();
  const IconCheck check = CheckCursorBytes(bytes);
  if (!check.error.empty()) return check.error;
  // Apart from the type and the hot spots a cursor reads as an icon does.
  ByteBuffer asIcon(bytes);
  asIcon[2] = ICON_FILE_TYPE;
  const std::string error = DecodeIconFile(asIcon, images);
  if (!error.empty()) return error;
  IconHeader header;
  std::vector<IconDirEntry> entries;
  if (!ReadIconDirectory(bytes, header, entries) || entries.size() != images.size()) {
    images.clear();
    return ICON_READ_FAILED;
  }
  for (std::size_t i = 0; i < entries.size(); ++i) HotSpotFromEntry(entries[i], images[i]);
  return {};
}

ByteBuffer SerializeCursor(const std::vector<const ImageTab*>& tabs) {
  // The cursor differs from the icon only in the header's type and in the two
  // entry fields that hold the hot spot.
  ByteBuffer bytes = SerializeIcon(tabs);
  bytes[2] = CURSOR_FILE_TYPE;
  for (std::size_t i = 0; i < tabs.size(); ++i) {
    const std::size_t at = ICON_HEADER_BYTES + i * ICON_ENTRY_BYTES;
    bytes[at + 4] = tabs[i]->hotSpotX;
    bytes[at + 5] = 0;
    bytes[at + 6] = tabs[i]->hotSpotY;
    bytes[at + 7] = 0;
  }
  return bytes;
}
