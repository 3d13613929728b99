#include "import/convert.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "import/quantize.h"
#include "palette/colour_math.h"

namespace {

// Weights of the source pixels that make up each destination pixel along
// one direction: destination i covers source [i * n / m, (i + 1) * n / m).
struct Span {
  int first = 0;
  std::vector<double> weights;
};

std::vector<Span> AreaSpans(int source, int target) {
  std::vector<Span> spans(static_cast<std::size_t>(target));
  const double step = static_cast<double>(source) / target;
  for (int i = 0; i < target; ++i) {
    const double from = i * step;
    const double to = (i + 1) * step;
    Span& span = spans[static_cast<std::size_t>(i)];
    span.first = static_cast<int>(from);
    for (int s = span.first; s < source && s < to; ++s)
      span.weights.push_back(std::min<double>(s + 1, to) - std::max<double>(s, from));
  }
  return spans;
}

bool Opaque(std::uint32_t argb) { return AlphaOf(argb) >= IMPORT_ALPHA_THRESHOLD; }

}  // namespace

// Small pictures (every kept picture fits 64 x 64) are counted from a sorted
// copy of their colours, which costs less than clearing a bitset. Large ones
// take one bit for each of the 2^24 colours (2 MB), so that counting the
// colours of a 4096 x 4096 picture takes neither a sorted copy of its pixels
// nor more time than one pass.
int CountOpaqueColours(const RgbaPicture& picture) {
  constexpr std::size_t SORTED_COUNT_LIMIT = std::size_t{1} << 16;
  if (picture.pixels.size() <= SORTED_COUNT_LIMIT) {
    std::vector<std::uint32_t> colours;
    colours.reserve(picture.pixels.size());
    for (std::uint32_t p : picture.pixels)
      if (Opaque(p)) colours.push_back(p & 0xFFFFFFu);
    std::sort(colours.begin(), colours.end());
    return static_cast<int>(std::unique(colours.begin(), colours.end()) - colours.begin());
  }
  std::vector<std::uint64_t> seen(std::size_t{1} << 18, 0);
  int count = 0;
  for (std::uint32_t p : picture.pixels) {
    if (!Opaque(p)) continue;
    const std::uint32_t rgb = p & 0xFFFFFFu;
    std::uint64_t& word = seen[rgb >> 6];
    const std::uint64_t bit = std::uint64_t{1} << (rgb & 63);
    if ((word & bit) == 0) {
      word |= bit;
      ++count;
    }
  }
  return count;
}

bool NeedsBlackEntry(const RgbaPicture& picture) {
  bool transparent = false;
  for (std::uint32_t p : picture.pixels) {
    if (!Opaque(p))
      transparent = true;
    else if ((p & 0xFFFFFFu) == 0)
      return false;
  }
  return transparent;
}

int ColoursNeeded(const RgbaPicture& picture) {
  return CountOpaqueColours(picture) + (NeedsBlackEntry(picture) ? 1 : 0);
}

namespace {

ColorRef ColorRefOfRgb(std::uint32_t rgb) { return MakeColor(rgb >> 16 & 0xFF, rgb >> 8 & 0xFF, rgb & 0xFF); }

}  // namespace

// Floyd-Steinberg over the opaque pixels, row by row: each pixel takes the
// nearest palette colour of its colour plus the error its neighbours passed
// on, and passes the damped share of its own error on to the right and to
// the row below.
std::vector<int> DitheredIndexes(const RgbaPicture& picture, const std::vector<std::uint32_t>& palette, float share) {
  const int w = picture.width;
  const int h = picture.height;
  std::vector<std::array<float, 3>> error(static_cast<std::size_t>(w) * h, std::array<float, 3>{});
  std::vector<int> indexes(static_cast<std::size_t>(w) * h, 0);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const std::size_t at = static_cast<std::size_t>(y) * w + x;
      const std::uint32_t p = picture.pixels[at];
      if (!Opaque(p)) continue;
      std::array<int, 3> want{};
      std::uint32_t rgb = 0;
      for (int c = 0; c < 3; ++c) {
        want[c] = std::clamp(static_cast<int>(std::lround((p >> (16 - 8 * c) & 0xFF) + error[at][c])), 0, 255);
        rgb |= static_cast<std::uint32_t>(want[c]) << (16 - 8 * c);
      }
      const int index = NearestColourIndex(palette, rgb);
      indexes[at] = index;
      const auto pass = [&](int dx, int dy, float share, int c, float e) {
        const int nx = x + dx, ny = y + dy;
        if (nx < 0 || nx >= w || ny >= h) return;
        const std::size_t to = static_cast<std::size_t>(ny) * w + nx;
        if (Opaque(picture.pixels[to])) error[to][c] += e * share;
      };
      for (int c = 0; c < 3; ++c) {
        const float e = share * static_cast<float>(want[c] - static_cast<int>(palette[index] >> (16 - 8 * c) & 0xFF));
        pass(1, 0, 7.f / 16, c, e);
        pass(-1, 1, 3.f / 16, c, e);
        pass(0, 1, 5.f / 16, c, e);
        pass(1, 1, 1.f / 16, c, e);
      }
    }
  return indexes;
}

namespace {

std::string Size(int w, int h) { return std::to_string(w) + "×" + std::to_string(h); }

}  // namespace

RgbaPicture ScalePictureToFit(const RgbaPicture& picture, int limit) {
  if (picture.width <= limit && picture.height <= limit) return picture;
  return ScalePictureToLonger(picture, limit);
}

RgbaPicture ScalePictureToLonger(const RgbaPicture& picture, int limit) {
  const int longer = std::max(picture.width, picture.height);
  const int w = std::max(1, static_cast<int>(std::lround(double(picture.width) * limit / longer)));
  const int h = std::max(1, static_cast<int>(std::lround(double(picture.height) * limit / longer)));
  if (w == picture.width && h == picture.height) return picture;
  const std::vector<Span> columns = AreaSpans(picture.width, w);
  const std::vector<Span> rows = AreaSpans(picture.height, h);
  RgbaPicture out;
  out.width = w;
  out.height = h;
  out.pixels.resize(static_cast<std::size_t>(w) * h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      // Sums of premultiplied red, green, blue, and of alpha, over the area.
      double sum[4] = {};
      double area = 0;
      const Span& row = rows[static_cast<std::size_t>(y)];
      const Span& column = columns[static_cast<std::size_t>(x)];
      for (std::size_t j = 0; j < row.weights.size(); ++j)
        for (std::size_t i = 0; i < column.weights.size(); ++i) {
          const double weight = row.weights[j] * column.weights[i];
          const std::uint32_t p = picture.At(column.first + static_cast<int>(i), row.first + static_cast<int>(j));
          const double alpha = AlphaOf(p);
          for (int c = 0; c < 3; ++c) sum[c] += weight * alpha * (p >> (16 - 8 * c) & 0xFF);
          sum[3] += weight * alpha;
          area += weight;
        }
      std::uint32_t result = 0;
      if (sum[3] > 0) {
        for (int c = 0; c < 3; ++c)
          result |= static_cast<std::uint32_t>(std::clamp(std::lround(sum[c] / sum[3]), 0L, 255L)) << (16 - 8 * c);
        result |= static_cast<std::uint32_t>(std::clamp(std::lround(sum[3] / area), 0L, 255L)) << 24;
      }
      out.pixels[static_cast<std::size_t>(y) * w + x] = result;
    }
  return out;
}

ImportPlan PlanImport(const RgbaPicture& source) {
  ImportEntry entry;
  KeepScaledPicture(source, entry);
  return PlanImport(entry);
}

ImportPlan PlanImport(const ImportEntry& entry) {
  ImportPlan plan;
  plan.sourceWidth = entry.width;
  plan.sourceHeight = entry.height;
  plan.sourceColours = entry.sourceColours;
  plan.scaled = entry.picture;
  const RgbaPicture& scaled = plan.scaled;
  plan.width = scaled.width;
  plan.height = scaled.height;
  plan.scaledColours = scaled.width == entry.width && scaled.height == entry.height ? plan.sourceColours
                                                                                     : CountOpaqueColours(scaled);
  plan.colorCode = CodeForColours(plan.scaledColours + (NeedsBlackEntry(scaled) ? 1 : 0));
  for (std::uint32_t p : scaled.pixels)
    if (AlphaOf(p) != 0 && AlphaOf(p) != 255) ++plan.partialAlphaPixels;
  return plan;
}

void KeepScaledPicture(const RgbaPicture& full, ImportEntry& entry) {
  entry.width = full.width;
  entry.height = full.height;
  entry.sourceColours = CountOpaqueColours(full);
  entry.picture = ScalePictureToFit(full, MAX_IMAGE_SIZE);
}

std::uint8_t CodeForColours(int colours) { return colours <= 2 ? 2 : colours <= 16 ? 16 : 0; }

void ConvertPicture(const RgbaPicture& picture, bool dither, ImageTab& tab) {
  ConvertPicture(picture, -1, dither, tab);
}

void ConvertPicture(const RgbaPicture& picture, int colourCount, bool dither, ImageTab& tab) {
  ConvertPictureWithShare(picture, colourCount, dither ? IMPORT_DITHER_SHARE : 0.f, tab);
}

void ConvertPictureWithShare(const RgbaPicture& picture, int colourCount, float ditherShare, ImageTab& tab) {
  const int w = std::clamp(picture.width, 1, MAX_IMAGE_SIZE);
  const int h = std::clamp(picture.height, 1, MAX_IMAGE_SIZE);
  std::vector<std::uint32_t> opaque;
  for (std::uint32_t p : picture.pixels)
    if (Opaque(p)) opaque.push_back(p & 0xFFFFFFu);
  const std::vector<WeightedColour> colours = CountColours(opaque);
  // Transparent cells need black under the mask, or Windows draws them as
  // the screen XOR their colour: a coloured frame round the icon. The
  // palette keeps black even when quantizing would have merged it away.
  const bool transparent = opaque.size() < picture.pixels.size();
  const bool blackInPicture = !colours.empty() && colours.front().rgb == 0;
  const int needed = static_cast<int>(colours.size()) + (transparent && !blackInPicture ? 1 : 0);
  const std::uint8_t code = colourCount > 0 ? CodeForColours(colourCount) : CodeForColours(needed);
  const int size = ColorCountOfCode(code);
  const bool exact = needed <= size;
  const std::vector<std::uint32_t> palette =
      transparent ? QuantizeColoursWithBlack(colours, size) : QuantizeColours(colours, size);

  tab.width = static_cast<std::uint8_t>(w);
  tab.height = static_cast<std::uint8_t>(h);
  tab.colorCode = code;
  std::fill(std::begin(tab.palette), std::end(tab.palette), ColorRef{0});
  for (std::size_t i = 0; i < palette.size(); ++i) tab.palette[i] = ColorRefOfRgb(palette[i]);
  // A transparent pixel shows the screen only where its colour is black.
  int transparentIndex = 0;
  for (int i = 0; i < size; ++i)
    if (tab.palette[i] == 0) {
      transparentIndex = i;
      break;
    }
  const std::vector<int> dithered =
      !exact && ditherShare > 0 ? DitheredIndexes(picture, palette, ditherShare) : std::vector<int>{};
  std::fill(std::begin(tab.cells), std::end(tab.cells), FRESH_CELL);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const std::size_t at = static_cast<std::size_t>(y) * picture.width + x;
      const std::uint32_t p = picture.pixels[at];
      int index;
      if (!Opaque(p))
        index = transparentIndex | CELL_MASK_BIT;
      else if (!dithered.empty())
        index = dithered[at];
      else
        index = NearestColourIndex(palette, p & 0xFFFFFFu);
      CellAt(tab, x, y) = static_cast<PixelCell>(index);
    }
}

std::string DescribeResult(const ImportPlan& plan, TextLookup lookup) {
  return FillText(lookup(QT_TRANSLATE_NOOP("Quillet2", "%1 → %2、%3色")),
                  {Size(plan.sourceWidth, plan.sourceHeight), Size(plan.width, plan.height),
                   std::to_string(ColorCountOfCode(plan.colorCode))});
}

std::string DescribeLoss(const ImportPlan& plan, TextLookup lookup) {
  std::vector<std::string> losses;
  if (plan.width != plan.sourceWidth || plan.height != plan.sourceHeight)
    losses.push_back(FillText(lookup(QT_TRANSLATE_NOOP("Quillet2", "%1に縮小")), {Size(plan.width, plan.height)}));
  if (plan.scaledColours > 256)
    losses.push_back(
        FillText(lookup(QT_TRANSLATE_NOOP("Quillet2", "%1色を256色にまとめる")), {std::to_string(plan.scaledColours)}));
  if (plan.partialAlphaPixels > 0)
    losses.push_back(FillText(lookup(QT_TRANSLATE_NOOP("Quillet2", "半透明の%1画素を透明か不透明にする")),
                              {std::to_string(plan.partialAlphaPixels)}));
  return FillText(lookup(QT_TRANSLATE_NOOP("Quillet2", "%1：%2")),
                  {Size(plan.sourceWidth, plan.sourceHeight), JoinLosses(losses, lookup)});
}

std::string JoinLosses(const std::vector<std::string>& losses, TextLookup lookup) {
  std::string lost = losses.empty() ? lookup(QT_TRANSLATE_NOOP("Quillet2", "そのまま取り込めます")) : losses.front();
  for (std::size_t i = 1; i < losses.size(); ++i)
    lost = FillText(lookup(QT_TRANSLATE_NOOP("Quillet2", "%1、%2")), {lost, losses[i]});
  return lost;
}
