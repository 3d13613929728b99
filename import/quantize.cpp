#include "import/quantize.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>

namespace {

int Channel(std::uint32_t rgb, int c) { return static_cast<int>(rgb >> (16 - 8 * c) & 0xFF); }

// One box of the median cut: a range of the colour list with its weighted
// sums, from which its mean and squared error follow.
struct Box {
  std::size_t begin = 0;
  std::size_t end = 0;
  double weight = 0;
  std::array<double, 3> sum{};
  double squares = 0;

  double Error() const {
    if (weight <= 0) return 0;
    double e = squares;
    for (double s : sum) e -= s * s / weight;
    return e;
  }
};

Box MakeBox(const std::vector<WeightedColour>& colours, std::size_t begin, std::size_t end) {
  Box box;
  box.begin = begin;
  box.end = end;
  for (std::size_t i = begin; i < end; ++i) {
    const double w = colours[i].count;
    box.weight += w;
    for (int c = 0; c < 3; ++c) {
      const double v = Channel(colours[i].rgb, c);
      box.sum[c] += w * v;
      box.squares += w * v * v;
    }
  }
  return box;
}

// The channel along which the box's colours spread the most.
int WidestChannel(const Box& box, const std::vector<WeightedColour>& colours) {
  std::array<double, 3> spread{};
  for (std::size_t i = box.begin; i < box.end; ++i)
    for (int c = 0; c < 3; ++c) {
      const double d = Channel(colours[i].rgb, c) - box.sum[c] / box.weight;
      spread[c] += colours[i].count * d * d;
    }
  return static_cast<int>(std::max_element(spread.begin(), spread.end()) - spread.begin());
}

// Sorts the box's colours along its widest channel and cuts it where the two
// halves together have the least squared error. Gives back false for a box
// of one colour.
bool SplitBox(std::vector<WeightedColour>& colours, const Box& box, Box& low, Box& high) {
  if (box.end - box.begin < 2) return false;
  const int channel = WidestChannel(box, colours);
  std::sort(colours.begin() + static_cast<std::ptrdiff_t>(box.begin),
            colours.begin() + static_cast<std::ptrdiff_t>(box.end),
            [channel](const WeightedColour& a, const WeightedColour& b) {
              return Channel(a.rgb, channel) < Channel(b.rgb, channel);
            });
  double weight = 0;
  std::array<double, 3> sum{};
  double best = std::numeric_limits<double>::max();
  std::size_t cut = box.begin + 1;
  for (std::size_t i = box.begin; i + 1 < box.end; ++i) {
    weight += colours[i].count;
    for (int c = 0; c < 3; ++c) sum[c] += colours[i].count * double(Channel(colours[i].rgb, c));
    // Only a cut between two different values of the channel separates.
    if (Channel(colours[i].rgb, channel) == Channel(colours[i + 1].rgb, channel)) continue;
    // The squares cancel out of the total, so comparing the sums of
    // squared means is enough.
    double kept = 0;
    const double rest = box.weight - weight;
    for (int c = 0; c < 3; ++c) kept += sum[c] * sum[c] / weight + (box.sum[c] - sum[c]) * (box.sum[c] - sum[c]) / rest;
    if (-kept < best) {
      best = -kept;
      cut = i + 1;
    }
  }
  low = MakeBox(colours, box.begin, cut);
  high = MakeBox(colours, cut, box.end);
  return true;
}

std::uint32_t MeanColour(const std::array<double, 3>& sum, double weight) {
  std::uint32_t rgb = 0;
  for (int c = 0; c < 3; ++c) {
    const int v = static_cast<int>(sum[c] / weight + 0.5);
    rgb |= static_cast<std::uint32_t>(std::clamp(v, 0, 255)) << (16 - 8 * c);
  }
  return rgb;
}

// Lloyd rounds: every colour goes to its nearest palette entry, every entry
// moves to the mean of its colours, until nothing moves. Entries from
// `fixedFrom` on take colours but never move.
void RefineByKMeans(const std::vector<WeightedColour>& colours, std::vector<std::uint32_t>& palette,
                    std::size_t fixedFrom = SIZE_MAX) {
  constexpr int ROUNDS = 8;
  std::vector<int> owner(colours.size(), -1);
  for (int round = 0; round < ROUNDS; ++round) {
    bool moved = false;
    for (std::size_t i = 0; i < colours.size(); ++i) {
      const int nearest = NearestColourIndex(palette, colours[i].rgb);
      moved = moved || nearest != owner[i];
      owner[i] = nearest;
    }
    if (!moved) return;
    std::vector<std::array<double, 3>> sums(palette.size(), std::array<double, 3>{});
    std::vector<double> weights(palette.size(), 0);
    for (std::size_t i = 0; i < colours.size(); ++i) {
      weights[owner[i]] += colours[i].count;
      for (int c = 0; c < 3; ++c) sums[owner[i]][c] += colours[i].count * double(Channel(colours[i].rgb, c));
    }
    // An entry that no colour chose keeps its place.
    for (std::size_t k = 0; k < palette.size() && k < fixedFrom; ++k)
      if (weights[k] > 0) palette[k] = MeanColour(sums[k], weights[k]);
  }
}

}  // namespace

int ColourDistance(std::uint32_t a, std::uint32_t b) {
  int total = 0;
  for (int c = 0; c < 3; ++c) {
    const int d = Channel(a, c) - Channel(b, c);
    total += d * d;
  }
  return total;
}

int NearestColourIndex(const std::vector<std::uint32_t>& palette, std::uint32_t rgb) {
  int best = 0;
  int bestDistance = std::numeric_limits<int>::max();
  for (std::size_t i = 0; i < palette.size(); ++i) {
    const int d = ColourDistance(palette[i], rgb);
    if (d < bestDistance) {
      bestDistance = d;
      best = static_cast<int>(i);
      if (d == 0) break;
    }
  }
  return best;
}

std::vector<WeightedColour> CountColours(const std::vector<std::uint32_t>& rgbPixels) {
  std::vector<std::uint32_t> sorted;
  sorted.reserve(rgbPixels.size());
  for (std::uint32_t p : rgbPixels) sorted.push_back(p & 0xFFFFFFu);
  std::sort(sorted.begin(), sorted.end());
  std::vector<WeightedColour> colours;
  for (std::uint32_t p : sorted) {
    if (colours.empty() || colours.back().rgb != p)
      colours.push_back({p, 1});
    else
      ++colours.back().count;
  }
  return colours;
}

std::vector<std::uint32_t> QuantizeColours(const std::vector<WeightedColour>& colours, int count) {
  std::vector<std::uint32_t> palette;
  if (count < 1 || colours.empty()) return palette;
  if (colours.size() <= static_cast<std::size_t>(count)) {
    for (const WeightedColour& c : colours) palette.push_back(c.rgb & 0xFFFFFFu);
    return palette;
  }
  std::vector<WeightedColour> work = colours;
  std::vector<Box> boxes{MakeBox(work, 0, work.size())};
  while (boxes.size() < static_cast<std::size_t>(count)) {
    // Split the box that holds the most squared error.
    std::size_t worst = boxes.size();
    double worstError = 0;
    for (std::size_t i = 0; i < boxes.size(); ++i)
      if (boxes[i].end - boxes[i].begin > 1 && boxes[i].Error() >= worstError) {
        worstError = boxes[i].Error();
        worst = i;
      }
    Box low, high;
    if (worst == boxes.size() || !SplitBox(work, boxes[worst], low, high)) break;
    boxes[worst] = low;
    boxes.push_back(high);
  }
  for (const Box& box : boxes) palette.push_back(MeanColour(box.sum, box.weight));
  RefineByKMeans(colours, palette);
  return palette;
}

std::vector<std::uint32_t> QuantizeColoursWithBlack(const std::vector<WeightedColour>& colours, int count) {
  if (count < 1) return {};
  std::vector<WeightedColour> others;
  for (const WeightedColour& c : colours)
    if ((c.rgb & 0xFFFFFFu) != 0) others.push_back(c);
  std::vector<std::uint32_t> palette = QuantizeColours(others, count - 1);
  const bool exact = others.size() <= palette.size();
  palette.push_back(0);
  // The colours chosen without black move to where black leaves them best:
  // dark colours that black serves well stop pulling an entry towards them.
  if (!exact) RefineByKMeans(colours, palette, palette.size() - 1);
  return palette;
}
