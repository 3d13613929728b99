#include "platform/system_colors.h"

#include "platform/ui_text.h"

namespace {

constexpr std::uint32_t Rgb(unsigned r, unsigned g, unsigned b) { return r | g << 8 | b << 16; }

// The classic desktop scheme, indices 0..30.
constexpr std::uint32_t classicColors[] = {
    Rgb(212, 208, 200),  // 0 scroll bar
    Rgb(58, 110, 165),   // 1 desktop
    Rgb(10, 36, 106),    // 2 active caption
    Rgb(128, 128, 128),  // 3 inactive caption
    Rgb(212, 208, 200),  // 4 menu
    Rgb(255, 255, 255),  // 5 window
    Rgb(0, 0, 0),        // 6 window frame
    Rgb(0, 0, 0),        // 7 menu text
    Rgb(0, 0, 0),        // 8 window text
    Rgb(255, 255, 255),  // 9 caption text
    Rgb(212, 208, 200),  // 10 active border
    Rgb(212, 208, 200),  // 11 inactive border
    Rgb(128, 128, 128),  // 12 application workspace
    Rgb(10, 36, 106),    // 13 highlight
    Rgb(255, 255, 255),  // 14 highlight text
    Rgb(212, 208, 200),  // 15 button face
    Rgb(128, 128, 128),  // 16 button shadow
    Rgb(128, 128, 128),  // 17 grey text
    Rgb(0, 0, 0),        // 18 button text
    Rgb(212, 208, 200),  // 19 inactive caption text
    Rgb(255, 255, 255),  // 20 button highlight
    Rgb(64, 64, 64),     // 21 dark shadow
    Rgb(212, 208, 200),  // 22 light
    Rgb(0, 0, 0),        // 23 tooltip text
    Rgb(255, 255, 225),  // 24 tooltip background
    Rgb(181, 181, 181),  // 25 unused
    Rgb(0, 0, 128),      // 26 hot-tracked item
    Rgb(166, 202, 240),  // 27 active caption gradient
    Rgb(192, 192, 192),  // 28 inactive caption gradient
    Rgb(49, 106, 197),   // 29 menu highlight
    Rgb(212, 208, 200),  // 30 menu bar
};

}  // namespace

std::uint32_t GetSystemColor(int index) {
  if (index < 0 || index >= static_cast<int>(sizeof classicColors / sizeof classicColors[0])) return 0;
  return classicColors[index];
}

// Named after what each colour paints on the desktop; the names are texts of
// the program and are translated where the list is filled.
const BackgroundEntry backgroundTable[BACKGROUND_COUNT] = {
    {QT_TRANSLATE_NOOP("Quillet2", "ボタンの面"), COLOR_3DFACE},
    {QT_TRANSLATE_NOOP("Quillet2", "アプリケーションの作業領域"), COLOR_APPWORKSPACE},
    {QT_TRANSLATE_NOOP("Quillet2", "デスクトップ"), COLOR_DESKTOP},
    {QT_TRANSLATE_NOOP("Quillet2", "アクティブなタイトルバー"), COLOR_ACTIVECAPTION},
    {QT_TRANSLATE_NOOP("Quillet2", "アクティブなタイトルバー（グラデーション）"), COLOR_GRADIENTACTIVECAPTION},
    {QT_TRANSLATE_NOOP("Quillet2", "非アクティブなタイトルバー"), COLOR_INACTIVECAPTION},
    {QT_TRANSLATE_NOOP("Quillet2", "非アクティブなタイトルバー（グラデーション）"), COLOR_GRADIENTINACTIVECAPTION},
    {QT_TRANSLATE_NOOP("Quillet2", "リンク"), COLOR_HOTLIGHT},
    {QT_TRANSLATE_NOOP("Quillet2", "ツールチップの背景"), COLOR_INFOBK},
    {QT_TRANSLATE_NOOP("Quillet2", "メニュー"), COLOR_MENU},
    {QT_TRANSLATE_NOOP("Quillet2", "スクロールバー"), COLOR_SCROLLBAR},
    {QT_TRANSLATE_NOOP("Quillet2", "ウィンドウ"), COLOR_WINDOW},
};

std::uint32_t BackgroundColor(int backgroundIndex) {
  if (backgroundIndex < 0 || backgroundIndex >= BACKGROUND_COUNT) return GetSystemColor(COLOR_WINDOW);
  return GetSystemColor(backgroundTable[backgroundIndex].systemColor);
}
