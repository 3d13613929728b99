// The icon set: which picture each size takes, the files of each platform,
// the .icns and .ico made of them, and writing the files into folders.

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <cstdlib>
#include <fstream>
#include <numeric>

#include "fileio/icon_format.h"
#include "fileio/true_colour_image.h"
#include "import/convert.h"
#include "import/icon_set.h"
#include "storage/set_files.h"

namespace {

// A stand-in PNG writer: 0x89 as a PNG starts, and the size where its IHDR has it.
ByteBuffer FakePng(int width, int height, const std::vector<std::uint32_t>&) {
  ByteBuffer bytes(16, 0x89);
  for (int value : {width, height})
    for (int shift = 24; shift >= 0; shift -= 8) bytes.push_back(static_cast<std::uint8_t>(value >> shift));
  return bytes;
}

std::uint32_t BigU32(const ByteBuffer& bytes, std::size_t at) {
  return std::uint32_t{bytes[at]} << 24 | std::uint32_t{bytes[at + 1]} << 16 | std::uint32_t{bytes[at + 2]} << 8 |
         bytes[at + 3];
}

RgbaPicture Filled(int w, int h, std::uint32_t argb) { return {w, h, std::vector<std::uint32_t>(w * h, argb)}; }

// A w x h picture of distinct colours, so that scaling shows in it.
RgbaPicture Ramp(int w, int h) {
  RgbaPicture picture = Filled(w, h, 0);
  std::iota(picture.pixels.begin(), picture.pixels.end(), 0xFF000000u);
  return picture;
}

class IconSetTest : public ::testing::Test {
 protected:
  void SetUp() override { SetPngPictureWriter(FakePng); }
  void TearDown() override { SetPngPictureWriter(nullptr); }
};

TEST_F(IconSetTest, EachSizeTakesTheDocumentsOwnImageElseTheRendererElseTheLargestScaled) {
  // 0x..16 marks the hand-tuned 16 px image, which a scaled one never equals.
  const IconSetImage tuned16{Filled(16, 16, 0xFF000016u), 32};
  const IconSetImage indexed32{Filled(32, 32, 0xFF000032u), 4};
  const IconSetImage deep32{Filled(32, 32, 0xFF000320u), 32};
  const IconSetImage large{Ramp(128, 128), 32};
  const IconSetImage wide{Ramp(64, 32), 32};
  const RgbaPicture rendered = Filled(48, 48, 0xFFABCDEFu);
  // A picture that is not square keeps its shape, centred between
  // transparent rows.
  RgbaPicture centred = Filled(64, 64, 0);
  std::copy(wide.picture.pixels.begin(), wide.picture.pixels.end(), centred.pixels.begin() + 16 * 64);
  struct Row {
    const char* what;
    std::vector<IconSetImage> images;
    bool renderer;
    RgbaPicture expected;
  } rows[] = {
      {"a hand-tuned size is kept beside a larger image", {large, tuned16}, false, tuned16.picture},
      {"of two images of a size the deeper one", {indexed32, large, deep32}, false, deep32.picture},
      {"a missing size is scaled from the largest", {tuned16, large}, false, ScalePictureToLonger(large.picture, 48)},
      {"a missing size is rendered when a renderer is there", {tuned16, large}, true, rendered},
      {"the renderer does not replace a hand-tuned image", {tuned16, large}, true, tuned16.picture},
      {"a picture that is not square is centred", {wide}, false, centred},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    std::vector<int> asked;
    const auto render = [&](int side, RgbaPicture& out) {
      asked.push_back(side);
      out = Filled(side, side, 0xFFABCDEFu);
      return std::string();
    };
    IconSetInput input{row.images, row.renderer ? IconSideRenderer(render) : nullptr};
    std::string error;
    const int side = row.expected.width;
    IconSetPictures pictures(input);
    const RgbaPicture* picture = pictures.Picture(side, error);
    ASSERT_NE(picture, nullptr) << error;
    EXPECT_EQ(picture->pixels, row.expected.pixels);
    EXPECT_EQ(asked.size(), row.renderer && row.expected.pixels == rendered.pixels ? 1u : 0u);
  }
}

TEST_F(IconSetTest, EachPlatformWritesItsFilesWhereItsDesktopLooks) {
  std::string linux;
  for (int side : {16, 22, 24, 32, 48, 64, 96, 128, 256, 512})
    linux += "hicolor/" + std::to_string(side) + "x" + std::to_string(side) + "/apps/app.png ";
  const std::string web =
      "web/favicon.ico web/apple-touch-icon.png web/icon-192.png web/icon-512.png web/icon-links.txt ";
  struct Row {
    const char* platforms;
    bool svg;
    std::string files;
  } rows[] = {{"windows", false, "app.ico "},
              {"linux", false, linux},
              {"linux", true, linux + "hicolor/scalable/apps/app.svg "},
              {"mac", true, "app.icns "},
              {"web", false, web},
              {"web,windows,web", false, "app.ico " + web}};
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.platforms) + (row.svg ? " with svg" : ""));
    const IconSet set =
        MakeIconSet({{{Ramp(48, 48), 32}}, {}, row.svg ? "<svg/>" : "", "app", *ParseIconSetPlatforms(row.platforms)});
    ASSERT_EQ(set.error, "");
    std::string paths;
    for (const IconSetFile& file : set.files) paths += file.path + " ";
    EXPECT_EQ(paths, row.files);
  }
  for (const char* bad : {"", "windows,", "linux,macos", "Windows"}) EXPECT_FALSE(ParseIconSetPlatforms(bad)) << bad;
  for (const char* bad : {"", ".", "..", "a/b", "tab\tname"}) EXPECT_FALSE(IconSetNameAccepted(bad)) << bad;
}

TEST_F(IconSetTest, IcnsAndIcoHoldEverySizeInTheirOwnEntries) {
  const IconSet set = MakeIconSet({{{Ramp(256, 256), 32}}, {}, "", "app", ICON_SET_WINDOWS | ICON_SET_MAC});
  ASSERT_EQ(set.files.size(), 2u);
  // The .icns: its length big-endian in the header, then each type with the
  // PNG of its pixels (the @2x types twice their point size).
  const ByteBuffer& icns = set.files[1].bytes;
  ASSERT_GT(icns.size(), 8u);
  EXPECT_EQ(std::string(icns.begin(), icns.begin() + 4), "icns");
  EXPECT_EQ(BigU32(icns, 4), icns.size());
  const std::pair<const char*, std::uint32_t> types[] = {{"icp4", 16},  {"icp5", 32},  {"icp6", 64},   {"ic07", 128},
                                                         {"ic08", 256}, {"ic09", 512}, {"ic10", 1024}, {"ic11", 32},
                                                         {"ic12", 64},  {"ic13", 256}, {"ic14", 512}};
  std::size_t at = 8;
  for (const auto& [type, side] : types) {
    ASSERT_LE(at + 24, icns.size());
    EXPECT_EQ(std::string(icns.begin() + at, icns.begin() + at + 4), type);
    EXPECT_EQ(BigU32(icns, at + 24), side) << type;
    at += BigU32(icns, at + 4);
  }
  EXPECT_EQ(at, icns.size());
  // The .ico's 256 px image alone is PNG (icotool lists the sizes).
  IconHeader header;
  std::vector<IconDirEntry> entries;
  ASSERT_TRUE(ReadIconDirectory(set.files[0].bytes, header, entries));
  for (const IconDirEntry& entry : entries)
    EXPECT_EQ(set.files[0].bytes[entry.imageOffset] == 0x89, entry.width == 0) << int{entry.width};
}

TEST(SetFilesTest, FilesGoIntoTheirFoldersAndNothingLeavesTheSetsFolder) {
  char pattern[] = "/tmp/set_files_XXXXXX";
  const std::string root = mkdtemp(pattern);
  const ByteBuffer bytes = {'a', 'b'};
  struct Row {
    const char* what;
    std::vector<std::string> files;
    const char* blocker;  // a file put where a folder belongs
    std::size_t written;  // all of them when the set is written
  } rows[] = {
      {"nested folders are made", {"x.ico", "hicolor/16x16/apps/x.png", "web/f.ico"}, nullptr, 3},
      {"a parent part is refused", {"a.ico", "../escaped.png"}, nullptr, 1},
      {"a file where a folder belongs stops the set", {"hicolor/16x16/apps/x.png"}, "hicolor", 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    const std::string folder = root + "/set" + std::to_string(&row - rows);
    if (row.blocker != nullptr && mkdir(folder.c_str(), 0700) == 0)
      std::ofstream(folder + "/" + row.blocker) << "not a folder";
    std::vector<SetFileBytes> files;
    for (const std::string& path : row.files) files.emplace_back(path, &bytes);
    const SetWriteResult result = WriteSetFiles(folder, files);
    EXPECT_EQ(result.result == WriteResult::Ok, row.written == row.files.size());
    EXPECT_EQ(result.written.size(), row.written);
    EXPECT_EQ(ExistingSetFiles(folder, files), result.written);
  }
  EXPECT_FALSE(std::ifstream(root + "/escaped.png"));
  std::system(("rm -rf " + root).c_str());
}

}  // namespace
