// The size the import gives an SVG drawing, and the render's own bounds: a
// drawing fitted and centred with its proportions kept, and a render that
// runs past its time limit stopped with its child process reaped.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cerrno>
#include <string>

#include "import/decode.h"
#include "import/svg_render.h"

namespace {

ByteBuffer Bytes(const std::string& text) { return ByteBuffer(text.begin(), text.end()); }

TEST(SvgRender, TheDrawingsSizeIsItsOwnInPixelsElseItsViewBoxFittedInto256) {
  const struct {
    const char* attributes;
    int width;
    int height;
  } cases[] = {
      {R"(width="48" height="48")", 48, 48},
      {R"(width="0.5in" height="24px")", 48, 24},
      {R"(viewBox="0 0 32 16")", 256, 128},
      {R"(width="100%" height="100%" viewBox="0 0 10 20")", 128, 256},
      {R"(width="9000" height="9000" viewBox="0 0 1 1")", 256, 256},
      {"", 256, 256},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.attributes);
    const std::string svg = std::string("<svg xmlns=\"http://www.w3.org/2000/svg\" ") + c.attributes + "/>";
    int width = 0, height = 0;
    EXPECT_EQ(MeasureSvg(Bytes(svg), IMPORT_MAX_PICTURE_SIZE, IMPORT_SVG_DEFAULT_SIZE, width, height), "");
    EXPECT_EQ(width, c.width);
    EXPECT_EQ(height, c.height);
  }
}

TEST(SvgRender, ADrawingIsFittedAndCentredAndASlowRenderIsStopped) {
  // A red band twice as wide as high, and a chain of filters that takes
  // librsvg seconds at 1024 pixels.
  const std::string band = R"svg(<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 2 1"><rect width="2" height="1" fill="red"/></svg>)svg";
  std::string slow = R"svg(<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 10 10"><filter id="f">)svg";
  for (int i = 0; i < 40; ++i) slow += R"svg(<feGaussianBlur stdDeviation="3"/><feMorphology operator="dilate" radius="2"/>)svg";
  slow += R"svg(</filter><rect width="10" height="10" fill="red" filter="url(#f)"/></svg>)svg";
  const struct {
    const std::string& svg;
    int size;
    int timeLimitMs;
    const char* problem;
  } cases[] = {
      {band, 16, SVG_RENDER_TIME_LIMIT_MS, ""},
      {slow, 1024, 300, IMPORT_SVG_TOO_SLOW},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.problem);
    RgbaPicture picture;
    EXPECT_EQ(RenderSvg(Bytes(c.svg), c.size, c.size, picture, c.timeLimitMs), c.problem);
    // No child is left behind, finished or not.
    EXPECT_EQ(::waitpid(-1, nullptr, WNOHANG), -1);
    EXPECT_EQ(errno, ECHILD);
    if (*c.problem != '\0') {
      EXPECT_TRUE(picture.pixels.empty());
      continue;
    }
    ASSERT_EQ(picture.width, c.size);
    ASSERT_EQ(picture.pixels.size(), 256u);
    // The band fills rows 4 to 11; above and below it is transparent.
    for (int y = 0; y < 16; ++y) EXPECT_EQ(picture.At(8, y), y >= 4 && y < 12 ? 0xFFFF0000u : 0u) << y;
  }
}

}  // namespace
