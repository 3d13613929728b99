#include "app/shortcuts.h"

#include <QAbstractButton>
#include <QAction>
#include <QMainWindow>
#include <initializer_list>

#include "app/command_ids.h"
#include "app/main_window.h"
#include "app/menus.h"
#include "app/toolbar.h"

namespace {

struct CommandShortcut {
  int id;
  std::initializer_list<const char*> keys;
};

// Command id -> key sequences, in Qt's portable notation.
const CommandShortcut shortcutTable[] = {
    {CMD_NEW_TAB, {"Ctrl+N"}},
    {CMD_OPEN, {"Ctrl+O"}},
    {CMD_IMPORT, {"Ctrl+I"}},
    {CMD_SAVE, {"Ctrl+S"}},
    {CMD_SAVE_AS, {"Ctrl+Shift+S"}},
    {CMD_EXIT, {"Ctrl+Q"}},
    {CMD_UNDO, {"Ctrl+Z"}},
    {CMD_REDO, {"Ctrl+Y", "Ctrl+Shift+Z"}},
    {CMD_CUT, {"Ctrl+X"}},
    {CMD_COPY, {"Ctrl+C"}},
    // The standard paste key pastes at the picture's own size and keeps its
    // look; keeping colour numbers takes the less common key.
    {CMD_PASTE_FLOATING, {"Ctrl+V"}},
    {CMD_PASTE_FLOATING_AS_IS, {"Ctrl+Shift+V"}},
    {CMD_DELETE, {"Del"}},
    {CMD_LEAVE_BACKGROUND, {"B"}},
    {CMD_GRID, {"Ctrl+G"}},
    {CMD_RANGE_SELECT, {"S"}},
    {CMD_PEN, {"P"}},
    {CMD_FILL, {"F"}},
    {CMD_LINE, {"L"}},
    {CMD_CIRCLE, {"C"}},
    {CMD_RECTANGLE, {"R"}},
    {CMD_FILLED_RECTANGLE, {"Shift+R"}},
    {CMD_FILLED_CIRCLE, {"Shift+C"}},
    {CMD_PICK_COLOR, {"K"}},
    {CMD_HELP_TOPICS, {"F1"}},
    {CMD_HOT_SPOT_TOOL, {"H"}},
    // The keypad's plus and minus zoom with or without Ctrl; "Ctrl+=" is
    // plus without Shift on keyboards that put plus above it.
    {CMD_ZOOM_IN, {"Ctrl++", "Ctrl+=", "Ctrl+Num++", "Num++"}},
    {CMD_ZOOM_OUT, {"Ctrl+-", "Ctrl+Num+-", "Num+-"}},
    {CMD_ZOOM_FIT, {"Ctrl+0", "Ctrl+Num+0"}},
    // The arrows alone move a floating block; with Ctrl and Shift they shift
    // the selection.
    {CMD_SHIFT_LEFT, {"Ctrl+Shift+Left"}},
    {CMD_SHIFT_RIGHT, {"Ctrl+Shift+Right"}},
    {CMD_SHIFT_UP, {"Ctrl+Shift+Up"}},
    {CMD_SHIFT_DOWN, {"Ctrl+Shift+Down"}},
    {CMD_FLIP_HORIZONTAL, {"Shift+H"}},
    {CMD_FLIP_VERTICAL, {"Shift+V"}},
    {CMD_ROTATE, {"Ctrl+R"}},
    {CMD_TEXT, {"T"}},
    {CMD_ICON_TEST_SHEET, {"Ctrl+Shift+T"}},
};

}  // namespace

QList<QKeySequence> CommandShortcuts(int id) {
  QList<QKeySequence> keys;
  for (const CommandShortcut& row : shortcutTable)
    if (row.id == id)
      for (const char* key : row.keys) keys << QKeySequence(QString::fromLatin1(key), QKeySequence::PortableText);
  return keys;
}

void InstallShortcuts() {
  QMainWindow* window = mainWindows.main;
  for (const CommandShortcut& row : shortcutTable) {
    // A menu entry's key follows the entry's enabled state by itself and
    // sends the command exactly as choosing the entry does.
    if (QAction* entry = MenuAction(row.id)) {
      entry->setShortcuts(CommandShortcuts(row.id));
      continue;
    }
    // The grid has only its toolbar button; its key presses the button, so
    // that the button's check and the grid flag stay in agreement.
    auto* action = new QAction(window);
    action->setObjectName(QStringLiteral("key%1").arg(row.id));
    action->setShortcuts(CommandShortcuts(row.id));
    const int id = row.id;
    QObject::connect(action, &QAction::triggered, window, [id] {
      QAbstractButton* button = ToolButton(id);
      if (button != nullptr && button->isEnabled()) button->click();
    });
    window->addAction(action);
  }
}
