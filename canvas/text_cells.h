#pragma once
// The text tool's rules that need no window system: its remembered
// settings, which image cells a rendered text covers, the dotted frame around
// the image in its preview, how the preview's scroll bars move the text, and
// how font names and sizes are prepared for the font system.

#include <bitset>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "canvas/raster.h"
#include "model/image_tab.h"

// The text box takes at most this many characters.
constexpr int TEXT_MAX_CHARACTERS = 19;
// The canvas point of the preview where the image's top-left pixel lies.
constexpr int TEXT_ORIGIN = 8;
constexpr int TEXT_REGULAR_WEIGHT = 400;
constexpr int TEXT_BOLD_WEIGHT = 700;
constexpr int TEXT_INITIAL_HEIGHT = 26;

// The text dialog's settings. One record lives for the program run, so each
// opening of the dialog starts where the last one ended.
struct TextSettings {
  // The height of the last rendering; moving the size control to the same
  // value draws nothing.
  int previousHeight = TEXT_INITIAL_HEIGHT;
  // Character cell height in pixels, the size control's position.
  int height = TEXT_INITIAL_HEIGHT;
  int weight = TEXT_REGULAR_WEIGHT;
  int italic = 0;
  // The font's name as the font list shows it (UTF-8); empty lets the font
  // system choose.
  std::string face;
  // The text (UTF-8), at most TEXT_MAX_CHARACTERS characters.
  std::string text;
  // Taken anew at each opening: the pen's colour, and the background exactly
  // as the preview's canvas stores it.
  ColorRef textColor = 0;
  ColorRef backColor = 0;
  int boldChecked = 0;
  int italicChecked = 0;
};

extern TextSettings textSettings;

// One bit per image cell, at CellIndex (x, y): set where the text covers
// the cell.
using TextCellMask = std::bitset<CELL_COUNT>;

// Reads the image area of the canvas, whose top-left pixel lies at
// (originX, originY): every pixel that differs from backColor marks its
// cell, so also the faint shades that font smoothing leaves at a glyph's
// edge. Cells whose pixel lies outside the canvas are never marked, so a
// canvas smaller than the image cannot paint cells the text does not touch.
TextCellMask MarkTextCells(const RasterSurface& canvas, ColorRef backColor, int originX, int originY, int width,
                           int height);

// Stores the pen cell in every marked cell of the tab; the other cells keep
// their values. Gives back the number of cells stored.
int CommitTextCells(ImageTab& tab, const TextCellMask& mask);

// How much of each image cell the text covers, 0 to 255, at CellIndex (x, y):
// what a true-colour tab takes of the text's smoothed edges.
using TextCoverage = std::vector<std::uint8_t>;

// Reads the image area of the canvas as MarkTextCells does, and measures
// each pixel's place between backColor (0) and textColor (255) on the
// channel where the two differ most. When they do not differ at all, every
// pixel that is not backColor counts as covered whole.
TextCoverage ReadTextCoverage(const RasterSurface& canvas, ColorRef backColor, ColorRef textColor, int originX,
                              int originY, int width, int height);

// The colour src (0xAARRGGBB, straight alpha) laid over dst with the given
// coverage (0..255), source over, as a true-colour cell.
PixelCell BlendOverCell(PixelCell dst, std::uint32_t src, int coverage);

// The cell that text with the given coverage leaves on a true-colour tab's
// cell (x, y): the pen colour blended over it, or, with "leave background"
// on, the pixel cleared wherever the text touches it.
PixelCell TextCellOver(const ImageTab& tab, int x, int y, int coverage);

// Writes the text into a true-colour tab, cell by cell as TextCellOver
// gives it. Gives back the number of cells the text touches.
int CommitTextCoverage(ImageTab& tab, const TextCoverage& coverage);

// Inverts every other pixel on the edge of the rectangle (right and bottom
// exclusive), in a checkered pattern fixed to the surface, each edge pixel
// at most once: drawing the frame twice restores the picture.
void InvertDottedFrame(RasterSurface& surface, const PixelRect& rect);

// The position of one of the preview's scroll bars (range 0..maximum) after
// a scroll code of the preview (the codes of ScrollRequest). Lines and pages
// both move by one pixel and never reach maximum; the thumb takes its
// tracking position, limited to the range; other codes keep the position.
int NextTextScrollPosition(int position, int maximum, int code, int trackPosition);

// Where the text is drawn relative to its start: scrolling right moves it
// left, and the vertical bar starts in the middle of its range.
struct TextOffset {
  int x = 0;
  int y = 0;
};
TextOffset TextOffsetOf(int hpos, int vpos, int vmax);

// The font system's pixel size that gives a character cell (ascent plus
// descent) of cellHeight pixels, from a font measured at probeSize with a
// cell of probeCellHeight pixels. Never below 1.
int PixelSizeForCellHeight(int cellHeight, int probeSize, int probeCellHeight);

// Refines an estimated pixel size with the font's own cell heights: smaller
// while the cell is taller than cellHeight, then larger while the cell is
// still short and the next size does not overshoot. So the cell has exactly
// cellHeight pixels whenever some size gives that, and is never taller.
int FitPixelSize(int cellHeight, int estimate, const std::function<int(int)>& cellHeightAt);

// A font family as the font list shows it: the name without a trailing
// "[foundry]" that tells apart the same family from two makers.
std::string FaceNameOfFamily(const std::string& family);

// Adds a face name to the list unless it equals the name added just before
// it, so that one family enumerated once per maker appears once.
void AppendFaceName(std::vector<std::string>& names, const std::string& name);

// The first count characters (not bytes) of UTF-8 text; a character is never
// cut in half.
std::string FirstCharacters(const std::string& utf8, int count);
