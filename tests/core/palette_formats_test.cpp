// Palette files in the layouts other programs write them, read into tabs,
// written back, and refused with their reasons when damaged.

#include <gtest/gtest.h>

#include <algorithm>

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "fileio/palette_file.h"
#include "fileio/palette_formats.h"

namespace {

namespace fs = std::filesystem;

ColorRef Rgb(int r, int g, int b) { return static_cast<ColorRef>(r | g << 8 | b << 16); }

ByteBuffer Bytes(const std::string& text) { return ByteBuffer(text.begin(), text.end()); }

// A 772-byte .act: the colours, padding to 256, the count and the
// transparent index, both big-endian.
ByteBuffer Act(const std::vector<ColorRef>& colors, int count, int transparent) {
  ByteBuffer bytes(768, 0);
  for (std::size_t i = 0; i < colors.size(); ++i)
    for (int c = 0; c < 3; ++c) bytes[3 * i + c] = static_cast<std::uint8_t>(colors[i] >> (8 * c));
  if (count >= 0)
    for (int v : {count >> 8, count & 0xFF, transparent >> 8, transparent & 0xFF})
      bytes.push_back(static_cast<std::uint8_t>(v));
  return bytes;
}

// A RIFF palette as written by hand: a "fact" chunk of odd size (padded)
// before the "data" chunk of version, count and R G B flags entries.
ByteBuffer Riff(const std::vector<ColorRef>& colors, int version = 0x0300, int declared = -1) {
  auto u32 = [](ByteBuffer& b, std::uint32_t v) {
    for (int s = 0; s < 32; s += 8) b.push_back(static_cast<std::uint8_t>(v >> s));
  };
  ByteBuffer data = {static_cast<std::uint8_t>(version), static_cast<std::uint8_t>(version >> 8)};
  const int count = declared >= 0 ? declared : static_cast<int>(colors.size());
  data.push_back(static_cast<std::uint8_t>(count));
  data.push_back(static_cast<std::uint8_t>(count >> 8));
  for (ColorRef c : colors) {
    for (int s = 0; s < 24; s += 8) data.push_back(static_cast<std::uint8_t>(c >> s));
    data.push_back(0);
  }
  ByteBuffer body = Bytes("PAL fact");
  u32(body, 3);
  body.insert(body.end(), {1, 2, 3, 0});
  body.insert(body.end(), {'d', 'a', 't', 'a'});
  u32(body, static_cast<std::uint32_t>(data.size()));
  body.insert(body.end(), data.begin(), data.end());
  ByteBuffer file = Bytes("RIFF");
  u32(file, static_cast<std::uint32_t>(body.size()));
  file.insert(file.end(), body.begin(), body.end());
  return file;
}

const std::vector<ColorRef> FOUR = {Rgb(0, 0, 0), Rgb(255, 0, 77), Rgb(18, 52, 86), Rgb(255, 255, 255)};

class PaletteFormatsTest : public ::testing::Test {
 protected:
  fs::path folder = fs::temp_directory_path() / ("q2palfmt-" + std::to_string(::getpid()));
  void SetUp() override { fs::create_directories(folder); }
  void TearDown() override { fs::remove_all(folder); }
  std::string Write(const std::string& name, const ByteBuffer& bytes) {
    const std::string path = (folder / name).string();
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    return path;
  }
  static ImageTab Tab(std::uint8_t code) {
    ImageTab tab{};
    tab.colorCode = code;
    for (int i = 0; i < 256; ++i) tab.palette[i] = 0x102030 + static_cast<ColorRef>(i);
    return tab;
  }
};

TEST_F(PaletteFormatsTest, ReadsEachFormatInTheLayoutOtherProgramsWrite) {
  const struct {
    const char* name;
    ByteBuffer bytes;
  } cases[] = {
      {"gimp.gpl", Bytes("GIMP Palette\nName: Four\nColumns: 4\n#\n# a comment\n  0   0   0\tBlack\n255   0  77\tRose "
                         "red\n 18  52  86\tUntitled\n255 255 255\tWhite\n")},
      {"wide.gpl", Bytes("GIMP Palette\nColumns: 256\n0 0 0\n255 0 77\n18 52 86\n255 255 255\n")},
      {"crlf.gpl", Bytes("\xEF\xBB\xBFGIMP Palette\r\nName: Four\r\n\r\n0 0 0 Black\r\n255 0 77\r\n18 52 86 "
                         "x\r\n255 255 255 White\r\n")},
      {"short.act", Act(FOUR, 4, 0xFFFF)},
      {"transparent.act", Act(FOUR, 4, 0)},
      {"jasc.pal", Bytes("JASC-PAL\r\n0100\r\n4\r\n0 0 0\r\n255 0 77\r\n18 52 86\r\n255 255 255\r\n")},
      {"riff.pal", Riff(FOUR)},
      {"plain.hex", Bytes("000000\nff004d\n123456\nFFFFFF\n")},
      {"hashed.hex", Bytes("#000000\r\n#FF004D\r\n\r\n#123456\r\n#ffffff")},
      // A name of no palette format: the first letters tell.
      {"riff.bin", Riff(FOUR)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ImageTab tab = Tab(16);
    std::string note;
    EXPECT_EQ(LoadPaletteFromFile(Write(c.name, c.bytes), tab, &note), "");
    for (int i = 0; i < 4; ++i) EXPECT_EQ(tab.palette[i], FOUR[i]) << i;
    // The rest of the tab's palette stays, and the note says so.
    EXPECT_EQ(tab.palette[4], 0x102034u);
    EXPECT_EQ(note, "4色のパレットで16色のうち先頭の4色を置き換えました。残りの色はそのままです");
  }
  PaletteRecord gimp;
  ASSERT_EQ(ReadPaletteBytes(cases[0].bytes, PaletteFormat::Gpl, gimp), "");
  EXPECT_EQ(gimp.title, "Four");
  EXPECT_EQ(gimp.columns, 4);
  EXPECT_EQ(gimp.names, (std::vector<std::string>{"Black", "Rose red", "Untitled", "White"}));
}

TEST_F(PaletteFormatsTest, A768ByteActFillsA256ColourTabAndFitsASmallerOneWhenItsTailIsBlack) {
  std::vector<ColorRef> full(256);
  for (int i = 0; i < 256; ++i) full[i] = Rgb(i, 255 - i, i / 2);
  ImageTab tab = Tab(0);
  std::string note;
  ASSERT_EQ(LoadPaletteFromFile(Write("full.act", Act(full, -1, 0)), tab, &note), "");
  EXPECT_EQ(note, "");
  for (int i = 0; i < 256; ++i) ASSERT_EQ(tab.palette[i], full[i]) << i;
  // 16 colours padded with black to 768 bytes fit a 16-colour tab whole.
  ImageTab small = Tab(16);
  std::vector<ColorRef> sixteen(full.begin() + 1, full.begin() + 17);
  ASSERT_EQ(LoadPaletteFromFile(Write("padded.act", Act(sixteen, -1, 0)), small, &note), "");
  EXPECT_EQ(small.palette[15], full[16]);
  // With colour past the tab's 16, it does not fit.
  ImageTab refused = Tab(16);
  EXPECT_EQ(LoadPaletteFromFile(Write("wide.act", Act(full, -1, 0)), refused), "色数があっていません");
  EXPECT_EQ(refused.palette[0], 0x102030u);
}

TEST_F(PaletteFormatsTest, DamagedFilesAreRefusedWithTheirReasonAndChangeNothing) {
  const std::string failed = "パレット読み込みに失敗：";
  std::vector<ColorRef> many(257, Rgb(1, 2, 3));
  std::string manyHex;
  for (int i = 0; i < 257; ++i) manyHex += "010203\n";
  ByteBuffer riffShort = Riff(FOUR);
  riffShort.resize(riffShort.size() - 4);
  const struct {
    const char* name;
    ByteBuffer bytes;
    std::string message;
  } cases[] = {
      {"a.gpl", Bytes("GIMP Pallete\n0 0 0\n"), failed + "1行目が GIMP Palette ではありません"},
      {"b.gpl", Bytes("GIMP Palette\n0 0 0 Black\n0 256 0 Green\n"), failed + "3行目の色が読めません"},
      {"c.gpl", Bytes("GIMP Palette\n0 0\n"), failed + "2行目の色が読めません"},
      {"d.gpl", Bytes("GIMP Palette\n0 0 0x10\n"), failed + "2行目の色が読めません"},
      {"e.gpl", Bytes("GIMP Palette\nName: empty\n# nothing\n"), failed + "色がひとつもありません"},
      {"f.gpl", Bytes("GIMP Palette\nColumns: many\n"), failed + "2行目の色が読めません"},
      {"a.act", ByteBuffer(767, 0), failed + "ACT パレットの大きさが 768 バイトでも 772 バイトでもありません"},
      {"b.act", ByteBuffer(773, 0), failed + "ACT パレットの大きさが 768 バイトでも 772 バイトでもありません"},
      {"c.act", Act(FOUR, 257, 0xFFFF), failed + "256色をこえる色があります"},
      {"d.act", Act(FOUR, 0, 0xFFFF), failed + "色がひとつもありません"},
      {"a.pal", Bytes("JASC-PAL\r\n0200\r\n1\r\n0 0 0\r\n"), failed + "JASC パレットの版が 0100 ではありません"},
      {"b.pal", Bytes("JASC-PAL\r\n0100\r\nfour\r\n0 0 0\r\n"), failed + "色の数が読めません"},
      {"c.pal", Bytes("JASC-PAL\r\n0100\r\n3\r\n0 0 0\r\n1 1 1\r\n"), failed + "色の数と色の行の数があっていません"},
      {"d.pal", Bytes("JASC-PAL\r\n0100\r\n2\r\n0 0 0\r\n1 1 1 1\r\n"), failed + "5行目の色が読めません"},
      {"e.pal", Bytes("JASC-PAL\r\n0100\r\n300\r\n"), failed + "256色をこえる色があります"},
      {"f.pal", Bytes("JASC-PAL\r\n"), failed + "JASC パレットの版が 0100 ではありません"},
      {"g.pal", Bytes("Some text\n"), failed + "1行目が JASC-PAL ではありません"},
      {"h.pal", Riff(FOUR, 0x0200), failed + "パレットの版が 0x0300 ではありません"},
      {"i.pal", riffShort, failed + "RIFF のチャンクの大きさがファイルとあっていません"},
      {"j.pal", Riff(FOUR, 0x0300, 5), failed + "RIFF のチャンクの大きさがファイルとあっていません"},
      {"k.pal", Riff(many), failed + "256色をこえる色があります"},
      {"l.pal", Riff({}, 0x0300, 0), failed + "色がひとつもありません"},
      {"m.pal", Bytes(std::string("RIFF\x04\0\0\0PAL ", 12)), failed + "data チャンクがありません"},
      {"n.pal", Bytes(std::string("RIFF\x04\0\0\0WAVE", 12)), failed + "RIFF の PAL ファイルではありません"},
      {"a.hex", Bytes("ff0000\n12345\n"), failed + "2行目の色が読めません"},
      {"b.hex", Bytes("#ff00zz\n"), failed + "1行目の色が読めません"},
      {"c.hex", Bytes("\n\n"), failed + "色がひとつもありません"},
      {"d.hex", Bytes(manyHex), failed + "256色をこえる色があります"},
      {"e.hex", ByteBuffer(PALETTE_FILE_LIMIT + 1, '0'), failed + "パレットファイルとしては大きすぎます"},
      {"a.txt", Bytes("000000\n"), failed + "パレットファイルの形式がわかりません"},
      // The program's own files keep their own messages.
      {"a.qpl", Bytes("GIMP Palette\n0 0 0\n"), "パレット読み込みに失敗"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ImageTab tab = Tab(0);
    std::string note = "untouched";
    EXPECT_EQ(LoadPaletteFromFile(Write(c.name, c.bytes), tab, &note), c.message);
    EXPECT_EQ(note, "untouched");
    for (int i = 0; i < 256; ++i) ASSERT_EQ(tab.palette[i], 0x102030u + i) << i;
  }
}

TEST_F(PaletteFormatsTest, SavedPalettesReadBackAndActAndQplRoundTripByteForByte) {
  for (std::uint8_t code : {std::uint8_t{2}, std::uint8_t{16}, std::uint8_t{0}}) {
    for (const char* name : {"p.qpl", "p.gpl", "p.act", "p.pal", "p.hex"}) {
      SCOPED_TRACE(std::string(name) + " " + std::to_string(code));
      ImageTab tab = Tab(code);
      for (int i = 0; i < 256; ++i) tab.palette[i] = Rgb(i * 7 % 256, 255 - i, i * 13 % 256);
      const ByteBuffer written = SerializePaletteForName(tab, name);
      ImageTab again = Tab(code);
      std::string note;
      ASSERT_EQ(LoadPaletteFromFile(Write(name, written), again, &note), "");
      EXPECT_EQ(note, "");
      for (int i = 0; i < PaletteSize(tab); ++i) ASSERT_EQ(again.palette[i], tab.palette[i]) << i;
      EXPECT_EQ(SerializePaletteForName(again, name), written);
    }
  }
  // A 256-colour .act is the plain 768 bytes, a smaller one 772 with its count.
  EXPECT_EQ(SerializePaletteForName(Tab(0), "p.act").size(), 768u);
  const ByteBuffer act16 = SerializePaletteForName(Tab(16), "p.act");
  ASSERT_EQ(act16.size(), 772u);
  EXPECT_EQ((ByteBuffer(act16.begin() + 768, act16.end())), (ByteBuffer{0, 16, 0xFF, 0xFF}));
  // RIFF written and read through the format itself.
  PaletteRecord record{FOUR, {}, {}, 0};
  PaletteRecord riff;
  ASSERT_EQ(ReadPaletteBytes(WritePaletteBytes(record, PaletteFormat::RiffPal), PaletteFormat::RiffPal, riff), "");
  EXPECT_EQ(riff.colors, FOUR);
  // GIMP keeps the names, the palette's name and its columns.
  PaletteRecord named{FOUR, {"Black", "Rose red", "", "White"}, "Four", 2};
  PaletteRecord gimp;
  ASSERT_EQ(ReadPaletteBytes(WritePaletteBytes(named, PaletteFormat::Gpl), PaletteFormat::Gpl, gimp), "");
  EXPECT_EQ(gimp.colors, FOUR);
  EXPECT_EQ(gimp.names, (std::vector<std::string>{"Black", "Rose red", "123456", "White"}));
  EXPECT_EQ(gimp.title, "Four");
  EXPECT_EQ(gimp.columns, 2);
}

TEST_F(PaletteFormatsTest, SaveFormatFollowsTheNameThenTheChosenFilter) {
  const struct {
    const char* name;
    PaletteFormat chosen;
    PaletteFormat format;
  } cases[] = {
      {"a.gpl", PaletteFormat::Hex, PaletteFormat::Gpl},    {"a.PAL", PaletteFormat::Unknown, PaletteFormat::JascPal},
      {"a.pal", PaletteFormat::RiffPal, PaletteFormat::RiffPal}, {"a.txt", PaletteFormat::Hex, PaletteFormat::Hex},
      {"a.txt", PaletteFormat::Unknown, PaletteFormat::Qpl}, {"dir.gpl/a", PaletteFormat::Unknown, PaletteFormat::Qpl},
  };
  for (const auto& c : cases) EXPECT_EQ(SaveFormatOf(c.name, c.chosen), c.format) << c.name;
}

TEST_F(PaletteFormatsTest, WindowsPalettesHoldTheirStaticColours) {
  ASSERT_EQ(WindowsPalette16().size(), 16u);
  ASSERT_EQ(WindowsPalette256().size(), 256u);
  EXPECT_EQ(WindowsPalette16()[1], Rgb(128, 0, 0));
  EXPECT_EQ(WindowsPalette16()[15], Rgb(255, 255, 255));
  // The 256-colour palette begins with the first eight and ends with the
  // last eight of the 16.
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(WindowsPalette256()[i], WindowsPalette16()[i]) << i;
    EXPECT_EQ(WindowsPalette256()[248 + i], WindowsPalette16()[8 + i]) << i;
  }
  // Between them lies the whole halftone cube.
  const auto& palette = WindowsPalette256();
  for (int r = 0; r < 256; r += 51)
    for (int g = 0; g < 256; g += 51)
      for (int b = 0; b < 256; b += 51)
        EXPECT_NE(std::find(palette.begin() + 10, palette.end() - 10, Rgb(r, g, b)), palette.end() - 10)
            << r << "," << g << "," << b;
}

}  // namespace
