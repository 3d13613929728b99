#include "fileio/ani_format.h"

#include <algorithm>

#include "fileio/dib_reading.h"

namespace {

constexpr std::size_t CHUNK_HEADER = 8;

bool IdAt(const ByteBuffer& bytes, std::size_t at, const char* id) {
  return Holds(bytes, at, 4) && std::equal(id, id + 4, bytes.begin() + static_cast<std::ptrdiff_t>(at));
}

struct Chunk {
  std::size_t id = 0;    // offset of the four-letter id
  std::size_t data = 0;  // offset of the data
  std::uint32_t size = 0;
};

// The chunks between begin and end. False when a chunk's length runs past
// end. A pad byte after an odd length may be missing at the very end.
bool ReadChunks(const ByteBuffer& bytes, std::size_t begin, std::size_t end, std::vector<Chunk>& chunks) {
  std::size_t at = begin;
  while (at < end) {
    if (end - at < CHUNK_HEADER) return false;
    const std::uint32_t size = U32At(bytes, at + 4);
    if (size > end - at - CHUNK_HEADER) return false;
    chunks.push_back({at, at + CHUNK_HEADER, size});
    at += CHUNK_HEADER + size + (size & 1u);
  }
  return true;
}

std::vector<std::uint32_t> ValuesOf(const ByteBuffer& bytes, const Chunk& chunk, std::uint32_t count) {
  std::vector<std::uint32_t> values(count);
  for (std::uint32_t i = 0; i < count; ++i) values[i] = U32At(bytes, chunk.data + 4u * i);
  return values;
}

void PutU32(ByteBuffer& bytes, std::uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<std::uint8_t>(value >> shift));
}

void PutId(ByteBuffer& bytes, const char* id) { bytes.insert(bytes.end(), id, id + 4); }

void PutChunk(ByteBuffer& bytes, const char* id, const ByteBuffer& data) {
  PutId(bytes, id);
  PutU32(bytes, static_cast<std::uint32_t>(data.size()));
  bytes.insert(bytes.end(), data.begin(), data.end());
  if (data.size() & 1u) bytes.push_back(0);
}

ByteBuffer ValuesChunkData(const std::vector<std::uint32_t>& values) {
  ByteBuffer data;
  for (std::uint32_t value : values) PutU32(data, value);
  return data;
}

}  // namespace

std::string ReadAniBytes(const ByteBuffer& bytes, AniFile& ani) {
  ani = AniFile{};
  if (!IdAt(bytes, 0, "RIFF") || !IdAt(bytes, 8, "ACON")) return ANI_NOT_ANI;
  // Past the limit the file is refused as a whole, before its chunks are
  // looked at: what is past the limit was never read.
  if (bytes.size() > ANI_MAX_FILE_BYTES) return ANI_TOO_LARGE;
  const std::uint32_t riffSize = U32At(bytes, 4);
  // Some writers count the whole file, the RIFF header too, in the size:
  // a size up to the file's length is taken when every chunk lies inside
  // the file.
  if (riffSize < 4 || riffSize > bytes.size()) return ANI_TRUNCATED;
  std::vector<Chunk> chunks;
  if (!ReadChunks(bytes, 12, std::min<std::size_t>(CHUNK_HEADER + riffSize, bytes.size()), chunks)) return ANI_TRUNCATED;

  const Chunk* header = nullptr;
  const Chunk* rate = nullptr;
  const Chunk* sequence = nullptr;
  std::vector<Chunk> icons;
  bool frameList = false;
  for (const Chunk& chunk : chunks) {
    if (IdAt(bytes, chunk.id, "anih") && header == nullptr) {
      header = &chunk;
      ani.chunkOrder.push_back("anih");
    } else if (IdAt(bytes, chunk.id, "rate") && rate == nullptr) {
      rate = &chunk;
      ani.chunkOrder.push_back("rate");
    } else if (IdAt(bytes, chunk.id, "seq ") && sequence == nullptr) {
      sequence = &chunk;
      ani.chunkOrder.push_back("seq ");
    } else if (IdAt(bytes, chunk.id, "LIST") && chunk.size >= 4) {
      const std::size_t end = chunk.data + chunk.size;
      if (IdAt(bytes, chunk.data, "fram") && !frameList) {
        frameList = true;
        ani.chunkOrder.push_back("fram");
        std::vector<Chunk> inner;
        if (!ReadChunks(bytes, chunk.data + 4, end, inner)) return ANI_TRUNCATED;
        for (const Chunk& icon : inner)
          if (IdAt(bytes, icon.id, "icon")) icons.push_back(icon);
      } else if (IdAt(bytes, chunk.data, "INFO") && !ani.hasInfo) {
        ani.hasInfo = true;
        ani.chunkOrder.push_back("INFO");
        ani.info.assign(bytes.begin() + static_cast<std::ptrdiff_t>(chunk.data + 4),
                        bytes.begin() + static_cast<std::ptrdiff_t>(end));
      }
    }
    // Other chunks carry nothing the editor shows; they are not kept.
  }
  if (header == nullptr || header->size < ANI_HEADER_BYTES) return ANI_NO_HEADER;
  const std::size_t h = header->data;
  ani.headerBytes = U32At(bytes, h);
  const std::uint32_t frameCount = U32At(bytes, h + 4);
  ani.steps = U32At(bytes, h + 8);
  ani.width = U32At(bytes, h + 12);
  ani.height = U32At(bytes, h + 16);
  ani.bitCount = U32At(bytes, h + 20);
  ani.planes = U32At(bytes, h + 24);
  ani.defaultRate = U32At(bytes, h + 28);
  ani.flags = U32At(bytes, h + 32);
  if ((ani.flags & ANI_FLAG_ICON) == 0) return ANI_RAW_FRAMES;
  if (frameCount == 0 || icons.empty()) return ANI_NO_FRAMES;
  // The header's count must be the frames the file holds, which the file's
  // size bounds; a larger count is never trusted.
  if (frameCount != icons.size()) return ANI_FRAME_COUNT;
  const bool hasSequence = sequence != nullptr;
  // Without a sequence each frame is one step.
  if (!hasSequence && ani.steps != frameCount) ani.steps = frameCount;
  if (ani.steps == 0 || ani.steps > ANI_MAX_STEPS) return ANI_STEP_COUNT;
  if (rate != nullptr) {
    if (rate->size / 4 < ani.steps) return ANI_STEP_COUNT;
    ani.rates = ValuesOf(bytes, *rate, ani.steps);
  }
  if (hasSequence) {
    if (sequence->size / 4 < ani.steps) return ANI_STEP_COUNT;
    ani.sequence = ValuesOf(bytes, *sequence, ani.steps);
    for (std::uint32_t frame : ani.sequence)
      if (frame >= frameCount) return ANI_BAD_SEQUENCE;
  }
  for (const Chunk& icon : icons)
    ani.frames.emplace_back(bytes.begin() + static_cast<std::ptrdiff_t>(icon.data),
                            bytes.begin() + static_cast<std::ptrdiff_t>(icon.data + icon.size));
  const std::vector<std::string> usual = {"INFO", "anih", "rate", "seq ", "fram"};
  std::vector<std::string> inUsualOrder;
  for (const std::string& id : usual)
    if (std::find(ani.chunkOrder.begin(), ani.chunkOrder.end(), id) != ani.chunkOrder.end()) inUsualOrder.push_back(id);
  if (inUsualOrder == ani.chunkOrder) ani.chunkOrder.clear();
  return {};
}

std::uint32_t FrameOfStep(const AniFile& ani, std::uint32_t step) {
  return step < ani.sequence.size() ? ani.sequence[step] : step;
}

std::uint32_t RateOfStep(const AniFile& ani, std::uint32_t step) {
  return step < ani.rates.size() ? ani.rates[step] : ani.defaultRate;
}

ByteBuffer SerializeAni(const AniFile& ani) {
  const auto frameCount = static_cast<std::uint32_t>(ani.frames.size());
  const auto steps = ani.sequence.empty() ? frameCount : static_cast<std::uint32_t>(ani.sequence.size());
  ByteBuffer header;
  PutU32(header, ani.headerBytes);
  PutU32(header, frameCount);
  PutU32(header, steps);
  PutU32(header, ani.width);
  PutU32(header, ani.height);
  PutU32(header, ani.bitCount);
  PutU32(header, ani.planes);
  PutU32(header, ani.defaultRate);
  PutU32(header, (ani.flags & ~ANI_FLAG_SEQUENCE) | ANI_FLAG_ICON | (ani.sequence.empty() ? 0 : ANI_FLAG_SEQUENCE));

  std::vector<std::string> order = ani.chunkOrder;
  for (const char* id : {"INFO", "anih", "rate", "seq ", "fram"})
    if (std::find(order.begin(), order.end(), id) == order.end()) order.push_back(id);

  ByteBuffer body;
  PutId(body, "ACON");
  for (const std::string& id : order) {
    if (id == "anih") {
      PutChunk(body, "anih", header);
    } else if (id == "rate" && !ani.rates.empty()) {
      PutChunk(body, "rate", ValuesChunkData(ani.rates));
    } else if (id == "seq " && !ani.sequence.empty()) {
      PutChunk(body, "seq ", ValuesChunkData(ani.sequence));
    } else if (id == "INFO" && ani.hasInfo) {
      ByteBuffer list;
      PutId(list, "INFO");
      list.insert(list.end(), ani.info.begin(), ani.info.end());
      PutChunk(body, "LIST", list);
    } else if (id == "fram") {
      ByteBuffer list;
      PutId(list, "fram");
      for (const ByteBuffer& frame : ani.frames) PutChunk(list, "icon", frame);
      PutChunk(body, "LIST", list);
    }
  }
  ByteBuffer bytes;
  PutId(bytes, "RIFF");
  PutU32(bytes, static_cast<std::uint32_t>(body.size()));
  bytes.insert(bytes.end(), body.begin(), body.end());
  return bytes;
}
