#pragma once
// The main window: the menu, the tab strip with its panels, the strip with
// the size grip below it, and the values the whole program shares.

#include <QStringList>
#include <cstdint>
#include <string>

#include "platform/ui_text.h"

class QComboBox;
class QFont;
class QMainWindow;
class QWidget;
class TabStrip;

struct MainWindows {
  QMainWindow* main = nullptr;
  // The main window's client area below the menu.
  QWidget* client = nullptr;
  TabStrip* tabStrip = nullptr;
  QWidget* editView = nullptr;
  QComboBox* backgroundBox = nullptr;
  QWidget* toolWindow = nullptr;
  QWidget* paletteWindow = nullptr;
  QWidget* preview = nullptr;
  // The size grip in the bottom-right corner; nullptr while hidden.
  QWidget* sizeGrip = nullptr;
  // The status line between the tab strip and the grip's strip.
  QWidget* statusLine = nullptr;
};

extern MainWindows mainWindows;

// The settings file (SettingsFilePath when empty at start-up).
extern std::string iniPath;
// 12 while the size grip exists, else 0: the height of the strip below the
// tab strip.
extern int gripSize;
// 1 = the size grip is shown.
extern int statusWndFlag;

constexpr int GRIP_SIZE = 12;
inline constexpr const char* MAIN_CAPTION = "Quillet2";
inline constexpr const char* CAPTION_PREFIX = "Quillet2 - ";
inline constexpr const char* BACK_BUFFER_QUESTION =
    QT_TRANSLATE_NOOP("Quillet2",
                      "バックバッファの作成に失敗しました、再度試みますか？\n「はい」→ "
                      "メモリを開放しそうなアプリケーションを終了して、「はい」を選択\n「いいえ」→ "
                      "Quillet2のtempフォルダに全て保存して終了します");
inline constexpr const char* ONE_FILE_ONLY = QT_TRANSLATE_NOOP("Quillet2", "１つのアイコンファイルしか受け付けません");

// Creates and shows the main window with its panels, reading the settings.
QMainWindow* CreateMainWindow();
// Destroys the main window and frees every tab's history.
void DestroyMainWindow();

// Places the tab strip, the grip and the edit view, and rebuilds the edit
// view's back buffer.
void LayoutMainWindow();
// Command 270: shows or hides the size grip.
void ToggleSizeGrip();
// Command 104: the normal close, with the save question.
void RequestMainWindowClose();
// The save question of closing; gives back true when the window may close.
bool AskSaveBeforeClose();

// The session-end question: false keeps the session from ending.
bool AllowSessionEnd();
// Files dropped on the window: one is opened, several are refused.
void DropFiles(const QStringList& paths);
// The user confirmed an entry of the background-colour box.
void OnBackgroundChosen(int index);

// With changed, the caption leads with the mark of unsaved changes.
void SetMainCaption(const std::string& text, bool changed = false);
// The bold 12-pixel font of the background box and the palette buttons.
QFont MainFont();
