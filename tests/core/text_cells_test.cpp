#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "canvas/text_cells.h"
#include "platform/scroll_request.h"

namespace {

constexpr ColorRef BACK = 0x00F0E0D0;
constexpr ColorRef INK = 0x00102030;

// A canvas with a row stride wider than its width, filled with BACK.
struct TestCanvas {
  std::vector<std::uint32_t> pixels;
  RasterSurface surface;
  TestCanvas(int width, int height) : pixels(static_cast<size_t>((width + 5) * height)) {
    surface = {pixels.data(), width, height, width + 5};
    FillPixelRect(surface, {0, 0, width, height}, BACK);
  }
};

}  // namespace

TEST(MarkTextCells, AnyPixelOtherThanTheBackgroundInsideImageAndCanvasMarksItsCell) {
  TestCanvas canvas(20, 14);
  SetSurfacePixel(canvas.surface, 8, 8, INK);
  SetSurfacePixel(canvas.surface, 13, 11, BACK ^ 1);  // a faint smoothing shade
  SetSurfacePixel(canvas.surface, 7, 8, INK);         // left of the image
  SetSurfacePixel(canvas.surface, 19, 13, INK);       // the canvas's last pixel
  // The image is larger than the canvas: the missing pixels are no text.
  const TextCellMask mask = MarkTextCells(canvas.surface, BACK | 0x7F000000u, 8, 8, 64, 64);
  EXPECT_EQ(mask.count(), 3u);
  EXPECT_TRUE(mask.test(CellIndex(0, 0)) && mask.test(CellIndex(5, 3)) && mask.test(CellIndex(11, 5)));
  EXPECT_EQ(MarkTextCells(canvas.surface, BACK, 8, 8, 9, 4).count(), 2u);
}

TEST(CommitTextCells, StoresThePenCellOnlyInMarkedCellsOfTheImage) {
  ImageTab tab{};
  tab.width = 10;
  tab.height = 6;
  ClearTabPixels(tab);
  tab.penIndex = 7;
  tab.penMask = 1;
  TextCellMask mask;
  mask.set(CellIndex(0, 0));
  mask.set(CellIndex(9, 5));
  mask.set(CellIndex(20, 2));  // outside the image
  EXPECT_EQ(CommitTextCells(tab, mask), 2);
  EXPECT_EQ(CellAt(tab, 0, 0), 0x0107);
  EXPECT_EQ(CellAt(tab, 9, 5), 0x0107);
  EXPECT_EQ(CellAt(tab, 1, 0), FRESH_CELL);
  EXPECT_EQ(CellAt(tab, 20, 2), 0);
}

TEST(CommitTextCells, ATrueColourTabTakesThePenBlendedOverEachPixelByItsCoverage) {
  // The coverage is measured along the channel where ink and background
  // differ most: here blue, 0x10 against 0xF0.
  TestCanvas canvas(20, 14);
  SetSurfacePixel(canvas.surface, 8, 8, INK);
  SetSurfacePixel(canvas.surface, 9, 8, 0x00802030);  // half way on that channel
  SetSurfacePixel(canvas.surface, 10, 8, BACK ^ 1);   // a shade the channel misses
  const TextCoverage coverage = ReadTextCoverage(canvas.surface, BACK, INK, 8, 8, 12, 6);
  EXPECT_EQ(coverage[CellIndex(0, 0)], 255);
  EXPECT_EQ(coverage[CellIndex(1, 0)], 127);
  EXPECT_EQ(coverage[CellIndex(2, 0)], 1);
  EXPECT_EQ(std::count_if(coverage.begin(), coverage.end(), [](std::uint8_t c) { return c != 0; }), 3);

  struct Row {
    PixelCell under;
    std::uint32_t pen;
    int coverage;
    PixelCell expected;
  };
  const Row rows[] = {
      {0xFF0000FFu, 0xFF102030u, 255, 0xFF102030u},  // whole coverage replaces
      {0xFF0000FFu, 0xFF102030u, 0, 0xFF0000FFu},    // none leaves the pixel
      {0, 0xFF102030u, 128, 0x80102030u},            // over nothing: the alpha is the coverage
      {0xFFFFFFFFu, 0xFF102030u, 128, 0xFF878F97u},  // over opaque white: the colours mix
      {0, 0x00102030u, 255, 0},                      // a transparent pen leaves 0
  };
  for (const Row& row : rows) EXPECT_EQ(BlendOverCell(row.under, row.pen, row.coverage), row.expected) << row.coverage;

  auto tab = std::make_unique<ImageTab>();
  tab->kind = TabKind::TrueColour;
  tab->width = 10;
  tab->height = 6;
  tab->penColour = 0xFF102030u;
  CellAt(*tab, 1, 0) = 0xFFFFFFFFu;
  TextCoverage cells(CELL_COUNT, 0);
  cells[CellIndex(0, 0)] = 255;
  cells[CellIndex(1, 0)] = 128;
  cells[CellIndex(20, 2)] = 255;  // outside the image
  EXPECT_EQ(CommitTextCoverage(*tab, cells), 2);
  EXPECT_EQ(CellAt(*tab, 0, 0), 0xFF102030u);
  EXPECT_EQ(CellAt(*tab, 1, 0), 0xFF878F97u);
  EXPECT_EQ(CellAt(*tab, 2, 0), 0u);
  EXPECT_EQ(CellAt(*tab, 20, 2), 0u);
  // With "leave background" on the text erases what it touches.
  tab->penMask = 1;
  CommitTextCoverage(*tab, cells);
  EXPECT_EQ(CellAt(*tab, 1, 0), 0u);
}

TEST(InvertDottedFrame, InvertsEveryOtherEdgePixelOnceAndUndoesItself) {
  TestCanvas canvas(20, 16);
  const std::vector<std::uint32_t> before = canvas.pixels;
  InvertDottedFrame(canvas.surface, {7, 7, 13, 12});
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 20; ++x) {
      const bool onEdge = x >= 7 && x <= 12 && y >= 7 && y <= 11 && (x == 7 || x == 12 || y == 7 || y == 11);
      ASSERT_EQ(SurfacePixel(canvas.surface, x, y), onEdge && (x + y) % 2 == 0 ? BACK ^ 0xFFFFFFu : BACK)
          << x << "," << y;
    }
  InvertDottedFrame(canvas.surface, {7, 7, 13, 12});
  // A frame one pixel wide, and one beyond the canvas, each twice.
  for (int i = 0; i < 2; ++i) {
    InvertDottedFrame(canvas.surface, {2, 2, 3, 9});
    InvertDottedFrame(canvas.surface, {-5, -5, 30, 30});
  }
  EXPECT_EQ(canvas.pixels, before);
}

TEST(NextTextScrollPosition, LinesAndPagesMoveOnePixelThumbsJumpOtherCodesKeep) {
  struct Case {
    int position, maximum, code, track, expected;
  };
  const Case cases[] = {
      {5, 100, SB_LINELEFT, 0, 4},      {0, 100, SB_PAGELEFT, 0, 0},         {98, 100, SB_LINERIGHT, 0, 99},
      {99, 100, SB_PAGERIGHT, 0, 99},   {5, 100, SB_THUMBPOSITION, 37, 37},  {5, 100, SB_THUMBTRACK, 140, 100},
      {5, 100, SB_THUMBTRACK, -3, 0},   {5, 100, SB_RIGHT, 0, 5},            {5, 100, SB_ENDSCROLL, 0, 5},
  };
  for (const Case& c : cases)
    EXPECT_EQ(NextTextScrollPosition(c.position, c.maximum, c.code, c.track), c.expected)
        << c.position << " code " << c.code << " track " << c.track;
}

TEST(TextFontNames, SizesCountTheWholeCellAndNamesAreListedOnceAndCutAtCharacters) {
  // A font whose cell is 28 pixels at size 26 needs size 24 for a cell of 26.
  EXPECT_EQ(PixelSizeForCellHeight(26, 26, 28), 24);
  EXPECT_EQ(PixelSizeForCellHeight(1, 20, 30), 1);
  EXPECT_EQ(PixelSizeForCellHeight(30, 30, 0), 30);
  // Cells of 25, 26 and 28 pixels at sizes 24, 25 and 26: the search climbs
  // from a short estimate, descends from a tall one, and never overshoots.
  const auto cellAt = [](int size) { return size + 1 + (size >= 26 ? 1 : 0); };
  EXPECT_EQ(FitPixelSize(26, 24, cellAt), 25);
  EXPECT_EQ(FitPixelSize(26, 27, cellAt), 25);
  EXPECT_EQ(FitPixelSize(27, 20, cellAt), 25);
  EXPECT_EQ(FitPixelSize(1, 5, cellAt), 1);

  std::vector<std::string> names;
  for (const char* family : {"C059 [UKWN]", "C059 [urw]", "[odd]", "DejaVu Sans", "IPAGothic", "DejaVu Sans"})
    AppendFaceName(names, FaceNameOfFamily(family));
  // Only a repeat of the name just added is dropped.
  EXPECT_EQ(names, (std::vector<std::string>{"C059", "[odd]", "DejaVu Sans", "IPAGothic", "DejaVu Sans"}));

  EXPECT_EQ(FirstCharacters("ABC", 19), "ABC");
  EXPECT_EQ(FirstCharacters("aあ\xF0\x9F\x98\x80z", 3), "aあ\xF0\x9F\x98\x80");
}
