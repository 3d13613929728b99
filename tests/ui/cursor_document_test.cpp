// A cursor file as a document: it opens with its hot spots, the hot-spot
// tool sets one by a click, undo and the flips carry it, and Save writes the
// cursor back; a new name ending in .cur makes any document a cursor.

#include <QCoreApplication>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>

#include "app/command_ids.h"
#include "app/commands.h"
#include "canvas/edit_view.h"
#include "canvas/hot_spot.h"
#include "fileio/cursor_format.h"
#include "fileio/open_flow.h"
#include "fileio/save_flow.h"
#include "tests/ui/file_flow_fixture.h"

namespace {

class CursorDocument : public FileFlowTest {
 protected:
  std::string WriteCursor(const std::string& name, const std::vector<std::pair<int, int>>& hotSpots) {
    std::vector<ImageTab> images;
    for (std::size_t i = 0; i < hotSpots.size(); ++i) {
      images.push_back(samples::PatternTab(32 >> i, 32 >> i, 16, static_cast<unsigned>(i + 2)));
      images.back().hotSpotX = static_cast<std::uint8_t>(hotSpots[i].first);
      images.back().hotSpotY = static_cast<std::uint8_t>(hotSpots[i].second);
    }
    std::vector<const ImageTab*> order;
    for (const ImageTab& image : images) order.push_back(&image);
    return WriteBytes(name, SerializeCursor(order));
  }

  static void Click(QEvent::Type type, const ImageTab& tab, int x, int y) {
    auto* frame = static_cast<QFrame*>(editView.window);
    const QPoint client(EDIT_ORIGIN + x * tab.cellSize + tab.cellSize / 2 - editView.scrollX,
                        EDIT_ORIGIN + y * tab.cellSize + tab.cellSize / 2 - editView.scrollY);
    const QPointF local = QPointF(client + frame->contentsRect().topLeft());
    const Qt::MouseButtons held = type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton;
    QMouseEvent event(type, local, frame->mapToGlobal(local), Qt::LeftButton, held, Qt::NoModifier);
    QCoreApplication::sendEvent(frame, &event);
  }

  static void ClickCell(const ImageTab& tab, int x, int y) {
    Click(QEvent::MouseButtonPress, tab, x, y);
    Click(QEvent::MouseButtonRelease, tab, x, y);
  }

  static std::pair<int, int> HotSpot(const ImageTab& tab) { return {tab.hotSpotX, tab.hotSpotY}; }

  static std::string StatusHotSpot() {
    auto* label = mainWindows.main->findChild<QLabel*>(QStringLiteral("statusHotSpot"));
    return label != nullptr ? label->text().toStdString() : "(no label)";
  }
};

TEST_F(CursorDocument, HotSpotSetByClickFollowsUndoAndFlipsAndIsSavedWithTheCursor) {
  const std::string path = WriteCursor("arrow.cur", {{3, 4}, {1, 2}});
  OpenIconFile(path);
  EXPECT_TRUE(modal.messages().empty());
  ASSERT_EQ(tabSet.tabCount, 2);
  EXPECT_EQ(HotSpot(*StripTabs()[0]), std::make_pair(3, 4));
  EXPECT_EQ(HotSpot(*StripTabs()[1]), std::make_pair(1, 2));
  ImageTab& tab = *CurrentTab();
  EXPECT_NE(StatusHotSpot().find("(3, 4)"), std::string::npos) << StatusHotSpot();

  DispatchCommand(CMD_HOT_SPOT_TOOL);
  ASSERT_EQ(tab.penMode, static_cast<std::uint32_t>(PEN_HOT_SPOT));
  const ByteBuffer pixelsBefore(reinterpret_cast<const std::uint8_t*>(tab.cells),
                                reinterpret_cast<const std::uint8_t*>(tab.cells + CELL_COUNT));
  ClickCell(tab, 20, 9);
  EXPECT_EQ(HotSpot(tab), std::make_pair(20, 9));
  EXPECT_NE(StatusHotSpot().find("(20, 9)"), std::string::npos) << StatusHotSpot();
  // The tool touches no pixel.
  EXPECT_EQ(ByteBuffer(reinterpret_cast<const std::uint8_t*>(tab.cells),
                       reinterpret_cast<const std::uint8_t*>(tab.cells + CELL_COUNT)),
            pixelsBefore);

  DispatchCommand(CMD_UNDO);
  EXPECT_EQ(HotSpot(tab), std::make_pair(3, 4));
  DispatchCommand(CMD_REDO);
  EXPECT_EQ(HotSpot(tab), std::make_pair(20, 9));

  DispatchCommand(CMD_FLIP_HORIZONTAL);
  EXPECT_EQ(HotSpot(tab), std::make_pair(11, 9));
  DispatchCommand(CMD_SHIFT_DOWN);
  EXPECT_EQ(HotSpot(tab), std::make_pair(11, 10));
  DispatchCommand(CMD_UNDO);
  DispatchCommand(CMD_UNDO);
  EXPECT_EQ(HotSpot(tab), std::make_pair(20, 9));
  DispatchCommand(CMD_REDO);

  // Save writes the cursor back without a question.
  DispatchCommand(CMD_SAVE);
  EXPECT_TRUE(modal.messages().empty());
  EXPECT_EQ(modal.dialogsRun(), 0);
  const ByteBuffer saved = FileBytes(path);
  EXPECT_EQ(saved, SerializeCursor(TabsInStripOrder()));
  ASSERT_GE(saved.size(), 22u);
  EXPECT_EQ(saved[2], 2);
  EXPECT_EQ(samples::Get16(saved, 6 + 4), 11u);
  EXPECT_EQ(samples::Get16(saved, 6 + 6), 9u);

  // Opened again, it is the same document.
  DeleteAllTabs();
  OpenIconFile(path);
  ASSERT_EQ(tabSet.tabCount, 2);
  EXPECT_EQ(HotSpot(*StripTabs()[0]), std::make_pair(11, 9));
  EXPECT_EQ(SerializeCursor(TabsInStripOrder()), saved);
}

TEST_F(CursorDocument, SaveAsWritesACursorOnlyForANameEndingInCur) {
  const std::string icon = WriteIcon("plain.ico", 1, 16, 16, 16);
  OpenIconFile(icon);
  ASSERT_EQ(tabSet.tabCount, 1);
  CurrentTab()->hotSpotX = 6;
  CurrentTab()->hotSpotY = 7;

  // An icon stays an icon, hot spot or not.
  DispatchCommand(CMD_SAVE);
  EXPECT_EQ(FileBytes(icon), SerializeIcon(TabsInStripOrder()));

  const std::string cursor = Path("pointer.CUR");
  modal.QueueDialog([](QDialog& dialog) { PressButton(dialog, ID_SAVE_ONE_ICON); });
  modal.QueueFile(cursor);
  DispatchCommand(CMD_SAVE_AS);
  const ByteBuffer written = FileBytes(cursor);
  EXPECT_EQ(written, SerializeCursor(TabsInStripOrder()));
  ASSERT_FALSE(modal.fileRequests().empty());
  // The dialog offered both types, icon first for an icon document.
  const auto& filters = modal.fileRequests().back().filters;
  ASSERT_GE(filters.size(), 2u);
  EXPECT_EQ(filters[0].second, "*.ico");
  EXPECT_EQ(filters[1].second, "*.cur");
  EXPECT_EQ(tabSet.documentName, cursor);
}

}  // namespace
