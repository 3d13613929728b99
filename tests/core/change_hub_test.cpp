#include "model/change_hub.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "model/image_tab.h"
#include "model/undo_history.h"

namespace {

// The views called by the last announcement, in the order they were called.
std::vector<int> called;
bool snapshotTaken = true;

template <int View>
bool Heard(ImageTab*, unsigned) {
  called.push_back(View);
  return View == VIEW_HISTORY && snapshotTaken;
}

class ChangeHubTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Listen(VIEW_PANELS, Heard<VIEW_PANELS>);
    Listen(VIEW_PALETTE, Heard<VIEW_PALETTE>);
    Listen(VIEW_PREVIEW, Heard<VIEW_PREVIEW>);
    Listen(VIEW_EDIT, Heard<VIEW_EDIT>);
    Listen(VIEW_HISTORY, Heard<VIEW_HISTORY>);
    Listen(VIEW_COMMANDS, Heard<VIEW_COMMANDS>);
    Listen(VIEW_CAPTION, Heard<VIEW_CAPTION>);
    snapshotTaken = true;
  }
  void TearDown() override { ClearListeners(); }

  static std::vector<int> ViewsOf(unsigned changes) {
    called.clear();
    ImageTab tab{};
    Announce(&tab, changes);
    return called;
  }
};

TEST_F(ChangeHubTest, EveryKindOfChangeReachesExactlyTheViewsThatShowIt) {
  using V = std::vector<int>;
  EXPECT_EQ(ViewsOf(CHANGE_PIXELS), (V{VIEW_PREVIEW, VIEW_EDIT}));
  EXPECT_EQ(ViewsOf(CHANGE_PALETTE), (V{VIEW_PALETTE}));
  EXPECT_EQ(ViewsOf(CHANGE_PEN), (V{VIEW_PALETTE}));
  EXPECT_EQ(ViewsOf(CHANGE_SELECTION), (V{VIEW_EDIT}));
  EXPECT_EQ(ViewsOf(CHANGE_TOOL), (V{VIEW_COMMANDS}));
  EXPECT_EQ(ViewsOf(CHANGE_HISTORY), (V{VIEW_COMMANDS, VIEW_CAPTION}));
  EXPECT_EQ(ViewsOf(CHANGE_CLIPBOARD), (V{VIEW_COMMANDS}));
  EXPECT_EQ(ViewsOf(CHANGE_GRID), (V{VIEW_EDIT}));
  EXPECT_EQ(ViewsOf(CHANGE_BACKGROUND), (V{VIEW_PANELS, VIEW_PREVIEW, VIEW_EDIT}));
  EXPECT_EQ(ViewsOf(CHANGE_TABS), (V{VIEW_PANELS, VIEW_COMMANDS, VIEW_CAPTION}));
  EXPECT_EQ(ViewsOf(CHANGE_CURRENT_TAB), (V{VIEW_PANELS, VIEW_PALETTE, VIEW_PREVIEW, VIEW_EDIT, VIEW_COMMANDS}));
  EXPECT_EQ(ViewsOf(CHANGE_CAPTION), (V{VIEW_CAPTION}));
  // How a change came about reaches no view by itself.
  EXPECT_EQ(ViewsOf(CHANGE_TOOL_CHECKS), V{});
  EXPECT_EQ(ViewsOf(CHANGE_PAINTED_IN_PLACE), V{});
  // A combined change calls each view once, in the fixed order.
  EXPECT_EQ(ViewsOf(CHANGE_PIXELS | CHANGE_PALETTE | CHANGE_HISTORY),
            (V{VIEW_PALETTE, VIEW_PREVIEW, VIEW_EDIT, VIEW_COMMANDS, VIEW_CAPTION}));
}

TEST_F(ChangeHubTest, ASnapshotIsRecordedAfterThePicturesAndOnlyATakenOneRefreshesTheCommands) {
  using V = std::vector<int>;
  EXPECT_EQ(ViewsOf(CHANGE_PIXELS | CHANGE_RECORD_UNDO),
            (V{VIEW_PREVIEW, VIEW_EDIT, VIEW_HISTORY, VIEW_COMMANDS, VIEW_CAPTION}));
  snapshotTaken = false;
  EXPECT_EQ(ViewsOf(CHANGE_PIXELS | CHANGE_RECORD_UNDO), (V{VIEW_PREVIEW, VIEW_EDIT, VIEW_HISTORY}));
  // Cells the pen painted in place are not painted again.
  EXPECT_EQ(ViewsOf(CHANGE_PIXELS | CHANGE_PAINTED_IN_PLACE), (V{VIEW_PREVIEW}));
}

TEST_F(ChangeHubTest, ClearedListenersHearNothing) {
  EXPECT_EQ(ListenerCount(), VIEW_COUNT);
  ClearListeners();
  EXPECT_EQ(ListenerCount(), 0);
  EXPECT_TRUE(ViewsOf(~0u).empty());
}

// Without any window the hub still takes the snapshot an announcement asks
// for, so a command run by a test or a script can be undone.
TEST(ChangeHubWithoutWindow, AnAnnouncementRecordsItsSnapshot) {
  ClearListeners();
  auto tab = std::make_unique<ImageTab>();
  tab->inUse = 1;
  tab->width = tab->height = 2;
  tab->colorCode = 2;
  Announce(tab.get(), CHANGE_PIXELS | CHANGE_RECORD_UNDO);
  CellAt(*tab, 1, 1) = 1;
  Announce(tab.get(), CHANGE_PIXELS | CHANGE_RECORD_UNDO);
  ASSERT_TRUE(CanUndo(*tab));
  ASSERT_TRUE(StepUndoSnapshot(*tab));
  EXPECT_EQ(CellAt(*tab, 1, 1), 0);
  // Announcing without the record bit takes nothing.
  Announce(tab.get(), CHANGE_PIXELS);
  EXPECT_TRUE(CanRedo(*tab));
  FreeUndoHistory(*tab);
}

}  // namespace
