#include <QDialog>
#include <QGroupBox>
#include <QLineEdit>
#include <QToolButton>

#include <algorithm>
#include <vector>

#include "canvas/rotate_dialog.h"
#include "canvas/transforms.h"
#include "canvas/undo_commands.h"
#include "import/depth_conversion_commands.h"
#include "model/undo_history.h"
#include "platform/dialog_template.h"
#include "tests/ui/canvas_fixture.h"

namespace {

class TransformTest : public CanvasTest {
 protected:
  // An 8 x 8 tab of opaque cells, index (x + 2 y) % 15 + 1, so that a
  // transparent cell (only the white background in the edit view) stands
  // out. The picture is
  // recorded, so the history starts with two snapshots.
  ImageTab& NumberedTab(const CellRect& selection) {
    ImageTab& tab = OpenTab(8, 8);
    for (int x = 0; x < 8; ++x)
      for (int y = 0; y < 8; ++y) CellAt(tab, x, y) = static_cast<PixelCell>((x + 2 * y) % 15 + 1);
    tab.selection = selection;
    RepaintEditView(&tab);
    RecordUndo(tab);
    return tab;
  }

  static int Snapshots(const ImageTab& tab) {
    int count = 0;
    for (const UndoNode* node = tab.undoFirst; node != nullptr; node = node->next) ++count;
    return count;
  }

  // The colour in the middle of a cell in the edit view's back buffer.
  static ColorRef ShownAt(const ImageTab& tab, int x, int y) {
    const QPoint p = CellPoint(tab, x, y);
    return BackPixel(p.x(), p.y());
  }

  // The pixel of a cell of a W x H picture in a rotate preview.
  static ColorRef PreviewAt(QDialog& dialog, int id, int W, int H, int x, int y) {
    const QImage* canvas = GetPreviewCanvas(FindControl<QWidget>(dialog, id));
    return ColorOfPixel(canvas->pixel(x + (64 - W) / 2 + 7, y + (64 - H) / 2 + 7));
  }

  // Clicks an arrow of the up-down control and gives back the box's text.
  static QString Step(QDialog& dialog, const char* arrow) {
    FindControl<QWidget>(dialog, ID_ANGLE_UPDOWN)->findChild<QToolButton*>(arrow)->click();
    return FindControl<QLineEdit>(dialog, ID_ANGLE_BOX)->text();
  }
};

}  // namespace

TEST_F(TransformTest, ShiftsAndFlipsRecordASnapshotOnlyWhenTheyChangeCells) {
  ImageTab& tab = NumberedTab({1, 2, 4, 2});
  const PixelCell first = CellAt(tab, 1, 2), second = CellAt(tab, 2, 2);
  DispatchCommand(CMD_SHIFT_LEFT);
  EXPECT_EQ(CellAt(tab, 1, 2), second);
  EXPECT_EQ(ShownAt(tab, 4, 2), tab.palette[first]);
  EXPECT_EQ(Snapshots(tab), 3);
  // One cell high: the vertical commands change and record nothing.
  for (int command : {CMD_SHIFT_UP, CMD_SHIFT_DOWN, CMD_FLIP_VERTICAL}) DispatchCommand(command);
  EXPECT_EQ(Snapshots(tab), 3);
  DispatchCommand(CMD_UNDO);
  EXPECT_EQ(CellAt(tab, 1, 2), first);
}

TEST_F(TransformTest, RotateShowsTheTurnLiveAndCancelLeavesTheCells) {
  ImageTab& tab = NumberedTab({1, 1, 2, 5});
  DispatchCommand(CMD_ROTATE);
  EXPECT_EQ(modal.dialogsRun(), 0);

  // 5 x 3 at (1, 1): a left turn keeps the square of columns 2..4 and
  // leaves the outer columns transparent.
  tab.selection = {1, 1, 5, 3};
  const ColorRef background = gridLineColor ^ 0xFFFFFFu;
  modal.QueueDialog([&](QDialog& dialog) {
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("回転"));
    EXPECT_EQ(FindControl<QGroupBox>(dialog, ID_SOURCE_GROUP)->title(), QStringLiteral(" 元画像 "));
    EXPECT_EQ(FindControl<QLineEdit>(dialog, ID_ANGLE_BOX)->text(), QStringLiteral("0"));
    for (int id : {ID_BEFORE_PREVIEW, ID_AFTER_PREVIEW})
      EXPECT_EQ(PreviewAt(dialog, id, 5, 3, 4, 2), tab.palette[CellAt(tab, 5, 3)]);
    PressButton(dialog, ID_TURN_LEFT);
    EXPECT_EQ(PreviewAt(dialog, ID_BEFORE_PREVIEW, 5, 3, 0, 1), background);
    EXPECT_EQ(PreviewAt(dialog, ID_AFTER_PREVIEW, 5, 3, 1, 0), tab.palette[CellAt(tab, 4, 1)]);
    EXPECT_EQ(ShownAt(tab, 1, 2), 0xFFFFFFu);
    EXPECT_EQ(ShownAt(tab, 2, 1), tab.palette[CellAt(tab, 4, 1)]);
    EXPECT_NE(CellAt(tab, 1, 2), FRESH_CELL);
    PressButton(dialog, IDCANCEL);
  });
  const ColorRef shown = ShownAt(tab, 1, 2);
  DispatchCommand(CMD_ROTATE);
  EXPECT_EQ(modal.dialogsRun(), 1);
  EXPECT_EQ(ShownAt(tab, 1, 2), shown);
  EXPECT_EQ(CellAt(tab, 2, 1), 5);
  EXPECT_EQ(Snapshots(tab), 2);
}

TEST_F(TransformTest, TypedAnglesAddToTheQuarterTurnsAndOkWritesTheResultOnce) {
  ImageTab& tab = NumberedTab({2, 1, 6, 5});
  const ImageTab before = tab;
  modal.QueueDialog([](QDialog& dialog) {
    SetControlText(dialog, ID_ANGLE_BOX, "400");
    EXPECT_EQ(rotateWork.angle, 359);
    SetControlText(dialog, ID_ANGLE_BOX, "90");
    // Ninety degrees and a left turn on an odd square make a half turn;
    // three right turns are one left turn.
    for (int i = 0; i < 3; ++i) PressButton(dialog, ID_TURN_RIGHT);
    PressButton(dialog, IDOK);
  });
  DispatchCommand(CMD_ROTATE);
  for (int x = 0; x < 5; ++x)
    for (int y = 0; y < 5; ++y) EXPECT_EQ(CellAt(tab, 2 + x, 1 + y), CellAt(before, 6 - x, 5 - y)) << x << "," << y;
  EXPECT_EQ(CellAt(tab, 1, 1), CellAt(before, 1, 1));
  EXPECT_EQ(ShownAt(tab, 2, 1), tab.palette[CellAt(tab, 2, 1)]);
  EXPECT_EQ(Snapshots(tab), 3);
}

TEST_F(TransformTest, TheUpDownStepsFromTheBoxWithinItsRangeAndEscapeCancels) {
  ImageTab& tab = NumberedTab({0, 0, 7, 7});
  const ImageTab before = tab;
  modal.QueueDialog([](QDialog& dialog) {
    EXPECT_EQ(Step(dialog, UPDOWN_UP_ARROW), QStringLiteral("1"));
    SetControlText(dialog, ID_ANGLE_BOX, "359");
    EXPECT_EQ(Step(dialog, UPDOWN_UP_ARROW), QStringLiteral("359"));
    SetControlText(dialog, ID_ANGLE_BOX, "0");
    EXPECT_EQ(Step(dialog, UPDOWN_DOWN_ARROW), QStringLiteral("-1"));
    EXPECT_EQ(rotateWork.angle, 359);
    // With no number in the box the control goes on from its own position.
    SetControlText(dialog, ID_ANGLE_BOX, "");
    EXPECT_EQ(rotateWork.angle, 0);
    EXPECT_EQ(Step(dialog, UPDOWN_DOWN_ARROW), QStringLiteral("-2"));
    SetControlText(dialog, ID_ANGLE_BOX, "45");
    dialog.reject();
  });
  DispatchCommand(CMD_ROTATE);
  EXPECT_TRUE(std::equal(std::begin(tab.cells), std::end(tab.cells), std::begin(before.cells)));
  for (int x = 0; x < 8; ++x) EXPECT_EQ(ShownAt(tab, x, 0), tab.palette[CellAt(tab, x, 0)]) << x;
  EXPECT_EQ(Snapshots(tab), 2);
}

// The conversions between the two kinds change the tab in place, each as
// one undo step; indexed to 32 bits and back gives the cells back, but for
// the inverted one, which is reported, and undo gives back all of it.
TEST_F(TransformTest, ConvertingToThirtyTwoBitsAndBackKeepsTheCellsAndUndoesInOneStepEach) {
  ImageTab& tab = NumberedTab({0, 0, 7, 7});
  CellAt(tab, 0, 0) = FRESH_CELL;
  CellAt(tab, 1, 0) = 15 | CELL_MASK_BIT;  // inverted: white under the mask
  RecordUndo(tab);
  const std::vector<PixelCell> before(std::begin(tab.cells), std::end(tab.cells));
  const int steps = Snapshots(tab);
  DispatchCommand(CMD_CONVERT_TO_TRUE_COLOUR);
  ASSERT_EQ(tabSet.tabCount, 1);
  EXPECT_TRUE(IsTrueColour(tab));
  EXPECT_STREQ(tab.title, " 8x8 32-bit ");
  EXPECT_EQ(CellAt(tab, 2, 0), 0xFF808000u);  // entry 3, palette colour 0x008080
  EXPECT_EQ(CellAt(tab, 1, 0), 0u);
  ASSERT_FALSE(modal.texts().empty());
  EXPECT_EQ(modal.texts().back(), "反転色の1画素は32ビットの画像に持てないので透明にしました");

  modal.QueueDialog([](QDialog& dialog) {
    SetControlText(dialog, ID_CONVERT_COLOURS, "16");
    PressButton(dialog, IDOK);
  });
  DispatchCommand(CMD_CONVERT_TO_INDEXED);
  ASSERT_EQ(tabSet.tabCount, 1);
  EXPECT_FALSE(IsTrueColour(tab));
  EXPECT_EQ(tab.colorCode, 16);
  EXPECT_EQ(Snapshots(tab), steps + 2);
  EXPECT_EQ(modal.texts().back(), "そのまま取り込めます");
  for (int x = 0; x < 8; ++x)
    for (int y = 0; y < 8; ++y)
      EXPECT_EQ(CellAt(tab, x, y), x == 1 && y == 0 ? FRESH_CELL : before[CellIndex(x, y)]) << x << "," << y;

  DispatchCommand(CMD_UNDO);
  EXPECT_TRUE(IsTrueColour(tab));
  EXPECT_EQ(CellAt(tab, 2, 0), 0xFF808000u);
  DispatchCommand(CMD_UNDO);
  EXPECT_FALSE(IsTrueColour(tab));
  EXPECT_EQ(tab.colorCode, 16);
  EXPECT_STREQ(tab.title, " 8x8x16 ");
  for (int x = 0; x < 8; ++x)
    for (int y = 0; y < 8; ++y) EXPECT_EQ(CellAt(tab, x, y), before[CellIndex(x, y)]) << x << "," << y;
  DispatchCommand(CMD_REDO);
  EXPECT_TRUE(IsTrueColour(tab));
  EXPECT_EQ(CellAt(tab, 1, 0), 0u);
}
