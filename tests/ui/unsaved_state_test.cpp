// The unsaved state in the window: the caption's leading "*" and each tab
// item's tooltip follow edits, undo and saving.

#include <QTabBar>
#include <functional>

#include "app/command_ids.h"
#include "app/commands.h"
#include "app/tab_strip.h"
#include "fileio/open_flow.h"
#include "import/flow.h"
#include "tests/support/family_icon.h"
#include "tests/ui/file_flow_fixture.h"

namespace {

using UnsavedState = FileFlowTest;

std::string Tooltip(int position) {
  return mainWindows.tabStrip->bar()->tabToolTip(position).toStdString();
}

TEST_F(UnsavedState, TheCaptionMarkAndTheTooltipsFollowEditsUndoAndSaving) {
  const std::string path = WriteIcon("two.ico", 2);
  OpenIconFile(path);
  ASSERT_EQ(tabSet.tabCount, 2);
  const std::string clean = "Quillet2 - " + path;
  const std::string changedTip = "ファイル: " + path + "\n保存していない変更があります。";
  const std::string cleanTip = "ファイル: " + path + "\n保存してから変更はありません。";
  struct Step {
    const char* what;
    int command;
    std::string caption;
    std::string firstTip;
    std::string secondTip;
  };
  const Step steps[] = {
      {"opened", 0, clean, cleanTip, cleanTip},
      {"deleted", CMD_DELETE, "*" + clean, changedTip, cleanTip},
      {"undone", CMD_UNDO, clean, cleanTip, cleanTip},
      {"redone", CMD_REDO, "*" + clean, changedTip, cleanTip},
      {"saved", CMD_SAVE, clean, cleanTip, cleanTip},
      {"deleted again", CMD_DELETE, "*" + clean, changedTip, cleanTip},
  };
  for (const Step& step : steps) {
    if (step.command != 0) DispatchCommand(static_cast<unsigned>(step.command));
    EXPECT_EQ(Caption(), step.caption) << step.what;
    EXPECT_EQ(Tooltip(0), step.firstTip) << step.what;
    EXPECT_EQ(Tooltip(1), step.secondTip) << step.what;
  }
}

// Tabs that no file holds are unsaved from the start: the caption is marked
// and closing asks, so Ctrl+Q does not lose them.
TEST_F(UnsavedState, ImportedTabsAndEditableCopiesCountAsUnsaved) {
  const std::string kept = WriteBytes("kept.ico", import_samples::BuildIcon({family_icon::Ramp(300, 3)}));
  struct Way {
    const char* what;
    std::function<void()> make;
  };
  const Way ways[] = {
      {"imported",
       [&] {
         modal.QueueDialog([](QDialog& dialog) { PressButton(dialog, IDOK); });
         ImportFile(WriteIcon("two.ico", 2));
       }},
      {"an editable copy",
       [&] {
         OpenIconFile(kept);
         DispatchCommand(CMD_MAKE_EDITABLE_COPY);
       }},
  };
  for (const Way& way : ways) {
    way.make();
    ASSERT_GT(tabSet.tabCount, 0) << way.what;
    EXPECT_EQ(Caption().substr(0, 1), "*") << way.what;
    modal.clear();
    modal.QueueAnswer(IDNO);
    EXPECT_TRUE(AskSaveBeforeClose()) << way.what;
    EXPECT_EQ(modal.messages().size(), 1u) << way.what;
    DeleteAllTabs();
  }
}

}  // namespace
