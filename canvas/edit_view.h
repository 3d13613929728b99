#pragma once
// The zoomed canvas of the current tab. Everything is drawn into an
// off-screen back buffer of the view's client size; painting the window only
// copies the damaged part of it.

#include <QImage>
#include <cstdint>

#include "canvas/raster.h"
#include "model/image_tab.h"

class QWidget;

// 1 = the edit view draws grid lines between the cells. Kept in the settings
// file and switched with the grid button.
extern int grid;
// The background colour with all 24 colour bits inverted; the edit view
// draws grid lines in it.
extern std::uint32_t gridLineColor;

// Whether cells are painted with grid lines: as the grid switch says, or
// with or without them whatever it says.
enum class GridLines { AsSwitched, Shown, Hidden };

// Where a tool-feedback cell is drawn: into the back buffer, or only onto
// the window, from where the next copy of the back buffer removes it.
enum ToolSurface { TOOL_ON_BACK_BUFFER, TOOL_ON_WINDOW };

struct EditViewState {
  QWidget* window = nullptr;
  QImage backBuffer;
  // 64 x 64; the circle tool rasterises its ellipse here, one pixel per cell.
  QImage circleScratch;
  // What tools drew onto the window itself, transparent elsewhere. The window
  // shows it above the back buffer until that part is copied again. Made,
  // the back buffer's size, when a tool first draws on the window, so that
  // laying out the window does not clear a second window-sized picture.
  QImage windowOverlay;
  bool overlayUsed = false;
  // With no tab to show, the view is the window colour alone. The back
  // buffer is then left unpainted and the window is filled instead, so that
  // showing or resizing a window without tabs writes no window-sized
  // picture. The next full repaint with a tab paints every pixel.
  bool blank = false;
  // Where the selection frame was last drawn, so that it can be erased by
  // drawing it again.
  PixelRect lastSelectionFrame;
  // The view's left and top edges in the pixels of the whole zoomed image:
  // the back buffer and the mouse points are shifted by them. Set by every
  // full repaint from the tab's zoom.
  int scrollX = 0;
  int scrollY = 0;
  // Where the pointer was last seen over the view, in client pixels.
  bool pointerOver = false;
  int pointerX = 0;
  int pointerY = 0;
  // Told after each mouse event and each full repaint, so that what is shown
  // about the pointer's cell follows both.
  void (*pointerShown)() = nullptr;
};

extern EditViewState editView;

// Creates the edit view ("editWndClass") on the tab strip; the main window's
// layout places it and then calls RebuildEditBackBuffer.
QWidget* CreateEditView(QWidget* tabStrip);

// Makes the back buffer the size of the view's client area and repaints the
// current tab into it. Gives back false, keeping no buffer, when memory for
// it could not be had.
bool RebuildEditBackBuffer();
// True when the back buffer already has the size of the view's client area,
// so a layout that left the view's size alone need not rebuild it.
bool EditBackBufferFitsView();

// Full repaint of the tab, or a blank view for nullptr.
void RepaintEditView(ImageTab* tab);
// The full repaint without grid lines, which gives the rings of the batch
// colour change their room; the next full repaint follows the switch again.
void RepaintEditViewWithoutGrid(ImageTab& tab);

// Paints one cell with the given value into the back buffer as the full
// repaint would, and gives its square when asked. It invalidates nothing.
void PaintCell(int x, int y, PixelCell value, const ImageTab& tab, PixelRect* square = nullptr,
               GridLines lines = GridLines::AsSwitched);

// Paints the look of a cell that a tool is about to set: the tab's pen cell,
// one pixel inside the cell, with an outline in the inverted pen colour.
void PaintToolCell(ToolSurface surface, int x, int y, const ImageTab& tab);

// Draws the selection frame of the tab by inverting pixels; unless fresh, the
// frame drawn last is erased first.
void DrawSelectionFrame(const ImageTab& tab, bool fresh);

// Schedules the window to show the back buffer again: the rectangle is given
// in client pixels.
void InvalidateEditRect(const PixelRect& rect);
void InvalidateEditView();

// The window's picture as it is now: the back buffer with whatever tools drew
// onto the window above it.
QImage EditWindowPicture();

// The client point of the view as a point of the whole zoomed image, the
// coordinates every cell mapping works in.
inline int ImagePointX(int clientX) { return clientX + editView.scrollX; }
inline int ImagePointY(int clientY) { return clientY + editView.scrollY; }

// A drawing surface on the pixels of a 32-bit image.
RasterSurface SurfaceOf(QImage& image);
