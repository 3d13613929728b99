#include <QMimeData>

#include "app/command_state.h"
#include "canvas/floating_block.h"
#include "canvas/floating_paste.h"
#include "clipboard/clipboard_commands.h"
#include "clipboard/paste_floating.h"
#include "palette/colour_math.h"
#include "tests/ui/clipboard_fixture.h"

namespace {

QImage ClipboardImage() { return QApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32); }

ColorRef ColorAt(const QImage& image, int x, int y) { return ColorOfPixel(image.pixel(x, y)); }

class CopyPasteTest : public ClipboardTest {
 protected:
  // A tab whose every cell shows its own mix of the test palette, with
  // every third cell transparent.
  ImageTab& PatternedTab(int width, int height) {
    ImageTab& tab = OpenTab(width, height);
    for (int x = 0; x < width; ++x)
      for (int y = 0; y < height; ++y)
        CellAt(tab, x, y) = static_cast<PixelCell>((x * 3 + y * 5) % 16 | ((x + y) % 3 == 0 ? CELL_MASK_BIT : 0));
    RecordUndo(tab);
    return tab;
  }
};

using CopyTest = CopyPasteTest;
using PasteTest = CopyPasteTest;

}  // namespace

TEST_F(CopyTest, WithNothingSelectedTheWholeImageGoesOnTheClipboardAsThePreviewShowsIt) {
  ImageTab& tab = PatternedTab(32, 32);
  const auto cells = Cells(tab);
  const int history = HistoryLength(tab);
  EXPECT_FALSE(ClipboardHasPicture());
  DispatchCommand(CMD_COPY);
  ASSERT_TRUE(ClipboardHasPicture());
  const QImage image = ClipboardImage();
  ASSERT_EQ(image.size(), QSize(32, 32));
  RepaintPreview(&tab);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x)
      ASSERT_EQ(ColorAt(image, x, y), ColorOfPixel(mainPreview.canvas->pixel(mainPreview.originX + x,
                                                                              mainPreview.originY + y)))
          << x << "," << y;
  // Copying changes neither the image nor its history.
  EXPECT_EQ(Cells(tab), cells);
  EXPECT_EQ(HistoryLength(tab), history);
}

TEST_F(CopyTest, ASelectionGivesAPictureOfItsOwnSize) {
  ImageTab& tab = PatternedTab(16, 16);
  tab.selection = {3, 4, 10, 6};
  DispatchCommand(CMD_COPY);
  const QImage image = ClipboardImage();
  ASSERT_EQ(image.size(), QSize(8, 3));
  const ColorRef background = BackgroundColor(tab.backgroundIndex);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 8; ++x)
      EXPECT_EQ(ColorAt(image, x, y), PreviewColor(tab, CellAt(tab, 3 + x, 4 + y), background)) << x << "," << y;
}

TEST_F(CopyTest, TransparentBlackIsTheBackgroundAndTransparentWhiteItsInverse) {
  ImageTab& tab = OpenTab(4, 1);
  tab.backgroundIndex = 1;
  const ColorRef background = BackgroundColor(1);
  ASSERT_NE(background, 0u);
  CellAt(tab, 0, 0) = 0 | CELL_MASK_BIT;
  CellAt(tab, 1, 0) = 15 | CELL_MASK_BIT;
  CellAt(tab, 2, 0) = 0;
  CellAt(tab, 3, 0) = 12;
  DispatchCommand(CMD_COPY);
  const QImage image = ClipboardImage();
  ASSERT_EQ(image.size(), QSize(4, 1));
  EXPECT_EQ(ColorAt(image, 0, 0), background);
  EXPECT_EQ(ColorAt(image, 1, 0), background ^ 0xFFFFFFu);
  EXPECT_EQ(ColorAt(image, 2, 0), 0u);
  EXPECT_EQ(ColorAt(image, 3, 0), TestPaletteColor(12));
  // Both transparent cells go out transparent, as PNG too, so that pasting
  // the picture back leaves the holes where they were.
  for (const QImage& taken : {QApplication::clipboard()->image(),
                              QImage::fromData(QApplication::clipboard()->mimeData()->data("image/png"), "PNG")}) {
    ASSERT_EQ(taken.size(), QSize(4, 1));
    EXPECT_EQ(qAlpha(taken.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(taken.pixel(1, 0)), 0);
    EXPECT_EQ(qAlpha(taken.pixel(2, 0)), 255);
    EXPECT_EQ(qAlpha(taken.pixel(3, 0)), 255);
  }
  CellAt(tab, 0, 0) = CellAt(tab, 1, 0) = 5;
  DispatchCommand(CMD_PASTE);
  const PixelCell masks[] = {CELL_MASK_BIT, CELL_MASK_BIT, 0, 0};
  for (int x = 0; x < 4; ++x) EXPECT_EQ(CellAt(tab, x, 0) & CELL_MASK_BIT, masks[x]) << x;
}

TEST_F(CopyTest, ATrueColourTabCopiesItsArgbAndEveryPasteIntoOneKeepsIt) {
  // Larger than an indexed image, with every kind of alpha.
  ImageTab& tab = OpenTrueColourTab(80, 70);
  for (int x = 0; x < 80; ++x)
    for (int y = 0; y < 70; ++y)
      CellAt(tab, x, y) = TrueColourCell(static_cast<std::uint32_t>((x * 37 + y * 11) & 0xFF) << 24 |
                                         static_cast<std::uint32_t>(x << 16 | y << 8 | (x ^ y)));
  RecordUndo(tab);
  const auto original = Cells(tab);
  const int history = HistoryLength(tab);
  DispatchCommand(CMD_CUT);
  for (PixelCell cell : Cells(tab)) ASSERT_EQ(cell, 0u);
  EXPECT_EQ(HistoryLength(tab), history + 1);
  DispatchCommand(CMD_UNDO);
  EXPECT_EQ(Cells(tab), original);

  // At its own size, floating and then placed.
  ImageTab& same = OpenTrueColourTab(80, 70);
  ASSERT_TRUE(PasteFloating(same, false));
  ASSERT_TRUE(CommitFloating());
  EXPECT_EQ(Cells(same), original);
  // Lifting a selection to move it leaves transparent pixels behind.
  auto lifted = std::make_unique<FloatingBlock>();
  LiftArea(same, {2, 2, 9, 9}, *lifted);
  EXPECT_EQ(CellAt(same, 2, 2), 0u);
  EXPECT_EQ(lifted->cells[CellIndex(1, 1)], CellAt(tab, 3, 3));
  // Squeezed into a selection of half the size: each cell takes the pixel
  // at the centre of its place, colour and alpha.
  ImageTab& half = OpenTrueColourTab(50, 50);
  half.selection = {5, 5, 44, 39};
  ASSERT_EQ(PasteFromClipboard(half, PASTE_NEAREST), 1);
  for (int x = 0; x < 40; ++x)
    for (int y = 0; y < 35; ++y) ASSERT_EQ(CellAt(half, 5 + x, 5 + y), CellAt(tab, 2 * x + 1, 2 * y + 1)) << x << "," << y;
  EXPECT_EQ(CellAt(half, 4, 4), 0u);
}

TEST_F(CopyTest, CutCopiesThenClearsTheSelectionAsOneUndoStep) {
  ImageTab& tab = PatternedTab(8, 8);
  tab.selection = {1, 2, 4, 3};
  const auto before = Cells(tab);
  const ColorRef shown = PreviewColor(tab, CellAt(tab, 1, 2), BackgroundColor(tab.backgroundIndex));
  const int history = HistoryLength(tab);
  DispatchCommand(CMD_CUT);
  const QImage image = ClipboardImage();
  ASSERT_EQ(image.size(), QSize(4, 2));
  EXPECT_EQ(ColorAt(image, 0, 0), shown);
  for (int x = 0; x < 8; ++x)
    for (int y = 0; y < 8; ++y) {
      const bool inside = x >= 1 && x <= 4 && y >= 2 && y <= 3;
      EXPECT_EQ(CellAt(tab, x, y), inside ? FRESH_CELL : before[x * 8 + y]) << x << "," << y;
    }
  EXPECT_EQ(HistoryLength(tab), history + 1);
  DispatchCommand(CMD_UNDO);
  EXPECT_EQ(Cells(tab), before);
}

TEST_F(PasteTest, ALargerPictureIsShrunkOntoTheWholeImageOrSqueezedIntoTheSelection) {
  ImageTab& tab = OpenTab(16, 16);
  // Four quadrants in palette colours 9, 10, 12 and 14; a 2 x 2 block of
  // one colour shrinks to that colour.
  const auto quadrant = [](int x, int y) { return TestPaletteColor(x < 16 ? (y < 16 ? 9 : 10) : (y < 16 ? 12 : 14)); };
  PutOnClipboard(32, 32, quadrant);
  ASSERT_TRUE(ClipboardHasPicture());
  const int history = HistoryLength(tab);
  DispatchCommand(CMD_PASTE_NEAREST);
  for (int x = 0; x < 16; ++x)
    for (int y = 0; y < 16; ++y)
      ASSERT_EQ(CellAt(tab, x, y), x < 8 ? (y < 8 ? 9 : 10) : (y < 8 ? 12 : 14)) << x << "," << y;
  EXPECT_EQ(HistoryLength(tab), history + 1);
  // The views show the paste at once.
  EXPECT_EQ(ColorOfPixel(mainPreview.canvas->pixel(mainPreview.originX + 15, mainPreview.originY + 15)),
            TestPaletteColor(14));

  ClearTabPixels(tab);
  tab.selection = {2, 2, 5, 9};
  DispatchCommand(CMD_PASTE_NEAREST);
  for (int x = 0; x < 16; ++x)
    for (int y = 0; y < 16; ++y) {
      const bool inside = x >= 2 && x <= 5 && y >= 2 && y <= 9;
      const PixelCell expected = !inside ? FRESH_CELL : x < 4 ? (y < 6 ? 9 : 10) : (y < 6 ? 12 : 14);
      ASSERT_EQ(CellAt(tab, x, y), expected) << x << "," << y;
    }
  EXPECT_EQ(tab.selection.left, 2);
  EXPECT_EQ(tab.selection.bottom, 9);
}

TEST_F(PasteTest, NearestColoursMakeEveryPastedCellOpaqueAndUndoBringsTheOldCellsBack) {
  ImageTab& tab = OpenTab(8, 4);
  const auto before = Cells(tab);
  const ColorRef nearlyRed = TestPaletteColor(12) | 0x10;
  PutOnClipboard(8, 4, [&](int x, int) { return x < 4 ? nearlyRed : TestPaletteColor(x); });
  DispatchCommand(CMD_PASTE_NEAREST);
  for (int x = 0; x < 8; ++x)
    for (int y = 0; y < 4; ++y) ASSERT_EQ(CellAt(tab, x, y), x < 4 ? 12 : x) << x << "," << y;
  // The palette is not touched.
  for (int i = 0; i < 16; ++i) EXPECT_EQ(tab.palette[i], TestPaletteColor(i));
  DispatchCommand(CMD_UNDO);
  EXPECT_EQ(Cells(tab), before);
}

TEST_F(PasteTest, AnEmptyClipboardChangesNothingAndAddsNoUndoStep) {
  ImageTab& tab = PatternedTab(8, 8);
  const auto before = Cells(tab);
  const int history = HistoryLength(tab);
  for (int command : {CMD_PASTE, CMD_PASTE_NEAREST, CMD_PASTE_TRANSPARENT}) {
    EXPECT_EQ(PasteFromClipboard(tab, static_cast<unsigned>(command)), 0);
    DispatchCommand(static_cast<unsigned>(command));
  }
  EXPECT_EQ(Cells(tab), before);
  EXPECT_EQ(HistoryLength(tab), history);
  EXPECT_EQ(modal.dialogsRun(), 0);
}

TEST_F(PasteTest, WithoutATabTheNewTabDialogComesFirst) {
  PutOnClipboard(4, 4, [](int, int) { return TestPaletteColor(15); });
  modal.QueueDialog([](QDialog& dialog) { PressButton(dialog, IDCANCEL); });
  DispatchCommand(CMD_PASTE_NEAREST);
  EXPECT_EQ(tabSet.tabCount, 0);
  modal.QueueDialog([](QDialog& dialog) {
    SetControlText(dialog, 2011, "8");
    SetControlText(dialog, 2012, "8");
    SetControlText(dialog, 2013, "16");
    PressButton(dialog, IDOK);
  });
  DispatchCommand(CMD_PASTE_NEAREST);
  ASSERT_EQ(tabSet.tabCount, 1);
  ImageTab* tab = CurrentTab();
  ASSERT_NE(tab, nullptr);
  const int white = NearestPaletteIndex(tab->palette, 16, TestPaletteColor(15));
  for (int x = 0; x < 8; ++x)
    for (int y = 0; y < 8; ++y) ASSERT_EQ(CellAt(*tab, x, y), white) << x << "," << y;
  EXPECT_EQ(HistoryLength(*tab), 2);
}

TEST_F(PasteTest, AsItIsNumbersBlackZeroAndTheOtherColoursInTheOrderMet) {
  ImageTab& tab = OpenTab(6, 2);
  tab.colorCode = 2;
  tab.palette[0] = TestPaletteColor(12);
  tab.palette[1] = TestPaletteColor(10);
  // White first in reading order, black later: black still takes 0.
  PutOnClipboard(6, 2, [](int x, int y) { return (x + y) % 3 == 0 ? TestPaletteColor(15) : TestPaletteColor(0); });
  DispatchCommand(CMD_PASTE);
  for (int x = 0; x < 6; ++x)
    for (int y = 0; y < 2; ++y) ASSERT_EQ(CellAt(tab, x, y), (x + y) % 3 == 0 ? 1 : 0) << x << "," << y;
  // The palette keeps its colours: the numbers show in them.
  EXPECT_EQ(tab.palette[0], TestPaletteColor(12));
  EXPECT_EQ(tab.palette[1], TestPaletteColor(10));

  // A 16-colour tab numbers red, green and blue after black as met.
  ImageTab& sixteen = OpenTab(3, 3);
  const ColorRef order[3] = {TestPaletteColor(12), TestPaletteColor(10), TestPaletteColor(9)};
  PutOnClipboard(3, 3, [&](int x, int y) { return y == 2 ? TestPaletteColor(0) : order[(x + y) % 3]; });
  DispatchCommand(CMD_PASTE);
  for (int x = 0; x < 3; ++x)
    for (int y = 0; y < 3; ++y) ASSERT_EQ(CellAt(sixteen, x, y), y == 2 ? 0 : 1 + (x + y) % 3) << x << "," << y;
}

TEST_F(PasteTest, AsItIsWithMoreColoursThanTheTabFillsTheWholeSelection) {
  ImageTab& tab = OpenTab(8, 8);
  tab.colorCode = 2;
  tab.selection = {1, 1, 6, 6};
  // 64 different light colours: none is black, so every pixel must get the
  // one other colour the shrunk picture kept, or black.
  PutOnClipboard(8, 8, [](int x, int y) { return MakeColor(128 + x * 16, 128 + y * 16, 200); });
  DispatchCommand(CMD_PASTE);
  int ones = 0;
  for (int x = 0; x < 8; ++x)
    for (int y = 0; y < 8; ++y) {
      const bool inside = x >= 1 && x <= 6 && y >= 1 && y <= 6;
      if (!inside) {
        ASSERT_EQ(CellAt(tab, x, y), FRESH_CELL) << x << "," << y;
        continue;
      }
      ASSERT_LE(CellAt(tab, x, y), 1) << x << "," << y;
      ones += CellAt(tab, x, y);
    }
  // Every colour of the picture is far from black.
  EXPECT_EQ(ones, 36);
}

TEST_F(PasteTest, AsItIsLooksForColoursAtTheSelectionsSize) {
  // Sixteen colours in pairs whose ANDs are eight colours of their own. The
  // 8 x 1 selection takes the ANDs at once: black and eight colours fit
  // sixteen entries. The image's 16 x 16 would keep the pairs apart and find
  // other colours.
  ImageTab& tab = OpenTab(16, 16);
  tab.selection = {2, 3, 9, 3};
  PutOnClipboard(16, 1, [](int x, int) {
    return MakeColor(16 * (x / 2) + 8, x % 2 == 0 ? 255 : 127, x % 2 == 0 ? 127 : 255);
  });
  DispatchCommand(CMD_PASTE);
  for (int x = 0; x < 8; ++x) EXPECT_EQ(CellAt(tab, 2 + x, 3), 1 + x) << x;
  EXPECT_EQ(CellAt(tab, 1, 3), FRESH_CELL);
}
