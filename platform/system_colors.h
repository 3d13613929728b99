#pragma once
// System colours. They come from one fixed table with the classic default
// values, so the program looks the same on every desktop and the colours of
// its pictures can be relied on.

#include <cstdint>

enum SystemColorIndex : int {
  COLOR_SCROLLBAR = 0,
  COLOR_DESKTOP = 1,
  COLOR_ACTIVECAPTION = 2,
  COLOR_INACTIVECAPTION = 3,
  COLOR_MENU = 4,
  COLOR_WINDOW = 5,
  COLOR_APPWORKSPACE = 12,
  COLOR_HIGHLIGHT = 13,
  COLOR_3DFACE = 15,
  COLOR_BTNFACE = 15,
  COLOR_BTNSHADOW = 16,
  COLOR_BTNHIGHLIGHT = 20,
  COLOR_INFOBK = 24,
  COLOR_HOTLIGHT = 26,
  COLOR_GRADIENTACTIVECAPTION = 27,
  COLOR_GRADIENTINACTIVECAPTION = 28,
};

// The colour as a COLORREF (red in the lowest byte); 0 for an unknown index.
std::uint32_t GetSystemColor(int index);

// The 12 background colours offered behind transparent cells.
constexpr int BACKGROUND_COUNT = 12;
constexpr int DEFAULT_BACKGROUND = 11;
struct BackgroundEntry {
  // The name as listed, padded with blanks to 29 characters.
  const char* name;
  int systemColor;
};
extern const BackgroundEntry backgroundTable[BACKGROUND_COUNT];

// The system colour of a background index (the window colour for an index
// outside the table).
std::uint32_t BackgroundColor(int backgroundIndex);
