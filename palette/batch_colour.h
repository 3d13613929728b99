#pragma once
// The batch colour change: choosing palette entries on a 16 x 16 swatch
// grid or by their pixels, and shifting the chosen colours together by hue,
// saturation and value or by red, green and blue.

#include <array>
#include <cstdint>
#include <vector>

#include "canvas/raster.h"
#include "model/image_tab.h"
#include "palette/colour_math.h"
#include "platform/scroll_request.h"

constexpr std::uint8_t BATCH_CHOSEN = 0xFF;
constexpr int SWATCH_COLUMNS = 16;

// One byte per palette index: BATCH_CHOSEN when the entry is to change,
// 0 when not.
struct BatchSelection {
  std::uint8_t bytes[256] = {};
};

void ToggleBatchEntry(BatchSelection& selection, int index);

// A click on swatch index. Without shift the index toggles; with shift the
// run from the anchor toggles: toward a lower index the index and every
// entry up to the one before the anchor, toward a higher index every entry
// after the anchor up to the index. Without an anchor (-1), or on the
// anchor itself, shift toggles the index alone. The index becomes the
// anchor.
void ClickBatchSwatch(BatchSelection& selection, int& anchor, int index, bool shift);

// The swatch under a point of a grid of cw x ch cells, or -1 when the point
// is on none of the 256.
int SwatchIndexAt(int x, int y, int cw, int ch);

// The chosen indices below paletteSize, ascending.
std::vector<int> ChosenIndices(const BatchSelection& selection, int paletteSize);

// Draws all 256 swatches, each filled 3 pixels inside its cell.
void DrawSwatches(RasterSurface& surface, const ColorRef* palette, int cw, int ch);

// Draws the 2-pixel ring around every swatch: in the chosen colour where
// the entry is chosen, else in the plain colour, which hides it.
void DrawSwatchRings(RasterSurface& surface, const BatchSelection& selection, int cw, int ch, ColorRef chosen,
                     ColorRef plain);

// Draws the tab's pixels into the edit view's picture as squares of their
// palette colours, transparent or not, with an inverted ring inside the
// square of every pixel whose entry is chosen. A zoomed view shows the
// image scrolled by (scrollX, scrollY) pixels.
void DrawChoiceOverlay(RasterSurface& surface, const ImageTab& tab, const BatchSelection& selection, int scrollX = 0,
                       int scrollY = 0);

enum BatchShiftMode : int { SHIFT_HSV = 0, SHIFT_RGB = 1 };

// The mode the shift dialog opens in; it lasts for the program run.
extern BatchShiftMode batchShiftMode;

// The HSV records of the chosen colours at the shift dialog's opening, by
// list position. They last for the program run, so a grey colour keeps the
// hue its list position had the last time.
extern HsvColor batchOpeningHsv[256];

constexpr int SHIFT_BARS = 3;

// One opening of the shift dialog: the chosen entries with their colours at
// opening, the working values of each (hue, saturation, value or red,
// green, blue), the three shift amounts and which bars had to limit a
// colour.
struct BatchShift {
  BatchShiftMode mode = SHIFT_HSV;
  std::vector<int> chosen;
  std::vector<ColorRef> openingColors;
  std::vector<std::array<int, SHIFT_BARS>> working;
  int shift[SHIFT_BARS] = {};
  bool limited[SHIFT_BARS] = {};
};

// Takes the chosen entries of the palette and their colours, in the kept
// mode with no shift.
BatchShift BeginBatchShift(const ColorRef* palette, const BatchSelection& selection, int paletteSize);

// Starts the mode afresh: every shift 0, no bar limited, every working
// value back at its opening colour. The mode is kept for later openings.
void SetBatchShiftMode(BatchShift& shift, BatchShiftMode mode);

// The range of a bar: the hue bar 0..359, every other bar -255..255.
int ShiftLow(BatchShiftMode mode, int bar);
int ShiftHigh(BatchShiftMode mode, int bar);

// The new amount of a bar at v for a scroll request. Thumb positions are
// limited to the range; the end requests keep v.
int NewShiftValue(int v, int low, int high, ScrollRequest request, int position);

// Sets the bar's amount, recomputes the working values it drives and
// writes every chosen colour as it now is into palette.
void ApplyBatchShift(BatchShift& shift, int bar, int amount, ColorRef* palette);

// Puts the opening colours of the chosen entries into palette.
void WriteOpeningColors(const BatchShift& shift, ColorRef* palette);
