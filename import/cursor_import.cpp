#include "import/cursor_import.h"

#include <algorithm>
#include <charconv>
#include <cmath>

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

std::pair<int, int> ScaleHotSpot(std::pair<int, int> hotSpot, int sourceWidth, int sourceHeight, int width, int height,
                                 int contentWidth, int contentHeight) {
  if (contentWidth <= 0) contentWidth = width;
  if (contentHeight <= 0) contentHeight = height;
  const long long sx = sourceWidth > 0 ? sourceWidth : contentWidth;
  const long long sy = sourceHeight > 0 ? sourceHeight : contentHeight;
  const long long x = (width - contentWidth) / 2 + hotSpot.first * contentWidth / sx;
  const long long y = (height - contentHeight) / 2 + hotSpot.second * contentHeight / sy;
  return {static_cast<int>(std::clamp<long long>(x, 0, std::max(width - 1, 0))),
          static_cast<int>(std::clamp<long long>(y, 0, std::max(height - 1, 0)))};
}

void PlaceImportHotSpots(std::vector<ImportMade>& made, std::pair<int, int> hotSpot, int sourceWidth,
                         int sourceHeight) {
  for (ImportMade& one : made) {
    ImageTab& image = *one.image;
    if (image.width == 0 || image.height == 0) continue;
    const auto [x, y] = ScaleHotSpot(hotSpot, sourceWidth, sourceHeight, image.width, image.height, one.contentWidth,
                                     one.contentHeight);
    image.hotSpotX = static_cast<std::uint8_t>(x);
    image.hotSpotY = static_cast<std::uint8_t>(y);
  }
}

std::pair<int, int> HotSpotOnFittedImage(std::pair<int, int> hotSpot, int sourceWidth, int sourceHeight, int width,
                                         int height) {
  if (width < 1 || height < 1) return {0, 0};
  if (sourceWidth < 1 || sourceHeight < 1) return ScaleHotSpot(hotSpot, 0, 0, width, height, width, height);
  // The picture scaled so that its longer side fills the image, as the
  // true-colour sizes scale it.
  const int longer = std::max(sourceWidth, sourceHeight);
  const int side = std::max(width, height);
  const int contentWidth = std::max(1, static_cast<int>(std::lround(double(sourceWidth) * side / longer)));
  const int contentHeight = std::max(1, static_cast<int>(std::lround(double(sourceHeight) * side / longer)));
  return ScaleHotSpot(hotSpot, sourceWidth, sourceHeight, width, height, std::min(contentWidth, width),
                      std::min(contentHeight, height));
}
