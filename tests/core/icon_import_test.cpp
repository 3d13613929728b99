// Importing icon images of any depth: reading 1 to 32-bit and PNG entries
// with their masks, cutting alpha, choosing the colour count and palette,
// quantizing, and scaling large images down.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "fileio/icon_format.h"
#include "import/convert.h"
#include "import/picture_checks.h"
#include "import/quantize.h"
#include "import/read.h"
#include "palette/colour_math.h"
#include "tests/support/import_samples.h"

namespace {

using import_samples::BuildIcon;
using import_samples::Entry;
using import_samples::Solid;

RgbaPicture Picture(int w, int h, std::vector<std::uint32_t> pixels) { return RgbaPicture{w, h, std::move(pixels)}; }

// A 16 x 16 opaque picture with `colours` distinct colours, each used at
// least once.
RgbaPicture WithColours(int colours) {
  RgbaPicture picture = Picture(32, 16, std::vector<std::uint32_t>(512));
  for (int i = 0; i < 512; ++i) {
    const std::uint32_t k = static_cast<std::uint32_t>(i % colours);
    picture.pixels[i] = 0xFF000000u | (k * 37 % 256) << 16 | (k * 91 % 256) << 8 | (k % 256 ^ k >> 8);
  }
  return picture;
}

std::uint32_t RgbOf(ColorRef c) {
  return static_cast<std::uint32_t>(RedOf(c)) << 16 | static_cast<std::uint32_t>(GreenOf(c)) << 8 |
         static_cast<std::uint32_t>(BlueOf(c));
}

}  // namespace

TEST(ImportReader, ReadsEveryDepthWithItsMask) {
  Entry one{3, 2, 1, {0xFF000000, 0xFFFFFFFF}, {1, 0, 1, 0, 1, 0}, {0, 0, 0, 0, 0, 1}, {}};
  Entry four{3, 1, 4, {}, {15, 2, 9}, {1, 0, 0}, {}};
  for (std::uint32_t i = 0; i < 16; ++i) four.palette.push_back(0xFF000000u | i * 0x111111u);
  Entry eight{2, 1, 8, std::vector<std::uint32_t>(256, 0xFF000000u), {200, 7}, {}, {}};
  eight.palette[200] = 0xFF123456;
  eight.palette[7] = 0xFFABCDEF;
  Entry twentyFour{2, 2, 24, {}, {0xFF102030, 0xFF405060, 0xFF708090, 0xFFA0B0C0}, {0, 1, 0, 0}, {}};
  Entry thirtyTwo{2, 1, 32, {}, {0x7F112233, 0xFF445566}, {0, 1}, {}};
  std::vector<ImportEntry> entries;
  ASSERT_EQ(ReadImportEntries(BuildIcon({one, four, eight, twentyFour, thirtyTwo}), entries), "");
  ASSERT_EQ(entries.size(), 5u);
  for (const ImportEntry& entry : entries) EXPECT_EQ(entry.problem, "");
  EXPECT_EQ(entries[0].picture.pixels,
            (std::vector<std::uint32_t>{0xFFFFFFFF, 0xFF000000, 0xFFFFFFFF, 0xFF000000, 0xFFFFFFFF, 0x00000000}));
  EXPECT_EQ(entries[1].picture.pixels, (std::vector<std::uint32_t>{0x00FFFFFF, 0xFF222222, 0xFF999999}));
  EXPECT_EQ(entries[2].picture.pixels, (std::vector<std::uint32_t>{0xFF123456, 0xFFABCDEF}));
  // Rows are stored bottom first; the mask clears alpha.
  EXPECT_EQ(entries[3].picture.pixels, (std::vector<std::uint32_t>{0xFF102030, 0x00405060, 0xFF708090, 0xFFA0B0C0}));
  EXPECT_EQ(entries[3].bitCount, 24);
  EXPECT_EQ(entries[4].picture.pixels, (std::vector<std::uint32_t>{0x7F112233, 0x00445566}));
  EXPECT_FALSE(entries[4].alphaIgnored);
}

TEST(ImportReader, ThirtyTwoBitsWithoutAnyAlphaUseTheMaskAlone) {
  Entry e{2, 1, 32, {}, {0x00112233, 0x00445566}, {1, 0}, {}};
  std::vector<ImportEntry> entries;
  ASSERT_EQ(ReadImportEntries(BuildIcon({e}), entries), "");
  EXPECT_TRUE(entries[0].alphaIgnored);
  EXPECT_EQ(entries[0].picture.pixels, (std::vector<std::uint32_t>{0x00112233, 0xFF445566}));
}

TEST(ImportReader, DamagedEntriesAreListedAsUnreadableAndTheOthersRead) {
  Entry png;
  png.width = png.height = 0;  // 256 in the directory
  png.raw = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 1, 2, 3};
  ByteBuffer bytes = BuildIcon({Solid(4, 4, 0xFF00FF00), Solid(4, 4, 0xFF0000FF, 16), png, Solid(8, 8, 0xFFFF0000)});
  // The last entry loses the end of its mask.
  bytes.resize(bytes.size() - 3);
  std::vector<ImportEntry> entries;
  ASSERT_EQ(ReadImportEntries(bytes, entries), "");
  ASSERT_EQ(entries.size(), 4u);
  EXPECT_EQ(entries[0].problem, "");
  EXPECT_EQ(entries[1].problem, IMPORT_ENTRY_UNSUPPORTED);
  EXPECT_TRUE(entries[2].png);
  EXPECT_EQ(entries[2].problem, "");
  EXPECT_EQ(entries[2].width, 256);
  EXPECT_EQ(entries[2].pngSize, 11u);
  EXPECT_EQ(entries[3].problem, IMPORT_ENTRY_TRUNCATED);
  EXPECT_TRUE(entries[3].picture.pixels.empty());

  // A PNG entry that claims more bytes than the file has.
  bytes = BuildIcon({png});
  bytes[6 + 8] = 0xFF;
  ASSERT_EQ(ReadImportEntries(bytes, entries), "");
  EXPECT_EQ(entries[0].problem, IMPORT_ENTRY_TRUNCATED);

  // Absurd sizes in the info header never allocate.
  Entry huge = Solid(1, 1, 0xFF000000);
  bytes = BuildIcon({huge});
  bytes[6 + 16 + 4 + 3] = 0x40;  // width 0x40000001
  ASSERT_EQ(ReadImportEntries(bytes, entries), "");
  EXPECT_EQ(entries[0].problem, IMPORT_ENTRY_BAD_SIZE);

  EXPECT_EQ(ReadImportEntries(ByteBuffer{0, 0, 1, 0, 2, 0, 1}, entries), "読み込みに失敗");
  // Type 2 is a cursor file, which the import reads; other types are not
  // icons.
  EXPECT_EQ(ReadImportEntries(ByteBuffer{0, 0, 3, 0, 0, 0}, entries), "アイコンファイルではありません");
}

// A file whose entries all point at the image data of the one-entry icon:
// the many-entry bomb, small enough for a test.
ByteBuffer SharedEntries(ByteBuffer icon, int count) {
  const ByteBuffer directoryEntry(icon.begin() + 6, icon.begin() + 22);
  const ByteBuffer data(icon.begin() + 22, icon.end());
  ByteBuffer bytes = {0, 0, 1, 0, static_cast<std::uint8_t>(count), static_cast<std::uint8_t>(count >> 8)};
  const std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(count);
  for (int i = 0; i < count; ++i) {
    bytes.insert(bytes.end(), directoryEntry.begin(), directoryEntry.begin() + 12);
    import_samples::Put(bytes, offset, 4);
  }
  bytes.insert(bytes.end(), data.begin(), data.end());
  return bytes;
}

TEST(ImportReader, KeepsOnlyTheScaledPictureAndDecodesSharedImagesOnce) {
  // Every entry keeps its picture scaled to fit 64 x 64, and the size and
  // colours of the full one.
  RgbaPicture quarters = Picture(256, 128, std::vector<std::uint32_t>(256 * 128, 0xFF0000FF));
  for (int y = 0; y < 128; ++y) quarters.pixels[static_cast<std::size_t>(y) * 256] = 0xFFFF0000;
  Entry bitmap = Solid(256, 128, 0);
  bitmap.values = quarters.pixels;
  std::vector<ImportEntry> entries;
  ASSERT_EQ(ReadImportEntries(SharedEntries(BuildIcon({bitmap}), 200), entries), "");
  ASSERT_EQ(entries.size(), 200u);
  for (const ImportEntry& entry : entries) {
    ASSERT_EQ(entry.problem, "");
    EXPECT_EQ(entry.width, 256);
    EXPECT_EQ(entry.sourceColours, 2);
    ASSERT_EQ(entry.picture.width, 64);
    ASSERT_EQ(entry.picture.height, 32);
  }
  const ImportPlan plan = PlanImport(entries[199]);
  EXPECT_EQ(DescribeResult(plan), "256×128 → 64×32、2色");
  EXPECT_EQ(plan.scaled.pixels, PlanImport(quarters).scaled.pixels);

  // A PNG image that 256 entries share is decoded once.
  Entry png;
  png.width = png.height = 0;
  png.raw = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 1, 2, 3};
  int decoded = 0;
  const PngDecoder decoder = [&](const std::uint8_t*, std::size_t size, RgbaPicture& picture) -> std::string {
    ++decoded;
    picture = Picture(300, 200, std::vector<std::uint32_t>(300 * 200, 0xFF123456));
    return size == 11 ? "" : IMPORT_ENTRY_BAD_PNG;
  };
  ByteBuffer bomb = SharedEntries(BuildIcon({png}), 256);
  ASSERT_EQ(ReadImportEntries(bomb, entries, decoder), "");
  EXPECT_EQ(decoded, 1);
  ASSERT_EQ(entries.size(), 256u);
  EXPECT_EQ(entries[255].width, 300);
  EXPECT_EQ(entries[255].picture.width, 64);
  EXPECT_EQ(entries[255].picture.height, 43);
  // The same offset with another size is other bytes for the decoder.
  bomb[6 + 16 + 8] = 10;
  decoded = 0;
  ASSERT_EQ(ReadImportEntries(bomb, entries, decoder), "");
  EXPECT_EQ(decoded, 2);
  EXPECT_EQ(entries[1].problem, IMPORT_ENTRY_BAD_PNG);
  EXPECT_EQ(entries[2].problem, "");

  // The progress may stop the reading between images.
  std::vector<int> told;
  ASSERT_EQ(ReadImportEntries(bomb, entries, decoder, [&](int done, int total) {
              told.push_back(done);
              EXPECT_EQ(total, 256);
              return done < 2;
            }),
            "");
  EXPECT_EQ(told, (std::vector<int>{0, 1, 2}));
  EXPECT_TRUE(entries.empty());
}

TEST(PictureChecks, BmpAndGifMustHoldTheDataTheirHeadersPromise) {
  using import_samples::BuildBmp;
  using import_samples::BuildGif;
  EXPECT_EQ(CheckPictureData(BuildBmp(64, 64, 24, ByteBuffer(64 * 192, 7))), "");
  EXPECT_EQ(CheckPictureData(BuildBmp(64, 64, 24, ByteBuffer(64 * 192 - 1, 7))), IMPORT_ENTRY_TRUNCATED);
  EXPECT_EQ(CheckPictureData(BuildBmp(64, 64, 8, ByteBuffer(30, 7))), IMPORT_ENTRY_TRUNCATED);
  // A palette cut short.
  ByteBuffer bmp = BuildBmp(2, 2, 8, {});
  bmp.resize(14 + 40 + 100);
  EXPECT_EQ(CheckPictureData(bmp), IMPORT_ENTRY_TRUNCATED);
  // Run lengths (8 bits) must fill every row, without jumps: two rows of 3
  // pixels.
  EXPECT_EQ(CheckPictureData(BuildBmp(3, 2, 8, {3, 9, 0, 0, 2, 9, 1, 4, 0, 1}, 1)), "");
  EXPECT_EQ(CheckPictureData(BuildBmp(3, 2, 8, {0, 3, 1, 2, 3, 0, 0, 0, 3, 9, 0, 1}, 1)), "");
  EXPECT_EQ(CheckPictureData(BuildBmp(3, 2, 8, {3, 9, 0, 0, 2, 9}, 1)), IMPORT_ENTRY_TRUNCATED);
  EXPECT_EQ(CheckPictureData(BuildBmp(3, 2, 8, {3, 9, 0, 1}, 1)), IMPORT_ENTRY_UNSUPPORTED);
  EXPECT_EQ(CheckPictureData(BuildBmp(3, 2, 8, {0, 2, 1, 0, 2, 9, 0, 0, 3, 9, 0, 1}, 1)), IMPORT_ENTRY_UNSUPPORTED);
  EXPECT_EQ(CheckPictureData(BuildBmp(3, 2, 8, {0, 3, 1, 2}, 1)), IMPORT_ENTRY_TRUNCATED);

  const ByteBuffer gif = BuildGif(4, 4, std::vector<int>(16, 1));
  EXPECT_EQ(CheckPictureData(gif), "");
  for (std::size_t cut = 1; cut < gif.size() - 6; ++cut) {
    SCOPED_TRACE(cut);
    EXPECT_EQ(CheckPictureData(ByteBuffer(gif.begin(), gif.end() - static_cast<std::ptrdiff_t>(cut))),
              IMPORT_ENTRY_TRUNCATED);
  }
  // Other files are left to their readers.
  EXPECT_EQ(CheckPictureData(ByteBuffer{0x89, 'P', 'N', 'G'}), "");
}

TEST(ImportConvert, AlphaIsCutAtOneHalf) {
  ImageTab tab{};
  ConvertPicture(Picture(4, 1, {0x00FF0000, 0x7FFF0000, 0x80FF0000, 0xFFFF0000}), false, tab);
  EXPECT_EQ(tab.colorCode, 2);
  EXPECT_NE(CellAt(tab, 0, 0) & CELL_MASK_BIT, 0);
  EXPECT_NE(CellAt(tab, 1, 0) & CELL_MASK_BIT, 0);
  EXPECT_EQ(CellAt(tab, 2, 0), CellAt(tab, 3, 0));
  EXPECT_EQ(tab.palette[CellAt(tab, 3, 0)], MakeColor(0xFF, 0, 0));
  // Transparent cells point at black, so they show the screen.
  EXPECT_EQ(tab.palette[CellAt(tab, 0, 0) & CELL_INDEX_BITS], 0u);
}

TEST(ImportConvert, TheSmallestColourCountThatHoldsTheColoursExactly) {
  const struct {
    int colours;
    std::uint8_t code;
  } cases[] = {{2, 2}, {16, 16}, {17, 0}, {256, 0}, {257, 0}, {512, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.colours);
    const RgbaPicture picture = WithColours(c.colours);
    ImageTab tab{};
    ConvertPicture(picture, false, tab);
    EXPECT_EQ(tab.colorCode, c.code);
    EXPECT_EQ(PlanImport(picture).colorCode, c.code);
    std::set<ColorRef> used;
    long long error = 0;
    int worst = 0;
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 32; ++x) {
        const PixelCell cell = CellAt(tab, x, y);
        ASSERT_EQ(cell & CELL_MASK_BIT, 0);
        ASSERT_LT(cell, PaletteSize(tab));
        used.insert(tab.palette[cell]);
        const int distance = ColourDistance(RgbOf(tab.palette[cell]), picture.At(x, y));
        error += distance;
        worst = std::max(worst, distance);
      }
    if (c.colours <= 256) {
      EXPECT_EQ(error, 0);
      EXPECT_EQ(used.size(), static_cast<std::size_t>(c.colours));
    } else {
      // Colour k and colour k + 256 differ by one step of blue: a sound
      // quantizer gives each such pair one entry and every pixel stays
      // within that step.
      EXPECT_EQ(used.size(), 256u);
      EXPECT_LE(worst, 1);
    }
  }
}

TEST(ImportConvert, DitheringSpreadsTheErrorButKeepsThePalette) {
  // A smooth ramp of 1024 colours squeezed into 256.
  RgbaPicture ramp = Picture(32, 32, std::vector<std::uint32_t>(1024));
  for (int i = 0; i < 1024; ++i) ramp.pixels[i] = 0xFF000000u | (i % 32 * 8) << 16 | (i / 32 * 8) << 8 | (i * 7 % 256);
  ImageTab plain, dithered;
  ConvertPicture(ramp, false, plain);
  ConvertPicture(ramp, true, dithered);
  EXPECT_TRUE(std::equal(plain.palette, plain.palette + 256, dithered.palette));
  EXPECT_FALSE(std::equal(plain.cells, plain.cells + CELL_COUNT, dithered.cells));
}

TEST(ImportScale, LargePicturesShrinkToFitWithTheirAspectRatio) {
  EXPECT_EQ(ScalePictureToFit(Picture(64, 64, std::vector<std::uint32_t>(4096, 1)), 64).pixels.size(), 4096u);
  const RgbaPicture wide = ScalePictureToFit(Picture(256, 128, std::vector<std::uint32_t>(256 * 128, 0xFF336699)), 64);
  EXPECT_EQ(wide.width, 64);
  EXPECT_EQ(wide.height, 32);
  EXPECT_EQ(wide.At(10, 10), 0xFF336699u);
  EXPECT_EQ(ScalePictureToFit(Picture(1000, 3, std::vector<std::uint32_t>(3000, 0xFF000000)), 64).height, 1);

  // Opaque white columns beside transparent black ones: premultiplied, the
  // averaged colour stays white and only the alpha halves.
  RgbaPicture stripes = Picture(128, 128, std::vector<std::uint32_t>(128 * 128));
  for (int i = 0; i < 128 * 128; ++i) stripes.pixels[i] = i % 2 == 0 ? 0xFFFFFFFF : 0x00000000;
  const RgbaPicture half = ScalePictureToFit(stripes, 64);
  EXPECT_EQ(half.At(5, 7), 0x80FFFFFFu);

  // Three source pixels onto two: the middle one is shared by both halves.
  const RgbaPicture odd = ScalePictureToFit(Picture(3, 96, std::vector<std::uint32_t>(288, 0xFF000000)), 64);
  EXPECT_EQ(odd.width, 2);
}

TEST(ImportConvert, PlanNamesWhatWillBeLost) {
  RgbaPicture large = Picture(128, 128, std::vector<std::uint32_t>(128 * 128, 0xFF0000FF));
  large.pixels[0] = 0x40FF0000;
  const ImportPlan plan = PlanImport(large);
  EXPECT_EQ(DescribeResult(plan), "128×128 → 64×64、2色");
  EXPECT_EQ(DescribeLoss(plan), "128×128：64×64に縮小、半透明の1画素を透明か不透明にする");
  EXPECT_EQ(DescribeLoss(PlanImport(WithColours(300))), "32×16：300色を256色にまとめる");
  EXPECT_EQ(DescribeLoss(PlanImport(WithColours(3))), "32×16：そのまま取り込めます");
}

TEST(ImportCorpus, DamagedFilesListTheirEntriesSafely) {
  const std::string folder = std::string(TEST_DATA_DIR) + "/import_corpus/";
  std::ifstream manifest(folder + "expected.txt");
  std::string line;
  int rows = 0;
  while (std::getline(manifest, line)) {
    if (line.empty() || line[0] == '#') continue;
    ++rows;
    std::stringstream fields(line);
    std::string name, want;
    std::getline(fields, name, '\t');
    std::getline(fields, want, '\t');
    SCOPED_TRACE(name);
    const auto bytes = ReadFileBytes(folder + name, ICON_MAX_FILE_BYTES);
    ASSERT_TRUE(bytes.has_value());
    std::vector<ImportEntry> entries;
    const std::string error = ReadImportEntries(*bytes, entries);
    std::string got = error.empty() ? "" : "!" + error;
    for (std::size_t i = 0; error.empty() && i < entries.size(); ++i)
      got += (i == 0 ? "" : ",") + (entries[i].problem.empty() ? std::string("ok") : entries[i].problem);
    if (error.empty() && entries.empty()) got = "-";
    EXPECT_EQ(got, want);
  }
  EXPECT_GE(rows, 14);
  // The open reader's damaged files must not trouble the import's reader.
  for (const auto& file : std::filesystem::directory_iterator(std::string(TEST_DATA_DIR) + "/icon_corpus")) {
    const auto bytes = ReadFileBytes(file.path().string(), ICON_MAX_FILE_BYTES);
    std::vector<ImportEntry> entries;
    if (bytes) ReadImportEntries(*bytes, entries);
  }
}

TEST(ImportConvert, ColoursAreCountedAlikeInSmallAndLargePictures) {
  // Small pictures are counted from a sorted copy, large ones with a bitset;
  // both count each opaque colour once and skip the transparent ones.
  for (int side : {8, 64, 300}) {
    RgbaPicture picture = Picture(side, side, std::vector<std::uint32_t>(static_cast<std::size_t>(side) * side, 0xFF0000FF));
    picture.pixels[1] = 0xFF00FF00;
    picture.pixels[2] = 0x80FFFFFF;
    picture.pixels[3] = 0x10123456;
    picture.pixels.back() = 0xFF00FF00;
    ImportEntry entry;
    KeepScaledPicture(picture, entry);
    EXPECT_EQ(entry.sourceColours, 3) << side;
  }
}
