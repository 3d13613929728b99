#pragma once
// One icon image with the editing state that belongs to it. Every part of the
// program reads and writes images only through these fields.
//
// How the store grows to true-colour images (the plan the code follows as it
// moves): a tab is either indexed (2, 16 or 256 colours plus the AND mask,
// 1..64 pixels, as now) or true colour (8 bits each of red, green, blue and
// straight alpha, 1..256 pixels). Both keep one cell value per pixel in one
// store: for an indexed tab the palette index with the mask bit, for a
// true-colour tab the ARGB value. The cell widens to 32 bits and the store
// to 256 x 256, so that every tool, transform, selection, floating paste,
// undo step and clipboard path reads and writes cells through CellAt and is
// written once; only showing a cell, picking and choosing colours, and the
// file formats ask the tab's kind. Undo keeps, per step, only the rectangle
// of cells the step changed (model/undo_history.h), so a pen stroke on a
// large image costs a few bytes, and a history past its memory limit drops
// its oldest steps.

#include <cstdint>

#include "model/view_zoom.h"

// One pixel: for an indexed tab the palette index with the AND-mask bit, for
// a true-colour tab its colour as 0xAARRGGBB with straight alpha.
using PixelCell = std::uint32_t;
using ColorRef = std::uint32_t;  // red in bits 0-7, green 8-15, blue 16-23

// Bits 0-7 of a cell are the palette index, bit 8 the AND-mask bit
// (1 = transparent). New and cleared pixels are index 0, transparent.
constexpr PixelCell FRESH_CELL = 0x0100;
// Returned for a point that lies on no pixel; never stored in cells. A
// true-colour tab stores every fully transparent pixel as 0, so this value
// (alpha 0 with a colour) never stands in its cells either.
constexpr PixelCell NO_CELL = 0xFFFF;
constexpr PixelCell CELL_MASK_BIT = 0x0100;
constexpr PixelCell CELL_INDEX_BITS = 0x00FF;

// The largest indexed image, and the largest true-colour image, which is
// also the size of the store every tab has.
constexpr int MAX_IMAGE_SIZE = 64;
constexpr int MAX_TRUE_COLOUR_SIZE = 256;
constexpr int STORE_SIZE = MAX_TRUE_COLOUR_SIZE;
constexpr int CELL_COUNT = STORE_SIZE * STORE_SIZE;

// What a tab's cells hold.
enum class TabKind : std::uint8_t { Indexed = 0, TrueColour = 1 };
// The image's top-left cell starts at this client point of the edit view.
constexpr int EDIT_ORIGIN = 16;

struct UndoNode;

struct CellRect {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t right = 0;
  std::int32_t bottom = 0;
};

struct ImageTab {
  std::uint32_t inUse = 0;
  char title[40] = {};
  UndoNode* undoFirst = nullptr;
  UndoNode* undoCurrent = nullptr;
  UndoNode* undoLast = nullptr;
  // The snapshot the tab matched when it was last saved as an icon; null
  // stands for the first snapshot, the state the tab was opened or made in.
  UndoNode* savedSnapshot = nullptr;
  std::uint16_t width = 0;
  std::uint16_t height = 0;
  // 2, 16, or 0 for 256 colours; 0 for a true-colour tab too, whose palette
  // is its table of colour swatches.
  std::uint8_t colorCode = 0;
  TabKind kind = TabKind::Indexed;
  ColorRef palette[256] = {};
  // Column-major: the pixel in column x, row y is cells[x * STORE_SIZE + y].
  // No initializer of its own: a tab made with `{}` or `()`, and the
  // program-wide tab set, start with every cell 0, while the tab set's
  // construction at start leaves the 5 MiB of its twenty stores untouched,
  // so their pages are first written when a tab is used. Write
  // `ImageTab tab{};`, never `ImageTab tab;`, for a local tab.
  PixelCell cells[CELL_COUNT];
  CellRect selection;
  std::int32_t backgroundIndex = 0;
  std::uint8_t cellSize = 0;
  std::uint32_t penMask = 0;
  std::uint8_t penIndex = 0;
  // The colour a true-colour tab's tools paint with, 0xAARRGGBB.
  std::uint32_t penColour = 0xFF000000u;
  CellRect paletteMarker;
  // 0 range select, 1 pen, 2 fill, 3 line, 4 circle.
  std::uint32_t penMode = 0;
  std::uint16_t cursorX = 0;
  std::uint16_t cursorY = 0;
  std::int16_t lastX = 0;
  std::int16_t lastY = 0;
  // -1 idle, 0 first click pressed, 1 first point fixed.
  std::int32_t dragState = 0;
  std::int32_t anchorX = 0;
  std::int32_t anchorY = 0;
  std::int32_t endX = 0;
  std::int32_t endY = 0;
  ViewZoom zoom;
  // The cursor's hot spot: the pixel that is the pointer's place when the
  // image is used as a cursor. Kept for every tab; only cursor files store it.
  std::uint8_t hotSpotX = 0;
  std::uint8_t hotSpotY = 0;
  // How long the image shows as a frame of an animated cursor, in
  // sixtieths of a second; 0 for the animation's default time.
  std::uint32_t frameRate = 0;
};

inline int CellIndex(int x, int y) { return x * STORE_SIZE + y; }
inline bool IsTrueColour(const ImageTab& tab) { return tab.kind == TabKind::TrueColour; }
// The value of a new or cleared pixel: transparent.
inline PixelCell FreshCellOf(const ImageTab& tab) { return IsTrueColour(tab) ? 0 : FRESH_CELL; }
// The largest side a tab of its kind may have.
inline int MaxSideOf(const ImageTab& tab) { return IsTrueColour(tab) ? MAX_TRUE_COLOUR_SIZE : MAX_IMAGE_SIZE; }
// A true-colour value as the store keeps it: fully transparent is 0.
inline PixelCell TrueColourCell(std::uint32_t argb) { return (argb >> 24) == 0 ? 0 : argb; }
inline PixelCell& CellAt(ImageTab& tab, int x, int y) { return tab.cells[CellIndex(x, y)]; }
inline PixelCell CellAt(const ImageTab& tab, int x, int y) { return tab.cells[CellIndex(x, y)]; }

// 256 for colour code 0, else the code itself (2 or 16).
int PaletteSize(const ImageTab& tab);
// The colour count as shown to the user: 256 for code 0.
int ColorCountOfCode(std::uint8_t colorCode);

// The cell under an edit-view client point, or NO_CELL. Coordinates are taken
// as 16-bit unsigned values, so negative points fall far outside the image.
PixelCell CellValueAtPoint(int x, int y, const ImageTab* tab);

// True when the tab's place in its history differs from the one it had when
// it was last saved (or, before any save, from its first snapshot). Undoing
// back to that state makes the tab unchanged again.
bool IsTabChanged(const ImageTab& tab);

// Writes the tab label " WxHxC ".
void FormatTabTitle(ImageTab& tab, int width, int height, std::uint8_t colorCode);
// Writes a true-colour tab's label " WxH 32-bit ", as kept images are named.
void FormatTrueColourTitle(ImageTab& tab, int width, int height);

// Sets every pixel of the image to FRESH_CELL.
void ClearTabPixels(ImageTab& tab);
// Sets every pixel of the selection rectangle to FRESH_CELL.
void ClearSelectionArea(ImageTab& tab);
