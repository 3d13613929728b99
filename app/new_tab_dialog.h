#pragma once
// The new-tab dialog and the two tab commands of the menu and toolbar.

#include <string>

#include "platform/dialog_template.h"
#include "platform/ui_text.h"

inline constexpr const char* TAB_LIMIT_REACHED = QT_TRANSLATE_NOOP("Quillet2", "最大タブ数２０に達しています");
inline constexpr const char* WIDTH_OUT_OF_RANGE = QT_TRANSLATE_NOOP("Quillet2", "幅：１～６４を指定してください");
inline constexpr const char* HEIGHT_OUT_OF_RANGE = QT_TRANSLATE_NOOP("Quillet2", "高さ：１～６４を指定してください");
inline constexpr const char* TAB_CREATE_FAILED = QT_TRANSLATE_NOOP("Quillet2", "新規タブの作成に失敗");
inline constexpr const char* DELETE_TAB_QUESTION = QT_TRANSLATE_NOOP("Quillet2", "選択タブを破棄します\n");

// Runs the dialog; gives back the id of the button that closed it.
int RunNewTabDialog();

// Command 120: the tab limit, then the dialog.
void CommandNewTab();
// Command 121: asks, then deletes the current tab.
void CommandDeleteTab();
