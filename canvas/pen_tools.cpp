#include "canvas/pen_tools.h"

#include <algorithm>

#include <QAbstractButton>

#include "canvas/cell_geometry.h"
#include "canvas/cell_look.h"
#include "canvas/edit_view.h"
#include "canvas/floating_paste.h"
#include "canvas/hot_spot_tool.h"
#include "canvas/pen_algorithms.h"
#include "canvas/preview.h"
#include "canvas/selection.h"
#include "canvas/undo_commands.h"
#include "model/change_hub.h"
#include "model/tab_lifecycle.h"
#include "platform/window_handles.h"

EditMouseState editMouse;

namespace {

constexpr ColorRef SCRATCH_BLACK = 0x000000;
constexpr ColorRef SCRATCH_WHITE = 0xFFFFFF;

bool InsideImage(const ImageTab& tab, int x, int y) { return x >= 0 && y >= 0 && x < tab.width && y < tab.height; }

// Sets a cell and shows it in the edit view's back buffer and in the preview
// canvas, without invalidating either window.
void SetAndPaintCell(ImageTab& tab, int x, int y, PixelCell value) {
  CellAt(tab, x, y) = value;
  PaintCell(x, y, value, tab);
  PaintPreviewPixel(x, y, value, tab);
}

// Draws the shape of the tool, anchor to end, into the scratch picture:
// white on black, one pixel per cell. A filled shape covers its outline too.
void RasterizeCircle(const ImageTab& tab) {
  QImage& scratch = editView.circleScratch;
  if (scratch.isNull()) return;
  RasterSurface surface = SurfaceOf(scratch);
  FillPixelRect(surface, {0, 0, surface.width, surface.height}, SCRATCH_BLACK);
  const CellRect box = NormalisedRect(tab.anchorX, tab.anchorY, tab.endX, tab.endY);
  const PixelRect pixels{box.left, box.top, box.right + 1, box.bottom + 1};
  switch (tab.penMode) {
    case PEN_RECTANGLE:
      FillPixelRect(surface, {pixels.left, pixels.top, pixels.right, pixels.top + 1}, SCRATCH_WHITE);
      FillPixelRect(surface, {pixels.left, pixels.bottom - 1, pixels.right, pixels.bottom}, SCRATCH_WHITE);
      FillPixelRect(surface, {pixels.left, pixels.top, pixels.left + 1, pixels.bottom}, SCRATCH_WHITE);
      FillPixelRect(surface, {pixels.right - 1, pixels.top, pixels.right, pixels.bottom}, SCRATCH_WHITE);
      break;
    case PEN_FILLED_RECTANGLE: FillPixelRect(surface, pixels, SCRATCH_WHITE); break;
    case PEN_FILLED_CIRCLE:
      // The circle's own outline with every cell between its outermost
      // cells of each row, so the filled circle covers exactly the circle.
      DrawEllipseOutline(surface, pixels, SCRATCH_WHITE);
      for (int y = pixels.top; y < pixels.bottom; ++y) {
        int first = pixels.right, last = pixels.left - 1;
        for (int x = pixels.left; x < pixels.right; ++x)
          if (SurfacePixel(surface, x, y) != SCRATCH_BLACK) first = std::min(first, x), last = std::max(last, x);
        if (first <= last) FillPixelRect(surface, {first, y, last + 1, y + 1}, SCRATCH_WHITE);
      }
      break;
    default: DrawEllipseOutline(surface, pixels, SCRATCH_WHITE); break;
  }
}

bool OnCircle(int x, int y) {
  RasterSurface surface = SurfaceOf(editView.circleScratch);
  return SurfacePixel(surface, x, y) != SCRATCH_BLACK;
}

void LeftPressOrDrag(ImageTab& tab) {
  // Qt keeps sending the mouse to the view that the press went to until the
  // release, which is the capture; the flag tells the release that it held it.
  editMouse.captured = true;
  TakeFocusFromBackgroundBox();
  // Set from the press to the release: a move with the button held continues
  // the stroke that the press began.
  const bool continuesStroke = editMouse.leftDrag;
  editMouse.leftDrag = true;
  // A drag handles each cell once.
  if (tab.cursorX == tab.lastX && tab.cursorY == tab.lastY) return;
  const int x = tab.cursorX;
  const int y = tab.cursorY;
  const PixelCell pen = PenCell(tab);
  switch (tab.penMode) {
    case PEN_NORMAL: {
      // The mouse reports only some of the cells a quick stroke crosses, so
      // each move paints the line from the previous cell, as the line tool
      // draws it; only those cells and their preview pixels are shown again.
      const auto paint = [&tab, pen](int cx, int cy) {
        if (!InsideImage(tab, cx, cy)) return;
        CellAt(tab, cx, cy) = pen;
        PixelRect square;
        PaintCell(cx, cy, pen, tab, &square);
        InvalidateEditRect(square);
        PixelRect pixel;
        PaintPreviewPixel(cx, cy, pen, tab, &pixel);
        InvalidatePreviewRect(pixel);
      };
      if (continuesStroke && tab.lastX >= 0 && tab.lastY >= 0)
        TraceLine(tab.lastX, tab.lastY, x, y, paint);
      else
        paint(x, y);
      break;
    }
    case PEN_FILL: {
      const PixelCell target = CellAt(tab, x, y);
      if (target != pen) {
        FloodFill(tab, x, y, target, pen);
        InvalidateEditView();
        Announce(&tab, CHANGE_PIXELS | CHANGE_PAINTED_IN_PLACE);
      }
      break;
    }
    case PEN_HOT_SPOT: HotSpotToolPress(tab, x, y); break;
    case PEN_SELECT:
    case PEN_LINE:
    case PEN_CIRCLE:
    case PEN_RECTANGLE:
    case PEN_FILLED_RECTANGLE:
    case PEN_FILLED_CIRCLE:
      // The anchor follows the pointer until the first release.
      if (tab.dragState != 1) {
        tab.anchorX = tab.endX = x;
        tab.anchorY = tab.endY = y;
        tab.dragState = 0;
      }
      break;
    default: break;
  }
  tab.lastX = static_cast<std::int16_t>(x);
  tab.lastY = static_cast<std::int16_t>(y);
}

bool InsideSelection(const ImageTab& tab, int x, int y) {
  const CellRect s = NormalisedRect(tab.selection.left, tab.selection.top, tab.selection.right, tab.selection.bottom);
  return x >= s.left && x <= s.right && y >= s.top && y <= s.bottom;
}

// A left press or drag that a floating block takes: a press on the block
// takes hold of it, a press elsewhere places it, and a press of the range
// tool inside a drawn selection lifts the selection's content.
bool FloatingLeft(ImageTab& tab) {
  const int x = tab.cursorX;
  const int y = tab.cursorY;
  if (editMouse.floatingHeld) {
    FloatingDrag(tab, x, y);
    return true;
  }
  if (editMouse.leftDrag) return false;
  if (FloatingActive(&tab)) {
    FloatingPress(tab, x, y);
  } else if (tab.penMode == PEN_SELECT && tab.dragState == -1 && InsideSelection(tab, x, y) && LiftSelection(tab)) {
    FloatingPress(tab, x, y);
    editMouse.liftedByPress = true;
  } else {
    return false;
  }
  editMouse.floatingHeld = true;
  editMouse.captured = true;
  return true;
}

// The release of a press that a floating block took.
void FloatingLeftRelease(ImageTab& tab) {
  FloatingRelease(tab);
  const bool stayed = FloatingActive(&tab) && floatingPaste.block.left == floatingPaste.startLeft &&
                      floatingPaste.block.top == floatingPaste.startTop;
  if (editMouse.liftedByPress && stayed) {
    // Only a click: the content goes back and the click starts a new
    // selection, as it does anywhere else.
    CancelFloating();
    tab.anchorX = tab.endX = tab.cursorX;
    tab.anchorY = tab.endY = tab.cursorY;
    tab.dragState = 1;
    tab.lastX = static_cast<std::int16_t>(tab.cursorX);
    tab.lastY = static_cast<std::int16_t>(tab.cursorY);
    UpdateSelectionBand(tab);
  }
  editMouse.floatingHeld = false;
  editMouse.liftedByPress = false;
}

void HoverMove(ImageTab& tab) {
  if (tab.dragState != 1 || (tab.cursorX == tab.lastX && tab.cursorY == tab.lastY)) return;
  switch (tab.penMode) {
    case PEN_SELECT: UpdateSelectionBand(tab); break;
    case PEN_LINE: UpdateLineBand(tab); break;
    case PEN_CIRCLE:
    case PEN_RECTANGLE:
    case PEN_FILLED_RECTANGLE:
    case PEN_FILLED_CIRCLE: PreviewCircle(tab); break;
    default: return;
  }
  tab.lastX = static_cast<std::int16_t>(tab.cursorX);
  tab.lastY = static_cast<std::int16_t>(tab.cursorY);
}

void FinishLeftAction(ImageTab& tab) {
  switch (tab.penMode) {
    case PEN_SELECT:
      // The second release fixes the selection; selecting records nothing.
      if (tab.dragState == 0) tab.dragState = 1;
      else if (tab.dragState == 1) tab.dragState = -1;
      break;
    case PEN_LINE:
      if (tab.dragState == 0) {
        tab.dragState = 1;
      } else if (tab.dragState == 1) {
        // The next segment starts at this end, so lines chain until the
        // right button or another tool ends them.
        CommitLine(tab);
        tab.anchorX = tab.endX;
        tab.anchorY = tab.endY;
        RecordUndo(tab);
      }
      // Any other state means the action was ended while the button was
      // down: nothing was drawn, so there is nothing to record.
      break;
    case PEN_CIRCLE:
    case PEN_RECTANGLE:
    case PEN_FILLED_RECTANGLE:
    case PEN_FILLED_CIRCLE:
      if (tab.dragState == 0) {
        tab.dragState = 1;
      } else if (tab.dragState == 1) {
        CommitCircle(tab);
        tab.dragState = -1;
        RecordUndo(tab);
      }
      break;
    default:
      // One snapshot per pen stroke or fill.
      RecordUndo(tab);
      break;
  }
}

}  // namespace

void HandleEditMouse(int x, int y, bool leftHeld, bool rightHeld) {
  ImageTab* tab = CurrentTab();
  if (tab == nullptr) return;
  const unsigned ux = static_cast<std::uint16_t>(x);
  const unsigned uy = static_cast<std::uint16_t>(y);
  if (ux < EDIT_ORIGIN || uy < EDIT_ORIGIN || tab->cellSize == 0) return;
  tab->cursorX = static_cast<std::uint16_t>((ux - EDIT_ORIGIN) / tab->cellSize);
  tab->cursorY = static_cast<std::uint16_t>((uy - EDIT_ORIGIN) / tab->cellSize);
  if (tab->cursorX >= tab->width || tab->cursorY >= tab->height) return;
  if (leftHeld) {
    if (FloatingLeft(*tab)) return;
    LeftPressOrDrag(*tab);
  } else if (rightHeld) {
    EndToolAction(*tab, 0);
  } else {
    HoverMove(*tab);
  }
}

void HandleEditLeftRelease(int x, int y) {
  ImageTab* tab = CurrentTab();
  bool releasedCapture = false;
  if (tab != nullptr) {
    if (editMouse.captured) {
      editMouse.captured = false;
      releasedCapture = true;
    }
    if (editMouse.floatingHeld) {
      FloatingLeftRelease(*tab);
    } else if (editMouse.leftDrag) {
      FinishLeftAction(*tab);
      editMouse.leftDrag = false;
      tab->lastX = tab->lastY = -1;
    }
  }
  Announce(tab, CHANGE_TOOL);
  // Giving up the mouse reports the pointer's place as a move with no button
  // held. So the band of a two-click tool starts at once at the release
  // point, and a second click on the same cell as the first finds the band
  // there even when the mouse never moved in between.
  if (releasedCapture) HandleEditMouse(x, y, false, false);
}

void HandleEditRightPress(int x, int y) {
  ImageTab* tab = CurrentTab();
  if (tab == nullptr) return;
  if (tab->dragState == -1) {
    PickCellColor(*tab, x, y);
  } else if (IsTwoClickTool(tab->penMode)) {
    EndToolAction(*tab, 0);
  }
}

void EndToolAction(ImageTab& tab, int resetIdleSelection) {
  if (tab.dragState == -1) {
    if (resetIdleSelection == 1) {
      tab.selection = WholeImage(tab);
      Announce(&tab, CHANGE_SELECTION);
    }
    return;
  }
  if (tab.penMode == PEN_SELECT) tab.selection = WholeImage(tab);
  tab.dragState = -1;
  // The band followed the pointer to its last cell; forgetting that cell
  // lets a left click there start the next shape instead of being taken
  // for a drag that stays on one cell.
  tab.lastX = tab.lastY = -1;
  // The full repaint also removes any band or preview.
  Announce(&tab, CHANGE_TOOL | CHANGE_SELECTION);
}

void SetPenMode(ImageTab& tab, int mode) {
  const bool known = (mode >= PEN_SELECT && mode <= PEN_MODE_LAST) || mode == PEN_HOT_SPOT;
  if (!known || tab.penMode == static_cast<std::uint32_t>(mode)) return;
  // Leaving range select for any other tool always leaves the whole image
  // selected.
  EndToolAction(tab, mode == PEN_SELECT ? 0 : 1);
  tab.penMode = static_cast<std::uint32_t>(mode);
  if (mode == PEN_LINE || IsShapeTool(static_cast<std::uint32_t>(mode))) tab.dragState = -1;
}

void FloodFill(ImageTab& tab, int x, int y, PixelCell target, PixelCell replacement) {
  FloodFillCells(tab, x, y, target, replacement,
                 [&tab, replacement](int cx, int cy) { PaintCell(cx, cy, replacement, tab); });
}

void CommitLine(ImageTab& tab) {
  const PixelCell pen = PenCell(tab);
  TraceLine(tab.anchorX, tab.anchorY, tab.endX, tab.endY, [&tab, pen](int x, int y) {
    if (InsideImage(tab, x, y)) SetAndPaintCell(tab, x, y, pen);
  });
  InvalidateEditView();
  InvalidatePreview();
}

void UpdateLineBand(ImageTab& tab) {
  // The band lives in the back buffer only: the old one is painted over with
  // the stored cells, which stay untouched until the commit.
  TraceLine(tab.anchorX, tab.anchorY, tab.endX, tab.endY, [&tab](int x, int y) {
    if (InsideImage(tab, x, y)) PaintCell(x, y, CellAt(tab, x, y), tab);
  });
  tab.endX = tab.cursorX;
  tab.endY = tab.cursorY;
  TraceLine(tab.anchorX, tab.anchorY, tab.endX, tab.endY, [&tab](int x, int y) {
    if (InsideImage(tab, x, y)) PaintToolCell(TOOL_ON_BACK_BUFFER, x, y, tab);
  });
  InvalidateEditView();
}

void PreviewCircle(ImageTab& tab) {
  // The previous preview was drawn on the window only; showing the back
  // buffer again removes it.
  InvalidateEditView();
  tab.endX = tab.cursorX;
  tab.endY = tab.cursorY;
  RasterizeCircle(tab);
  const CellRect box = NormalisedRect(tab.anchorX, tab.anchorY, tab.endX, tab.endY);
  for (int y = box.top; y <= box.bottom; ++y)
    for (int x = box.left; x <= box.right; ++x)
      if (OnCircle(x, y)) PaintToolCell(TOOL_ON_WINDOW, x, y, tab);
}

void CommitCircle(ImageTab& tab) {
  RasterizeCircle(tab);
  const PixelCell pen = PenCell(tab);
  for (int y = 0; y < tab.height; ++y)
    for (int x = 0; x < tab.width; ++x)
      if (OnCircle(x, y)) SetAndPaintCell(tab, x, y, pen);
  InvalidateEditView();
  InvalidatePreview();
}

bool PickCellColor(ImageTab& tab, int x, int y) {
  const PixelCell value = CellValueAtPoint(x, y, &tab);
  if (value == NO_CELL) return false;
  if (IsTrueColour(tab)) {
    // The exact colour, alpha included; the pen paints it rather than
    // erasing, so a picked transparent pixel makes a transparent pen.
    tab.penColour = value;
    tab.penMask = 0;
    // The palette marker moves to a swatch of that colour, when there is
    // one, so the swatch table does not claim a colour the pen no longer has.
    if (value != 0) {
      const ColorRef* match = std::find(tab.palette, tab.palette + 256, ColorOfArgb(value));
      if (match != tab.palette + 256) tab.penIndex = static_cast<std::uint8_t>(match - tab.palette);
    }
    Announce(&tab, CHANGE_PEN | CHANGE_TOOL | CHANGE_TOOL_CHECKS);
    return true;
  }
  tab.penIndex = static_cast<std::uint8_t>(value & CELL_INDEX_BITS);
  tab.penMask = (value & CELL_MASK_BIT) != 0 ? 1u : 0u;
  // The leave-background button shows the picked mask.
  Announce(&tab, CHANGE_PEN | CHANGE_TOOL | CHANGE_TOOL_CHECKS);
  return true;
}

void CommandLeaveBackground(int notificationCode, QWidget* sender) {
  ImageTab* tab = CurrentTab();
  if (tab == nullptr) return;
  if (notificationCode == 0) {
    tab->penMask = 1 - (tab->penMask & 1u);
  } else if (auto* button = qobject_cast<QAbstractButton*>(sender)) {
    tab->penMask = button->isChecked() ? 1u : 0u;
  }
  // Without the button (no tool window) the edit view has already set the
  // mask itself.
}
