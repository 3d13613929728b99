// The shrink search prepares the source once instead of combining the whole
// picture again for every size it tries. Its results must not change: the
// search as first written is kept here as the reference, and both run on
// many pictures, sizes and counts, comparing every table entry.
// Qt is used only to read and scale artwork that the system ships.

#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "palette/colour_reduction.h"

namespace {

namespace reference {

struct Span {
  int start = 0;
  int end = 0;
};

Span SourceSpan(int d, int srcSize, int size) {
  const auto start = static_cast<int>(static_cast<std::int64_t>(d) * srcSize / size);
  const auto end = static_cast<int>(static_cast<std::int64_t>(d + 1) * srcSize / size);
  return {start, std::max(start + 1, end)};
}

std::uint32_t SourceBits(const RasterSurface& source, int x, int y) {
  if (source.pixels == nullptr || x < 0 || y < 0 || x >= source.width || y >= source.height) return 0;
  return source.pixels[static_cast<std::size_t>(y) * source.stride + x] & 0x00FFFFFFu;
}

// Every try shrinks the whole source rectangle again, pixel by pixel.
void ShrinkInto(const RasterSurface& source, int x0, int y0, int srcW, int srcH, RasterSurface& dest, int w, int h) {
  std::vector<std::uint32_t> rows(static_cast<std::size_t>(srcW) * h, 0x00FFFFFFu);
  for (int dy = 0; dy < h; ++dy) {
    const Span span = SourceSpan(dy, srcH, h);
    for (int sy = span.start; sy < span.end; ++sy)
      for (int sx = 0; sx < srcW; ++sx)
        rows[static_cast<std::size_t>(dy) * srcW + sx] &= SourceBits(source, x0 + sx, y0 + sy);
  }
  for (int dy = 0; dy < h && dy < dest.height; ++dy)
    for (int dx = 0; dx < w && dx < dest.width; ++dx) {
      const Span span = SourceSpan(dx, srcW, w);
      std::uint32_t bits = 0x00FFFFFFu;
      for (int sx = span.start; sx < span.end; ++sx) bits &= rows[static_cast<std::size_t>(dy) * srcW + sx];
      dest.pixels[static_cast<std::size_t>(dy) * dest.stride + dx] = 0xFF000000u | bits;
    }
}

void FindReducedPalette(int count, const RasterSurface& source, int x0, int y0, int srcW, int srcH, int w, int h,
                        ColorRef* table) {
  if (count < 1 || srcW <= 0 || srcH <= 0) return;
  w = std::max(w, 1);
  h = std::max(h, 1);
  std::vector<std::uint32_t> work(static_cast<std::size_t>(w) * h);
  RasterSurface picture{work.data(), w, h, w};
  const auto fits = [&]() {
    ShrinkInto(source, x0, y0, srcW, srcH, picture, w, h);
    return CollectDistinctColors(picture, w, h, count, table);
  };
  while (true) {
    if (fits()) return;
    if (w > 1) --w;
    if (fits()) return;
    if (w == 1 && h == 1) return;
    if (h > 1) --h;
  }
}

}  // namespace reference

struct Picture {
  std::string name;
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;

  RasterSurface Surface() { return {pixels.data(), width, height, width}; }
};

Picture RandomPicture(std::mt19937& random, int width, int height, int colourBits) {
  Picture picture{"random " + std::to_string(width) + "x" + std::to_string(height), width, height, {}};
  picture.pixels.resize(static_cast<std::size_t>(width) * height);
  const std::uint32_t mask = colourBits >= 24 ? 0xFFFFFFu : (1u << colourBits) - 1u;
  for (std::uint32_t& p : picture.pixels) p = 0xFF000000u | (random() & mask) * (0xFFFFFFu / std::max(mask, 1u));
  return picture;
}

Picture Gradient(int width, int height) {
  Picture picture{"gradient " + std::to_string(width) + "x" + std::to_string(height), width, height, {}};
  picture.pixels.resize(static_cast<std::size_t>(width) * height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const auto r = static_cast<std::uint32_t>(255 * x / std::max(1, width - 1));
      const auto g = static_cast<std::uint32_t>(255 * y / std::max(1, height - 1));
      const auto b = static_cast<std::uint32_t>((r + g) / 2);
      picture.pixels[static_cast<std::size_t>(y) * width + x] = 0xFF000000u | r << 16 | g << 8 | b;
    }
  return picture;
}

Picture FlatBlocks(std::mt19937& random, int width, int height, int blockW, int blockH) {
  Picture picture{"blocks " + std::to_string(width) + "x" + std::to_string(height), width, height, {}};
  picture.pixels.resize(static_cast<std::size_t>(width) * height);
  std::vector<std::uint32_t> colours(64);
  for (std::uint32_t& c : colours) c = 0xFF000000u | (random() & 0xFFFFFFu);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      picture.pixels[static_cast<std::size_t>(y) * width + x] =
          colours[static_cast<std::size_t>((x / blockW) * 7 + (y / blockH) * 3) % colours.size()];
  return picture;
}

// Artwork that ships with the system, scaled smoothly to the size so that it
// has the soft colour runs of a photo.
std::vector<Picture> Artwork(const std::vector<std::pair<int, int>>& sizes) {
  QStringList files;
  const QDir logos(QStringLiteral("/usr/share/pixmaps"));
  for (const QString& name : logos.entryList({QStringLiteral("*.png")}, QDir::Files, QDir::Name))
    files << logos.filePath(name);
  const QDir templates(QStringLiteral("/usr/share/qt6/doc/global/template/images"));
  for (const QString& name :
       templates.entryList({QStringLiteral("*.png"), QStringLiteral("*.jpg")}, QDir::Files, QDir::Name))
    files << templates.filePath(name);
  std::vector<Picture> pictures;
  std::size_t next = 0;
  for (const QString& file : files) {
    const QImage image(file);
    if (image.isNull() || image.width() < 16 || image.height() < 16) continue;
    const auto [width, height] = sizes[next++ % sizes.size()];
    const QImage scaled = image.convertToFormat(QImage::Format_RGB32)
                              .scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    Picture picture{file.toStdString() + " at " + std::to_string(width) + "x" + std::to_string(height), width,
                    height, {}};
    picture.pixels.resize(static_cast<std::size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
      const auto* row = reinterpret_cast<const std::uint32_t*>(scaled.constScanLine(y));
      std::copy(row, row + width, picture.pixels.begin() + static_cast<std::ptrdiff_t>(y) * width);
    }
    pictures.push_back(std::move(picture));
  }
  return pictures;
}

struct Search {
  int count;
  int x0, y0, srcW, srcH, w, h;
};

// The counts the callers use: the palette sizes for the pastes, any number
// the reduction dialog takes, and what is left beside kept colours in the
// transparent paste.
constexpr int COUNTS[] = {2, 16, 256, 1, 3, 7, 100, 255};

void ExpectSameTables(Picture& picture, const Search& search) {
  ColorRef expected[COLOR_TABLE_SIZE];
  ColorRef actual[COLOR_TABLE_SIZE];
  // Entries the last try does not reach keep what was there, so both start
  // from the same leftovers.
  for (int i = 0; i < COLOR_TABLE_SIZE; ++i) expected[i] = actual[i] = 0x010203u * static_cast<ColorRef>(i);
  const RasterSurface surface = picture.Surface();
  reference::FindReducedPalette(search.count, surface, search.x0, search.y0, search.srcW, search.srcH, search.w,
                                search.h, expected);
  FindReducedPalette(search.count, surface, search.x0, search.y0, search.srcW, search.srcH, search.w, search.h,
                     actual);
  for (int i = 0; i < COLOR_TABLE_SIZE; ++i)
    ASSERT_EQ(actual[i], expected[i]) << picture.name << ", count " << search.count << ", rectangle " << search.x0
                                      << "," << search.y0 << " " << search.srcW << "x" << search.srcH << " to "
                                      << search.w << "x" << search.h << ", entry " << i;
}

}  // namespace

TEST(ShrinkSearchComparison, SameTablesAsCombiningTheWholePictureForEveryTry) {
  std::mt19937 random(20261207);
  std::vector<Picture> pictures;
  // Small and odd sizes, where runs of rows and columns are short or single.
  for (const auto& [w, h] : std::vector<std::pair<int, int>>{
           {1, 1}, {1, 7}, {9, 1}, {2, 3}, {5, 5}, {13, 64}, {64, 64}, {65, 63}, {100, 37}, {127, 129}}) {
    for (int bits : {1, 3, 6, 24}) pictures.push_back(RandomPicture(random, w, h, bits));
    pictures.push_back(Gradient(w, h));
    pictures.push_back(FlatBlocks(random, w, h, 1 + w / 5, 1 + h / 3));
  }
  for (int i = 0; i < 140; ++i) {
    const int w = 1 + static_cast<int>(random() % 160);
    const int h = 1 + static_cast<int>(random() % 160);
    switch (i % 3) {
      case 0: pictures.push_back(RandomPicture(random, w, h, 1 + static_cast<int>(random() % 24))); break;
      case 1: pictures.push_back(Gradient(w, h)); break;
      default:
        pictures.push_back(FlatBlocks(random, w, h, 1 + static_cast<int>(random() % 20),
                                      1 + static_cast<int>(random() % 20)));
    }
  }
  for (const auto& [w, h] : std::vector<std::pair<int, int>>{{320, 200}, {333, 97}, {640, 480}, {17, 900}}) {
    pictures.push_back(RandomPicture(random, w, h, 24));
    pictures.push_back(Gradient(w, h));
    pictures.push_back(FlatBlocks(random, w, h, 40, 30));
  }
  // Screen sizes, as the clipboard brings them. The reference is slow on
  // them, so they get one search each, with the count of a 256-colour tab.
  pictures.push_back(Gradient(1920, 1080));
  pictures.push_back(FlatBlocks(random, 3840, 2160, 64, 64));
  for (Picture& art : Artwork({{48, 48}, {300, 170}, {97, 61}, {640, 480}, {7, 64}}))
    pictures.push_back(std::move(art));

  int searches = 0;
  std::size_t next = 0;
  for (Picture& picture : pictures) {
    const int width = picture.width;
    const int height = picture.height;
    const bool large = static_cast<std::size_t>(width) * height > 1000000;
    std::vector<Search> tries = {
        // The pastes: the whole picture onto a selection of up to 64 x 64.
        {COUNTS[next++ % std::size(COUNTS)], 0, 0, width, height, 64, 64},
        {COUNTS[next++ % std::size(COUNTS)], 0, 0, width, height, 1 + static_cast<int>(random() % 64),
         1 + static_cast<int>(random() % 64)},
    };
    if (!large) {
      // The reduction dialog: the picture at its own size, at most 64 x 64
      // there.
      if (width <= 160 && height <= 160)
        tries.push_back({COUNTS[next++ % std::size(COUNTS)], 0, 0, width, height, width, height});
      // The preview's back buffer: an offset rectangle, partly outside.
      tries.push_back({COUNTS[next++ % std::size(COUNTS)], width / 3, height / 4, width, height,
                       std::min(width, 64), std::min(height, 64)});
    }
    if (large) tries = {{256, 0, 0, width, height, 64, 64}};
    for (const Search& search : tries) {
      ExpectSameTables(picture, search);
      if (HasFatalFailure()) return;
      ++searches;
    }
  }
  EXPECT_GE(pictures.size(), 200u);
  RecordProperty("searches", searches);
}
