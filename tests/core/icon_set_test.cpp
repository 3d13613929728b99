// The icon set: which picture each size takes, the files of each platform,
// the .icns and .ico made of them, and writing the files into folders.

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <fstream>

#include "fileio/icon_format.h"
#include "fileio/true_colour_image.h"
#include "import/convert.h"
#include "import/icon_set.h"
#include "storage/set_files.h"

namespace {

// A stand-in PNG writer: the signature and an IHDR chunk giving the size,
// which is all the checks here read.
ByteBuffer FakePng(int width, int height, const std::vector<std::uint32_t>&) {
  ByteBuffer bytes = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13, 'I', 'H', 'D', 'R'};
  for (int value : {width, height})
    for (int shift = 24; shift >= 0; shift -= 8) bytes.push_back(static_cast<std::uint8_t>(value >> shift));
  return bytes;
}

std::uint32_t BigU32(const ByteBuffer& bytes, std::size_t at) {
  return std::uint32_t{bytes[at]} << 24 | std::uint32_t{bytes[at + 1]} << 16 | std::uint32_t{bytes[at + 2]} << 8 | bytes[at + 3];
}

// A w x h picture whose every pixel is the colour.
RgbaPicture Filled(int w, int h, std::uint32_t argb) {
  return {w, h, std::vector<std::uint32_t>(static_cast<std::size_t>(w) * h, argb)};
}

// A w x h picture of distinct colours, so that scaling shows in it.
RgbaPicture Ramp(int w, int h) {
  RgbaPicture picture = Filled(w, h, 0);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) picture.pixels[static_cast<std::size_t>(y) * w + x] = 0xFF000000u | x << 16 | y << 8;
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
  enum class From { Image, Renderer, ScaledLargest };
  struct Row {
    const char* what;
    std::vector<IconSetImage> images;
    bool renderer;
    int side;
    From from;
    std::uint32_t colour;  // the image's colour when From::Image
  } rows[] = {
      {"a hand-tuned size is kept beside a larger image", {large, tuned16}, false, 16, From::Image, 0xFF000016u},
      {"of two images of a size the deeper one", {indexed32, large, deep32}, false, 32, From::Image, 0xFF000320u},
      {"a missing size is scaled from the largest", {tuned16, large}, false, 48, From::ScaledLargest, 0},
      {"a larger size than any image is scaled up", {tuned16, large}, false, 512, From::ScaledLargest, 0},
      {"a missing size is rendered when a renderer is there", {tuned16, large}, true, 48, From::Renderer, 0},
      {"the renderer does not replace a hand-tuned image", {tuned16, large}, true, 16, From::Image, 0xFF000016u},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    IconSetInput input;
    input.images = row.images;
    std::vector<int> asked;
    if (row.renderer)
      input.render = [&asked](int side, RgbaPicture& out) {
        asked.push_back(side);
        out = Filled(side, side, 0xFFABCDEFu);
        return std::string();
      };
    IconSetPictures pictures(input);
    std::string error;
    const RgbaPicture* picture = pictures.Picture(row.side, error);
    ASSERT_NE(picture, nullptr) << error;
    ASSERT_EQ(picture->width, row.side);
    ASSERT_EQ(picture->height, row.side);
    switch (row.from) {
      case From::Image: EXPECT_EQ(picture->pixels, Filled(row.side, row.side, row.colour).pixels); break;
      case From::Renderer: EXPECT_EQ(picture->pixels, Filled(row.side, row.side, 0xFFABCDEFu).pixels); break;
      case From::ScaledLargest: EXPECT_EQ(picture->pixels, ScalePictureToLonger(large.picture, row.side).pixels); break;
    }
    EXPECT_EQ(asked, row.renderer && row.from == From::Renderer ? std::vector<int>{row.side} : std::vector<int>{});
  }
  // A picture that is not square keeps its shape, centred between
  // transparent columns.
  IconSetInput input;
  input.images = {wide};
  IconSetPictures pictures(input);
  std::string error;
  const RgbaPicture* picture = pictures.Picture(64, error);
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(picture->At(10, 15), 0u);
  EXPECT_EQ(picture->At(10, 16), wide.picture.At(10, 0));
  EXPECT_EQ(picture->At(63, 47), wide.picture.At(63, 31));
  EXPECT_EQ(picture->At(63, 48), 0u);
}

TEST_F(IconSetTest, EachPlatformWritesItsFilesWhereItsDesktopLooks) {
  const std::vector<std::string> windows = {"app.ico"};
  std::vector<std::string> linux;
  for (const char* size : {"16", "22", "24", "32", "48", "64", "96", "128", "256", "512"})
    linux.push_back(std::string("hicolor/") + size + "x" + size + "/apps/app.png");
  std::vector<std::string> linuxSvg = linux;
  linuxSvg.push_back("hicolor/scalable/apps/app.svg");
  const std::vector<std::string> mac = {"app.icns"};
  const std::vector<std::string> web = {"web/favicon.ico", "web/apple-touch-icon.png", "web/icon-192.png",
                                        "web/icon-512.png", "web/icon-links.txt"};
  struct Row {
    const char* platforms;
    bool svg;
    std::vector<std::string> files;
  } rows[] = {
      {"windows", false, windows}, {"linux", false, linux}, {"linux", true, linuxSvg},
      {"mac", true, mac},          {"web", false, web},     {"web,windows,web", false, {}},
  };
  rows[5].files = windows;
  rows[5].files.insert(rows[5].files.end(), web.begin(), web.end());
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.platforms) + (row.svg ? " with svg" : ""));
    IconSetInput input;
    input.images = {{Ramp(48, 48), 32}};
    input.name = "app";
    input.svg = row.svg ? "<svg/>" : "";
    input.platforms = *ParseIconSetPlatforms(row.platforms);
    const IconSet set = MakeIconSet(input);
    ASSERT_EQ(set.error, "");
    std::vector<std::string> paths;
    for (const IconSetFile& file : set.files) paths.push_back(file.path);
    EXPECT_EQ(paths, row.files);
  }
  for (const char* bad : {"", "windows,", "linux,macos", "Windows"}) EXPECT_FALSE(ParseIconSetPlatforms(bad)) << bad;
  for (const char* bad : {"", ".", "..", "a/b", "tab\tname"}) EXPECT_FALSE(IconSetNameAccepted(bad)) << bad;
}

TEST_F(IconSetTest, IcnsAndIcoHoldEverySizeInTheirOwnEntries) {
  IconSetInput input;
  input.images = {{Ramp(256, 256), 32}};
  input.name = "app";
  const IconSet set = MakeIconSet(input);
  ASSERT_EQ(set.error, "");
  const auto file = [&set](const std::string& path) {
    for (const IconSetFile& f : set.files)
      if (f.path == path) return f.bytes;
    return ByteBuffer();
  };
  // The .icns: its length big-endian in the header, then each type with the
  // PNG of its pixels (the @2x types twice their point size).
  const ByteBuffer icns = file("app.icns");
  ASSERT_GT(icns.size(), 8u);
  EXPECT_EQ(std::string(icns.begin(), icns.begin() + 4), "icns");
  EXPECT_EQ(BigU32(icns, 4), icns.size());
  const std::pair<const char*, std::uint32_t> types[] = {
      {"icp4", 16},  {"icp5", 32},  {"icp6", 64},  {"ic07", 128}, {"ic08", 256}, {"ic09", 512},
      {"ic10", 1024}, {"ic11", 32}, {"ic12", 64}, {"ic13", 256}, {"ic14", 512}};
  std::size_t at = 8;
  for (const auto& [type, side] : types) {
    ASSERT_LE(at + 24, icns.size());
    EXPECT_EQ(std::string(icns.begin() + at, icns.begin() + at + 4), type);
    EXPECT_EQ(BigU32(icns, at + 24), side) << type;
    at += BigU32(icns, at + 4);
  }
  EXPECT_EQ(at, icns.size());
  // The .ico files: 32-bit images, the 256 px one as PNG.
  const std::pair<const char*, std::vector<int>> icos[] = {{"app.ico", {16, 24, 32, 48, 64, 256}},
                                                           {"web/favicon.ico", {16, 32, 48}}};
  for (const auto& [path, sides] : icos) {
    SCOPED_TRACE(path);
    const ByteBuffer ico = file(path);
    IconHeader header;
    std::vector<IconDirEntry> entries;
    ASSERT_TRUE(ReadIconDirectory(ico, header, entries));
    ASSERT_EQ(entries.size(), sides.size());
    for (std::size_t i = 0; i < sides.size(); ++i) {
      EXPECT_EQ(entries[i].width, sides[i] & 0xFF);
      EXPECT_EQ(entries[i].bitCount, 32);
      EXPECT_EQ(ico[entries[i].imageOffset] == 0x89, sides[i] == 256) << sides[i];
    }
  }
}

TEST(SetFilesTest, FilesGoIntoTheirFoldersAndNothingLeavesTheSetsFolder) {
  char pattern[] = "/tmp/set_files_XXXXXX";
  const std::string root = mkdtemp(pattern);
  const ByteBuffer bytes = {'a', 'b'};
  struct Row {
    const char* what;
    std::vector<std::string> files;
    const char* blocker;  // a file put where a folder belongs
    bool ok;
    std::size_t written;
  } rows[] = {
      {"nested folders are made", {"x.ico", "hicolor/16x16/apps/x.png", "web/f.ico"}, nullptr, true, 3},
      {"a parent part is refused", {"a.ico", "../escaped.png"}, nullptr, false, 1},
      {"a file where a folder belongs stops the set", {"hicolor/16x16/apps/x.png"}, "hicolor", false, 0},
  };
  int run = 0;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    const std::string folder = root + "/set" + std::to_string(run++);
    mkdir(folder.c_str(), 0700);
    if (row.blocker != nullptr) std::ofstream(folder + "/" + row.blocker) << "not a folder";
    std::vector<SetFileBytes> files;
    for (const std::string& path : row.files) files.emplace_back(path, &bytes);
    const SetWriteResult result = WriteSetFiles(folder, files);
    EXPECT_EQ(result.result == WriteResult::Ok, row.ok);
    EXPECT_EQ(result.written.size(), row.written);
    EXPECT_EQ(ExistingSetFiles(folder, files), result.written);
  }
  struct stat info {};
  EXPECT_NE(stat((root + "/escaped.png").c_str(), &info), 0);
  std::system(("rm -rf " + root).c_str());
}

}  // namespace
