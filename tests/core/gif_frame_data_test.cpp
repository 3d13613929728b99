// A GIF whose compressed pixel data stops before its frame is full is
// refused like a PNG with the same damage, although its blocks and trailer
// are whole.

#include <gtest/gtest.h>

#include "import/picture_checks.h"
#include "import/read.h"
#include "tests/support/import_samples.h"

namespace {

using import_samples::BuildGif;

TEST(GifFrameData, CompressedDataThatEndsBeforeTheFrameIsFullIsRefused) {
  std::vector<int> sixteen;
  for (int i = 0; i < 16; ++i) sixteen.push_back(i % 4);
  struct Case {
    const char* what;
    int width;
    int height;
    int pixels;
    std::string result;
  };
  const Case cases[] = {
      {"every pixel", 4, 4, 16, ""},
      {"one pixel short", 4, 4, 15, IMPORT_ENTRY_TRUNCATED},
      {"a row short", 4, 4, 12, IMPORT_ENTRY_TRUNCATED},
      {"no pixels at all", 4, 4, 0, IMPORT_ENTRY_TRUNCATED},
      {"a smaller frame, whole", 4, 3, 12, ""},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.what);
    const std::vector<int> indexes(sixteen.begin(), sixteen.begin() + test.pixels);
    EXPECT_EQ(CheckPictureData(BuildGif(test.width, test.height, indexes)), test.result);
  }
}

}  // namespace
