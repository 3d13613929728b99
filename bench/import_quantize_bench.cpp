// The colours an imported true-colour image gets, on real artwork (the
// icons under tests/data/import, made from Debian's gnome-icon-theme): the
// import's quantizer against the shrink search that the plain paste uses to
// find a picture's own colours, both choosing 256 colours for the same
// images. Each reports its mean squared error per opaque pixel (summed over
// red, green and blue) beside its time.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

#include "canvas/raster.h"
#include "fileio/icon_import_convert.h"
#include "fileio/icon_import_decode.h"
#include "fileio/icon_import_quantize.h"
#include "palette/colour_math.h"
#include "palette/colour_reduction.h"

namespace {

// Every image of the real icons that has more than 256 opaque colours,
// scaled as the import scales it.
const std::vector<RgbaPicture>& Images() {
  static const std::vector<RgbaPicture> images = [] {
    std::vector<RgbaPicture> all;
    for (const char* name : {"utilities-terminal", "accessories-calculator", "computer", "web-browser"}) {
      const ImportSource source = ReadImportSource(std::string(TEST_DATA_DIR) + "/import/" + name + ".ico");
      for (const ImportEntry& entry : source.entries) {
        if (!entry.problem.empty()) continue;
        RgbaPicture picture = ScalePictureToFit(entry.picture, 64);
        if (PlanImport(picture).scaledColours > 256) all.push_back(std::move(picture));
      }
    }
    return all;
  }();
  return images;
}

std::vector<std::uint32_t> OpaqueColours(const RgbaPicture& picture) {
  std::vector<std::uint32_t> opaque;
  for (std::uint32_t p : picture.pixels)
    if (AlphaOf(p) >= IMPORT_ALPHA_THRESHOLD) opaque.push_back(p & 0xFFFFFFu);
  return opaque;
}

struct Error {
  double sum = 0;
  long pixels = 0;
};

Error QuantizerError(const RgbaPicture& picture) {
  const std::vector<std::uint32_t> opaque = OpaqueColours(picture);
  const std::vector<std::uint32_t> palette = QuantizeColours(CountColours(opaque), 256);
  Error error;
  for (std::uint32_t p : opaque) error.sum += ColourDistance(p, palette[NearestColourIndex(palette, p)]);
  error.pixels = static_cast<long>(opaque.size());
  return error;
}

// The paste's way: the picture as the clipboard would hold it (transparent
// pixels black), FindReducedPalette for 256 colours at its own size, and
// every pixel to the nearest of them.
Error ShrinkSearchError(const RgbaPicture& picture) {
  std::vector<std::uint32_t> pixels(picture.pixels.size());
  for (std::size_t i = 0; i < pixels.size(); ++i)
    pixels[i] = AlphaOf(picture.pixels[i]) >= IMPORT_ALPHA_THRESHOLD ? 0xFF000000u | picture.pixels[i] : 0xFF000000u;
  const RasterSurface surface{pixels.data(), picture.width, picture.height, picture.width};
  ColorRef table[COLOR_TABLE_SIZE] = {};
  FindReducedPalette(256, surface, 0, 0, picture.width, picture.height, picture.width, picture.height, table);
  std::vector<std::uint32_t> palette;
  for (ColorRef c : table) palette.push_back(static_cast<std::uint32_t>(RedOf(c) << 16 | GreenOf(c) << 8 | BlueOf(c)));
  Error error;
  for (std::uint32_t p : OpaqueColours(picture)) {
    const ColorRef colour = MakeColor(p >> 16 & 0xFF, p >> 8 & 0xFF, p & 0xFF);
    error.sum += ColourDistance(p, palette[NearestPaletteIndex(table, 256, colour)]);
    ++error.pixels;
  }
  return error;
}

template <Error (*Measure)(const RgbaPicture&)>
void BM_MeanSquaredError(benchmark::State& state) {
  const auto& images = Images();
  if (images.empty()) state.SkipWithError("no real icons with more than 256 colours");
  Error total;
  for (auto _ : state) {
    total = {};
    for (const RgbaPicture& picture : images) {
      const Error e = Measure(picture);
      total.sum += e.sum;
      total.pixels += e.pixels;
    }
  }
  state.counters["images"] = static_cast<double>(images.size());
  state.counters["mse"] = total.pixels > 0 ? total.sum / total.pixels : 0;
  state.SetItemsProcessed(state.iterations() * static_cast<long>(images.size()));
}
BENCHMARK_TEMPLATE(BM_MeanSquaredError, QuantizerError)->Name("ImportQuantizer")->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_MeanSquaredError, ShrinkSearchError)->Name("PasteShrinkSearch")->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
