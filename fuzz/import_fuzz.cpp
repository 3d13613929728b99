// Feeds arbitrary bytes to the import as the program reads a file: bytes
// that start like an icon file go through the icon reader with its PNG
// images decoded by Qt, bytes that start like an SVG document or a gzip
// stream through the SVG reader (librsvg, in a child process per parse and
// render, so those inputs run slower), the rest through the checks and Qt's
// picture readers (PNG, BMP, GIF). Every readable image is planned and converted as
// the dialog and the import would. The sanitizers catch any read outside the
// file; a picture larger than the largest image size or a readable entry
// without a picture is a fault.

#include <QCoreApplication>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "import/convert.h"
#include "import/decode.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  // Qt finds its image format plugins (GIF) through the application.
  static QCoreApplication application(*argc, *argv);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::uint8_t ICON_START[4] = {0, 0, 1, 0};
  const bool icon = size >= 4 && std::memcmp(data, ICON_START, 4) == 0;
  const ImportSource source = ReadImportBytes(ByteBuffer(data, data + size), icon);
  if (!source.error.empty()) return 0;
  ImageTab tab{};
  // Quantizing is by far the slowest step, and it sees the same kind of
  // small picture from every entry; converting one entry an input keeps the
  // target fast on icons with many images.
  bool converted = false;
  for (const ImportEntry& entry : source.entries) {
    if (!entry.problem.empty()) continue;
    if (entry.picture.pixels.empty() || entry.picture.width > MAX_IMAGE_SIZE || entry.picture.height > MAX_IMAGE_SIZE)
      __builtin_trap();
    const ImportPlan plan = PlanImport(entry);
    DescribeLoss(plan);
    if (!converted) ConvertPicture(plan.scaled, size % 2 == 0, tab);
    converted = true;
  }
  return 0;
}
