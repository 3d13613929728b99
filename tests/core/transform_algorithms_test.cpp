#include "canvas/transform_algorithms.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <iterator>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/command_ids.h"

namespace {

using Picture = std::vector<std::string>;

// Cells are written as characters: the palette index is the character's
// code, '.' stands for a fresh cell (FRESH_CELL, or 0 on a true-colour tab)
// and '?' for any other transparent cell.
char CellChar(PixelCell v) {
  return v == FRESH_CELL || v == 0 ? '.' : (v & CELL_MASK_BIT) != 0 ? '?' : static_cast<char>(v);
}

// A 10 x 10 tab filled with 'z', with the picture placed at (left, top)
// and selected.
std::unique_ptr<ImageTab> TabWith(const Picture& picture, int left = 1, int top = 1,
                                  TabKind kind = TabKind::Indexed) {
  auto tab = std::make_unique<ImageTab>();
  tab->kind = kind;
  tab->width = tab->height = 10;
  std::fill(std::begin(tab->cells), std::end(tab->cells), PixelCell{'z'});
  for (int y = 0; y < static_cast<int>(picture.size()); ++y)
    for (int x = 0; x < static_cast<int>(picture[y].size()); ++x)
      CellAt(*tab, left + x, top + y) = static_cast<PixelCell>(picture[y][x]);
  tab->selection = {left, top, left + static_cast<int>(picture[0].size()) - 1,
                    top + static_cast<int>(picture.size()) - 1};
  return tab;
}

// The whole 10 x 10 image, so that a change outside the selection shows.
Picture Image(const ImageTab& tab) {
  Picture rows(10, std::string(10, ' '));
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 10; ++x) rows[y][x] = CellChar(CellAt(tab, x, y));
  return rows;
}

Picture Work(const PixelCell* cells, int width, int height) {
  Picture rows(height, std::string(width, ' '));
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) rows[y][x] = CellChar(cells[CellIndex(x, y)]);
  return rows;
}

// The selection of a picture made in turn with each of the commands.
Picture Transformed(const Picture& picture, std::initializer_list<int> commands, bool changes = true) {
  auto tab = TabWith(picture, 0, 0);
  for (int command : commands) EXPECT_EQ(TransformSelection(*tab, command), changes) << command;
  Picture rows = Image(*tab);
  rows.resize(picture.size());
  for (std::string& row : rows) row.resize(picture[0].size());
  return rows;
}

}  // namespace

TEST(TransformSelectionTest, ShiftsWrapAroundAndFlipsMirrorWithinTheSelection) {
  EXPECT_EQ(Transformed({"1234"}, {CMD_SHIFT_LEFT}), (Picture{"2341"}));
  EXPECT_EQ(Transformed({"1234"}, {CMD_SHIFT_RIGHT}), (Picture{"4123"}));
  EXPECT_EQ(Transformed({"14", "25", "36"}, {CMD_SHIFT_UP}), (Picture{"25", "36", "14"}));
  EXPECT_EQ(Transformed({"14", "25", "36"}, {CMD_SHIFT_DOWN}), (Picture{"36", "14", "25"}));
  EXPECT_EQ(Transformed({"abcde", "fghij"}, {CMD_FLIP_HORIZONTAL}), (Picture{"edcba", "jihgf"}));
  EXPECT_EQ(Transformed({"ab", "cd", "ef", "gh"}, {CMD_FLIP_VERTICAL}), (Picture{"gh", "ef", "cd", "ab"}));

  // Whole cells move, the mask bit with them; nothing outside changes.
  auto tab = TabWith({"abc"}, 4, 6);
  CellAt(*tab, 4, 6) |= CELL_MASK_BIT;
  EXPECT_TRUE(TransformSelection(*tab, CMD_SHIFT_LEFT));
  Picture expected(10, "zzzzzzzzzz");
  expected[6] = "zzzzbc?zzz";
  EXPECT_EQ(Image(*tab), expected);

  // On a 256 px true-colour tab whole 32-bit colours move, alpha and all,
  // across the far columns of the store.
  auto wide = std::make_unique<ImageTab>();
  wide->kind = TabKind::TrueColour;
  wide->width = wide->height = 256;
  const auto colour = [](int x, int y) { return PixelCell(0x80000000u | std::uint32_t(x) << 8 | std::uint32_t(y)); };
  for (int x = 250; x < 256; ++x) CellAt(*wide, x, 255) = colour(x, 255);
  wide->selection = {250, 255, 255, 255};
  EXPECT_TRUE(TransformSelection(*wide, CMD_FLIP_HORIZONTAL));
  for (int x = 250; x < 256; ++x) EXPECT_EQ(CellAt(*wide, x, 255), colour(505 - x, 255)) << x;
  EXPECT_TRUE(TransformSelection(*wide, CMD_SHIFT_LEFT));
  EXPECT_EQ(CellAt(*wide, 255, 255), colour(255, 255));
}

TEST(TransformSelectionTest, TooNarrowSelectionsAndRectanglesOutsideTheImageChangeNothing) {
  EXPECT_EQ(Transformed({"ab", "cd", "ef"}, {CMD_SHIFT_LEFT, CMD_SHIFT_RIGHT, CMD_FLIP_HORIZONTAL}, false),
            (Picture{"ab", "cd", "ef"}));
  EXPECT_EQ(Transformed({"abc", "def"}, {CMD_SHIFT_UP, CMD_SHIFT_DOWN, CMD_FLIP_VERTICAL}, false),
            (Picture{"abc", "def"}));
  auto tab = TabWith({"abc", "def", "ghi"});
  const Picture before = Image(*tab);
  for (const CellRect& bad : {CellRect{0, 0, 10, 9}, CellRect{-1, 0, 5, 5}, CellRect{0, 0, 63, 200}, CellRect{5, 5, 2, 8}}) {
    tab->selection = bad;
    for (int command = CMD_SHIFT_LEFT; command <= CMD_FLIP_VERTICAL; ++command)
      EXPECT_FALSE(TransformSelection(*tab, command)) << command;
    EXPECT_FALSE(CanRotateSelection(*tab));
  }
  EXPECT_EQ(Image(*tab), before);
}

TEST(RotateWorkTest, QuarterTurnsKeepTheCentredSquareAndTheHalfTurnTheWholeRectangle) {
  auto work = std::make_unique<RotateWork>();
  auto tab = TabWith({"abcde", "fghij", "klmno"});
  StartRotateWork(*work, *tab);
  EXPECT_EQ(Work(work->result, 6, 4), (Picture{"abcde.", "fghij.", "klmno.", "......"}));
  TurnSourceCells(*work, *tab, 1);
  EXPECT_EQ(Work(work->source, 5, 3), (Picture{".din.", ".chm.", ".bgl."}));
  TurnSourceCells(*work, *tab, 3);
  EXPECT_EQ(Work(work->source, 5, 3), (Picture{".lgb.", ".mhc.", ".nid."}));
  // Sides that differ by an odd number: the left turn keeps rows 0..2,
  // the right turn rows 1..3.
  tab = TabWith({"abc", "def", "ghi", "jkl"});
  TurnSourceCells(*work, *tab, 1);
  EXPECT_EQ(Work(work->source, 3, 4), (Picture{"cfi", "beh", "adg", "..."}));
  TurnSourceCells(*work, *tab, 3);
  EXPECT_EQ(Work(work->source, 3, 4), (Picture{"jgd", "khe", "lif", "..."}));
  // A taller selection keeps its middle rows 1..3 either way.
  tab = TabWith({"abc", "def", "ghi", "jkl", "mno"});
  TurnSourceCells(*work, *tab, 1);
  EXPECT_EQ(Work(work->source, 3, 5), (Picture{"...", "fil", "ehk", "dgj", "..."}));
  TurnSourceCells(*work, *tab, 3);
  EXPECT_EQ(Work(work->source, 3, 5), (Picture{"...", "jgd", "khe", "lif", "..."}));
  tab = TabWith({"abcd", "efgh", "ijkl", "mnop", "qrst", "uvwx"});
  TurnSourceCells(*work, *tab, 2);
  EXPECT_EQ(Work(work->source, 4, 6), (Picture{"xwvu", "tsrq", "ponm", "lkji", "hgfe", "dcba"}));
}

TEST(RotateWorkTest, FreeAnglesTurnAboutTheMiddleCellWithDivisionTowardZero) {
  auto work = std::make_unique<RotateWork>();
  auto turned = std::make_unique<RotateWork>();
  auto tab = TabWith({"abcde", "fghij", "klmno", "pqrst", "uvwxy"});
  StartRotateWork(*work, *tab);
  for (const auto& [angle, turns] : {std::pair{0, 0}, std::pair{90, 1}, std::pair{180, 2}, std::pair{270, 3}}) {
    work->angle = angle;
    RotateByAngle(*work);
    TurnSourceCells(*turned, *tab, turns);
    EXPECT_EQ(Work(work->result, 5, 5), Work(turned->source, 5, 5)) << angle;
  }
  // An even side turns about the cell right of and below the middle.
  tab = TabWith({"abcd", "efgh", "ijkl", "mnop"});
  StartRotateWork(*work, *tab);
  work->angle = 90;
  RotateByAngle(*work);
  EXPECT_EQ(Work(work->result, 4, 4), (Picture{"....", "dhlp", "cgko", "bfjn"}));
  // At 45 degrees positions up to a cell above or left of the source still
  // take its first row or column; uncovered cells are the tab's own
  // transparent cell.
  for (TabKind kind : {TabKind::Indexed, TabKind::TrueColour}) {
    tab = TabWith({"abc", "def", "ghi"}, 1, 1, kind);
    StartRotateWork(*work, *tab);
    work->angle = 45;
    RotateByAngle(*work);
    EXPECT_EQ(Work(work->result, 4, 4), (Picture{"bbf.", "aee.", "ddh.", "...."}));
    EXPECT_EQ(work->result[CellIndex(3, 0)], FreshCellOf(*tab));
  }
  // A true-colour selection larger than an indexed image turns whole.
  tab = TabWith({"ab", "cd"}, 0, 0, TabKind::TrueColour);
  tab->width = tab->height = 256;
  tab->selection = {0, 0, 200, 100};
  CellAt(*tab, 200, 100) = 0x80FF0000u;
  StartRotateWork(*work, *tab);
  work->angle = 180;
  RotateByAngle(*work);
  TurnSourceCells(*turned, *tab, 2);
  EXPECT_TRUE(std::equal(work->result, work->result + CELL_COUNT, turned->source));
  EXPECT_EQ(work->result[CellIndex(0, 0)], 0x80FF0000u);

  EXPECT_EQ(RotateAngleOfNumber(90), 90);
  EXPECT_EQ(RotateAngleOfNumber(400), 359);
  EXPECT_EQ(RotateAngleOfNumber(-90), 270);
}
