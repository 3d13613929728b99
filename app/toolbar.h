#pragma once
// The tool window: two rows of icon buttons that send their commands to the
// dispatcher.

class QAbstractButton;
class QWidget;

enum ButtonKind { BUTTON_PUSH, BUTTON_CHECK, BUTTON_RADIO };

struct ToolbarRow {
  // The icon file name without folder and extension; empty for a separator.
  const char* iconName;
  int id;
  ButtonKind kind;
  const char* tooltip;
};

constexpr int TOOLBAR_ROWS = 42;
extern const ToolbarRow toolbarTable[TOOLBAR_ROWS];

// Creates the tool window with its buttons in the tab strip.
QWidget* CreateToolWindow(QWidget* tabStrip);

// The button of a command, or nullptr.
QAbstractButton* ToolButton(int id);
void SetButtonEnabled(int id, bool enabled);
void SetButtonChecked(int id, bool checked);
