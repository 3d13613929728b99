#pragma once
// The new-tab dialog and the two tab commands of the menu and toolbar.

#include <cstdint>
#include <string>

#include "platform/dialog_template.h"
#include "platform/ui_text.h"

inline constexpr const char* TAB_LIMIT_REACHED = QT_TRANSLATE_NOOP("Quillet2", "最大タブ数２０に達しています");
inline constexpr const char* WIDTH_OUT_OF_RANGE = QT_TRANSLATE_NOOP("Quillet2", "幅：１～６４を指定してください");
inline constexpr const char* HEIGHT_OUT_OF_RANGE = QT_TRANSLATE_NOOP("Quillet2", "高さ：１～６４を指定してください");
inline constexpr const char* TRUE_COLOUR_WIDTH_OUT_OF_RANGE =
    QT_TRANSLATE_NOOP("Quillet2", "幅：１～２５６を指定してください");
inline constexpr const char* TRUE_COLOUR_HEIGHT_OUT_OF_RANGE =
    QT_TRANSLATE_NOOP("Quillet2", "高さ：１～２５６を指定してください");
inline constexpr const char* TRUE_COLOUR_CHOICE = QT_TRANSLATE_NOOP("Quillet2", "32ビット (フルカラー)");
inline constexpr const char* TAB_CREATE_FAILED = QT_TRANSLATE_NOOP("Quillet2", "新規タブの作成に失敗");
inline constexpr const char* DELETE_TAB_QUESTION = QT_TRANSLATE_NOOP("Quillet2", "選択タブを破棄します\n");

// What the new-tab dialog asks for.
struct NewTabValues {
  int width = 32;
  int height = 32;
  std::uint8_t colorCode = 16;
  // A true-colour tab (colorCode is then 0) instead of an indexed one.
  bool trueColour = false;
};

// Runs the dialog; gives back the id of the button that closed it. With
// chosen, OK only stores the values there and makes no tab.
int RunNewTabDialog(NewTabValues* chosen = nullptr);

// Makes a tab of the values with the default palette of its colour count
// (not yet current); a true-colour tab takes the 256-colour palette as its
// swatches. False, after saying so, when it could not be made.
bool CreateNewTab(const NewTabValues& values);

// Command 120: the tab limit, then the dialog.
void CommandNewTab();
// Command 121: asks, then deletes the current tab.
void CommandDeleteTab();
