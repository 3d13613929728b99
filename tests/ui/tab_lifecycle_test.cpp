#include <QComboBox>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QDialog>
#include <QTabBar>

#include "app/new_tab_dialog.h"
#include "app/tab_strip.h"
#include "fileio/palette_file.h"
#include "platform/dialog_template.h"
#include "platform/window_handles.h"
#include "resources/default_palettes.h"
#include "tests/support/main_window_fixture.h"

namespace {

std::vector<int> StripSlots() {
  std::vector<int> slotList;
  for (int p = 0; p < StripItemCount(); ++p) slotList.push_back(StripItemSlot(p));
  return slotList;
}

std::string StripText(int position) { return mainWindows.tabStrip->bar()->tabText(position).toStdString(); }

using TabLifecycle = MainWindowTest;

TEST_F(TabLifecycle, NewTabDialogCreatesActivatesAndNamesTheDocument) {
  EXPECT_EQ(Caption(), "Quillet2");
  EXPECT_FALSE(mainWindows.backgroundBox->isEnabled());
  EXPECT_FALSE(mainWindows.paletteWindow->isEnabled());

  FillNewTab(modal, "32", "32", "16");
  CommandNewTab();
  ASSERT_EQ(tabSet.tabCount, 1);
  EXPECT_TRUE(modal.messages().empty());
  EXPECT_EQ(Caption(), "Quillet2 - 無名");
  EXPECT_TRUE(mainWindows.backgroundBox->isEnabled());
  EXPECT_TRUE(mainWindows.paletteWindow->isEnabled());
  ImageTab* tab = CurrentTab();
  ASSERT_NE(tab, nullptr);
  EXPECT_STREQ(tab->title, " 32x32x16 ");
  EXPECT_EQ(StripText(0), " 32x32x16 ");
  EXPECT_EQ(tab->selection.right, 31);
  EXPECT_EQ(tab->penMode, 1u);
  EXPECT_EQ(tab->dragState, -1);
  EXPECT_EQ(tab->backgroundIndex, 11);
  EXPECT_EQ(tab->cells[31 * STORE_SIZE + 31], FRESH_CELL);
  // The default palette beside the program.
  EXPECT_EQ(std::vector<ColorRef>(tab->palette, tab->palette + 16), DefaultPaletteColors(16));
  // Activation took the first snapshot; the tab is not changed.
  EXPECT_NE(tab->undoFirst, nullptr);
  EXPECT_FALSE(IsTabChanged(*tab));

  // A second tab keeps the document name and becomes current.
  FillNewTab(modal, "16", "48", "256");
  CommandNewTab();
  ASSERT_EQ(tabSet.tabCount, 2);
  EXPECT_EQ(tabSet.currentPosition, 1);
  EXPECT_EQ(Caption(), "Quillet2 - 無名");
  EXPECT_EQ(CurrentTab()->colorCode, 0);
  EXPECT_STREQ(CurrentTab()->title, " 16x48x256 ");
  EXPECT_EQ(CurrentTab()->palette[255], DefaultPaletteColors(0)[255]);
  EXPECT_EQ(mainWindows.tabStrip->bar()->currentIndex(), 1);
}

TEST_F(TabLifecycle, DeletedSlotIsReusedButTheNewItemGoesToTheEnd) {
  for (int i = 0; i < 3; ++i) {
    FillNewTab(modal, std::to_string(10 + i), "8", "2");
    CommandNewTab();
  }
  ASSERT_EQ(StripSlots(), (std::vector<int>{0, 1, 2}));
  // Delete the middle tab with the menu command.
  tabSet.currentPosition = 1;
  StripSelect(1);
  modal.QueueAnswer(IDOK);
  CommandDeleteTab();
  ASSERT_EQ(modal.messages().size(), 1u);
  EXPECT_EQ(modal.messages()[0].text, "選択タブを破棄します\n");
  EXPECT_EQ(modal.messages()[0].caption, "報告");
  EXPECT_EQ(modal.messages()[0].buttons, MB_OKCANCEL);
  EXPECT_EQ(StripSlots(), (std::vector<int>{0, 2}));
  EXPECT_EQ(tabSet.currentPosition, 0);
  EXPECT_EQ(tabSet.tabs[1].undoFirst, nullptr);

  FillNewTab(modal, "5", "5", "2");
  CommandNewTab();
  EXPECT_EQ(StripSlots(), (std::vector<int>{0, 2, 1}));
  EXPECT_EQ(tabSet.currentPosition, 2);
  EXPECT_EQ(CurrentTab(), &tabSet.tabs[1]);
  EXPECT_EQ(StripText(2), " 5x5x2 ");

  // Cancelling the question keeps the tab.
  modal.QueueAnswer(IDCANCEL);
  CommandDeleteTab();
  EXPECT_EQ(tabSet.tabCount, 3);
}

TEST_F(TabLifecycle, DeletingTheLastTabResetsCaptionAndPanels) {
  FillNewTab(modal, "32", "32", "16");
  CommandNewTab();
  modal.QueueAnswer(IDOK);
  CommandDeleteTab();
  EXPECT_EQ(tabSet.tabCount, 0);
  // Nothing is open: the caption is the one of the start.
  EXPECT_EQ(Caption(), "Quillet2");
  EXPECT_EQ(tabSet.documentName, "");
  EXPECT_FALSE(mainWindows.backgroundBox->isEnabled());
  EXPECT_FALSE(mainWindows.paletteWindow->isEnabled());
  EXPECT_EQ(CurrentTab(), nullptr);
  // Nothing to delete now: no question.
  modal.clear();
  CommandDeleteTab();
  EXPECT_TRUE(modal.messages().empty());

  FillNewTab(modal, "32", "32", "16");
  CommandNewTab();
  EXPECT_EQ(Caption(), "Quillet2 - 無名");
}

TEST_F(TabLifecycle, TwentyTabsAreTheLimit) {
  for (int i = 0; i < MAX_TABS; ++i) {
    ImageTab* tab = CreateTab("first.ico", 4, 4, 2);
    ASSERT_NE(tab, nullptr) << i;
    tab->width = tab->height = 4;
    tab->colorCode = 2;
  }
  EXPECT_EQ(tabSet.documentName, "first.ico");
  EXPECT_EQ(Caption(), "Quillet2 - first.ico");
  EXPECT_EQ(CreateTab({}, 4, 4, 2), nullptr);
  EXPECT_EQ(StripItemCount(), MAX_TABS);

  CommandNewTab();
  EXPECT_EQ(modal.texts(), (std::vector<std::string>{"最大タブ数２０に達しています"}));
  EXPECT_EQ(modal.dialogsRun(), 0);
}

TEST_F(TabLifecycle, NewTabDialogRefusesSizesOutsideOneToSixtyFour) {
  struct Case {
    std::string width, height, message, colors = "16";
  };
  const std::vector<Case> refusals = {
      {"0", "32", WIDTH_OUT_OF_RANGE},   {"65", "32", WIDTH_OUT_OF_RANGE}, {"abc", "32", WIDTH_OUT_OF_RANGE},
      {"", "32", WIDTH_OUT_OF_RANGE},    {"32", "0", HEIGHT_OUT_OF_RANGE}, {"32", "65", HEIGHT_OUT_OF_RANGE},
      {"-5", "x", WIDTH_OUT_OF_RANGE},   {"64", "y7", HEIGHT_OUT_OF_RANGE},
      {"257", "32", TRUE_COLOUR_WIDTH_OUT_OF_RANGE, TRUE_COLOUR_CHOICE},
      {"0", "32", TRUE_COLOUR_WIDTH_OUT_OF_RANGE, TRUE_COLOUR_CHOICE},
      {"256", "257", TRUE_COLOUR_HEIGHT_OUT_OF_RANGE, TRUE_COLOUR_CHOICE},
      {"128", "32", WIDTH_OUT_OF_RANGE, "256"},
  };
  for (const Case& c : refusals) {
    modal.clear();
    modal.QueueDialog([&](QDialog& dialog) {
      SetControlText(dialog, 2013, c.colors);
      SetControlText(dialog, 2011, c.width);
      SetControlText(dialog, 2012, c.height);
      PressButton(dialog, IDOK);
      // The dialog stays open after the message; cancel it.
      EXPECT_TRUE(dialog.result() == 0) << c.width << "x" << c.height;
      PressButton(dialog, IDCANCEL);
    });
    EXPECT_EQ(RunNewTabDialog(), IDCANCEL);
    EXPECT_EQ(modal.texts(), (std::vector<std::string>{c.message})) << c.width << "x" << c.height;
    EXPECT_EQ(tabSet.tabCount, 0);
  }
}

TEST_F(TabLifecycle, NewTabDialogMakesATransparentTrueColourTabUpTo256) {
  modal.QueueDialog([](QDialog& dialog) {
    SetControlText(dialog, 2013, TRUE_COLOUR_CHOICE);
    // The size lists offer what a true-colour tab may have.
    EXPECT_EQ(FindControl<QComboBox>(dialog, 2011)->findText("256"), 6);
    EXPECT_EQ(FindControl<QComboBox>(dialog, 2012)->currentText(), "32");
    SetControlText(dialog, 2011, "256");
    SetControlText(dialog, 2012, "256");
    PressButton(dialog, IDOK);
  });
  CommandNewTab();
  ASSERT_EQ(tabSet.tabCount, 1);
  EXPECT_TRUE(modal.messages().empty());
  const ImageTab* tab = CurrentTab();
  ASSERT_NE(tab, nullptr);
  EXPECT_TRUE(IsTrueColour(*tab));
  EXPECT_EQ(tab->width, 256);
  EXPECT_EQ(tab->height, 256);
  EXPECT_EQ(tab->colorCode, 0);
  EXPECT_EQ(tab->penColour, 0xFF000000u);
  EXPECT_EQ(CellAt(*tab, 0, 0), 0u);
  EXPECT_EQ(CellAt(*tab, 255, 255), 0u);
  EXPECT_EQ(std::vector<ColorRef>(tab->palette, tab->palette + 256), DefaultPaletteColors(0));
  // Back to an indexed choice, the lists are the indexed ones again.
  modal.QueueDialog([](QDialog& dialog) {
    SetControlText(dialog, 2013, TRUE_COLOUR_CHOICE);
    SetControlText(dialog, 2013, "2");
    EXPECT_EQ(FindControl<QComboBox>(dialog, 2011)->count(), 4);
    PressButton(dialog, IDCANCEL);
  });
  EXPECT_EQ(RunNewTabDialog(), IDCANCEL);
}

TEST_F(TabLifecycle, NewTabDialogReadsNumbersLikeTheClassicConversion) {
  FillNewTab(modal, " 7", "7a", "2");
  EXPECT_EQ(RunNewTabDialog(), IDOK);
  ASSERT_NE(CurrentTab(), nullptr);
  EXPECT_EQ(CurrentTab()->width, 7);
  EXPECT_EQ(CurrentTab()->height, 7);
  EXPECT_EQ(ReadDialogNumber("+12"), 12);
  EXPECT_EQ(ReadDialogNumber("-3"), -3);
  EXPECT_EQ(ReadDialogNumber("0000064"), 6);  // only the first six characters count
  EXPECT_EQ(ReadDialogNumber("1234567"), 123456);
  EXPECT_EQ(ReadDialogNumber("   "), 0);
}

TEST_F(TabLifecycle, DialogOpensWithThirtyTwoBySixteenColours) {
  modal.QueueDialog([](QDialog& dialog) {
    EXPECT_EQ(dialog.windowTitle().toStdString(), "新規タブ作成");
    auto* width = FindControl<QComboBox>(dialog, 2011);
    auto* colors = FindControl<QComboBox>(dialog, 2013);
    ASSERT_NE(width, nullptr);
    ASSERT_NE(colors, nullptr);
    EXPECT_EQ(width->count(), 4);
    EXPECT_EQ(width->currentText(), "32");
    EXPECT_TRUE(width->isEditable());
    EXPECT_FALSE(colors->isEditable());
    EXPECT_EQ(colors->currentText(), "16");
    EXPECT_EQ(FindControl<QComboBox>(dialog, 2012)->currentText(), "32");
    PressButton(dialog, IDCANCEL);
  });
  EXPECT_EQ(RunNewTabDialog(), IDCANCEL);
  EXPECT_EQ(modal.dialogsRun(), 1);
}

TEST_F(TabLifecycle, CancelReturnsToTheTabThatWasCurrent) {
  // Cancel with no tab leaves everything blank.
  modal.QueueDialog([](QDialog& dialog) { PressButton(dialog, IDCANCEL); });
  CommandNewTab();
  EXPECT_EQ(tabSet.tabCount, 0);
  EXPECT_EQ(tabSet.currentPosition, 0);

  for (int i = 0; i < 3; ++i) {
    FillNewTab(modal, "8", "8", "16");
    CommandNewTab();
  }
  tabSet.currentPosition = 1;
  StripSelect(1);
  modal.QueueDialog([](QDialog& dialog) { PressButton(dialog, IDCANCEL); });
  CommandNewTab();
  EXPECT_EQ(tabSet.currentPosition, 1);
  EXPECT_EQ(mainWindows.tabStrip->bar()->currentIndex(), 1);
}

TEST_F(TabLifecycle, MissingDefaultPaletteGivesTheMessageAndBlack) {
  OverrideProgramFolder("/nonexistent-quillet2-folder");
  FillNewTab(modal, "16", "16", "16");
  CommandNewTab();
  ASSERT_EQ(tabSet.tabCount, 1);
  EXPECT_EQ(modal.texts(), (std::vector<std::string>{"パレット読み込みに失敗"}));
  for (int i = 0; i < 16; ++i) EXPECT_EQ(CurrentTab()->palette[i], 0u);
}

TEST_F(TabLifecycle, UserSelectionAndRightClickActivateTheTabUnderTheCursor) {
  for (int i = 0; i < 3; ++i) {
    FillNewTab(modal, std::to_string(8 + i), "8", "16");
    CommandNewTab();
  }
  QTabBar* bar = mainWindows.tabStrip->bar();
  // A click on another item (the strip reports the change).
  bar->setCurrentIndex(0);
  EXPECT_EQ(tabSet.currentPosition, 0);
  EXPECT_EQ(CurrentTab()->width, 8);

  // Right click on the third item: it becomes current, then its popup
  // deletes it.
  const QPoint point = bar->tabRect(2).center();
  modal.QueuePopupChoice("選択タブ削除(&D)");
  modal.QueueAnswer(IDOK);
  QContextMenuEvent event(QContextMenuEvent::Mouse, point, bar->mapToGlobal(point));
  QCoreApplication::sendEvent(bar, &event);
  ASSERT_EQ(modal.popupMenus().size(), 1u);
  EXPECT_EQ(modal.popupMenus()[0], (std::vector<std::string>{"選択タブ削除(&D)"}));
  EXPECT_EQ(tabSet.tabCount, 2);
  EXPECT_EQ(StripSlots(), (std::vector<int>{0, 1}));
  EXPECT_EQ(tabSet.tabs[2].inUse, 0u);

  // A right click beside the items shows nothing.
  const QPoint beside(bar->width() - 2, bar->height() / 2);
  QContextMenuEvent outside(QContextMenuEvent::Mouse, beside, bar->mapToGlobal(beside));
  QCoreApplication::sendEvent(bar, &outside);
  EXPECT_EQ(modal.popupMenus().size(), 1u);
}

TEST_F(TabLifecycle, PlaceDialogOverMainCentresOneThirdDown) {
  mainWindows.main->setGeometry(100, 100, 640, 600);
  QDialog dialog;
  dialog.resize(200, 90);
  PlaceDialogOverMain(dialog);
  const QRect main = mainWindows.main->frameGeometry();
  const QRect placed = dialog.frameGeometry();
  EXPECT_EQ(placed.left(), main.left() + main.width() / 2 - placed.width() / 2);
  EXPECT_EQ(placed.top(), main.top() + main.height() / 3 - placed.height() / 2);
}

}  // namespace
