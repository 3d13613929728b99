#include "canvas/transform_algorithms.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <memory>
#include <utility>
#include <vector>

#include "app/command_ids.h"

namespace {

// A 10 x 10 tab whose every cell holds its own value (index x + 10 y, with
// the mask bit on odd columns), so that any cell that moves is noticed.
std::unique_ptr<ImageTab> NumberedTab(int width = 10, int height = 10) {
  auto tab = std::make_unique<ImageTab>();
  tab->width = static_cast<std::uint8_t>(width);
  tab->height = static_cast<std::uint8_t>(height);
  for (int x = 0; x < MAX_IMAGE_SIZE; ++x)
    for (int y = 0; y < MAX_IMAGE_SIZE; ++y)
      CellAt(*tab, x, y) = static_cast<PixelCell>(((x + 10 * y) & 0xFF) | (x % 2 == 1 ? CELL_MASK_BIT : 0));
  return tab;
}

PixelCell Numbered(int x, int y) {
  return static_cast<PixelCell>(((x + 10 * y) & 0xFF) | (x % 2 == 1 ? CELL_MASK_BIT : 0));
}

void Select(ImageTab& tab, int left, int top, int right, int bottom) { tab.selection = {left, top, right, bottom}; }

std::vector<PixelCell> Row(const ImageTab& tab, int y, int left, int right) {
  std::vector<PixelCell> row;
  for (int x = left; x <= right; ++x) row.push_back(CellAt(tab, x, y));
  return row;
}

std::vector<PixelCell> Column(const ImageTab& tab, int x, int top, int bottom) {
  std::vector<PixelCell> column;
  for (int y = top; y <= bottom; ++y) column.push_back(CellAt(tab, x, y));
  return column;
}

// A W x H picture of a work array, row by row.
std::vector<PixelCell> Picture(const PixelCell* cells, int width, int height) {
  std::vector<PixelCell> picture;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) picture.push_back(cells[CellIndex(x, y)]);
  return picture;
}

// Counts the cells of the tab that differ from the numbered start outside
// the rectangle.
int ChangedOutside(const ImageTab& tab, int left, int top, int right, int bottom) {
  int changed = 0;
  for (int x = 0; x < MAX_IMAGE_SIZE; ++x)
    for (int y = 0; y < MAX_IMAGE_SIZE; ++y)
      if ((x < left || x > right || y < top || y > bottom) && CellAt(tab, x, y) != Numbered(x, y)) ++changed;
  return changed;
}

}  // namespace

TEST(TransformSelectionTest, ShiftsWrapAroundWithinTheSelectionAndCarryTheMask) {
  auto tab = NumberedTab();
  const PixelCell a = Numbered(2, 3), b = Numbered(3, 3), c = Numbered(4, 3), d = Numbered(5, 3);
  Select(*tab, 2, 3, 5, 3);
  EXPECT_TRUE(TransformSelection(*tab, CMD_SHIFT_LEFT));
  EXPECT_EQ(Row(*tab, 3, 2, 5), (std::vector<PixelCell>{b, c, d, a}));
  EXPECT_TRUE(TransformSelection(*tab, CMD_SHIFT_RIGHT));
  EXPECT_TRUE(TransformSelection(*tab, CMD_SHIFT_RIGHT));
  EXPECT_EQ(Row(*tab, 3, 2, 5), (std::vector<PixelCell>{d, a, b, c}));
  EXPECT_EQ(ChangedOutside(*tab, 2, 3, 5, 3), 0);

  tab = NumberedTab();
  Select(*tab, 1, 2, 3, 6);
  EXPECT_TRUE(TransformSelection(*tab, CMD_SHIFT_UP));
  for (int x = 1; x <= 3; ++x)
    EXPECT_EQ(Column(*tab, x, 2, 6),
              (std::vector<PixelCell>{Numbered(x, 3), Numbered(x, 4), Numbered(x, 5), Numbered(x, 6), Numbered(x, 2)}));
  EXPECT_TRUE(TransformSelection(*tab, CMD_SHIFT_DOWN));
  EXPECT_TRUE(TransformSelection(*tab, CMD_SHIFT_DOWN));
  EXPECT_EQ(Column(*tab, 3, 2, 6),
            (std::vector<PixelCell>{Numbered(3, 6), Numbered(3, 2), Numbered(3, 3), Numbered(3, 4), Numbered(3, 5)}));
  EXPECT_EQ(ChangedOutside(*tab, 1, 2, 3, 6), 0);
}

TEST(TransformSelectionTest, FlipsMirrorAndKeepTheMiddleOfAnOddSide) {
  auto tab = NumberedTab();
  Select(*tab, 0, 0, 4, 1);
  EXPECT_TRUE(TransformSelection(*tab, CMD_FLIP_HORIZONTAL));
  for (int y = 0; y <= 1; ++y)
    EXPECT_EQ(Row(*tab, y, 0, 4),
              (std::vector<PixelCell>{Numbered(4, y), Numbered(3, y), Numbered(2, y), Numbered(1, y), Numbered(0, y)}));
  EXPECT_EQ(ChangedOutside(*tab, 0, 0, 4, 1), 0);

  tab = NumberedTab();
  Select(*tab, 6, 5, 6, 8);
  EXPECT_TRUE(TransformSelection(*tab, CMD_FLIP_VERTICAL));
  EXPECT_EQ(Column(*tab, 6, 5, 8), (std::vector<PixelCell>{Numbered(6, 8), Numbered(6, 7), Numbered(6, 6), Numbered(6, 5)}));
  EXPECT_EQ(ChangedOutside(*tab, 6, 5, 6, 8), 0);
  // Flipping again gives the start back.
  EXPECT_TRUE(TransformSelection(*tab, CMD_FLIP_VERTICAL));
  EXPECT_EQ(ChangedOutside(*tab, -1, -1, -1, -1), 0);
}

TEST(TransformSelectionTest, SelectionsTooNarrowForTheDirectionOrOutsideTheImageChangeNothing) {
  auto tab = NumberedTab();
  // Two wide, three high: only the vertical commands work.
  Select(*tab, 3, 3, 4, 5);
  for (int command : {CMD_SHIFT_LEFT, CMD_SHIFT_RIGHT, CMD_FLIP_HORIZONTAL}) EXPECT_FALSE(TransformSelection(*tab, command));
  EXPECT_EQ(ChangedOutside(*tab, -1, -1, -1, -1), 0);
  EXPECT_TRUE(TransformSelection(*tab, CMD_SHIFT_UP));

  tab = NumberedTab();
  // Three wide, two high: only the horizontal commands work.
  Select(*tab, 3, 3, 5, 4);
  for (int command : {CMD_SHIFT_UP, CMD_SHIFT_DOWN, CMD_FLIP_VERTICAL}) EXPECT_FALSE(TransformSelection(*tab, command));
  EXPECT_EQ(ChangedOutside(*tab, -1, -1, -1, -1), 0);
  EXPECT_TRUE(TransformSelection(*tab, CMD_FLIP_HORIZONTAL));

  // A rectangle that does not lie inside the image, and commands that are
  // no transform, are refused without touching a cell.
  tab = NumberedTab();
  for (const CellRect& bad : {CellRect{0, 0, 10, 9}, CellRect{-1, 0, 5, 5}, CellRect{0, 0, 63, 200}, CellRect{5, 5, 2, 8}})
    for (int command = CMD_SHIFT_LEFT; command <= CMD_FLIP_VERTICAL; ++command) {
      tab->selection = bad;
      EXPECT_FALSE(TransformSelection(*tab, command)) << command;
    }
  Select(*tab, 0, 0, 9, 9);
  EXPECT_FALSE(TransformSelection(*tab, CMD_ROTATE));
  EXPECT_FALSE(TransformSelection(*tab, CMD_DELETE));
  EXPECT_EQ(ChangedOutside(*tab, -1, -1, -1, -1), 0);
}

TEST(TransformSelectionTest, TheWholeLargestImageShiftsAndFlipsBackToItsStart) {
  auto tab = NumberedTab(64, 64);
  Select(*tab, 0, 0, 63, 63);
  for (int i = 0; i < 64; ++i) EXPECT_TRUE(TransformSelection(*tab, CMD_SHIFT_RIGHT));
  for (int i = 0; i < 64; ++i) EXPECT_TRUE(TransformSelection(*tab, CMD_SHIFT_DOWN));
  EXPECT_EQ(ChangedOutside(*tab, -1, -1, -1, -1), 0);
  EXPECT_TRUE(TransformSelection(*tab, CMD_FLIP_HORIZONTAL));
  EXPECT_EQ(CellAt(*tab, 0, 63), Numbered(63, 63));
  EXPECT_EQ(CellAt(*tab, 63, 0), Numbered(0, 0));
}

TEST(RotateWorkTest, StartingTakesTheSelectionAsSourceAndResult) {
  auto tab = NumberedTab();
  Select(*tab, 2, 1, 6, 3);
  auto work = std::make_unique<RotateWork>();
  work->angle = 45;
  std::fill(std::begin(work->result), std::end(work->result), PixelCell{7});
  StartRotateWork(*work, *tab);
  EXPECT_EQ(work->angle, 0);
  EXPECT_EQ(work->left, 0);
  EXPECT_EQ(work->top, 0);
  EXPECT_EQ(work->right, 4);
  EXPECT_EQ(work->bottom, 2);
  EXPECT_EQ(work->source[CellIndex(0, 0)], Numbered(2, 1));
  EXPECT_EQ(work->source[CellIndex(4, 2)], Numbered(6, 3));
  EXPECT_EQ(work->source[CellIndex(5, 0)], FRESH_CELL);
  EXPECT_EQ(work->source[CellIndex(0, 3)], FRESH_CELL);
  EXPECT_TRUE(std::equal(std::begin(work->source), std::end(work->source), std::begin(work->result)));
}

TEST(RotateWorkTest, QuarterTurnsOfAWideSelectionKeepOnlyItsCentredSquare) {
  auto tab = NumberedTab();
  // 5 x 3: the square of columns 3..5 is turned into source columns 1..3.
  Select(*tab, 2, 4, 6, 6);
  auto work = std::make_unique<RotateWork>();
  StartRotateWork(*work, *tab);
  const PixelCell F = FRESH_CELL;
  const auto n = Numbered;
  TurnSourceCells(*work, *tab, 1);
  EXPECT_EQ(Picture(work->source, 5, 3), (std::vector<PixelCell>{F, n(5, 4), n(5, 5), n(5, 6), F,  //
                                                                  F, n(4, 4), n(4, 5), n(4, 6), F,  //
                                                                  F, n(3, 4), n(3, 5), n(3, 6), F}));
  TurnSourceCells(*work, *tab, 3);
  EXPECT_EQ(Picture(work->source, 5, 3), (std::vector<PixelCell>{F, n(3, 6), n(3, 5), n(3, 4), F,  //
                                                                  F, n(4, 6), n(4, 5), n(4, 4), F,  //
                                                                  F, n(5, 6), n(5, 5), n(5, 4), F}));
  // Nothing outside the selection's rectangle is written.
  EXPECT_EQ(work->source[CellIndex(5, 0)], FRESH_CELL);
  EXPECT_EQ(work->source[CellIndex(0, 3)], FRESH_CELL);
}

TEST(RotateWorkTest, QuarterTurnsOfATallSelectionAndTheHalfTurnOfTheWholeRectangle) {
  auto tab = NumberedTab();
  // 3 x 4: k = 0, the square of rows 0..2 lands in source rows 0..2.
  Select(*tab, 0, 0, 2, 3);
  auto work = std::make_unique<RotateWork>();
  StartRotateWork(*work, *tab);
  const PixelCell F = FRESH_CELL;
  const auto n = Numbered;
  TurnSourceCells(*work, *tab, 1);
  EXPECT_EQ(Picture(work->source, 3, 4), (std::vector<PixelCell>{n(2, 0), n(2, 1), n(2, 2),  //
                                                                  n(1, 0), n(1, 1), n(1, 2),  //
                                                                  n(0, 0), n(0, 1), n(0, 2),  //
                                                                  F, F, F}));
  TurnSourceCells(*work, *tab, 3);
  // The clockwise turn takes its square from the other end when the sides
  // differ by an odd number: rows 1..3 here.
  EXPECT_EQ(Picture(work->source, 3, 4), (std::vector<PixelCell>{n(0, 3), n(0, 2), n(0, 1),  //
                                                                  n(1, 3), n(1, 2), n(1, 1),  //
                                                                  n(2, 3), n(2, 2), n(2, 1),  //
                                                                  F, F, F}));
  // 4 x 6: the half turn keeps every cell of the rectangle.
  Select(*tab, 3, 2, 6, 7);
  StartRotateWork(*work, *tab);
  TurnSourceCells(*work, *tab, 2);
  for (int x = 0; x < 4; ++x)
    for (int y = 0; y < 6; ++y) EXPECT_EQ(work->source[CellIndex(x, y)], n(6 - x, 7 - y)) << x << "," << y;
  // 3 x 6 turned: k = 1, the square of rows 3..5 lands in source rows 1..3.
  Select(*tab, 0, 2, 2, 7);
  StartRotateWork(*work, *tab);
  TurnSourceCells(*work, *tab, 1);
  EXPECT_EQ(Picture(work->source, 3, 6), (std::vector<PixelCell>{F, F, F,                       //
                                                                  n(2, 3), n(2, 4), n(2, 5),  //
                                                                  n(1, 3), n(1, 4), n(1, 5),  //
                                                                  n(0, 3), n(0, 4), n(0, 5),  //
                                                                  F, F, F,                       //
                                                                  F, F, F}));
}

TEST(RotateWorkTest, WholeQuarterAnglesOnAnOddSquareMatchTheQuarterTurns) {
  auto tab = NumberedTab();
  Select(*tab, 1, 2, 7, 8);
  auto work = std::make_unique<RotateWork>();
  auto turned = std::make_unique<RotateWork>();
  StartRotateWork(*work, *tab);
  StartRotateWork(*turned, *tab);
  for (const auto& [angle, turns] : {std::pair{0, 0}, std::pair{90, 1}, std::pair{180, 2}, std::pair{270, 3}}) {
    TurnSourceCells(*work, *tab, 0);
    work->angle = angle;
    RotateByAngle(*work);
    TurnSourceCells(*turned, *tab, turns);
    EXPECT_EQ(Picture(work->result, 7, 7), Picture(turned->source, 7, 7)) << angle;
  }
}

TEST(RotateWorkTest, NinetyDegreesOnAnEvenSquareEndsOneCellOff) {
  auto tab = NumberedTab();
  Select(*tab, 0, 0, 3, 3);
  auto work = std::make_unique<RotateWork>();
  auto turned = std::make_unique<RotateWork>();
  StartRotateWork(*work, *tab);
  StartRotateWork(*turned, *tab);
  work->angle = 90;
  RotateByAngle(*work);
  TurnSourceCells(*turned, *tab, 1);
  // The turn about cell (2, 2) leaves the top row uncovered and shows the
  // quarter turn one row lower.
  for (int x = 0; x < 4; ++x) {
    EXPECT_EQ(work->result[CellIndex(x, 0)], FRESH_CELL);
    for (int y = 1; y < 4; ++y) EXPECT_EQ(work->result[CellIndex(x, y)], turned->source[CellIndex(x, y - 1)]);
  }
}

TEST(RotateWorkTest, FreeAnglesSampleTheNearestCellWithDivisionTowardZero) {
  auto tab = NumberedTab();
  Select(*tab, 4, 4, 6, 6);
  auto work = std::make_unique<RotateWork>();
  StartRotateWork(*work, *tab);
  work->angle = 45;
  // Cells that the result must not write keep their value.
  work->result[CellIndex(3, 0)] = 0x0042;
  work->result[CellIndex(0, 3)] = 0x0043;
  RotateByAngle(*work);
  const auto s = [&](int x, int y) { return work->source[CellIndex(x, y)]; };
  // Positions just above and left of the source (-424 / 1024) still take
  // its first row and column.
  EXPECT_EQ(Picture(work->result, 3, 3), (std::vector<PixelCell>{s(1, 0), s(1, 0), s(2, 1),  //
                                                                  s(0, 0), s(1, 1), s(1, 1),  //
                                                                  s(0, 1), s(0, 1), s(1, 2)}));
  EXPECT_EQ(work->result[CellIndex(3, 0)], 0x0042);
  EXPECT_EQ(work->result[CellIndex(0, 3)], 0x0043);

  // A turn that moves part of the picture out uncovers transparent cells,
  // and no cell appears that the source does not have.
  Select(*tab, 0, 0, 9, 4);
  StartRotateWork(*work, *tab);
  work->angle = 30;
  RotateByAngle(*work);
  int fresh = 0;
  for (int x = 0; x < 10; ++x)
    for (int y = 0; y < 5; ++y) {
      const PixelCell v = work->result[CellIndex(x, y)];
      if (v == FRESH_CELL) {
        ++fresh;
        continue;
      }
      EXPECT_NE(std::find(std::begin(work->source), std::end(work->source), v), std::end(work->source));
    }
  EXPECT_GT(fresh, 0);
}

TEST(RotateWorkTest, TypedNumbersBecomeAnglesAndTheResultGoesBackIntoTheSelectionOnly) {
  EXPECT_EQ(RotateAngleOfNumber(0), 0);
  EXPECT_EQ(RotateAngleOfNumber(90), 90);
  EXPECT_EQ(RotateAngleOfNumber(359), 359);
  EXPECT_EQ(RotateAngleOfNumber(400), 359);
  EXPECT_EQ(RotateAngleOfNumber(-90), 270);
  EXPECT_EQ(RotateAngleOfNumber(-359), 1);

  auto tab = NumberedTab();
  Select(*tab, 2, 2, 4, 5);
  auto work = std::make_unique<RotateWork>();
  StartRotateWork(*work, *tab);
  std::fill(std::begin(work->result), std::end(work->result), PixelCell{0x0077});
  ApplyRotateResult(*work, *tab);
  for (int x = 2; x <= 4; ++x)
    for (int y = 2; y <= 5; ++y) EXPECT_EQ(CellAt(*tab, x, y), 0x0077);
  EXPECT_EQ(ChangedOutside(*tab, 2, 2, 4, 5), 0);

  Select(*tab, 0, 0, 2, 2);
  EXPECT_TRUE(CanRotateSelection(*tab));
  Select(*tab, 0, 0, 1, 4);
  EXPECT_FALSE(CanRotateSelection(*tab));
  Select(*tab, 0, 0, 4, 1);
  EXPECT_FALSE(CanRotateSelection(*tab));
  Select(*tab, 7, 7, 10, 9);
  EXPECT_FALSE(CanRotateSelection(*tab));
}
