// What keeping recovery data costs: the user-interface thread's time per
// recovery write (copying 20 tabs of 64 x 64 in 256 colours and handing the
// copy to the writer thread), the writer's time per record (bytes, CRC,
// safe write with its sync) and the size of the record. Prints medians and
// 99th percentiles. Then what the next start spends on six ended runs of
// 20 kept images of 4 MiB each: claiming them (what the offers show) and
// reading the one restored.
//
// Usage: bench_recovery [RUNS] [FOLDER]   (FOLDER: where the records go; a
// fresh folder under /tmp when not given)

#include <unistd.h>

#include <QApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "app/recovery.h"
#include "model/never_saved.h"
#include "model/tab_lifecycle.h"
#include "storage/recovery_store.h"

namespace {

using Clock = std::chrono::steady_clock;

void Report(const char* name, std::vector<double> times) {
  std::sort(times.begin(), times.end());
  const double median = times[times.size() / 2];
  const double p99 = times[std::min(times.size() - 1, times.size() * 99 / 100)];
  std::printf("%-48s median %8.3f ms   p99 %8.3f ms   (%zu runs)\n", name, median, p99, times.size());
}

}  // namespace

int main(int argc, char* argv[]) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
  std::string folder = argc > 2 ? argv[2] : "";
  if (folder.empty()) {
    char pattern[] = "/tmp/q2_bench_recovery_XXXXXX";
    if (::mkdtemp(pattern) == nullptr) return 1;
    folder = pattern;
  }
  QApplication application(argc, argv);
  iniPath = folder + "/bench.ini";
  CreateMainWindow();
  StartKeepingRecovery({folder + "/recovery", 3000, 30000});
  for (int i = 0; i < 20; ++i) {
    ImageTab* tab = CreateTab("", 64, 64, 0);
    tab->width = 64;
    tab->height = 64;
    tab->colorCode = 0;
    for (int c = 0; c < 256; ++c) tab->palette[c] = static_cast<ColorRef>(c * 0x010203) & 0xFFFFFF;
    for (int x = 0; x < 64; ++x)
      for (int y = 0; y < 64; ++y) CellAt(*tab, x, y) = static_cast<PixelCell>((x * 5 + y * 3 + i) & 0xFF);
    MarkTabNeverSaved(*tab);
  }
  tabSet.currentPosition = 0;
  ShowCurrentPosition();

  std::vector<double> ui;
  std::vector<double> writer;
  for (int i = 0; i < runs; ++i) {
    CellAt(*CurrentTab(), i % 64, 0) ^= 1;
    const auto start = Clock::now();
    WriteRecoveryNow();
    const auto handed = Clock::now();
    WaitForRecoveryWrites(60000);
    const auto written = Clock::now();
    ui.push_back(std::chrono::duration<double, std::milli>(handed - start).count());
    writer.push_back(std::chrono::duration<double, std::milli>(written - handed).count());
  }
  const std::string record = RecoveryRunFolder() + "/" + RECOVERY_RECORD_NAME;
  std::error_code error;
  const auto size = std::filesystem::file_size(record, error);
  Report("UI thread per recovery write (20 x 64x64x256)", ui);
  Report("writer thread per record (bytes, CRC, sync)", writer);
  std::printf("record size: %llu bytes\n", static_cast<unsigned long long>(error ? 0 : size));
  EndRecovery();

  // Six runs that ended without cleaning up, each with 20 large kept images.
  const std::string ended = folder + "/ended";
  {
    RecoveryDocument large;
    large.name = "large.ico";
    for (int i = 0; i < 20; ++i) {
      RecoveryTab tab;
      tab.title = " 1024x1024 32-bit ";
      tab.changed = true;
      tab.keptDirectory.assign(RECOVERY_KEPT_DIRECTORY_BYTES, 0);
      tab.keptData.assign(4u << 20, static_cast<std::uint8_t>(i));
      large.tabs.push_back(std::move(tab));
    }
    const ByteBuffer bytes = SerializeRecovery(large);
    for (int i = 0; i < 6; ++i) {
      RecoveryRun run = NewRecoveryRun(ended);
      run.name += "-" + std::to_string(i);
      WriteRecoveryRecord(run, bytes);
      ::close(run.lockFd);
      ::close(run.folderFd);
    }
  }
  const auto claimStart = Clock::now();
  std::vector<EndedRun> claimed = ClaimEndedRuns(ended, "");
  const auto claimEnd = Clock::now();
  const RecoveryProblem loaded = claimed.empty() ? RecoveryProblem::Unreadable : LoadEndedRun(claimed[0]);
  const auto loadEnd = Clock::now();
  std::printf("claiming %zu ended runs of 20 x 4 MiB: %.1f ms; reading the one restored: %.1f ms (%s)\n",
              claimed.size(), std::chrono::duration<double, std::milli>(claimEnd - claimStart).count(),
              std::chrono::duration<double, std::milli>(loadEnd - claimEnd).count(),
              loaded == RecoveryProblem::None ? "read" : "not read");
  for (EndedRun& run : claimed) DiscardEndedRun(run);
  DestroyMainWindow();
  std::filesystem::remove_all(folder, error);
  return 0;
}
