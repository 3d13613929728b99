// The recovery record: what is written reads back the same, and every kind
// of damage is refused with its own answer instead of a crash.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <tuple>

#include "storage/recovery_format.h"

namespace {

RecoveryTab PatternTab(int width, int height, std::uint8_t code, unsigned seed) {
  RecoveryTab tab;
  tab.width = width;
  tab.height = height;
  tab.colorCode = code;
  tab.title = " " + std::to_string(width) + "x" + std::to_string(height) + "x" + std::to_string(code ? code : 256) + " ";
  tab.changed = seed % 2 == 0;
  tab.backgroundIndex = static_cast<int>(seed % 16);
  const int entries = code == 0 ? 256 : code;
  for (int i = 0; i < entries; ++i) tab.palette[i] = (seed * 2654435761u + static_cast<unsigned>(i) * 40503u) & 0xFFFFFF;
  for (int x = 0; x < width; ++x)
    for (int y = 0; y < height; ++y) {
      const unsigned v = seed + static_cast<unsigned>(x * 7 + y * 13);
      tab.cells[CellIndex(x, y)] = static_cast<PixelCell>((v % entries) | ((v % 5 == 0) ? CELL_MASK_BIT : 0));
    }
  return tab;
}

RecoveryDocument SampleDocument() {
  RecoveryDocument document;
  document.name = "/home/u/icons/app\xff.ico";
  document.file = document.name;
  document.fileState = {true, 2049, 123456, 3262, 1700000000, 999999999};
  document.writtenAt = 1765000000;
  document.pid = 4242;
  document.currentPosition = 2;
  document.tabs = {PatternTab(16, 16, 16, 1), PatternTab(64, 64, 0, 2), PatternTab(1, 64, 2, 3),
                   PatternTab(33, 7, 0, 4), PatternTab(1, 1, 16, 5)};
  // A cursor image's hot spot, and a kept image's entry and bytes.
  document.tabs[1].frameRate = 7;
  document.animationDefaultRate = 12;
  document.animationSteps = {{0, 0}, {1, 30}, {0, 0}, {3, 0}};
  document.animationFile = {true, 32, 32, 8, 1, true, false, true, {'I', 'N', 'A', 'M', 3, 0, 0, 0, 'a', 'b', 0, 0},
                            {"INFO", "anih", "rate", "fram"}};
  document.tabs[0].hotSpotX = 15;
  document.tabs[0].hotSpotY = 3;
  document.tabs[4].keptDirectory.assign(16, 0);
  document.tabs[4].keptDirectory[0] = 0;
  document.tabs[4].keptDirectory[6] = 32;
  for (int i = 0; i < 3000; ++i) document.tabs[4].keptData.push_back(static_cast<std::uint8_t>(i * 31));
  return document;
}

void ExpectSame(const RecoveryDocument& a, const RecoveryDocument& b) {
  EXPECT_EQ(a.name, b.name);
  EXPECT_EQ(a.file, b.file);
  EXPECT_EQ(a.fileState.known, b.fileState.known);
  EXPECT_EQ(a.fileState.inode, b.fileState.inode);
  EXPECT_EQ(a.fileState.nanoseconds, b.fileState.nanoseconds);
  EXPECT_EQ(a.writtenAt, b.writtenAt);
  EXPECT_EQ(a.pid, b.pid);
  EXPECT_EQ(a.currentPosition, b.currentPosition);
  EXPECT_EQ(a.animationDefaultRate, b.animationDefaultRate);
  EXPECT_EQ(a.animationSteps, b.animationSteps);
  const RecoveryAnimationFile& af = a.animationFile;
  const RecoveryAnimationFile& bf = b.animationFile;
  EXPECT_EQ(std::tie(af.known, af.width, af.height, af.bitCount, af.planes, af.rateChunk, af.sequenceChunk, af.hasInfo,
                     af.info, af.chunkOrder),
            std::tie(bf.known, bf.width, bf.height, bf.bitCount, bf.planes, bf.rateChunk, bf.sequenceChunk, bf.hasInfo,
                     bf.info, bf.chunkOrder));
  ASSERT_EQ(a.tabs.size(), b.tabs.size());
  for (std::size_t t = 0; t < a.tabs.size(); ++t) {
    const RecoveryTab& x = a.tabs[t];
    const RecoveryTab& y = b.tabs[t];
    EXPECT_EQ(x.width, y.width);
    EXPECT_EQ(x.height, y.height);
    EXPECT_EQ(x.colorCode, y.colorCode);
    EXPECT_EQ(x.title, y.title);
    EXPECT_EQ(x.changed, y.changed);
    EXPECT_EQ(x.backgroundIndex, y.backgroundIndex);
    EXPECT_EQ(x.frameRate, y.frameRate);
    EXPECT_EQ(x.hotSpotX, y.hotSpotX);
    EXPECT_EQ(x.hotSpotY, y.hotSpotY);
    EXPECT_EQ(x.keptDirectory, y.keptDirectory);
    EXPECT_EQ(x.keptData, y.keptData);
    EXPECT_EQ(x.kind, y.kind);
    const int entries = x.colorCode == 0 ? 256 : x.colorCode;
    EXPECT_EQ(std::memcmp(x.palette, y.palette, sizeof(ColorRef) * entries), 0) << "tab " << t;
    for (int cx = 0; cx < x.width; ++cx)
      for (int cy = 0; cy < x.height; ++cy)
        ASSERT_EQ(x.cells[CellIndex(cx, cy)], y.cells[CellIndex(cx, cy)]) << "tab " << t << " " << cx << "," << cy;
  }
}

// The summary of the first `size` bytes of a record.
RecoveryRead Summarize(const ByteBuffer& bytes, std::size_t size, RecoverySummary& out) {
  const auto read = [&](std::uint64_t at, std::uint8_t* to, std::size_t n) {
    if (at > size || n > size - at) return false;
    std::memcpy(to, bytes.data() + at, n);
    return true;
  };
  return ReadRecoverySummary(read, size, out);
}

// Sets the header's CRC for a body changed on purpose.
void FixCrc(ByteBuffer& bytes) {
  const std::uint32_t crc = RecoveryCrc32(bytes.data() + RECOVERY_HEADER_BYTES, bytes.size() - RECOVERY_HEADER_BYTES);
  for (int i = 0; i < 4; ++i) bytes[16 + i] = static_cast<std::uint8_t>(crc >> (8 * i));
}

void SetBodyLength(ByteBuffer& bytes) {
  const auto length = static_cast<std::uint32_t>(bytes.size() - RECOVERY_HEADER_BYTES);
  for (int i = 0; i < 4; ++i) bytes[12 + i] = static_cast<std::uint8_t>(length >> (8 * i));
}

// A record of one tab whose fields are given as they stand.
ByteBuffer RecordWithTabFields(const std::function<void(RecoveryFieldWriter&)>& tabFields,
                               const std::function<void(RecoveryFieldWriter&)>& extra = nullptr) {
  RecoveryDocument empty;
  empty.name = "x";
  ByteBuffer bytes = SerializeRecovery(empty);
  RecoveryFieldWriter fields(bytes);
  if (extra) extra(fields);
  const std::size_t start = fields.BeginNested(RECOVERY_TAB);
  tabFields(fields);
  fields.EndNested(start);
  SetBodyLength(bytes);
  FixCrc(bytes);
  return bytes;
}

void GoodTabFields(RecoveryFieldWriter& out) { WriteRecoveryTabFields(out, PatternTab(2, 2, 2, 1)); }

// A true-colour tab's fields with every cell `cell`, its cells cut short by
// `cut` bytes.
void TrueColourFields(RecoveryFieldWriter& out, int width, int height, PixelCell cell, std::size_t cut = 0) {
  const std::uint8_t size[3] = {1, 1, 0};
  out.Bytes(RECOVERY_TAB_SIZE, size, sizeof size);
  out.Text(RECOVERY_TAB_TITLE, " 32-bit ");
  const ByteBuffer palette(256 * 4, 0);
  out.Bytes(RECOVERY_TAB_PALETTE, palette.data(), palette.size());
  const ByteBuffer blank(2, 0);
  out.Bytes(RECOVERY_TAB_CELLS, blank.data(), blank.size());
  out.U8(RECOVERY_TAB_CHANGED, 1);
  ByteBuffer cells = {static_cast<std::uint8_t>(width), static_cast<std::uint8_t>(width >> 8),
                      static_cast<std::uint8_t>(height), static_cast<std::uint8_t>(height >> 8)};
  for (int i = 0; i < width * height; ++i)
    for (int shift = 0; shift < 32; shift += 8) cells.push_back(static_cast<std::uint8_t>(cell >> shift));
  cells.resize(cells.size() + 256 * 4, 0x80);
  out.Bytes(RECOVERY_TAB_TRUE_COLOUR, cells.data(), cells.size() - cut);
}

TEST(RecoveryFormat, WhatIsWrittenReadsBackTheSame) {
  const RecoveryDocument written = SampleDocument();
  const ByteBuffer bytes = SerializeRecovery(written);
  RecoveryDocument read;
  ASSERT_EQ(ParseRecovery(bytes.data(), bytes.size(), read), RecoveryRead::Ok);
  ExpectSame(written, read);
  RecoverySummary summary;
  ASSERT_EQ(Summarize(bytes, bytes.size(), summary), RecoveryRead::Ok);
  EXPECT_EQ(std::make_tuple(summary.name, summary.writtenAt, summary.tabCount, summary.changedCount),
            std::make_tuple(written.name, written.writtenAt, 5, 2));

  // Twenty tabs of 64 x 64 in 256 colours, the largest document.
  RecoveryDocument full;
  for (unsigned i = 0; i < 20; ++i) full.tabs.push_back(PatternTab(64, 64, 0, i));
  const ByteBuffer fullBytes = SerializeRecovery(full);
  ASSERT_EQ(ParseRecovery(fullBytes.data(), fullBytes.size(), read), RecoveryRead::Ok);
  ExpectSame(full, read);

  // True-colour tabs up to 256 pixels, soft alpha and all, beside an indexed
  // one.
  RecoveryDocument trueColour = SampleDocument();
  for (const auto& [width, height] : {std::pair{256, 256}, std::pair{3, 200}}) {
    RecoveryTab tab = PatternTab(1, 1, 0, 9);
    tab.kind = TabKind::TrueColour;
    tab.width = width;
    tab.height = height;
    // Swatches may carry an opacity in their top byte.
    tab.palette[7] = 0x80112233;
    for (int x = 0; x < width; ++x)
      for (int y = 0; y < height; ++y) tab.cells[CellIndex(x, y)] = TrueColourCell((x * 2654435761u) ^ (y * 40503u));
    trueColour.tabs.push_back(tab);
  }
  const ByteBuffer trueBytes = SerializeRecovery(trueColour);
  ASSERT_EQ(ParseRecovery(trueBytes.data(), trueBytes.size(), read), RecoveryRead::Ok);
  ExpectSame(trueColour, read);
  ASSERT_EQ(Summarize(trueBytes, trueBytes.size(), summary), RecoveryRead::Ok);
  EXPECT_EQ(summary.tabCount, 7);
}

TEST(RecoveryFormat, EveryCutIsRefusedAsTruncated) {
  const ByteBuffer bytes = SerializeRecovery(SampleDocument());
  for (std::size_t length = 1; length < bytes.size(); length += (length < 64 ? 1 : 997)) {
    RecoveryDocument read;
    EXPECT_EQ(ParseRecovery(bytes.data(), length, read), RecoveryRead::Truncated) << length;
    RecoverySummary summary;
    EXPECT_EQ(Summarize(bytes, length, summary), RecoveryRead::Truncated) << length;
  }
}

TEST(RecoveryFormat, DamageAndNewerVersionsAreRefused) {
  const ByteBuffer good = SerializeRecovery(SampleDocument());
  struct Case {
    const char* what;
    std::function<void(ByteBuffer&)> plant;
    RecoveryRead expected;
  };
  const Case cases[] = {
      {"a flipped bit in the body", [](ByteBuffer& b) { b[RECOVERY_HEADER_BYTES + 40] ^= 0x10; }, RecoveryRead::Damaged},
      {"a flipped bit in the CRC", [](ByteBuffer& b) { b[17] ^= 0x01; }, RecoveryRead::Damaged},
      {"another magic", [](ByteBuffer& b) { b[0] = 'X'; }, RecoveryRead::Damaged},
      {"bytes after the body", [](ByteBuffer& b) { b.push_back(0); }, RecoveryRead::Damaged},
      {"version 0", [](ByteBuffer& b) { b[8] = 0; }, RecoveryRead::Damaged},
      {"a newer version", [](ByteBuffer& b) { b[8] = RECOVERY_FORMAT_VERSION + 1; }, RecoveryRead::Newer},
      {"a body length past 128 MiB", [](ByteBuffer& b) { b[15] = 0x10; }, RecoveryRead::TooLarge},
      {"an unknown required field",
       [](ByteBuffer& b) {
         RecoveryFieldWriter(b).U8(0x40, 1);
         SetBodyLength(b);
         FixCrc(b);
       },
       RecoveryRead::Newer},
      {"an unknown optional field is passed over",
       [](ByteBuffer& b) {
         RecoveryFieldWriter(b).U32(RECOVERY_OPTIONAL | 0x40, 7);
         SetBodyLength(b);
         FixCrc(b);
       },
       RecoveryRead::Ok},
  };
  for (const Case& c : cases) {
    ByteBuffer bytes = good;
    c.plant(bytes);
    RecoveryDocument read;
    EXPECT_EQ(ParseRecovery(bytes.data(), bytes.size(), read), c.expected) << c.what;
  }
  RecoveryDocument read;
  EXPECT_EQ(ParseRecovery(good.data(), RECOVERY_MAX_BYTES + 1, read), RecoveryRead::TooLarge);
}

// Records whose CRC holds but whose tabs no program of ours would write.
TEST(RecoveryFormat, TabsThatCannotBeAreRefused) {
  using W = RecoveryFieldWriter;
  const auto size = [](W& w, int width, int height, std::uint8_t code) {
    const std::uint8_t bytes[3] = {static_cast<std::uint8_t>(width), static_cast<std::uint8_t>(height), code};
    w.Bytes(RECOVERY_TAB_SIZE, bytes, 3);
  };
  // The fields after the size of a good 2 x 2 two-colour tab, with one
  // changed by `bad`.
  const auto rest = [](W& w, const std::function<void(W&)>& bad, int skip) {
    const ByteBuffer palette = {0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0};
    const ByteBuffer cells = {0, 0, 1, 0, 0, 1, 1, 1};
    if (skip != 1) w.Text(RECOVERY_TAB_TITLE, " 2x2x2 ");
    if (skip != 2) w.Bytes(RECOVERY_TAB_PALETTE, palette.data(), palette.size());
    if (skip != 3) w.Bytes(RECOVERY_TAB_CELLS, cells.data(), cells.size());
    if (skip != 4) w.U8(RECOVERY_TAB_CHANGED, 1);
    if (bad) bad(w);
  };
  struct Case {
    const char* what;
    std::function<void(W&)> fields;
    RecoveryRead expected;
  };
  const Case cases[] = {
      {"a good tab", [&](W& w) { size(w, 2, 2, 2), rest(w, nullptr, 0); }, RecoveryRead::Ok},
      {"width 0", [&](W& w) { size(w, 0, 2, 2), rest(w, nullptr, 0); }, RecoveryRead::Damaged},
      {"height 65", [&](W& w) { size(w, 2, 65, 2), rest(w, nullptr, 0); }, RecoveryRead::Damaged},
      {"8 colours", [&](W& w) { size(w, 2, 2, 8), rest(w, nullptr, 0); }, RecoveryRead::Damaged},
      {"no title", [&](W& w) { size(w, 2, 2, 2), rest(w, nullptr, 1); }, RecoveryRead::Damaged},
      {"no palette", [&](W& w) { size(w, 2, 2, 2), rest(w, nullptr, 2); }, RecoveryRead::Damaged},
      {"no cells", [&](W& w) { size(w, 2, 2, 2), rest(w, nullptr, 3); }, RecoveryRead::Damaged},
      {"no changed flag", [&](W& w) { size(w, 2, 2, 2), rest(w, nullptr, 4); }, RecoveryRead::Damaged},
      {"cells before the size",
       [&](W& w) {
         const ByteBuffer cells(8, 0);
         w.Bytes(RECOVERY_TAB_CELLS, cells.data(), cells.size());
         size(w, 2, 2, 2), rest(w, nullptr, 3);
       },
       RecoveryRead::Damaged},
      {"a second size", [&](W& w) { size(w, 2, 2, 2), rest(w, [&](W& v) { size(v, 64, 64, 0); }, 0); },
       RecoveryRead::Damaged},
      {"a cell with bits past the mask",
       [&](W& w) {
         size(w, 2, 2, 2);
         const ByteBuffer cells = {0, 0, 0, 2, 0, 0, 0, 0};
         w.Bytes(RECOVERY_TAB_CELLS, cells.data(), cells.size());
         rest(w, nullptr, 3);
       },
       RecoveryRead::Damaged},
      {"a palette colour with a top byte",
       [&](W& w) {
         size(w, 2, 2, 2);
         const ByteBuffer palette = {0, 0, 0, 1, 0, 0, 0, 0};
         w.Bytes(RECOVERY_TAB_PALETTE, palette.data(), palette.size());
         rest(w, nullptr, 2);
       },
       RecoveryRead::Damaged},
      {"a palette of the wrong length",
       [&](W& w) {
         size(w, 2, 2, 16);
         rest(w, nullptr, 0);
       },
       RecoveryRead::Damaged},
      {"a kept image of its entry alone",
       [&](W& w) {
         size(w, 2, 2, 2), rest(w, nullptr, 0);
         const ByteBuffer entry(16, 0);
         w.Bytes(RECOVERY_TAB_KEPT, entry.data(), entry.size());
       },
       RecoveryRead::Damaged},
      {"two kept images",
       [&](W& w) {
         size(w, 2, 2, 2), rest(w, nullptr, 0);
         const ByteBuffer kept(20, 1);
         w.Bytes(RECOVERY_TAB_KEPT, kept.data(), kept.size());
         w.Bytes(RECOVERY_TAB_KEPT, kept.data(), kept.size());
       },
       RecoveryRead::Damaged},
      {"a hot spot of three bytes",
       [&](W& w) {
         size(w, 2, 2, 2), rest(w, nullptr, 0);
         const ByteBuffer hotSpot(3, 1);
         w.Bytes(RECOVERY_TAB_HOT_SPOT, hotSpot.data(), hotSpot.size());
       },
       RecoveryRead::Damaged},
      {"a true-colour tab", [&](W& w) { TrueColourFields(w, 256, 1, 0xFF000000u); }, RecoveryRead::Ok},
      {"true colour 257 wide", [&](W& w) { TrueColourFields(w, 257, 1, 0); }, RecoveryRead::Damaged},
      {"true colour with a cell short", [&](W& w) { TrueColourFields(w, 2, 2, 0, 12); }, RecoveryRead::Damaged},
      {"a transparent cell with a colour", [&](W& w) { TrueColourFields(w, 1, 1, 0x00FFFFFFu); },
       RecoveryRead::Damaged},
      {"true colour over an indexed image",
       [&](W& w) {
         size(w, 2, 2, 2), rest(w, nullptr, 0);
         const ByteBuffer cells = {1, 0, 1, 0, 0, 0, 0, 0};
         w.Bytes(RECOVERY_TAB_TRUE_COLOUR, cells.data(), cells.size());
       },
       RecoveryRead::Damaged},
      {"a title too long for the strip",
       [&](W& w) {
         size(w, 2, 2, 2);
         rest(w, [](W& v) { v.Text(RECOVERY_TAB_TITLE, std::string(40, 'x')); }, 0);
       },
       RecoveryRead::Damaged},
  };
  for (const Case& c : cases) {
    const ByteBuffer bytes = RecordWithTabFields(c.fields);
    RecoveryDocument read;
    EXPECT_EQ(ParseRecovery(bytes.data(), bytes.size(), read), c.expected) << c.what;
  }

  // 21 tabs are more than the program holds.
  ByteBuffer many = RecordWithTabFields(GoodTabFields, [](W& w) {
    for (int i = 0; i < 20; ++i) {
      const std::size_t start = w.BeginNested(RECOVERY_TAB);
      GoodTabFields(w);
      w.EndNested(start);
    }
  });
  RecoveryDocument read;
  EXPECT_EQ(ParseRecovery(many.data(), many.size(), read), RecoveryRead::Damaged);
  // A record without tabs keeps nothing worth restoring.
  RecoveryDocument none;
  none.name = "x";
  const ByteBuffer empty = SerializeRecovery(none);
  EXPECT_EQ(ParseRecovery(empty.data(), empty.size(), read), RecoveryRead::Damaged);
}

}  // namespace
