// Peak memory and time of importing hostile icon files, up to the moment the
// import dialog (or a refusal) appears:
//   bomb      a small icon whose 256 directory entries all point at one
//             4096 x 4096 PNG image;
//   distinct  an icon of 64 different 4096 x 4096 PNG images (refused once
//             the images read would pass the bound on one file's pixels);
//   small     a 16 x 16 picture, for the memory the program itself takes.
// Each import runs in a child process of a child process: the middle one
// reads the worker's peak resident size with getrusage(RUSAGE_CHILDREN), so
// each figure belongs to one import alone. The worker runs under an address
// space limit (3 GB unless QUILLET2_BENCH_LIMIT_MB says otherwise), so a
// runaway import ends in an allocation failure instead of taking the
// machine's memory.
//
// Usage: bench_import_memory [CASE...]   (every case when none is named)

#include <QApplication>
#include <QBuffer>
#include <QDialog>
#include <QImage>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "app/main_window.h"
#include "import/flow.h"
#include "platform/file_bytes.h"
#include "platform/memory.h"
#include "platform/modal.h"

namespace {

using Clock = std::chrono::steady_clock;

void Put(ByteBuffer& b, std::uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

// A 4096 x 4096 picture of four quarters, one of them transparent, in
// colours of its own for each seed: it compresses to a few dozen kilobytes.
ByteBuffer LargePng(unsigned seed) {
  const int size = 4096;
  QImage image(size, size, QImage::Format_ARGB32);
  const QRgb colours[4] = {qRgba(seed * 37 % 256, 40, 200, 255), qRgba(10, seed * 91 % 256, 60, 255),
                           qRgba(250, 250, seed % 256, 255), qRgba(0, 0, 0, 0)};
  for (int y = 0; y < size; ++y) {
    auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < size; ++x) row[x] = colours[(y >= size / 2) * 2 + (x >= size / 2)];
  }
  QByteArray data;
  QBuffer buffer(&data);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return ByteBuffer(data.begin(), data.end());
}

// An icon whose entries point at the given images: entry i at image
// images[i % images.size()], each image stored once.
ByteBuffer IconOf(const std::vector<ByteBuffer>& images, int entries) {
  ByteBuffer b;
  Put(b, 0, 2);
  Put(b, 1, 2);
  Put(b, static_cast<std::uint32_t>(entries), 2);
  std::vector<std::uint32_t> offsets;
  std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * entries);
  for (const ByteBuffer& image : images) {
    offsets.push_back(offset);
    offset += static_cast<std::uint32_t>(image.size());
  }
  for (int i = 0; i < entries; ++i) {
    const std::size_t image = static_cast<std::size_t>(i) % images.size();
    Put(b, 0, 4);  // 256 x 256 in the directory, as large PNG entries say
    Put(b, 1, 2);
    Put(b, 32, 2);
    Put(b, static_cast<std::uint32_t>(images[image].size()), 4);
    Put(b, offsets[image], 4);
  }
  for (const ByteBuffer& image : images) b.insert(b.end(), image.begin(), image.end());
  return b;
}

std::string WriteInput(const std::string& name) {
  ByteBuffer bytes;
  if (name == "bomb") {
    bytes = IconOf({LargePng(1)}, 256);
  } else if (name == "distinct") {
    std::vector<ByteBuffer> images;
    for (unsigned i = 0; i < 64; ++i) images.push_back(LargePng(i + 1));
    bytes = IconOf(images, 64);
  } else {
    QImage image(16, 16, QImage::Format_ARGB32);
    image.fill(qRgba(10, 20, 30, 255));
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    bytes.assign(data.begin(), data.end());
  }
  const std::string path = "/tmp/quillet2-bench-import-" + name + (name == "small" ? ".png" : ".ico");
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  std::printf("%-9s input %8zu bytes\n", name.c_str(), bytes.size());
  std::fflush(stdout);
  return path;
}

struct Outcome {
  double seconds = -1;  // until the dialog or a refusal showed
  char what[96] = {};
};

// The worker: the program's window, then the import, answered by a script
// that notes when the dialog or a message appears and cancels it.
[[noreturn]] void Work(const std::string& path, int out) {
  KeepFreedMemoryForReuse();
  ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  int argc = 1;
  char name[] = "bench_import_memory";
  char* argv[] = {name, nullptr};
  QApplication application(argc, argv);
  iniPath = "/tmp/quillet2-bench-import.ini";
  CreateMainWindow();
  QApplication::processEvents();
  Outcome outcome;
  Clock::time_point start;
  ModalScript script;
  script.onDialog = [&](QDialog& dialog) {
    if (outcome.seconds < 0) {
      outcome.seconds = std::chrono::duration<double>(Clock::now() - start).count();
      std::snprintf(outcome.what, sizeof outcome.what, "dialog");
    }
    dialog.done(IDCANCEL);
  };
  script.onMessageBox = [&](const MessageBoxRequest&) {
    if (outcome.seconds < 0) {
      outcome.seconds = std::chrono::duration<double>(Clock::now() - start).count();
      std::snprintf(outcome.what, sizeof outcome.what, "refusal");
    }
    return IDOK;
  };
  InstallModalScript(&script);
  start = Clock::now();
  ImportFile(path);
  InstallModalScript(nullptr);
  if (::write(out, &outcome, sizeof outcome) != static_cast<ssize_t>(sizeof outcome)) std::_Exit(3);
  std::_Exit(0);
}

struct Report {
  Outcome outcome;
  double total = 0;
  long peakKb = 0;
  int status = 0;
};

// The middle process: runs the worker under the limit and reports its peak.
void Measure(const std::string& name, const std::string& path, long limitMb) {
  int toParent[2];
  if (::pipe(toParent) != 0) return;
  const pid_t middle = ::fork();
  if (middle == 0) {
    ::close(toParent[0]);
    int fromWorker[2];
    if (::pipe(fromWorker) != 0) std::_Exit(2);
    const auto start = Clock::now();
    const pid_t worker = ::fork();
    if (worker == 0) {
      ::close(fromWorker[0]);
      const rlimit limit{static_cast<rlim_t>(limitMb) << 20, static_cast<rlim_t>(limitMb) << 20};
      ::setrlimit(RLIMIT_AS, &limit);
      Work(path, fromWorker[1]);
    }
    ::close(fromWorker[1]);
    Report report;
    if (::read(fromWorker[0], &report.outcome, sizeof report.outcome) != static_cast<ssize_t>(sizeof report.outcome))
      report.outcome = Outcome{};
    ::waitpid(worker, &report.status, 0);
    report.total = std::chrono::duration<double>(Clock::now() - start).count();
    rusage usage{};
    ::getrusage(RUSAGE_CHILDREN, &usage);
    report.peakKb = usage.ru_maxrss;
    const bool sent = ::write(toParent[1], &report, sizeof report) == static_cast<ssize_t>(sizeof report);
    std::_Exit(sent ? 0 : 2);
  }
  ::close(toParent[1]);
  Report report;
  const bool received = ::read(toParent[0], &report, sizeof report) == static_cast<ssize_t>(sizeof report);
  ::close(toParent[0]);
  ::waitpid(middle, nullptr, 0);
  if (!received) {
    std::printf("%-9s no report\n", name.c_str());
    return;
  }
  const std::string ending = WIFEXITED(report.status) ? "exit " + std::to_string(WEXITSTATUS(report.status))
                                                      : "signal " + std::to_string(WTERMSIG(report.status));
  if (report.outcome.seconds >= 0)
    std::printf("%-9s %-7s after %7.2f s   whole run %7.2f s   peak %8.1f MB   (%s)\n", name.c_str(),
                report.outcome.what, report.outcome.seconds, report.total, report.peakKb / 1024.0, ending.c_str());
  else
    std::printf("%-9s no dialog nor refusal   whole run %7.2f s   peak %8.1f MB   (%s)\n", name.c_str(), report.total,
                report.peakKb / 1024.0, ending.c_str());
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char* argv[]) {
  std::vector<std::string> cases;
  for (int i = 1; i < argc; ++i) cases.emplace_back(argv[i]);
  if (cases.empty()) cases = {"small", "bomb", "distinct"};
  const char* limit = std::getenv("QUILLET2_BENCH_LIMIT_MB");
  const long limitMb = limit != nullptr ? std::atol(limit) : 3072;
  // The inputs are made with Qt's PNG writer, which needs no application.
  std::vector<std::string> paths;
  for (const std::string& name : cases) paths.push_back(WriteInput(name));
  std::printf("address space limit %ld MB\n", limitMb);
  for (std::size_t i = 0; i < cases.size(); ++i) Measure(cases[i], paths[i], limitMb);
  for (const std::string& path : paths) std::remove(path.c_str());
  return 0;
}
