// The main window's listeners: each announced kind of change reaches the
// view that shows it, and leaves the others as they were.

#include <QImage>

#include "canvas/cell_geometry.h"
#include "model/change_hub.h"
#include "model/undo_history.h"
#include "palette/palette_layout.h"
#include "palette/palette_window.h"
#include "tests/ui/canvas_fixture.h"

namespace {

class ViewListenersTest : public CanvasTest {
 protected:
  static ColorRef EditCellColor(const ImageTab& tab, int x, int y) {
    const PixelRect square = CellSquare(x, y, tab.cellSize);
    return BackPixel((square.left + square.right) / 2, (square.top + square.bottom) / 2);
  }
  static ColorRef PreviewColorAt(int x, int y) {
    return ColorOfPixel(mainPreview.canvas->pixel(mainPreview.originX + x, mainPreview.originY + y));
  }
  static ColorRef PaletteColorOf(const ImageTab& tab, int index) {
    const CellRect cell = PaletteCellRect(index, tab.colorCode);
    return ColorOfPixel(PaletteBackBuffer()->pixel((cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2));
  }
};

TEST_F(ViewListenersTest, PixelsReachEditViewAndPreviewAndThePaletteOnlyThePaletteWindow) {
  ImageTab& tab = OpenTab(4, 4);
  const ColorRef editBefore = EditCellColor(tab, 1, 1);
  const ColorRef previewBefore = PreviewColorAt(1, 1);
  // A cell changed without announcing stays unseen.
  CellAt(tab, 1, 1) = 5;
  tab.palette[15] = 0x123456;
  EXPECT_EQ(EditCellColor(tab, 1, 1), editBefore);
  Announce(&tab, CHANGE_PALETTE);
  EXPECT_EQ(PaletteColorOf(tab, 15), 0x123456u);
  EXPECT_EQ(EditCellColor(tab, 1, 1), editBefore);
  EXPECT_EQ(PreviewColorAt(1, 1), previewBefore);
  Announce(&tab, CHANGE_PIXELS);
  EXPECT_EQ(EditCellColor(tab, 1, 1), TestPaletteColor(5));
  EXPECT_EQ(PreviewColorAt(1, 1), TestPaletteColor(5));
}

TEST_F(ViewListenersTest, HistoryRecordsOnlyWhenAskedAndTheCaptionFollowsTheDocumentName) {
  ImageTab& tab = OpenTab(4, 4);
  const UndoNode* first = tab.undoCurrent;
  Announce(&tab, CHANGE_PIXELS);
  EXPECT_EQ(tab.undoCurrent, first);
  Announce(&tab, CHANGE_RECORD_UNDO);
  EXPECT_NE(tab.undoCurrent, first);
  tabSet.documentName = "/tmp/a.ico";
  EXPECT_NE(Caption(), "Quillet2 - /tmp/a.ico");
  Announce(&tab, CHANGE_CAPTION);
  // The recorded step left the saved state, so the caption marks the change.
  EXPECT_EQ(Caption(), "*Quillet2 - /tmp/a.ico");
}

}  // namespace
