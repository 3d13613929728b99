// Cursor files: hand-made files in the classic layout open with their hot
// spots and save back byte for byte; the checks tell cursors from icons;
// icotool reads what the writer makes.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "fileio/cursor_format.h"
#include "tests/support/icon_samples.h"

namespace {

struct HotSpotImage {
  int width;
  int height;
  std::uint8_t colorCount;
  std::uint16_t bitCount;
  int colorRow;
  int maskRow;
  unsigned hotX;
  unsigned hotY;
};

// A cursor file put together by hand: the icon layout with type 2 and the
// hot spot in the planes and bit-count fields of each entry. The pixels
// follow a pattern so that a reader that mixes rows up is seen.
ByteBuffer HandMadeCursor(const std::vector<HotSpotImage>& images) {
  std::vector<samples::RawImage> raws;
  for (const HotSpotImage& image : images) {
    samples::RawImage raw =
        samples::PlainImage(image.width, image.height, image.colorCount, image.bitCount, image.colorRow, image.maskRow);
    const int colors = image.colorCount == 0 ? 256 : image.colorCount;
    for (std::size_t i = 0; i < raw.body.size(); ++i) {
      const bool quadPadding = i < std::size_t(4 * colors) && i % 4 == 3;
      if (!quadPadding) raw.body[i] = static_cast<std::uint8_t>(i * 37 + 11);
    }
    raws.push_back(raw);
  }
  ByteBuffer bytes = samples::IconFile(raws, -1, 0, 2);
  for (std::size_t i = 0; i < images.size(); ++i) {
    const std::size_t at = 6 + 16 * i;
    bytes[at + 4] = static_cast<std::uint8_t>(images[i].hotX);
    bytes[at + 5] = 0;
    bytes[at + 6] = static_cast<std::uint8_t>(images[i].hotY);
    bytes[at + 7] = 0;
  }
  return bytes;
}

// Row padding must be zero for a byte-for-byte round trip: the writer pads
// with zero bits. The pattern above fills it, so the rows are cleaned here
// for widths whose rows carry padding.
void ClearPadding(ByteBuffer& bytes, const std::vector<HotSpotImage>& images) {
  std::size_t at = 6 + 16 * images.size();
  for (const HotSpotImage& image : images) {
    const int colors = image.colorCount == 0 ? 256 : image.colorCount;
    at += 40 + 4 * colors;
    const int colorBits = image.width * image.bitCount;
    for (int r = 0; r < image.height; ++r, at += image.colorRow)
      for (int bit = colorBits; bit < image.colorRow * 8; ++bit) bytes[at + bit / 8] &= ~(0x80 >> bit % 8);
    for (int r = 0; r < image.height; ++r, at += image.maskRow)
      for (int bit = image.width; bit < image.maskRow * 8; ++bit) bytes[at + bit / 8] &= ~(0x80 >> bit % 8);
  }
}

std::vector<const ImageTab*> Pointers(const std::vector<ImageTab>& images) {
  std::vector<const ImageTab*> tabs;
  for (const ImageTab& image : images) tabs.push_back(&image);
  return tabs;
}

TEST(CursorFormat, HandMadeCursorsOpenWithTheirHotSpotsAndSaveBackByteForByte) {
  const std::vector<std::vector<HotSpotImage>> files = {
      {{32, 32, 2, 1, 4, 4, 0, 0}},
      {{32, 32, 16, 4, 16, 4, 31, 31}},
      {{16, 16, 0, 8, 16, 4, 7, 3}},
      {{13, 9, 16, 4, 8, 4, 12, 0}, {7, 5, 2, 1, 4, 4, 2, 4}},
      {{48, 48, 0, 8, 48, 8, 5, 40}, {32, 32, 16, 4, 16, 4, 3, 26}, {16, 16, 2, 1, 4, 4, 1, 13}},
  };
  for (std::size_t f = 0; f < files.size(); ++f) {
    SCOPED_TRACE(f);
    ByteBuffer file = HandMadeCursor(files[f]);
    ClearPadding(file, files[f]);
    std::vector<ImageTab> images;
    ASSERT_EQ(DecodeCursorFile(file, images), "");
    ASSERT_EQ(images.size(), files[f].size());
    for (std::size_t i = 0; i < images.size(); ++i) {
      EXPECT_EQ(images[i].hotSpotX, files[f][i].hotX);
      EXPECT_EQ(images[i].hotSpotY, files[f][i].hotY);
    }
    EXPECT_EQ(SerializeCursor(Pointers(images)), file);
  }
}

TEST(CursorFormat, ChecksTellCursorsFromIcons) {
  const std::vector<HotSpotImage> one = {{16, 16, 16, 4, 8, 4, 1, 2}};
  const ByteBuffer cursor = HandMadeCursor(one);
  ByteBuffer icon = cursor;
  icon[2] = 1;
  ByteBuffer otherType = cursor;
  otherType[2] = 3;
  ByteBuffer tooLarge = cursor;
  tooLarge[6] = 65;
  tooLarge[22 + 4] = 65;  // the info header's width, which decides
  struct Row {
    const char* name;
    const ByteBuffer* bytes;
    bool asCursor;
    std::string error;
  } rows[] = {
      {"cursor as cursor", &cursor, true, ""},
      {"icon as cursor", &icon, true, ICON_NOT_ICON_FILE},
      {"type 3 as cursor", &otherType, true, ICON_NOT_ICON_FILE},
      {"cursor as icon", &cursor, false, ICON_NOT_ICON_FILE},
      {"icon as icon", &icon, false, ""},
      {"cursor of 65 pixels", &tooLarge, true, ICON_SIZE_UNSUPPORTED},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(CheckIconOrCursorBytes(*row.bytes, row.asCursor).error, row.error);
  }
  EXPECT_TRUE(IsCursorName("/a/b.CUR"));
  EXPECT_FALSE(IsCursorName("/a/b.cur.ico"));
}

TEST(CursorFormat, AHotSpotBeyondTheImageMovesToItsEdge) {
  std::vector<ImageTab> images;
  ASSERT_EQ(DecodeCursorFile(HandMadeCursor({{16, 8, 2, 1, 4, 4, 200, 9}}), images), "");
  EXPECT_EQ(images[0].hotSpotX, 15);
  EXPECT_EQ(images[0].hotSpotY, 7);
}

TEST(CursorFormat, IcotoolListsTheWrittenCursorWithItsHotSpots) {
  std::vector<ImageTab> images(2);
  images[0] = samples::PatternTab(32, 32, 16, 3);
  images[0].hotSpotX = 9;
  images[0].hotSpotY = 21;
  images[1] = samples::PatternTab(16, 16, 2, 4);
  images[1].hotSpotX = 4;
  images[1].hotSpotY = 10;
  const std::string path = (std::filesystem::temp_directory_path() / "quillet2_icotool_test.cur").string();
  const ByteBuffer bytes = SerializeCursor(Pointers(images));
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  FILE* pipe = ::popen(("icotool -l '" + path + "' 2>&1").c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::string listing;
  char buffer[256];
  while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) listing += buffer;
  const int status = ::pclose(pipe);
  std::filesystem::remove(path);
  ASSERT_EQ(status, 0) << listing;
  EXPECT_EQ(listing,
            "--cursor --index=1 --width=32 --height=32 --bit-depth=4 --palette-size=16 --hotspot-x=9 --hotspot-y=21\n"
            "--cursor --index=2 --width=16 --height=16 --bit-depth=1 --palette-size=2 --hotspot-x=4 --hotspot-y=10\n");
}

}  // namespace
