#include "palette/colour_reduction.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

#include "palette/colour_math.h"

namespace {

// The colour bits of a 32-bit pixel; the top byte is always set and would
// only get in the way of comparing colours.
constexpr std::uint32_t PIXEL_COLOR_BITS = 0x00FFFFFFu;

struct Span {
  int start = 0;
  int end = 0;
};

// The source lines that fall on destination line d when size lines are made
// from srcSize: all of them where the copy shrinks, the nearest single one
// where it enlarges.
Span SourceSpan(int d, int srcSize, int size) {
  const auto start = static_cast<int>(static_cast<std::int64_t>(d) * srcSize / size);
  const auto end = static_cast<int>(static_cast<std::int64_t>(d + 1) * srcSize / size);
  return {start, std::max(start + 1, end)};
}

std::uint32_t SourceBits(const RasterSurface& source, int x, int y) {
  if (source.pixels == nullptr || x < 0 || y < 0 || x >= source.width || y >= source.height) return 0;
  return source.pixels[static_cast<std::size_t>(y) * source.stride + x] & PIXEL_COLOR_BITS;
}

// out = the colour bits of srcW pixels of source row y, from column x0 on,
// ANDed with `with` when that is given (it may be out itself). Points
// outside the source read as black. This runs over whole pictures, so the
// part inside the source goes without a check per pixel.
void CombineSourceRow(const RasterSurface& source, int x0, int y, int srcW, const std::uint32_t* with,
                      std::uint32_t* out) {
  const bool rowInside = source.pixels != nullptr && y >= 0 && y < source.height;
  const int first = rowInside ? std::clamp(-x0, 0, srcW) : srcW;
  const int last = rowInside ? std::clamp(source.width - x0, first, srcW) : srcW;
  std::fill(out, out + first, 0u);
  if (first < last) {
    const std::uint32_t* in = source.pixels + static_cast<std::size_t>(y) * source.stride;
    if (with != nullptr)
      for (int sx = first; sx < last; ++sx) out[sx] = in[x0 + sx] & with[sx] & PIXEL_COLOR_BITS;
    else
      for (int sx = first; sx < last; ++sx) out[sx] = in[x0 + sx] & PIXEL_COLOR_BITS;
  }
  std::fill(out + last, out + srcW, 0u);
}

// out = the AND of source rows start .. end - 1, srcW pixels.
void CombineSourceRows(const RasterSurface& source, int x0, int y0, int start, int end, int srcW,
                       std::uint32_t* out) {
  for (int y = start; y < end; ++y) CombineSourceRow(source, x0, y0 + y, srcW, y == start ? nullptr : out, out);
}

void AndRow(const std::uint32_t* in, int width, std::uint32_t* row) {
  for (int x = 0; x < width; ++x) row[x] &= in[x];
}

// The first half of a shrinking copy: for each of the h destination rows,
// the AND of the source rows that fall on it, srcW pixels each.
std::vector<std::uint32_t> CombineRows(const RasterSurface& source, int x0, int y0, int srcW, int srcH, int h) {
  std::vector<std::uint32_t> rows(static_cast<std::size_t>(srcW) * h);
  for (int dy = 0; dy < h; ++dy) {
    const Span span = SourceSpan(dy, srcH, h);
    CombineSourceRows(source, x0, y0, span.start, span.end, srcW, rows.data() + static_cast<std::size_t>(dy) * srcW);
  }
  return rows;
}

// The second half: the AND of the combined columns that fall on each of the
// w destination columns.
void CombineColumns(const std::vector<std::uint32_t>& rows, int srcW, int h, RasterSurface& dest, int w) {
  for (int dy = 0; dy < h && dy < dest.height; ++dy) {
    const std::uint32_t* row = rows.data() + static_cast<std::size_t>(dy) * srcW;
    std::uint32_t* out = dest.pixels + static_cast<std::size_t>(dy) * dest.stride;
    for (int dx = 0; dx < w && dx < dest.width; ++dx) {
      const Span span = SourceSpan(dx, srcW, w);
      std::uint32_t bits = PIXEL_COLOR_BITS;
      for (int sx = span.start; sx < span.end; ++sx) bits &= row[sx];
      out[dx] = 0xFF000000u | bits;
    }
  }
}

// The source rectangle's rows prepared for the shrink search, which combines
// the rows anew for every height it tries. Combining straight from the
// source would read the whole picture for each height, dozens of times for
// a large picture. Instead every run of `window` rows is combined once:
// windows_ row y is the AND of source rows y .. y + window - 1 (fewer at the
// bottom). A run of at least `window` rows is then the AND of the windows
// that start at its first row, every `window` rows on, and the one that ends
// at its last row; AND does not mind the overlap. The window is as long as
// the shortest run of the largest height tried, so a run costs a few window
// rows wherever it starts.
class RowWindows {
 public:
  RowWindows(const RasterSurface& source, int x0, int y0, int srcW, int srcH, int largestHeight)
      : source_(source), x0_(x0), y0_(y0), srcW_(srcW), srcH_(srcH),
        window_(std::max(1, srcH / std::max(1, largestHeight))) {
    // Every window is written before it is read, so the memory is taken as
    // it is rather than cleared first. Without room for the windows every
    // run is combined from the source, slower but with the same result.
    windows_.reset(new (std::nothrow) std::uint32_t[static_cast<std::size_t>(srcW) * srcH]);
    if (windows_ == nullptr) {
      window_ = srcH + 1;
      return;
    }
    // The rows fall into blocks of `window` rows. A window is the AND of
    // its part in its own block, gathered from the block's bottom upwards,
    // and its part in the next block, gathered from that block's top
    // downwards: every source row is read twice.
    std::vector<std::uint32_t> below(srcW);
    for (int top = 0; top < srcH; top += window_) {
      const int end = std::min(top + window_, srcH);
      for (int y = end - 1; y >= top; --y)
        CombineSourceRow(source, x0, y0 + y, srcW, y + 1 < end ? Window(y + 1) : nullptr, Window(y));
      for (int y = top + 1; y < end; ++y) {
        const int added = y + window_ - 1;
        if (added >= srcH) break;
        CombineSourceRow(source, x0, y0 + added, srcW, y == top + 1 ? nullptr : below.data(), below.data());
        AndRow(below.data(), srcW, Window(y));
      }
    }
  }

  // row = the AND of source rows start .. end - 1, srcW pixels.
  void Combine(int start, int end, std::uint32_t* row) const {
    if (end - start < window_) {
      CombineSourceRows(source_, x0_, y0_, start, end, srcW_, row);
      return;
    }
    const std::uint32_t* first = Window(start);
    const std::uint32_t* last = Window(end - window_);
    for (int x = 0; x < srcW_; ++x) row[x] = first[x] & last[x];
    for (int y = start + window_; y + window_ < end; y += window_) AndRow(Window(y), srcW_, row);
  }

  // CombineRows for the prepared rectangle.
  void CombineRowsInto(int h, std::vector<std::uint32_t>& rows) const {
    rows.resize(static_cast<std::size_t>(srcW_) * h);
    for (int dy = 0; dy < h; ++dy) {
      const Span span = SourceSpan(dy, srcH_, h);
      Combine(span.start, std::min(span.end, srcH_), rows.data() + static_cast<std::size_t>(dy) * srcW_);
    }
  }

 private:
  std::uint32_t* Window(int y) { return windows_.get() + static_cast<std::size_t>(y) * srcW_; }
  const std::uint32_t* Window(int y) const { return windows_.get() + static_cast<std::size_t>(y) * srcW_; }

  const RasterSurface& source_;
  int x0_, y0_, srcW_, srcH_;
  int window_;
  std::unique_ptr<std::uint32_t[]> windows_;
};

// The colours already listed, for a quick "seen before?" while the table
// keeps the order of first occurrence. Open addressing over twice the
// largest table.
class SeenColors {
 public:
  bool Contains(ColorRef colour) const { return slots_[Find(colour)] == Key(colour); }
  void Add(ColorRef colour) { slots_[Find(colour)] = Key(colour); }

 private:
  static constexpr int SLOT_COUNT = 2 * COLOR_TABLE_SIZE;
  // Colours have 24 bits, so 0 is free to mean an empty slot.
  static std::uint32_t Key(ColorRef colour) { return (colour & PIXEL_COLOR_BITS) + 1; }
  int Find(ColorRef colour) const {
    int slot = static_cast<int>((Key(colour) * 2654435761u) >> 23) % SLOT_COUNT;
    while (slots_[slot] != 0 && slots_[slot] != Key(colour)) slot = (slot + 1) % SLOT_COUNT;
    return slot;
  }
  std::uint32_t slots_[SLOT_COUNT] = {};
};

}  // namespace

void ShrinkCopy(const RasterSurface& source, int x0, int y0, int srcW, int srcH, RasterSurface& dest, int w, int h) {
  if (srcW <= 0 || srcH <= 0 || w <= 0 || h <= 0 || dest.pixels == nullptr) return;
  CombineColumns(CombineRows(source, x0, y0, srcW, srcH, h), srcW, h, dest, w);
}

bool CollectDistinctColors(const RasterSurface& picture, int w, int h, int count, ColorRef* table) {
  count = std::clamp(count, 1, COLOR_TABLE_SIZE);
  SeenColors seen;
  table[0] = 0;
  seen.Add(0);
  int n = 1;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const ColorRef colour = ColorOfPixel(SourceBits(picture, x, y));
      if (seen.Contains(colour)) continue;
      if (n == count) return false;
      table[n++] = colour;
      seen.Add(colour);
    }
  }
  return true;
}

void FindReducedPalette(int count, const RasterSurface& source, int x0, int y0, int srcW, int srcH, int w, int h,
                        ColorRef* table) {
  if (count < 1 || srcW <= 0 || srcH <= 0) return;
  w = std::max(w, 1);
  h = std::max(h, 1);
  std::vector<std::uint32_t> work(static_cast<std::size_t>(w) * h);
  RasterSurface picture{work.data(), w, h, w};
  const RowWindows windows(source, x0, y0, srcW, srcH, h);
  std::vector<std::uint32_t> rows;
  int rowsHeight = 0;
  // Losing a column leaves the combined rows as they are, so they are kept
  // while the height stays.
  const auto fits = [&]() {
    if (rowsHeight != h) {
      windows.CombineRowsInto(h, rows);
      rowsHeight = h;
    }
    CombineColumns(rows, srcW, h, picture, w);
    return CollectDistinctColors(picture, w, h, count, table);
  };
  while (true) {
    if (fits()) return;
    if (w > 1) --w;
    if (fits()) return;
    // One pixel beside the seeded black is two colours; only a count of 1
    // can still fail here, and black alone is then all it can have.
    if (w == 1 && h == 1) return;
    if (h > 1) --h;
  }
}

RasterSurface ReductionSource::Picture() const {
  return {const_cast<std::uint32_t*>(pixels.data()), width, height, width};
}

ReductionSource TakeReductionSource(const ImageTab& tab) {
  ReductionSource source;
  std::memcpy(source.palette, tab.palette, sizeof source.palette);
  std::memcpy(source.cells, tab.cells, sizeof source.cells);
  source.width = tab.width;
  source.height = tab.height;
  source.pixels.resize(static_cast<std::size_t>(source.width) * source.height);
  for (int y = 0; y < source.height; ++y)
    for (int x = 0; x < source.width; ++x)
      source.pixels[static_cast<std::size_t>(y) * source.width + x] =
          PixelOfColor(tab.palette[CellAt(tab, x, y) & CELL_INDEX_BITS]);
  return source;
}

void RestoreReductionSource(ImageTab& tab, const ReductionSource& source) {
  std::memcpy(tab.palette, source.palette, sizeof source.palette);
  std::memcpy(tab.cells, source.cells, sizeof source.cells);
}

int MaxReductionCount(const ImageTab& tab) { return tab.colorCode == 0 ? 256 : 16; }

int ReductionCountOfText(const std::string& text, int maxCount) {
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  unsigned long number = 0;
  const std::size_t digitsStart = i;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
    number = std::min(number * 10 + static_cast<unsigned long>(text[i] - '0'), 1000000ul);
  while (i < text.size() && text[i] == ' ') ++i;
  // Text that is not a plain number counts as no number.
  if (i == digitsStart || i != text.size()) number = 0;
  if (number < 2 || number > static_cast<unsigned long>(maxCount)) return maxCount;
  return static_cast<int>(number);
}

void ReduceTabColors(ImageTab& tab, const ReductionSource& source, int count) {
  count = std::clamp(count, 1, COLOR_TABLE_SIZE);
  ColorRef table[COLOR_TABLE_SIZE] = {};
  RestoreReductionSource(tab, source);
  FindReducedPalette(count, source.Picture(), 0, 0, source.width, source.height, source.width, source.height, table);
  for (int x = 0; x < source.width; ++x) {
    for (int y = 0; y < source.height; ++y) {
      PixelCell& cell = CellAt(tab, x, y);
      const int index = NearestPaletteIndex(table, count, tab.palette[cell & CELL_INDEX_BITS]);
      cell = static_cast<PixelCell>((cell & ~CELL_INDEX_BITS) | index);
    }
  }
  std::memcpy(tab.palette, table, sizeof table);
  OrganizePalette(tab);
}
