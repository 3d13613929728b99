// The colours an imported true-colour image gets, on real artwork (the
// icons under tests/data/import, made from Debian's gnome-icon-theme): the
// import's quantizer against the shrink search that the plain paste uses to
// find a picture's own colours, both choosing 256 colours for the same
// images. Each reports its mean squared error per opaque pixel (summed over
// red, green and blue) beside its time. Then the import's targets of 2, 16
// and 256 colours, without dithering and with several shares of the error
// passed on, on pictures made from the artwork Debian ships.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "canvas/raster.h"
#include "import/convert.h"
#include "import/decode.h"
#include "import/quantize.h"
#include "import/targets.h"
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

// Artwork that Debian ships (the Adwaita icon theme's 512 pixel pictures
// and Debian's logo), read by the import as the user would import them and
// made into a 64 x 64 target as the dialog makes it.
const std::vector<RgbaPicture>& Artwork() {
  static const std::vector<RgbaPicture> pictures = [] {
    std::vector<RgbaPicture> all;
    const std::string adwaita = "/usr/share/icons/Adwaita/512x512/";
    for (const std::string name :
         {"places/folder-pictures", "places/user-bookmarks", "mimetypes/x-office-document",
          "mimetypes/image-x-generic", "mimetypes/video-x-generic", "mimetypes/audio-x-generic",
          "devices/camera-web", "devices/input-keyboard", "devices/drive-harddisk", "devices/media-optical",
          "devices/input-gaming", "devices/audio-headphones", "devices/printer-network", "devices/audio-microphone"}) {
      const ImportSource source = ReadImportSource(adwaita + name + ".png");
      if (source.error.empty() && !source.entries.empty())
        all.push_back(FitPictureInSquare(source.entries[0].picture, 64));
    }
    const ImportSource logo = ReadImportSource("/usr/share/pixmaps/debian-logo.png");
    if (logo.error.empty() && !logo.entries.empty()) all.push_back(FitPictureInSquare(logo.entries[0].picture, 64));
    return all;
  }();
  return pictures;
}

// The error of the image against the picture, per opaque pixel.
Error MadeError(const RgbaPicture& picture, const ImageTab& tab) {
  Error error;
  for (int y = 0; y < picture.height; ++y)
    for (int x = 0; x < picture.width; ++x) {
      const std::uint32_t p = picture.At(x, y);
      if (AlphaOf(p) < IMPORT_ALPHA_THRESHOLD) continue;
      const ColorRef c = tab.palette[CellAt(tab, x, y) & CELL_INDEX_BITS];
      error.sum += ColourDistance(p, static_cast<std::uint32_t>(RedOf(c) << 16 | GreenOf(c) << 8 | BlueOf(c)));
      ++error.pixels;
    }
  return error;
}

// Dithering trades a larger error per pixel for a truer colour over an
// area, which is what the eye sees; so the error is also measured after both
// pictures are averaged over 3 x 3 pixels, where all nine are opaque.
Error BlurredError(const RgbaPicture& picture, const ImageTab& tab) {
  Error error;
  for (int y = 1; y + 1 < picture.height; ++y)
    for (int x = 1; x + 1 < picture.width; ++x) {
      double want[3] = {}, got[3] = {};
      bool opaque = true;
      for (int dy = -1; dy <= 1 && opaque; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
          const std::uint32_t p = picture.At(x + dx, y + dy);
          if (AlphaOf(p) < IMPORT_ALPHA_THRESHOLD) {
            opaque = false;
            break;
          }
          const ColorRef c = tab.palette[CellAt(tab, x + dx, y + dy) & CELL_INDEX_BITS];
          for (int k = 0; k < 3; ++k) want[k] += (p >> (16 - 8 * k) & 0xFF) / 9.0;
          got[0] += RedOf(c) / 9.0;
          got[1] += GreenOf(c) / 9.0;
          got[2] += BlueOf(c) / 9.0;
        }
      if (!opaque) continue;
      for (int k = 0; k < 3; ++k) error.sum += (want[k] - got[k]) * (want[k] - got[k]);
      ++error.pixels;
    }
  return error;
}

// One colour count with one share of dithering (0: none): the mean squared
// error, per pixel and over 3 x 3 areas, over all pictures and the time to
// make them all.
void BM_ArtworkTarget(benchmark::State& state, int colours, float share) {
  const auto& pictures = Artwork();
  if (pictures.empty()) state.SkipWithError("no Debian artwork installed (adwaita-icon-theme)");
  Error total, blurred;
  auto tab = std::make_unique<ImageTab>();
  for (auto _ : state) {
    total = blurred = {};
    for (const RgbaPicture& picture : pictures) {
      ConvertPictureWithShare(picture, colours, share, *tab);
      const Error e = MadeError(picture, *tab);
      total.sum += e.sum;
      total.pixels += e.pixels;
      const Error b = BlurredError(picture, *tab);
      blurred.sum += b.sum;
      blurred.pixels += b.pixels;
    }
  }
  state.counters["pictures"] = static_cast<double>(pictures.size());
  state.counters["mse"] = total.pixels > 0 ? total.sum / total.pixels : 0;
  state.counters["mse3x3"] = blurred.pixels > 0 ? blurred.sum / blurred.pixels : 0;
}

}  // namespace

int main(int argc, char** argv) {
  for (int colours : {2, 16, 256})
    for (float share : {0.f, 0.5f, 0.625f, IMPORT_DITHER_SHARE, 0.875f, 1.f})
      benchmark::RegisterBenchmark(
          ("Artwork/colours:" + std::to_string(colours) + "/dither:" + std::to_string(share).substr(0, 5)).c_str(),
          BM_ArtworkTarget, colours, share)
          ->Unit(benchmark::kMillisecond);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
