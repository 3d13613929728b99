#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "fileio/palette_file.h"
#include "resources/default_palettes.h"

namespace {

namespace fs = std::filesystem;

class PaletteFileTest : public ::testing::Test {
 protected:
  fs::path folder = fs::temp_directory_path() / ("q2pal-" + std::to_string(::getpid()));
  void SetUp() override { fs::create_directories(folder); }
  void TearDown() override { fs::remove_all(folder); }
  std::string Path(const char* name) const { return (folder / name).string(); }
  void WriteRaw(const std::string& path, const ByteBuffer& bytes) {
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  }
  static ImageTab Tab(std::uint8_t code, ColorRef seed) {
    ImageTab tab{};
    tab.colorCode = code;
    for (int i = 0; i < 256; ++i) tab.palette[i] = seed + static_cast<ColorRef>(i) * 0x010203;
    return tab;
  }
};

TEST_F(PaletteFileTest, LayoutIsMagicCodeThenRedFirstEntries) {
  ImageTab tab = Tab(0, 0);
  tab.palette[0] = 0x0000FF;  // red
  const ByteBuffer bytes = SerializePalette(tab);
  ASSERT_EQ(bytes.size(), 1028u);
  EXPECT_EQ((ByteBuffer(bytes.begin(), bytes.begin() + 8)), (ByteBuffer{'q', 'p', 'l', 0, 0xFF, 0, 0, 0}));
  EXPECT_EQ(SerializePalette(Tab(2, 0)).size(), 12u);
  EXPECT_EQ(SerializePalette(Tab(16, 0)).size(), 68u);
  EXPECT_EQ(SerializePalette(Tab(16, 0))[3], 0x10);
}

TEST_F(PaletteFileTest, RoundTripGivesIdenticalPalettes) {
  for (std::uint8_t code : {std::uint8_t{2}, std::uint8_t{16}, std::uint8_t{0}}) {
    const ImageTab source = Tab(code, 0x00102030);
    ASSERT_EQ(SavePaletteToFile(Path("p.qpl"), source), "");
    ImageTab target = Tab(code, 0);
    ASSERT_EQ(LoadPaletteFromFile(Path("p.qpl"), target), "");
    for (int i = 0; i < PaletteSize(source); ++i) EXPECT_EQ(target.palette[i], source.palette[i]) << i;
    EXPECT_EQ(fs::file_size(Path("p.qpl")), 4u + 4u * PaletteSize(source));
  }
}

TEST_F(PaletteFileTest, RefusalsLeaveThePaletteUnchanged) {
  ASSERT_EQ(SavePaletteToFile(Path("16.qpl"), Tab(16, 1)), "");
  const ImageTab original = Tab(0, 99);

  struct Case {
    const char* name;
    ByteBuffer bytes;
    const char* message;
  };
  ByteBuffer full = SerializePalette(Tab(0, 5));
  ByteBuffer shortFile(full.begin(), full.end() - 1);
  ByteBuffer wrongMagic = full;
  wrongMagic[0] = 'Q';
  const std::vector<Case> cases = {
      {"empty.qpl", {}, PALETTE_READ_FAILED},
      {"two.qpl", {'q', 'p'}, PALETTE_READ_FAILED},
      {"magic.qpl", wrongMagic, PALETTE_READ_FAILED},
      {"nocount.qpl", {'q', 'p', 'l'}, PALETTE_READ_FAILED},
      {"short.qpl", shortFile, PALETTE_READ_FAILED},
  };
  for (const Case& c : cases) {
    WriteRaw(Path(c.name), c.bytes);
    ImageTab tab = original;
    EXPECT_EQ(LoadPaletteFromFile(Path(c.name), tab), c.message) << c.name;
    EXPECT_EQ(std::memcmp(tab.palette, original.palette, sizeof tab.palette), 0) << c.name;
  }

  ImageTab tab = original;
  EXPECT_EQ(LoadPaletteFromFile(Path("16.qpl"), tab), PALETTE_COUNT_MISMATCH);
  EXPECT_EQ(std::memcmp(tab.palette, original.palette, sizeof tab.palette), 0);
  EXPECT_EQ(LoadPaletteFromFile(Path("missing.qpl"), tab), PALETTE_READ_FAILED);
  EXPECT_EQ(LoadPaletteFromFile(folder.string(), tab), PALETTE_READ_FAILED);
}

TEST_F(PaletteFileTest, ExtraBytesAfterThePaletteAreIgnored) {
  ByteBuffer bytes = SerializePalette(Tab(2, 7));
  bytes.insert(bytes.end(), 5000, 0xAB);
  WriteRaw(Path("long.qpl"), bytes);
  ImageTab tab = Tab(2, 0);
  EXPECT_EQ(LoadPaletteFromFile(Path("long.qpl"), tab), "");
  EXPECT_EQ(tab.palette[1], Tab(2, 7).palette[1]);
}

TEST_F(PaletteFileTest, FailedSaveKeepsTheOldFile) {
  ASSERT_EQ(SavePaletteToFile(Path("keep.qpl"), Tab(2, 3)), "");
  EXPECT_EQ(SavePaletteToFile((folder / "no-such-folder" / "x.qpl").string(), Tab(2, 3)), PALETTE_WRITE_FAILED);
  // A folder in the target's place cannot be replaced.
  fs::create_directories(folder / "dir.qpl");
  EXPECT_EQ(SavePaletteToFile(Path("dir.qpl"), Tab(2, 3)), PALETTE_WRITE_FAILED);
  EXPECT_TRUE(fs::is_directory(folder / "dir.qpl"));
  // Nothing but the files written on purpose is left behind.
  int entries = 0;
  for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder)) ++entries;
  EXPECT_EQ(entries, 2);
}

TEST(DefaultPalettes, HaveTheRightCountsAndNoRepeatedColours) {
  EXPECT_EQ(DefaultPaletteColors(2), (std::vector<ColorRef>{0x000000, 0xFFFFFF}));
  const auto sixteen = DefaultPaletteColors(16);
  ASSERT_EQ(sixteen.size(), 16u);
  EXPECT_EQ(sixteen[9], 0x0000FFu);    // red
  EXPECT_EQ(sixteen[12], 0xFF0000u);   // blue
  EXPECT_EQ(sixteen[15], 0xFFFFFFu);
  auto all = DefaultPaletteColors(0);
  ASSERT_EQ(all.size(), 256u);
  // The cube repeats some of the 16 classic colours; beyond those every
  // colour is distinct.
  std::vector<ColorRef> rest(all.begin() + 16, all.end());
  std::sort(rest.begin(), rest.end());
  EXPECT_EQ(std::adjacent_find(rest.begin(), rest.end()), rest.end());
}

}  // namespace
