#pragma once
// The main window and the panels it carries on its tab strip.

#include <cstdint>
#include <string>

class QComboBox;
class QMainWindow;
class QWidget;
class TabStrip;

struct MainWindows {
  QMainWindow* main = nullptr;
  TabStrip* tabStrip = nullptr;
  QWidget* editView = nullptr;
  QComboBox* backgroundBox = nullptr;
  QWidget* paletteWindow = nullptr;
  QWidget* preview = nullptr;
};

extern MainWindows mainWindows;

// The background colour with all 24 colour bits inverted; the edit view
// draws grid lines in it.
extern std::uint32_t gridLineColor;

inline constexpr const char* MAIN_CAPTION = "Quillet2";
inline constexpr const char* CAPTION_PREFIX = "Quillet2 - ";

// Creates and shows the main window with its panels.
QMainWindow* CreateMainWindow();
// Destroys the main window and frees every tab's history.
void DestroyMainWindow();

void SetMainCaption(const std::string& text);
