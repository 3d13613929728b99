#include "import/depth_conversion.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// A 16-colour 6 x 4 tab: palette entry i is grey i * 17 (entry 0 black),
// each cell its own index, and a transparent and an inverted cell.
std::unique_ptr<ImageTab> IndexedTab() {
  auto tab = std::make_unique<ImageTab>();
  tab->width = 6;
  tab->height = 4;
  tab->colorCode = 16;
  for (int i = 0; i < 16; ++i) tab->palette[i] = static_cast<ColorRef>(i * 17 * 0x010101);
  for (int x = 0; x < 6; ++x)
    for (int y = 0; y < 4; ++y) CellAt(*tab, x, y) = static_cast<PixelCell>((x + y * 6) % 16);
  CellAt(*tab, 1, 1) = FRESH_CELL;
  CellAt(*tab, 2, 1) = 15 | CELL_MASK_BIT;  // inverted: white under the mask
  tab->penIndex = 3;
  tab->hotSpotX = 5;
  return tab;
}

}  // namespace

TEST(DepthConversion, IndexedToTrueColourAndBackGivesTheSameCells) {
  const auto indexed = IndexedTab();
  auto tc = std::make_unique<ImageTab>();
  MakeTrueColourOf(*indexed, *tc);
  EXPECT_TRUE(IsTrueColour(*tc));
  EXPECT_EQ(InvertedCellCount(*indexed), 1);
  EXPECT_EQ(CellAt(*tc, 0, 0), 0xFF000000u);
  EXPECT_EQ(CellAt(*tc, 4, 0), 0xFF444444u);
  EXPECT_EQ(CellAt(*tc, 1, 1), 0u);
  EXPECT_EQ(CellAt(*tc, 2, 1), 0u);
  EXPECT_EQ(tc->penColour, 0xFF333333u);
  EXPECT_EQ(tc->hotSpotX, 5);

  auto back = std::make_unique<ImageTab>();
  EXPECT_EQ(MakeIndexedOf(*tc, {16, false, 128}, *back), "そのまま取り込めます");
  EXPECT_FALSE(IsTrueColour(*back));
  EXPECT_EQ(back->colorCode, 16);
  EXPECT_EQ(back->width, 6);
  for (int x = 0; x < 6; ++x)
    for (int y = 0; y < 4; ++y) {
      // Only the inverted cell is lost: it comes back transparent.
      const PixelCell expected = x == 2 && y == 1 ? FRESH_CELL : CellAt(*indexed, x, y);
      EXPECT_EQ(CellAt(*back, x, y), expected) << x << "," << y;
    }
  for (int i = 0; i < 16; ++i) EXPECT_EQ(back->palette[i], indexed->palette[i]);
}

TEST(DepthConversion, ToIndexedQuantizesCutsAlphaAndScalesAndSaysSo) {
  struct Row {
    int side;
    int colours;
    std::uint32_t cut;
    const char* loss;
    std::uint32_t cornerAlpha;  // the alpha of (0, 0), half transparent
    bool cornerTransparent;
  };
  const Row rows[] = {
      {16, 2, 128, "4色を2色にまとめる、半透明の1画素を透明か不透明にする", 0x7F, true},
      {16, 2, 100, "4色を2色にまとめる、半透明の1画素を透明か不透明にする", 0x7F, false},
      {16, 16, 128, "そのまま取り込めます", 0xFF, false},
      {100, 16, 128, "64×64に縮小", 0xFF, false},
  };
  for (const Row& row : rows) {
    auto tc = std::make_unique<ImageTab>();
    tc->kind = TabKind::TrueColour;
    tc->width = tc->height = static_cast<std::uint16_t>(row.side);
    // Four colours in quarters, none of them in the swatch table.
    for (int x = 0; x < row.side; ++x)
      for (int y = 0; y < row.side; ++y)
        CellAt(*tc, x, y) = 0xFF000000u | (x < row.side / 2 ? 0xC00000u : 0x0000C0u) | (y < row.side / 2 ? 0x3000u : 0xA000u);
    CellAt(*tc, 0, 0) = row.cornerAlpha << 24 | (CellAt(*tc, 0, 0) & 0xFFFFFFu);
    auto indexed = std::make_unique<ImageTab>();
    EXPECT_EQ(MakeIndexedOf(*tc, {row.colours, false, row.cut}, *indexed), row.loss) << row.side << " " << row.cut;
    EXPECT_EQ(indexed->colorCode, row.colours == 256 ? 0 : row.colours);
    EXPECT_EQ(indexed->width, std::min(row.side, 64));
    EXPECT_EQ((CellAt(*indexed, 0, 0) & CELL_MASK_BIT) != 0, row.cornerTransparent) << row.cut;
    if (row.colours == 16) {
      // Colours that fit are kept exactly.
      const PixelCell far = CellAt(*indexed, indexed->width - 1, indexed->height - 1);
      EXPECT_EQ(indexed->palette[far & CELL_INDEX_BITS], 0xC0A000u);
    }
  }
}
