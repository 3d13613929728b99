#include "app/menus.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <map>

#include "app/command_ids.h"
#include "app/commands.h"
#include "app/language_menu.h"
#include "platform/translation.h"
#include "platform/ui_text.h"

namespace {

// One row of a menu: a command entry, a separator (id 0, no text), the start
// of a submenu (id -1) or its end (id -2).
struct MenuRow {
  int id;
  const char* text;
};
constexpr int SEPARATOR = 0;
constexpr int SUBMENU = -1;
constexpr int END_SUBMENU = -2;

struct TopMenu {
  const char* title;
  std::initializer_list<MenuRow> rows;
};

const TopMenu mainMenu[] = {
    {QT_TRANSLATE_NOOP("Quillet2", "ファイル(&F)"),
     {{CMD_NEW, QT_TRANSLATE_NOOP("Quillet2", "新規作成...(&N)")},
      {CMD_OPEN, QT_TRANSLATE_NOOP("Quillet2", "開く(&O)...")},
      {CMD_IMPORT, QT_TRANSLATE_NOOP("Quillet2", "インポート(&I)...")},
      {CMD_SAVE, QT_TRANSLATE_NOOP("Quillet2", "保存(&S)...")},
      {CMD_SAVE_AS, QT_TRANSLATE_NOOP("Quillet2", "名前を付けて保存(&A)...")},
      {CMD_EXPORT_XCURSOR, QT_TRANSLATE_NOOP("Quillet2", "X11カーソルとして書き出す(&E)...")},
      {CMD_EXPORT_CURSOR_THEME, QT_TRANSLATE_NOOP("Quillet2", "カーソルテーマに書き出す(&U)...")},
      {CMD_EXPORT_ICON_SET, QT_TRANSLATE_NOOP("Quillet2", "アイコンセットの書き出し(&K)...")},
      {SEPARATOR, nullptr},
      {CMD_NEW_TAB, QT_TRANSLATE_NOOP("Quillet2", "新規タブ作成...(&A) ")},
      {CMD_DELETE_TAB, QT_TRANSLATE_NOOP("Quillet2", "選択タブ削除(&D)")},
      {CMD_MAKE_EDITABLE_COPY, QT_TRANSLATE_NOOP("Quillet2", "編集できる複製を作る(&M)")},
      {SEPARATOR, nullptr},
      {CMD_WINDOWS_PALETTE_16, QT_TRANSLATE_NOOP("Quillet2", "Windows 16色パレットを読み込む(&W)")},
      {CMD_WINDOWS_PALETTE_256, QT_TRANSLATE_NOOP("Quillet2", "Windows 20色とキューブの256色パレットを読み込む")},
      {SEPARATOR, nullptr},
      {CMD_EXIT, QT_TRANSLATE_NOOP("Quillet2", "終了(&x)")}}},
    {QT_TRANSLATE_NOOP("Quillet2", "編集(&E)"),
     {{CMD_UNDO, QT_TRANSLATE_NOOP("Quillet2", "戻す(&U)")},
      {CMD_REDO, QT_TRANSLATE_NOOP("Quillet2", "進む(&R)")},
      {SEPARATOR, nullptr},
      {CMD_CUT, QT_TRANSLATE_NOOP("Quillet2", "切り取り(&T)")},
      {CMD_COPY, QT_TRANSLATE_NOOP("Quillet2", "コピー(&C)")},
      {SUBMENU, QT_TRANSLATE_NOOP("Quillet2", "貼り付け(&P)")},
      {CMD_PASTE_FLOATING, QT_TRANSLATE_NOOP("Quillet2", "等倍で貼り付け(&V)")},
      {CMD_PASTE_FLOATING_AS_IS, QT_TRANSLATE_NOOP("Quillet2", "等倍で番号のまま貼り付け(&K)")},
      {SEPARATOR, nullptr},
      {CMD_PASTE, QT_TRANSLATE_NOOP("Quillet2", "そのまま貼り付け(&P)")},
      {CMD_PASTE_NEAREST, QT_TRANSLATE_NOOP("Quillet2", "近似色貼り付け(&N)")},
      {CMD_PASTE_TRANSPARENT, QT_TRANSLATE_NOOP("Quillet2", "透過色指定貼り付け(&E)...")},
      {END_SUBMENU, nullptr},
      {SEPARATOR, nullptr},
      {CMD_DELETE, QT_TRANSLATE_NOOP("Quillet2", "削除(&D)")},
      {SEPARATOR, nullptr},
      {CMD_CONVERT_TO_TRUE_COLOUR, QT_TRANSLATE_NOOP("Quillet2", "32ビットに変換(&B)")},
      {CMD_CONVERT_TO_INDEXED, QT_TRANSLATE_NOOP("Quillet2", "インデックスカラーに変換(&I)...")},
      // The transforms of the selection and the text, which the toolbar
      // also offers.
      {SEPARATOR, nullptr},
      {SUBMENU, QT_TRANSLATE_NOOP("Quillet2", "変形(&F)")},
      {CMD_SHIFT_LEFT, QT_TRANSLATE_NOOP("Quillet2", "左にシフト(&L)")},
      {CMD_SHIFT_RIGHT, QT_TRANSLATE_NOOP("Quillet2", "右にシフト(&R)")},
      {CMD_SHIFT_UP, QT_TRANSLATE_NOOP("Quillet2", "上にシフト(&U)")},
      {CMD_SHIFT_DOWN, QT_TRANSLATE_NOOP("Quillet2", "下にシフト(&D)")},
      {SEPARATOR, nullptr},
      {CMD_FLIP_HORIZONTAL, QT_TRANSLATE_NOOP("Quillet2", "左右反転(&H)")},
      {CMD_FLIP_VERTICAL, QT_TRANSLATE_NOOP("Quillet2", "上下反転(&V)")},
      {CMD_ROTATE, QT_TRANSLATE_NOOP("Quillet2", "回転(&O)...")},
      {END_SUBMENU, nullptr},
      {CMD_TEXT, QT_TRANSLATE_NOOP("Quillet2", "文字(&X)...")}}},
    {QT_TRANSLATE_NOOP("Quillet2", "ペンモード(&P)"),
     {{CMD_LEAVE_BACKGROUND, QT_TRANSLATE_NOOP("Quillet2", "背景を残す(&T)")},
      {SEPARATOR, nullptr},
      {CMD_RANGE_SELECT, QT_TRANSLATE_NOOP("Quillet2", "範囲選択(&0)")},
      {CMD_PEN, QT_TRANSLATE_NOOP("Quillet2", "普通のペン(&1)")},
      {CMD_FILL, QT_TRANSLATE_NOOP("Quillet2", "塗りつぶし(&2)")},
      {CMD_LINE, QT_TRANSLATE_NOOP("Quillet2", "直線(&3)")},
      {CMD_CIRCLE, QT_TRANSLATE_NOOP("Quillet2", "円(&4)")},
      {CMD_RECTANGLE, QT_TRANSLATE_NOOP("Quillet2", "四角形(&5)")},
      {CMD_FILLED_RECTANGLE, QT_TRANSLATE_NOOP("Quillet2", "塗りつぶし四角形(&6)")},
      {CMD_FILLED_CIRCLE, QT_TRANSLATE_NOOP("Quillet2", "塗りつぶし円(&7)")},
      {SEPARATOR, nullptr},
      {CMD_PICK_COLOR, QT_TRANSLATE_NOOP("Quillet2", "ポインタの下の色をペンに取る(&K)")},
      // Cursors.
      {SEPARATOR, nullptr},
      {CMD_HOT_SPOT_TOOL, QT_TRANSLATE_NOOP("Quillet2", "ホットスポット(&H)")}}},
    {QT_TRANSLATE_NOOP("Quillet2", "設定(&C)"),
     {{CMD_RECOVERY, QT_TRANSLATE_NOOP("Quillet2", "未保存の作業を復元用に残す(&R)")}}},
    {QT_TRANSLATE_NOOP("Quillet2", "表示(&V)"),
     {{CMD_SIZE_GRIP, QT_TRANSLATE_NOOP("Quillet2", "サイズグリップ(&S)")},
      {CMD_GRID, QT_TRANSLATE_NOOP("Quillet2", "境界線(&G)")},
      {CMD_CURSOR_TEST_AREA, QT_TRANSLATE_NOOP("Quillet2", "カーソルのテスト(&T)...")},
      {CMD_FRAME_TIME, QT_TRANSLATE_NOOP("Quillet2", "フレームの表示時間(&D)...")},
      {CMD_ICON_TEST_SHEET, QT_TRANSLATE_NOOP("Quillet2", "アイコンの確認(&K)...")},
      {SUBMENU, QT_TRANSLATE_NOOP("Quillet2", "言語(&L)")},
      {CMD_LANGUAGE_JAPANESE, QT_TRANSLATE_NOOP("Quillet2", "日本語(&J)")},
      {CMD_LANGUAGE_ENGLISH, "&English"},
      {END_SUBMENU, nullptr},
      {SEPARATOR, nullptr},
      {CMD_ZOOM_IN, QT_TRANSLATE_NOOP("Quillet2", "拡大(&I)")},
      {CMD_ZOOM_OUT, QT_TRANSLATE_NOOP("Quillet2", "縮小(&O)")},
      {CMD_ZOOM_FIT, QT_TRANSLATE_NOOP("Quillet2", "ウィンドウに合わせる(&F)")}}},
    {QT_TRANSLATE_NOOP("Quillet2", "ヘルプ(&H)"),
     {{CMD_HELP_TOPICS, QT_TRANSLATE_NOOP("Quillet2", "利用の手引き(&H)")},
      {CMD_VERSION, QT_TRANSLATE_NOOP("Quillet2", "バージョン(&A)...")}}},
};

// Entries by command id; the first entry of an id is the one the state
// rules address.
std::map<int, QAction*> menuActions;

QAction* AddCommand(QMenu& menu, int id, const char* text) {
  QAction* action = menu.addAction(UiText(text));
  action->setData(id);
  action->setObjectName(QString::number(id));
  return action;
}

}  // namespace

QMenuBar* CreateMainMenu(QWidget* owner) {
  menuActions.clear();
  auto* bar = new QMenuBar(owner);
  bar->setObjectName(QStringLiteral("MAINMENU"));
  // The entries die with the menu bar; nothing may reach them afterwards.
  QObject::connect(bar, &QObject::destroyed, [] { menuActions.clear(); });
  for (const TopMenu& top : mainMenu) {
    QMenu* menu = bar->addMenu(UiText(top.title));
    QMenu* target = menu;
    for (const MenuRow& row : top.rows) {
      if (row.id == SEPARATOR) {
        target->addSeparator();
      } else if (row.id == SUBMENU) {
        target = menu->addMenu(UiText(row.text));
      } else if (row.id == END_SUBMENU) {
        target = menu;
      } else {
        QAction* action = AddCommand(*target, row.id, row.text);
        if (!menuActions.count(row.id)) {
          menuActions[row.id] = action;
        } else {
          // The settings entry shares the open command's id and is never
          // enabled.
          action->setEnabled(false);
        }
      }
    }
  }
  menuActions[CMD_LEAVE_BACKGROUND]->setCheckable(true);
  for (int id = CMD_RANGE_SELECT; id <= CMD_CIRCLE; ++id) menuActions[id]->setCheckable(true);
  for (int id = CMD_RECTANGLE; id <= CMD_FILLED_CIRCLE; ++id) menuActions[id]->setCheckable(true);
  menuActions[CMD_SIZE_GRIP]->setCheckable(true);
  menuActions[CMD_GRID]->setCheckable(true);
  menuActions[CMD_RECOVERY]->setCheckable(true);
  menuActions[CMD_HOT_SPOT_TOOL]->setCheckable(true);
  CheckLanguageEntry(CurrentLanguage());
  QObject::connect(bar, &QMenuBar::triggered, bar, [](QAction* action) {
    bool ok = false;
    const int id = action->data().toInt(&ok);
    // A checkable entry flips its own check when chosen; the command decides
    // the check state itself.
    if (action->isCheckable()) action->setChecked(!action->isChecked());
    if (ok) DispatchCommand(static_cast<unsigned>(id));
  });
  return bar;
}

QAction* MenuAction(int id) {
  const auto found = menuActions.find(id);
  return found != menuActions.end() ? found->second : nullptr;
}

void SetMenuEnabled(int id, bool enabled) {
  if (QAction* action = MenuAction(id)) action->setEnabled(enabled);
}

void SetMenuChecked(int id, bool checked) {
  if (QAction* action = MenuAction(id)) action->setChecked(checked);
}

void FillPastePopup(QMenu& menu) {
  menu.setObjectName(QStringLiteral("DD_POPUP"));
  for (const auto& [id, text] :
       {std::pair{CMD_PASTE, QT_TRANSLATE_NOOP("Quillet2", "そのまま貼り付け(&P)")},
        std::pair{CMD_PASTE_NEAREST, QT_TRANSLATE_NOOP("Quillet2", "近似色貼り付け(&N)")},
        std::pair{CMD_PASTE_TRANSPARENT, QT_TRANSLATE_NOOP("Quillet2", "透過色指定貼り付け(&E)...")}}) {
    QAction* action = AddCommand(menu, id, text);
    if (QAction* entry = MenuAction(id)) action->setEnabled(entry->isEnabled());
  }
}

void FillTabPopup(QMenu& menu) {
  menu.setObjectName(QStringLiteral("Mt_POPUP"));
  AddCommand(menu, CMD_DELETE_TAB, QT_TRANSLATE_NOOP("Quillet2", "選択タブ削除(&D)"));
}
