// What the import makes of a chosen image: square sizes fitted with their
// proportions, the entry each size is made from, colour counts from the
// quantizer, the defaults, the bit depths shown and the loss lines.

#include <gtest/gtest.h>

#include <string>

#include "fileio/icon_format.h"
#include "import/picture_depth.h"
#include "import/quantize.h"
#include "import/targets.h"
#include "palette/colour_math.h"
#include "tests/support/import_samples.h"

namespace {

using import_samples::BuildIcon;
using import_samples::Solid;

// A w x h picture, red on its left half and blue on its right.
RgbaPicture Halves(int w, int h) {
  RgbaPicture picture{w, h, std::vector<std::uint32_t>(static_cast<std::size_t>(w) * h)};
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) picture.pixels[static_cast<std::size_t>(y) * w + x] = x < w / 2 ? 0xFFFF0000 : 0xFF0000FF;
  return picture;
}

ImportEntry EntryOf(const RgbaPicture& picture, int bitCount = 32) {
  ImportEntry entry;
  entry.bitCount = bitCount;
  KeepScaledPicture(picture, entry);
  return entry;
}

// The real icons' images with more than 256 colours, read as the import
// reads them (their PNG images are left undecoded here).
std::vector<ImportEntry> ManyColourEntries() {
  std::vector<ImportEntry> found;
  for (const char* name : {"utilities-terminal", "accessories-calculator", "computer", "web-browser"}) {
    std::vector<ImportEntry> entries;
    const auto bytes = ReadFileBytes(std::string(TEST_DATA_DIR) + "/import/" + name + ".ico", ICON_MAX_FILE_BYTES);
    if (!bytes || !ReadImportEntries(*bytes, entries).empty()) continue;
    for (ImportEntry& entry : entries)
      if (entry.problem.empty() && !entry.png && entry.sourceColours > 256) found.push_back(std::move(entry));
  }
  return found;
}

// Mean squared error per opaque pixel (summed over red, green and blue) of
// the made image against the picture it was made from.
double MeanSquaredError(const RgbaPicture& picture, const ImageTab& tab) {
  double sum = 0;
  int pixels = 0;
  for (int y = 0; y < picture.height; ++y)
    for (int x = 0; x < picture.width; ++x) {
      const std::uint32_t p = picture.At(x, y);
      if (AlphaOf(p) < IMPORT_ALPHA_THRESHOLD) continue;
      const ColorRef c = tab.palette[CellAt(tab, x, y) & CELL_INDEX_BITS];
      sum += ColourDistance(p, static_cast<std::uint32_t>(RedOf(c) << 16 | GreenOf(c) << 8 | BlueOf(c)));
      ++pixels;
    }
  return pixels == 0 ? 0 : sum / pixels;
}

}  // namespace

TEST(ImportTargets, SquaresKeepTheProportionsAndCentreThePicture) {
  // Down: 40 x 20 into 16 is 16 x 8 with four transparent rows above and
  // below; the halves stay halves.
  const RgbaPicture down = FitPictureInSquare(Halves(40, 20), 16);
  ASSERT_EQ(down.width, 16);
  ASSERT_EQ(down.height, 16);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      const bool inside = y >= 4 && y < 12;
      ASSERT_EQ(down.At(x, y), !inside ? 0u : x < 8 ? 0xFFFF0000u : 0xFF0000FFu) << x << "," << y;
    }
  // Up: a tall 4 x 8 picture into 32 is 16 x 32, centred across.
  const RgbaPicture up = FitPictureInSquare(Halves(4, 8), 32);
  for (int x = 0; x < 32; ++x) {
    const bool inside = x >= 8 && x < 24;
    EXPECT_EQ(up.At(x, 0), !inside ? 0u : x < 16 ? 0xFFFF0000u : 0xFF0000FFu) << x;
    EXPECT_EQ(up.At(x, 31), up.At(x, 0)) << x;
  }
}

TEST(ImportTargets, EachSizeComesFromTheBestEntry) {
  std::vector<ImportEntry> entries;
  for (const auto& [size, bits] : std::vector<std::pair<int, int>>{{16, 32}, {48, 4}, {32, 32}, {48, 32}, {256, 32}}) {
    ImportEntry entry;
    entry.width = entry.height = size;
    entry.bitCount = bits;
    entries.push_back(entry);
  }
  // The same size, the deepest of two; the own row when it has the size.
  EXPECT_EQ(BestEntryForSize(entries, 4, 48), 3);
  EXPECT_EQ(BestEntryForSize(entries, 1, 48), 1);
  // Else the smallest larger one, else the largest.
  EXPECT_EQ(BestEntryForSize(entries, 0, 24), 2);
  EXPECT_EQ(BestEntryForSize(entries, 0, 64), 4);
  entries[4].problem = "unreadable";
  EXPECT_EQ(BestEntryForSize(entries, 0, 64), 3);
  // An entry of other proportions is another picture.
  entries[3].height = 40;
  EXPECT_EQ(BestEntryForSize(entries, 0, 64), 1);
}

TEST(ImportTargets, EverySizeAndCountReachesTheFile) {
  const std::vector<ImportEntry> entries = ManyColourEntries();
  ASSERT_FALSE(entries.empty());
  std::vector<int> sizes(std::begin(IMPORT_SIZES), std::end(IMPORT_SIZES));
  sizes.push_back(IMPORT_SIZE_AS_IT_IS);
  std::vector<ImportMade> made;
  for (int colours : IMPORT_COLOUR_COUNTS) {
    ImportTarget target{sizes, colours};
    for (ImportMade& one : MakeImportImages(entries, 0, target, colours == 16)) made.push_back(std::move(one));
  }
  std::vector<const ImageTab*> tabs;
  for (const ImportMade& one : made) tabs.push_back(one.image.get());
  std::vector<ImageTab> read;
  ASSERT_EQ(DecodeIconFile(SerializeIcon(std::vector<const ImageTab*>(tabs.begin(), tabs.begin() + 16)), read), "");
  std::vector<ImageTab> rest;
  ASSERT_EQ(DecodeIconFile(SerializeIcon(std::vector<const ImageTab*>(tabs.begin() + 16, tabs.end())), rest), "");
  read.insert(read.end(), rest.begin(), rest.end());
  ASSERT_EQ(read.size(), made.size());
  for (std::size_t i = 0; i < made.size(); ++i) {
    SCOPED_TRACE(i);
    const int size = made[i].size == IMPORT_SIZE_AS_IT_IS ? entries[0].width : made[i].size;
    EXPECT_EQ(read[i].width, size);
    EXPECT_EQ(read[i].height, size);
    EXPECT_EQ(ColorCountOfCode(read[i].colorCode), made[i].colours);
    for (int y = 0; y < size; ++y)
      for (int x = 0; x < size; ++x) {
        const PixelCell got = CellAt(read[i], x, y), want = CellAt(*made[i].image, x, y);
        ASSERT_EQ(got & CELL_MASK_BIT, want & CELL_MASK_BIT) << x << "," << y;
        if ((want & CELL_MASK_BIT) == 0) {
          ASSERT_EQ(read[i].palette[got & CELL_INDEX_BITS], made[i].image->palette[want & CELL_INDEX_BITS]);
        }
      }
  }
}

// The shrink search that "減色..." uses is many times worse at 16 colours;
// these bounds sit between the two.
TEST(ImportTargets, TwoAndSixteenColoursComeFromTheQuantizer) {
  const std::vector<ImportEntry> entries = ManyColourEntries();
  ASSERT_FALSE(entries.empty());
  double sixteen = 0, two = 0;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const int row = static_cast<int>(i);
    sixteen += MeanSquaredError(entries[i].picture, *MakeImportImage(entries, row, 0, 16, false).image);
    two += MeanSquaredError(entries[i].picture, *MakeImportImage(entries, row, 0, 2, false).image);
  }
  // The quantizer gives about 75 and 8300 here, the shrink search about
  // 6190 and 39600. These pictures have transparent margins, so two colours
  // are black (under the mask) and the one colour that serves the rest best.
  EXPECT_LT(sixteen / entries.size(), 150);
  EXPECT_LT(two / entries.size(), 10000);
}

TEST(ImportTargets, DefaultsAreTheOwnSizeAndTheSmallestExactCount) {
  ImportTarget square = DefaultImportTarget(EntryOf(Halves(32, 32)));
  EXPECT_EQ(square.sizes, std::vector<int>{32});
  EXPECT_EQ(square.colours, 2);
  EXPECT_EQ(DefaultImportTarget(EntryOf(Halves(40, 20))).sizes, std::vector<int>{IMPORT_SIZE_AS_IT_IS});
  const ImportTarget large = DefaultImportTarget(EntryOf(Halves(128, 100)));
  EXPECT_EQ(large.sizes, std::vector<int>{64});
  RgbaPicture many = Halves(30, 30);
  for (std::size_t i = 0; i < many.pixels.size(); ++i) many.pixels[i] = 0xFF000000u | static_cast<std::uint32_t>(i * 97);
  EXPECT_EQ(DefaultImportTarget(EntryOf(many)).colours, 256);
  many.pixels.assign(many.pixels.size(), 0xFF102030);
  many.pixels[5] = 0xFF405060;
  many.pixels[6] = 0xFF708090;
  EXPECT_EQ(DefaultImportTarget(EntryOf(many)).colours, 16);
}

TEST(ImportTargets, LossLinesNameTheTargetAndACursorsHotSpot) {
  std::vector<ImportEntry> entries{EntryOf(Halves(128, 100))};
  // The margin of the square is transparent, and its black takes one of the
  // two colours.
  EXPECT_EQ(DescribeMadeLoss(MakeImportImage(entries, 0, 32, 2, false)),
            "128×100 → 32×32、2色：32×25に縮小、透明な画素の下に置く黒で1色を使う");
  entries = {EntryOf(Halves(8, 8))};
  EXPECT_EQ(DescribeMadeLoss(MakeImportImage(entries, 0, IMPORT_SIZE_AS_IT_IS, 16, false)),
            "8×8 → 8×8、16色：そのまま取り込めます");

  // A cursor file reads like an icon file; its directory's hot spot is not
  // taken for a bit depth, and the loss line says the hot spot goes.
  import_samples::Entry four = Solid(16, 16, 0, 4);
  four.palette.assign(16, 0xFF000000);
  four.palette[1] = 0xFFFF0000;
  four.values.assign(256, 1);
  ByteBuffer cursor = BuildIcon({four});
  cursor[2] = 2;
  cursor[6 + 4] = 7;   // hot spot x
  cursor[6 + 6] = 9;   // hot spot y
  ASSERT_EQ(ReadImportEntries(cursor, entries), "");
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].bitCount, 4);
  EXPECT_EQ(DescribeMadeLoss(MakeImportImage(entries, 0, 16, 2, false)),
            "16×16 → 16×16、2色：カーソルのホットスポット");
}

TEST(ImportTargets, BitDepthsComeFromTheFileHeaders) {
  // PNG: bit depth 8 with colour type 2 (red, green, blue) is 24 bits; type
  // 3 (palette) at 4 bits is 4.
  ByteBuffer png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13, 'I', 'H', 'D', 'R',
                    0,    0,   0,   16,  0,    0,    0,    16,  8, 2};
  EXPECT_EQ(PictureBitsPerPixel(png.data(), png.size()), 24);
  png[24] = 4;
  png[25] = 3;
  EXPECT_EQ(PngBitsPerPixel(png.data(), png.size()), 4);
  EXPECT_EQ(PngBitsPerPixel(png.data(), 20), 0);
  const ByteBuffer bmp = import_samples::BuildBmp(2, 2, 24, ByteBuffer(16, 0));
  EXPECT_EQ(PictureBitsPerPixel(bmp.data(), bmp.size()), 24);
  const ByteBuffer gif = import_samples::BuildGif(2, 1, {1, 2});
  EXPECT_EQ(PictureBitsPerPixel(gif.data(), gif.size()), 2);
}
