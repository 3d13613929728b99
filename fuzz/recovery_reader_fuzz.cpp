// Feeds arbitrary bytes to the recovery record reader. A record it takes
// must write back to a record that reads the same, and its summary (what
// the start offers, read from the field heads alone) must agree with it.
// The checksum is set right before reading, so that mutations reach the
// fields instead of stopping at the CRC.

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "storage/recovery_format.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  ByteBuffer bytes(data, data + size);
  if (size >= RECOVERY_HEADER_BYTES) {
    const std::uint32_t crc = RecoveryCrc32(bytes.data() + RECOVERY_HEADER_BYTES, size - RECOVERY_HEADER_BYTES);
    for (int i = 0; i < 4; ++i) bytes[16 + i] = static_cast<std::uint8_t>(crc >> (8 * i));
  }
  RecoverySummary summary;
  const RecoveryRead summarized = ReadRecoverySummary(
      [&](std::uint64_t at, std::uint8_t* to, std::size_t n) {
        if (at > bytes.size() || n > bytes.size() - at) return false;
        if (n > 0) std::memcpy(to, bytes.data() + at, n);
        return true;
      },
      bytes.size(), summary);
  RecoveryDocument document;
  if (ParseRecovery(bytes.data(), bytes.size(), document) != RecoveryRead::Ok) return 0;
  int changed = 0;
  for (const RecoveryTab& tab : document.tabs) changed += tab.changed ? 1 : 0;
  if (summarized != RecoveryRead::Ok || summary.name != document.name || summary.writtenAt != document.writtenAt ||
      summary.tabCount != static_cast<int>(document.tabs.size()) || summary.changedCount != changed)
    __builtin_trap();
  const ByteBuffer again = SerializeRecovery(document);
  RecoveryDocument reread;
  if (ParseRecovery(again.data(), again.size(), reread) != RecoveryRead::Ok) __builtin_trap();
  if (reread.name != document.name || reread.file != document.file || reread.tabs.size() != document.tabs.size())
    __builtin_trap();
  const RecoveryAnimationFile& a = document.animationFile;
  const RecoveryAnimationFile& b = reread.animationFile;
  if (a.known != b.known || a.info != b.info || a.chunkOrder != b.chunkOrder || a.planes != b.planes) __builtin_trap();
  for (std::size_t t = 0; t < document.tabs.size(); ++t) {
    const RecoveryTab& x = document.tabs[t];
    const RecoveryTab& y = reread.tabs[t];
    if (x.width != y.width || x.height != y.height || x.colorCode != y.colorCode || x.title != y.title) __builtin_trap();
    if (std::memcmp(x.cells, y.cells, sizeof x.cells) != 0) __builtin_trap();
  }
  return 0;
}
