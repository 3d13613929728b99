#include <gtest/gtest.h>
#include "model/image_tab.h"
TEST(Placeholder, Builds) { EXPECT_EQ(FRESH_CELL, 0x100); }
