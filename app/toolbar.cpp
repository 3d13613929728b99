#include "app/toolbar.h"

#include <QAbstractButton>
#include <algorithm>
#include <iterator>
#include <QApplication>
#include <QButtonGroup>
#include <QIcon>
#include <QMainWindow>
#include <QMouseEvent>
#include <QToolButton>

#include "app/command_ids.h"
#include "app/commands.h"
#include "app/icon_files.h"
#include "app/key_tooltips.h"
#include "app/main_window.h"
#include "platform/program_paths.h"
#include "platform/qt_colors.h"
#include "platform/system_colors.h"
#include "platform/translation.h"
#include "platform/ui_text.h"

const ToolbarRow toolbarTable[TOOLBAR_ROWS] = {
    {"FILE0", CMD_NEW, BUTTON_PUSH, QT_TRANSLATE_NOOP("Quillet2", " 新規作成... ")},
    {"FILE1", CMD_OPEN, BUTTON_PUSH, QT_TRANSLATE_NOOP("Quillet2", " 既存のファイルを開く... ")},
    {"FILE2", CMD_SAVE, BUTTON_PUSH, QT_TRANSLATE_NOOP("Quillet2", " 保存... ")},
    {"", CMD_SEPARATOR, BUTTON_PUSH, nullptr},
    {"MKPAL", CMD_NEW_PALETTE, BUTTON_PUSH, QT_TRANSLATE_NOOP("Quillet2", " 新規パレット作成... ")},
    {"LDPAL", CMD_OPEN_PALETTE, BUTTON_PUSH, QT_TRANSLATE_NOOP("Quillet2", " 既存のパレットを開く... ")},
    {"SVPAL", CMD_SAVE_PALETTE, BUTTON_PUSH, QT_TRANSLATE_NOOP("Quillet2", " パレットを保存... ")},
    {"", CMD_SEPARATOR, BUTTON_PUSH, nullptr},
    {"ADDTAB", CMD_NEW_TAB, BUTTON_PUSH, QT_TRANSLATE_NOOP("Quillet2", " 新規タブを作成... ")},
    {"DELTAB", CMD_DELETE_TAB, BUTTON_PUSH, QT_TRANSLATE_NOOP("Quillet2", " 選択タブを削除 ")},
    {"", CMD_SEPARATOR, BUTTON_PUSH, nullptr},
    {"UNDO", CMD_UNDO, BUTTON_PUSH, QT_TRANSLATE_NOOP("Quillet2", " 戻す ")},
    {"REDO", CMD_REDO, BUTTON_PUSH, QT_TRANSLATE_NOOP("Quillet2", " 進む ")},
    {"", CMD_SEPARATOR, BUTTON_PUSH, nullptr},
    {"CUT", CMD_CUT, BUTTON_PUSH, QT_TRANSLATE_NOOP("Quillet2", " 切り取り ")},
    {"COPY", CMD_COPY, BUTTON_PUSH, QT_TRANSLATE_NOOP("Quillet2", " コピー ")},
    {"PASTE", CMD_PASTE_NEAREST, BUTTON_PUSH, QT_TRANSLATE_NOOP("Quillet2", " 近似色貼り付け ")},
    {"DDOWN", CMD_PASTE_MENU, BUTTON_PUSH, QT_TRANSLATE_NOOP("Quillet2", " 貼り付けタイプ選択 ")},
    {"DELETE", CMD_DELETE, BUTTON_PUSH, QT_TRANSLATE_NOOP("Quillet2", " 削除")},
    {"", CMD_SEPARATOR, BUTTON_PUSH, nullptr},
    {"GRID", CMD_GRID, BUTTON_CHECK, QT_TRANSLATE_NOOP("Quillet2", " 境界線のオン･オフ切り替え ")},
    {"", CMD_SEPARATOR, BUTTON_PUSH, nullptr},
    {"LEFT", CMD_SHIFT_LEFT, BUTTON_PUSH, QT_TRANSLATE_NOOP("Quillet2", " 左にシフト ")},
    {"RIGHT", CMD_SHIFT_RIGHT, BUTTON_PUSH, QT_TRANSLATE_NOOP("Quillet2", " 右にシフト ")},
    {"UP", CMD_SHIFT_UP, BUTTON_PUSH, QT_TRANSLATE_NOOP("Quillet2", " 上にシフト ")},
    {"DOWN", CMD_SHIFT_DOWN, BUTTON_PUSH, QT_TRANSLATE_NOOP("Quillet2", " 下にシフト ")},
    {"LRCNG", CMD_FLIP_HORIZONTAL, BUTTON_PUSH, QT_TRANSLATE_NOOP("Quillet2", " 左右反転 ")},
    {"UDCNG", CMD_FLIP_VERTICAL, BUTTON_PUSH, QT_TRANSLATE_NOOP("Quillet2", " 上下反転 ")},
    {"TURN360", CMD_ROTATE, BUTTON_PUSH, QT_TRANSLATE_NOOP("Quillet2", " 回転... ")},
    {"", CMD_SEPARATOR, BUTTON_PUSH, nullptr},
    {"KESIGOMU", CMD_LEAVE_BACKGROUND, BUTTON_CHECK,
     QT_TRANSLATE_NOOP("Quillet2", " 背景を残す\n(ＡＮＤマスクのビットが０のペンにする) ")},
    {"", CMD_SEPARATOR, BUTTON_PUSH, nullptr},
    {"hani", CMD_RANGE_SELECT, BUTTON_RADIO, QT_TRANSLATE_NOOP("Quillet2", " 範囲選択 ")},
    {"PEN0", CMD_PEN, BUTTON_RADIO, QT_TRANSLATE_NOOP("Quillet2", " 普通のペン ")},
    {"PEN1", CMD_FILL, BUTTON_RADIO, QT_TRANSLATE_NOOP("Quillet2", " 塗りつぶし ")},
    {"PEN2", CMD_LINE, BUTTON_RADIO, QT_TRANSLATE_NOOP("Quillet2", " 直線 ")},
    {"PEN3", CMD_CIRCLE, BUTTON_RADIO, QT_TRANSLATE_NOOP("Quillet2", " 円 ")},
    {"PENRECT", CMD_RECTANGLE, BUTTON_RADIO, QT_TRANSLATE_NOOP("Quillet2", " 四角形 ")},
    {"PENFRECT", CMD_FILLED_RECTANGLE, BUTTON_RADIO, QT_TRANSLATE_NOOP("Quillet2", " 塗りつぶし四角形 ")},
    {"PENFCIRC", CMD_FILLED_CIRCLE, BUTTON_RADIO, QT_TRANSLATE_NOOP("Quillet2", " 塗りつぶし円 ")},
    {"", CMD_SEPARATOR, BUTTON_PUSH, nullptr},
    {"MOJI", CMD_TEXT, BUTTON_PUSH, QT_TRANSLATE_NOOP("Quillet2", " 文字... ")},
};

namespace {

// Buttons by table row; separator rows stay empty.
QAbstractButton* buttons[TOOLBAR_ROWS] = {};

void GiveMainWindowFocus() {
  if (mainWindows.main != nullptr && !mainWindows.main->hasFocus()) mainWindows.main->setFocus();
}

class ToolWindow : public QWidget {
 public:
  explicit ToolWindow(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("toolWndClass"));
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, ToQColor(GetSystemColor(COLOR_3DFACE)));
    setPalette(colours);
  }

 protected:
  void mousePressEvent(QMouseEvent*) override { GiveMainWindowFocus(); }
  void mouseMoveEvent(QMouseEvent* event) override {
    if (event->buttons() & (Qt::LeftButton | Qt::RightButton)) GiveMainWindowFocus();
  }
};

}  // namespace

QWidget* CreateToolWindow(QWidget* tabStrip) {
  auto* window = new ToolWindow(tabStrip);
  // Wide enough for the second row, which holds the shape tools too.
  window->setGeometry(195, 24, 522, 62);
  // The buttons die with the window; nothing may reach them afterwards.
  QObject::connect(window, &QObject::destroyed, [] { std::fill(std::begin(buttons), std::end(buttons), nullptr); });
  auto* toolGroup = new QButtonGroup(window);
  toolGroup->setExclusive(true);

  int x = 10;
  int y = 4;
  for (int row = 0; row < TOOLBAR_ROWS; ++row) {
    const ToolbarRow& entry = toolbarTable[row];
    buttons[row] = nullptr;
    if (entry.id == CMD_SEPARATOR) {
      x += 8;
      continue;
    }
    int width = 23;
    int iconWidth = 16;
    if (entry.id == CMD_PASTE_MENU) {
      // The drop-down arrow adjoins the paste button.
      x -= 2;
      width = 11;
      iconWidth = 8;
    }
    if (entry.id == CMD_SHIFT_LEFT) {
      y = 31;
      x = 10;
    }
    auto* button = new QToolButton(window);
    button->setObjectName(QString::number(entry.id));
    button->setGeometry(x, y, width, 23);
    button->setFocusPolicy(Qt::NoFocus);
    button->setAutoRaise(false);
    button->setIconSize(QSize(iconWidth, 16));
    const QIcon icon = IconFromIconFile(FindDataFile(std::string("ICON/") + entry.iconName + ".ico"));
    if (!icon.isNull()) button->setIcon(icon);
    button->setToolTip(TooltipWithKeys(UiText(entry.tooltip), entry.id));
    button->setCheckable(entry.kind != BUTTON_PUSH);
    if (entry.kind == BUTTON_RADIO) toolGroup->addButton(button);
    const int id = entry.id;
    QObject::connect(button, &QToolButton::clicked, window, [id, button] {
      GiveMainWindowFocus();
      DispatchCommand(static_cast<unsigned>(id), button);
    });
    buttons[row] = button;
    x += width + 2;
  }
  return window;
}

QAbstractButton* ToolButton(int id) {
  for (int row = 0; row < TOOLBAR_ROWS; ++row)
    if (toolbarTable[row].id == id) return buttons[row];
  return nullptr;
}

void SetButtonEnabled(int id, bool enabled) {
  if (QAbstractButton* button = ToolButton(id)) button->setEnabled(enabled);
}

void SetButtonChecked(int id, bool checked) {
  if (QAbstractButton* button = ToolButton(id)) button->setChecked(checked);
}
