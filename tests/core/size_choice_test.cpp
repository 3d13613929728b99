// Which image of a family the desktop takes for each size it asks for.

#include <gtest/gtest.h>

#include "fileio/size_choice.h"

namespace {

TEST(SizeChoice, TakesTheNearestSizeThenTheDeepest) {
  // 0: 16 px 8-bit, 1: 16 px 32-bit, 2: 32 px 4-bit, 3: 48 px 32-bit,
  // 4: 32 px 8-bit, 5: 24 x 20 px 32-bit (its larger side counts).
  const std::vector<FamilyImage> family = {{16, 16, 8}, {16, 16, 32}, {32, 32, 4},
                                           {48, 48, 32}, {32, 32, 8},  {24, 20, 32}};
  struct Case {
    int base, scaling, requested, chosen;
  };
  const Case cases[] = {
      {16, 100, 16, 1},   // the 32-bit image hides the hand-made 8-bit one
      {16, 125, 20, 5},   // 20 px: 16 and 24 are as near; the larger
      {16, 150, 24, 5},
      {24, 150, 36, 4},   // 32 is nearer than 48
      {32, 125, 40, 3},   // 32 and 48 are as near
      {24, 125, 30, 4},   // 32 px: 8-bit beats 4-bit
      {32, 150, 48, 3},
      {48, 125, 60, 3},   // nothing covers 60 px: the largest below
      {256, 200, 512, 3},
      {1, 100, 1, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.base * 1000 + c.scaling);
    EXPECT_EQ(RequestedPixels(c.base, c.scaling), c.requested);
    EXPECT_EQ(ChooseFamilyImage(family, c.requested), c.chosen);
  }
  // Equal images: the first; no image: none.
  EXPECT_EQ(ChooseFamilyImage({{16, 16, 32}, {16, 16, 32}}, 16), 0);
  EXPECT_EQ(ChooseFamilyImage({}, 16), -1);
}

}  // namespace
