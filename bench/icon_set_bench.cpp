// Exporting an icon set from one 256 px image to all four platforms: 30
// pictures in 18 files (an .ico of six, ten hicolor PNG files, an .icns of
// eleven entries and the web set). Making the bytes alone, and making them
// and writing every file with the safe save (with its flush to disk).

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <unistd.h>

#include "fileio/true_colour_image.h"
#include "import/icon_set_flow.h"
#include "import/true_colour_entries.h"

namespace {

// A disc in a gradient whose edge fades out, over transparency: a typical
// application icon's mix of flat, graded and soft pixels.
IconSetInput TypicalInput() {
  IconSetInput input;
  input.name = "app";
  RgbaPicture picture{256, 256, std::vector<std::uint32_t>(256 * 256, 0)};
  for (int y = 0; y < 256; ++y)
    for (int x = 0; x < 256; ++x) {
      const double distance = std::hypot(x - 127.5, y - 127.5) / 120.0;
      const double fade = std::clamp((1.0 - distance) / 0.1, 0.0, 1.0);
      picture.pixels[static_cast<std::size_t>(y) * 256 + x] = static_cast<std::uint32_t>(fade * 255) << 24 |
                                                              static_cast<std::uint32_t>(x) << 16 | 0x60u << 8 |
                                                              static_cast<std::uint32_t>(255 - y);
    }
  input.images.push_back({picture, 32});
  return input;
}

void BM_MakeIconSet(benchmark::State& state) {
  const IconSetInput input = TypicalInput();
  for (auto _ : state) {
    const IconSet set = MakeIconSet(input);
    if (!set.error.empty()) state.SkipWithError("the set was not made");
    benchmark::DoNotOptimize(set.files.data());
  }
}
BENCHMARK(BM_MakeIconSet)->Unit(benchmark::kMillisecond);

void BM_ExportIconSet(benchmark::State& state) {
  const IconSetInput input = TypicalInput();
  const std::string folder = "/tmp/quillet2_bench_set_" + std::to_string(::getpid());
  for (auto _ : state) {
    const IconSet set = MakeIconSet(input);
    if (WriteSetFiles(folder, SetFilesOf(set)).result != WriteResult::Ok) state.SkipWithError("write failed");
  }
  std::system(("rm -rf " + folder).c_str());
}
BENCHMARK(BM_ExportIconSet)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication application(argc, argv);
  SetPngPictureWriter(PngPictureData);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  return 0;
}
