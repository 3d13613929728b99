#pragma once
// The recovery record: what a run keeps of its unsaved document, so that the
// next start can bring it back after a crash, a kill or a power cut.
//
// Little-endian throughout:
//
//   offset  0  8 bytes  "Q2RECOV\x1A"
//           8  u16      format version (RECOVERY_FORMAT_VERSION)
//          10  u16      0
//          12  u32      body length
//          16  u32      CRC-32 of the body
//          20  body
//
// The body is a run of fields, each a u8 tag, a u32 length and that many
// bytes: the document's fields and one RECOVERY_TAB field per tab in strip
// order, whose bytes are again fields. A reader skips a field it does not
// know when the tag has RECOVERY_OPTIONAL set; any other unknown tag means
// the record was written by a newer program and is refused, so that nothing
// is restored with a part missing. A new field of a tab is one tag, one line
// in WriteRecoveryTabFields and one case in ReadRecoveryTabField.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "model/image_tab.h"
#include "platform/file_bytes.h"

inline constexpr std::uint16_t RECOVERY_FORMAT_VERSION = 1;
inline constexpr std::size_t RECOVERY_HEADER_BYTES = 20;
// Larger records are refused unread: 20 editable tabs take about 200 KiB
// (5 MiB in true colour), 20 of the largest kept images (1024 x 1024 in 32
// bits) about 85 MiB.
inline constexpr std::size_t RECOVERY_MAX_BYTES = 128u << 20;
// Longest document name or file name taken.
inline constexpr std::size_t RECOVERY_MAX_NAME = 16384;

inline constexpr std::uint8_t RECOVERY_OPTIONAL = 0x80;
inline constexpr std::size_t RECOVERY_KEPT_DIRECTORY_BYTES = 16;

// Fields of the body.
enum : std::uint8_t {
  RECOVERY_DOC_NAME = 1,     // bytes: the name in the caption
  RECOVERY_DOC_FILE = 2,     // bytes: the icon file Save writes without asking, or empty
  RECOVERY_WRITTEN_AT = 3,   // i64: seconds since 1970 when the record was taken
  RECOVERY_PID = 4,          // u32: the process that wrote it
  RECOVERY_CURRENT = 5,      // u32: strip position of the tab shown
  RECOVERY_TAB = 6,          // fields of one tab
  RECOVERY_FILE_STATE = RECOVERY_OPTIONAL | 7,  // 5 x u64: device, inode, size, mtime s, ns
  // An animated cursor's sequence: u32 default time, then per step u32
  // strip position of its frame and u32 own time (0: the frame's).
  RECOVERY_ANIMATION = RECOVERY_OPTIONAL | 8,
  // What an animated cursor's file held besides frames and steps, which
  // Save writes back: u32 width, height, bit count and planes of the
  // header, u8 flags (1 rate chunk, 2 sequence chunk, 4 INFO list), u32
  // length and the INFO list's bytes, u8 count and the chunk order as
  // four-byte ids.
  RECOVERY_ANIMATION_FILE = RECOVERY_OPTIONAL | 9,
};

// Fields of a tab.
enum : std::uint8_t {
  RECOVERY_TAB_SIZE = 1,     // u8 width, u8 height, u8 colour code
  RECOVERY_TAB_TITLE = 2,    // bytes
  RECOVERY_TAB_PALETTE = 3,  // PaletteSize x u32 COLORREF
  RECOVERY_TAB_CELLS = 4,    // width x height x u16, column by column
  RECOVERY_TAB_CHANGED = 5,  // u8: changed since it was opened or saved
  RECOVERY_TAB_BACKGROUND = RECOVERY_OPTIONAL | 6,  // u8: background colour index
  RECOVERY_TAB_HOT_SPOT = RECOVERY_OPTIONAL | 7,    // u8 x, u8 y: a cursor image's hot spot
  // A kept image: its 16-byte directory entry, then its bytes as the file had
  // them. Not optional: a reader that cannot keep it would restore a blank.
  RECOVERY_TAB_KEPT = 8,
  RECOVERY_TAB_FRAME_RATE = RECOVERY_OPTIONAL | 9,  // u32: an animation frame's time in 1/60 s
  // A true-colour tab: u16 width, u16 height (1..256), width x height u32
  // ARGB cells column by column, then its 256 swatches as u32. It follows
  // the size, palette and cells fields, which then stand for a blank 1 x 1
  // image of 256 colours. Only such tabs carry it, so records
  // without it read as before; it is not optional, because a reader that
  // cannot take it would restore a blank.
  RECOVERY_TAB_TRUE_COLOUR = 10,
};

struct RecoveryTab {
  int width = 1;
  int height = 1;
  std::uint8_t colorCode = 16;
  std::string title;
  bool changed = false;
  int backgroundIndex = -1;
  std::uint8_t hotSpotX = 0;
  std::uint8_t hotSpotY = 0;
  std::uint32_t frameRate = 0;
  // A kept tab's directory entry and image bytes; empty for an ordinary tab.
  std::vector<std::uint8_t> keptDirectory;
  std::vector<std::uint8_t> keptData;
  ColorRef palette[256] = {};
  TabKind kind = TabKind::Indexed;
  // Column-major as in ImageTab: cells[x * STORE_SIZE + y].
  PixelCell cells[CELL_COUNT] = {};
  // The required fields read so far (RECOVERY_TAB_... bits), for the reader.
  unsigned seen = 0;
};

// Identity of the document's file when the record was taken.
struct RecoveryFileState {
  bool known = false;
  std::uint64_t device = 0;
  std::uint64_t inode = 0;
  std::uint64_t size = 0;
  std::int64_t seconds = 0;
  std::int64_t nanoseconds = 0;
};

// The parts of an animated cursor's file kept for Save (model/animation.h).
struct RecoveryAnimationFile {
  bool known = false;
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  std::uint32_t bitCount = 0;
  std::uint32_t planes = 0;
  bool rateChunk = false;
  bool sequenceChunk = false;
  bool hasInfo = false;
  std::vector<std::uint8_t> info;
  std::vector<std::string> chunkOrder;
};

struct RecoveryDocument {
  std::string name;
  std::string file;
  RecoveryFileState fileState;
  std::int64_t writtenAt = 0;
  std::uint32_t pid = 0;
  int currentPosition = 0;
  std::vector<RecoveryTab> tabs;
  // The animation's steps by strip position; empty for no animation.
  std::uint32_t animationDefaultRate = 0;
  std::vector<std::pair<std::uint32_t, std::uint32_t>> animationSteps;
  RecoveryAnimationFile animationFile;
};

// What the start offers of a record, read without its images.
struct RecoverySummary {
  std::string name;
  std::int64_t writtenAt = 0;
  int tabCount = 0;
  int changedCount = 0;
};

enum class RecoveryRead { Ok, Truncated, Damaged, Newer, TooLarge };

// Appends fields to a body.
class RecoveryFieldWriter {
 public:
  explicit RecoveryFieldWriter(ByteBuffer& out) : out_(out) {}
  void Bytes(std::uint8_t tag, const std::uint8_t* data, std::size_t size);
  void Text(std::uint8_t tag, const std::string& text);
  void U8(std::uint8_t tag, std::uint8_t value) { Bytes(tag, &value, 1); }
  void U32(std::uint8_t tag, std::uint32_t value);
  void I64(std::uint8_t tag, std::int64_t value);
  // Starts a field whose length is filled in by EndNested.
  std::size_t BeginNested(std::uint8_t tag);
  void EndNested(std::size_t start);

 private:
  ByteBuffer& out_;
};

// One field's bytes as read.
struct RecoveryField {
  std::uint8_t tag = 0;
  const std::uint8_t* data = nullptr;
  std::size_t size = 0;
};

void WriteRecoveryTabFields(RecoveryFieldWriter& out, const RecoveryTab& tab);
// Takes one field of a tab; Newer for a required field it does not know.
RecoveryRead ReadRecoveryTabField(const RecoveryField& field, RecoveryTab& tab);

ByteBuffer SerializeRecovery(const RecoveryDocument& document);
// Reads a whole record. Anything but Ok leaves `out` unspecified.
RecoveryRead ParseRecovery(const std::uint8_t* data, std::size_t size, RecoveryDocument& out);

// Reads `size` bytes at `offset` of a record; false when it cannot.
using RecoveryReadAt = std::function<bool(std::uint64_t offset, std::uint8_t* to, std::size_t size)>;
// Reads the summary of a record of `size` bytes from its header and the
// heads of its fields, skipping palettes, cells and kept images, so that
// offering a large record costs little. The checks that need every byte
// (the CRC, the fields' contents) are ParseRecovery's, when it is restored.
RecoveryRead ReadRecoverySummary(const RecoveryReadAt& read, std::uint64_t size, RecoverySummary& out);

std::uint32_t RecoveryCrc32(const std::uint8_t* data, std::size_t size);
