#include "palette/colour_math.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

// The conversions keep every named quantity in single precision: the
// truncated results, and through them the order that "整理" gives a
// palette, depend on it. Within one step the arithmetic runs in double and
// is rounded to float once at the end of the step.
constexpr double ONE_255 = 1.0 / 255.0;
constexpr double ONE_60 = 1.0 / 60.0;

// Low 8 bits of truncate(channel x 255). The value goes through 64 bits so
// that absurd inputs wrap instead of overflowing the conversion.
int ChannelByte(float channel) {
  const auto whole = static_cast<std::int64_t>(static_cast<double>(channel) * 255.0);
  return static_cast<int>(whole & 0xFF);
}

std::int32_t KeyOf(const HsvEntry& entry, HsvKey key) {
  switch (key) {
    case KEY_HUE: return entry.color.hue;
    case KEY_SATURATION: return entry.color.saturation;
    case KEY_VALUE: return entry.color.value;
  }
  return 0;
}

int BucketOf(const HsvEntry& entry) { return entry.color.hue / HUE_BUCKET; }

// Calls action(first, count) for every run of consecutive entries in
// [first, last) for which same(run start, entry) holds.
template <typename Same, typename Action>
void ForEachRun(HsvEntry* entries, int first, int last, Same same, Action action) {
  int start = first;
  while (start < last) {
    int end = start + 1;
    while (end < last && same(entries[start], entries[end])) ++end;
    action(start, end - start);
    start = end;
  }
}

int ClampCount(int n) { return std::clamp(n, 0, 256); }

}  // namespace

void RgbToHsv(ColorRef colour, HsvColor& hsv, int greyHue) {
  const float r = static_cast<float>(RedOf(colour) * ONE_255);
  const float g = static_cast<float>(GreenOf(colour) * ONE_255);
  const float b = static_cast<float>(BlueOf(colour) * ONE_255);
  float max = r;
  if (max < g) max = g;
  if (max < b) max = b;
  float min = r;
  if (min > g) min = g;
  if (min > b) min = b;
  const float delta = max - min;
  const float s = max == 0.0f ? 0.0f : static_cast<float>(static_cast<double>(delta) / max);

  if (delta == 0.0f) {
    // A grey has no hue of its own: the sort wants 0, the dialogs keep the
    // hue the user last had.
    if (greyHue == 1) hsv.hue = 0;
  } else {
    float h;
    if (r == max)
      h = static_cast<float>((static_cast<double>(g) - b) / delta);
    else if (g == max)
      h = static_cast<float>((static_cast<double>(b) - r) / delta + 2.0);
    else
      h = static_cast<float>((static_cast<double>(r) - g) / delta + 4.0);
    h = static_cast<float>(static_cast<double>(h) * 60.0);
    if (h < 0.0f) h = static_cast<float>(static_cast<double>(h) + 360.0);
    hsv.hue = static_cast<std::int32_t>(h);
  }
  hsv.saturation = static_cast<std::int32_t>(static_cast<double>(s) * 255.0);
  hsv.value = static_cast<std::int32_t>(static_cast<double>(max) * 255.0);
}

ColorRef HsvToRgb(const HsvColor& hsv) {
  if (hsv.saturation == 0) {
    const auto grey = static_cast<ColorRef>(hsv.value & 0xFF);
    return grey | grey << 8 | grey << 16;
  }
  const float s = static_cast<float>(hsv.saturation * ONE_255);
  const float v = static_cast<float>(hsv.value * ONE_255);
  const float h = static_cast<float>(static_cast<float>(hsv.hue) * ONE_60);
  const auto i = static_cast<std::int64_t>(std::floor(h));
  const float f = static_cast<float>(static_cast<double>(h) - static_cast<double>(i));
  const float p = static_cast<float>((1.0 - s) * v);
  const float q = static_cast<float>((1.0 - static_cast<double>(s) * f) * v);
  const float t = static_cast<float>((1.0 - (1.0 - f) * static_cast<double>(s)) * v);

  float red, green, blue;
  switch (i) {
    case 0: red = v, green = t, blue = p; break;
    case 1: red = q, green = v, blue = p; break;
    case 2: red = p, green = v, blue = t; break;
    case 3: red = p, green = q, blue = v; break;
    case 4: red = t, green = p, blue = v; break;
    default: red = v, green = p, blue = q; break;
  }
  return MakeColor(ChannelByte(red), ChannelByte(green), ChannelByte(blue));
}

void ExchangeSort(HsvEntry* entries, int n, HsvKey key) {
  for (int i = 0; i + 1 < n; ++i) {
    std::int32_t k = KeyOf(entries[i], key);
    for (int j = i + 1; j < n; ++j) {
      if (KeyOf(entries[j], key) < k) {
        std::swap(entries[i], entries[j]);
        k = KeyOf(entries[i], key);
      }
    }
  }
}

void SortPaletteByHsv(int n, HsvEntry* entries, const ColorRef* palette) {
  n = ClampCount(n);
  for (int i = 0; i < n; ++i) {
    entries[i] = HsvEntry{};
    RgbToHsv(palette[i], entries[i].color, 1);
    entries[i].index = i;
  }
  ExchangeSort(entries, n, KEY_HUE);

  const auto sameBucket = [](const HsvEntry& a, const HsvEntry& b) { return BucketOf(a) == BucketOf(b); };
  ForEachRun(entries, 0, n, sameBucket, [&](int first, int count) {
    if (count >= 2) ExchangeSort(entries + first, count, KEY_SATURATION);
  });
  const auto sameSaturation = [](const HsvEntry& a, const HsvEntry& b) {
    return a.color.saturation == b.color.saturation;
  };
  ForEachRun(entries, 0, n, sameBucket, [&](int bucketFirst, int bucketCount) {
    ForEachRun(entries, bucketFirst, bucketFirst + bucketCount, sameSaturation, [&](int first, int count) {
      if (count >= 2) ExchangeSort(entries + first, count, KEY_VALUE);
    });
  });
}

void ReorderPaletteByHsv(ImageTab& tab, int n) {
  n = ClampCount(n);
  HsvEntry entries[256];
  SortPaletteByHsv(n, entries, tab.palette);

  // Every old index appears exactly once among the sorted entries, so a
  // table from old to new index renumbers each pixel once. Indices at or
  // beyond n (which a damaged image may hold) are left alone.
  int newIndex[256];
  for (int j = 0; j < 256; ++j) newIndex[j] = j;
  for (int i = 0; i < n; ++i) newIndex[entries[i].index] = i;
  for (int x = 0; x < tab.width && x < MAX_IMAGE_SIZE; ++x) {
    for (int y = 0; y < tab.height && y < MAX_IMAGE_SIZE; ++y) {
      PixelCell& cell = CellAt(tab, x, y);
      cell = static_cast<PixelCell>((cell & ~CELL_INDEX_BITS) | newIndex[cell & CELL_INDEX_BITS]);
    }
  }

  ColorRef copy[256];
  std::copy(tab.palette, tab.palette + n, copy);
  for (int i = 0; i < n; ++i) tab.palette[i] = copy[entries[i].index];
}

void MergeDuplicateColors(ColorRef* palette, PixelCell* cells, int width, int height, int n) {
  n = ClampCount(n);
  // Merged-away entries are tracked beside the palette rather than marked
  // inside it, so that no colour value, however odd, can be mistaken for a
  // removed entry and leave its pixels pointing at the wrong colour.
  bool removed[256] = {};
  int newIndex[256];
  for (int j = 0; j < 256; ++j) newIndex[j] = j;
  int next = 0;
  for (int i = 0; i < n; ++i) {
    if (removed[i]) continue;
    newIndex[i] = next;
    for (int k = i + 1; k < n; ++k) {
      if (!removed[k] && palette[k] == palette[i]) {
        removed[k] = true;
        newIndex[k] = next;
      }
    }
    ++next;
  }

  width = std::clamp(width, 0, MAX_IMAGE_SIZE);
  height = std::clamp(height, 0, MAX_IMAGE_SIZE);
  for (int x = 0; x < width; ++x) {
    for (int y = 0; y < height; ++y) {
      PixelCell& cell = cells[CellIndex(x, y)];
      cell = static_cast<PixelCell>((cell & ~CELL_INDEX_BITS) | newIndex[cell & CELL_INDEX_BITS]);
    }
  }

  int kept = 0;
  for (int i = 0; i < n; ++i)
    if (!removed[i]) palette[kept++] = palette[i];
  std::fill(palette + kept, palette + n, 0);
}

void OrganizePalette(ImageTab& tab) {
  const int n = PaletteSize(tab);
  ReorderPaletteByHsv(tab, n);
  MergeDuplicateColors(tab.palette, tab.cells, tab.width, tab.height, n);
}

int NearestPaletteIndex(const ColorRef* entries, int n, ColorRef colour) {
  int best = 0;
  long bestDistance = -1;
  for (int i = 0; i < n; ++i) {
    const long dr = RedOf(entries[i]) - RedOf(colour);
    const long dg = GreenOf(entries[i]) - GreenOf(colour);
    const long db = BlueOf(entries[i]) - BlueOf(colour);
    const long distance = dr * dr + dg * dg + db * db;
    // An equal colour has distance 0, so it always wins; ties keep the
    // lower index.
    if (bestDistance < 0 || distance < bestDistance) {
      best = i;
      bestDistance = distance;
    }
  }
  return best;
}
