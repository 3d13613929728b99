// Feeds arbitrary bytes to the recovery record reader. A record it takes
// must write back to a record that reads the same.

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "storage/recovery_format.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  RecoveryDocument document;
  if (ParseRecovery(data, size, document) != RecoveryRead::Ok) return 0;
  const ByteBuffer again = SerializeRecovery(document);
  RecoveryDocument reread;
  if (ParseRecovery(again.data(), again.size(), reread) != RecoveryRead::Ok) __builtin_trap();
  if (reread.name != document.name || reread.file != document.file || reread.tabs.size() != document.tabs.size())
    __builtin_trap();
  for (std::size_t t = 0; t < document.tabs.size(); ++t) {
    const RecoveryTab& a = document.tabs[t];
    const RecoveryTab& b = reread.tabs[t];
    if (a.width != b.width || a.height != b.height || a.colorCode != b.colorCode || a.title != b.title) __builtin_trap();
    if (std::memcmp(a.cells, b.cells, sizeof a.cells) != 0) __builtin_trap();
  }
  return 0;
}
