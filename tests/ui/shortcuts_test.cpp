// Keyboard shortcuts: each key reaches its command only while the command
// is enabled, wherever the focus is in the main window, but not while the
// background box takes typing or another window is active.

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QMainWindow>
#include <QTest>

#include "app/command_ids.h"
#include "app/menus.h"
#include "app/new_tab_dialog.h"
#include "app/tab_strip.h"
#include "app/toolbar.h"
#include "canvas/edit_view.h"
#include "tests/support/main_window_fixture.h"

namespace {

class Shortcuts : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    mainWindows.main->activateWindow();
    QApplication::processEvents();
  }
  void TearDown() override {
    MainWindowTest::TearDown();
    grid = 1;
  }

  // Presses the keys with the focus on the given widget of the main window.
  static void Press(const char* keys, QWidget* focus = nullptr) {
    if (focus == nullptr) focus = mainWindows.editView;
    focus->setFocus();
    const QKeySequence sequence(QString::fromLatin1(keys));
    const QKeyCombination combination = sequence[0];
    QTest::keyClick(focus, combination.key(), combination.keyboardModifiers());
  }

  static void NewTab(ModalRecorder& modal) {
    FillNewTab(modal, "8", "8", "16");
    CommandNewTab();
  }
};

// The keys of the menu commands, as the user guide lists them.
const std::pair<int, const char*> menuKeys[] = {
    {CMD_NEW_TAB, "Ctrl+N"}, {CMD_OPEN, "Ctrl+O"},         {CMD_IMPORT, "Ctrl+I"},         {CMD_SAVE, "Ctrl+S"},         {CMD_UNDO, "Ctrl+Z"},
    {CMD_REDO, "Ctrl+Y"},    {CMD_REDO, "Ctrl+Shift+Z"},   {CMD_CUT, "Ctrl+X"},          {CMD_COPY, "Ctrl+C"},
    {CMD_PASTE, "Ctrl+V"},   {CMD_PASTE_NEAREST, "Ctrl+Shift+V"}, {CMD_DELETE, "Del"}, {CMD_LEAVE_BACKGROUND, "B"},
    {CMD_RANGE_SELECT, "S"}, {CMD_PEN, "P"},               {CMD_FILL, "F"},              {CMD_LINE, "L"},
    {CMD_CIRCLE, "C"},
    {CMD_SAVE_AS, "Ctrl+Shift+S"},
};

TEST_F(Shortcuts, EachKeyReachesItsMenuCommandOnlyWhileTheEntryIsEnabled) {
  for (const auto& [id, keys] : menuKeys) {
    QAction* entry = MenuAction(id);
    ASSERT_NE(entry, nullptr) << id;
    int reached = 0;
    const auto connection = QObject::connect(entry, &QAction::triggered, [&reached] { ++reached; });
    entry->setEnabled(false);
    Press(keys);
    EXPECT_EQ(reached, 0) << keys;
    entry->setEnabled(true);
    Press(keys);
    EXPECT_EQ(reached, 1) << keys;
    QObject::disconnect(connection);
    modal.clear();
  }
  // The first key shows beside the entry's unchanged text.
  EXPECT_EQ(MenuAction(CMD_REDO)->shortcut(), QKeySequence(QStringLiteral("Ctrl+Y")));
  EXPECT_EQ(MenuAction(CMD_SAVE)->text().toStdString(), "保存(&S)...");
}

TEST_F(Shortcuts, KeysFollowTheStatesOfTheCurrentTab) {
  // Without a tab the tool keys do nothing; Ctrl+N asks for a new tab.
  Press("P");
  Press("Ctrl+G");
  EXPECT_EQ(grid, 1);
  Press("Ctrl+N");
  EXPECT_EQ(modal.dialogsRun(), 1);

  NewTab(modal);
  ASSERT_NE(CurrentTab(), nullptr);
  Press("L");
  EXPECT_EQ(CurrentTab()->penMode, CMD_LINE - CMD_RANGE_SELECT);
  EXPECT_TRUE(ToolButton(CMD_LINE)->isChecked());
  Press("B", mainWindows.paletteWindow);
  EXPECT_EQ(CurrentTab()->penMask, 1);
  EXPECT_TRUE(MenuAction(CMD_LEAVE_BACKGROUND)->isChecked());

  // The grid key presses the grid button: button and flag agree.
  Press("Ctrl+G");
  EXPECT_EQ(grid, 0);
  EXPECT_FALSE(ToolButton(CMD_GRID)->isChecked());
  Press("Ctrl+G", mainWindows.tabStrip);
  EXPECT_EQ(grid, 1);
  EXPECT_TRUE(ToolButton(CMD_GRID)->isChecked());
}

TEST_F(Shortcuts, TheBackgroundBoxAndOtherWindowsKeepTheirKeys) {
  NewTab(modal);
  ASSERT_NE(CurrentTab(), nullptr);
  Press("F");
  ASSERT_EQ(CurrentTab()->penMode, CMD_FILL - CMD_RANGE_SELECT);

  // Plain keys type into the background box; Ctrl keys still work there.
  mainWindows.backgroundBox->setEnabled(true);
  Press("P", mainWindows.backgroundBox);
  EXPECT_EQ(CurrentTab()->penMode, CMD_FILL - CMD_RANGE_SELECT);
  Press("Ctrl+G", mainWindows.backgroundBox);
  EXPECT_EQ(grid, 0);

  // An open dialog is its own window: the main window's keys stay away.
  QDialog dialog(mainWindows.main);
  dialog.show();
  dialog.activateWindow();
  QApplication::processEvents();
  ASSERT_EQ(QApplication::activeWindow(), &dialog);
  dialog.setFocus();
  QTest::keyClick(&dialog, Qt::Key_P);
  QTest::keyClick(&dialog, Qt::Key_G, Qt::ControlModifier);
  EXPECT_EQ(CurrentTab()->penMode, CMD_FILL - CMD_RANGE_SELECT);
  EXPECT_EQ(grid, 0);
}

}  // namespace
