// Feeds arbitrary bytes to the icon reader and to the import's reader and
// conversion. Every input must end in a clean result or a message; the
// sanitizers catch any read outside the file.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "fileio/cursor_format.h"
#include "fileio/icon_format.h"
#include "import/convert.h"
#include "import/read.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const ByteBuffer bytes(data, data + size);
  std::vector<ImageTab> images;
  const std::string error = DecodeIconFile(bytes, images);
  // A file that reads cleanly must write back to one that reads the same.
  if (error.empty() && !images.empty()) {
    std::vector<const ImageTab*> order;
    for (const ImageTab& image : images) order.push_back(&image);
    std::vector<ImageTab> again;
    if (!DecodeIconFile(SerializeIcon(order), again).empty() || again.size() != images.size()) __builtin_trap();
    for (std::size_t i = 0; i < images.size(); ++i)
      for (int x = 0; x < images[i].width; ++x)
        for (int y = 0; y < images[i].height; ++y)
          if (CellAt(images[i], x, y) != CellAt(again[i], x, y)) __builtin_trap();
  }
  // A cursor that reads cleanly writes back to the same bytes once more.
  std::vector<ImageTab> cursors;
  if (DecodeCursorFile(bytes, cursors).empty() && !cursors.empty()) {
    std::vector<const ImageTab*> order;
    for (const ImageTab& image : cursors) order.push_back(&image);
    const ByteBuffer written = SerializeCursor(order);
    std::vector<ImageTab> again;
    if (!DecodeCursorFile(written, again).empty()) __builtin_trap();
    std::vector<const ImageTab*> againOrder;
    for (const ImageTab& image : again) againOrder.push_back(&image);
    if (SerializeCursor(againOrder) != written) __builtin_trap();
  }
  // The import reads every entry it can and converts it; an entry it cannot
  // read must say why and carry no picture.
  std::vector<ImportEntry> entries;
  if (ReadImportEntries(bytes, entries).empty()) {
    ImageTab tab{};
    for (const ImportEntry& entry : entries) {
      if (!entry.problem.empty()) {
        if (!entry.picture.pixels.empty()) __builtin_trap();
        continue;
      }
      if (entry.png) continue;
      ConvertPicture(ScalePictureToFit(entry.picture, MAX_IMAGE_SIZE), size % 2 == 0, tab);
    }
  }
  return 0;
}
