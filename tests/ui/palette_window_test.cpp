#include <QPushButton>

#include <cstring>
#include <vector>

#include "app/command_ids.h"
#include "app/commands.h"
#include "palette/palette_layout.h"
#include "platform/system_colors.h"
#include "tests/support/modal_recorder.h"
#include "tests/ui/palette_ui_support.h"

namespace {

const QColor FACE = QColorOf(GetSystemColor(COLOR_BTNFACE));

// True when the pictures differ only inside the outline areas of the cells
// (each cell widened by the pixel its outline reaches left and above).
bool DiffersOnlyAtCells(const QImage& a, const QImage& b, std::initializer_list<int> cells) {
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) {
      bool allowed = a.pixel(x, y) == b.pixel(x, y);
      for (int index : cells) {
        const CellRect cell = PaletteCellRect(index, 0);
        allowed = allowed || (x >= cell.left - 1 && x < cell.right && y >= cell.top - 1 && y < cell.bottom);
      }
      if (!allowed) return false;
    }
  }
  return true;
}

using PaletteWindowTest = PaletteFixture;

}  // namespace

TEST_F(PaletteWindowTest, IsCreatedDisabledWithItsButtonsAndFollowsTheTabs) {
  QWidget* window = mainWindows.paletteWindow;
  EXPECT_EQ(window->objectName(), "palWndClass");
  EXPECT_EQ(window->geometry(), QRect(4, 144, 188, 227));
  EXPECT_EQ(PaletteBackBuffer()->size(), QSize(184, 223));
  EXPECT_FALSE(window->isEnabled());
  const char* texts[3] = {"整理", "減色...", "一括..."};
  for (int i = 0; i < 3; ++i) {
    auto* button = window->findChild<QPushButton*>(QString::number(290 + i));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->text(), QString::fromUtf8(texts[i]));
    EXPECT_EQ(button->geometry(), QRect(QPoint(4 + 46 * i, 196) + PaletteClientOrigin(), QSize(46, 23)));
    EXPECT_TRUE(button->font().bold() && button->font().pixelSize() == 12);
  }
  ImageTab& tab = OpenTab(16);
  EXPECT_TRUE(window->isEnabled());
  EXPECT_EQ(Shown(20, 20), QColorOf(tab.palette[0]));
  EXPECT_EQ(Shown(4, 20), QColor(Qt::white));
  DeleteTab(SlotOf(tab));
  ShowCurrentPosition();
  EXPECT_FALSE(window->isEnabled());
  EXPECT_EQ(Shown(20, 20), FACE);
}

TEST_F(PaletteWindowTest, ClicksChooseThePenColourAndNothingElse) {
  ImageTab& tab = OpenTab(0);
  const ImageTab before = tab;
  const int steps = UndoNodeCount(tab);
  const QImage first = PaletteBackBuffer()->copy();
  // (15, 4) is the shared outline column: it belongs to entry 1.
  ClickPalette(15, 4);
  EXPECT_EQ(tab.penIndex, 1);
  EXPECT_TRUE(DiffersOnlyAtCells(first, *PaletteBackBuffer(), {0, 1}));
  EXPECT_EQ(Shown(4, 10), QColor(Qt::black));
  EXPECT_EQ(Shown(15, 10), QColor(Qt::white));
  // The right button chooses too; (180, 180) is limited to the last cell.
  ClickPalette(180, 180, Qt::RightButton);
  EXPECT_EQ(tab.penIndex, 255);
  EXPECT_EQ(Shown(15, 10), QColor(Qt::black));
  EXPECT_EQ(Shown(169, 175), QColor(Qt::white));
  // The marked cell again, or the middle button: nothing changes.
  const QImage marked = PaletteBackBuffer()->copy();
  ClickPalette(176, 176);
  ClickPalette(4, 4, Qt::MiddleButton);
  EXPECT_EQ(tab.penIndex, 255);
  EXPECT_EQ(*PaletteBackBuffer(), marked);
  EXPECT_EQ(std::memcmp(tab.palette, before.palette, sizeof tab.palette), 0);
  EXPECT_EQ(std::memcmp(tab.cells, before.cells, sizeof tab.cells), 0);
  EXPECT_EQ(UndoNodeCount(tab), steps);

  ImageTab& sixteen = OpenTab(16);
  ClickPalette(92, 48);
  EXPECT_EQ(sixteen.penIndex, 6);
  ImageTab& two = OpenTab(2);
  ClickPalette(92, 180);
  EXPECT_EQ(two.penIndex, 1);
  // Below the cells, where the buttons start, nothing is chosen.
  ClickPalette(0, 181);
  EXPECT_EQ(two.penIndex, 1);
  EXPECT_EQ(sixteen.penIndex, 6);
}

TEST_F(PaletteWindowTest, PenMaskTurnsCellsAndMarkerIntoCircles) {
  ImageTab& tab = OpenTab(16);
  // Entry 5 is at (48, 48)-(93, 93); entry 0 carries the marker.
  EXPECT_EQ(Shown(50, 50), QColorOf(tab.palette[5]));
  EXPECT_EQ(Shown(5, 5), QColorOf(tab.palette[0]));
  tab.penMask = 1;
  RedrawPalette(&tab);
  EXPECT_EQ(Shown(50, 50), FACE);
  EXPECT_EQ(Shown(70, 70), QColorOf(tab.palette[5]));
  EXPECT_EQ(Shown(5, 5), FACE);
  EXPECT_EQ(Shown(4, 26), QColor(Qt::white));
  EXPECT_EQ(Shown(4, 8), FACE);
  tab.penMask = 0;
  RedrawPalette(&tab);
  EXPECT_EQ(Shown(50, 50), QColorOf(tab.palette[5]));
  EXPECT_EQ(Shown(4, 8), QColor(Qt::white));
}

TEST_F(PaletteWindowTest, OrganizeButtonSortsMergesAndRecordsOneStep) {
  ImageTab& two = OpenTab(2, {MakeColor(9, 9, 9), MakeColor(9, 9, 9)});
  DispatchCommand(CMD_ORGANIZE_PALETTE);
  EXPECT_EQ(two.palette[1], MakeColor(9, 9, 9));
  EXPECT_EQ(UndoNodeCount(two), 1);

  const ColorRef red = MakeColor(255, 0, 0), grey = MakeColor(128, 128, 128);
  ImageTab& tab = OpenTab(16, {red, grey, red, MakeColor(0, 0, 0)});
  tab.cells[CellIndex(0, 2)] |= CELL_MASK_BIT;
  const ImageTab before = tab;
  mainWindows.paletteWindow->findChild<QPushButton*>(QStringLiteral("290"))->click();
  EXPECT_EQ(UndoNodeCount(tab), 2);
  EXPECT_EQ(tab.palette[0], MakeColor(0, 0, 0));
  EXPECT_EQ(tab.palette[1], grey);
  EXPECT_EQ(tab.palette[15], 0u);
  for (int i = 0; i < 64; ++i) {
    const PixelCell old = before.cells[CellIndex(i / 8, i % 8)], now = tab.cells[CellIndex(i / 8, i % 8)];
    ASSERT_EQ(tab.palette[now & CELL_INDEX_BITS], before.palette[old & CELL_INDEX_BITS]) << i;
    ASSERT_EQ(now & CELL_MASK_BIT, old & CELL_MASK_BIT) << i;
  }
  EXPECT_EQ(CellAt(tab, 0, 0) & CELL_INDEX_BITS, CellAt(tab, 0, 2) & CELL_INDEX_BITS);
  // The window shows the new order.
  EXPECT_EQ(Shown(70, 20), QColorOf(grey));
}

TEST_F(PaletteWindowTest, PressesOnTheSunkenEdgeChooseNothingInEveryLayout) {
  // Client points on the two-pixel edge around the client area, one on each
  // side; the client area is 184 x 223.
  const QPoint edges[] = {{-2, 50}, {-1, 50}, {184, 50}, {185, 50}, {50, -2}, {50, -1}, {-1, -1}, {185, 224}};
  for (int code : {0, 16, 2}) {
    ImageTab& tab = OpenTab(code);
    tab.penIndex = 0;
    ModalRecorder recorder;
    for (const QPoint& edge : edges) {
      ClickPalette(edge.x(), edge.y());
      ClickPalette(edge.x(), edge.y(), Qt::RightButton);
      ClickPalette(edge.x(), edge.y(), Qt::LeftButton, true);
      EXPECT_EQ(tab.penIndex, 0) << code << " at " << edge.x() << "," << edge.y();
    }
    // A double click on the edge opens no colour dialog.
    EXPECT_EQ(recorder.dialogsRun(), 0) << code;
  }
}

TEST_F(PaletteWindowTest, IndexCommandsAreOffOnATrueColourTab) {
  ImageTab& indexed = OpenTab(16);
  ImageTab* tab = CreateTrueColourTab({}, 4, 4);
  ASSERT_NE(tab, nullptr);
  for (int i = 0; i < 256; ++i) tab->palette[i] = MakeColor(255 - i, 0, i);
  ClearTabPixels(*tab);
  tabSet.currentPosition = tabSet.tabCount - 1;
  ShowCurrentPosition();
  const std::vector<ColorRef> swatches(tab->palette, tab->palette + 256);
  const int steps = UndoNodeCount(*tab);
  const auto enabled = [](int id) {
    return mainWindows.paletteWindow->findChild<QPushButton*>(QString::number(id))->isEnabled();
  };
  for (int id : {CMD_ORGANIZE_PALETTE, CMD_REDUCE_COLORS, CMD_BATCH_COLORS}) {
    EXPECT_FALSE(enabled(id)) << id;
    // Sent all the same (a key or a script), the command does nothing.
    ModalRecorder recorder;
    DispatchCommand(static_cast<unsigned>(id));
    EXPECT_EQ(recorder.dialogsRun(), 0) << id;
  }
  EXPECT_EQ(std::vector<ColorRef>(tab->palette, tab->palette + 256), swatches);
  EXPECT_EQ(UndoNodeCount(*tab), steps);
  // The swatches show as a 256-entry palette does.
  EXPECT_EQ(Shown(20, 10), QColorOf(tab->palette[1]));
  tabSet.currentPosition = 0;
  ShowCurrentPosition();
  EXPECT_EQ(CurrentTab(), &indexed);
  for (int id : {CMD_ORGANIZE_PALETTE, CMD_REDUCE_COLORS, CMD_BATCH_COLORS}) EXPECT_TRUE(enabled(id)) << id;
}
