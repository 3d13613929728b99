#pragma once
// Animated cursor files put together chunk by chunk, independently of the
// program's writer, in the layouts other tools use.

#include <cstdint>
#include <string>
#include <vector>

#include "fileio/cursor_format.h"
#include "tests/support/icon_samples.h"

namespace samples {

inline ByteBuffer RiffChunk(const std::string& id, const ByteBuffer& data) {
  ByteBuffer b(id.begin(), id.end());
  Put32(b, static_cast<std::uint32_t>(data.size()));
  b.insert(b.end(), data.begin(), data.end());
  if (data.size() % 2 == 1) b.push_back(0);
  return b;
}

// A LIST or RIFF chunk of the type holding the chunks given one after the
// other.
inline ByteBuffer RiffList(const std::string& id, const std::string& type, const std::vector<ByteBuffer>& chunks) {
  ByteBuffer data(type.begin(), type.end());
  for (const ByteBuffer& chunk : chunks) data.insert(data.end(), chunk.begin(), chunk.end());
  return RiffChunk(id, data);
}

inline ByteBuffer Values(const std::vector<std::uint32_t>& values) {
  ByteBuffer b;
  for (std::uint32_t v : values) Put32(b, v);
  return b;
}

inline ByteBuffer AniHeader(std::uint32_t frames, std::uint32_t steps, std::uint32_t rate, std::uint32_t flags) {
  ByteBuffer b;
  for (std::uint32_t v : {36u, frames, steps, 0u, 0u, 0u, 0u, rate, flags}) Put32(b, v);
  return b;
}

// A one-image cursor of the size, colours and hot spot given.
inline ByteBuffer CursorFrame(int size, std::uint8_t colorCode, unsigned seed, int hotX, int hotY) {
  ImageTab tab = PatternTab(size, size, colorCode, seed);
  tab.hotSpotX = static_cast<std::uint8_t>(hotX);
  tab.hotSpotY = static_cast<std::uint8_t>(hotY);
  return SerializeCursor({&tab});
}

inline ByteBuffer FrameList(const std::vector<ByteBuffer>& frames) {
  std::vector<ByteBuffer> icons;
  for (const ByteBuffer& frame : frames) icons.push_back(RiffChunk("icon", frame));
  return RiffList("LIST", "fram", icons);
}

}  // namespace samples
