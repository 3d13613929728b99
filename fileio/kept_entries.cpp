#include "fileio/kept_entries.h"

#include <algorithm>
#include <cstring>

#include "fileio/dib_reading.h"
#include "fileio/dib_rows.h"
#include "model/tab_set.h"

namespace {

constexpr std::uint8_t PNG_SIGNATURE[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
// Signature, IHDR length and type, then width, height, bit depth and colour
// type.
constexpr std::size_t PNG_HEADER_BYTES = 26;
constexpr std::uint32_t INFO_MAX_BYTES = 124;

KeptPictureDecoder keptDecoder = nullptr;

bool StartsWithPng(const ByteBuffer& bytes, std::uint64_t offset) {
  return Holds(bytes, offset, sizeof PNG_SIGNATURE) &&
         std::memcmp(&bytes[offset], PNG_SIGNATURE, sizeof PNG_SIGNATURE) == 0;
}

std::uint32_t BigU32At(const ByteBuffer& bytes, std::size_t at) {
  return std::uint32_t(bytes[at]) << 24 | std::uint32_t(bytes[at + 1]) << 16 | std::uint32_t(bytes[at + 2]) << 8 |
         bytes[at + 3];
}

int PngChannels(int colourType) {
  switch (colourType) {
    case 2: return 3;
    case 4: return 2;
    case 6: return 4;
    default: return 1;
  }
}

// The bytes a bitmap image needs from its info header on, or 0 when its
// header cannot be used; the reason goes to error.
std::uint64_t BitmapBytes(const ByteBuffer& bytes, std::uint64_t offset, std::string& error) {
  if (!Holds(bytes, offset, INFO_HEADER_BYTES)) {
    error = ICON_READ_FAILED;
    return 0;
  }
  const std::uint32_t headerBytes = U32At(bytes, offset);
  const auto width = static_cast<std::int32_t>(U32At(bytes, offset + INFO_WIDTH));
  const auto height = static_cast<std::int32_t>(U32At(bytes, offset + INFO_HEIGHT)) / 2;
  const int bitCount = U16At(bytes, offset + INFO_BIT_COUNT);
  const std::uint32_t colorsUsed = U32At(bytes, offset + INFO_COLORS_USED);
  if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 24 && bitCount != 32) {
    error = ICON_COLORS_UNSUPPORTED;
    return 0;
  }
  if (U32At(bytes, offset + INFO_COMPRESSION) != 0) {
    error = ICON_COMPRESSED;
    return 0;
  }
  if (headerBytes < INFO_HEADER_BYTES || headerBytes > INFO_MAX_BYTES) {
    error = ICON_READ_FAILED;
    return 0;
  }
  if (width < 1 || width > KEPT_MAX_SIZE || height < 1 || height > KEPT_MAX_SIZE) {
    error = ICON_SIZE_UNSUPPORTED;
    return 0;
  }
  std::uint64_t paletteBytes = 0;
  if (bitCount <= 8) {
    const std::uint32_t full = 1u << bitCount;
    paletteBytes = 4ull * (colorsUsed != 0 && colorsUsed < full ? colorsUsed : full);
  }
  const std::uint64_t colorRow = (std::uint64_t(width) * bitCount + 31) / 32 * 4;
  const std::uint64_t maskRow = (std::uint64_t(width) + 31) / 32 * 4;
  const std::uint64_t total = headerBytes + paletteBytes + (colorRow + maskRow) * std::uint64_t(height);
  if (!Holds(bytes, offset, total)) {
    error = ICON_READ_FAILED;
    return 0;
  }
  return total;
}

}  // namespace

IconLayout CheckIconLayout(const ByteBuffer& bytes, bool cursor) {
  IconLayout layout;
  if (bytes.size() < ICON_HEADER_BYTES) return {ICON_READ_FAILED, 0, {}};
  IconHeader header;
  std::vector<IconDirEntry> entries;
  if (U16At(bytes, 0) != 0 || U16At(bytes, 2) != (cursor ? 2 : 1)) return {ICON_NOT_ICON_FILE, 0, {}};
  const int count = U16At(bytes, 4);
  if (count > ICON_MAX_IMAGES) return {{}, count, {}};
  if (!ReadIconDirectory(bytes, header, entries)) return {ICON_READ_FAILED, 0, {}};
  layout.imageCount = count;
  for (const IconDirEntry& entry : entries) {
    if (StartsWithPng(bytes, entry.imageOffset)) {
      if (!Holds(bytes, entry.imageOffset, std::max<std::uint64_t>(entry.bytesInRes, PNG_HEADER_BYTES)))
        return {ICON_READ_FAILED, 0, {}};
      // Its declared size bounds the memory its picture takes.
      const std::uint32_t width = BigU32At(bytes, entry.imageOffset + 16);
      const std::uint32_t height = BigU32At(bytes, entry.imageOffset + 20);
      if (width < 1 || width > KEPT_MAX_SIZE || height < 1 || height > KEPT_MAX_SIZE)
        return {ICON_SIZE_UNSUPPORTED, 0, {}};
      layout.kinds.push_back(EntryKind::Kept);
      continue;
    }
    if (!Holds(bytes, entry.imageOffset, INFO_HEADER_BYTES)) return {ICON_READ_FAILED, 0, {}};
    const int bitCount = U16At(bytes, entry.imageOffset + INFO_BIT_COUNT);
    const bool sizeFits = entry.width >= 1 && entry.width <= MAX_IMAGE_SIZE && entry.height >= 1 &&
                          entry.height <= MAX_IMAGE_SIZE;
    const bool countKnown = entry.colorCount == 2 || entry.colorCount == 16 || entry.colorCount == 0;
    const bool bitsKnown = bitCount == 1 || bitCount == 4 || bitCount == 8;
    if (sizeFits && countKnown && bitsKnown) {
      // An editable image is laid out by its entry, as it always was.
      if (U32At(bytes, entry.imageOffset + INFO_COMPRESSION) != 0) return {ICON_COMPRESSED, 0, {}};
      layout.kinds.push_back(EntryKind::Editable);
      continue;
    }
    std::string error;
    if (BitmapBytes(bytes, entry.imageOffset, error) == 0) return {error, 0, {}};
    layout.kinds.push_back(EntryKind::Kept);
  }
  return layout;
}

bool ReadKeptEntry(const ByteBuffer& bytes, std::size_t index, KeptEntry& kept) {
  IconHeader header;
  std::vector<IconDirEntry> entries;
  if (!ReadIconDirectory(bytes, header, entries) || index >= entries.size()) return false;
  const IconDirEntry& entry = entries[index];
  const std::size_t at = ICON_HEADER_BYTES + index * ICON_ENTRY_BYTES;
  std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(at), ICON_ENTRY_BYTES, kept.directory.begin());
  const std::uint64_t offset = entry.imageOffset;
  std::uint64_t size = 0;
  kept.png = StartsWithPng(bytes, offset);
  if (kept.png) {
    size = std::max<std::uint64_t>(entry.bytesInRes, PNG_HEADER_BYTES);
    if (!Holds(bytes, offset, size)) return false;
    kept.width = static_cast<int>(std::min<std::uint32_t>(BigU32At(bytes, offset + 16), 1u << 30));
    kept.height = static_cast<int>(std::min<std::uint32_t>(BigU32At(bytes, offset + 20), 1u << 30));
    kept.bitCount = bytes[offset + 24] * PngChannels(bytes[offset + 25]);
  } else {
    std::string error;
    const std::uint64_t needed = BitmapBytes(bytes, offset, error);
    if (needed == 0) return false;
    // A bitmap image is read from its header alone; the size its entry
    // gives is kept when it covers the image and lies in the file.
    size = entry.bytesInRes >= needed && Holds(bytes, offset, entry.bytesInRes) ? entry.bytesInRes : needed;
    kept.width = static_cast<int>(U32At(bytes, offset + INFO_WIDTH));
    kept.height = static_cast<int>(U32At(bytes, offset + INFO_HEIGHT)) / 2;
    kept.bitCount = U16At(bytes, offset + INFO_BIT_COUNT);
  }
  kept.data.assign(bytes.begin() + static_cast<std::ptrdiff_t>(offset),
                   bytes.begin() + static_cast<std::ptrdiff_t>(offset + size));
  return true;
}

ByteBuffer SerializeIconParts(const std::vector<IconPart>& parts, bool cursor) {
  // Each ordinary image is written as the icon writer writes it alone; its
  // data follows that file's single directory entry.
  constexpr std::size_t SINGLE_DATA = ICON_HEADER_BYTES + ICON_ENTRY_BYTES;
  std::vector<ByteBuffer> singles(parts.size());
  ByteBuffer bytes;
  PutU16(bytes, 0);
  PutU16(bytes, cursor ? 2 : 1);
  PutU16(bytes, static_cast<std::uint32_t>(parts.size()));
  std::uint32_t offset = static_cast<std::uint32_t>(ICON_HEADER_BYTES + ICON_ENTRY_BYTES * parts.size());
  for (std::size_t i = 0; i < parts.size(); ++i) {
    std::uint32_t size;
    if (parts[i].kept != nullptr) {
      const KeptEntry& kept = *parts[i].kept;
      size = static_cast<std::uint32_t>(kept.data.size());
      bytes.insert(bytes.end(), kept.directory.begin(), kept.directory.begin() + 8);
    } else {
      singles[i] = SerializeIcon({parts[i].image});
      size = static_cast<std::uint32_t>(singles[i].size() - SINGLE_DATA);
      bytes.insert(bytes.end(), singles[i].begin() + ICON_HEADER_BYTES, singles[i].begin() + ICON_HEADER_BYTES + 8);
    }
    if (cursor && parts[i].image != nullptr && !IsKeptTab(*parts[i].image)) {
      // The hot spot's x and y lie where an icon's entry has planes and bit
      // count.
      const std::size_t at = bytes.size() - 4;
      bytes[at] = parts[i].image->hotSpotX;
      bytes[at + 1] = 0;
      bytes[at + 2] = parts[i].image->hotSpotY;
      bytes[at + 3] = 0;
    }
    PutU32(bytes, size);
    PutU32(bytes, offset);
    offset += size;
  }
  for (std::size_t i = 0; i < parts.size(); ++i) {
    if (parts[i].kept != nullptr)
      bytes.insert(bytes.end(), parts[i].kept->data.begin(), parts[i].kept->data.end());
    else
      bytes.insert(bytes.end(), singles[i].begin() + SINGLE_DATA, singles[i].end());
  }
  return bytes;
}

std::vector<IconPart> IconPartsInStripOrder() {
  std::vector<IconPart> parts;
  for (int p = 0; p < tabSet.tabCount; ++p) {
    const int slot = SlotAtPosition(tabSet, p);
    if (slot < 0) continue;
    const ImageTab& tab = tabSet.tabs[slot];
    const KeptEntry* kept = KeptEntryOfSlot(slot);
    // An image never edited since it was opened goes back as it was read.
    if (kept == nullptr && tab.undoCurrent == tab.undoFirst) kept = OpenedEntryOfSlot(slot);
    parts.push_back({&tab, kept});
  }
  return parts;
}

void SetKeptPictureDecoder(KeptPictureDecoder decoder) { keptDecoder = decoder; }

std::string DecodeKeptPicture(KeptEntry& kept) { return keptDecoder != nullptr ? keptDecoder(kept) : std::string(); }
