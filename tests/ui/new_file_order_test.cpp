// File > New: the new tab's size comes first, and Cancel at any of its
// questions leaves every open tab as it was.

#include <QDialog>

#include "app/command_ids.h"
#include "app/commands.h"
#include "app/new_tab_dialog.h"
#include "canvas/undo_commands.h"
#include "fileio/save_flow.h"
#include "model/tab_lifecycle.h"
#include "platform/dialog_template.h"
#include "tests/support/main_window_fixture.h"

namespace {

using NewFileOrder = MainWindowTest;

// Where the user stops: which answers the boxes and dialogs get.
enum class Stop { NewTabDialog, DiscardQuestion, SaveTypeDialog, Nowhere };

TEST_F(NewFileOrder, CancelAnywhereKeepsTheTabsAndOnlyTheEndReplacesThem) {
  for (Stop stop : {Stop::NewTabDialog, Stop::DiscardQuestion, Stop::SaveTypeDialog, Stop::Nowhere}) {
    FillNewTab(modal, "16", "16", "16");
    CommandNewTab();
    FillNewTab(modal, "32", "32", "2");
    CommandNewTab();
    ASSERT_EQ(tabSet.tabCount, 2);
    ImageTab* changed = CurrentTab();
    CellAt(*changed, 1, 1) = 1;
    RecordUndo(*changed);
    modal.clear();

    if (stop == Stop::NewTabDialog) {
      modal.QueueDialog([](QDialog& dialog) { PressButton(dialog, IDCANCEL); });
    } else {
      FillNewTab(modal, "8", "24", "256");
      if (stop == Stop::DiscardQuestion) {
        modal.QueueAnswer(IDCANCEL);
      } else {
        modal.QueueAnswer(IDOK);
        // Save the changes? Yes, then Cancel in the save-type dialog; or No.
        modal.QueueAnswer(stop == Stop::SaveTypeDialog ? IDYES : IDNO);
        if (stop == Stop::SaveTypeDialog) modal.QueueDialog([](QDialog& dialog) { PressButton(dialog, IDCANCEL); });
      }
    }
    DispatchCommand(CMD_NEW);

    if (stop != Stop::Nowhere) {
      EXPECT_EQ(tabSet.tabCount, 2) << static_cast<int>(stop);
      EXPECT_EQ(CurrentTab(), changed);
      EXPECT_EQ(CellAt(*changed, 1, 1), 1);
    } else {
      ASSERT_EQ(tabSet.tabCount, 1);
      ASSERT_NE(CurrentTab(), nullptr);
      EXPECT_EQ(CurrentTab()->width, 8);
      EXPECT_EQ(CurrentTab()->height, 24);
      EXPECT_EQ(CurrentTab()->colorCode, 0);
    }
    // The dialog comes first: cancelled there, no question was asked.
    EXPECT_GE(modal.dialogsRun(), 1);
    if (stop == Stop::NewTabDialog) EXPECT_TRUE(modal.messages().empty());
    modal.clear();
    DeleteAllTabs();
    ShowCurrentPosition();
  }
}

}  // namespace
