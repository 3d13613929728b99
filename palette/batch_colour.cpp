#include "palette/batch_colour.h"

#include <algorithm>

BatchShiftMode batchShiftMode = SHIFT_HSV;
HsvColor batchOpeningHsv[256];

namespace {

constexpr int CHANNEL_MAX = 255;
constexpr int HUE_TURN = 360;

PixelRect Shrunk(const PixelRect& rect, int by) {
  return {rect.left + by, rect.top + by, rect.right - by, rect.bottom - by};
}

// A frame of the given thickness along the inside of the rectangle.
void FillRing(RasterSurface& surface, const PixelRect& outer, int thickness, ColorRef colour) {
  const PixelRect inner = Shrunk(outer, thickness);
  if (inner.left >= inner.right || inner.top >= inner.bottom) {
    FillPixelRect(surface, outer, colour);
    return;
  }
  FillPixelRect(surface, {outer.left, outer.top, outer.right, inner.top}, colour);
  FillPixelRect(surface, {outer.left, inner.bottom, outer.right, outer.bottom}, colour);
  FillPixelRect(surface, {outer.left, inner.top, inner.left, inner.bottom}, colour);
  FillPixelRect(surface, {inner.right, inner.top, outer.right, inner.bottom}, colour);
}

PixelRect SwatchCell(int index, int cw, int ch) {
  const int left = index % SWATCH_COLUMNS * cw;
  const int top = index / SWATCH_COLUMNS * ch;
  return {left, top, left + cw, top + ch};
}

bool IsChosen(const BatchSelection& selection, int index) { return selection.bytes[index & 0xFF] == BATCH_CHOSEN; }

// The colour a working record stands for in the mode.
ColorRef WorkingColor(BatchShiftMode mode, const std::array<int, SHIFT_BARS>& working) {
  if (mode == SHIFT_HSV) return HsvToRgb({working[0], working[1], working[2]});
  return MakeColor(working[0], working[1], working[2]);
}

// The opening value that bar drives for the chosen colour at position i.
int OpeningValue(const BatchShift& shift, int bar, std::size_t i) {
  if (shift.mode == SHIFT_HSV) {
    const HsvColor& hsv = batchOpeningHsv[i];
    return bar == 0 ? hsv.hue : bar == 1 ? hsv.saturation : hsv.value;
  }
  const ColorRef colour = shift.openingColors[i];
  return bar == 0 ? RedOf(colour) : bar == 1 ? GreenOf(colour) : BlueOf(colour);
}

}  // namespace

void ToggleBatchEntry(BatchSelection& selection, int index) {
  if (index < 0 || index > 255) return;
  std::uint8_t& byte = selection.bytes[index];
  byte = byte == BATCH_CHOSEN ? 0 : BATCH_CHOSEN;
}

void ClickBatchSwatch(BatchSelection& selection, int& anchor, int index, bool shift) {
  if (!shift || anchor < 0 || index == anchor) {
    ToggleBatchEntry(selection, index);
  } else if (index < anchor) {
    for (int i = index; i < anchor; ++i) ToggleBatchEntry(selection, i);
  } else {
    for (int i = anchor + 1; i <= index; ++i) ToggleBatchEntry(selection, i);
  }
  anchor = index;
}

int SwatchIndexAt(int x, int y, int cw, int ch) {
  if (cw <= 0 || ch <= 0 || x < 0 || y < 0) return -1;
  const int column = x / cw;
  const int row = y / ch;
  if (column >= SWATCH_COLUMNS || row >= SWATCH_COLUMNS) return -1;
  return row * SWATCH_COLUMNS + column;
}

std::vector<int> ChosenIndices(const BatchSelection& selection, int paletteSize) {
  std::vector<int> chosen;
  for (int i = 0; i < paletteSize && i < 256; ++i)
    if (selection.bytes[i] == BATCH_CHOSEN) chosen.push_back(i);
  return chosen;
}

void DrawSwatches(RasterSurface& surface, const ColorRef* palette, int cw, int ch) {
  for (int index = 0; index < 256; ++index) FillPixelRect(surface, Shrunk(SwatchCell(index, cw, ch), 3), palette[index]);
}

void DrawSwatchRings(RasterSurface& surface, const BatchSelection& selection, int cw, int ch, ColorRef chosen,
                     ColorRef plain) {
  for (int index = 0; index < 256; ++index) {
    const PixelRect cell = SwatchCell(index, cw, ch);
    // Around the swatch, with one pixel of the cell left free on each side.
    const PixelRect ring{cell.left + 1, cell.top + 1, cell.right - 1, cell.bottom - 1};
    FillRing(surface, ring, 2, IsChosen(selection, index) ? chosen : plain);
  }
}

void DrawChoiceOverlay(RasterSurface& surface, const ImageTab& tab, const BatchSelection& selection, int scrollX,
                       int scrollY) {
  const int size = tab.cellSize;
  for (int x = 0; x < tab.width; ++x) {
    for (int y = 0; y < tab.height; ++y) {
      const PixelCell cell = CellAt(tab, x, y);
      const int left = EDIT_ORIGIN - scrollX + x * size;
      const int top = EDIT_ORIGIN - scrollY + y * size;
      const PixelRect square{left, top, left + size - 1, top + size - 1};
      FillPixelRect(surface, square, tab.palette[cell & CELL_INDEX_BITS]);
      if (!IsChosen(selection, cell)) continue;
      // Inverting shows the ring on any colour.
      InvertRectOutline(surface, Shrunk(square, 1));
      InvertRectOutline(surface, Shrunk(square, 2));
    }
  }
}

BatchShift BeginBatchShift(const ColorRef* palette, const BatchSelection& selection, int paletteSize) {
  BatchShift shift;
  shift.chosen = ChosenIndices(selection, paletteSize);
  for (std::size_t i = 0; i < shift.chosen.size(); ++i) {
    const ColorRef colour = palette[shift.chosen[i]];
    shift.openingColors.push_back(colour);
    RgbToHsv(colour, batchOpeningHsv[i], 0);
  }
  shift.working.resize(shift.chosen.size());
  SetBatchShiftMode(shift, batchShiftMode);
  return shift;
}

void SetBatchShiftMode(BatchShift& shift, BatchShiftMode mode) {
  shift.mode = mode;
  batchShiftMode = mode;
  for (int bar = 0; bar < SHIFT_BARS; ++bar) {
    shift.shift[bar] = 0;
    shift.limited[bar] = false;
    for (std::size_t i = 0; i < shift.chosen.size(); ++i) shift.working[i][bar] = OpeningValue(shift, bar, i);
  }
}

int ShiftLow(BatchShiftMode mode, int bar) { return mode == SHIFT_HSV && bar == 0 ? 0 : -CHANNEL_MAX; }

int ShiftHigh(BatchShiftMode mode, int bar) { return mode == SHIFT_HSV && bar == 0 ? HUE_TURN - 1 : CHANNEL_MAX; }

int NewShiftValue(int v, int low, int high, ScrollRequest request, int position) {
  switch (request) {
    case SB_LINELEFT: return v > low ? v - SCROLL_LINE_STEP : v;
    case SB_LINERIGHT: return v < high ? v + SCROLL_LINE_STEP : v;
    case SB_PAGELEFT: return v >= low + SCROLL_PAGE_STEP ? v - SCROLL_PAGE_STEP : low;
    case SB_PAGERIGHT: return v <= high - SCROLL_PAGE_STEP ? v + SCROLL_PAGE_STEP : high;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: return std::clamp(position, low, high);
    case SB_LEFT:
    case SB_RIGHT:
    case SB_ENDSCROLL: return v;
  }
  return v;
}

void ApplyBatchShift(BatchShift& shift, int bar, int amount, ColorRef* palette) {
  if (bar < 0 || bar >= SHIFT_BARS) return;
  amount = std::clamp(amount, ShiftLow(shift.mode, bar), ShiftHigh(shift.mode, bar));
  shift.shift[bar] = amount;
  bool limited = false;
  for (std::size_t i = 0; i < shift.chosen.size(); ++i) {
    int value = OpeningValue(shift, bar, i) + amount;
    if (shift.mode == SHIFT_HSV && bar == 0) {
      // Hue goes round the circle; it never counts as limited.
      if (value > HUE_TURN - 1) value -= HUE_TURN;
      if (value < 0) value += HUE_TURN;
    } else if (value < 0 || value > CHANNEL_MAX) {
      value = std::clamp(value, 0, CHANNEL_MAX);
      limited = true;
    }
    shift.working[i][bar] = value;
    palette[shift.chosen[i]] = WorkingColor(shift.mode, shift.working[i]);
  }
  shift.limited[bar] = limited;
}

void WriteOpeningColors(const BatchShift& shift, ColorRef* palette) {
  for (std::size_t i = 0; i < shift.chosen.size(); ++i) palette[shift.chosen[i]] = shift.openingColors[i];
}
