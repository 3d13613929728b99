// The cursor test area makes the pointer the tab's picture with its hot
// spot over each of its panes, and follows the tab as it changes.

#include <QCursor>
#include <QPixmap>
#include <QRegularExpression>
#include <QWidget>

#include "app/command_ids.h"
#include "app/commands.h"
#include "app/cursor_test_area.h"
#include "canvas/undo_commands.h"
#include "fileio/open_flow.h"
#include "model/change_hub.h"
#include "tests/ui/file_flow_fixture.h"

namespace {

class CursorTestArea : public FileFlowTest {};

TEST_F(CursorTestArea, PanesShowTheTabAsThePointerWithItsHotSpotAndFollowEdits) {
  OpenIconFile(WriteIcon("pointer.ico", 1, 16, 16, 16));
  ImageTab& tab = *CurrentTab();
  tab.hotSpotX = 4;
  tab.hotSpotY = 9;
  DispatchCommand(CMD_CURSOR_TEST_AREA);
  QWidget* area = CursorTestAreaWindow();
  ASSERT_NE(area, nullptr);
  const QList<QWidget*> panes = area->findChildren<QWidget*>(QRegularExpression(QStringLiteral("^cursorTest")));
  ASSERT_EQ(panes.size(), 3);
  for (QWidget* pane : panes) {
    SCOPED_TRACE(pane->objectName().toStdString());
    const QCursor cursor = pane->cursor();
    EXPECT_EQ(cursor.hotSpot(), QPoint(4, 9));
    const QImage shown = cursor.pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
    EXPECT_EQ(shown, CursorPictureOfTab(tab));
  }
  // A transparent pixel is clear in the pointer, an opaque one its colour.
  CellAt(tab, 0, 0) = 0x0100;
  CellAt(tab, 1, 0) = 0x0003;
  Announce(&tab, CHANGE_PIXELS | CHANGE_RECORD_UNDO);
  const QImage after = panes[0]->cursor().pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
  EXPECT_EQ(qAlpha(after.pixel(0, 0)), 0);
  EXPECT_EQ(after.pixel(1, 0), QColor(tab.palette[3] & 0xFF, tab.palette[3] >> 8 & 0xFF, tab.palette[3] >> 16 & 0xFF).rgba());
  // Undo brings the old hot spot back to the pointer too.
  tab.hotSpotX = 12;
  Announce(&tab, CHANGE_PIXELS | CHANGE_RECORD_UNDO);
  EXPECT_EQ(panes[1]->cursor().hotSpot(), QPoint(12, 9));
  DispatchCommand(CMD_UNDO);
  EXPECT_EQ(panes[2]->cursor().hotSpot(), QPoint(4, 9));
  area->close();
}

}  // namespace
