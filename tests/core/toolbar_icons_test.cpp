#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "resources/default_palettes.h"
#include "resources/toolbar_icons.h"

namespace {

struct ExpectedPicture {
  const char* name;
  int width;
  int height;
};

// Every icon file the toolbar loads, in toolbar order, then the tab strip's
// symbol and the program's own icon.
const ExpectedPicture EXPECTED[] = {
    {"FILE0", 16, 16},   {"FILE1", 16, 16},    {"FILE2", 16, 16},  {"MKPAL", 16, 16},
    {"LDPAL", 16, 16},   {"SVPAL", 16, 16},    {"ADDTAB", 16, 16}, {"DELTAB", 16, 16},
    {"UNDO", 16, 16},    {"REDO", 16, 16},     {"CUT", 16, 16},    {"COPY", 16, 16},
    {"PASTE", 16, 16},   {"DDOWN", 8, 16},     {"DELETE", 16, 16}, {"GRID", 16, 16},
    {"LEFT", 16, 16},    {"RIGHT", 16, 16},    {"UP", 16, 16},     {"DOWN", 16, 16},
    {"LRCNG", 16, 16},   {"UDCNG", 16, 16},    {"TURN360", 16, 16}, {"KESIGOMU", 16, 16},
    {"hani", 16, 16},    {"PEN0", 16, 16},     {"PEN1", 16, 16},   {"PEN2", 16, 16},
    {"PEN3", 16, 16},    {"PENRECT", 16, 16},  {"PENFRECT", 16, 16}, {"PENFCIRC", 16, 16},
    {"MOJI", 16, 16},     {"tab", 12, 12},    {"quillet2", 32, 32},
};

class ToolbarIconsTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { pictures = new std::vector<IconPicture>(ToolbarIconPictures()); }
  static void TearDownTestSuite() {
    delete pictures;
    pictures = nullptr;
  }

  static const ImageTab& Image(const std::string& name) {
    for (const IconPicture& picture : *pictures)
      if (picture.fileName == name) return picture.image;
    ADD_FAILURE() << "no picture " << name;
    return pictures->front().image;
  }

  static bool Opaque(const ImageTab& image, int x, int y) { return (CellAt(image, x, y) & CELL_MASK_BIT) == 0; }

  // An arrow's head is taller across than its shaft, so the column (or row)
  // with the most opaque pixels is the head's base, on the side the arrow
  // points to.
  static int FullestColumn(const ImageTab& image) {
    int best = -1, bestCount = -1;
    for (int x = 0; x < image.width; ++x) {
      int count = 0;
      for (int y = 0; y < image.height; ++y) count += Opaque(image, x, y);
      if (count > bestCount) best = x, bestCount = count;
    }
    return best;
  }
  static int FullestRow(const ImageTab& image) {
    int best = -1, bestCount = -1;
    for (int y = 0; y < image.height; ++y) {
      int count = 0;
      for (int x = 0; x < image.width; ++x) count += Opaque(image, x, y);
      if (count > bestCount) best = y, bestCount = count;
    }
    return best;
  }

  static bool SameCells(const ImageTab& a, const ImageTab& b) {
    if (a.width != b.width || a.height != b.height) return false;
    for (int x = 0; x < a.width; ++x)
      for (int y = 0; y < a.height; ++y)
        if (CellAt(a, x, y) != CellAt(b, x, y)) return false;
    return true;
  }

  static bool MirroredLeftRight(const ImageTab& a, const ImageTab& b) {
    if (a.width != b.width || a.height != b.height) return false;
    for (int x = 0; x < a.width; ++x)
      for (int y = 0; y < a.height; ++y)
        if (CellAt(a, x, y) != CellAt(b, a.width - 1 - x, y)) return false;
    return true;
  }

  static bool MirroredUpDown(const ImageTab& a, const ImageTab& b) {
    if (a.width != b.width || a.height != b.height) return false;
    for (int x = 0; x < a.width; ++x)
      for (int y = 0; y < a.height; ++y)
        if (CellAt(a, x, y) != CellAt(b, x, a.height - 1 - y)) return false;
    return true;
  }

  static std::vector<IconPicture>* pictures;
};

std::vector<IconPicture>* ToolbarIconsTest::pictures = nullptr;

TEST_F(ToolbarIconsTest, EveryIconFileHasExactlyOnePictureOfItsSize) {
  std::map<std::string, int> count;
  for (const IconPicture& picture : *pictures) ++count[picture.fileName];
  EXPECT_EQ(pictures->size(), std::size(EXPECTED));
  for (const ExpectedPicture& expected : EXPECTED) {
    SCOPED_TRACE(expected.name);
    EXPECT_EQ(count[expected.name], 1);
    const ImageTab& image = Image(expected.name);
    EXPECT_EQ(image.width, expected.width);
    EXPECT_EQ(image.height, expected.height);
  }
  // Names are matched exactly: the icon files are looked up by these names,
  // and case matters on most file systems.
  for (const auto& [name, n] : count) {
    bool known = false;
    for (const ExpectedPicture& expected : EXPECTED) known = known || name == expected.name;
    EXPECT_TRUE(known) << "unexpected picture " << name;
  }
}

TEST_F(ToolbarIconsTest, PicturesAreSixteenColourImagesWithOpaqueAndTransparentPixels) {
  const std::vector<ColorRef> classic = DefaultPaletteColors(16);
  for (const IconPicture& picture : *pictures) {
    SCOPED_TRACE(picture.fileName);
    const ImageTab& image = picture.image;
    EXPECT_EQ(image.colorCode, 16);
    for (int i = 0; i < 16; ++i) EXPECT_EQ(image.palette[i], classic[i]) << "entry " << i;
    int opaque = 0, transparent = 0, badCells = 0;
    for (int x = 0; x < image.width; ++x)
      for (int y = 0; y < image.height; ++y) {
        const PixelCell cell = CellAt(image, x, y);
        if (cell == FRESH_CELL) {
          ++transparent;
        } else if (cell < 16) {
          ++opaque;
        } else {
          ++badCells;
        }
      }
    EXPECT_EQ(badCells, 0);
    EXPECT_GT(opaque, 0);
    EXPECT_GT(transparent, 0);
  }
}

TEST_F(ToolbarIconsTest, NoTwoPicturesAreAlike) {
  for (std::size_t i = 0; i < pictures->size(); ++i)
    for (std::size_t j = i + 1; j < pictures->size(); ++j)
      EXPECT_FALSE(SameCells((*pictures)[i].image, (*pictures)[j].image))
          << (*pictures)[i].fileName << " and " << (*pictures)[j].fileName;
}

TEST_F(ToolbarIconsTest, ArrowsPointTheWayTheirButtonsShift) {
  EXPECT_LT(FullestColumn(Image("LEFT")), 8);
  EXPECT_GE(FullestColumn(Image("RIGHT")), 8);
  EXPECT_LT(FullestRow(Image("UP")), 8);
  EXPECT_GE(FullestRow(Image("DOWN")), 8);
  // Each pair is one picture and its mirror image, so the two buttons of a
  // pair look alike.
  EXPECT_TRUE(MirroredLeftRight(Image("LEFT"), Image("RIGHT")));
  EXPECT_TRUE(MirroredUpDown(Image("UP"), Image("DOWN")));
  EXPECT_TRUE(MirroredLeftRight(Image("UNDO"), Image("REDO")));
}

TEST_F(ToolbarIconsTest, DropDownArrowNarrowsDownward) {
  const ImageTab& arrow = Image("DDOWN");
  std::vector<int> widths;
  for (int y = 0; y < arrow.height; ++y) {
    int width = 0;
    for (int x = 0; x < arrow.width; ++x) width += Opaque(arrow, x, y);
    if (width > 0) widths.push_back(width);
  }
  ASSERT_GE(widths.size(), 2u);
  for (std::size_t i = 1; i < widths.size(); ++i) EXPECT_LT(widths[i], widths[i - 1]);
  EXPECT_EQ(widths.back(), 1);
}

}  // namespace
