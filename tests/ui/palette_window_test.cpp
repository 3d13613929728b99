#include <QPushButton>

#include <cstring>

#include "app/command_ids.h"
#include "app/commands.h"
#include "palette/palette_layout.h"
#include "platform/dialog_template.h"
#include "platform/system_colors.h"
#include "tests/support/modal_recorder.h"
#include "tests/ui/palette_ui_support.h"

namespace {

const QColor BUTTON_FACE = QColorOf(GetSystemColor(COLOR_BTNFACE));

// True when the two pictures differ only inside the given rectangles.
bool DiffersOnlyInside(const QImage& a, const QImage& b, std::initializer_list<QRect> allowed) {
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) {
      if (a.pixel(x, y) == b.pixel(x, y)) continue;
      bool inside = false;
      for (const QRect& rect : allowed) inside = inside || rect.contains(x, y);
      if (!inside) return false;
    }
  }
  return true;
}

// The cell rectangle widened by the one pixel that its outline reaches to
// the left and the top.
QRect OutlineArea(int index, std::uint8_t colorCode) {
  const CellRect cell = PaletteCellRect(index, colorCode);
  return QRect(QPoint(cell.left - 1, cell.top - 1), QPoint(cell.right - 1, cell.bottom - 1));
}

using PaletteWindowTest = PaletteFixture;

}  // namespace

TEST_F(PaletteWindowTest, IsCreatedDisabledWithItsButtonsAndFollowsTheTabs) {
  QWidget* window = mainWindows.paletteWindow;
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->objectName(), "palWndClass");
  EXPECT_EQ(window->geometry(), QRect(4, 144, 188, 227));
  EXPECT_FALSE(window->isEnabled());
  EXPECT_EQ(PaletteBackBuffer()->size(), QSize(184, 223));

  const struct { int id; const char* text; int left; } buttons[] = {
      {290, "整理", 4}, {291, "減色...", 50}, {292, "一括...", 96}};
  for (const auto& expected : buttons) {
    auto* button = window->findChild<QPushButton*>(QString::number(expected.id));
    ASSERT_NE(button, nullptr) << expected.id;
    EXPECT_EQ(button->text(), QString::fromUtf8(expected.text));
    EXPECT_EQ(button->geometry(), QRect(QPoint(expected.left, 196) + PaletteClientOrigin(), QSize(46, 23)));
    EXPECT_TRUE(button->font().bold());
    EXPECT_EQ(button->font().pixelSize(), 12);
  }

  ImageTab& tab = OpenTab(16, 16, 16);
  EXPECT_TRUE(window->isEnabled());
  // Cell 0 is black inside, with the white marker on its outline.
  EXPECT_EQ(PaletteBackBuffer()->pixelColor(20, 20), QColor(Qt::black));
  EXPECT_EQ(PaletteBackBuffer()->pixelColor(4, 20), QColor(Qt::white));
  EXPECT_EQ(tab.paletteMarker.left, 4);

  DeleteTab(SlotOf(tab));
  ShowCurrentPosition();
  EXPECT_FALSE(window->isEnabled());
  const QImage blank = BackBuffer();
  for (int y = 0; y < blank.height(); y += 7)
    for (int x = 0; x < blank.width(); x += 7) ASSERT_EQ(blank.pixelColor(x, y), BUTTON_FACE) << x << "," << y;
}

TEST_F(PaletteWindowTest, ClickChoosesThePenColourAndNothingElse) {
  ImageTab& tab = OpenTab(16, 16, 0);
  const ImageTab before = tab;
  const int undoSteps = UndoNodeCount(tab);
  const QImage shown = BackBuffer();

  // (15, 4) is the shared outline column: it belongs to entry 1.
  ClickPalette(15, 4);
  EXPECT_EQ(tab.penIndex, 1);
  EXPECT_EQ(std::memcmp(tab.palette, before.palette, sizeof tab.palette), 0);
  EXPECT_EQ(std::memcmp(tab.cells, before.cells, sizeof tab.cells), 0);
  EXPECT_EQ(UndoNodeCount(tab), undoSteps);
  const QImage moved = BackBuffer();
  EXPECT_TRUE(DiffersOnlyInside(shown, moved, {OutlineArea(0, 0), OutlineArea(1, 0)}));
  // The old cell has its black outline back; the new one is marked.
  EXPECT_EQ(moved.pixelColor(4, 10), QColor(Qt::black));
  EXPECT_EQ(moved.pixelColor(15, 10), QColor(Qt::white));
  EXPECT_EQ(moved.pixelColor(26, 10), QColor(Qt::white));
  EXPECT_EQ(moved.pixelColor(20, 10), QColorOf(tab.palette[1]));

  // The right button chooses too; (180, 180) is limited to the last cell.
  ClickPalette(180, 180, Qt::RightButton);
  EXPECT_EQ(tab.penIndex, 255);
  EXPECT_EQ(BackBuffer().pixelColor(15, 10), QColor(Qt::black));
  EXPECT_EQ(BackBuffer().pixelColor(26, 10), QColor(Qt::black));
  EXPECT_EQ(BackBuffer().pixelColor(4 + 11 * 15, 4 + 11 * 15 + 5), QColor(Qt::white));

  // Clicking the cell that is already the pen colour changes nothing.
  const QImage marked = BackBuffer();
  ClickPalette(176, 176);
  EXPECT_EQ(tab.penIndex, 255);
  EXPECT_EQ(BackBuffer(), marked);

  // The middle button does not choose.
  ClickPalette(4, 4, Qt::MiddleButton);
  EXPECT_EQ(tab.penIndex, 255);
  EXPECT_EQ(UndoNodeCount(tab), undoSteps);
}

TEST_F(PaletteWindowTest, ClicksFollowTheLayoutOfSmallerPalettes) {
  ImageTab& sixteen = OpenTab(8, 8, 16);
  ClickPalette(92, 48);
  EXPECT_EQ(sixteen.penIndex, 6);

  ImageTab& two = OpenTab(8, 8, 2);
  ASSERT_EQ(CurrentTab(), &two);
  ClickPalette(92, 180);
  EXPECT_EQ(two.penIndex, 1);
  // Below the cells nothing is chosen.
  ClickPalette(0, 181);
  EXPECT_EQ(two.penIndex, 1);
  ClickPalette(91, 0);
  EXPECT_EQ(two.penIndex, 0);
  // The other tab kept its own pen.
  EXPECT_EQ(sixteen.penIndex, 6);
}

TEST_F(PaletteWindowTest, PenMaskTurnsCellsAndMarkerIntoCircles) {
  ImageTab& tab = OpenTab(8, 8, 16);
  // Entry 5 (purple) is at (48, 48)-(93, 93); entry 0 carries the marker.
  const QPoint corner(50, 50), centre(70, 70), markerCorner(5, 5);
  EXPECT_EQ(BackBuffer().pixelColor(corner), QColorOf(tab.palette[5]));
  EXPECT_EQ(BackBuffer().pixelColor(markerCorner), QColor(Qt::black));

  tab.penMask = 1;
  RedrawPalette(&tab);
  EXPECT_EQ(BackBuffer().pixelColor(corner), BUTTON_FACE);
  EXPECT_EQ(BackBuffer().pixelColor(centre), QColorOf(tab.palette[5]));
  EXPECT_EQ(BackBuffer().pixelColor(markerCorner), BUTTON_FACE);
  EXPECT_EQ(BackBuffer().pixelColor(QPoint(4, 26)), QColor(Qt::white));

  tab.penMask = 0;
  RedrawPalette(&tab);
  EXPECT_EQ(BackBuffer().pixelColor(corner), QColorOf(tab.palette[5]));
  EXPECT_EQ(BackBuffer().pixelColor(QPoint(4, 26)), QColor(Qt::white));
}

TEST_F(PaletteWindowTest, OrganizeButtonSortsMergesAndRecordsOneStep) {
  ImageTab& tab = OpenTab(16, 16, 16);
  tab.palette[2] = MakeColor(0, 0, 0);
  tab.cells[CellIndex(3, 3)] |= CELL_MASK_BIT;
  const ImageTab before = tab;
  const int undoSteps = UndoNodeCount(tab);

  auto* button = mainWindows.paletteWindow->findChild<QPushButton*>(QStringLiteral("290"));
  ASSERT_NE(button, nullptr);
  button->click();

  EXPECT_EQ(UndoNodeCount(tab), undoSteps + 1);
  EXPECT_EQ(tab.palette[0], MakeColor(0, 0, 0));
  EXPECT_EQ(tab.palette[1], MakeColor(128, 128, 128));
  EXPECT_EQ(tab.palette[15], 0u);
  for (int x = 0; x < 16; ++x) {
    for (int y = 0; y < 16; ++y) {
      const PixelCell old = CellAt(before, x, y), now = CellAt(tab, x, y);
      ASSERT_EQ(tab.palette[now & CELL_INDEX_BITS], before.palette[old & CELL_INDEX_BITS]) << x << "," << y;
      ASSERT_EQ(now & CELL_MASK_BIT, old & CELL_MASK_BIT) << x << "," << y;
    }
  }
  // The palette window shows the new order: grey is now entry 1.
  EXPECT_EQ(BackBuffer().pixelColor(70, 20), QColorOf(MakeColor(128, 128, 128)));
}

TEST_F(PaletteWindowTest, PaletteCommandsLeaveATwoColourTabAlone) {
  ImageTab& tab = OpenTab(8, 8, 2);
  tab.palette[0] = tab.palette[1] = MakeColor(9, 9, 9);
  const ImageTab before = tab;
  const int undoSteps = UndoNodeCount(tab);
  for (int id : {CMD_ORGANIZE_PALETTE, CMD_REDUCE_COLORS, CMD_BATCH_COLOR_CHANGE}) DispatchCommand(id);
  EXPECT_EQ(std::memcmp(tab.palette, before.palette, sizeof tab.palette), 0);
  EXPECT_EQ(std::memcmp(tab.cells, before.cells, sizeof tab.cells), 0);
  EXPECT_EQ(UndoNodeCount(tab), undoSteps);
  // Without tabs the command has nothing to work on.
  DeleteAllTabs();
  DispatchCommand(CMD_ORGANIZE_PALETTE);
}

TEST_F(PaletteWindowTest, SetPaletteColorShowsTheColourAndRecordsOneStep) {
  ImageTab& tab = OpenTab(8, 8, 16);
  const int undoSteps = UndoNodeCount(tab);
  SetPaletteColor(tab, 3, MakeColor(1, 2, 3));
  EXPECT_EQ(tab.palette[3], MakeColor(1, 2, 3));
  EXPECT_EQ(UndoNodeCount(tab), undoSteps + 1);
  EXPECT_EQ(tab.undoCurrent->palette[3], MakeColor(1, 2, 3));
  EXPECT_EQ(BackBuffer().pixelColor(160, 20), QColorOf(MakeColor(1, 2, 3)));
  // An index outside the palette is refused.
  const ColorRef beyond = tab.palette[16];
  SetPaletteColor(tab, 16, MakeColor(4, 5, 6));
  EXPECT_EQ(tab.palette[16], beyond);
  EXPECT_EQ(UndoNodeCount(tab), undoSteps + 1);
}

TEST_F(PaletteWindowTest, DoubleClickChoosesTheEntryAndOpensTheDialogOnIt) {
  ImageTab& tab = OpenTab(8, 8, 16);
  ModalRecorder recorder;
  QString title;
  QPoint place;
  recorder.QueueDialog([&](QDialog& dialog) {
    title = dialog.windowTitle();
    place = dialog.pos();
    PressButton(dialog, IDCANCEL);
  });
  // The first click of a double click chooses the entry.
  ClickPalette(140, 140);
  DoubleClickPalette(140, 140);
  EXPECT_EQ(tab.penIndex, 15);
  EXPECT_EQ(recorder.dialogsRun(), 1);
  EXPECT_EQ(title, QStringLiteral("色"));
  EXPECT_EQ(place, mainWindows.paletteWindow->mapToGlobal(QPoint(0, 227)));

  // A double click below the cells opens nothing.
  DoubleClickPalette(20, 190);
  EXPECT_EQ(recorder.dialogsRun(), 1);
}
