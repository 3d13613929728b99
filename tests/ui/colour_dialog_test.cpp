#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>

#include <cstdlib>
#include <vector>

#include "palette/colour_dialog.h"
#include "palette/palette_layout.h"
#include "platform/dialog_template.h"
#include "tests/support/modal_recorder.h"
#include "tests/ui/palette_ui_support.h"

namespace {

enum { R, G, B, H, S, V };

QScrollBar* Bar(QDialog& dialog, int channel) { return FindControl<QScrollBar>(dialog, ID_FIRST_SCROLLBAR + channel); }
QLabel* Label(QDialog& dialog, int channel) { return FindControl<QLabel>(dialog, ID_FIRST_VALUE + channel); }

// The six value labels as numbers, R G B H S V.
std::vector<int> Labels(QDialog& dialog) {
  std::vector<int> values;
  for (int channel = R; channel <= V; ++channel) values.push_back(Label(dialog, channel)->text().toInt());
  return values;
}

std::vector<int> Positions(QDialog& dialog) {
  std::vector<int> values;
  for (int channel = R; channel <= V; ++channel) values.push_back(Bar(dialog, channel)->value());
  return values;
}

// The mouse lets go of a scroll bar: the scroll ends.
void Release(QScrollBar* bar) { SendMouse(bar, QEvent::MouseButtonRelease, QPoint(2, 2), Qt::LeftButton, Qt::NoButton); }

// One click on an arrow or beside the thumb, with the release that ends it.
void Click(QScrollBar* bar, QAbstractSlider::SliderAction action) {
  bar->triggerAction(action);
  Release(bar);
}

// Drags the thumb to the position and lets go.
void DragTo(QScrollBar* bar, int position) {
  bar->setSliderDown(true);
  bar->setSliderPosition(position);
  Release(bar);
  bar->setSliderDown(false);
}

void ClickLabel(QDialog& dialog, int channel) {
  SendMouse(Label(dialog, channel), QEvent::MouseButtonPress, QPoint(2, 2), Qt::LeftButton, Qt::LeftButton);
  SendMouse(Label(dialog, channel), QEvent::MouseButtonRelease, QPoint(2, 2), Qt::LeftButton, Qt::NoButton);
}

void TypeDigit(QWidget* edit, char digit) {
  TypeKey(edit, static_cast<Qt::Key>(Qt::Key_0 + (digit - '0')), QString(QChar(digit)));
}

QColor PreviewColour(QDialog& dialog) {
  const QImage shown = dialog.grab().toImage();
  return shown.pixelColor(FindControl<QWidget>(dialog, ID_PREVIEW_FRAME)->geometry().center());
}

// The colour shown at a fraction of the strip band above a scroll bar.
QColor StripColour(QDialog& dialog, int channel, double fraction) {
  const QImage shown = dialog.grab().toImage();
  const QRect band = ColorStripBand(*Bar(dialog, channel));
  return shown.pixelColor(band.left() + static_cast<int>(fraction * (band.width() - 1)), band.center().y());
}

// Double clicks the cell of the entry, as the user opens the dialog.
void OpenOnEntry(const ImageTab& tab, int index) {
  const CellRect cell = PaletteCellRect(index, tab.colorCode);
  const int x = (cell.left + cell.right) / 2, y = (cell.top + cell.bottom) / 2;
  ClickPalette(x, y);
  DoubleClickPalette(x, y);
}

using ColorDialogTest = PaletteFixture;

}  // namespace

TEST_F(ColorDialogTest, RedOpensWithItsChannelsAndAFullHueStrip) {
  ImageTab& tab = OpenTab(8, 8, 16);
  ModalRecorder recorder;
  recorder.QueueDialog([](QDialog& dialog) {
    EXPECT_EQ(Labels(dialog), (std::vector<int>{255, 0, 0, 0, 255, 255}));
    EXPECT_EQ(Positions(dialog), (std::vector<int>{255, 0, 0, 0, 255, 255}));
    EXPECT_EQ(Bar(dialog, H)->maximum(), 359);
    EXPECT_EQ(Bar(dialog, V)->maximum(), 255);
    EXPECT_EQ(Bar(dialog, R)->focusPolicy(), Qt::NoFocus);
    EXPECT_TRUE(Label(dialog, R)->font().bold());
    EXPECT_EQ(PreviewColour(dialog), QColor(255, 0, 0));
    // The hue strip runs through the hues at full saturation and value.
    EXPECT_EQ(StripColour(dialog, H, 0.0), QColor(255, 0, 0));
    const QColor third = StripColour(dialog, H, 1.0 / 3), twoThirds = StripColour(dialog, H, 2.0 / 3);
    EXPECT_EQ(third.green(), 255);
    EXPECT_LT(third.red(), 20);
    EXPECT_EQ(twoThirds.blue(), 255);
    EXPECT_LT(twoThirds.green(), 20);
    // The red strip goes from black to red.
    EXPECT_EQ(StripColour(dialog, R, 0.0), QColor(0, 0, 0));
    EXPECT_EQ(StripColour(dialog, R, 1.0), QColor(255, 0, 0));
    PressButton(dialog, IDCANCEL);
  });
  OpenOnEntry(tab, 9);
  EXPECT_EQ(recorder.dialogsRun(), 1);
}

TEST_F(ColorDialogTest, GreyOpensWithTheHueTheDialogLastHad) {
  ImageTab& tab = OpenTab(8, 8, 16);
  ModalRecorder recorder;
  recorder.QueueDialog([](QDialog& dialog) {
    DragTo(Bar(dialog, H), 200);
    PressButton(dialog, IDCANCEL);
  });
  recorder.QueueDialog([&tab](QDialog& dialog) {
    EXPECT_EQ(Labels(dialog), (std::vector<int>{128, 128, 128, 200, 0, 128}));
    for (int i = 0; i < 4; ++i) Click(Bar(dialog, S), QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(Label(dialog, S)->text(), QStringLiteral("32"));
    EXPECT_EQ(Label(dialog, H)->text(), QStringLiteral("200"));
    // Saturation added to the grey gives a colour of the dialog's hue.
    const ColorRef shown = tab.palette[8];
    EXPECT_EQ(shown, HsvToRgb({200, 32, 128}));
    HsvColor hsv;
    RgbToHsv(shown, hsv, 1);
    EXPECT_NEAR(hsv.hue, 200, 3);
    PressButton(dialog, IDCANCEL);
  });
  OpenOnEntry(tab, 12);
  OpenOnEntry(tab, 8);
  EXPECT_EQ(recorder.dialogsRun(), 2);
  EXPECT_EQ(tab.palette[8], MakeColor(128, 128, 128));
}

TEST_F(ColorDialogTest, ArrowClicksWriteTheEntryWhenEachScrollEnds) {
  ImageTab& tab = OpenTab(8, 8, 16);
  ModalRecorder recorder;
  recorder.QueueDialog([&tab](QDialog& dialog) {
    QScrollBar* green = Bar(dialog, G);
    green->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(Label(dialog, G)->text(), QStringLiteral("1"));
    EXPECT_EQ(PreviewColour(dialog), QColor(0, 1, 0));
    // The entry follows only when the mouse lets go.
    EXPECT_EQ(tab.palette[0], MakeColor(0, 0, 0));
    Release(green);
    EXPECT_EQ(tab.palette[0], MakeColor(0, 1, 0));
    Click(green, QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(tab.palette[0], MakeColor(0, 2, 0));
    EXPECT_EQ(Labels(dialog), (std::vector<int>{0, 2, 0, 120, 255, 2}));
    PressButton(dialog, IDCANCEL);
  });
  OpenOnEntry(tab, 0);
  EXPECT_EQ(recorder.dialogsRun(), 1);
}

TEST_F(ColorDialogTest, PageStepsAreEightAndStopAtTheRangeEnds) {
  ImageTab& tab = OpenTab(8, 8, 16);
  ModalRecorder recorder;
  recorder.QueueDialog([](QDialog& dialog) {
    QScrollBar* red = Bar(dialog, R);
    DragTo(red, 250);
    Click(red, QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(red->value(), 255);
    EXPECT_EQ(Label(dialog, R)->text(), QStringLiteral("255"));
    DragTo(red, 5);
    Click(red, QAbstractSlider::SliderPageStepSub);
    EXPECT_EQ(red->value(), 0);
    Click(red, QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(red->value(), 8);
    Click(red, QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(red->value(), 7);
    // The end requests keep the value.
    Click(red, QAbstractSlider::SliderToMaximum);
    EXPECT_EQ(red->value(), 7);
    QScrollBar* hue = Bar(dialog, H);
    DragTo(hue, 355);
    Click(hue, QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(hue->value(), 359);
    Click(hue, QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(Label(dialog, H)->text(), QStringLiteral("359"));
    PressButton(dialog, IDCANCEL);
  });
  OpenOnEntry(tab, 1);
  EXPECT_EQ(recorder.dialogsRun(), 1);
}

TEST_F(ColorDialogTest, DraggingHueChangesRgbAtOnceAndTheEntryOnRelease) {
  ImageTab& tab = OpenTab(8, 8, 16);
  ModalRecorder recorder;
  recorder.QueueDialog([&tab](QDialog& dialog) {
    QScrollBar* hue = Bar(dialog, H);
    hue->setSliderDown(true);
    hue->setSliderPosition(120);
    EXPECT_EQ(Labels(dialog), (std::vector<int>{0, 255, 0, 120, 255, 255}));
    hue->setSliderPosition(240);
    EXPECT_EQ(Labels(dialog), (std::vector<int>{0, 0, 255, 240, 255, 255}));
    EXPECT_EQ(PreviewColour(dialog), QColor(0, 0, 255));
    EXPECT_EQ(tab.palette[9], MakeColor(255, 0, 0));
    Release(hue);
    hue->setSliderDown(false);
    EXPECT_EQ(tab.palette[9], MakeColor(0, 0, 255));
    PressButton(dialog, IDCANCEL);
  });
  OpenOnEntry(tab, 9);
  EXPECT_EQ(recorder.dialogsRun(), 1);
}

TEST_F(ColorDialogTest, TypedDigitsSetTheChannelAsTheyArriveWithinItsRange) {
  ImageTab& tab = OpenTab(8, 8, 16);
  ModalRecorder recorder;
  recorder.QueueDialog([](QDialog& dialog) {
    const QPoint redPlace = Label(dialog, R)->pos();
    ClickLabel(dialog, R);
    auto* edit = FindControl<QLineEdit>(dialog, ID_VALUE_EDIT);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->geometry(), QRect(redPlace, Label(dialog, R)->size()));
    EXPECT_EQ(edit->text(), QStringLiteral("0"));
    EXPECT_EQ(edit->selectedText(), QStringLiteral("0"));
    EXPECT_GE(Label(dialog, R)->y(), dialog.height());
    TypeDigit(edit, '1');
    EXPECT_EQ(Bar(dialog, R)->value(), 1);
    EXPECT_EQ(Label(dialog, R)->text(), QStringLiteral("1"));
    TypeDigit(edit, '2');
    EXPECT_EQ(Bar(dialog, R)->value(), 12);
    EXPECT_EQ(Labels(dialog), (std::vector<int>{12, 0, 0, 0, 255, 12}));
    EXPECT_EQ(PreviewColour(dialog), QColor(12, 0, 0));

    // Another label closes the first box and puts its label back.
    ClickLabel(dialog, G);
    EXPECT_EQ(Label(dialog, R)->pos(), redPlace);
    edit = FindControl<QLineEdit>(dialog, ID_VALUE_EDIT);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(dialog.findChildren<QLineEdit*>().size(), 1);
    // A typed number beyond the range is held at its end, so no channel
    // byte wraps; a fourth digit does not fit.
    for (char digit : {'9', '9', '9', '9'}) TypeDigit(edit, digit);
    EXPECT_EQ(edit->text(), QStringLiteral("999"));
    EXPECT_EQ(Label(dialog, G)->text(), QStringLiteral("255"));
    EXPECT_EQ(PreviewColour(dialog), QColor(12, 255, 0));

    const QPoint huePlace = Label(dialog, H)->pos();
    ClickLabel(dialog, H);
    edit = FindControl<QLineEdit>(dialog, ID_VALUE_EDIT);
    ASSERT_NE(edit, nullptr);
    for (char digit : {'4', '0', '0'}) TypeDigit(edit, digit);
    EXPECT_EQ(Label(dialog, H)->text(), QStringLiteral("359"));
    HsvColor hsv;
    RgbToHsv(MakeColor(12, 255, 0), hsv, 1);
    hsv.hue = 359;
    EXPECT_EQ(PreviewColour(dialog), QColorOf(HsvToRgb(hsv)));

    // Moving a scroll bar closes the box.
    Click(Bar(dialog, V), QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(FindControl<QLineEdit>(dialog, ID_VALUE_EDIT), nullptr);
    EXPECT_EQ(Label(dialog, H)->pos(), huePlace);
    PressButton(dialog, IDOK);
  });
  OpenOnEntry(tab, 0);
  EXPECT_EQ(recorder.dialogsRun(), 1);
}

TEST_F(ColorDialogTest, CancelRestoresTheEntryAndRecordsNoStep) {
  ImageTab& tab = OpenTab(8, 8, 16);
  const int undoSteps = UndoNodeCount(tab);
  ModalRecorder recorder;
  recorder.QueueDialog([&tab](QDialog& dialog) {
    for (int i = 0; i < 3; ++i) Click(Bar(dialog, B), QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(tab.palette[5], MakeColor(128, 0, 152));
    PressButton(dialog, IDCANCEL);
  });
  // The first click of the double click moves the marker; what the
  // window shows after it must survive the dialog unchanged.
  ClickPalette(70, 70);
  const QImage shown = PaletteBackBuffer()->copy();
  DoubleClickPalette(70, 70);
  ASSERT_EQ(recorder.dialogsRun(), 1);
  EXPECT_EQ(tab.palette[5], MakeColor(128, 0, 128));
  EXPECT_EQ(UndoNodeCount(tab), undoSteps);
  EXPECT_EQ(PaletteBackBuffer()->pixelColor(70, 70), QColorOf(MakeColor(128, 0, 128)));
  EXPECT_EQ(*PaletteBackBuffer(), shown);
}

TEST_F(ColorDialogTest, ClosingWithoutAButtonCountsAsCancel) {
  ImageTab& tab = OpenTab(8, 8, 16);
  ModalRecorder recorder;
  recorder.QueueDialog([&tab](QDialog& dialog) {
    Click(Bar(dialog, R), QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(tab.palette[2], MakeColor(1, 128, 0));
    // The close box or Escape: the dialog ends without a button.
    dialog.reject();
  });
  EXPECT_EQ(RunColorDialog(2), -1);
  EXPECT_EQ(tab.palette[2], MakeColor(0, 128, 0));
  // Nothing to edit: no dialog at all.
  EXPECT_EQ(RunColorDialog(16), -1);
  EXPECT_EQ(RunColorDialog(-1), -1);
  EXPECT_EQ(recorder.dialogsRun(), 1);
}

TEST_F(ColorDialogTest, OkStoresTheColourAndRecordsOneStep) {
  ImageTab& tab = OpenTab(8, 8, 16);
  const int undoSteps = UndoNodeCount(tab);
  ModalRecorder recorder;
  recorder.QueueDialog([&tab](QDialog& dialog) {
    // A drag without letting go has not reached the entry yet.
    Bar(dialog, R)->setSliderPosition(77);
    EXPECT_EQ(tab.palette[3], MakeColor(128, 128, 0));
    PressButton(dialog, IDOK);
  });
  OpenOnEntry(tab, 3);
  ASSERT_EQ(recorder.dialogsRun(), 1);
  EXPECT_EQ(tab.palette[3], MakeColor(77, 128, 0));
  EXPECT_EQ(UndoNodeCount(tab), undoSteps + 1);
  EXPECT_EQ(tab.undoCurrent->palette[3], MakeColor(77, 128, 0));
  EXPECT_EQ(PaletteBackBuffer()->pixelColor(160, 20), QColorOf(MakeColor(77, 128, 0)));
}
