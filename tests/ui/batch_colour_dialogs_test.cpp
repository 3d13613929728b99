#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QScrollBar>

#include <vector>

#include "app/command_ids.h"
#include "app/commands.h"
#include "canvas/cell_geometry.h"
#include "canvas/edit_view.h"
#include "canvas/preview.h"
#include "palette/batch_colour_dialogs.h"
#include "platform/dialog_template.h"
#include "platform/system_colors.h"
#include "tests/support/modal_recorder.h"
#include "tests/ui/palette_ui_support.h"

namespace {

using Action = QAbstractSlider::SliderAction;
const ColorRef RED = MakeColor(255, 0, 0), WHITE = MakeColor(255, 255, 255);

void PressBatchButton() {
  mainWindows.paletteWindow->findChild<QPushButton*>(QString::number(CMD_BATCH_COLORS))->click();
}

PreviewControl* Grid(QDialog& dialog) { return FindControl<PreviewControl>(dialog, ID_BATCH_GRID); }
int CellWidth(QDialog& dialog) { return Grid(dialog)->clientRect().width() / 16; }
int CellHeight(QDialog& dialog) { return Grid(dialog)->clientRect().height() / 16; }

// A press of the button on the middle of a swatch, as the mouse gives it.
void ClickSwatch(QDialog& dialog, int index, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
                 Qt::MouseButton button = Qt::LeftButton) {
  PreviewControl* grid = Grid(dialog);
  const QPoint point = grid->clientRect().topLeft() + QPoint(index % 16 * CellWidth(dialog) + CellWidth(dialog) / 2,
                                                             index / 16 * CellHeight(dialog) + CellHeight(dialog) / 2);
  QMouseEvent press(QEvent::MouseButtonPress, QPointF(point), grid->mapToGlobal(QPointF(point)), button, button,
                    modifiers);
  QCoreApplication::sendEvent(grid, &press);
  QMouseEvent release(QEvent::MouseButtonRelease, QPointF(point), grid->mapToGlobal(QPointF(point)), button,
                      Qt::NoButton, modifiers);
  QCoreApplication::sendEvent(grid, &release);
}

// The colour of the ring's left side around a swatch in the grid.
QColor RingOf(QDialog& dialog, int index) {
  return GetPreviewCanvas(Grid(dialog))
      ->pixelColor(index % 16 * CellWidth(dialog) + 1, index / 16 * CellHeight(dialog) + CellHeight(dialog) / 2);
}

QColor SwatchOf(QDialog& dialog, int index) {
  return GetPreviewCanvas(Grid(dialog))
      ->pixelColor(index % 16 * CellWidth(dialog) + CellWidth(dialog) / 2,
                   index / 16 * CellHeight(dialog) + CellHeight(dialog) / 2);
}

// The edit view at the middle of a cell, and just inside its square where
// the ring of a chosen pixel lies.
QColor EditCentre(const ImageTab& tab, int x, int y) {
  const PixelRect square = CellSquare(x, y, tab.cellSize);
  return editView.backBuffer.pixelColor((square.left + square.right) / 2, (square.top + square.bottom) / 2);
}
QColor EditRing(const ImageTab& tab, int x, int y) {
  const PixelRect square = CellSquare(x, y, tab.cellSize);
  return editView.backBuffer.pixelColor(square.left + 1, (square.top + square.bottom) / 2);
}

QColor PreviewPixel(int x, int y) {
  return mainPreview.canvas->pixelColor(mainPreview.originX + x, mainPreview.originY + y);
}

// A mouse message to the picking dialog at a screen point.
void SendPick(QDialog& dialog, QEvent::Type type, const QPoint& global, Qt::MouseButton button,
              Qt::MouseButtons buttons) {
  const QPointF local = dialog.mapFromGlobal(QPointF(global));
  QMouseEvent event(type, local, QPointF(global), button, buttons, Qt::NoModifier);
  QCoreApplication::sendEvent(&dialog, &event);
}

QPoint EditCellOnScreen(const ImageTab& tab, int x, int y) {
  auto* view = static_cast<QFrame*>(editView.window);
  const PixelRect square = CellSquare(x, y, tab.cellSize);
  return view->mapToGlobal(view->contentsRect().topLeft() + QPoint(square.left + 2, square.top + 2));
}

QScrollBar* Bar(QDialog& dialog, int bar) { return FindControl<QScrollBar>(dialog, ID_SHIFT_FIRST_BAR + bar); }
QLabel* Amount(QDialog& dialog, int bar) { return FindControl<QLabel>(dialog, ID_SHIFT_FIRST_VALUE + bar); }
QString Letter(QDialog& dialog, int bar) { return FindControl<QLabel>(dialog, ID_SHIFT_FIRST_LETTER + bar)->text(); }

void Drag(QDialog& dialog, int bar, int position) {
  QScrollBar* scrollBar = Bar(dialog, bar);
  scrollBar->setSliderDown(true);
  scrollBar->setSliderPosition(position);
  SendMouse(scrollBar, QEvent::MouseButtonRelease, QPoint(2, 2), Qt::LeftButton, Qt::NoButton);
  scrollBar->setSliderDown(false);
}

// The colour of the bar's track on the side away from the thumb.
QColor TrackColour(QDialog& dialog, int bar) {
  QScrollBar* scrollBar = Bar(dialog, bar);
  const bool thumbRight = scrollBar->value() > (scrollBar->minimum() + scrollBar->maximum()) / 2;
  return scrollBar->grab().toImage().pixelColor(scrollBar->width() * (thumbRight ? 1 : 7) / 8,
                                                scrollBar->height() / 2);
}

// Chooses the entries in the first dialog and presses OK.
std::function<void(QDialog&)> ChooseAndAccept(std::vector<int> indices) {
  return [indices](QDialog& dialog) {
    for (int index : indices) ClickSwatch(dialog, index);
    PressButton(dialog, IDOK);
  };
}

class BatchColourTest : public PaletteFixture {
 protected:
  void TearDown() override {
    batchShiftMode = SHIFT_HSV;
    PaletteFixture::TearDown();
  }
};

}  // namespace

TEST_F(BatchColourTest, ClicksChooseEntriesOfThePaletteAndRingThemInTheGridAndTheImage) {
  ImageTab& tab = OpenTab(16, {RED});
  ASSERT_EQ(grid, 1);
  ModalRecorder recorder;
  recorder.QueueDialog([&](QDialog& dialog) {
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("一括色変化（色選択）"));
    EXPECT_EQ(dialog.pos(), mainWindows.paletteWindow->mapToGlobal(QPoint(0, 0)));
    // The grid lines are off while the dialogs run: the line between two
    // cells shows no grid-line colour.
    const PixelRect between = CellSquare(1, 3, tab.cellSize);
    EXPECT_NE(editView.backBuffer.pixelColor(between.left, (between.top + between.bottom) / 2), QColorOf(gridLineColor));
    // All 256 swatches are shown, none chosen.
    EXPECT_EQ(SwatchOf(dialog, 0), QColorOf(RED));
    EXPECT_EQ(SwatchOf(dialog, 200), QColorOf(tab.palette[200]));
    const QColor face = QColorOf(GetSystemColor(COLOR_BTNFACE));
    EXPECT_EQ(RingOf(dialog, 0), face);
    ClickSwatch(dialog, 3, Qt::NoModifier, Qt::RightButton);
    EXPECT_EQ(RingOf(dialog, 3), QColorOf(WHITE));
    // Pixel (0, 3) has entry 3: a ring of the inverted colour on its square.
    EXPECT_EQ(EditCentre(tab, 0, 3), QColorOf(tab.palette[3]));
    EXPECT_EQ(EditRing(tab, 0, 3), QColorOf(tab.palette[3] ^ 0xFFFFFFu));
    EXPECT_EQ(EditRing(tab, 0, 4), QColorOf(tab.palette[4]));
    // Row 1 of the grid lies beyond a 16-colour palette.
    ClickSwatch(dialog, 20);
    EXPECT_EQ(RingOf(dialog, 20), face);
    // Shift from the anchor 3 down to 1 toggles 1 and 2.
    ClickSwatch(dialog, 1, Qt::ShiftModifier);
    EXPECT_EQ(RingOf(dialog, 1), QColorOf(WHITE));
    EXPECT_EQ(RingOf(dialog, 2), QColorOf(WHITE));
    ClickSwatch(dialog, 3);
    EXPECT_EQ(RingOf(dialog, 3), face);
    PressButton(dialog, ID_BATCH_RESET);
    EXPECT_EQ(RingOf(dialog, 1), face);
    EXPECT_EQ(EditRing(tab, 0, 1), QColorOf(tab.palette[1]));
    PressButton(dialog, ID_BATCH_SELECT_ALL);
    EXPECT_EQ(RingOf(dialog, 255), QColorOf(WHITE));
    PressButton(dialog, IDOK);
  });
  // Everything was chosen, but only the 16 entries of the palette shift.
  recorder.QueueDialog([&](QDialog& dialog) {
    Drag(dialog, 0, 120);
    PressButton(dialog, IDOK);
  });
  tab.palette[16] = RED;
  PressBatchButton();
  EXPECT_EQ(recorder.dialogsRun(), 2);
  EXPECT_EQ(tab.palette[0], MakeColor(0, 255, 0));
  EXPECT_EQ(tab.palette[16], RED);
  EXPECT_EQ(UndoNodeCount(tab), 2);
}

TEST_F(BatchColourTest, PickingTogglesTheEntryOfAPixelUntilTheRightButton) {
  ImageTab& tab = OpenTab(16);
  ModalRecorder recorder;
  recorder.QueueDialog([&](QDialog& dialog) {
    const QPoint home = dialog.pos();
    PressButton(dialog, ID_BATCH_PICK);
    EXPECT_EQ(dialog.pos(), mainWindows.main->frameGeometry().topLeft());
    // Pixel (1, 2) has entry 10.
    SendPick(dialog, QEvent::MouseButtonPress, EditCellOnScreen(tab, 1, 2), Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(RingOf(dialog, 10), QColorOf(WHITE));
    // Pressed again on the same cell before letting go, nothing changes.
    SendPick(dialog, QEvent::MouseButtonPress, EditCellOnScreen(tab, 1, 2), Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(RingOf(dialog, 10), QColorOf(WHITE));
    SendPick(dialog, QEvent::MouseButtonRelease, EditCellOnScreen(tab, 1, 2), Qt::LeftButton, Qt::NoButton);
    // Pixel (3, 2) has entry 10 as well: picking it unchooses the entry.
    SendPick(dialog, QEvent::MouseButtonPress, EditCellOnScreen(tab, 3, 2), Qt::LeftButton, Qt::LeftButton);
    SendPick(dialog, QEvent::MouseButtonRelease, EditCellOnScreen(tab, 3, 2), Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(RingOf(dialog, 10), QColorOf(GetSystemColor(COLOR_BTNFACE)));
    // Outside the image nothing is picked.
    SendPick(dialog, QEvent::MouseButtonPress, EditCellOnScreen(tab, 20, 20), Qt::LeftButton, Qt::LeftButton);
    SendPick(dialog, QEvent::MouseButtonRelease, EditCellOnScreen(tab, 20, 20), Qt::LeftButton, Qt::NoButton);
    for (int i = 0; i < 16; ++i) EXPECT_EQ(RingOf(dialog, i), QColorOf(GetSystemColor(COLOR_BTNFACE))) << i;

    // The pointer over the dialog makes it dodge between the corners.
    const QPoint over = dialog.frameGeometry().center();
    SendPick(dialog, QEvent::MouseMove, over, Qt::NoButton, Qt::NoButton);
    SendPick(dialog, QEvent::MouseMove, over, Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(dialog.frameGeometry().bottomRight(), mainWindows.main->frameGeometry().bottomRight());
    SendPick(dialog, QEvent::MouseMove, dialog.frameGeometry().center(), Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(dialog.pos(), mainWindows.main->frameGeometry().topLeft());

    SendPick(dialog, QEvent::MouseButtonPress, EditCellOnScreen(tab, 1, 2), Qt::RightButton, Qt::RightButton);
    EXPECT_EQ(dialog.pos(), home);
    // No longer picking: a press goes to the dialog as usual.
    SendPick(dialog, QEvent::MouseButtonPress, EditCellOnScreen(tab, 1, 2), Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(RingOf(dialog, 10), QColorOf(GetSystemColor(COLOR_BTNFACE)));
    PressButton(dialog, IDCANCEL);
  });
  PressBatchButton();
  EXPECT_EQ(recorder.dialogsRun(), 1);
}

TEST_F(BatchColourTest, TheShiftShowsLiveAndOnlyOkWritesThePaletteAsOneStep) {
  ImageTab& tab = OpenTab(16, {RED});
  ModalRecorder recorder;
  recorder.QueueDialog(ChooseAndAccept({0}));
  recorder.QueueDialog([&](QDialog& dialog) {
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("一括色変化ダイアログ"));
    EXPECT_EQ(dialog.pos(), mainWindows.paletteWindow->mapToGlobal(QPoint(0, mainWindows.paletteWindow->height())));
    EXPECT_EQ(Letter(dialog, 0) + Letter(dialog, 1) + Letter(dialog, 2), QStringLiteral("HSV"));
    EXPECT_TRUE(FindControl<QPushButton>(dialog, ID_SHIFT_HSV)->isChecked());
    EXPECT_EQ(Bar(dialog, 0)->maximum(), 359);
    EXPECT_EQ(Bar(dialog, 1)->minimum(), -255);
    Drag(dialog, 0, 120);
    EXPECT_EQ(Amount(dialog, 0)->text(), QStringLiteral("120"));
    // The image shows the shifted colour; the palette holds the old one.
    EXPECT_EQ(EditCentre(tab, 0, 0), QColor(0, 255, 0));
    EXPECT_EQ(PreviewPixel(0, 0), QColor(0, 255, 0));
    EXPECT_EQ(EditCentre(tab, 0, 1), QColorOf(tab.palette[1]));
    EXPECT_EQ(tab.palette[0], RED);
    Bar(dialog, 2)->triggerAction(Action::SliderPageStepSub);
    EXPECT_EQ(Amount(dialog, 2)->text(), QStringLiteral("-8"));
    for (int bar = 0; bar < 3; ++bar) EXPECT_FALSE(OpensContextMenu(Bar(dialog, bar))) << bar;
    PressButton(dialog, IDOK);
  });
  PressBatchButton();
  EXPECT_EQ(tab.palette[0], MakeColor(0, 247, 0));
  EXPECT_EQ(UndoNodeCount(tab), 2);
  EXPECT_EQ(tab.undoCurrent->palette[0], MakeColor(0, 247, 0));
  // Afterwards everything is drawn normally again, grid lines included.
  EXPECT_EQ(grid, 1);
  EXPECT_EQ(EditCentre(tab, 0, 0), QColor(0, 247, 0));
  EXPECT_EQ(Shown(20, 20), QColor(0, 247, 0));
}

TEST_F(BatchColourTest, ABarThatHadToLimitAColourTurnsRed) {
  OpenTab(16, {MakeColor(200, 0, 0)});
  ModalRecorder recorder;
  recorder.QueueDialog(ChooseAndAccept({0}));
  recorder.QueueDialog([&](QDialog& dialog) {
    const QColor normal = TrackColour(dialog, 2);
    EXPECT_NE(normal, QColor(255, 0, 0));
    Drag(dialog, 2, 100);
    EXPECT_EQ(TrackColour(dialog, 2), QColor(255, 0, 0));
    Drag(dialog, 2, 50);
    EXPECT_EQ(TrackColour(dialog, 2), normal);
    // The hue bar never limits.
    const QColor hueNormal = TrackColour(dialog, 0);
    Drag(dialog, 0, 359);
    EXPECT_EQ(TrackColour(dialog, 0), hueNormal);
    PressButton(dialog, IDCANCEL);
  });
  PressBatchButton();
  EXPECT_EQ(recorder.dialogsRun(), 2);
}

TEST_F(BatchColourTest, RgbModeTypedShiftsAndAModeChangeStartingOver) {
  ImageTab& tab = OpenTab(16, {MakeColor(100, 50, 25), MakeColor(30, 60, 90)});
  ModalRecorder recorder;
  recorder.QueueDialog(ChooseAndAccept({0, 1}));
  recorder.QueueDialog([&](QDialog& dialog) {
    Drag(dialog, 0, 200);
    PressButton(dialog, ID_SHIFT_RGB);
    EXPECT_EQ(Letter(dialog, 0) + Letter(dialog, 1) + Letter(dialog, 2), QStringLiteral("RGB"));
    EXPECT_EQ(Bar(dialog, 0)->minimum(), -255);
    EXPECT_EQ(Amount(dialog, 0)->text(), QStringLiteral("0"));
    // The hue shift is gone: the image shows the opening colours again.
    EXPECT_EQ(EditCentre(tab, 0, 0), QColor(100, 50, 25));

    SendMouse(Amount(dialog, 2), QEvent::MouseButtonPress, QPoint(2, 2), Qt::LeftButton, Qt::LeftButton);
    QLineEdit* edit = FindControl<QLineEdit>(dialog, ID_SHIFT_EDIT);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->maxLength(), 4);
    edit->setText(QStringLiteral("-300"));
    EXPECT_EQ(Amount(dialog, 2)->text(), QStringLiteral("-255"));
    EXPECT_EQ(Bar(dialog, 2)->value(), -255);
    EXPECT_EQ(EditCentre(tab, 0, 1), QColor(30, 60, 0));
    Bar(dialog, 0)->triggerAction(Action::SliderPageStepAdd);
    EXPECT_EQ(FindControl<QLineEdit>(dialog, ID_SHIFT_EDIT), nullptr);
    EXPECT_EQ(EditCentre(tab, 0, 0), QColor(108, 50, 0));
    PressButton(dialog, IDOK);
  });
  PressBatchButton();
  EXPECT_EQ(tab.palette[0], MakeColor(108, 50, 0));
  EXPECT_EQ(tab.palette[1], MakeColor(38, 60, 0));

  // The next run opens in RGB; going to HSV after a shift and pressing OK
  // keeps the colours as they were.
  recorder.QueueDialog(ChooseAndAccept({0}));
  recorder.QueueDialog([&](QDialog& dialog) {
    EXPECT_TRUE(FindControl<QPushButton>(dialog, ID_SHIFT_RGB)->isChecked());
    EXPECT_EQ(Letter(dialog, 0), QStringLiteral("R"));
    Drag(dialog, 1, 100);
    PressButton(dialog, ID_SHIFT_HSV);
    PressButton(dialog, IDOK);
  });
  PressBatchButton();
  EXPECT_EQ(tab.palette[0], MakeColor(108, 50, 0));
  EXPECT_EQ(UndoNodeCount(tab), 3);
}

TEST_F(BatchColourTest, CancelInEitherDialogChangesNothingAndAnEmptyChoiceStillMakesAStep) {
  ImageTab& tab = OpenTab(16, {RED});
  ModalRecorder recorder;
  recorder.QueueDialog(ChooseAndAccept({0}));
  recorder.QueueDialog([&](QDialog& dialog) {
    Drag(dialog, 0, 60);
    EXPECT_EQ(EditCentre(tab, 0, 0), QColor(255, 255, 0));
    dialog.reject();
  });
  PressBatchButton();
  EXPECT_EQ(tab.palette[0], RED);
  EXPECT_EQ(EditCentre(tab, 0, 0), QColorOf(RED));
  EXPECT_EQ(PreviewPixel(0, 0), QColorOf(RED));
  EXPECT_EQ(UndoNodeCount(tab), 1);

  recorder.QueueDialog([](QDialog& dialog) {
    ClickSwatch(dialog, 0);
    dialog.reject();
  });
  PressBatchButton();
  EXPECT_EQ(recorder.dialogsRun(), 3);
  EXPECT_EQ(UndoNodeCount(tab), 1);

  recorder.QueueDialog(ChooseAndAccept({}));
  recorder.QueueDialog([](QDialog& dialog) {
    Drag(dialog, 0, 90);
    PressButton(dialog, IDOK);
  });
  PressBatchButton();
  EXPECT_EQ(tab.palette[0], RED);
  EXPECT_EQ(UndoNodeCount(tab), 2);
}

TEST_F(BatchColourTest, TwoColourTabsAndNoTabOpenNoDialog) {
  ModalRecorder recorder;
  DispatchCommand(CMD_BATCH_COLORS);
  OpenTab(2);
  PressBatchButton();
  BatchSelection selection;
  selection.bytes[0] = BATCH_CHOSEN;
  DeleteAllTabs();
  EXPECT_EQ(BatchSelectDialog(selection), 0);
  EXPECT_EQ(BatchShiftDialog(selection), 0);
  EXPECT_EQ(recorder.dialogsRun(), 0);
}
