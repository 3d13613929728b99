#include "import/alpha_cut.h"

#include <cctype>

RgbaPicture ApplyAlphaCut(const RgbaPicture& picture, const AlphaCut& cut) {
  RgbaPicture out = picture;
  for (std::uint32_t& p : out.pixels) {
    const std::uint32_t alpha = AlphaOf(p);
    if (alpha < cut.cut) {
      p = 0;
      continue;
    }
    std::uint32_t rgb = p & 0xFFFFFFu;
    if (cut.matte && alpha < 255) {
      rgb = 0;
      for (int shift = 0; shift <= 16; shift += 8) {
        const std::uint32_t top = p >> shift & 0xFFu;
        const std::uint32_t bottom = *cut.matte >> shift & 0xFFu;
        rgb |= (top * alpha + bottom * (255 - alpha) + 127) / 255 << shift;
      }
    }
    p = 0xFF000000u | rgb;
  }
  return out;
}

std::optional<std::uint32_t> ParseMatteColour(const std::string& text) {
  const std::size_t start = !text.empty() && text[0] == '#' ? 1 : 0;
  if (text.size() - start != 6) return std::nullopt;
  std::uint32_t value = 0;
  for (std::size_t i = start; i < text.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (!std::isxdigit(c)) return std::nullopt;
    value = value << 4 | static_cast<std::uint32_t>(std::isdigit(c) ? c - '0' : std::tolower(c) - 'a' + 10);
  }
  return value;
}
