// The rectangle, filled rectangle and filled circle tools, driven by the
// mouse as the circle tool is: cell for cell against drawn references.

#include <QTest>

#include <string>
#include <vector>

#include "app/command_ids.h"
#include "app/commands.h"
#include "model/undo_history.h"
#include "tests/ui/canvas_fixture.h"

namespace {

constexpr PixelCell RED_CELL = 9;
// The pen of a true-colour tab: half-transparent red.
constexpr std::uint32_t RED_ARGB = 0x80FF0000u;

int HistoryLength(const ImageTab& tab) {
  int count = 0;
  for (const UndoNode* node = tab.undoFirst; node != nullptr; node = node->next) ++count;
  return count;
}

// The top-left 12 x 8 cells as rows, 'x' for a pen cell (of the tab's
// kind) and '.' for any other.
std::vector<std::string> Picture(const ImageTab& tab) {
  const PixelCell pen = IsTrueColour(tab) ? RED_ARGB : RED_CELL;
  std::vector<std::string> rows;
  for (int y = 0; y < 8; ++y) {
    std::string row;
    for (int x = 0; x < 12; ++x) row += CellAt(tab, x, y) == pen ? 'x' : '.';
    rows.push_back(row);
  }
  return rows;
}

class ShapeToolsTest : public CanvasTest {
 protected:
  // Draws a shape with the tool from one cell to another, both clicked, the
  // mouse passing elsewhere on the way.
  void Draw(ImageTab& tab, int command, QPoint from, QPoint to) {
    DispatchCommand(static_cast<unsigned>(command));
    tab.penIndex = RED_CELL;
    tab.penColour = RED_ARGB;
    ClickCell(tab, from.x(), from.y());
    Hover(CellPoint(tab, 11, 7));
    Hover(CellPoint(tab, to.x(), to.y()));
    ClickCell(tab, to.x(), to.y());
  }
};

TEST_F(ShapeToolsTest, RectanglesCellForCell) {
  struct Case {
    int command;
    QPoint from;
    QPoint to;
    std::vector<std::string> expected;
  };
  const Case cases[] = {
      {CMD_RECTANGLE, {1, 1}, {6, 4},
       {"............", ".xxxxxx.....", ".x....x.....", ".x....x.....", ".xxxxxx.....", "............",
        "............", "............"}},
      // Drawn backwards: the same box.
      {CMD_RECTANGLE, {6, 4}, {1, 1},
       {"............", ".xxxxxx.....", ".x....x.....", ".x....x.....", ".xxxxxx.....", "............",
        "............", "............"}},
      {CMD_RECTANGLE, {3, 2}, {3, 6},
       {"............", "............", "...x........", "...x........", "...x........", "...x........",
        "...x........", "............"}},
      {CMD_FILLED_RECTANGLE, {2, 5}, {9, 3},
       {"............", "............", "............", "..xxxxxxxx..", "..xxxxxxxx..", "..xxxxxxxx..",
        "............", "............"}},
      {CMD_FILLED_RECTANGLE, {0, 0}, {0, 0},
       {"x...........", "............", "............", "............", "............", "............",
        "............", "............"}},
  };
  for (const bool trueColour : {false, true})
    for (const Case& c : cases) {
      ImageTab& tab = trueColour ? OpenTrueColourTab(16, 16, 184, 184) : OpenTab(16, 16, 184, 184);
      const int snapshots = HistoryLength(tab);
      Draw(tab, c.command, c.from, c.to);
      EXPECT_EQ(Picture(tab), c.expected) << c.command << " " << trueColour;
      EXPECT_EQ(HistoryLength(tab), snapshots + 1);
      DispatchCommand(CMD_DELETE_TAB);
    }
}

// A filled circle is the circle tool's outline with every cell between its
// outermost cells of each row: drawn both ways on the same box, row by row.
TEST_F(ShapeToolsTest, FilledCircleIsTheCircleWithItsInside) {
  const QPoint boxes[][2] = {{{0, 0}, {9, 6}}, {{2, 1}, {8, 7}}, {{1, 1}, {11, 3}}, {{4, 4}, {4, 4}}};
  for (const bool trueColour : {false, true})
    for (const auto& box : boxes) {
      const auto open = [this, trueColour]() -> ImageTab& {
        return trueColour ? OpenTrueColourTab(16, 16, 184, 184) : OpenTab(16, 16, 184, 184);
      };
      ImageTab& outline = open();
      Draw(outline, CMD_CIRCLE, box[0], box[1]);
      std::vector<std::string> expected = Picture(outline);
      for (std::string& row : expected) {
        const auto first = row.find('x');
        if (first != std::string::npos) row.replace(first, row.rfind('x') - first + 1, row.rfind('x') - first + 1, 'x');
      }
      DispatchCommand(CMD_DELETE_TAB);
      ImageTab& filled = open();
      const int snapshots = HistoryLength(filled);
      Draw(filled, CMD_FILLED_CIRCLE, box[0], box[1]);
      EXPECT_EQ(Picture(filled), expected) << box[0].x() << "," << box[0].y();
      EXPECT_EQ(HistoryLength(filled), snapshots + 1);
      DispatchCommand(CMD_DELETE_TAB);
    }
}

TEST_F(ShapeToolsTest, ThePictureFollowsTheMouseOnTheWindowOnly) {
  ImageTab& tab = OpenTab(16, 16, 184, 184);
  DispatchCommand(CMD_FILLED_RECTANGLE);
  tab.penIndex = RED_CELL;
  ClickCell(tab, 1, 1);
  Hover(CellPoint(tab, 6, 6));
  const QPoint inside = CellPoint(tab, 4, 4);
  EXPECT_EQ(ColorOfPixel(EditWindowPicture().pixel(inside)), TestPaletteColor(RED_CELL));
  EXPECT_NE(BackPixel(inside.x(), inside.y()), TestPaletteColor(RED_CELL));
  EXPECT_EQ(CellAt(tab, 4, 4), FRESH_CELL);
  // The right button ends the action and takes the picture away.
  RightPress(inside);
  EXPECT_EQ(EditWindowPicture(), editView.backBuffer);
  EXPECT_EQ(CellAt(tab, 4, 4), FRESH_CELL);
}

}  // namespace

// The shapes are worked out on a scratch picture as large as the store, so
// a 256 x 256 true-colour tab gets them to its far corner.
TEST_F(ShapeToolsTest, ShapesReachTheFarCornerOfALargeTrueColourTab) {
  ImageTab& tab = OpenTrueColourTab(256, 256);
  tab.penColour = RED_ARGB;
  tab.penMode = PEN_FILLED_RECTANGLE;
  tab.anchorX = 200;
  tab.anchorY = 190;
  tab.endX = tab.endY = 255;
  CommitCircle(tab);
  int painted = 0;
  for (int x = 0; x < 256; ++x)
    for (int y = 0; y < 256; ++y) painted += CellAt(tab, x, y) == RED_ARGB ? 1 : 0;
  EXPECT_EQ(painted, 56 * 66);
  EXPECT_EQ(CellAt(tab, 255, 255), RED_ARGB);
  EXPECT_EQ(CellAt(tab, 199, 190), 0u);
}
