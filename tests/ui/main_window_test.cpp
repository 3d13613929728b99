#include <sys/stat.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDropEvent>
#include <QImage>
#include <QMenuBar>
#include <QMimeData>
#include <QProxyStyle>
#include <QScreen>
#include <QToolButton>
#include <QUrl>
#include <fstream>
#include <string>
#include <vector>

#include "app/command_ids.h"
#include "app/command_state.h"
#include "app/commands.h"
#include "app/menus.h"
#include "app/settings.h"
#include "app/status_line.h"
#include "app/tab_strip.h"
#include "app/toolbar.h"
#include "canvas/edit_view.h"
#include "fileio/icon_format.h"
#include "model/change_hub.h"
#include "model/undo_history.h"
#include "platform/file_bytes.h"
#include "platform/profile.h"
#include "storage/file_message.h"
#include "storage/write_problem.h"
#include "tests/support/main_window_fixture.h"

namespace {

ImageTab& AddTab(int width = 8, int height = 8) {
  ImageTab* tab = CreateTab({}, width, height, 16);
  EXPECT_NE(tab, nullptr);
  tab->width = static_cast<std::uint8_t>(width);
  tab->height = static_cast<std::uint8_t>(height);
  tab->colorCode = 16;
  ClearTabPixels(*tab);
  tabSet.currentPosition = tabSet.tabCount - 1;
  ShowCurrentPosition();
  return *tab;
}

bool MenuEnabled(int id) { return MenuAction(id)->isEnabled(); }
bool ButtonEnabled(int id) { return ToolButton(id)->isEnabled(); }
bool ButtonChecked(int id) { return ToolButton(id)->isChecked(); }

using Shell = MainWindowTest;

TEST_F(Shell, PanelsStandInTheirPlacesAndTheEditViewFollowsTheWindow) {
  EXPECT_EQ(mainWindows.main->objectName(), "qlt2WndClass");
  // Three shape buttons widen the toolbar by their width.
  EXPECT_EQ(mainWindows.toolWindow->geometry(), QRect(195, 24, 522, 62));
  EXPECT_EQ(mainWindows.paletteWindow->geometry(), QRect(4, 144, 188, 227));
  EXPECT_EQ(mainWindows.preview->geometry(), QRect(4, 44, 188, 96));
  EXPECT_EQ(mainWindows.backgroundBox->geometry().topLeft(), QPoint(4, 24));
  // The twelve system colours, then the checkerboard.
  EXPECT_EQ(mainWindows.backgroundBox->count(), 13);
  EXPECT_EQ(mainWindows.backgroundBox->itemText(0).toStdString(), "ボタンの面");
  EXPECT_EQ(mainWindows.backgroundBox->itemText(12).toStdString(), "市松模様");
  EXPECT_EQ(mainWindows.backgroundBox->currentIndex(), 11);

  // The grip is on by default: the strip below the tab strip is 12 high,
  // and the status line lies between the two.
  ASSERT_NE(mainWindows.sizeGrip, nullptr);
  const QRect client = mainWindows.client->rect();
  EXPECT_EQ(mainWindows.tabStrip->geometry(),
            QRect(0, 0, client.width(), client.height() - 12 - STATUS_LINE_HEIGHT));
  EXPECT_EQ(mainWindows.statusLine->geometry(),
            QRect(0, client.height() - 12 - STATUS_LINE_HEIGHT, client.width(), STATUS_LINE_HEIGHT));
  EXPECT_EQ(mainWindows.sizeGrip->geometry(), QRect(client.width() - 12, client.height() - 12, 12, 12));
  EXPECT_EQ(mainWindows.editView->geometry(),
            QRect(195, 89, mainWindows.tabStrip->width() - 200, mainWindows.tabStrip->height() - 94));

  mainWindows.main->resize(900, 700);
  QApplication::processEvents();
  EXPECT_EQ(mainWindows.editView->geometry(),
            QRect(195, 89, mainWindows.tabStrip->width() - 200, mainWindows.tabStrip->height() - 94));
  // The window never gets smaller than its panels and the whole toolbar with
  // their edges, the grip's strip and the status line included; without the
  // grip its strip is not needed.
  mainWindows.main->resize(100, 100);
  EXPECT_EQ(mainWindows.client->size(), QSize(721, 376 + STATUS_LINE_HEIGHT + 12));
  EXPECT_GE(mainWindows.client->width(), mainWindows.toolWindow->geometry().right() + 1);
  DispatchCommand(CMD_SIZE_GRIP);
  mainWindows.main->resize(100, 100);
  EXPECT_EQ(mainWindows.client->size(), QSize(721, 376 + STATUS_LINE_HEIGHT));
  DispatchCommand(CMD_SIZE_GRIP);
}

TEST_F(Shell, HidingTheGripShrinksTheWindowByItsStrip) {
  const int height = mainWindows.main->height();
  EXPECT_TRUE(MenuAction(CMD_SIZE_GRIP)->isChecked());
  DispatchCommand(CMD_SIZE_GRIP);
  EXPECT_EQ(mainWindows.sizeGrip, nullptr);
  EXPECT_EQ(gripSize, 0);
  EXPECT_EQ(statusWndFlag, 0);
  EXPECT_EQ(mainWindows.main->height(), height - 12);
  EXPECT_FALSE(MenuAction(CMD_SIZE_GRIP)->isChecked());
  EXPECT_EQ(mainWindows.tabStrip->height() + STATUS_LINE_HEIGHT, mainWindows.client->height());
  DispatchCommand(CMD_SIZE_GRIP);
  EXPECT_EQ(mainWindows.main->height(), height);
  EXPECT_TRUE(MenuAction(CMD_SIZE_GRIP)->isChecked());
}

TEST_F(Shell, MenuBarHasEveryEntryInOrder) {
  const QList<QAction*> tops = mainWindows.main->menuBar()->actions();
  std::vector<std::string> titles;
  for (QAction* top : tops) titles.push_back(top->text().toStdString());
  // The settings menu holds only what can be set: keeping work for recovery.
  EXPECT_EQ(titles, (std::vector<std::string>{"ファイル(&F)", "編集(&E)", "ペンモード(&P)", "設定(&C)", "表示(&V)",
                                              "ヘルプ(&H)"}));
  std::vector<std::string> file;
  for (QAction* entry : tops[0]->menu()->actions()) file.push_back(entry->isSeparator() ? "-" : entry->text().toStdString());
  EXPECT_EQ(file, (std::vector<std::string>{"新規作成...(&N)", "開く(&O)...", "インポート(&I)...", "保存(&S)...",
                                            "名前を付けて保存(&A)...", "X11カーソルとして書き出す(&E)...",
                                            "カーソルテーマに書き出す(&U)...", "アイコンセットの書き出し(&K)...", "-",
                                            "新規タブ作成...(&A) ",
                                            "選択タブ削除(&D)", "編集できる複製を作る(&M)", "-",
                                            "Windows 16色パレットを読み込む(&W)", "Windows 20色とキューブの256色パレットを読み込む", "-",
                                            "終了(&x)"}));
  // The user guide is always offered.
  AddTab();
  RefreshCommandState(GROUP_ALL, 0);
  EXPECT_TRUE(MenuEnabled(CMD_HELP_TOPICS));
  EXPECT_TRUE(MenuEnabled(CMD_OPEN));
  EXPECT_TRUE(MenuEnabled(CMD_IMPORT));
  // The button a narrow window's menus overflow to shows the style's own
  // picture, read when it is first drawn.
  const auto* more = mainWindows.main->menuBar()->findChild<QToolButton*>(QStringLiteral("qt_menubar_ext_button"));
  ASSERT_NE(more, nullptr);
  const QImage drawn = more->icon().pixmap(16).toImage();
  EXPECT_FALSE(drawn.isNull());
  const QStyle* base = static_cast<QProxyStyle*>(QApplication::style())->baseStyle();
  EXPECT_EQ(drawn, base->standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton).pixmap(16).toImage());
}

TEST_F(Shell, ToolbarFollowsThePlacementRule) {
  EXPECT_EQ(ToolButton(CMD_NEW)->geometry(), QRect(10, 4, 23, 23));
  EXPECT_EQ(ToolButton(CMD_NEW_PALETTE)->geometry().topLeft(), QPoint(93, 4));
  EXPECT_EQ(ToolButton(CMD_PASTE_NEAREST)->geometry().topLeft(), QPoint(342, 4));
  // The drop-down arrow adjoins the paste button.
  EXPECT_EQ(ToolButton(CMD_PASTE_MENU)->geometry(), QRect(365, 4, 11, 23));
  EXPECT_EQ(ToolButton(CMD_GRID)->geometry().topLeft(), QPoint(411, 4));
  EXPECT_EQ(ToolButton(CMD_SHIFT_LEFT)->geometry().topLeft(), QPoint(10, 31));
  EXPECT_EQ(ToolButton(CMD_LEAVE_BACKGROUND)->geometry().topLeft(), QPoint(193, 31));
  // The shape tools follow the circle, before the text button.
  EXPECT_EQ(ToolButton(CMD_FILLED_CIRCLE)->geometry().topLeft(), QPoint(401, 31));
  EXPECT_EQ(ToolButton(CMD_TEXT)->geometry().topLeft(), QPoint(434, 31));
  // Tooltips name the keys of their commands.
  EXPECT_EQ(ToolButton(CMD_DELETE)->toolTip().toStdString(), " 削除 (Del)");
  EXPECT_EQ(ToolButton(CMD_LEAVE_BACKGROUND)->toolTip().toStdString(),
            " 背景を残す\n(ＡＮＤマスクのビットが０のペンにする) (B) ");
  EXPECT_EQ(ToolButton(CMD_REDO)->toolTip().toStdString(), " 進む (Ctrl+Y, Ctrl+Shift+Z) ");
  EXPECT_EQ(ToolButton(CMD_ROTATE)->toolTip().toStdString(), " 回転... (Ctrl+R) ");
  EXPECT_EQ(ToolButton(CMD_NEW)->focusPolicy(), Qt::NoFocus);
  int buttons = 0;
  for (const ToolbarRow& row : toolbarTable) buttons += row.id != CMD_SEPARATOR;
  EXPECT_EQ(buttons, 33);
}

TEST_F(Shell, StatesWithoutATab) {
  RefreshCommandState(GROUP_ALL, 0);
  for (int id : {CMD_SAVE, CMD_DELETE_TAB, CMD_UNDO, CMD_REDO, CMD_CUT, CMD_COPY, CMD_DELETE, CMD_LEAVE_BACKGROUND,
                 CMD_RANGE_SELECT, CMD_CIRCLE})
    EXPECT_FALSE(MenuEnabled(id)) << id;
  for (int id : {CMD_SAVE, CMD_OPEN_PALETTE, CMD_SAVE_PALETTE, CMD_DELETE_TAB, CMD_GRID, CMD_LEAVE_BACKGROUND,
                 CMD_TEXT, CMD_SHIFT_LEFT, CMD_ROTATE, CMD_CUT, CMD_PEN})
    EXPECT_FALSE(ButtonEnabled(id)) << id;
  for (int id : {CMD_NEW, CMD_OPEN, CMD_NEW_TAB}) {
    EXPECT_TRUE(MenuEnabled(id)) << id;
    EXPECT_TRUE(ButtonEnabled(id)) << id;
  }
  EXPECT_FALSE(ButtonEnabled(CMD_NEW_PALETTE));
  EXPECT_TRUE(ButtonChecked(CMD_GRID));
}

TEST_F(Shell, StatesFollowTheCurrentTabAndItsTool) {
  ImageTab& tab = AddTab();
  for (int id : {CMD_SAVE, CMD_DELETE_TAB, CMD_CUT, CMD_COPY, CMD_DELETE, CMD_LEAVE_BACKGROUND, CMD_PEN})
    EXPECT_TRUE(MenuEnabled(id)) << id;
  for (int id : {CMD_SAVE, CMD_OPEN_PALETTE, CMD_SAVE_PALETTE, CMD_GRID, CMD_TEXT, CMD_SHIFT_LEFT, CMD_ROTATE,
                 CMD_CUT, CMD_CIRCLE})
    EXPECT_TRUE(ButtonEnabled(id)) << id;
  EXPECT_FALSE(ButtonEnabled(CMD_NEW_PALETTE));
  // Only the first snapshot: neither undo nor redo.
  EXPECT_FALSE(MenuEnabled(CMD_UNDO));
  EXPECT_FALSE(MenuEnabled(CMD_REDO));
  // The pen tool is checked in the menu and on the buttons.
  EXPECT_TRUE(MenuAction(CMD_PEN)->isChecked());
  EXPECT_TRUE(ButtonChecked(CMD_PEN));
  EXPECT_FALSE(ButtonChecked(CMD_CIRCLE));

  // Each tool in turn.
  for (std::uint32_t mode = 0; mode <= 4; ++mode) {
    tab.penMode = mode;
    RefreshCommandState(GROUP_PEN, 0);
    for (int id = CMD_RANGE_SELECT; id <= CMD_CIRCLE; ++id) {
      EXPECT_EQ(MenuAction(id)->isChecked(), id == CMD_RANGE_SELECT + static_cast<int>(mode)) << mode << " " << id;
      EXPECT_EQ(ButtonChecked(id), id == CMD_RANGE_SELECT + static_cast<int>(mode)) << mode << " " << id;
    }
  }
  // With keep-checks the buttons stay as they are but the menu follows.
  tab.penMode = 2;
  tab.penMask = 1;
  RefreshCommandState(GROUP_PEN, 1);
  EXPECT_TRUE(MenuAction(CMD_FILL)->isChecked());
  EXPECT_TRUE(MenuAction(CMD_LEAVE_BACKGROUND)->isChecked());
  EXPECT_TRUE(ButtonChecked(CMD_CIRCLE));
  EXPECT_FALSE(ButtonChecked(CMD_LEAVE_BACKGROUND));

  // While a range selection is drawn the selection buttons wait; the menu's
  // cut, copy and delete stay enabled.
  tab.penMode = 0;
  tab.dragState = 1;
  RefreshCommandState(GROUP_ALL, 0);
  for (int id : {CMD_CUT, CMD_COPY, CMD_DELETE, CMD_SHIFT_LEFT, CMD_FLIP_VERTICAL, CMD_ROTATE})
    EXPECT_FALSE(ButtonEnabled(id)) << id;
  for (int id : {CMD_CUT, CMD_COPY, CMD_DELETE}) EXPECT_TRUE(MenuEnabled(id)) << id;
  tab.dragState = -1;
  RefreshCommandState(GROUP_PEN, 0);
  EXPECT_TRUE(ButtonEnabled(CMD_ROTATE));
}

// The state table, row by row, in every tool, drag state and pen mask, with
// and without a tab.
TEST_F(Shell, EveryRowOfTheStateTableHoldsInEveryToolAndDragState) {
  const std::vector<int> fileItems{CMD_SAVE, CMD_DELETE_TAB};
  const std::vector<int> fileButtons{CMD_SAVE, CMD_OPEN_PALETTE, CMD_SAVE_PALETTE, CMD_DELETE_TAB};
  const std::vector<int> editMenus{CMD_CUT, CMD_COPY, CMD_DELETE};
  const std::vector<int> penMenus{CMD_LEAVE_BACKGROUND, CMD_RANGE_SELECT, CMD_PEN, CMD_FILL, CMD_LINE, CMD_CIRCLE};
  const std::vector<int> penButtons{CMD_GRID, CMD_LEAVE_BACKGROUND, CMD_RANGE_SELECT, CMD_PEN,
                                    CMD_FILL, CMD_LINE, CMD_CIRCLE, CMD_TEXT};
  const std::vector<int> selectionButtons{CMD_CUT,         CMD_COPY,       CMD_DELETE,     CMD_SHIFT_LEFT,
                                          CMD_SHIFT_RIGHT, CMD_SHIFT_UP,   CMD_SHIFT_DOWN, CMD_FLIP_HORIZONTAL,
                                          CMD_FLIP_VERTICAL, CMD_ROTATE};
  ImageTab* tab = nullptr;
  for (const bool hasTab : {false, true}) {
    if (hasTab) tab = &AddTab();
    for (std::uint32_t mode = 0; mode <= 4; ++mode)
      for (const int drag : {-1, 0, 1})
        for (const std::uint32_t mask : {0u, 1u}) {
          if (tab != nullptr) {
            tab->penMode = mode;
            tab->dragState = drag;
            tab->penMask = mask;
          }
          RefreshCommandState(GROUP_ALL, 0);
          const std::string state = std::to_string(hasTab) + " mode " + std::to_string(mode) + " drag " +
                                    std::to_string(drag) + " mask " + std::to_string(mask);
          for (int id : fileItems) EXPECT_EQ(MenuEnabled(id), hasTab) << id << " " << state;
          for (int id : fileButtons) EXPECT_EQ(ButtonEnabled(id), hasTab) << id << " " << state;
          for (int id : editMenus) EXPECT_EQ(MenuEnabled(id), hasTab) << id << " " << state;
          for (int id : penMenus) EXPECT_EQ(MenuEnabled(id), hasTab) << id << " " << state;
          for (int id : penButtons) EXPECT_EQ(ButtonEnabled(id), hasTab) << id << " " << state;
          for (int id : selectionButtons)
            EXPECT_EQ(ButtonEnabled(id), hasTab && (mode != 0 || drag == -1)) << id << " " << state;
          for (int id : {CMD_NEW, CMD_OPEN, CMD_NEW_TAB}) EXPECT_TRUE(MenuEnabled(id) && ButtonEnabled(id)) << id;
          EXPECT_TRUE(MenuEnabled(CMD_EXIT));
          EXPECT_FALSE(ButtonEnabled(CMD_NEW_PALETTE));
          if (!hasTab) continue;
          EXPECT_EQ(MenuAction(CMD_LEAVE_BACKGROUND)->isChecked(), mask == 1) << state;
          EXPECT_EQ(ButtonChecked(CMD_LEAVE_BACKGROUND), mask == 1) << state;
          for (int id = CMD_RANGE_SELECT; id <= CMD_CIRCLE; ++id) {
            EXPECT_EQ(MenuAction(id)->isChecked(), id == CMD_RANGE_SELECT + static_cast<int>(mode)) << id << state;
            EXPECT_EQ(ButtonChecked(id), id == CMD_RANGE_SELECT + static_cast<int>(mode)) << id << " " << state;
          }
        }
  }
  tab->dragState = -1;
}

TEST_F(Shell, UndoAndRedoFollowTheHistory) {
  ImageTab& tab = AddTab();
  ASSERT_TRUE(PushUndoSnapshot(tab));
  RefreshCommandState(GROUP_EDIT, 1);
  EXPECT_TRUE(MenuEnabled(CMD_UNDO));
  EXPECT_TRUE(ButtonEnabled(CMD_UNDO));
  EXPECT_FALSE(MenuEnabled(CMD_REDO));
  ASSERT_TRUE(StepUndoSnapshot(tab));
  RefreshCommandState(GROUP_EDIT, 1);
  EXPECT_FALSE(MenuEnabled(CMD_UNDO));
  EXPECT_TRUE(MenuEnabled(CMD_REDO));
  EXPECT_TRUE(ButtonEnabled(CMD_REDO));
}

TEST_F(Shell, PasteEntriesFollowTheClipboard) {
  QApplication::clipboard()->setText(QStringLiteral("no picture"));
  QApplication::processEvents();
  EXPECT_FALSE(MenuEnabled(CMD_PASTE));
  EXPECT_FALSE(ButtonEnabled(CMD_PASTE_NEAREST));
  QImage picture(4, 4, QImage::Format_RGB32);
  picture.fill(Qt::red);
  QApplication::clipboard()->setImage(picture);
  QApplication::processEvents();
  // With or without a tab.
  for (int id : {CMD_PASTE, CMD_PASTE_NEAREST, CMD_PASTE_TRANSPARENT}) EXPECT_TRUE(MenuEnabled(id)) << id;
  EXPECT_TRUE(ButtonEnabled(CMD_PASTE_NEAREST));
  EXPECT_TRUE(ButtonEnabled(CMD_PASTE_MENU));
  QApplication::clipboard()->clear();
}

TEST_F(Shell, GridButtonSetsTheFlag) {
  AddTab();
  ToolButton(CMD_GRID)->click();
  EXPECT_EQ(grid, 0);
  EXPECT_FALSE(ButtonChecked(CMD_GRID));
  ToolButton(CMD_GRID)->click();
  EXPECT_EQ(grid, 1);
}

TEST_F(Shell, TheDisabledPaletteButtonStaysDisabled) {
  AddTab();
  for (int groups : {1, 2, 4, 8, 15}) {
    RefreshCommandState(groups, 0);
    EXPECT_FALSE(ButtonEnabled(CMD_NEW_PALETTE)) << groups;
  }
}

TEST_F(Shell, ClosingUnchangedTabsAsksNothing) {
  AddTab();
  EXPECT_TRUE(mainWindows.main->close());
  EXPECT_TRUE(modal.messages().empty());
}

TEST_F(Shell, ClosingAChangedTabAsksAndCancelKeepsTheWindow) {
  ImageTab& tab = AddTab();
  ASSERT_TRUE(PushUndoSnapshot(tab));
  modal.QueueAnswer(IDCANCEL);
  EXPECT_FALSE(mainWindows.main->close());
  ASSERT_EQ(modal.messages().size(), 1u);
  EXPECT_EQ(modal.messages()[0].text, "[ 無名 ]\n\n変更されています保存しますか？");
  EXPECT_EQ(modal.messages()[0].caption, "問い合わせ");
  EXPECT_EQ(modal.messages()[0].buttons, MB_YESNOCANCEL);
  EXPECT_TRUE(mainWindows.main->isVisible());
  // No: close without saving, writing the settings.
  modal.QueueAnswer(IDNO);
  EXPECT_TRUE(mainWindows.main->close());
  EXPECT_EQ(GetProfileInt("FLAG", "grid", -1, iniPath), 1);
}

TEST_F(Shell, DroppingSeveralFilesIsRefused) {
  DropFiles({"/tmp/a.ico", "/tmp/b.ico"});
  EXPECT_EQ(modal.texts(), (std::vector<std::string>{"１つのアイコンファイルしか受け付けません"}));
  EXPECT_EQ(tabSet.tabCount, 0);
}

// Writes an icon file of one blank image beside the settings file.
std::string WriteBlankIcon(int width, int height) {
  static ImageTab image{};
  image.width = static_cast<std::uint8_t>(width);
  image.height = static_cast<std::uint8_t>(height);
  image.colorCode = 16;
  ClearTabPixels(image);
  const std::string path = iniPath + ".ico";
  EXPECT_EQ(WriteFileBytesSafely(path, SerializeIcon({&image})), WriteResult::Ok);
  return path;
}

TEST_F(Shell, DroppingOneIconFileOpensIt) {
  const std::string path = WriteBlankIcon(5, 3);
  DropFiles({QString::fromStdString(path)});
  std::remove(path.c_str());
  EXPECT_TRUE(modal.messages().empty());
  ASSERT_EQ(tabSet.tabCount, 1);
  EXPECT_EQ(CurrentTab()->width, 5);
  EXPECT_EQ(Caption(), "Quillet2 - " + path);
}

// Drags the data onto the main window and drops it there, as a source that
// offers the actions would; gives back the drop event as the window left it.
struct DropAnswer {
  bool accepted;
  Qt::DropAction action;
};
DropAnswer DragAndDrop(const QMimeData& data, Qt::DropActions actions, Qt::KeyboardModifiers modifiers) {
  QDragEnterEvent enter(QPoint(300, 300), actions, &data, Qt::LeftButton, modifiers);
  QApplication::sendEvent(mainWindows.main, &enter);
  QDropEvent drop(QPointF(300, 300), actions, &data, Qt::LeftButton, modifiers);
  QApplication::sendEvent(mainWindows.main, &drop);
  return {drop.isAccepted(), drop.dropAction()};
}

TEST_F(Shell, DropsAreTakenAsCopiesOnly) {
  const std::string path = WriteBlankIcon(4, 4);
  QMimeData one;
  one.setUrls({QUrl::fromLocalFile(QString::fromStdString(path))});
  QMimeData two;
  two.setUrls({QUrl::fromLocalFile(QString::fromStdString(path)), QUrl::fromLocalFile("/tmp/other.ico")});

  // With Shift held the source proposes a move; the window answers copy.
  const Qt::DropActions both = Qt::CopyAction | Qt::MoveAction;
  ASSERT_EQ(QDropEvent(QPointF(), both, &one, Qt::LeftButton, Qt::ShiftModifier).proposedAction(), Qt::MoveAction);
  DropAnswer answer = DragAndDrop(one, both, Qt::ShiftModifier);
  EXPECT_TRUE(answer.accepted);
  EXPECT_EQ(answer.action, Qt::CopyAction);
  EXPECT_TRUE(modal.messages().empty());
  EXPECT_EQ(tabSet.tabCount, 1);

  answer = DragAndDrop(two, both, Qt::ShiftModifier);
  EXPECT_EQ(answer.action, Qt::CopyAction);
  EXPECT_EQ(modal.texts(), (std::vector<std::string>{"１つのアイコンファイルしか受け付けません"}));
  EXPECT_EQ(tabSet.tabCount, 1);

  // A source that can only move is turned away before anything is read.
  DeleteAllTabs();
  answer = DragAndDrop(one, Qt::MoveAction, Qt::NoModifier);
  EXPECT_FALSE(answer.accepted);
  EXPECT_EQ(tabSet.tabCount, 0);
  EXPECT_EQ(modal.messages().size(), 1u);
  std::remove(path.c_str());
}

TEST_F(Shell, BackgroundChoiceSetsTheTabAndTheGridColour) {
  ImageTab& tab = AddTab();
  emit mainWindows.backgroundBox->activated(2);
  EXPECT_EQ(tab.backgroundIndex, 2);
  EXPECT_EQ(gridLineColor, (58u | 110u << 8 | 165u << 16) ^ 0xFFFFFFu);
  // Each tab keeps its own; activation shows it in the box.
  ImageTab& second = AddTab();
  EXPECT_EQ(mainWindows.backgroundBox->currentIndex(), 11);
  tabSet.currentPosition = 0;
  ShowCurrentPosition();
  EXPECT_EQ(mainWindows.backgroundBox->currentIndex(), 2);
  EXPECT_EQ(second.backgroundIndex, 11);
}

class Settings : public MainWindowTest {
 protected:
  bool CreateWindowInSetUp() const override { return false; }
};

TEST_F(Settings, MissingFileGivesTheDefaults) {
  CreateMainWindow();
  // The place and size are those of the window inside its frame. 640 is
  // narrower than the panels need; the window keeps its minimum.
  EXPECT_EQ(mainWindows.main->geometry(), QRect(100, 100, std::max(640, mainWindows.main->minimumWidth()), 652));
  EXPECT_EQ(grid, 1);
  EXPECT_EQ(statusWndFlag, 1);
  ASSERT_TRUE(mainWindows.main->close());
  for (const char* key : {"pos_x", "pos_y", "siz_x", "siz_y"})
    EXPECT_NE(GetProfileInt("WINDOW", key, -12345, iniPath), -12345) << key;
  EXPECT_EQ(GetProfileInt("WINDOW", "siz_y", 0, iniPath), 640);
  EXPECT_EQ(GetProfileInt("FLAG", "statusWndFlag", 0, iniPath), 1);
}

TEST_F(Settings, RoundTripKeepsPlaceSizeAndFlags) {
  std::ofstream(iniPath) << "[WINDOW]\npos_x=120\npos_y=80\nsiz_x=760\nsiz_y=500\n[FLAG]\nstatusWndFlag=0\ngrid=0\n";
  CreateMainWindow();
  EXPECT_EQ(mainWindows.main->geometry(), QRect(120, 80, 760, 500));
  EXPECT_EQ(mainWindows.sizeGrip, nullptr);
  EXPECT_EQ(grid, 0);
  EXPECT_FALSE(ButtonChecked(CMD_GRID));
  mainWindows.main->setGeometry(130, 90, 780, 500);
  const QRect frame = mainWindows.main->frameGeometry();
  ASSERT_TRUE(mainWindows.main->close());
  // Without the grip the full height is written.
  EXPECT_EQ(GetProfileInt("WINDOW", "pos_x", 0, iniPath), 130);
  EXPECT_EQ(GetProfileInt("WINDOW", "siz_y", 0, iniPath), 500);
  EXPECT_EQ(GetProfileInt("FLAG", "grid", 1, iniPath), 0);
  // The next start gives the same window, frame and all.
  DestroyMainWindow();
  CreateMainWindow();
  EXPECT_EQ(mainWindows.main->frameGeometry(), frame);
  DestroyMainWindow();
  grid = 1;
}

TEST_F(Settings, MinimizedWindowWritesOnlyTheFlags) {
  std::ofstream(iniPath) << "[WINDOW]\npos_x=111\n";
  CreateMainWindow();
  mainWindows.main->showMinimized();
  DispatchCommand(CMD_SIZE_GRIP);
  ASSERT_TRUE(mainWindows.main->close());
  EXPECT_EQ(GetProfileInt("WINDOW", "pos_x", 0, iniPath), 111);
  EXPECT_EQ(GetProfileInt("WINDOW", "siz_x", -1, iniPath), -1);
  EXPECT_EQ(GetProfileInt("FLAG", "statusWndFlag", -1, iniPath), 0);
}

TEST_F(Settings, ASettingsFileThatCannotBeWrittenIsReported) {
  // A folder where the file should be: it can be neither read nor written.
  ASSERT_EQ(::mkdir(iniPath.c_str(), 0755), 0);
  CreateMainWindow();
  ASSERT_TRUE(mainWindows.main->close());
  EXPECT_EQ(modal.texts(),
            std::vector<std::string>{FileMessage(iniPath, std::string(SETTINGS_WRITE_FAILED) + "\n" + PROBLEM_UNREADABLE)});
  ::rmdir(iniPath.c_str());
}

TEST_F(Settings, AbsurdValuesKeepTheWindowUsableAndOnScreen) {
  // Values at the ends of int once overflowed the placement arithmetic.
  for (const char* values : {"pos_x=-90000\npos_y=70000\nsiz_x=5\nsiz_y=-40\n", "siz_y=2147483647\n",
                             "pos_x=2147483647\nsiz_x=2147483647\n", "pos_x=-2147483648\npos_y=-2147483648\n",
                             "siz_x=-2147483648\nsiz_y=-2147483648\n", "pos_x=left\nsiz_x=wide\nsiz_y=\n"}) {
    SCOPED_TRACE(values);
    std::ofstream(iniPath) << "[WINDOW]\n" << values;
    CreateMainWindow();
    const QRect outer = mainWindows.main->frameGeometry();
    EXPECT_GE(outer.width(), 643);
    EXPECT_GE(mainWindows.main->height(), mainWindows.main->minimumHeight());
    const QRect screen = QApplication::primaryScreen()->availableGeometry();
    EXPECT_TRUE(screen.intersects(outer)) << outer.x() << "," << outer.y();
    DestroyMainWindow();
  }
}

TEST(SettingsPath, ReplacesOrAppendsTheExtension) {
  EXPECT_EQ(SettingsFileFor({"/opt/q/quillet2", true, "", ""}), "/opt/q/quillet2.ini");
  EXPECT_EQ(SettingsFileFor({"/opt/q/Quillet2.exe", true, "", ""}), "/opt/q/Quillet2.ini");
  EXPECT_EQ(SettingsFileFor({"/opt/q.d/quillet2", true, "", ""}), "/opt/q.d/quillet2.ini");
}

}  // namespace

namespace {

TEST(ShellLifetime, StatesCanBeRefreshedAfterTheWindowIsGone) {
  iniPath = "/tmp/q2-lifetime-" + std::to_string(::getpid()) + ".ini";
  CreateMainWindow();
  EXPECT_NE(ToolButton(CMD_NEW), nullptr);
  EXPECT_NE(MenuAction(CMD_NEW), nullptr);
  DestroyMainWindow();
  EXPECT_EQ(ToolButton(CMD_NEW), nullptr);
  EXPECT_EQ(MenuAction(CMD_NEW), nullptr);
  // Nothing left to refresh, and nothing to crash on.
  RefreshCommandState(GROUP_ALL, 0);
  std::remove(iniPath.c_str());
}

}  // namespace

namespace {

using PastePopup = MainWindowTest;

TEST_F(PastePopup, OffersTheThreePastesBelowThePasteButtonAndRunsTheChoice) {
  ImageTab* tab = CreateTab({}, 4, 4, 16);
  ASSERT_NE(tab, nullptr);
  tab->width = tab->height = 4;
  tab->colorCode = 16;
  ClearTabPixels(*tab);
  for (int i = 0; i < 16; ++i) tab->palette[i] = i == 9 ? 0x0000FFu : 0u;
  ShowCurrentPosition();
  QImage picture(4, 4, QImage::Format_RGB32);
  picture.fill(Qt::red);
  QApplication::clipboard()->setImage(picture);
  QApplication::processEvents();

  modal.QueuePopupChoice("近似色貼り付け(&N)");
  DispatchCommand(CMD_PASTE_MENU);
  ASSERT_EQ(modal.popupMenus().size(), 1u);
  EXPECT_EQ(modal.popupMenus()[0],
            (std::vector<std::string>{"そのまま貼り付け(&P)", "近似色貼り付け(&N)", "透過色指定貼り付け(&E)..."}));
  // The nearest colour of red in this palette is entry 9, pasted opaque.
  EXPECT_EQ(CellAt(*tab, 0, 0), 9);
  EXPECT_EQ(CellAt(*tab, 3, 3), 9);
  EXPECT_TRUE(IsTabChanged(*tab));
  QApplication::clipboard()->clear();
}

}  // namespace

// Every view listens while the window exists, and none is left once it is
// gone: the next window's views must not share announcements with freed ones.
TEST_F(MainWindowTest, EveryViewListensWhileTheWindowExistsAndNoneAfterwards) {
  EXPECT_EQ(ListenerCount(), VIEW_COUNT);
  DestroyMainWindow();
  EXPECT_EQ(ListenerCount(), 0);
  CreateMainWindow();
  EXPECT_EQ(ListenerCount(), VIEW_COUNT);
}
