#include "canvas/transform_algorithms.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <utility>

#include "canvas/hot_spot.h"


RotateWork rotateWork;

namespace {

bool SelectionInsideImage(const ImageTab& tab) {
  const CellRect& s = tab.selection;
  return s.left >= 0 && s.top >= 0 && s.left <= s.right && s.top <= s.bottom && s.right < tab.width &&
         s.bottom < tab.height && s.right < STORE_SIZE && s.bottom < STORE_SIZE;
}

// Rotates the cells at first, first + step, ... (count of them) by one place
// towards the start: each takes the value of the next, the last takes the
// old first. With a negative step the same loop shifts the other way.
void RotateLine(ImageTab& tab, int first, int step, int count) {
  const PixelCell wrapped = tab.cells[first];
  for (int i = 0; i + 1 < count; ++i) tab.cells[first + i * step] = tab.cells[first + (i + 1) * step];
  tab.cells[first + (count - 1) * step] = wrapped;
}

void ReverseLine(ImageTab& tab, int first, int step, int count) {
  for (int j = 0; j < count / 2; ++j) std::swap(tab.cells[first + j * step], tab.cells[first + (count - 1 - j) * step]);
}

}  // namespace

bool TransformSelection(ImageTab& tab, int transform) {
  if (!SelectionInsideImage(tab)) return false;
  const CellRect& s = tab.selection;
  const int width = s.right - s.left + 1;
  const int height = s.bottom - s.top + 1;
  const bool horizontal = transform == SHIFT_LEFT || transform == SHIFT_RIGHT || transform == FLIP_LEFT_RIGHT;
  const bool vertical = transform == SHIFT_UP || transform == SHIFT_DOWN || transform == FLIP_TOP_BOTTOM;
  if (!horizontal && !vertical) return false;
  // Two cells would only swap places, which the transform does not count as
  // a shift or a flip.
  if ((horizontal && width < 3) || (vertical && height < 3)) return false;

  // Neighbours in a row lie STORE_SIZE elements apart, neighbours in a column next
  // to each other.
  if (horizontal) {
    for (int y = s.top; y <= s.bottom; ++y) {
      const int leftEnd = CellIndex(s.left, y);
      const int rightEnd = CellIndex(s.right, y);
      if (transform == SHIFT_LEFT) RotateLine(tab, leftEnd, STORE_SIZE, width);
      if (transform == SHIFT_RIGHT) RotateLine(tab, rightEnd, -STORE_SIZE, width);
      if (transform == FLIP_LEFT_RIGHT) ReverseLine(tab, leftEnd, STORE_SIZE, width);
    }
  } else {
    for (int x = s.left; x <= s.right; ++x) {
      const int topEnd = CellIndex(x, s.top);
      const int bottomEnd = CellIndex(x, s.bottom);
      if (transform == SHIFT_UP) RotateLine(tab, topEnd, 1, height);
      if (transform == SHIFT_DOWN) RotateLine(tab, bottomEnd, -1, height);
      if (transform == FLIP_TOP_BOTTOM) ReverseLine(tab, topEnd, 1, height);
    }
  }
  MoveHotSpotWithTransform(tab, transform);
  return true;
}

bool CanRotateSelection(const ImageTab& tab) {
  const CellRect& s = tab.selection;
  return SelectionInsideImage(tab) && s.right - s.left >= 2 && s.bottom - s.top >= 2;
}

void StartRotateWork(RotateWork& work, const ImageTab& tab) {
  const CellRect& s = tab.selection;
  work.angle = 0;
  work.left = 0;
  work.top = 0;
  work.right = s.right - s.left;
  work.bottom = s.bottom - s.top;
  TurnSourceCells(work, tab, 0);
  std::copy(std::begin(work.source), std::end(work.source), std::begin(work.result));
}

void TurnSourceCells(RotateWork& work, const ImageTab& tab, int quarterTurns) {
  work.fresh = FreshCellOf(tab);
  std::fill(std::begin(work.source), std::end(work.source), work.fresh);
  if (!SelectionInsideImage(tab)) return;
  const int L = tab.selection.left, T = tab.selection.top, R = tab.selection.right, B = tab.selection.bottom;
  const int W = R - L + 1, H = B - T + 1;
  // The centred square that a quarter turn keeps starts k cells in along
  // the longer side.
  const int k = std::abs(W - H) / 2;
  PixelCell* source = work.source;
  switch (quarterTurns & 3) {
    case 0:
      for (int x = 0; x < W; ++x)
        for (int y = 0; y < H; ++y) source[CellIndex(x, y)] = CellAt(tab, L + x, T + y);
      break;
    case 2:
      for (int x = 0; x < W; ++x)
        for (int y = 0; y < H; ++y) source[CellIndex(x, y)] = CellAt(tab, R - x, B - y);
      break;
    case 1:
      if (W >= H) {
        for (int y = 0; y < H; ++y)
          for (int u = 0; u < H; ++u) source[CellIndex(k + u, y)] = CellAt(tab, R - k - y, T + u);
      } else {
        for (int v = 0; v < W; ++v)
          for (int x = 0; x < W; ++x) source[CellIndex(x, k + v)] = CellAt(tab, R - v, T + k + x);
      }
      break;
    case 3:
      if (W >= H) {
        for (int y = 0; y < H; ++y)
          for (int u = 0; u < H; ++u) source[CellIndex(k + u, y)] = CellAt(tab, L + k + y, B - u);
      } else {
        for (int v = 0; v < W; ++v)
          for (int x = 0; x < W; ++x) source[CellIndex(x, k + v)] = CellAt(tab, L + v, B - k - x);
      }
      break;
  }
}

void RotateByAngle(RotateWork& work) {
  const int W = work.right - work.left + 1;
  const int H = work.bottom - work.top + 1;
  if (W < 1 || H < 1 || W > STORE_SIZE || H > STORE_SIZE) return;
  const int hw = W / 2, hh = H / 2;
  // The constant lies slightly below pi / 180; with it a whole quarter turn
  // gives a cosine just above zero, which truncates to exactly 0.
  const double theta = work.angle * 0.01745329251994;
  const double phi = 3.141592653589793 * 0.5;
  // Truncation toward zero of each value on its own: C2 is not simply -S.
  const int C = static_cast<int>(std::cos(theta) * 1024);
  const int S = static_cast<int>(std::sin(theta) * 1024);
  const int C2 = static_cast<int>(std::cos(theta + phi) * 1024);
  const int S2 = static_cast<int>(std::sin(theta + phi) * 1024);
  const int X0 = hw * 1024 - hw * C + hh * S;
  const int Y0 = hh * 1024 - hw * S - hh * C;
  for (int i = 0; i < H; ++i) {
    for (int j = 0; j < W; ++j) {
      // Integer division rounds toward zero, so a position just left of or
      // above the source still samples its first column or row.
      const int sx = (X0 + i * C2 + j * C) / 1024;
      const int sy = (Y0 + i * S2 + j * S) / 1024;
      work.result[CellIndex(j, i)] =
          sx >= 0 && sx < W && sy >= 0 && sy < H ? work.source[CellIndex(sx, sy)] : work.fresh;
    }
  }
}

int RotateAngleOfNumber(int number) {
  if (number < 0) return number + 360;
  return std::min(number, 359);
}

void ApplyRotateResult(const RotateWork& work, ImageTab& tab) {
  if (!SelectionInsideImage(tab)) return;
  const int W = tab.selection.right - tab.selection.left + 1;
  const int H = tab.selection.bottom - tab.selection.top + 1;
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x) CellAt(tab, tab.selection.left + x, tab.selection.top + y) = work.result[CellIndex(x, y)];
}
