#pragma once
// Scroll-bar requests as the palette dialogs handle them, and the value a
// request gives a scroll bar.

enum ScrollRequest : int {
  SB_LINELEFT = 0,
  SB_LINERIGHT = 1,
  SB_PAGELEFT = 2,
  SB_PAGERIGHT = 3,
  SB_THUMBPOSITION = 4,
  SB_THUMBTRACK = 5,
  SB_LEFT = 6,
  SB_RIGHT = 7,
  SB_ENDSCROLL = 8,
};

// Steps of one arrow click and one click beside the thumb.
constexpr int SCROLL_LINE_STEP = 1;
constexpr int SCROLL_PAGE_STEP = 8;

// The new value of a scroll bar with range 0..max at value v. Thumb
// requests carry their position, which is limited to 0..max so that a value
// typed by the user can never leave the range. The end requests and the end
// of a scroll keep v.
int NewScrollValue(int v, int max, ScrollRequest request, int position);
