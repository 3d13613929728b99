#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>

#include <vector>

#include "canvas/pen_tools.h"
#include "palette/colour_dialog.h"
#include "palette/palette_layout.h"
#include "platform/dialog_template.h"
#include "tests/support/modal_recorder.h"
#include "tests/ui/palette_ui_support.h"

namespace {

enum { R, G, B, H, S, V };
using Action = QAbstractSlider::SliderAction;

QScrollBar* Bar(QDialog& dialog, int channel) { return FindControl<QScrollBar>(dialog, ID_FIRST_SCROLLBAR + channel); }
QLabel* Label(QDialog& dialog, int channel) { return FindControl<QLabel>(dialog, ID_FIRST_VALUE + channel); }

// The six value labels, R G B H S V, after checking that every scroll bar
// agrees with its label.
std::vector<int> Values(QDialog& dialog) {
  std::vector<int> values;
  for (int channel = R; channel <= V; ++channel) {
    values.push_back(Label(dialog, channel)->text().toInt());
    EXPECT_EQ(Bar(dialog, channel)->value(), values.back()) << channel;
  }
  return values;
}

// The mouse lets go of a scroll bar, which ends the scroll.
void Release(QScrollBar* bar) { SendMouse(bar, QEvent::MouseButtonRelease, QPoint(2, 2), Qt::LeftButton, Qt::NoButton); }

// A click on an arrow or beside the thumb; then the value.
int Click(QDialog& dialog, int channel, Action action) {
  Bar(dialog, channel)->triggerAction(action);
  Release(Bar(dialog, channel));
  return Bar(dialog, channel)->value();
}

// Drags the thumb to the position, letting go unless asked to hold on.
void Drag(QDialog& dialog, int channel, int position, bool letGo = true) {
  QScrollBar* bar = Bar(dialog, channel);
  bar->setSliderDown(true);
  bar->setSliderPosition(position);
  if (!letGo) return;
  Release(bar);
  bar->setSliderDown(false);
}

QLineEdit* ClickLabel(QDialog& dialog, int channel) {
  SendMouse(Label(dialog, channel), QEvent::MouseButtonPress, QPoint(2, 2), Qt::LeftButton, Qt::LeftButton);
  return FindControl<QLineEdit>(dialog, ID_VALUE_EDIT);
}

void Type(QWidget* edit, const char* digits) {
  for (const char* d = digits; *d != 0; ++d) {
    QKeyEvent key(QEvent::KeyPress, static_cast<Qt::Key>(Qt::Key_0 + (*d - '0')), Qt::NoModifier, QString(QChar(*d)));
    QCoreApplication::sendEvent(edit, &key);
  }
}

QColor Preview(QDialog& dialog) {
  return dialog.grab().toImage().pixelColor(FindControl<QWidget>(dialog, ID_PREVIEW_FRAME)->geometry().center());
}

// The colour shown at a fraction of the strip above a scroll bar.
QColor Strip(QDialog& dialog, int channel, double fraction) {
  const QRect band = ColorStripBand(*Bar(dialog, channel));
  return dialog.grab().toImage().pixelColor(band.left() + static_cast<int>(fraction * (band.width() - 1)),
                                            band.center().y());
}

// Opens the dialog on the entry with a double click on its cell.
void DoubleClickEntry(int index) {
  const CellRect cell = PaletteCellRect(index, 16);
  ClickPalette(cell.left + 10, cell.top + 10);
  ClickPalette(cell.left + 10, cell.top + 10, Qt::LeftButton, true);
}

const ColorRef RED = MakeColor(255, 0, 0), BLACK = MakeColor(0, 0, 0), GREY = MakeColor(128, 128, 128);

using ColorDialogTest = PaletteFixture;

}  // namespace

TEST_F(ColorDialogTest, RedOpensBelowThePaletteWithItsChannelsAndAFullHueStrip) {
  OpenTab(16, {RED});
  ModalRecorder recorder;
  recorder.QueueDialog([](QDialog& dialog) {
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("色"));
    EXPECT_EQ(dialog.pos(), mainWindows.paletteWindow->mapToGlobal(QPoint(0, 227)));
    EXPECT_EQ(Values(dialog), (std::vector<int>{255, 0, 0, 0, 255, 255}));
    EXPECT_EQ(Bar(dialog, H)->maximum(), 359);
    EXPECT_EQ(Preview(dialog), QColor(255, 0, 0));
    EXPECT_EQ(Strip(dialog, R, 0.0), QColor(0, 0, 0));
    EXPECT_EQ(Strip(dialog, H, 0.0), QColor(255, 0, 0));
    const QColor third = Strip(dialog, H, 1.0 / 3), twoThirds = Strip(dialog, H, 2.0 / 3);
    EXPECT_TRUE(third.green() == 255 && third.red() < 20) << third.name().toStdString();
    EXPECT_TRUE(twoThirds.blue() == 255 && twoThirds.green() < 20) << twoThirds.name().toStdString();
    PressButton(dialog, IDCANCEL);
  });
  DoubleClickEntry(0);
  EXPECT_EQ(recorder.dialogsRun(), 1);
}

TEST_F(ColorDialogTest, GreyOpensWithTheHueTheDialogLastHad) {
  ImageTab& tab = OpenTab(16, {RED, GREY});
  ModalRecorder recorder;
  recorder.QueueDialog([](QDialog& dialog) {
    Drag(dialog, H, 200);
    PressButton(dialog, IDCANCEL);
  });
  recorder.QueueDialog([&tab](QDialog& dialog) {
    EXPECT_EQ(Values(dialog), (std::vector<int>{128, 128, 128, 200, 0, 128}));
    for (int i = 0; i < 4; ++i) Click(dialog, S, Action::SliderPageStepAdd);
    // Saturation added to the grey gives a colour of the dialog's hue.
    EXPECT_EQ(tab.palette[1], HsvToRgb({200, 32, 128}));
    HsvColor hsv;
    RgbToHsv(tab.palette[1], hsv, 1);
    EXPECT_NEAR(hsv.hue, 200, 3);
    PressButton(dialog, IDCANCEL);
  });
  DoubleClickEntry(0);
  DoubleClickEntry(1);
  EXPECT_EQ(recorder.dialogsRun(), 2);
}

TEST_F(ColorDialogTest, ArrowAndPageStepsWriteTheEntryWhenEachScrollEnds) {
  ImageTab& tab = OpenTab(16, {BLACK});
  ModalRecorder recorder;
  recorder.QueueDialog([&tab](QDialog& dialog) {
    Bar(dialog, G)->triggerAction(Action::SliderSingleStepAdd);
    EXPECT_EQ(Preview(dialog), QColor(0, 1, 0));
    EXPECT_EQ(tab.palette[0], BLACK);
    Release(Bar(dialog, G));
    EXPECT_EQ(tab.palette[0], MakeColor(0, 1, 0));
    Click(dialog, G, Action::SliderSingleStepAdd);
    EXPECT_EQ(tab.palette[0], MakeColor(0, 2, 0));
    EXPECT_EQ(Values(dialog), (std::vector<int>{0, 2, 0, 120, 255, 2}));

    Drag(dialog, R, 250);
    EXPECT_EQ(Click(dialog, R, Action::SliderPageStepAdd), 255);
    Drag(dialog, R, 5);
    EXPECT_EQ(Click(dialog, R, Action::SliderPageStepSub), 0);
    EXPECT_EQ(Click(dialog, R, Action::SliderPageStepAdd), 8);
    EXPECT_EQ(Click(dialog, R, Action::SliderToMaximum), 8);
    Drag(dialog, H, 355);
    EXPECT_EQ(Click(dialog, H, Action::SliderPageStepAdd), 359);
    EXPECT_EQ(Click(dialog, H, Action::SliderSingleStepAdd), 359);
    // The bars offer no menu of their own that could move a thumb behind
    // the dialog's back.
    for (int channel = R; channel <= V; ++channel) EXPECT_FALSE(OpensContextMenu(Bar(dialog, channel))) << channel;
    PressButton(dialog, IDCANCEL);
  });
  DoubleClickEntry(0);
  EXPECT_EQ(recorder.dialogsRun(), 1);
}

TEST_F(ColorDialogTest, DraggingHueChangesRgbAtOnceAndTheEntryOnRelease) {
  ImageTab& tab = OpenTab(16, {RED});
  ModalRecorder recorder;
  recorder.QueueDialog([&tab](QDialog& dialog) {
    Drag(dialog, H, 120, false);
    EXPECT_EQ(Values(dialog), (std::vector<int>{0, 255, 0, 120, 255, 255}));
    Bar(dialog, H)->setSliderPosition(240);
    EXPECT_EQ(Values(dialog), (std::vector<int>{0, 0, 255, 240, 255, 255}));
    EXPECT_EQ(tab.palette[0], RED);
    Release(Bar(dialog, H));
    EXPECT_EQ(tab.palette[0], MakeColor(0, 0, 255));
    PressButton(dialog, IDCANCEL);
  });
  DoubleClickEntry(0);
  EXPECT_EQ(recorder.dialogsRun(), 1);
}

TEST_F(ColorDialogTest, TypedDigitsSetTheChannelAsTheyArriveWithinItsRange) {
  OpenTab(16, {BLACK});
  ModalRecorder recorder;
  recorder.QueueDialog([](QDialog& dialog) {
    const QRect redPlace = Label(dialog, R)->geometry(), huePlace = Label(dialog, H)->geometry();
    QLineEdit* edit = ClickLabel(dialog, R);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->geometry(), redPlace);
    EXPECT_EQ(edit->selectedText(), QStringLiteral("0"));
    EXPECT_GE(Label(dialog, R)->y(), dialog.height());
    Type(edit, "1");
    EXPECT_EQ(Values(dialog)[R], 1);
    Type(edit, "2");
    EXPECT_EQ(Values(dialog), (std::vector<int>{12, 0, 0, 0, 255, 12}));
    EXPECT_EQ(Preview(dialog), QColor(12, 0, 0));
    // Another label closes the box; a typed number beyond the range stops
    // at its end, so no channel byte wraps, and a fourth digit is refused.
    edit = ClickLabel(dialog, G);
    EXPECT_EQ(Label(dialog, R)->geometry(), redPlace);
    EXPECT_EQ(dialog.findChildren<QLineEdit*>().size(), 1);
    Type(edit, "9999");
    EXPECT_EQ(edit->text(), QStringLiteral("999"));
    EXPECT_EQ(Values(dialog)[G], 255);
    edit = ClickLabel(dialog, H);
    Type(edit, "400");
    EXPECT_EQ(Values(dialog)[H], 359);
    EXPECT_EQ(Preview(dialog), QColor(255, 0, 4));
    // Moving a scroll bar closes the box too.
    Click(dialog, V, Action::SliderSingleStepSub);
    EXPECT_EQ(FindControl<QLineEdit>(dialog, ID_VALUE_EDIT), nullptr);
    EXPECT_EQ(Label(dialog, H)->geometry(), huePlace);
    PressButton(dialog, IDCANCEL);
  });
  DoubleClickEntry(0);
  EXPECT_EQ(recorder.dialogsRun(), 1);
}

TEST_F(ColorDialogTest, CancelRestoresTheEntryAndRecordsNoStep) {
  ImageTab& tab = OpenTab(16, {GREY});
  ModalRecorder recorder;
  recorder.QueueDialog([&tab](QDialog& dialog) {
    for (int i = 0; i < 3; ++i) Click(dialog, B, Action::SliderPageStepAdd);
    EXPECT_EQ(tab.palette[0], MakeColor(128, 128, 152));
    PressButton(dialog, IDCANCEL);
  });
  const QImage shown = PaletteBackBuffer()->copy();
  DoubleClickEntry(0);
  EXPECT_EQ(tab.palette[0], GREY);
  EXPECT_EQ(UndoNodeCount(tab), 1);
  EXPECT_EQ(*PaletteBackBuffer(), shown);
  // The close box or Escape end the dialog without a button: a cancel too.
  recorder.QueueDialog([&tab](QDialog& dialog) {
    Click(dialog, R, Action::SliderSingleStepAdd);
    EXPECT_EQ(tab.palette[0], MakeColor(129, 128, 128));
    dialog.reject();
  });
  EXPECT_EQ(RunColorDialog(0), -1);
  EXPECT_EQ(tab.palette[0], GREY);
  EXPECT_EQ(RunColorDialog(16), -1);
  EXPECT_EQ(recorder.dialogsRun(), 2);
}

TEST_F(ColorDialogTest, OkStoresTheColourAndRecordsOneStep) {
  ImageTab& tab = OpenTab(16, {GREY});
  ModalRecorder recorder;
  recorder.QueueDialog([&tab](QDialog& dialog) {
    // A drag still held has not reached the entry; OK stores it all the same.
    Drag(dialog, R, 77, false);
    EXPECT_EQ(tab.palette[0], GREY);
    PressButton(dialog, IDOK);
  });
  DoubleClickEntry(0);
  EXPECT_EQ(tab.palette[0], MakeColor(77, 128, 128));
  EXPECT_EQ(UndoNodeCount(tab), 2);
  EXPECT_EQ(tab.undoCurrent->palette[0], MakeColor(77, 128, 128));
  EXPECT_EQ(Shown(20, 20), QColorOf(MakeColor(77, 128, 128)));
}

TEST_F(ColorDialogTest, OnATrueColourTabSwatchOpacityAndRightClickMakeThePen) {
  ImageTab* tab = CreateTrueColourTab({}, 8, 8);
  ASSERT_NE(tab, nullptr);
  for (int i = 0; i < 256; ++i) tab->palette[i] = MakeColor(i, 128, 255 - i);
  ClearTabPixels(*tab);
  CellAt(*tab, 2, 3) = 0x80102030u;
  tabSet.currentPosition = tabSet.tabCount - 1;
  ShowCurrentPosition();
  // A click takes the swatch's colour and keeps the pen's opacity; a pen
  // left transparent by a pick becomes opaque.
  struct Case {
    int index;
    std::uint32_t penBefore, penAfter;
  };
  for (const Case& c : {Case{5, 0x40000000u, 0x400580FAu}, Case{6, 0x00000000u, 0xFF0680F9u}}) {
    tab->penColour = c.penBefore;
    const CellRect cell = PaletteCellRect(c.index, 0);
    ClickPalette(cell.left + 5, cell.top + 5);
    EXPECT_EQ(tab->penColour, c.penAfter) << c.index;
  }
  // A double click edits the swatch; the dialog's last row sets the opacity.
  tab->penColour = 0x40000000u;
  ModalRecorder recorder;
  recorder.QueueDialog([](QDialog& dialog) {
    QScrollBar* opacity = FindControl<QScrollBar>(dialog, ID_OPACITY_SCROLLBAR);
    ASSERT_NE(opacity, nullptr);
    EXPECT_EQ(opacity->value(), 0x40);
    Drag(dialog, R, 77);
    opacity->setSliderDown(true);
    opacity->setSliderPosition(200);
    Release(opacity);
    EXPECT_EQ(FindControl<QLabel>(dialog, ID_FIRST_VALUE + 6)->text(), "200");
    PressButton(dialog, IDOK);
  });
  const CellRect seventh = PaletteCellRect(7, 0);
  ClickPalette(seventh.left + 5, seventh.top + 5, Qt::LeftButton, true);
  EXPECT_EQ(tab->palette[7], MakeColor(77, 128, 248));
  EXPECT_EQ(tab->penColour, 0xC84D80F8u);
  EXPECT_EQ(tab->penIndex, 7);
  // The right button picks the exact pixel, alpha included, and turns the
  // eraser off.
  tab->penMask = 1;
  HandleEditRightPress(EDIT_ORIGIN + 2 * tab->cellSize + 1, EDIT_ORIGIN + 3 * tab->cellSize + 1);
  EXPECT_EQ(tab->penColour, 0x80102030u);
  EXPECT_EQ(tab->penMask, 0u);
  EXPECT_EQ(tab->penIndex, 7);  // no swatch has that colour
  // A picked colour that a swatch has moves the marker to that swatch.
  CellAt(*tab, 2, 4) = 0x800980F6u;
  HandleEditRightPress(EDIT_ORIGIN + 2 * tab->cellSize + 1, EDIT_ORIGIN + 4 * tab->cellSize + 1);
  EXPECT_EQ(tab->penIndex, 9);
  HandleEditRightPress(EDIT_ORIGIN + 1, EDIT_ORIGIN + 1);
  EXPECT_EQ(tab->penColour, 0u);
  // An indexed tab's dialog has no opacity row.
  OpenTab(16);
  recorder.QueueDialog([](QDialog& dialog) {
    EXPECT_EQ(FindControl<QScrollBar>(dialog, ID_OPACITY_SCROLLBAR), nullptr);
    PressButton(dialog, IDCANCEL);
  });
  RunColorDialog(0);
  EXPECT_EQ(recorder.dialogsRun(), 2);
}
