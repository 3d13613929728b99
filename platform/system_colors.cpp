#include "platform/system_colors.h"

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

const BackgroundEntry backgroundTable[BACKGROUND_COUNT] = {
    {"COLOR_3DFACE                 ", COLOR_3DFACE},
    {"COLOR_APPWORKSPACE           ", COLOR_APPWORKSPACE},
    {"COLOR_DESKTOP                ", COLOR_DESKTOP},
    {"COLOR_ACTIVECAPTION          ", COLOR_ACTIVECAPTION},
    {"COLOR_GRADIENTACTIVECAPTION  ", COLOR_GRADIENTACTIVECAPTION},
    {"COLOR_INACTIVECAPTION        ", COLOR_INACTIVECAPTION},
    {"COLOR_GRADIENTINACTIVECAPTION", COLOR_GRADIENTINACTIVECAPTION},
    {"COLOR_HOTLIGHT               ", COLOR_HOTLIGHT},
    {"COLOR_INFOBK                 ", COLOR_INFOBK},
    {"COLOR_MENU                   ", COLOR_MENU},
    {"COLOR_SCROLLBAR              ", COLOR_SCROLLBAR},
    {"COLOR_WINDOW                 ", COLOR_WINDOW},
};

std::uint32_t BackgroundColor(int backgroundIndex) {
  if (backgroundIndex < 0 || backgroundIndex >= BACKGROUND_COUNT) return GetSystemColor(COLOR_WINDOW);
  return GetSystemColor(backgroundTable[backgroundIndex].systemColor);
}
