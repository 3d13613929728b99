// Save writes an icon document straight back to its file, Save As always
// asks; the file menu offers the files last opened or saved; the caption
// follows what is open.

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include <fstream>

#include "app/command_ids.h"
#include "app/commands.h"
#include "app/new_tab_dialog.h"
#include "app/recent_files_menu.h"
#include "canvas/undo_commands.h"
#include "fileio/open_flow.h"
#include "fileio/recent_files.h"
#include "fileio/save_flow.h"
#include "model/undo_history.h"
#include "platform/profile.h"
#include "storage/disk_change.h"
#include "storage/file_message.h"
#include "tests/ui/file_flow_fixture.h"

namespace {

class PlainSave : public FileFlowTest {
 protected:
  void SetUp() override {
    FileFlowTest::SetUp();
    mainWindows.main->activateWindow();
    QApplication::processEvents();
  }

  // Presses the keys with the focus in the edit view, as the user would.
  static void Press(const char* keys) {
    mainWindows.editView->setFocus();
    const QKeyCombination combination = QKeySequence(QString::fromLatin1(keys))[0];
    QTest::keyClick(mainWindows.editView, combination.key(), combination.keyboardModifiers());
  }

  // Changes a cell of the current tab as an edit would.
  static void Edit(std::uint16_t value) {
    ImageTab* tab = CurrentTab();
    ASSERT_NE(tab, nullptr);
    tab->cells[0] = value;
    RecordUndo(*tab);
  }

  static ByteBuffer TabsAsIcon() { return SerializeIcon(TabsInStripOrder()); }

  static QMenu* FileMenu() {
    QMenu* menu = mainWindows.main->menuBar()->actions().front()->menu();
    emit menu->aboutToShow();
    return menu;
  }

  // The recent-file entries of the file menu as the user sees them.
  static std::vector<std::string> RecentEntries() {
    std::vector<std::string> texts;
    for (QAction* action : FileMenu()->actions()) {
      const int id = action->data().toInt();
      if (id >= CMD_RECENT_FILE_FIRST && id <= CMD_RECENT_FILE_LAST) texts.push_back(action->text().toStdString());
    }
    return texts;
  }

  static QAction* RecentEntry(int index) {
    for (QAction* action : FileMenu()->actions())
      if (action->data().toInt() == CMD_RECENT_FILE_FIRST + index) return action;
    return nullptr;
  }
};

TEST_F(PlainSave, CtrlSWritesAnOpenedIconFileWithoutAQuestion) {
  const std::string path = WriteIcon("opened.ico", 2);
  OpenIconFile(path);
  ASSERT_EQ(tabSet.tabCount, 2);
  Edit(0x0003);
  Press("Ctrl+S");
  EXPECT_TRUE(modal.messages().empty());
  EXPECT_EQ(modal.dialogsRun(), 0);
  EXPECT_TRUE(modal.fileRequests().empty());
  EXPECT_EQ(FileBytes(path), TabsAsIcon());
  EXPECT_EQ(Caption(), "Quillet2 - " + path);

  // The file changed by another program since: the usual question first,
  // and No keeps the other program's content.
  const ByteBuffer theirs = FileBytes(WriteIcon("opened.ico", 1, 8, 8, 2));
  Edit(0x0005);
  modal.QueueAnswer(IDNO);
  Press("Ctrl+S");
  EXPECT_EQ(modal.texts(), std::vector<std::string>{FileMessage(path, CHANGED_ON_DISK_QUESTION)});
  EXPECT_EQ(FileBytes(path), theirs);
  EXPECT_EQ(modal.dialogsRun(), 0);
}

TEST_F(PlainSave, SaveAsksWhereTheDocumentIsNoIconFileAndSaveAsAlwaysAsks) {
  // A new tab has no file: Save runs the save-type dialog.
  FillNewTab(modal, "16", "16", "16");
  CommandNewTab();
  ASSERT_EQ(tabSet.tabCount, 1);
  const std::string bitmap = Path("side.bmp");
  modal.QueueDialog([](QDialog& dialog) { PressButton(dialog, IDCANCEL); });
  Press("Ctrl+S");
  EXPECT_EQ(modal.dialogsRun(), 2);

  // Saved as an icon, it is written directly from then on.
  const std::string icon = Path("named.ico");
  modal.QueueDialog([](QDialog& dialog) { PressButton(dialog, ID_SAVE_ONE_ICON); });
  modal.QueueFile(icon);
  Press("Ctrl+Shift+S");
  ASSERT_EQ(FileBytes(icon), TabsAsIcon());
  Edit(0x0007);
  Press("Ctrl+S");
  EXPECT_EQ(modal.dialogsRun(), 3);
  EXPECT_EQ(FileBytes(icon), TabsAsIcon());

  // Save As asks even then, for the same file as for another.
  modal.QueueDialog([](QDialog& dialog) { PressButton(dialog, IDCANCEL); });
  Press("Ctrl+Shift+S");
  EXPECT_EQ(modal.dialogsRun(), 4);

  // Last saved as a bitmap, the document is no icon file: Save asks again.
  FillNewTab(modal, "16", "16", "16");
  CommandNewTab();
  modal.QueueDialog([](QDialog& dialog) { PressButton(dialog, ID_SAVE_SIDE_BY_SIDE); });
  modal.QueueFile(bitmap);
  DispatchCommand(CMD_SAVE_AS);
  ASSERT_EQ(tabSet.documentName, bitmap);
  const ByteBuffer savedIcon = FileBytes(icon);
  modal.QueueDialog([](QDialog& dialog) { PressButton(dialog, IDCANCEL); });
  Press("Ctrl+S");
  EXPECT_EQ(modal.dialogsRun(), 7);
  EXPECT_EQ(FileBytes(icon), savedIcon);
  EXPECT_EQ(Caption(), "Quillet2 - " + bitmap);
}

TEST_F(PlainSave, TheFileMenuListsTheLastEightFilesOpenedOrSaved) {
  std::vector<std::string> paths;
  for (int i = 0; i < 9; ++i) paths.push_back(WriteIcon("file" + std::to_string(i) + ".ico", 1));
  OpenIconFile(paths[0]);
  // Saving as another file puts that one first.
  const std::string saved = Path("saved & kept.ico");
  modal.QueueDialog([](QDialog& dialog) { PressButton(dialog, ID_SAVE_ONE_ICON); });
  modal.QueueFile(saved);
  DispatchCommand(CMD_SAVE_AS);
  EXPECT_EQ(RecentEntries(), (std::vector<std::string>{"&1 " + folder_ + "/saved && kept.ico", "&2 " + paths[0]}));

  // Files added behind the open tabs count as opened too; the oldest fall
  // off after eight, and one opened again moves up instead of repeating.
  for (int i = 1; i < 9; ++i) {
    modal.QueueAnswer(IDNO);
    OpenIconFile(paths[i]);
  }
  ASSERT_EQ(tabSet.tabCount, 9);
  std::vector<std::string> expected;
  for (int i = 8; i >= 1; --i) expected.push_back("&" + std::to_string(9 - i) + " " + paths[i]);
  EXPECT_EQ(RecentEntries(), expected);
  EXPECT_EQ(RecentFiles().size(), 8u);

  // The list is kept in the settings file for the next run.
  ASSERT_TRUE(mainWindows.main->close());
  EXPECT_EQ(GetProfileString("RECENT", "file1", {}, iniPath), paths[8]);
  DestroyMainWindow();
  ResetProgramState();
  CreateMainWindow();
  EXPECT_EQ(RecentEntries(), expected);

  // A file that is gone is reported and dropped when chosen; another opens.
  std::filesystem::remove(paths[8]);
  modal.clear();
  ASSERT_NE(RecentEntry(0), nullptr);
  RecentEntry(0)->trigger();
  EXPECT_EQ(modal.texts(), std::vector<std::string>{FileMessage(paths[8], RECENT_FILE_GONE)});
  EXPECT_EQ(RecentFiles().front(), paths[7]);
  EXPECT_EQ(RecentEntries().size(), 7u);
  EXPECT_EQ(tabSet.tabCount, 0);
  ASSERT_NE(RecentEntry(2), nullptr);
  RecentEntry(2)->trigger();
  EXPECT_EQ(tabSet.documentName, paths[5]);
  EXPECT_EQ(RecentFiles().front(), paths[5]);
}

TEST_F(PlainSave, TheCaptionNamesNoFileOnceEveryTabIsDeleted) {
  const std::string path = WriteIcon("shown.ico", 2);
  OpenIconFile(path);
  ASSERT_EQ(Caption(), "Quillet2 - " + path);
  for (int i = 0; i < 2; ++i) {
    modal.QueueAnswer(IDOK);
    DispatchCommand(CMD_DELETE_TAB);
  }
  ASSERT_EQ(tabSet.tabCount, 0);
  EXPECT_EQ(Caption(), "Quillet2");
  // A new tab after that is a new, unnamed document that Save asks about.
  FillNewTab(modal, "8", "8", "2");
  CommandNewTab();
  EXPECT_EQ(Caption(), "Quillet2 - 無名");
  modal.QueueDialog([](QDialog& dialog) { PressButton(dialog, IDCANCEL); });
  const int before = modal.dialogsRun();
  DispatchCommand(CMD_SAVE);
  EXPECT_EQ(modal.dialogsRun(), before + 1);
}

}  // namespace
