// Keyboard shortcuts: each key reaches its command only while the command
// is enabled, wherever the focus is in the main window, but not while the
// background box takes typing or another window is active.

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QMainWindow>
#include <QTest>

#include "app/command_ids.h"
#include "app/command_line.h"
#include "app/commands.h"
#include "app/menus.h"
#include "app/new_tab_dialog.h"
#include "app/tab_strip.h"
#include "app/toolbar.h"
#include "canvas/edit_view.h"
#include "canvas/undo_commands.h"
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
    {CMD_PASTE_FLOATING, "Ctrl+V"},   {CMD_PASTE_FLOATING_AS_IS, "Ctrl+Shift+V"}, {CMD_DELETE, "Del"}, {CMD_LEAVE_BACKGROUND, "B"},
    {CMD_RANGE_SELECT, "S"}, {CMD_PEN, "P"},               {CMD_FILL, "F"},              {CMD_LINE, "L"},
    {CMD_CIRCLE, "C"},
    {CMD_SAVE_AS, "Ctrl+Shift+S"},
    {CMD_TEXT, "T"},         {CMD_SHIFT_LEFT, "Ctrl+Shift+Left"}, {CMD_SHIFT_DOWN, "Ctrl+Shift+Down"},
    {CMD_FLIP_HORIZONTAL, "Shift+H"}, {CMD_FLIP_VERTICAL, "Shift+V"}, {CMD_ROTATE, "Ctrl+R"},
    {CMD_ICON_TEST_SHEET, "Ctrl+Shift+T"},
    // Last, as it closes the window.
    {CMD_EXIT, "Ctrl+Q"},
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

  // The background box is a list, not a field to type into: the letters
  // of the tools and the Ctrl keys work there; its arrows stay its own.
  mainWindows.backgroundBox->setEnabled(true);
  const int background = mainWindows.backgroundBox->currentIndex();
  Press("P", mainWindows.backgroundBox);
  EXPECT_EQ(CurrentTab()->penMode, CMD_PEN - CMD_RANGE_SELECT);
  EXPECT_EQ(mainWindows.backgroundBox->currentIndex(), background);
  Press("Ctrl+G", mainWindows.backgroundBox);
  EXPECT_EQ(grid, 0);
  Press(background > 0 ? "Up" : "Down", mainWindows.backgroundBox);
  EXPECT_NE(mainWindows.backgroundBox->currentIndex(), background);

  // An open dialog is its own window: the main window's keys stay away.
  QDialog dialog(mainWindows.main);
  dialog.show();
  dialog.activateWindow();
  QApplication::processEvents();
  ASSERT_EQ(QApplication::activeWindow(), &dialog);
  dialog.setFocus();
  QTest::keyClick(&dialog, Qt::Key_P);
  QTest::keyClick(&dialog, Qt::Key_G, Qt::ControlModifier);
  EXPECT_EQ(CurrentTab()->penMode, CMD_PEN - CMD_RANGE_SELECT);
  EXPECT_EQ(grid, 0);
}

TEST_F(Shortcuts, CtrlVAfterCtrlCBringsBackTheSameColoursAndCtrlShiftVKeepsNumbers) {
  NewTab(modal);
  ImageTab* tab = CurrentTab();
  ASSERT_NE(tab, nullptr);
  // Sixteen different colours, none in the order that the as-it-is paste
  // numbers them (black first, then as met).
  for (int i = 0; i < 16; ++i) tab->palette[i] = 0x010203u * static_cast<unsigned>(15 - i) + 0x100000u;
  for (int x = 0; x < 8; ++x)
    for (int y = 0; y < 8; ++y) CellAt(*tab, x, y) = static_cast<PixelCell>((x + 2 * y) % 16);
  tab->selection = {1, 2, 6, 5};
  std::vector<PixelCell> before;
  for (int x = 1; x <= 6; ++x)
    for (int y = 2; y <= 5; ++y) before.push_back(CellAt(*tab, x, y));
  const auto selected = [tab] {
    std::vector<PixelCell> cells;
    for (int x = 1; x <= 6; ++x)
      for (int y = 2; y <= 5; ++y) cells.push_back(CellAt(*tab, x, y));
    return cells;
  };

  Press("Ctrl+C");
  Press("Del");
  ASSERT_NE(selected(), before);
  // The pasted block floats at the selection until Enter places it.
  Press("Ctrl+V");
  Press("Return");
  EXPECT_EQ(selected(), before);
  // The as-it-is paste numbers the picture's colours anew.
  Press("Ctrl+Shift+V");
  Press("Return");
  EXPECT_NE(selected(), before);
  // The menu shows the keys beside the entries.
  EXPECT_EQ(MenuAction(CMD_PASTE_FLOATING)->shortcut(), QKeySequence(QStringLiteral("Ctrl+V")));
  EXPECT_EQ(MenuAction(CMD_PASTE_FLOATING_AS_IS)->shortcut(), QKeySequence(QStringLiteral("Ctrl+Shift+V")));
  QApplication::clipboard()->clear();
}

TEST_F(Shortcuts, CtrlQClosesTheProgramAsTheExitEntryDoes) {
  NewTab(modal);
  ASSERT_NE(CurrentTab(), nullptr);
  CellAt(*CurrentTab(), 0, 0) = 3;
  RecordUndo(*CurrentTab());
  // Changed: the save question first; Cancel keeps the window.
  modal.QueueAnswer(IDCANCEL);
  Press("Ctrl+Q");
  ASSERT_EQ(modal.messages().size(), 1u);
  EXPECT_EQ(modal.messages()[0].buttons, MB_YESNOCANCEL);
  EXPECT_TRUE(mainWindows.main->isVisible());
  modal.QueueAnswer(IDNO);
  Press("Ctrl+Q");
  EXPECT_FALSE(mainWindows.main->isVisible());
}

// Sends a key where the window system sends it: to the widget with the
// focus, or to the active window when nothing has it.
void Type(Qt::Key key) {
  QWidget* target = QApplication::focusWidget();
  if (target == nullptr) target = QApplication::activeWindow();
  ASSERT_NE(target, nullptr);
  QTest::keyClick(target, key);
}

TEST_F(Shortcuts, AfterEveryDialogAndMessageTheKeysGoToTheMainWindow) {
  NewTab(modal);
  ASSERT_NE(CurrentTab(), nullptr);
  QComboBox* box = mainWindows.backgroundBox;
  const int background = box->currentIndex();
  const std::function<void()> modals[] = {[] { DispatchCommand(CMD_VERSION); },
                                          [] { ShowReport("x"); }};
  for (const auto& run : modals) {
    // The user clicked the background box, then a dialog came and went.
    box->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), box);
    run();
    EXPECT_EQ(QApplication::focusWidget(), mainWindows.main);
    Type(background > 0 ? Qt::Key_Up : Qt::Key_Down);
    EXPECT_EQ(box->currentIndex(), background);
  }
}

class FirstShow : public MainWindowTest {
 protected:
  bool CreateWindowInSetUp() const override { return false; }
};

TEST_F(FirstShow, ALetterKeyRightAfterTheWindowFirstShowsReachesItsCommand) {
  // As at a start with a file named on the command line: the tab exists
  // before the window is first activated.
  CreateMainWindow();
  OpenCommandLineFiles({QStringLiteral(TEST_DATA_DIR "/icon_corpus/one_16.ico")});
  ASSERT_NE(CurrentTab(), nullptr);
  ASSERT_TRUE(mainWindows.backgroundBox->isEnabled());
  mainWindows.main->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(mainWindows.main));
  const int background = mainWindows.backgroundBox->currentIndex();
  Type(Qt::Key_L);
  EXPECT_EQ(CurrentTab()->penMode, CMD_LINE - CMD_RANGE_SELECT);
  // The arrows do not reach the background box unseen.
  Type(background > 0 ? Qt::Key_Up : Qt::Key_Down);
  EXPECT_EQ(mainWindows.backgroundBox->currentIndex(), background);
}

}  // namespace
