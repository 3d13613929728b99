#include <gtest/gtest.h>

#include <vector>

#include "canvas/raster.h"

namespace {

// A small surface with a row stride wider than its width, so that code
// mixing up width and stride shows.
struct TestSurface {
  std::vector<std::uint32_t> pixels;
  RasterSurface surface;
  TestSurface(int width, int height, ColorRef color) : pixels(static_cast<size_t>((width + 3) * height)) {
    surface = {pixels.data(), width, height, width + 3};
    FillPixelRect(surface, {0, 0, width, height}, color);
  }
  ColorRef at(int x, int y) const { return SurfacePixel(surface, x, y); }
};

constexpr ColorRef RED = 0x0000FF;
constexpr ColorRef GREEN = 0x00FF00;
constexpr ColorRef BLUE = 0xFF0000;

}  // namespace

TEST(PixelFormat, ConvertsBetweenColorRefAndImagePixels) {
  EXPECT_EQ(PixelOfColor(0x00332211), 0xFF112233u);
  EXPECT_EQ(ColorOfPixel(0xFF112233u), 0x00332211u);
  // The unused top byte of a palette entry does not leak into the pixel.
  EXPECT_EQ(PixelOfColor(0x7F000000), 0xFF000000u);
}

TEST(FillPixelRect, IsClippedToTheSurface) {
  TestSurface t(10, 8, RED);
  FillPixelRect(t.surface, {-5, 6, 30, 20}, GREEN);
  EXPECT_EQ(t.at(0, 5), RED);
  EXPECT_EQ(t.at(0, 6), GREEN);
  EXPECT_EQ(t.at(9, 7), GREEN);
  // The padding beyond the width in each row is never written.
  EXPECT_EQ(t.pixels[6 * 13 + 10], 0u);
  EXPECT_EQ(t.pixels[6 * 13 + 12], 0u);
  EXPECT_EQ(t.pixels[6 * 13 + 9], PixelOfColor(GREEN));
}

TEST(DrawFramedRect, OutlinesInsideTheRectangle) {
  TestSurface t(12, 12, BLUE);
  DrawFramedRect(t.surface, {2, 2, 8, 7}, RED, GREEN, 1);
  EXPECT_EQ(t.at(2, 2), GREEN);
  EXPECT_EQ(t.at(7, 2), GREEN);
  EXPECT_EQ(t.at(7, 6), GREEN);
  EXPECT_EQ(t.at(3, 3), RED);
  EXPECT_EQ(t.at(6, 5), RED);
  EXPECT_EQ(t.at(8, 3), BLUE);
  EXPECT_EQ(t.at(3, 7), BLUE);

  DrawFramedRect(t.surface, {2, 2, 8, 8}, RED, GREEN, 2);
  EXPECT_EQ(t.at(3, 3), GREEN);
  EXPECT_EQ(t.at(6, 6), GREEN);
  EXPECT_EQ(t.at(4, 4), RED);
  EXPECT_EQ(t.at(5, 5), RED);
}

TEST(DrawFramedRect, WithoutOutlineStopsShortAtRightAndBottom) {
  TestSurface t(12, 12, BLUE);
  DrawFramedRect(t.surface, {2, 2, 8, 8}, RED, GREEN, 0);
  EXPECT_EQ(t.at(2, 2), RED);
  EXPECT_EQ(t.at(6, 6), RED);
  EXPECT_EQ(t.at(7, 3), BLUE);
  EXPECT_EQ(t.at(3, 7), BLUE);
}

TEST(InvertRectOutline, InvertsEdgePixelsOnceAndTwiceRestores) {
  for (const PixelRect rect : {PixelRect{2, 3, 9, 7}, PixelRect{4, 4, 5, 9}, PixelRect{1, 1, 8, 2},
                               PixelRect{5, 5, 6, 6}, PixelRect{-3, -3, 20, 20}}) {
    TestSurface t(12, 12, 0x123456);
    const std::vector<std::uint32_t> before = t.pixels;
    InvertRectOutline(t.surface, rect);
    for (int y = 0; y < 12; ++y) {
      for (int x = 0; x < 12; ++x) {
        const bool inside = x >= rect.left && x < rect.right && y >= rect.top && y < rect.bottom;
        const bool edge = inside && (x == rect.left || x == rect.right - 1 || y == rect.top || y == rect.bottom - 1);
        EXPECT_EQ(t.at(x, y), edge ? 0x123456u ^ 0xFFFFFFu : 0x123456u) << x << "," << y;
      }
    }
    InvertRectOutline(t.surface, rect);
    EXPECT_EQ(t.pixels, before);
  }
}

TEST(FillEllipse, StaysInsideItsRectangleAndIsSymmetric) {
  for (int w = 1; w <= 12; ++w) {
    for (int h = 1; h <= 12; ++h) {
      TestSurface t(16, 16, BLUE);
      FillEllipse(t.surface, {2, 3, 2 + w, 3 + h}, RED);
      int painted = 0;
      for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
          if (t.at(x, y) != RED) continue;
          ++painted;
          EXPECT_TRUE(x >= 2 && x < 2 + w && y >= 3 && y < 3 + h) << w << "x" << h << " at " << x << "," << y;
          EXPECT_EQ(t.at(2 + (2 + w - 1 - x), y), RED);
          EXPECT_EQ(t.at(x, 3 + (3 + h - 1 - y)), RED);
        }
      }
      // The centre is always painted; the corners of larger boxes are not.
      EXPECT_EQ(t.at(2 + (w - 1) / 2, 3 + (h - 1) / 2), RED) << w << "x" << h;
      if (w >= 4 && h >= 4) {
        EXPECT_NE(t.at(2, 3), RED) << w << "x" << h;
      }
      EXPECT_GT(painted, 0);
    }
  }
}

TEST(FillEllipse, EmptyRectanglePaintsNothing) {
  TestSurface t(8, 8, BLUE);
  FillEllipse(t.surface, {3, 3, 3, 6}, RED);
  FillEllipse(t.surface, {5, 5, 4, 4}, RED);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) EXPECT_EQ(t.at(x, y), BLUE);
}
