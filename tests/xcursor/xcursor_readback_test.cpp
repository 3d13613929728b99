// The X11 cursor file as libXcursor reads it: every picture with its size,
// hot spot, delay and pixels.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "fileio/ani_format.h"
#include "fileio/cursor_format.h"
#include "fileio/xcursor_format.h"
#include "model/animation.h"
#include "model/kept_entries.h"
#include "model/tab_set.h"
#include "tests/support/ani_samples.h"
#include "tests/support/icon_samples.h"

// Last: the X11 headers define macros (None, XCURSOR_MAGIC) that would
// clash with the program's own names.
#include <X11/Xcursor/Xcursor.h>

namespace {

struct Picture {
  int width;
  int height;
  std::uint8_t colorCode;
  int hotX;
  int hotY;
  std::uint32_t delay;
  // A 32-bit image kept as it was read (a kept tab), with partial alpha.
  bool trueColour = false;
  // The same picture in the cells of a true-colour tab instead.
  bool inCells = false;
};

// The kept picture's pixel: channels of 0 or 255 under alpha 0, 128 or 255,
// so that the premultiplied value is exact.
std::uint32_t KeptPixel(int x, int y) {
  const std::uint32_t alpha = std::vector<std::uint32_t>{0, 128, 255}[(x + y) % 3];
  return alpha << 24 | (x % 2 ? 0xFF0000u : 0) | (y % 2 ? 0xFF00u : 0) | 0xFF;
}

TEST(XcursorFile, LibXcursorReadsTheSizesHotSpotsDelaysAndPixelsWritten) {
  const std::vector<std::vector<Picture>> files = {
      {{32, 32, 16, 0, 0, 0}},
      {{32, 32, 16, 5, 7, 0}, {16, 16, 2, 15, 15, 0}, {48, 48, 0, 47, 1, 0}},
      // An animation: three frames of one size, each with its own time.
      {{24, 24, 0, 3, 4, 100}, {24, 24, 0, 4, 4, 250}, {24, 24, 0, 5, 4, 33}},
      {{20, 12, 16, 19, 11, 0}},
      // A document of 32-bit images only, every size up to 256.
      {{16, 16, 0, 15, 0, 0, true},
       {32, 32, 0, 3, 4, 0, true},
       {64, 64, 0, 63, 63, 0, true},
       {128, 128, 0, 100, 7, 0, true},
       {256, 256, 0, 255, 128, 0, true}},
      // True-colour tabs, the smallest and the largest.
      {{16, 16, 0, 2, 9, 0, true, true}, {256, 256, 0, 200, 255, 0, true, true}},
  };
  const std::string path = (std::filesystem::temp_directory_path() / "quillet2_xcursor_test").string();
  for (std::size_t f = 0; f < files.size(); ++f) {
    SCOPED_TRACE(f);
    // The pictures are the document's tabs, exported as the program does.
    ClearAllKeptEntries();
    ImageTab* tabs = tabSet.tabs;
    std::vector<const ImageTab*> strip;
    for (const Picture& picture : files[f]) {
      ImageTab& tab = tabs[strip.size()];
      tab = samples::PatternTab(std::min(picture.width, 64), std::min(picture.height, 64), picture.colorCode,
                                static_cast<unsigned>(strip.size() + 7 * f));
      tab.hotSpotX = static_cast<std::uint8_t>(picture.hotX);
      tab.hotSpotY = static_cast<std::uint8_t>(picture.hotY);
      if (picture.inCells) {
        tab.kind = TabKind::TrueColour;
        tab.width = static_cast<std::uint16_t>(picture.width);
        tab.height = static_cast<std::uint16_t>(picture.height);
        for (int y = 0; y < picture.height; ++y)
          for (int x = 0; x < picture.width; ++x) CellAt(tab, x, y) = TrueColourCell(KeptPixel(x, y));
      } else if (picture.trueColour) {
        KeptEntry kept;
        kept.width = picture.width;
        kept.height = picture.height;
        kept.bitCount = 32;
        for (int y = 0; y < picture.height; ++y)
          for (int x = 0; x < picture.width; ++x) kept.argb.push_back(KeptPixel(x, y));
        SetKeptEntry(static_cast<int>(strip.size()), kept);
      }
      strip.push_back(&tab);
    }
    std::vector<XcursorFrame> frames = XcursorFramesOfTabs(strip, false);
    ASSERT_EQ(frames.size(), strip.size());
    for (std::size_t i = 0; i < frames.size(); ++i) frames[i].delayMs = files[f][i].delay;
    const ByteBuffer bytes = SerializeXcursor(frames);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));

    XcursorImages* read = XcursorFilenameLoadAllImages(path.c_str());
    ASSERT_NE(read, nullptr);
    ASSERT_EQ(read->nimage, static_cast<int>(strip.size()));
    for (int i = 0; i < read->nimage; ++i) {
      const XcursorImage& image = *read->images[i];
      const Picture& picture = files[f][i];
      EXPECT_EQ(image.size, static_cast<XcursorDim>(std::max(picture.width, picture.height)));
      EXPECT_EQ(image.width, static_cast<XcursorDim>(picture.width));
      EXPECT_EQ(image.height, static_cast<XcursorDim>(picture.height));
      EXPECT_EQ(image.xhot, static_cast<XcursorDim>(picture.hotX));
      EXPECT_EQ(image.yhot, static_cast<XcursorDim>(picture.hotY));
      EXPECT_EQ(image.delay, picture.delay);
      for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x) {
          const XcursorPixel pixel = image.pixels[y * picture.width + x];
          if (picture.trueColour) {
            const std::uint32_t alpha = KeptPixel(x, y) >> 24;
            ASSERT_EQ(pixel, alpha << 24 | (x % 2 ? alpha << 16 : 0) | (y % 2 ? alpha << 8 : 0) | alpha) << x << "," << y;
            continue;
          }
          const PixelCell cell = CellAt(tabs[i], x, y);
          if ((cell & CELL_MASK_BIT) != 0) {
            ASSERT_EQ(pixel, 0u) << x << "," << y;
          } else {
            const ColorRef color = tabs[i].palette[cell & CELL_INDEX_BITS];
            ASSERT_EQ(pixel, 0xFF000000u | (color & 0xFF) << 16 | (color & 0xFF00) | (color >> 16 & 0xFF))
                << x << "," << y;
          }
        }
    }
    XcursorImagesDestroy(read);
  }
  ClearAllKeptEntries();
  std::filesystem::remove(path);
}

// An animated cursor's steps become the pictures of one size in the order
// of its sequence, each with its step's time in milliseconds.
TEST(XcursorFile, AnAnimatedCursorsStepsReadBackWithTheirDelays) {
  using namespace samples;
  const ByteBuffer file =
      RiffList("RIFF", "ACON",
               {RiffChunk("anih", AniHeader(2, 4, 6, 3)), RiffChunk("rate", Values({6, 3, 60, 1})),
                RiffChunk("seq ", Values({1, 0, 1, 1})),
                FrameList({CursorFrame(24, 16, 1, 2, 3), CursorFrame(24, 16, 2, 20, 21)})});
  AniFile ani;
  ASSERT_EQ(ReadAniBytes(file, ani), "");
  std::vector<ImageTab> tabs(ani.frames.size());
  for (std::size_t i = 0; i < ani.frames.size(); ++i) {
    std::vector<ImageTab> images;
    ASSERT_EQ(DecodeCursorFile(ani.frames[i], images), "");
    tabs[i] = images.at(0);
  }
  // The document keeps the sequence by tab slot; here slot i is frame i.
  ForgetAnimation();
  documentAnimation.defaultRate = ani.defaultRate;
  for (std::uint32_t step = 0; step < ani.steps; ++step)
    documentAnimation.steps.push_back({static_cast<int>(FrameOfStep(ani, step)), RateOfStep(ani, step)});
  std::vector<XcursorFrame> frames;
  for (const PlayedStep& step : PlayedSteps({0, 1}, {0, 0}))
    frames.push_back(XcursorFrameOfCells(tabs[step.slot], RateToMilliseconds(step.rate)));
  ForgetAnimation();
  const ByteBuffer bytes = SerializeXcursor(frames);
  const std::string path = (std::filesystem::temp_directory_path() / "quillet2_xcursor_ani_test").string();
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  XcursorImages* read = XcursorFilenameLoadAllImages(path.c_str());
  ASSERT_NE(read, nullptr);
  const std::vector<std::uint32_t> delays = {100, 50, 1000, 16};
  const std::vector<int> hotX = {20, 2, 20, 20};
  ASSERT_EQ(read->nimage, 4);
  for (int i = 0; i < read->nimage; ++i) {
    EXPECT_EQ(read->images[i]->size, 24u) << i;
    EXPECT_EQ(read->images[i]->delay, delays[i]) << i;
    EXPECT_EQ(read->images[i]->xhot, static_cast<XcursorDim>(hotX[i])) << i;
  }
  XcursorImagesDestroy(read);
  std::filesystem::remove(path);
}

}  // namespace
