// Writing and reading back an icon file of twenty 64 x 64 images with 256
// colours, the largest file the program makes.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <unistd.h>
#include <vector>

#include "fileio/icon_format.h"
#include "platform/file_bytes.h"

namespace {

std::vector<ImageTab> LargestSet() {
  std::vector<ImageTab> tabs(20);
  for (std::size_t i = 0; i < tabs.size(); ++i) {
    ImageTab& tab = tabs[i];
    tab.width = tab.height = 64;
    tab.colorCode = 0;
    for (int c = 0; c < 256; ++c) tab.palette[c] = static_cast<ColorRef>(c * 0x010203 + i) & 0xFFFFFF;
    for (int x = 0; x < 64; ++x)
      for (int y = 0; y < 64; ++y)
        CellAt(tab, x, y) = static_cast<PixelCell>(((x * 7 + y * 13 + i) & 0xFF) | ((x + y) % 5 == 0 ? 0x100 : 0));
  }
  return tabs;
}

std::vector<const ImageTab*> Pointers(const std::vector<ImageTab>& tabs) {
  std::vector<const ImageTab*> pointers;
  for (const ImageTab& tab : tabs) pointers.push_back(&tab);
  return pointers;
}

// Encoding and decoding in memory: the cost of the format itself.
void BM_IconEncodeDecode(benchmark::State& state) {
  const auto tabs = LargestSet();
  const auto pointers = Pointers(tabs);
  std::vector<ImageTab> images;
  for (auto _ : state) {
    const ByteBuffer bytes = SerializeIcon(pointers);
    const std::string error = DecodeIconFile(bytes, images);
    if (!error.empty() || images.size() != tabs.size()) state.SkipWithError("round trip failed");
    benchmark::DoNotOptimize(images.data());
  }
  state.SetItemsProcessed(state.iterations() * static_cast<long>(tabs.size()));
}
BENCHMARK(BM_IconEncodeDecode);

// The whole save and open of the file on disk: the safe write (with its
// flush to disk), the bounded read and the decode.
void BM_IconFileWriteRead(benchmark::State& state) {
  const auto tabs = LargestSet();
  const auto pointers = Pointers(tabs);
  const std::string path = "/tmp/quillet2_bench_" + std::to_string(::getpid()) + ".ico";
  std::vector<ImageTab> images;
  for (auto _ : state) {
    if (WriteFileBytesSafely(path, SerializeIcon(pointers)) != WriteResult::Ok) state.SkipWithError("write failed");
    const auto bytes = ReadFileBytes(path, ICON_MAX_FILE_BYTES);
    if (!bytes || !DecodeIconFile(*bytes, images).empty()) state.SkipWithError("read failed");
    benchmark::DoNotOptimize(images.data());
  }
  std::remove(path.c_str());
  state.SetItemsProcessed(state.iterations() * static_cast<long>(tabs.size()));
}
// Wall-clock time: most of it is spent waiting for the disk.
BENCHMARK(BM_IconFileWriteRead)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
