// Transparency through the import: every transparent pixel of a written
// icon shows the screen unchanged when Windows draws it, the palette keeps
// black for it, the loss line says when black costs a colour, and the alpha
// cut and matte colour change exactly the soft edge pixels.

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>

#include "fileio/icon_format.h"
#include "import/alpha_cut.h"
#include "import/quantize.h"
#include "import/targets.h"
#include "palette/colour_math.h"
#include "tests/support/windows_icon_render.h"

namespace {

// A w x h picture with a transparent margin of `margin` pixels around what
// `inside` paints (0xRRGGBB), opaque.
template <typename Inside>
RgbaPicture Framed(int w, int h, int margin, Inside inside) {
  RgbaPicture picture{w, h, std::vector<std::uint32_t>(static_cast<std::size_t>(w) * h, 0)};
  for (int y = margin; y < h - margin; ++y)
    for (int x = margin; x < w - margin; ++x)
      picture.pixels[static_cast<std::size_t>(y) * w + x] = 0xFF000000u | inside(x, y);
  return picture;
}

ImportEntry EntryOf(const RgbaPicture& picture) {
  ImportEntry entry;
  entry.bitCount = 32;
  KeepScaledPicture(picture, entry);
  return entry;
}

// Three colours and no black, the case where the old conversion left the
// margin on the first colour.
RgbaPicture ThreeColours() {
  return Framed(24, 24, 3, [](int x, int y) { return x < 10 ? 0x20C020u : y < 12 ? 0xFFFFFFu : 0x2080A0u; });
}
// Hundreds of colours, none of them black.
RgbaPicture Gradient() {
  return Framed(40, 30, 4, [](int x, int y) {
    return static_cast<std::uint32_t>(30 + x * 5) << 16 | static_cast<std::uint32_t>(20 + y * 7) << 8 | 200u;
  });
}
// Soft edges: a ring of partly transparent pixels around a blue disc.
RgbaPicture SoftDisc() {
  RgbaPicture picture{32, 32, std::vector<std::uint32_t>(32 * 32, 0)};
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      const double d = std::hypot(x - 15.5, y - 15.5);
      const int alpha = d < 10 ? 255 : d < 14 ? static_cast<int>(255 * (14 - d) / 4) : 0;
      picture.pixels[static_cast<std::size_t>(y) * 32 + x] =
          static_cast<std::uint32_t>(alpha) << 24 | static_cast<std::uint32_t>(x * 8) << 8 | 0xE0u;
    }
  return picture;
}

std::vector<ImportEntry> RealIconEntries(const char* name) {
  std::vector<ImportEntry> entries;
  const auto bytes = ReadFileBytes(std::string(TEST_DATA_DIR) + "/import/" + name + ".ico", ICON_MAX_FILE_BYTES);
  if (bytes) {
    EXPECT_EQ(ReadImportEntries(*bytes, entries), "");
  }
  // The largest readable bitmap image is enough; the rest are its sizes.
  int largest = -1;
  for (std::size_t i = 0; i < entries.size(); ++i)
    if (entries[i].problem.empty() && !entries[i].png &&
        (largest < 0 || entries[i].width > entries[static_cast<std::size_t>(largest)].width))
      largest = static_cast<int>(i);
  if (largest < 0) return {};
  return {std::move(entries[static_cast<std::size_t>(largest)])};
}

const std::uint32_t SCREENS[] = {0xFFFFFF, 0x3A6EA5};

// Writes the made images as one icon and draws it over both screens: every
// masked pixel must be the screen itself. Gives back how many there were.
int CheckMaskedPixelsShowTheScreen(const std::vector<ImportMade>& made) {
  std::vector<const ImageTab*> images;
  for (const ImportMade& one : made) images.push_back(one.image.get());
  const ByteBuffer file = SerializeIcon(images);
  int masked = 0;
  for (std::uint32_t screen : SCREENS) {
    const auto drawn = windows_render::DrawIcon(file, screen);
    EXPECT_EQ(drawn.size(), made.size());
    for (std::size_t i = 0; i < drawn.size(); ++i)
      for (std::size_t p = 0; p < drawn[i].pixels.size(); ++p) {
        if (!drawn[i].masked[p]) continue;
        ++masked;
        EXPECT_EQ(drawn[i].pixels[p], screen) << "image " << i << " pixel " << p;
        if (drawn[i].pixels[p] != screen) return masked;
      }
  }
  return masked;
}

}  // namespace

TEST(ImportOnWindows, EveryMaskedPixelShowsTheScreenAtEveryColourCount) {
  struct Case {
    const char* name;
    std::vector<ImportEntry> entries;
  };
  std::vector<Case> cases;
  cases.push_back({"three colours", {EntryOf(ThreeColours())}});
  cases.push_back({"gradient", {EntryOf(Gradient())}});
  cases.push_back({"soft disc", {EntryOf(SoftDisc())}});
  cases.push_back({"computer.ico", RealIconEntries("computer")});
  cases.push_back({"web-browser.ico", RealIconEntries("web-browser")});
  ASSERT_EQ(cases[3].entries.size(), 1u);
  ASSERT_EQ(cases[4].entries.size(), 1u);
  for (const Case& c : cases)
    for (std::size_t row = 0; row < c.entries.size(); ++row) {
      if (!c.entries[row].problem.empty() || c.entries[row].png) continue;
      for (int colours : {2, 16, 256})
        for (bool dither : {false, true}) {
          SCOPED_TRACE(std::string(c.name) + " row " + std::to_string(row) + " colours " + std::to_string(colours) +
                       (dither ? " dithered" : ""));
          ImportTarget target;
          target.sizes = {16, 32, 48};
          target.colours = colours;
          const auto made = MakeImportImages(c.entries, static_cast<int>(row), target, dither);
          EXPECT_GT(CheckMaskedPixelsShowTheScreen(made), 0);
        }
    }
}

TEST(ImportOnWindows, TheQuantizerKeepsBlackBesideTheBestOtherColours) {
  const auto counted = [](std::vector<std::uint32_t> pixels) { return CountColours(pixels); };
  // Near-black pixels go to black; white and red share the one other entry.
  std::vector<std::uint32_t> mixed;
  for (int i = 0; i < 10; ++i) mixed.insert(mixed.end(), {0xFFFFFFu, 0xFF0000u, 0x0A0A0Au});
  std::vector<std::uint32_t> ramp;
  for (std::uint32_t v = 1; v < 256; ++v) ramp.push_back(v << 16 | v << 8 | v);
  struct Case {
    const char* name;
    std::vector<std::uint32_t> pixels;
    int count;
    std::vector<std::uint32_t> expected;  // empty: only checked for black
  };
  const std::vector<Case> cases = {
      {"two colours into two", {0xFFFFFFu, 0xFF0000u}, 2, {0xFF8080u, 0}},
      {"near black joins black", mixed, 2, {0xFF8080u, 0}},
      {"fits beside black", {0x102030u, 0x405060u, 0x708090u}, 16, {0x102030u, 0x405060u, 0x708090u, 0}},
      {"black among the colours", {0u, 0x405060u}, 2, {0x405060u, 0}},
      {"grey ramp into 16", ramp, 16, {}},
      {"grey ramp into 2", ramp, 2, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto palette = QuantizeColoursWithBlack(counted(c.pixels), c.count);
    ASSERT_LE(palette.size(), static_cast<std::size_t>(c.count));
    EXPECT_EQ(palette.back(), 0u);
    if (!c.expected.empty()) {
      EXPECT_EQ(palette, c.expected);
    }
  }
}

TEST(ImportOnWindows, TheLossLineSaysWhenBlackCostsAColour) {
  const std::string cost = IMPORT_BLACK_TAKES_COLOUR;
  const auto sixteen = [](int n) {
    return Framed(8, 8, 1, [n](int x, int y) { return static_cast<std::uint32_t>(((y - 1) * 6 + x - 1) % n + 1) * 0x0F0F0Fu; });
  };
  struct Case {
    const char* name;
    RgbaPicture picture;
    int colours;
    bool costs;
  };
  const std::vector<Case> cases = {
      {"three colours into two", ThreeColours(), 2, true},
      {"three colours into sixteen", ThreeColours(), 16, false},
      {"sixteen colours into sixteen", sixteen(16), 16, true},
      {"fifteen colours into sixteen", sixteen(15), 16, false},
      {"gradient into 256", Gradient(), 256, true},
      {"no margin", Framed(8, 8, 0, [](int x, int) { return x < 4 ? 0xFF0000u : 0xFFFFFFu; }), 2, false},
      {"black in the picture", Framed(8, 8, 1, [](int x, int) { return x < 4 ? 0u : 0xFFFFFFu; }), 2, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::vector<ImportEntry> entries = {EntryOf(c.picture)};
    const ImportMade made = MakeImportImage(entries, 0, IMPORT_SIZE_AS_IT_IS, c.colours, false);
    const std::string line = DescribeMadeLoss(made);
    EXPECT_EQ(line.find(cost) != std::string::npos, c.costs) << line;
  }
  // Left to choose, the count holds the picture's colours and the black.
  EXPECT_EQ(DefaultImportTarget(EntryOf(Framed(8, 8, 1, [](int x, int) { return x < 4 ? 0xFF0000u : 0xFFFFFFu; })))
                .colours,
            16);
  EXPECT_EQ(DefaultImportTarget(EntryOf(Framed(8, 8, 1, [](int x, int) { return x < 4 ? 0u : 0xFFFFFFu; }))).colours,
            2);
}

TEST(ImportAlphaCut, CutAndMatteChangeExactlyTheEdgePixels) {
  // One row of red at alphas 0, 60, 127, 128, 200, 255.
  const std::uint32_t alphas[] = {0, 60, 127, 128, 200, 255};
  RgbaPicture row{6, 1, {}};
  for (std::uint32_t a : alphas) row.pixels.push_back(a << 24 | 0xFF0000u);
  const std::uint32_t T = 0xFFFFFFFFu;  // transparent cell
  struct Case {
    const char* name;
    AlphaCut cut;
    std::uint32_t expected[6];  // 0xRRGGBB of each opaque cell, or T
  };
  const std::vector<Case> cases = {
      {"as before", {}, {T, T, T, 0xFF0000u, 0xFF0000u, 0xFF0000u}},
      {"cut 61", {61, std::nullopt}, {T, T, 0xFF0000u, 0xFF0000u, 0xFF0000u, 0xFF0000u}},
      {"cut 0 keeps all", {0, std::nullopt}, {0xFF0000u, 0xFF0000u, 0xFF0000u, 0xFF0000u, 0xFF0000u, 0xFF0000u}},
      {"cut 255 keeps the solid", {255, std::nullopt}, {T, T, T, T, T, 0xFF0000u}},
      {"white matte", {128, 0xFFFFFFu}, {T, T, T, 0xFF7F7Fu, 0xFF3737u, 0xFF0000u}},
      {"white matte, cut 0", {0, 0xFFFFFFu}, {0xFFFFFFu, 0xFFC3C3u, 0xFF8080u, 0xFF7F7Fu, 0xFF3737u, 0xFF0000u}},
      {"blue matte, cut 100", {100, 0x0000FFu}, {T, T, 0x7F0080u, 0x80007Fu, 0xC80037u, 0xFF0000u}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::vector<ImportEntry> entries = {EntryOf(row)};
    const ImportMade made = MakeImportImage(entries, 0, IMPORT_SIZE_AS_IT_IS, 256, false, c.cut);
    const ImageTab& tab = *made.image;
    for (int x = 0; x < 6; ++x) {
      const PixelCell cell = CellAt(tab, x, 0);
      const ColorRef colour = tab.palette[cell & CELL_INDEX_BITS];
      if (c.expected[x] == T) {
        EXPECT_NE(cell & CELL_MASK_BIT, 0) << x;
        EXPECT_EQ(colour, 0u) << x;
      } else {
        EXPECT_EQ(cell & CELL_MASK_BIT, 0) << x;
        EXPECT_EQ(static_cast<std::uint32_t>(RedOf(colour) << 16 | GreenOf(colour) << 8 | BlueOf(colour)), c.expected[x])
            << x;
      }
    }
  }
}

TEST(ImportAlphaCut, MatteColoursAreReadAsSixHexDigits) {
  const std::vector<std::pair<std::string, std::optional<std::uint32_t>>> cases = {
      {"#FFFFFF", 0xFFFFFFu}, {"ff8000", 0xFF8000u}, {"#0a0B0c", 0x0A0B0Cu}, {"#FFF", std::nullopt},
      {"#GGGGGG", std::nullopt}, {"", std::nullopt}, {"#1234567", std::nullopt}, {"##12345", std::nullopt}};
  for (const auto& [text, expected] : cases) EXPECT_EQ(ParseMatteColour(text), expected) << text;
}
