#include <QCheckBox>
#include <QDialog>
#include <QRadioButton>

#include "clipboard/transparent_paste_dialog.h"
#include "platform/dialog_template.h"
#include "tests/ui/clipboard_fixture.h"

namespace {

// The two preview windows of the dialog: the picture view is the one of
// the two that is narrower than the colour grid.
PreviewControl* PictureView(QDialog& dialog) {
  const auto views = dialog.findChildren<PreviewControl*>();
  EXPECT_EQ(views.size(), 2);
  return views[0]->width() < views[1]->width() ? views[0] : views[1];
}
PreviewControl* Grid(QDialog& dialog) {
  const auto views = dialog.findChildren<PreviewControl*>();
  return views[0]->width() < views[1]->width() ? views[1] : views[0];
}

void SendViewMouse(PreviewControl* view, QEvent::Type type, QPoint client, Qt::MouseButton button,
               Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  const QPointF local = QPointF(client + view->clientRect().topLeft());
  QMouseEvent event(type, local, view->mapToGlobal(local), button, buttons, modifiers);
  QCoreApplication::sendEvent(view, &event);
}

int CellWidth(QDialog& dialog) { return Grid(dialog)->canvas()->width() / 16; }
int CellHeight(QDialog& dialog) { return Grid(dialog)->canvas()->height() / 16; }

QPoint CellCentre(QDialog& dialog, int index) {
  return QPoint((index % 16) * CellWidth(dialog) + CellWidth(dialog) / 2,
                (index / 16) * CellHeight(dialog) + CellHeight(dialog) / 2);
}

void ClickGridCell(QDialog& dialog, int index, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
               Qt::MouseButton button = Qt::LeftButton) {
  SendViewMouse(Grid(dialog), QEvent::MouseButtonPress, CellCentre(dialog, index), button, button, modifiers);
  SendViewMouse(Grid(dialog), QEvent::MouseButtonRelease, CellCentre(dialog, index), button, Qt::NoButton, modifiers);
}

ColorRef CellColour(QDialog& dialog, int index) {
  const QPoint centre = CellCentre(dialog, index);
  return ColorOfPixel(Grid(dialog)->canvas()->pixel(centre));
}

// The grid cell that shows the colour, or -1.
int CellOfColour(QDialog& dialog, ColorRef colour) {
  for (int i = 0; i < 256; ++i)
    if (CellColour(dialog, i) == colour) return i;
  return -1;
}

// A marked cell is drawn pressed in: its top-left corner in the shadow
// colour rather than the highlight.
bool Sunken(QDialog& dialog, int index) {
  const QPoint corner((index % 16) * CellWidth(dialog), (index / 16) * CellHeight(dialog));
  return ColorOfPixel(Grid(dialog)->canvas()->pixel(corner)) == GetSystemColor(COLOR_BTNSHADOW);
}

std::vector<int> SunkenCells(QDialog& dialog) {
  std::vector<int> cells;
  for (int i = 0; i < 256; ++i)
    if (Sunken(dialog, i)) cells.push_back(i);
  return cells;
}

// The picture view's client point of picture pixel (x, y) for a selection
// of width x height.
QPoint PicturePoint(QDialog& dialog, int x, int y, int width, int height) {
  const QImage& canvas = *PictureView(dialog)->canvas();
  return QPoint(canvas.width() / 2 - (width - 1) / 2 + x, canvas.height() / 2 - (height - 1) / 2 + y);
}

ColorRef ViewColour(QDialog& dialog, QPoint point) { return ColorOfPixel(PictureView(dialog)->canvas()->pixel(point)); }

const ColorRef RED = TestPaletteColor(12), GREEN = TestPaletteColor(10), BLUE = TestPaletteColor(9),
               WHITE = TestPaletteColor(15);

class TransparentPasteTest : public ClipboardTest {
 protected:
  void SetUp() override {
    ClipboardTest::SetUp();
    transparentPasteMode = MODE_TAKE_COLORS;
  }
  void TearDown() override {
    transparentPasteMode = MODE_TAKE_COLORS;
    ClipboardTest::TearDown();
  }
};

}  // namespace

TEST_F(TransparentPasteTest, OpensWithTakeInColoursFirstAndKeepsTheModeChosenLast) {
  ImageTab& tab = OpenTab(8, 8);
  PutOnClipboard(8, 8, [](int x, int) { return x < 4 ? RED : GREEN; });
  const auto before = Cells(tab);
  const int history = HistoryLength(tab);
  modal.QueueDialog([](QDialog& dialog) {
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("透過色指定貼り付け"));
    EXPECT_TRUE(FindControl<QRadioButton>(dialog, MODE_TAKE_COLORS)->isChecked());
    EXPECT_FALSE(FindControl<QRadioButton>(dialog, MODE_NEAREST_COLORS)->isChecked());
    auto* existing = FindControl<QCheckBox>(dialog, ID_EXISTING_TO_NEAREST);
    EXPECT_TRUE(existing->isChecked());
    EXPECT_FALSE(existing->isEnabled());
    FindControl<QRadioButton>(dialog, MODE_TRANSPARENCY_ONLY)->click();
    PressButton(dialog, IDCANCEL);
  });
  modal.QueueDialog([](QDialog& dialog) {
    EXPECT_TRUE(FindControl<QRadioButton>(dialog, MODE_TRANSPARENCY_ONLY)->isChecked());
    EXPECT_FALSE(FindControl<QRadioButton>(dialog, MODE_TAKE_COLORS)->isChecked());
    dialog.reject();
  });
  DispatchCommand(CMD_PASTE_TRANSPARENT);
  DispatchCommand(CMD_PASTE_TRANSPARENT);
  EXPECT_EQ(modal.dialogsRun(), 2);
  // Cancelling changes nothing and records nothing.
  EXPECT_EQ(Cells(tab), before);
  EXPECT_EQ(HistoryLength(tab), history);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(tab.palette[i], TestPaletteColor(i));
}

TEST_F(TransparentPasteTest, TheGridShowsThePicturesColoursAndShiftTogglesARun) {
  OpenTab(8, 8);
  PutOnClipboard(8, 8, [](int x, int y) { return y < 4 ? (x < 4 ? RED : GREEN) : (x < 4 ? BLUE : WHITE); });
  modal.QueueDialog([](QDialog& dialog) {
    // Black always leads the picture's colours; the rest are black too.
    std::vector<ColorRef> shown;
    for (int i = 0; i < 16; ++i) shown.push_back(CellColour(dialog, i));
    for (ColorRef colour : {RED, GREEN, BLUE, WHITE, ColorRef{0}})
      EXPECT_EQ(std::count(shown.begin(), shown.end(), colour), colour == 0 ? 12 : 1) << colour;
    // Cells past the picture's 16 keep the grid's own fill.
    EXPECT_EQ(CellColour(dialog, 16), BackgroundColor(CurrentTab()->backgroundIndex));
    EXPECT_TRUE(SunkenCells(dialog).empty());

    ClickGridCell(dialog, 3);
    ClickGridCell(dialog, 7, Qt::ShiftModifier);
    EXPECT_EQ(SunkenCells(dialog), (std::vector<int>{3, 4, 5, 6, 7}));
    ClickGridCell(dialog, 5, Qt::ShiftModifier, Qt::RightButton);
    EXPECT_EQ(SunkenCells(dialog), (std::vector<int>{3, 4, 7}));
    // A cell beyond the picture's colours does nothing, not even become the
    // start of a run: the run goes on from 5, so 3 and 4 toggle back.
    ClickGridCell(dialog, 40);
    EXPECT_FALSE(Sunken(dialog, 40));
    ClickGridCell(dialog, 3, Qt::ShiftModifier);
    EXPECT_EQ(SunkenCells(dialog), (std::vector<int>{7}));
    PressButton(dialog, IDCANCEL);
  });
  DispatchCommand(CMD_PASTE_TRANSPARENT);
  EXPECT_EQ(modal.dialogsRun(), 1);
}

TEST_F(TransparentPasteTest, DraggingOverThePictureMarksEveryColourPassedAndOnlyTheGridUnmarks) {
  ImageTab& tab = OpenTab(8, 8);
  tab.selection = {1, 2, 6, 5};
  // Columns of red, green, blue, white, red, green over 6 x 4 pixels: at the
  // selection's size nothing is shrunk.
  const ColorRef columns[6] = {RED, GREEN, BLUE, WHITE, RED, GREEN};
  PutOnClipboard(6, 4, [&](int x, int) { return columns[x]; });
  modal.QueueDialog([&](QDialog& dialog) {
    PreviewControl* view = PictureView(dialog);
    const ColorRef face = GetSystemColor(COLOR_BTNFACE);
    // Outside the picture nothing is picked.
    SendViewMouse(view, QEvent::MouseButtonPress, PicturePoint(dialog, -1, 0, 6, 4), Qt::LeftButton, Qt::LeftButton);
    SendViewMouse(view, QEvent::MouseButtonPress, PicturePoint(dialog, 0, 4, 6, 4), Qt::LeftButton, Qt::LeftButton);
    EXPECT_TRUE(SunkenCells(dialog).empty());
    // A move without a button held marks nothing.
    SendViewMouse(view, QEvent::MouseMove, PicturePoint(dialog, 0, 0, 6, 4), Qt::NoButton, Qt::NoButton);
    EXPECT_TRUE(SunkenCells(dialog).empty());

    SendViewMouse(view, QEvent::MouseButtonPress, PicturePoint(dialog, 0, 1, 6, 4), Qt::RightButton, Qt::RightButton);
    SendViewMouse(view, QEvent::MouseMove, PicturePoint(dialog, 1, 1, 6, 4), Qt::NoButton, Qt::RightButton);
    EXPECT_TRUE(Sunken(dialog, CellOfColour(dialog, RED)));
    EXPECT_TRUE(Sunken(dialog, CellOfColour(dialog, GREEN)));
    EXPECT_EQ(SunkenCells(dialog).size(), 2u);
    // Marked colours vanish from the picture, in both of their columns.
    for (int x : {0, 1, 4, 5}) EXPECT_EQ(ViewColour(dialog, PicturePoint(dialog, x, 3, 6, 4)), face) << x;
    EXPECT_EQ(ViewColour(dialog, PicturePoint(dialog, 2, 3, 6, 4)), BLUE);

    // The last column and row can be picked; a click on a marked colour in
    // the picture leaves it marked.
    SendViewMouse(view, QEvent::MouseButtonPress, PicturePoint(dialog, 5, 3, 6, 4), Qt::LeftButton, Qt::LeftButton);
    EXPECT_TRUE(Sunken(dialog, CellOfColour(dialog, GREEN)));
    SendViewMouse(view, QEvent::MouseButtonPress, PicturePoint(dialog, 3, 3, 6, 4), Qt::LeftButton, Qt::LeftButton);
    EXPECT_TRUE(Sunken(dialog, CellOfColour(dialog, WHITE)));
    EXPECT_EQ(SunkenCells(dialog).size(), 3u);

    // The grid takes a mark back and the colour shows again.
    ClickGridCell(dialog, CellOfColour(dialog, RED));
    EXPECT_FALSE(Sunken(dialog, CellOfColour(dialog, RED)));
    EXPECT_EQ(ViewColour(dialog, PicturePoint(dialog, 4, 0, 6, 4)), RED);
    PressButton(dialog, IDCANCEL);
  });
  DispatchCommand(CMD_PASTE_TRANSPARENT);
  EXPECT_EQ(modal.dialogsRun(), 1);
}

TEST_F(TransparentPasteTest, OkPastesTheUnmarkedColoursAsOneUndoStep) {
  ImageTab& tab = OpenTab(8, 8);
  for (int x = 0; x < 8; ++x)
    for (int y = 0; y < 8; ++y) CellAt(tab, x, y) = static_cast<PixelCell>(3 | (x % 2 ? CELL_MASK_BIT : 0));
  RecordUndo(tab);
  const auto before = Cells(tab);
  const int history = HistoryLength(tab);
  // Green is marked: the image shows through where it was.
  PutOnClipboard(8, 8, [](int x, int y) { return y < 4 ? RED : (x < 4 ? GREEN : BLUE); });
  modal.QueueDialog([](QDialog& dialog) {
    FindControl<QRadioButton>(dialog, MODE_NEAREST_COLORS)->click();
    ClickGridCell(dialog, CellOfColour(dialog, GREEN));
    PressButton(dialog, IDOK);
  });
  DispatchCommand(CMD_PASTE_TRANSPARENT);
  for (int x = 0; x < 8; ++x)
    for (int y = 0; y < 8; ++y) {
      const PixelCell expected = y < 4 ? 12 : x < 4 ? before[x * 8 + y] : 9;
      ASSERT_EQ(CellAt(tab, x, y), expected) << x << "," << y;
    }
  for (int i = 0; i < 16; ++i) EXPECT_EQ(tab.palette[i], TestPaletteColor(i));
  EXPECT_EQ(HistoryLength(tab), history + 1);
  EXPECT_EQ(transparentPasteMode, MODE_NEAREST_COLORS);
  DispatchCommand(CMD_UNDO);
  EXPECT_EQ(Cells(tab), before);
}
