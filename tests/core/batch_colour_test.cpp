#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "palette/batch_colour.h"

namespace {

std::vector<int> Chosen(const BatchSelection& selection) { return ChosenIndices(selection, 256); }

std::vector<int> Range(int first, int last) {
  std::vector<int> range;
  for (int i = first; i <= last; ++i) range.push_back(i);
  return range;
}

struct TestSurface {
  std::vector<std::uint32_t> pixels;
  RasterSurface surface;
  TestSurface(int width, int height, ColorRef colour) : pixels(static_cast<std::size_t>(width * height)) {
    surface = {pixels.data(), width, height, width};
    FillPixelRect(surface, {0, 0, width, height}, colour);
  }
  ColorRef at(int x, int y) const { return SurfacePixel(surface, x, y); }
};

HsvColor HsvOf(ColorRef colour) {
  HsvColor hsv;
  RgbToHsv(colour, hsv, 1);
  return hsv;
}

const ColorRef RED = MakeColor(255, 0, 0), GREY = MakeColor(128, 128, 128);

// A palette of 16 entries whose first ones are given; the rest black.
std::vector<ColorRef> Palette(std::initializer_list<ColorRef> first) {
  std::vector<ColorRef> palette(256, 0);
  std::copy(first.begin(), first.end(), palette.begin());
  return palette;
}

BatchSelection Choose(std::initializer_list<int> indices) {
  BatchSelection selection;
  for (int i : indices) selection.bytes[i] = BATCH_CHOSEN;
  return selection;
}

}  // namespace

TEST(BatchSelection, ClicksToggleAndShiftClicksToggleRunsFromTheAnchor) {
  BatchSelection selection;
  int anchor = -1;
  // Without an anchor shift toggles the one entry.
  ClickBatchSwatch(selection, anchor, 10, true);
  EXPECT_EQ(Chosen(selection), (std::vector<int>{10}));
  EXPECT_EQ(anchor, 10);
  // Down to 3: 3..9 toggle, the anchor stays as it is.
  ClickBatchSwatch(selection, anchor, 3, true);
  EXPECT_EQ(Chosen(selection), Range(3, 10));
  // Up to 20 from 3: 4..20 toggle, so 4..10 turn off again.
  ClickBatchSwatch(selection, anchor, 20, true);
  std::vector<int> expected = Range(11, 20);
  expected.insert(expected.begin(), 3);
  EXPECT_EQ(Chosen(selection), expected);
  // Shift on the anchor itself, and a plain click, toggle one entry.
  ClickBatchSwatch(selection, anchor, 20, true);
  ClickBatchSwatch(selection, anchor, 3, false);
  EXPECT_EQ(Chosen(selection), Range(11, 19));
  ToggleBatchEntry(selection, 256);
  ToggleBatchEntry(selection, -1);
  EXPECT_EQ(Chosen(selection), Range(11, 19));
}

TEST(BatchSelection, SwatchUnderAPointAndTheChosenEntriesOfAPalette) {
  EXPECT_EQ(SwatchIndexAt(0, 0, 10, 12), 0);
  EXPECT_EQ(SwatchIndexAt(9, 11, 10, 12), 0);
  EXPECT_EQ(SwatchIndexAt(10, 12, 10, 12), 17);
  EXPECT_EQ(SwatchIndexAt(159, 191, 10, 12), 255);
  EXPECT_EQ(SwatchIndexAt(160, 0, 10, 12), -1);
  EXPECT_EQ(SwatchIndexAt(0, 192, 10, 12), -1);
  EXPECT_EQ(SwatchIndexAt(-1, 0, 10, 12), -1);
  // A grid too small for cells has no swatches.
  EXPECT_EQ(SwatchIndexAt(5, 5, 0, 12), -1);

  BatchSelection all;
  std::fill(std::begin(all.bytes), std::end(all.bytes), BATCH_CHOSEN);
  EXPECT_EQ(ChosenIndices(all, 16), Range(0, 15));
  EXPECT_EQ(ChosenIndices(all, 256).size(), 256u);
}

TEST(BatchPictures, SwatchesAndRingsFillTheirCellsInsideAFreeBorder) {
  const ColorRef FACE = MakeColor(212, 208, 200), WHITE = MakeColor(255, 255, 255);
  TestSurface grid(160, 160, FACE);
  std::vector<ColorRef> palette(256);
  for (int i = 0; i < 256; ++i) palette[i] = MakeColor(i, 0, 1);
  DrawSwatches(grid.surface, palette.data(), 10, 10);
  // Swatch 17 is the cell (10, 10)..(19, 19): filled at 13..16.
  EXPECT_EQ(grid.at(13, 13), palette[17]);
  EXPECT_EQ(grid.at(16, 16), palette[17]);
  EXPECT_EQ(grid.at(12, 13), FACE);
  EXPECT_EQ(grid.at(17, 16), FACE);
  EXPECT_EQ(grid.at(153, 153), palette[255]);

  DrawSwatchRings(grid.surface, Choose({17}), 10, 10, WHITE, FACE);
  for (int i : {11, 12, 17, 18}) {
    EXPECT_EQ(grid.at(i, 14), WHITE) << i;
    EXPECT_EQ(grid.at(14, i), WHITE) << i;
  }
  EXPECT_EQ(grid.at(10, 14), FACE);
  EXPECT_EQ(grid.at(19, 14), FACE);
  EXPECT_EQ(grid.at(14, 14), palette[17]);
  // Unchosen rings are drawn in the face colour, which hides them.
  EXPECT_EQ(grid.at(1, 4), FACE);
  DrawSwatchRings(grid.surface, BatchSelection{}, 10, 10, WHITE, FACE);
  EXPECT_EQ(grid.at(11, 14), FACE);
}

TEST(BatchPictures, TheOverlayShowsEveryPixelAsASquareAndRingsTheChosenOnes) {
  auto tab = std::make_unique<ImageTab>();
  tab->width = 2;
  tab->height = 1;
  tab->colorCode = 16;
  tab->cellSize = 6;
  tab->palette[1] = MakeColor(10, 20, 30);
  tab->palette[2] = MakeColor(200, 100, 0);
  CellAt(*tab, 0, 0) = 1 | CELL_MASK_BIT;
  CellAt(*tab, 1, 0) = 2;
  const ColorRef BACK = MakeColor(1, 2, 3);
  TestSurface view(40, 40, BACK);
  DrawChoiceOverlay(view.surface, *tab, Choose({1}));
  // The transparent pixel is a plain square 5 pixels wide at 16..20, with
  // an inverted ring 1 and 2 pixels inside it.
  const ColorRef inverted = tab->palette[1] ^ 0xFFFFFFu;
  EXPECT_EQ(view.at(16, 16), tab->palette[1]);
  EXPECT_EQ(view.at(17, 17), inverted);
  EXPECT_EQ(view.at(18, 18), inverted);
  EXPECT_EQ(view.at(19, 17), inverted);
  EXPECT_EQ(view.at(20, 20), tab->palette[1]);
  EXPECT_EQ(view.at(21, 18), BACK);
  // The unchosen one is its colour throughout.
  for (int x = 22; x <= 26; ++x) EXPECT_EQ(view.at(x, 18), tab->palette[2]) << x;
  EXPECT_EQ(view.at(27, 18), BACK);
}

TEST(BatchShiftAmounts, StepsStopAtTheEndsOfTheRange) {
  const struct {
    int v, low, high;
    ScrollRequest request;
    int position, amount;
  } cases[] = {
      {-255, -255, 255, SB_LINELEFT, 0, -255}, {-254, -255, 255, SB_LINELEFT, 0, -255},
      {255, -255, 255, SB_LINERIGHT, 0, 255},  {-247, -255, 255, SB_PAGELEFT, 0, -255},
      {-246, -255, 255, SB_PAGELEFT, 0, -254}, {351, 0, 359, SB_PAGERIGHT, 0, 359},
      {350, 0, 359, SB_PAGERIGHT, 0, 358},     {3, -255, 255, SB_THUMBTRACK, -999, -255},
      {3, 0, 359, SB_THUMBPOSITION, 400, 359}, {3, 0, 359, SB_ENDSCROLL, 7, 3},
  };
  for (const auto& row : cases)
    EXPECT_EQ(NewShiftValue(row.v, row.low, row.high, row.request, row.position), row.amount)
        << row.v << " request " << row.request;
  EXPECT_EQ(ShiftHigh(SHIFT_HSV, 0), 359);
  EXPECT_EQ(ShiftLow(SHIFT_HSV, 0), 0);
  EXPECT_EQ(ShiftLow(SHIFT_RGB, 0), -255);
  EXPECT_EQ(ShiftLow(SHIFT_HSV, 2), -255);
}

TEST(BatchShiftColours, HueGoesRoundAndSaturationAndValueStopAtTheirEnds) {
  batchShiftMode = SHIFT_HSV;
  const ColorRef HUE100 = MakeColor(85, 255, 0);
  std::vector<ColorRef> palette = Palette({RED, HUE100, MakeColor(0, 0, 205), GREY});
  BatchShift shift = BeginBatchShift(palette.data(), Choose({0, 1, 2}), 16);
  EXPECT_EQ(shift.chosen, (std::vector<int>{0, 1, 2}));
  ApplyBatchShift(shift, 0, 300, palette.data());
  EXPECT_EQ(palette[0], MakeColor(255, 0, 255));
  ASSERT_EQ(HsvOf(HUE100).hue, 100);
  EXPECT_EQ(shift.working[1][0], 40);
  EXPECT_EQ(palette[1], HsvToRgb({40, 255, 255}));
  EXPECT_FALSE(shift.limited[0]);
  EXPECT_EQ(palette[3], GREY);

  // +100 on values 255, 255 and 205 limits them all to 255; the hue
  // shift stays.
  ApplyBatchShift(shift, 2, 100, palette.data());
  EXPECT_TRUE(shift.limited[2]);
  EXPECT_EQ(palette[1], HsvToRgb({40, 255, 255}));
  EXPECT_EQ(HsvOf(palette[2]).value, 255);
  // Red has value 255, so +50 still limits; without it nothing does.
  ApplyBatchShift(shift, 2, 50, palette.data());
  EXPECT_TRUE(shift.limited[2]);
  palette[2] = MakeColor(0, 0, 205);
  shift = BeginBatchShift(palette.data(), Choose({2}), 16);
  ApplyBatchShift(shift, 2, 50, palette.data());
  EXPECT_FALSE(shift.limited[2]);
  EXPECT_EQ(palette[2], MakeColor(0, 0, 255));
  // An amount beyond the bar's range stops at its end; saturation 255 then
  // just reaches 0.
  ApplyBatchShift(shift, 1, -300, palette.data());
  EXPECT_EQ(shift.shift[1], -255);
  EXPECT_FALSE(shift.limited[1]);
  EXPECT_EQ(palette[2], MakeColor(255, 255, 255));
}

TEST(BatchShiftColours, RgbShiftsAndAModeChangeStartsFromTheOpeningColours) {
  batchShiftMode = SHIFT_HSV;
  std::vector<ColorRef> palette = Palette({MakeColor(100, 50, 0), MakeColor(255, 10, 20)});
  BatchShift shift = BeginBatchShift(palette.data(), Choose({0, 1}), 16);
  ApplyBatchShift(shift, 0, 120, palette.data());
  EXPECT_NE(palette[0], MakeColor(100, 50, 0));
  SetBatchShiftMode(shift, SHIFT_RGB);
  WriteOpeningColors(shift, palette.data());
  EXPECT_EQ(palette[0], MakeColor(100, 50, 0));
  EXPECT_EQ(shift.shift[0], 0);
  ApplyBatchShift(shift, 0, -255, palette.data());
  EXPECT_EQ(palette[0], MakeColor(0, 50, 0));
  EXPECT_EQ(palette[1], MakeColor(0, 10, 20));
  EXPECT_TRUE(shift.limited[0]);
  ApplyBatchShift(shift, 2, 30, palette.data());
  EXPECT_EQ(palette[0], MakeColor(0, 50, 30));
  EXPECT_FALSE(shift.limited[2]);
  // The mode lasts for the next opening.
  EXPECT_EQ(BeginBatchShift(palette.data(), Choose({0}), 16).mode, SHIFT_RGB);
  batchShiftMode = SHIFT_HSV;
}

TEST(BatchShiftColours, AGreyTakesTheHueItsListPositionHadLastTime) {
  batchShiftMode = SHIFT_HSV;
  std::vector<ColorRef> palette = Palette({HsvToRgb({200, 255, 255}), GREY});
  BeginBatchShift(palette.data(), Choose({0}), 16);
  BatchShift shift = BeginBatchShift(palette.data(), Choose({1}), 16);
  ApplyBatchShift(shift, 1, 128, palette.data());
  EXPECT_NEAR(HsvOf(palette[1]).hue, 200, 3);
  // Nothing chosen: nothing changes.
  std::vector<ColorRef> before = palette;
  shift = BeginBatchShift(palette.data(), BatchSelection{}, 16);
  ApplyBatchShift(shift, 0, 90, palette.data());
  EXPECT_EQ(palette, before);
}
