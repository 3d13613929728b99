// Icon files whose images the editor cannot all edit: which images open as
// kept tabs, which files are still refused, and writing kept images back
// byte for byte among images written anew.

#include <gtest/gtest.h>

#include <memory>

#include "fileio/cursor_format.h"
#include "fileio/kept_entries.h"
#include "import/read.h"
#include "tests/support/family_icon.h"

namespace {

using import_samples::BuildIcon;
using import_samples::Entry;
using import_samples::Solid;

// The first bytes of a PNG image of 256 x 256 pixels, 8 bits RGBA, padded;
// the reader looks no further.
ByteBuffer FakePng() {
  ByteBuffer b = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13, 'I', 'H', 'D', 'R',
                  0,    0,   1,   0,   0,    0,    1,    0,    8, 6, 0, 0,  0};
  b.resize(300, 0x5A);
  return b;
}

Entry Indexed(int size, int bitCount) {
  Entry e = Solid(size, size, 0, bitCount);
  e.palette.assign(std::size_t{1} << bitCount, 0x123456);
  return e;
}

// A 16 x 16 32-bit image whose entry leaves out the AND mask, as many
// favicons are written; with `followed`, other bytes come after it in the
// file (as another image's would).
ByteBuffer MasklessTrueColour(bool followed) {
  ByteBuffer file = BuildIcon({Solid(16, 16, 0x80102030)});
  constexpr std::size_t MASK_BYTES = 4 * 16;
  file.resize(file.size() - MASK_BYTES);
  const std::uint32_t size = static_cast<std::uint32_t>(file.size() - 22);
  for (int i = 0; i < 4; ++i) file[14 + i] = static_cast<std::uint8_t>(size >> (8 * i));
  if (followed) file.resize(file.size() + MASK_BYTES, 0xFF);
  return file;
}

// The directory's colour-count bytes set as the writer of the file chose.
ByteBuffer WithCounts(ByteBuffer file, const std::vector<std::uint8_t>& counts) {
  for (std::size_t i = 0; i < counts.size(); ++i) file[6 + 16 * i + 2] = counts[i];
  return file;
}

TEST(KeptEntries, EachImageOpensEditableOrKeptAndDamageIsRefused) {
  Entry png;
  png.width = png.height = 256;
  png.raw = FakePng();
  Entry compressed = Indexed(16, 8);
  ByteBuffer packed = BuildIcon({compressed});
  packed[22 + 16] = 1;  // compression BI_RLE8
  ByteBuffer cut = BuildIcon({Solid(16, 16, 0xFF102030)});
  cut.resize(cut.size() - 1);
  ByteBuffer huge = BuildIcon({Solid(4, 4, 0xFF102030)});
  huge[22 + 4] = 0xD0;  // info width 2000
  huge[22 + 5] = 0x07;
  Entry pngHuge = png;
  pngHuge.raw[18] = 0x08;  // IHDR width 2048
  ByteBuffer pngCut = BuildIcon({png});
  pngCut.resize(pngCut.size() - 10);

  const struct {
    const char* name;
    ByteBuffer file;
    std::string error;
    std::vector<EntryKind> kinds;
  } cases[] = {
      {"indexed", WithCounts(BuildIcon({Indexed(16, 1), Indexed(32, 4), Indexed(64, 8)}), {2, 16, 0}), "",
       {EntryKind::Editable, EntryKind::Editable, EntryKind::Editable}},
      {"true colour", BuildIcon({Solid(16, 16, 0xFF000000, 24), Solid(16, 16, 0x80000000, 32)}), "",
       {EntryKind::Kept, EntryKind::Kept}},
      {"png and large", BuildIcon({png, Indexed(128, 8), Indexed(65, 4)}), "",
       {EntryKind::Kept, EntryKind::Kept, EntryKind::Kept}},
      // The image's own bit count lays out the cells; the entry's colour
      // count is a hint that other writers leave at 0 or get wrong.
      {"unknown colour count", WithCounts(BuildIcon({Indexed(16, 4), Indexed(16, 1)}), {0, 5}), "",
       {EntryKind::Editable, EntryKind::Editable}},
      {"32 bits without a mask", MasklessTrueColour(false), "", {EntryKind::Kept}},
      {"16 bits", BuildIcon({Solid(8, 8, 0, 16)}), ICON_COLORS_UNSUPPORTED, {}},
      {"compressed", packed, ICON_COMPRESSED, {}},
      {"cut short", cut, ICON_READ_FAILED, {}},
      {"png cut short", pngCut, ICON_READ_FAILED, {}},
      {"too large", huge, ICON_SIZE_UNSUPPORTED, {}},
      {"png too large", BuildIcon({pngHuge}), ICON_SIZE_UNSUPPORTED, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const IconLayout layout = CheckIconLayout(c.file);
    EXPECT_EQ(layout.error, c.error);
    EXPECT_EQ(layout.kinds, c.kinds);
    if (c.error.empty()) {
      EXPECT_EQ(layout.imageCount, static_cast<int>(c.kinds.size()));
    }
  }
}

TEST(KeptEntries, KeptImagesSayWhatTheyAre) {
  Entry png;
  png.width = png.height = 256;
  png.raw = FakePng();
  const ByteBuffer file = BuildIcon({png, Solid(48, 48, 0x80FF0000, 32), Solid(20, 10, 0xFF00FF00, 24)});
  const struct {
    int index;
    const char* label;
  } cases[] = {{0, "256x256 32-bit PNG"}, {1, "48x48 32-bit"}, {2, "20x10 24-bit"}};
  for (const auto& c : cases) {
    KeptEntry kept;
    ASSERT_TRUE(ReadKeptEntry(file, static_cast<std::size_t>(c.index), kept));
    EXPECT_EQ(DescribeKeptEntry(kept), c.label);
    EXPECT_EQ(kept.data, family_icon::EntryBytes(file, c.index));
  }
  // An image without its mask is its own bytes, not the file's next ones.
  for (const bool followed : {false, true}) {
    const ByteBuffer maskless = MasklessTrueColour(followed);
    KeptEntry kept;
    ASSERT_TRUE(ReadKeptEntry(maskless, 0, kept)) << followed;
    EXPECT_EQ(kept.data, family_icon::EntryBytes(maskless, 0)) << followed;
    EXPECT_EQ(SerializeIconParts({{nullptr, &kept}}), MasklessTrueColour(false)) << followed;
    // Its alpha alone says what is transparent, read alone or in the file.
    RgbaPicture picture;
    EXPECT_EQ(DecodeImportImage(kept.data, nullptr, picture), "") << followed;
    std::vector<ImportEntry> entries;
    ASSERT_EQ(ReadImportEntries(maskless, entries, nullptr, nullptr), "");
    ASSERT_EQ(entries.size(), 1u);
    for (const RgbaPicture* read : {&picture, &entries[0].picture}) {
      ASSERT_FALSE(read->pixels.empty()) << followed;
      EXPECT_EQ(read->pixels.front(), 0x80102030u) << followed;
    }
  }
}

// Reads the family file the way Open does: kept images as they are, the
// others into records of their own.
struct ReadFamily {
  std::vector<std::unique_ptr<KeptEntry>> kept;
  std::vector<std::unique_ptr<ImageTab>> images;
  std::vector<IconPart> parts;

  explicit ReadFamily(const ByteBuffer& file, bool cursor = false) {
    const IconLayout layout = CheckIconLayout(file, cursor);
    EXPECT_EQ(layout.error, "");
    IconHeader header;
    std::vector<IconDirEntry> entries;
    EXPECT_TRUE(ReadIconDirectory(file, header, entries));
    for (std::size_t i = 0; i < layout.kinds.size(); ++i) {
      if (layout.kinds[i] == EntryKind::Kept) {
        kept.push_back(std::make_unique<KeptEntry>());
        EXPECT_TRUE(ReadKeptEntry(file, i, *kept.back()));
        parts.push_back({nullptr, kept.back().get()});
      } else {
        images.push_back(std::make_unique<ImageTab>());
        ImageTab& image = *images.back();
        image.width = entries[i].width;
        image.height = entries[i].height;
        image.colorCode = entries[i].colorCount;
        EXPECT_TRUE(ReadIconImage(file, image, entries[i].imageOffset));
        if (cursor) HotSpotFromEntry(entries[i], image);
        parts.push_back({&image, nullptr});
      }
    }
  }
};

TEST(KeptEntries, SavingWritesKeptImagesByteForByteAndOnlyEditedImagesAnew) {
  const ByteBuffer file = family_icon::Build(FakePng());
  ReadFamily read(file);
  ASSERT_EQ(read.parts.size(), std::size_t{family_icon::IMAGE_COUNT});
  // Written again unchanged, the file is the same file.
  EXPECT_EQ(SerializeIconParts(read.parts), file);

  // One pixel of the indexed image changes.
  ImageTab& edited = *read.images.at(0);
  CellAt(edited, 3, 4) = static_cast<PixelCell>((CellAt(edited, 3, 4) + 1) & CELL_INDEX_BITS);
  const ByteBuffer saved = SerializeIconParts(read.parts);
  ASSERT_EQ(family_icon::ImageCount(saved), family_icon::IMAGE_COUNT);
  for (int i = 0; i < family_icon::IMAGE_COUNT; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(family_icon::EntryFields(saved, i), family_icon::EntryFields(file, i));
    if (i == family_icon::INDEXED_32) {
      EXPECT_NE(family_icon::EntryBytes(saved, i), family_icon::EntryBytes(file, i));
    } else {
      EXPECT_EQ(family_icon::EntryBytes(saved, i), family_icon::EntryBytes(file, i));
    }
  }
  // Moved to the front, the kept PNG image keeps its bytes and the others
  // follow it in their new places.
  std::swap(read.parts[0], read.parts[3]);
  const ByteBuffer reordered = SerializeIconParts(read.parts);
  EXPECT_EQ(family_icon::EntryBytes(reordered, 3), family_icon::EntryBytes(file, family_icon::PNG_256));
  EXPECT_EQ(family_icon::EntryBytes(reordered, 0), family_icon::EntryBytes(file, family_icon::RAMP_16));
}

// The same family as a cursor: type 2, and each entry's hot spot where an
// icon has planes and bit count.
TEST(KeptEntries, ACursorFamilyKeepsItsTypeAndHotSpots) {
  ByteBuffer file = family_icon::Build(FakePng());
  file[2] = 2;
  for (int i = 0; i < family_icon::IMAGE_COUNT; ++i) {
    file[6 + 16 * i + 4] = static_cast<std::uint8_t>(i);
    file[6 + 16 * i + 5] = 0;
    file[6 + 16 * i + 6] = static_cast<std::uint8_t>(i + 1);
    file[6 + 16 * i + 7] = 0;
  }
  EXPECT_EQ(CheckIconLayout(file).error, ICON_NOT_ICON_FILE);
  ReadFamily read(file, true);
  ASSERT_EQ(read.parts.size(), std::size_t{family_icon::IMAGE_COUNT});
  EXPECT_EQ(SerializeIconParts(read.parts, true), file);

  // A new hot spot changes only its own entry's two fields.
  ImageTab& image = *read.images.at(0);
  image.hotSpotX = 9;
  image.hotSpotY = 10;
  const ByteBuffer saved = SerializeIconParts(read.parts, true);
  ByteBuffer expected = file;
  expected[6 + 16 * family_icon::INDEXED_32 + 4] = 9;
  expected[6 + 16 * family_icon::INDEXED_32 + 6] = 10;
  EXPECT_EQ(saved, expected);

  // Every entry carries its image's hot spot, 32-bit and PNG ones too: a
  // kept image's tab gives it, and one made at another size its own.
  ImageTab keptTab{};
  keptTab.hotSpotX = 200;
  keptTab.hotSpotY = 3;
  read.parts[family_icon::PNG_256].image = &keptTab;
  read.parts[family_icon::RAMP_48].hotSpotX = 40;
  read.parts[family_icon::RAMP_48].hotSpotY = 41;
  const ByteBuffer hotSpots = SerializeIconParts(read.parts, true);
  const auto fields = [&](int i) {
    const std::size_t at = 6 + 16 * static_cast<std::size_t>(i) + 4;
    return std::vector<int>{hotSpots[at] | hotSpots[at + 1] << 8, hotSpots[at + 2] | hotSpots[at + 3] << 8};
  };
  EXPECT_EQ(fields(family_icon::PNG_256), (std::vector<int>{200, 3}));
  EXPECT_EQ(fields(family_icon::RAMP_48), (std::vector<int>{40, 41}));
  EXPECT_EQ(fields(family_icon::RAMP_16), (std::vector<int>{3, 4}));

  // Saved as an icon, the entries that held hot spots hold planes 1 and
  // their bit count again.
  const ByteBuffer icon = SerializeIconParts(read.parts, false);
  for (int i = 0; i < family_icon::IMAGE_COUNT; ++i) {
    const std::size_t at = 6 + 16 * static_cast<std::size_t>(i) + 4;
    EXPECT_EQ(icon[at] | icon[at + 1] << 8, 1) << i;
    EXPECT_EQ(icon[at + 2] | icon[at + 3] << 8, i == family_icon::INDEXED_32 ? 8 : 32) << i;
  }
}

}  // namespace
