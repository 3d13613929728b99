#include "storage/recovery_format.h"

#include <array>
#include <algorithm>
#include <cstring>

#include "model/tab_set.h"

namespace {

constexpr std::uint8_t MAGIC[8] = {'Q', '2', 'R', 'E', 'C', 'O', 'V', 0x1A};
constexpr std::size_t FIELD_HEAD = 5;

constexpr std::array<std::uint32_t, 256> MakeCrcTable() {
  std::array<std::uint32_t, 256> table{};
  for (std::uint32_t n = 0; n < 256; ++n) {
    std::uint32_t c = n;
    for (int k = 0; k < 8; ++k) c = (c & 1) != 0 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    table[n] = c;
  }
  return table;
}
constexpr std::array<std::uint32_t, 256> CRC_TABLE = MakeCrcTable();

void PutU16(ByteBuffer& out, std::uint16_t value) {
  out.push_back(static_cast<std::uint8_t>(value));
  out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void PutU32(ByteBuffer& out, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

void PutU64(ByteBuffer& out, std::uint64_t value) {
  for (int i = 0; i < 8; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

void SetU32(ByteBuffer& out, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) out[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

std::uint16_t GetU16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }

std::uint32_t GetU32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
         static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

std::uint64_t GetU64(const std::uint8_t* p) {
  std::uint64_t value = 0;
  for (int i = 7; i >= 0; --i) value = value << 8 | p[i];
  return value;
}

// Walks the fields of a body; Truncated when the last one runs past the end.
template <typename Take>
RecoveryRead ForEachField(const std::uint8_t* data, std::size_t size, Take take) {
  std::size_t at = 0;
  while (at < size) {
    if (size - at < FIELD_HEAD) return RecoveryRead::Truncated;
    RecoveryField field;
    field.tag = data[at];
    field.size = GetU32(data + at + 1);
    at += FIELD_HEAD;
    if (field.size > size - at) return RecoveryRead::Truncated;
    field.data = data + at;
    at += field.size;
    const RecoveryRead taken = take(field);
    if (taken != RecoveryRead::Ok) return taken;
  }
  return RecoveryRead::Ok;
}

RecoveryRead UnknownField(const RecoveryField& field) {
  return (field.tag & RECOVERY_OPTIONAL) != 0 ? RecoveryRead::Ok : RecoveryRead::Newer;
}

unsigned SeenBit(std::uint8_t tag) { return 1u << tag; }
constexpr unsigned REQUIRED_TAB_FIELDS = 1u << RECOVERY_TAB_SIZE | 1u << RECOVERY_TAB_TITLE |
                                         1u << RECOVERY_TAB_PALETTE | 1u << RECOVERY_TAB_CELLS |
                                         1u << RECOVERY_TAB_CHANGED;

int PaletteEntries(std::uint8_t colorCode) { return colorCode == 0 ? 256 : colorCode; }

RecoveryRead ReadTab(const RecoveryField& field, RecoveryTab& tab) {
  tab.seen = 0;
  const RecoveryRead read =
      ForEachField(field.data, field.size, [&](const RecoveryField& inner) { return ReadRecoveryTabField(inner, tab); });
  if (read != RecoveryRead::Ok) return read == RecoveryRead::Truncated ? RecoveryRead::Damaged : read;
  return (tab.seen & REQUIRED_TAB_FIELDS) == REQUIRED_TAB_FIELDS ? RecoveryRead::Ok : RecoveryRead::Damaged;
}

std::string TextOf(const RecoveryField& field) {
  return std::string(reinterpret_cast<const char*>(field.data), field.size);
}

constexpr std::uint8_t ANIMATION_RATE_CHUNK = 1;
constexpr std::uint8_t ANIMATION_SEQUENCE_CHUNK = 2;
constexpr std::uint8_t ANIMATION_INFO = 4;
constexpr std::size_t ANIMATION_FILE_FIXED = 4 * 4 + 1 + 4;
constexpr std::size_t CHUNK_ID_BYTES = 4;

void WriteAnimationFile(RecoveryFieldWriter& fields, const RecoveryAnimationFile& file) {
  ByteBuffer bytes;
  for (std::uint32_t value : {file.width, file.height, file.bitCount, file.planes}) PutU32(bytes, value);
  bytes.push_back(static_cast<std::uint8_t>((file.rateChunk ? ANIMATION_RATE_CHUNK : 0) |
                                            (file.sequenceChunk ? ANIMATION_SEQUENCE_CHUNK : 0) |
                                            (file.hasInfo ? ANIMATION_INFO : 0)));
  PutU32(bytes, static_cast<std::uint32_t>(file.info.size()));
  bytes.insert(bytes.end(), file.info.begin(), file.info.end());
  bytes.push_back(static_cast<std::uint8_t>(file.chunkOrder.size()));
  for (const std::string& id : file.chunkOrder) {
    const std::string four = (id + "    ").substr(0, CHUNK_ID_BYTES);
    bytes.insert(bytes.end(), four.begin(), four.end());
  }
  fields.Bytes(RECOVERY_ANIMATION_FILE, bytes.data(), bytes.size());
}

RecoveryRead ReadAnimationFile(const RecoveryField& field, RecoveryAnimationFile& file) {
  if (field.size < ANIMATION_FILE_FIXED + 1) return RecoveryRead::Damaged;
  const std::uint8_t flags = field.data[16];
  const std::uint32_t infoSize = GetU32(field.data + 17);
  if (flags > (ANIMATION_RATE_CHUNK | ANIMATION_SEQUENCE_CHUNK | ANIMATION_INFO) ||
      infoSize > field.size - ANIMATION_FILE_FIXED - 1)
    return RecoveryRead::Damaged;
  const std::uint8_t* order = field.data + ANIMATION_FILE_FIXED + infoSize;
  const std::size_t count = order[0];
  if (field.size - ANIMATION_FILE_FIXED - infoSize - 1 != count * CHUNK_ID_BYTES) return RecoveryRead::Damaged;
  file = {true, GetU32(field.data), GetU32(field.data + 4), GetU32(field.data + 8), GetU32(field.data + 12),
          (flags & ANIMATION_RATE_CHUNK) != 0, (flags & ANIMATION_SEQUENCE_CHUNK) != 0, (flags & ANIMATION_INFO) != 0,
          std::vector<std::uint8_t>(field.data + ANIMATION_FILE_FIXED, field.data + ANIMATION_FILE_FIXED + infoSize),
          {}};
  for (std::size_t i = 0; i < count; ++i)
    file.chunkOrder.emplace_back(reinterpret_cast<const char*>(order + 1 + CHUNK_ID_BYTES * i), CHUNK_ID_BYTES);
  return RecoveryRead::Ok;
}

// Walks the field heads between two offsets of a record read piecewise,
// handing each field's tag, offset and length to `take`.
template <typename Take>
RecoveryRead WalkFieldHeads(const RecoveryReadAt& read, std::uint64_t at, std::uint64_t end, Take take) {
  while (at < end) {
    std::uint8_t head[FIELD_HEAD];
    if (end - at < FIELD_HEAD || !read(at, head, FIELD_HEAD)) return RecoveryRead::Truncated;
    const std::uint64_t size = GetU32(head + 1);
    at += FIELD_HEAD;
    if (size > end - at) return RecoveryRead::Truncated;
    const RecoveryRead taken = take(head[0], at, size);
    if (taken != RecoveryRead::Ok) return taken;
    at += size;
  }
  return RecoveryRead::Ok;
}

RecoveryRead KnownTagOrNewer(std::uint8_t tag) {
  return (tag & RECOVERY_OPTIONAL) != 0 ? RecoveryRead::Ok : RecoveryRead::Newer;
}

// One tab of a summary: its required fields are there, and whether it
// was changed.
RecoveryRead SummarizeTab(const RecoveryReadAt& read, std::uint64_t at, std::uint64_t end, bool& changed) {
  unsigned seen = 0;
  const RecoveryRead walked = WalkFieldHeads(read, at, end, [&](std::uint8_t tag, std::uint64_t from, std::uint64_t size) {
    switch (tag) {
      case RECOVERY_TAB_SIZE:
        if (size != 3) return RecoveryRead::Damaged;
        break;
      case RECOVERY_TAB_TITLE:
        if (size >= sizeof ImageTab{}.title) return RecoveryRead::Damaged;
        break;
      case RECOVERY_TAB_PALETTE:
      case RECOVERY_TAB_CELLS: break;
      case RECOVERY_TAB_CHANGED: {
        std::uint8_t value = 0;
        if (size != 1 || !read(from, &value, 1) || value > 1) return RecoveryRead::Damaged;
        changed = value == 1;
        break;
      }
      case RECOVERY_TAB_KEPT: return size > RECOVERY_KEPT_DIRECTORY_BYTES ? RecoveryRead::Ok : RecoveryRead::Damaged;
      case RECOVERY_TAB_TRUE_COLOUR: return size > 4 ? RecoveryRead::Ok : RecoveryRead::Damaged;
      default: return KnownTagOrNewer(tag);
    }
    seen |= SeenBit(tag);
    return RecoveryRead::Ok;
  });
  if (walked != RecoveryRead::Ok) return walked == RecoveryRead::Truncated ? RecoveryRead::Damaged : walked;
  return (seen & REQUIRED_TAB_FIELDS) == REQUIRED_TAB_FIELDS ? RecoveryRead::Ok : RecoveryRead::Damaged;
}

}  // namespace

std::uint32_t RecoveryCrc32(const std::uint8_t* data, std::size_t size) {
  std::uint32_t c = 0xFFFFFFFFu;
  for (std::size_t i = 0; i < size; ++i) c = CRC_TABLE[(c ^ data[i]) & 0xFF] ^ (c >> 8);
  return c ^ 0xFFFFFFFFu;
}

void RecoveryFieldWriter::Bytes(std::uint8_t tag, const std::uint8_t* data, std::size_t size) {
  out_.push_back(tag);
  PutU32(out_, static_cast<std::uint32_t>(size));
  out_.insert(out_.end(), data, data + size);
}

void RecoveryFieldWriter::Text(std::uint8_t tag, const std::string& text) {
  Bytes(tag, reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
}

void RecoveryFieldWriter::U32(std::uint8_t tag, std::uint32_t value) {
  out_.push_back(tag);
  PutU32(out_, 4);
  PutU32(out_, value);
}

void RecoveryFieldWriter::I64(std::uint8_t tag, std::int64_t value) {
  out_.push_back(tag);
  PutU32(out_, 8);
  PutU64(out_, static_cast<std::uint64_t>(value));
}

std::size_t RecoveryFieldWriter::BeginNested(std::uint8_t tag) {
  out_.push_back(tag);
  PutU32(out_, 0);
  return out_.size();
}

void RecoveryFieldWriter::EndNested(std::size_t start) {
  SetU32(out_, start - 4, static_cast<std::uint32_t>(out_.size() - start));
}

void WriteRecoveryTabFields(RecoveryFieldWriter& out, const RecoveryTab& tab) {
  const bool trueColour = tab.kind == TabKind::TrueColour;
  // A true-colour tab's size and cells follow in a field of their own.
  const int width = trueColour ? 1 : tab.width;
  const int height = trueColour ? 1 : tab.height;
  const std::uint8_t size[3] = {static_cast<std::uint8_t>(width), static_cast<std::uint8_t>(height),
                                trueColour ? std::uint8_t{0} : tab.colorCode};
  out.Bytes(RECOVERY_TAB_SIZE, size, sizeof size);
  out.Text(RECOVERY_TAB_TITLE, tab.title);
  ByteBuffer bytes;
  const int entries = PaletteEntries(trueColour ? 0 : tab.colorCode);
  bytes.reserve(static_cast<std::size_t>(std::max(entries * 4, tab.width * tab.height * 4 + 4)));
  // A true-colour tab's swatches go whole with its cells; here they stand
  // as colours without their top byte.
  for (int i = 0; i < entries; ++i) PutU32(bytes, trueColour ? tab.palette[i] & 0xFFFFFF : tab.palette[i]);
  out.Bytes(RECOVERY_TAB_PALETTE, bytes.data(), bytes.size());
  bytes.clear();
  for (int x = 0; x < width; ++x)
    for (int y = 0; y < height; ++y)
      PutU16(bytes, trueColour ? std::uint16_t{0} : static_cast<std::uint16_t>(tab.cells[CellIndex(x, y)]));
  out.Bytes(RECOVERY_TAB_CELLS, bytes.data(), bytes.size());
  if (trueColour) {
    bytes.clear();
    PutU16(bytes, static_cast<std::uint16_t>(tab.width));
    PutU16(bytes, static_cast<std::uint16_t>(tab.height));
    for (int x = 0; x < tab.width; ++x)
      for (int y = 0; y < tab.height; ++y) PutU32(bytes, tab.cells[CellIndex(x, y)]);
    for (const ColorRef swatch : tab.palette) PutU32(bytes, swatch);
    out.Bytes(RECOVERY_TAB_TRUE_COLOUR, bytes.data(), bytes.size());
  }
  out.U8(RECOVERY_TAB_CHANGED, tab.changed ? 1 : 0);
  if (tab.backgroundIndex >= 0 && tab.backgroundIndex <= 255)
    out.U8(RECOVERY_TAB_BACKGROUND, static_cast<std::uint8_t>(tab.backgroundIndex));
  if (tab.frameRate != 0) out.U32(RECOVERY_TAB_FRAME_RATE, tab.frameRate);
  if (tab.hotSpotX != 0 || tab.hotSpotY != 0) {
    const std::uint8_t hotSpot[2] = {tab.hotSpotX, tab.hotSpotY};
    out.Bytes(RECOVERY_TAB_HOT_SPOT, hotSpot, sizeof hotSpot);
  }
  if (tab.keptDirectory.size() == RECOVERY_KEPT_DIRECTORY_BYTES) {
    ByteBuffer kept(tab.keptDirectory.begin(), tab.keptDirectory.end());
    kept.insert(kept.end(), tab.keptData.begin(), tab.keptData.end());
    out.Bytes(RECOVERY_TAB_KEPT, kept.data(), kept.size());
  }
}

RecoveryRead ReadRecoveryTabField(const RecoveryField& field, RecoveryTab& tab) {
  const bool sized = (tab.seen & SeenBit(RECOVERY_TAB_SIZE)) != 0;
  switch (field.tag) {
    case RECOVERY_TAB_SIZE: {
      if (field.size != 3) return RecoveryRead::Damaged;
      const int width = field.data[0];
      const int height = field.data[1];
      const std::uint8_t code = field.data[2];
      if (width < 1 || width > MAX_IMAGE_SIZE || height < 1 || height > MAX_IMAGE_SIZE) return RecoveryRead::Damaged;
      if (code != 2 && code != 16 && code != 0) return RecoveryRead::Damaged;
      // Palette and cells were sized by the first size field.
      if (sized) return RecoveryRead::Damaged;
      tab.width = width;
      tab.height = height;
      tab.colorCode = code;
      break;
    }
    case RECOVERY_TAB_TITLE:
      // The tab strip's label holds at most 39 characters.
      if (field.size >= sizeof ImageTab{}.title) return RecoveryRead::Damaged;
      tab.title = TextOf(field);
      break;
    case RECOVERY_TAB_PALETTE: {
      if (!sized || field.size != static_cast<std::size_t>(PaletteEntries(tab.colorCode)) * 4)
        return RecoveryRead::Damaged;
      for (std::size_t i = 0; i < field.size / 4; ++i) {
        const std::uint32_t color = GetU32(field.data + 4 * i);
        if ((color & 0xFF000000u) != 0) return RecoveryRead::Damaged;
        tab.palette[i] = color;
      }
      break;
    }
    case RECOVERY_TAB_CELLS: {
      if (!sized || field.size != static_cast<std::size_t>(tab.width * tab.height) * 2) return RecoveryRead::Damaged;
      const std::uint8_t* p = field.data;
      for (int x = 0; x < tab.width; ++x)
        for (int y = 0; y < tab.height; ++y, p += 2) {
          const PixelCell cell = GetU16(p);
          if ((cell & ~(CELL_INDEX_BITS | CELL_MASK_BIT)) != 0) return RecoveryRead::Damaged;
          tab.cells[CellIndex(x, y)] = cell;
        }
      break;
    }
    case RECOVERY_TAB_CHANGED:
      if (field.size != 1 || field.data[0] > 1) return RecoveryRead::Damaged;
      tab.changed = field.data[0] == 1;
      break;
    case RECOVERY_TAB_BACKGROUND:
      if (field.size != 1) return RecoveryRead::Damaged;
      tab.backgroundIndex = field.data[0];
      return RecoveryRead::Ok;
    case RECOVERY_TAB_HOT_SPOT:
      // A hot spot outside the image is brought inside when the tab is made.
      if (field.size != 2) return RecoveryRead::Damaged;
      tab.hotSpotX = field.data[0];
      tab.hotSpotY = field.data[1];
      return RecoveryRead::Ok;
    case RECOVERY_TAB_FRAME_RATE:
      if (field.size != 4) return RecoveryRead::Damaged;
      tab.frameRate = GetU32(field.data);
      return RecoveryRead::Ok;
    case RECOVERY_TAB_TRUE_COLOUR: {
      // It stands in for the blank image the required fields gave.
      const unsigned before = SeenBit(RECOVERY_TAB_SIZE) | SeenBit(RECOVERY_TAB_CELLS);
      if ((tab.seen & before) != before || tab.kind == TabKind::TrueColour || tab.width != 1 || tab.height != 1 ||
          tab.colorCode != 0 || field.size < 4)
        return RecoveryRead::Damaged;
      const int width = GetU16(field.data);
      const int height = GetU16(field.data + 2);
      if (width < 1 || width > MAX_TRUE_COLOUR_SIZE || height < 1 || height > MAX_TRUE_COLOUR_SIZE ||
          field.size != 4 + (static_cast<std::size_t>(width) * static_cast<std::size_t>(height) + 256) * 4)
        return RecoveryRead::Damaged;
      const std::uint8_t* p = field.data + 4;
      for (int x = 0; x < width; ++x)
        for (int y = 0; y < height; ++y, p += 4) {
          const PixelCell cell = GetU32(p);
          // The program keeps every fully transparent pixel as 0.
          if (cell != TrueColourCell(cell)) return RecoveryRead::Damaged;
          tab.cells[CellIndex(x, y)] = cell;
        }
      for (ColorRef& swatch : tab.palette) swatch = GetU32(p), p += 4;
      tab.kind = TabKind::TrueColour;
      tab.width = width;
      tab.height = height;
      return RecoveryRead::Ok;
    }
    case RECOVERY_TAB_KEPT:
      // The image itself is checked as Open checks it when the tab is made.
      if (field.size <= RECOVERY_KEPT_DIRECTORY_BYTES || !tab.keptDirectory.empty()) return RecoveryRead::Damaged;
      tab.keptDirectory.assign(field.data, field.data + RECOVERY_KEPT_DIRECTORY_BYTES);
      tab.keptData.assign(field.data + RECOVERY_KEPT_DIRECTORY_BYTES, field.data + field.size);
      return RecoveryRead::Ok;
    default: return UnknownField(field);
  }
  tab.seen |= SeenBit(field.tag);
  return RecoveryRead::Ok;
}

ByteBuffer SerializeRecovery(const RecoveryDocument& document) {
  ByteBuffer out(MAGIC, MAGIC + sizeof MAGIC);
  PutU16(out, RECOVERY_FORMAT_VERSION);
  PutU16(out, 0);
  PutU32(out, 0);
  PutU32(out, 0);
  out.reserve(RECOVERY_HEADER_BYTES + 256 + document.tabs.size() * (CELL_COUNT * 2 + 1024 + 80));
  RecoveryFieldWriter fields(out);
  fields.Text(RECOVERY_DOC_NAME, document.name);
  fields.Text(RECOVERY_DOC_FILE, document.file);
  if (document.fileState.known) {
    ByteBuffer state;
    for (std::uint64_t value :
         {document.fileState.device, document.fileState.inode, document.fileState.size,
          static_cast<std::uint64_t>(document.fileState.seconds),
          static_cast<std::uint64_t>(document.fileState.nanoseconds)})
      PutU64(state, value);
    fields.Bytes(RECOVERY_FILE_STATE, state.data(), state.size());
  }
  fields.I64(RECOVERY_WRITTEN_AT, document.writtenAt);
  fields.U32(RECOVERY_PID, document.pid);
  fields.U32(RECOVERY_CURRENT, static_cast<std::uint32_t>(document.currentPosition));
  if (!document.animationSteps.empty()) {
    ByteBuffer steps;
    PutU32(steps, document.animationDefaultRate);
    for (const auto& [position, rate] : document.animationSteps) {
      PutU32(steps, position);
      PutU32(steps, rate);
    }
    fields.Bytes(RECOVERY_ANIMATION, steps.data(), steps.size());
  }
  if (document.animationFile.known) WriteAnimationFile(fields, document.animationFile);
  for (const RecoveryTab& tab : document.tabs) {
    const std::size_t start = fields.BeginNested(RECOVERY_TAB);
    WriteRecoveryTabFields(fields, tab);
    fields.EndNested(start);
  }
  const std::size_t bodySize = out.size() - RECOVERY_HEADER_BYTES;
  SetU32(out, 12, static_cast<std::uint32_t>(bodySize));
  SetU32(out, 16, RecoveryCrc32(out.data() + RECOVERY_HEADER_BYTES, bodySize));
  return out;
}

RecoveryRead ParseRecovery(const std::uint8_t* data, std::size_t size, RecoveryDocument& out) {
  if (size > RECOVERY_MAX_BYTES) return RecoveryRead::TooLarge;
  // A file cut inside its magic still starts as one.
  if (size > 0 && std::memcmp(data, MAGIC, std::min(size, sizeof MAGIC)) != 0) return RecoveryRead::Damaged;
  if (size < RECOVERY_HEADER_BYTES) return RecoveryRead::Truncated;
  const std::uint16_t version = GetU16(data + 8);
  if (version > RECOVERY_FORMAT_VERSION) return RecoveryRead::Newer;
  if (version == 0 || GetU16(data + 10) != 0) return RecoveryRead::Damaged;
  const std::uint32_t bodySize = GetU32(data + 12);
  if (bodySize > RECOVERY_MAX_BYTES) return RecoveryRead::TooLarge;
  if (bodySize > size - RECOVERY_HEADER_BYTES) return RecoveryRead::Truncated;
  if (bodySize < size - RECOVERY_HEADER_BYTES) return RecoveryRead::Damaged;
  const std::uint8_t* body = data + RECOVERY_HEADER_BYTES;
  if (RecoveryCrc32(body, bodySize) != GetU32(data + 16)) return RecoveryRead::Damaged;

  out = RecoveryDocument{};
  unsigned seen = 0;
  const RecoveryRead read = ForEachField(body, bodySize, [&](const RecoveryField& field) {
    switch (field.tag) {
      case RECOVERY_DOC_NAME:
      case RECOVERY_DOC_FILE:
        if (field.size > RECOVERY_MAX_NAME) return RecoveryRead::Damaged;
        (field.tag == RECOVERY_DOC_NAME ? out.name : out.file) = TextOf(field);
        break;
      case RECOVERY_WRITTEN_AT:
        if (field.size != 8) return RecoveryRead::Damaged;
        out.writtenAt = static_cast<std::int64_t>(GetU64(field.data));
        break;
      case RECOVERY_PID:
        if (field.size != 4) return RecoveryRead::Damaged;
        out.pid = GetU32(field.data);
        break;
      case RECOVERY_CURRENT:
        if (field.size != 4) return RecoveryRead::Damaged;
        out.currentPosition = static_cast<int>(std::min<std::uint32_t>(GetU32(field.data), MAX_TABS));
        break;
      case RECOVERY_FILE_STATE:
        if (field.size != 40) return RecoveryRead::Damaged;
        out.fileState = {true,
                         GetU64(field.data),
                         GetU64(field.data + 8),
                         GetU64(field.data + 16),
                         static_cast<std::int64_t>(GetU64(field.data + 24)),
                         static_cast<std::int64_t>(GetU64(field.data + 32))};
        return RecoveryRead::Ok;
      case RECOVERY_ANIMATION: {
        // Steps naming a tab that is not there are dropped when the tabs
        // are made.
        if (field.size < 4 || (field.size - 4) % 8 != 0 || field.size > 4 + 8 * 4096) return RecoveryRead::Damaged;
        out.animationDefaultRate = GetU32(field.data);
        for (std::size_t at = 4; at < field.size; at += 8)
          out.animationSteps.emplace_back(GetU32(field.data + at), GetU32(field.data + at + 4));
        return RecoveryRead::Ok;
      }
      case RECOVERY_ANIMATION_FILE: return ReadAnimationFile(field, out.animationFile);
      case RECOVERY_TAB: {
        if (out.tabs.size() >= MAX_TABS) return RecoveryRead::Damaged;
        out.tabs.emplace_back();
        return ReadTab(field, out.tabs.back());
      }
      default: return UnknownField(field);
    }
    seen |= SeenBit(field.tag);
    return RecoveryRead::Ok;
  });
  // The CRC held, so a field running past the body was written that way.
  if (read != RecoveryRead::Ok) return read == RecoveryRead::Truncated ? RecoveryRead::Damaged : read;
  const unsigned required = SeenBit(RECOVERY_DOC_NAME) | SeenBit(RECOVERY_DOC_FILE) | SeenBit(RECOVERY_WRITTEN_AT) |
                            SeenBit(RECOVERY_PID) | SeenBit(RECOVERY_CURRENT);
  if ((seen & required) != required || out.tabs.empty()) return RecoveryRead::Damaged;
  if (out.currentPosition < 0 || out.currentPosition >= static_cast<int>(out.tabs.size())) out.currentPosition = 0;
  return RecoveryRead::Ok;
}

RecoveryRead ReadRecoverySummary(const RecoveryReadAt& read, std::uint64_t size, RecoverySummary& out) {
  if (size > RECOVERY_MAX_BYTES) return RecoveryRead::TooLarge;
  std::uint8_t header[RECOVERY_HEADER_BYTES] = {};
  const std::size_t got = static_cast<std::size_t>(std::min<std::uint64_t>(size, sizeof header));
  if (got > 0 && !read(0, header, got)) return RecoveryRead::Truncated;
  // The header is checked as ParseRecovery checks it.
  if (std::memcmp(header, MAGIC, std::min(got, sizeof MAGIC)) != 0) return RecoveryRead::Damaged;
  if (size < RECOVERY_HEADER_BYTES) return RecoveryRead::Truncated;
  const std::uint16_t version = GetU16(header + 8);
  if (version > RECOVERY_FORMAT_VERSION) return RecoveryRead::Newer;
  if (version == 0 || GetU16(header + 10) != 0) return RecoveryRead::Damaged;
  const std::uint32_t bodySize = GetU32(header + 12);
  if (bodySize > RECOVERY_MAX_BYTES) return RecoveryRead::TooLarge;
  if (bodySize > size - RECOVERY_HEADER_BYTES) return RecoveryRead::Truncated;
  if (bodySize < size - RECOVERY_HEADER_BYTES) return RecoveryRead::Damaged;

  out = RecoverySummary{};
  unsigned seen = 0;
  const RecoveryRead walked = WalkFieldHeads(
      read, RECOVERY_HEADER_BYTES, size, [&](std::uint8_t tag, std::uint64_t from, std::uint64_t length) {
        switch (tag) {
          case RECOVERY_DOC_NAME:
            if (length > RECOVERY_MAX_NAME) return RecoveryRead::Damaged;
            out.name.resize(static_cast<std::size_t>(length));
            if (!read(from, reinterpret_cast<std::uint8_t*>(out.name.data()), out.name.size()))
              return RecoveryRead::Truncated;
            break;
          case RECOVERY_DOC_FILE:
            if (length > RECOVERY_MAX_NAME) return RecoveryRead::Damaged;
            break;
          case RECOVERY_WRITTEN_AT: {
            std::uint8_t value[8];
            if (length != 8 || !read(from, value, 8)) return RecoveryRead::Damaged;
            out.writtenAt = static_cast<std::int64_t>(GetU64(value));
            break;
          }
          case RECOVERY_PID:
          case RECOVERY_CURRENT:
            if (length != 4) return RecoveryRead::Damaged;
            break;
          case RECOVERY_TAB: {
            if (out.tabCount >= MAX_TABS) return RecoveryRead::Damaged;
            bool changed = false;
            const RecoveryRead tab = SummarizeTab(read, from, from + length, changed);
            ++out.tabCount;
            out.changedCount += changed ? 1 : 0;
            return tab;
          }
          default: return KnownTagOrNewer(tag);
        }
        seen |= SeenBit(tag);
        return RecoveryRead::Ok;
      });
  if (walked != RecoveryRead::Ok) return walked == RecoveryRead::Truncated ? RecoveryRead::Damaged : walked;
  const unsigned required = SeenBit(RECOVERY_DOC_NAME) | SeenBit(RECOVERY_DOC_FILE) | SeenBit(RECOVERY_WRITTEN_AT) |
                            SeenBit(RECOVERY_PID) | SeenBit(RECOVERY_CURRENT);
  if ((seen & required) != required || out.tabCount == 0) return RecoveryRead::Damaged;
  return RecoveryRead::Ok;
}
