#pragma once
// How a cell reads on screen. A cell with the mask bit shows the screen:
// with a black palette entry the screen unchanged (a transparent cell),
// with any other colour the screen XOR that colour (an inverted cell). The
// edit view draws a transparent cell as nothing but the background and
// marks an inverted one; the backgrounds offered are the system colours and,
// after them, a checkerboard.

#include "canvas/raster.h"
#include "model/image_tab.h"
#include "platform/system_colors.h"
#include "platform/ui_text.h"

enum class CellKind { Opaque, Transparent, Inverted };

CellKind KindOfCell(const ImageTab& tab, PixelCell value);

// A true-colour cell (0xAARRGGBB) and a ColorRef (red in the low byte) hold
// their channels in opposite orders; these turn one into the other. The
// alpha of the cell is dropped, or given.
inline ColorRef ColorOfArgb(std::uint32_t argb) {
  return (argb >> 16 & 0xFFu) | (argb & 0xFF00u) | (argb & 0xFFu) << 16;
}
inline std::uint32_t ArgbOfColor(ColorRef color, std::uint8_t alpha) {
  return static_cast<std::uint32_t>(alpha) << 24 | (color & 0xFFu) << 16 | (color & 0xFF00u) | (color >> 16 & 0xFFu);
}

// What a true-colour cell shows over an opaque background colour: each
// channel mixed by the cell's alpha and rounded to the nearest, so alpha 255
// is the cell's own colour and alpha 0 the background unchanged.
ColorRef CompositeOver(std::uint32_t argb, ColorRef background);

// The background entry after the system colours: a light checkerboard.
constexpr int CHECKERBOARD_BACKGROUND = BACKGROUND_COUNT;
inline constexpr const char* CHECKERBOARD_NAME = QT_TRANSLATE_NOOP("Quillet2", "市松模様");
// Its squares' side in screen pixels, and its two colours (COLORREF).
constexpr int CHECKER_SQUARE = 4;
constexpr ColorRef CHECKER_LIGHT = 0xFFFFFF;
constexpr ColorRef CHECKER_DARK = 0xCCCCCC;

// The checkerboard's colour at a point, its squares counted from (0, 0).
ColorRef CheckerColor(int x, int y);

// What lies behind the cells: one colour, or the checkerboard laid from an
// anchor point (a surface point minus the anchor gives the pattern point).
struct CellBackground {
  ColorRef color = 0;
  bool checker = false;
  int anchorX = 0;
  int anchorY = 0;

  ColorRef At(int x, int y) const { return checker ? CheckerColor(x - anchorX, y - anchorY) : color; }
};

// Fills the rectangle (right and bottom exclusive, clipped) with the
// background.
void FillBackground(RasterSurface& surface, const PixelRect& rect, const CellBackground& background);

// Fills the rectangle (right and bottom exclusive, clipped) with a
// true-colour cell composited over the background pixel by pixel, so a
// half-transparent cell shows the checkerboard through it.
void FillCompositeRect(RasterSurface& surface, const PixelRect& rect, std::uint32_t argb,
                       const CellBackground& background);

// The mark of an inverted cell inside the rectangle: its upper-left half in
// the cell's colour, its lower-right half in what the screen shows there,
// the background XOR the colour. The lower-right corner pixel always shows
// the XOR, so even a one-pixel cell differs from the background. An empty
// rectangle marks the pixel at its top-left corner.
void DrawInvertedMark(RasterSurface& surface, const PixelRect& rect, ColorRef color,
                      const CellBackground& background);
