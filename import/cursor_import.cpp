#include "import/cursor_import.h"

#include <algorithm>
#include <charconv>

std::optional<std::pair<int, int>> ParseHotSpotText(const std::string& text) {
  const std::size_t comma = text.find(',');
  if (comma == std::string::npos) return std::nullopt;
  const auto number = [](const char* first, const char* last) -> std::optional<int> {
    int value = 0;
    const auto [end, error] = std::from_chars(first, last, value);
    if (error != std::errc() || end != last || first == last || value < 0) return std::nullopt;
    return value;
  };
  const auto x = number(text.data(), text.data() + comma);
  const auto y = number(text.data() + comma + 1, text.data() + text.size());
  if (!x || !y) return std::nullopt;
  return std::make_pair(*x, *y);
}

void PlaceImportHotSpots(std::vector<ImportMade>& made, std::pair<int, int> hotSpot, int sourceWidth,
                         int sourceHeight) {
  for (ImportMade& one : made) {
    ImageTab& image = *one.image;
    if (image.width == 0 || image.height == 0) continue;
    const int contentWidth = one.contentWidth > 0 ? one.contentWidth : image.width;
    const int contentHeight = one.contentHeight > 0 ? one.contentHeight : image.height;
    const long long sx = sourceWidth > 0 ? sourceWidth : contentWidth;
    const long long sy = sourceHeight > 0 ? sourceHeight : contentHeight;
    const long long x = (image.width - contentWidth) / 2 + hotSpot.first * contentWidth / sx;
    const long long y = (image.height - contentHeight) / 2 + hotSpot.second * contentHeight / sy;
    image.hotSpotX = static_cast<std::uint8_t>(std::clamp<long long>(x, 0, image.width - 1));
    image.hotSpotY = static_cast<std::uint8_t>(std::clamp<long long>(y, 0, image.height - 1));
  }
}
