#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

#include <cstring>
#include <set>

#include "app/command_ids.h"
#include "app/commands.h"
#include "canvas/preview.h"
#include "palette/reduce_colors_dialog.h"
#include "platform/dialog_template.h"
#include "tests/support/modal_recorder.h"
#include "tests/ui/palette_ui_support.h"

namespace {

QLineEdit* CountBox(QDialog& dialog) { return FindControl<QLineEdit>(dialog, ID_REDUCE_COUNT); }

QToolButton* Arrow(QDialog& dialog, Qt::ArrowType arrow) {
  for (QToolButton* button : FindControl<QWidget>(dialog, ID_REDUCE_UPDOWN)->findChildren<QToolButton*>())
    if (button->arrowType() == arrow) return button;
  ADD_FAILURE() << "no arrow";
  return nullptr;
}

void PressReduceButton() {
  mainWindows.paletteWindow->findChild<QPushButton*>(QString::number(CMD_REDUCE_COLORS))->click();
}

// Types the number and presses "実行".
void RunWith(QDialog& dialog, const char* count) {
  CountBox(dialog)->setText(QString::fromLatin1(count));
  PressButton(dialog, ID_REDUCE_RUN);
}

std::set<ColorRef> ColoursShown(const ImageTab& tab) {
  std::set<ColorRef> shown;
  for (int x = 0; x < tab.width; ++x)
    for (int y = 0; y < tab.height; ++y) shown.insert(tab.palette[CellAt(tab, x, y) & CELL_INDEX_BITS]);
  return shown;
}

// The main preview shows opaque pixels in their palette colour.
QColor PreviewPixel(int x, int y) { return mainPreview.canvas->pixelColor(mainPreview.originX + x, mainPreview.originY + y); }

bool SameImage(const ImageTab& a, const ImageTab& b) {
  return std::memcmp(a.palette, b.palette, sizeof a.palette) == 0 && std::memcmp(a.cells, b.cells, sizeof a.cells) == 0;
}

using ReduceColorsDialogTest = PaletteFixture;

}  // namespace

TEST_F(ReduceColorsDialogTest, OpensOnThePaletteWindowWithTheMostColoursInTheBox) {
  OpenTab(0);
  ModalRecorder recorder;
  recorder.QueueDialog([](QDialog& dialog) {
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("減色"));
    EXPECT_EQ(dialog.pos(), mainWindows.paletteWindow->mapToGlobal(QPoint(0, 0)));
    EXPECT_EQ(FindControl<QLabel>(dialog, ID_REDUCE_LABEL)->text(), QStringLiteral("色数"));
    EXPECT_EQ(FindControl<QPushButton>(dialog, ID_REDUCE_RUN)->text(), QStringLiteral("実行"));
    EXPECT_TRUE(FindControl<QPushButton>(dialog, IDOK)->isDefault());
    EXPECT_EQ(CountBox(dialog)->text(), QStringLiteral("256"));
    EXPECT_EQ(CountBox(dialog)->maxLength(), 3);
    // The arrows sit at the box's right edge.
    EXPECT_EQ(FindControl<QWidget>(dialog, ID_REDUCE_UPDOWN)->geometry().left(),
              CountBox(dialog)->geometry().right() + 1);
    PressButton(dialog, IDCANCEL);
  });
  PressReduceButton();
  EXPECT_EQ(recorder.dialogsRun(), 1);
}

TEST_F(ReduceColorsDialogTest, ArrowsStepTheBoxWithinTwoToTheMostColours) {
  OpenTab(16);
  ModalRecorder recorder;
  recorder.QueueDialog([](QDialog& dialog) {
    EXPECT_EQ(CountBox(dialog)->text(), QStringLiteral("16"));
    Arrow(dialog, Qt::UpArrow)->click();
    EXPECT_EQ(CountBox(dialog)->text(), QStringLiteral("16"));
    Arrow(dialog, Qt::DownArrow)->click();
    EXPECT_EQ(CountBox(dialog)->text(), QStringLiteral("15"));
    // A typed number is where the next step starts.
    CountBox(dialog)->setText(QStringLiteral("3"));
    Arrow(dialog, Qt::DownArrow)->click();
    Arrow(dialog, Qt::DownArrow)->click();
    EXPECT_EQ(CountBox(dialog)->text(), QStringLiteral("2"));
    CountBox(dialog)->setText(QStringLiteral("99"));
    Arrow(dialog, Qt::DownArrow)->click();
    EXPECT_EQ(CountBox(dialog)->text(), QStringLiteral("15"));
    PressButton(dialog, IDCANCEL);
  });
  PressReduceButton();
  EXPECT_EQ(recorder.dialogsRun(), 1);
}

TEST_F(ReduceColorsDialogTest, RunShowsTheResultAndANumberOutOfRangeRunsWithTheMost) {
  ImageTab& tab = OpenTab(0);
  for (int i = 0; i < 64; ++i) tab.cells[CellIndex(i / 8, i % 8)] = static_cast<PixelCell>(i * 4);
  ActivateTab(tab);
  const ImageTab opening = tab;
  ModalRecorder recorder;
  recorder.QueueDialog([&](QDialog& dialog) {
    const QImage palette = PaletteBackBuffer()->copy();
    RunWith(dialog, "4");
    EXPECT_LE(ColoursShown(tab).size(), 4u);
    // The palette window, the preview and the edit view show the result.
    EXPECT_NE(*PaletteBackBuffer(), palette);
    EXPECT_EQ(PreviewPixel(0, 0), QColorOf(tab.palette[CellAt(tab, 0, 0) & CELL_INDEX_BITS]));
    const ImageTab four = tab;

    RunWith(dialog, "1");
    EXPECT_EQ(CountBox(dialog)->text(), QStringLiteral("256"));
    EXPECT_EQ(ColoursShown(tab), ColoursShown(opening));
    RunWith(dialog, "");
    EXPECT_EQ(CountBox(dialog)->text(), QStringLiteral("256"));
    // Every run starts from the opening image.
    RunWith(dialog, "4");
    EXPECT_TRUE(SameImage(tab, four));
    PressButton(dialog, IDCANCEL);
  });
  PressReduceButton();
  EXPECT_EQ(recorder.dialogsRun(), 1);
}

TEST_F(ReduceColorsDialogTest, CancelAndTheCloseBoxRestoreTheImageWithoutAStep) {
  ImageTab& tab = OpenTab(16);
  const ImageTab opening = tab;
  const QImage palette = PaletteBackBuffer()->copy();
  ModalRecorder recorder;
  recorder.QueueDialog([&](QDialog& dialog) {
    RunWith(dialog, "8");
    RunWith(dialog, "2");
    EXPECT_FALSE(SameImage(tab, opening));
    PressButton(dialog, IDCANCEL);
  });
  recorder.QueueDialog([&](QDialog& dialog) {
    RunWith(dialog, "3");
    dialog.reject();
  });
  PressReduceButton();
  EXPECT_TRUE(SameImage(tab, opening));
  EXPECT_EQ(*PaletteBackBuffer(), palette);
  EXPECT_EQ(PreviewPixel(1, 0), QColorOf(tab.palette[CellAt(tab, 1, 0) & CELL_INDEX_BITS]));
  EXPECT_EQ(ReduceColorsDialog(QPoint(0, 0)), IDCANCEL);
  EXPECT_TRUE(SameImage(tab, opening));
  EXPECT_EQ(UndoNodeCount(tab), 1);
  EXPECT_EQ(recorder.dialogsRun(), 2);
}

TEST_F(ReduceColorsDialogTest, OkKeepsTheLastRunAsOneStepAlsoWithoutARun) {
  ImageTab& tab = OpenTab(16);
  ModalRecorder recorder;
  recorder.QueueDialog([](QDialog& dialog) { PressButton(dialog, IDOK); });
  PressReduceButton();
  ASSERT_EQ(UndoNodeCount(tab), 2);
  EXPECT_EQ(std::memcmp(tab.undoFirst->palette, tab.undoCurrent->palette, 16 * sizeof(ColorRef)), 0);

  recorder.QueueDialog([](QDialog& dialog) {
    RunWith(dialog, "2");
    PressButton(dialog, IDOK);
  });
  PressReduceButton();
  EXPECT_EQ(UndoNodeCount(tab), 3);
  EXPECT_LE(ColoursShown(tab).size(), 2u);
  EXPECT_EQ(std::memcmp(tab.undoCurrent->palette, tab.palette, 16 * sizeof(ColorRef)), 0);
}

TEST_F(ReduceColorsDialogTest, TwoColourTabsAndNoTabOpenNoDialog) {
  ModalRecorder recorder;
  DispatchCommand(CMD_REDUCE_COLORS);
  OpenTab(2);
  PressReduceButton();
  EXPECT_EQ(ReduceColorsDialog(QPoint(0, 0)), 0);
  EXPECT_EQ(recorder.dialogsRun(), 0);
}
