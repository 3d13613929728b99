#pragma once
// The menu bar "MAINMENU" and the popup menus "DD_POPUP" and "Mt_POPUP".

class QAction;
class QMenu;
class QMenuBar;
class QWidget;

QMenuBar* CreateMainMenu(QWidget* owner);

// The menu entry of a command (the first one where an id appears twice), or
// nullptr.
QAction* MenuAction(int id);
void SetMenuEnabled(int id, bool enabled);
void SetMenuChecked(int id, bool checked);

// Builds the first submenu of "DD_POPUP" (the three pastes) or "Mt_POPUP"
// (delete the selected tab); entries carry their command ids as data.
void FillPastePopup(QMenu& menu);
void FillTabPopup(QMenu& menu);
