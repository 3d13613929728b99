#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <utility>
#include <vector>

#include "canvas/pen_algorithms.h"

namespace {

using Cells = std::vector<std::pair<int, int>>;

Cells Trace(int x0, int y0, int x1, int y1) {
  Cells cells;
  TraceLine(x0, y0, x1, y1, [&cells](int x, int y) { cells.emplace_back(x, y); });
  return cells;
}

ImageTab FilledTab(int width, int height, PixelCell value) {
  ImageTab tab{};
  tab.width = static_cast<std::uint8_t>(width);
  tab.height = static_cast<std::uint8_t>(height);
  for (int x = 0; x < width; ++x)
    for (int y = 0; y < height; ++y) CellAt(tab, x, y) = value;
  return tab;
}

// The outline of an ellipse drawn into a 64 x 64 black scratch picture, as the
// circle tool uses it.
struct Scratch {
  std::vector<std::uint32_t> pixels = std::vector<std::uint32_t>(64 * 64);
  RasterSurface surface{pixels.data(), 64, 64, 64};
  Scratch() { FillPixelRect(surface, {0, 0, 64, 64}, 0); }
  bool on(int x, int y) const { return SurfacePixel(surface, x, y) != 0; }
};

}  // namespace

TEST(PenCell, CombinesIndexAndMaskOrGivesTheTrueColourPenAndItsEraser) {
  struct Row {
    TabKind kind;
    std::uint32_t mask;
    std::uint32_t colour;
    PixelCell expected;
  };
  const Row rows[] = {
      {TabKind::Indexed, 0, 0x80FF0000u, 7},
      {TabKind::Indexed, 1, 0x80FF0000u, 0x107},
      {TabKind::TrueColour, 0, 0x80FF0000u, 0x80FF0000u},
      // "Leave background" paints transparent pixels: the eraser.
      {TabKind::TrueColour, 1, 0x80FF0000u, 0},
      // A fully transparent pen colour enters the store as 0.
      {TabKind::TrueColour, 0, 0x00123456u, 0},
  };
  for (const Row& row : rows) {
    auto tab = std::make_unique<ImageTab>();
    tab->kind = row.kind;
    tab->penIndex = 7;
    tab->penMask = row.mask;
    tab->penColour = row.colour;
    EXPECT_EQ(PenCell(*tab), row.expected) << static_cast<int>(row.kind) << " " << row.mask;
  }
}

TEST(TraceLine, VisitsTheCellsOfAShallowLine) {
  EXPECT_EQ(Trace(0, 0, 5, 2), (Cells{{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 2}, {5, 2}}));
}

TEST(TraceLine, ALineOnItsAnchorIsOneCell) { EXPECT_EQ(Trace(4, 9, 4, 9), (Cells{{4, 9}})); }

TEST(TraceLine, SteepAndBackwardLinesRunFromAnchorToEnd) {
  EXPECT_EQ(Trace(0, 0, 0, 3), (Cells{{0, 0}, {0, 1}, {0, 2}, {0, 3}}));
  EXPECT_EQ(Trace(3, 3, 0, 0), (Cells{{3, 3}, {2, 2}, {1, 1}, {0, 0}}));
  EXPECT_EQ(Trace(5, 2, 0, 0).front(), (std::pair{5, 2}));
  EXPECT_EQ(Trace(5, 2, 0, 0).back(), (std::pair{0, 0}));
}

TEST(TraceLine, IsConnectedAndEndsExactlyAtTheEnd) {
  for (int x1 = 0; x1 < 20; ++x1) {
    for (int y1 = 0; y1 < 20; ++y1) {
      const Cells cells = Trace(9, 7, x1, y1);
      ASSERT_EQ(cells.front(), (std::pair{9, 7}));
      ASSERT_EQ(cells.back(), (std::pair{x1, y1})) << x1 << "," << y1;
      const int steps = std::max(std::abs(x1 - 9), std::abs(y1 - 7));
      ASSERT_EQ(static_cast<int>(cells.size()), steps + 1);
      for (size_t i = 1; i < cells.size(); ++i) {
        EXPECT_LE(std::abs(cells[i].first - cells[i - 1].first), 1);
        EXPECT_LE(std::abs(cells[i].second - cells[i - 1].second), 1);
      }
    }
  }
}

TEST(FloodFillCells, FillsOnlyTheFourConnectedRegion) {
  ImageTab tab = FilledTab(5, 5, 1);
  // A wall of 2s from the top to the bottom at column 2, and a diagonal gap
  // at the corner (3, 0) / (4, 1) that a fill must not cross.
  for (int y = 0; y < 5; ++y) CellAt(tab, 2, y) = 2;
  CellAt(tab, 4, 0) = 2;
  CellAt(tab, 3, 1) = 2;
  int reported = 0;
  FloodFillCells(tab, 0, 0, 1, 9, [&reported](int, int) { ++reported; });
  EXPECT_EQ(reported, 10);
  for (int y = 0; y < 5; ++y) {
    EXPECT_EQ(CellAt(tab, 0, y), 9);
    EXPECT_EQ(CellAt(tab, 1, y), 9);
    EXPECT_EQ(CellAt(tab, 2, y), 2);
    EXPECT_EQ(CellAt(tab, 4, y == 0 ? 1 : y), 1);
  }
  EXPECT_EQ(CellAt(tab, 3, 0), 1);

  FloodFillCells(tab, 3, 0, 1, 5, nullptr);
  // (3, 0) touches (4, 1) only diagonally: it is a region of its own.
  EXPECT_EQ(CellAt(tab, 3, 0), 5);
  EXPECT_EQ(CellAt(tab, 4, 1), 1);
}

TEST(FloodFillCells, TransparentAndOpaqueCellsOfOneIndexDiffer) {
  // The same for true-colour cells, whose colours differ only in alpha: the
  // fill matches the whole cell, alpha included.
  struct Row {
    PixelCell target, wall, replacement;
  };
  for (const Row& row : {Row{3, 0x103, 7}, Row{0xFFFF0000u, 0x80FF0000u, 0x4000FF00u}}) {
    ImageTab tab = FilledTab(4, 1, row.target);
    CellAt(tab, 2, 0) = row.wall;
    FloodFillCells(tab, 0, 0, row.target, row.replacement, nullptr);
    EXPECT_EQ(CellAt(tab, 0, 0), row.replacement);
    EXPECT_EQ(CellAt(tab, 1, 0), row.replacement);
    EXPECT_EQ(CellAt(tab, 2, 0), row.wall);
    EXPECT_EQ(CellAt(tab, 3, 0), row.target);
  }
}

TEST(FloodFillCells, DoesNothingForTheSameValueOrAnotherStartValue) {
  ImageTab tab = FilledTab(3, 3, 4);
  int reported = 0;
  const auto count = [&reported](int, int) { ++reported; };
  FloodFillCells(tab, 1, 1, 4, 4, count);
  FloodFillCells(tab, 1, 1, 5, 6, count);
  FloodFillCells(tab, 3, 1, 4, 6, count);
  EXPECT_EQ(reported, 0);
  EXPECT_EQ(CellAt(tab, 1, 1), 4);
}

TEST(FloodFillCells, FillsAWholeSixtyFourSquareImage) {
  // A winding one-cell path through the whole image is the deepest case for
  // a recursive fill; the fill must reach its end without exhausting the
  // stack.
  ImageTab tab = FilledTab(64, 64, 1);
  for (int y = 1; y < 64; y += 2)
    for (int x = 0; x < 64; ++x)
      if (!((y / 2) % 2 == 0 ? x == 63 : x == 0)) CellAt(tab, x, y) = 2;
  int reported = 0;
  FloodFillCells(tab, 0, 0, 1, 3, [&reported](int, int) { ++reported; });
  // 32 full rows and the one open cell of each of the 32 walls.
  EXPECT_EQ(reported, 32 * 64 + 32);
  EXPECT_EQ(CellAt(tab, 0, 62), 3);
  EXPECT_EQ(CellAt(tab, 63, 62), 3);

  ImageTab plain = FilledTab(64, 64, FRESH_CELL);
  reported = 0;
  FloodFillCells(plain, 63, 63, FRESH_CELL, 0, [&reported](int, int) { ++reported; });
  EXPECT_EQ(reported, 4096);
}

TEST(EllipseOutline, NarrowBoxesAreDrawnWhole) {
  {
    Scratch s;
    DrawEllipseOutline(s.surface, {5, 6, 6, 7}, 0xFFFFFF);
    int count = 0;
    for (int y = 0; y < 64; ++y)
      for (int x = 0; x < 64; ++x) count += s.on(x, y);
    EXPECT_EQ(count, 1);
    EXPECT_TRUE(s.on(5, 6));
  }
  {
    Scratch s;
    DrawEllipseOutline(s.surface, {3, 0, 4, 9}, 0xFFFFFF);
    for (int y = 0; y < 9; ++y) EXPECT_TRUE(s.on(3, y));
    EXPECT_FALSE(s.on(3, 9));
  }
  {
    Scratch s;
    DrawEllipseOutline(s.surface, {0, 0, 2, 2}, 0xFFFFFF);
    EXPECT_TRUE(s.on(0, 0) && s.on(1, 0) && s.on(0, 1) && s.on(1, 1));
    EXPECT_FALSE(s.on(2, 0));
  }
}

TEST(EllipseOutline, TenByFiveTouchesItsSidesAndLeavesItsInside) {
  Scratch s;
  DrawEllipseOutline(s.surface, {0, 0, 10, 5}, 0xFFFFFF);
  bool top = false, bottom = false, left = false, right = false;
  for (int x = 0; x < 10; ++x) {
    top |= s.on(x, 0);
    bottom |= s.on(x, 4);
  }
  for (int y = 0; y < 5; ++y) {
    left |= s.on(0, y);
    right |= s.on(9, y);
  }
  EXPECT_TRUE(top && bottom && left && right);
  EXPECT_FALSE(s.on(4, 2));
  EXPECT_FALSE(s.on(5, 2));
  EXPECT_FALSE(s.on(0, 0));
  EXPECT_FALSE(s.on(9, 4));
}

// Every box from 1 x 1 to 64 x 64, at the top left and at the far corner of
// the scratch: the outline stays inside, touches all four sides, is
// symmetric about the centre and about both axes, is one pixel thin, and
// is a closed curve around an inside that the outside cannot reach.
TEST(EllipseOutline, PropertiesHoldForEveryBoxSize) {
  for (int w = 1; w <= 64; ++w) {
    for (int h = 1; h <= 64; ++h) {
      for (const bool farCorner : {false, true}) {
        const int left = farCorner ? 64 - w : 0;
        const int top = farCorner ? 64 - h : 0;
        Scratch s;
        DrawEllipseOutline(s.surface, {left, top, left + w, top + h}, 0xFFFFFF);
        const auto on = [&](int x, int y) { return s.on(left + x, top + y); };
        int outside = 0;
        for (int y = 0; y < 64; ++y)
          for (int x = 0; x < 64; ++x)
            if (s.on(x, y) && (x < left || x >= left + w || y < top || y >= top + h)) ++outside;
        ASSERT_EQ(outside, 0) << w << "x" << h;
        bool top0 = false, bottom0 = false, left0 = false, right0 = false;
        for (int x = 0; x < w; ++x) {
          top0 |= on(x, 0);
          bottom0 |= on(x, h - 1);
        }
        for (int y = 0; y < h; ++y) {
          left0 |= on(0, y);
          right0 |= on(w - 1, y);
        }
        ASSERT_TRUE(top0 && bottom0 && left0 && right0) << w << "x" << h;
        for (int y = 0; y < h; ++y)
          for (int x = 0; x < w; ++x) {
            ASSERT_EQ(on(x, y), on(w - 1 - x, y)) << w << "x" << h << " at " << x << "," << y;
            ASSERT_EQ(on(x, y), on(x, h - 1 - y)) << w << "x" << h << " at " << x << "," << y;
          }
        if (w < 3 || h < 3) continue;
        // One pixel thin: a row crosses the curve in at most two runs.
        for (int y = 0; y < h; ++y) {
          int runs = 0;
          for (int x = 0; x < w; ++x)
            if (on(x, y) && (x == 0 || !on(x - 1, y))) ++runs;
          ASSERT_LE(runs, 2) << w << "x" << h << " row " << y;
        }
        // Nor is it ever two pixels thick anywhere: no filled 2 x 2 block.
        for (int y = 0; y + 1 < h; ++y)
          for (int x = 0; x + 1 < w; ++x)
            ASSERT_FALSE(on(x, y) && on(x + 1, y) && on(x, y + 1) && on(x + 1, y + 1))
                << w << "x" << h << " block at " << x << "," << y;
        // Closed: flood the box's unpainted pixels from its border; the centre
        // must not be reached, and it must not be painted either.
        const int cx = (w - 1) / 2;
        const int cy = (h - 1) / 2;
        ASSERT_FALSE(on(cx, cy)) << w << "x" << h;
        std::vector<char> reached(static_cast<size_t>(w * h), 0);
        std::vector<std::pair<int, int>> pending;
        for (int x = 0; x < w; ++x) {
          pending.emplace_back(x, 0);
          pending.emplace_back(x, h - 1);
        }
        for (int y = 0; y < h; ++y) {
          pending.emplace_back(0, y);
          pending.emplace_back(w - 1, y);
        }
        while (!pending.empty()) {
          const auto [x, y] = pending.back();
          pending.pop_back();
          if (x < 0 || y < 0 || x >= w || y >= h || reached[y * w + x] || on(x, y)) continue;
          reached[y * w + x] = 1;
          pending.emplace_back(x - 1, y);
          pending.emplace_back(x + 1, y);
          pending.emplace_back(x, y - 1);
          pending.emplace_back(x, y + 1);
        }
        ASSERT_FALSE(reached[cy * w + cx]) << w << "x" << h << ": the outline has a gap";
      }
    }
  }
}
