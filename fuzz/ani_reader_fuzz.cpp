// Feeds arbitrary bytes to the animated cursor reader and to the checks and
// reading of each frame, as opening the file does. Every input must end in
// a clean result or a message; a file that reads cleanly must write back to
// one that reads the same.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "fileio/ani_format.h"
#include "fileio/cursor_format.h"
#include "fileio/icon_format.h"
#include "fileio/kept_entries.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const ByteBuffer bytes(data, data + size);
  AniFile ani;
  if (!ReadAniBytes(bytes, ani).empty()) return 0;
  if (ani.frames.empty() || ani.steps == 0 || ani.steps > ANI_MAX_STEPS) __builtin_trap();
  for (std::uint32_t step = 0; step < ani.steps; ++step)
    if (FrameOfStep(ani, step) >= ani.frames.size()) __builtin_trap();
  AniFile again;
  if (!ReadAniBytes(SerializeAni(ani), again).empty()) __builtin_trap();
  if (again.frames != ani.frames || again.rates != ani.rates || again.sequence != ani.sequence ||
      again.info != ani.info || again.defaultRate != ani.defaultRate)
    __builtin_trap();
  if (ani.frames.size() > ICON_MAX_IMAGES) return 0;
  for (const ByteBuffer& frame : ani.frames) {
    const IconLayout layout = CheckIconLayout(frame, FileTypeOf(frame) == CURSOR_FILE_TYPE);
    if (!layout.error.empty() || layout.kinds.size() != 1) continue;
    // Open keeps the bytes of each frame (a kept image must read, an
    // editable one is written anew when it does not).
    KeptEntry kept;
    const bool keptRead = ReadKeptEntry(frame, 0, kept);
    if (layout.kinds[0] != EntryKind::Editable || !keptRead) continue;
    IconHeader header;
    std::vector<IconDirEntry> entries;
    if (!ReadIconDirectory(frame, header, entries) || entries.size() != 1) __builtin_trap();
    IconImageShape shape;
    if (!ReadIconImageShape(frame, entries[0].imageOffset, shape)) __builtin_trap();
    ImageTab tab{};
    tab.width = static_cast<std::uint8_t>(shape.width);
    tab.height = static_cast<std::uint8_t>(shape.height);
    tab.colorCode = ColorCodeOfBitCount(shape.bitCount);
    // An image whose bytes end early is refused with a message when opened.
    if (ReadIconImage(frame, tab, entries[0].imageOffset)) HotSpotFromEntry(entries[0], tab);
  }
  return 0;
}
