#include "fileio/kept_entries.h"

#include <algorithm>
#include <cstring>

#include "fileio/dib_reading.h"
#include "fileio/dib_rows.h"
#include "fileio/true_colour_image.h"
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
// header cannot be used; the reason goes to error. A true-colour image may
// leave out its AND mask (its alpha says what is transparent; many favicons
// are written so): when its entry's size ends where the colour rows end (or
// is too small to mean anything and the file ends before the mask), the
// image ends with its colour rows.
std::uint64_t BitmapBytes(const ByteBuffer& bytes, std::uint64_t offset, std::uint32_t declared, std::string& error) {
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
  const std::uint64_t colourEnd = headerBytes + paletteBytes + colorRow * std::uint64_t(height);
  std::uint64_t total = colourEnd + maskRow * std::uint64_t(height);
  const bool maskOptional = bitCount >= 24;
  if (maskOptional && (declared == colourEnd || (declared < colourEnd && !Holds(bytes, offset, total))))
    total = colourEnd;
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
    IconImageShape shape;
    if (!ReadIconImageShape(bytes, entry.imageOffset, shape)) return {ICON_READ_FAILED, 0, {}};
    // The image's own header decides whether it is edited in cells; the
    // entry's colour count and sizes are hints that other programs often
    // leave at 0.
    if (IsEditableShape(shape)) {
      layout.kinds.push_back(EntryKind::Editable);
      continue;
    }
    std::string error;
    if (BitmapBytes(bytes, entry.imageOffset, entry.bytesInRes, error) == 0) return {error, 0, {}};
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
  kept.cursorFields = header.type == 2;
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
    const std::uint64_t needed = BitmapBytes(bytes, offset, entry.bytesInRes, error);
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
  // A true-colour tab written anew is made into a 32-bit (or PNG) image
  // first, and is then written as a kept image is.
  std::vector<KeptEntry> made(parts.size());
  std::vector<const KeptEntry*> keptOf(parts.size());
  for (std::size_t i = 0; i < parts.size(); ++i) {
    keptOf[i] = parts[i].kept;
    if (keptOf[i] == nullptr && parts[i].image != nullptr && IsTrueColour(*parts[i].image)) {
      made[i] = TrueColourEntryOfImage(*parts[i].image);
      keptOf[i] = &made[i];
    }
  }
  ByteBuffer bytes;
  PutU16(bytes, 0);
  PutU16(bytes, cursor ? 2 : 1);
  PutU16(bytes, static_cast<std::uint32_t>(parts.size()));
  std::uint32_t offset = static_cast<std::uint32_t>(ICON_HEADER_BYTES + ICON_ENTRY_BYTES * parts.size());
  for (std::size_t i = 0; i < parts.size(); ++i) {
    const IconPart& part = parts[i];
    std::uint32_t size;
    if (keptOf[i] != nullptr) {
      const KeptEntry& kept = *keptOf[i];
      size = static_cast<std::uint32_t>(kept.data.size());
      bytes.insert(bytes.end(), kept.directory.begin(), kept.directory.begin() + 8);
      if (!cursor && kept.cursorFields) {
        const std::size_t at = bytes.size() - 4;
        bytes[at] = 1;
        bytes[at + 1] = 0;
        bytes[at + 2] = static_cast<std::uint8_t>(kept.bitCount);
        bytes[at + 3] = static_cast<std::uint8_t>(kept.bitCount >> 8);
      }
    } else {
      singles[i] = SerializeIcon({part.image});
      size = static_cast<std::uint32_t>(singles[i].size() - SINGLE_DATA);
      bytes.insert(bytes.end(), singles[i].begin() + ICON_HEADER_BYTES, singles[i].begin() + ICON_HEADER_BYTES + 8);
    }
    if (cursor) {
      // The hot spot's x and y lie where an icon's entry has planes and bit
      // count; every entry of a cursor carries one, whatever its depth.
      const std::size_t at = bytes.size() - 4;
      int x = 0;
      int y = 0;
      if (part.hotSpotX >= 0 && part.hotSpotY >= 0) {
        x = part.hotSpotX;
        y = part.hotSpotY;
      } else if (part.image != nullptr) {
        x = part.image->hotSpotX;
        y = part.image->hotSpotY;
      } else if (keptOf[i] != nullptr && keptOf[i]->cursorFields) {
        x = keptOf[i]->directory[4] | keptOf[i]->directory[5] << 8;
        y = keptOf[i]->directory[6] | keptOf[i]->directory[7] << 8;
      }
      bytes[at] = static_cast<std::uint8_t>(x);
      bytes[at + 1] = static_cast<std::uint8_t>(x >> 8);
      bytes[at + 2] = static_cast<std::uint8_t>(y);
      bytes[at + 3] = static_cast<std::uint8_t>(y >> 8);
    }
    PutU32(bytes, size);
    PutU32(bytes, offset);
    offset += size;
  }
  for (std::size_t i = 0; i < parts.size(); ++i) {
    if (keptOf[i] != nullptr)
      bytes.insert(bytes.end(), keptOf[i]->data.begin(), keptOf[i]->data.end());
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
