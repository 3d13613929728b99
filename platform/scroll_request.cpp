#include "platform/scroll_request.h"

#include <algorithm>

int NewScrollValue(int v, int max, ScrollRequest request, int position) {
  switch (request) {
    case SB_LINELEFT: return std::max(v - SCROLL_LINE_STEP, 0);
    case SB_LINERIGHT: return std::min(v + SCROLL_LINE_STEP, max);
    case SB_PAGELEFT: return v < SCROLL_PAGE_STEP ? 0 : v - SCROLL_PAGE_STEP;
    case SB_PAGERIGHT: return v + SCROLL_PAGE_STEP <= max ? v + SCROLL_PAGE_STEP : max;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: return std::clamp(position, 0, max);
    case SB_LEFT:
    case SB_RIGHT:
    case SB_ENDSCROLL: return v;
  }
  return v;
}
