#pragma once
// The status line at the bottom of the main window: the cell under the
// pointer with its palette index and colour (on a true-colour tab its colour
// and opacity), the size of a line, circle or
// range while it is drawn, and the zoom of the edit view.

#include <string>
#include <vector>

#include "model/image_tab.h"
#include "platform/ui_text.h"

class QWidget;

constexpr int STATUS_LINE_HEIGHT = 20;

inline constexpr const char* STATUS_CELL_COLOR =
    QT_TRANSLATE_NOOP("Quillet2", "セル (%1, %2)  インデックス %3  色 #%4");
inline constexpr const char* STATUS_CELL_TRANSPARENT =
    QT_TRANSLATE_NOOP("Quillet2", "セル (%1, %2)  インデックス %3  透明");
inline constexpr const char* STATUS_CELL_INVERTED =
    QT_TRANSLATE_NOOP("Quillet2", "セル (%1, %2)  インデックス %3  反転: 画面 XOR #%4");
inline constexpr const char* STATUS_CELL_RGBA = QT_TRANSLATE_NOOP("Quillet2", "セル (%1, %2)  #%3  不透明度 %4");
inline constexpr const char* STATUS_DRAG_SIZE = QT_TRANSLATE_NOOP("Quillet2", "大きさ %1 × %2 セル");
inline constexpr const char* STATUS_HOT_SPOT = QT_TRANSLATE_NOOP("Quillet2", "ホットスポット (%1, %2)");
inline constexpr const char* STATUS_ZOOM_FIT = QT_TRANSLATE_NOOP("Quillet2", "表示: ウィンドウに合わせる (%1 ピクセル/セル)");
inline constexpr const char* STATUS_ZOOM_FIXED = QT_TRANSLATE_NOOP("Quillet2", "表示: %1 ピクセル/セル");
inline constexpr const char* STATUS_ZOOM_REDUCED = QT_TRANSLATE_NOOP("Quillet2", "表示: ウィンドウに合わせて縮小");

// The three parts of the line; a part with nothing to say is empty.
struct StatusTexts {
  std::string cell;
  std::string dragSize;
  std::string zoom;
  // The cursor's hot spot, while the edit view marks it.
  std::string hotSpot;
};

// What the line says for the tab (nullptr: no tab) with the pointer over
// the point (imageX, imageY) of the whole zoomed image, or away from the
// view. Texts come in the language lookup gives.
StatusTexts ComposeStatusTexts(const ImageTab* tab, bool pointerOver, int imageX, int imageY, TextLookup lookup);

// Creates the line on the main window's client area; the main window's
// layout places it.
QWidget* CreateStatusLine(QWidget* client);
// Shows what the line says now.
void RefreshStatusLine();
