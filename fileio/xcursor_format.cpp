#include "fileio/xcursor_format.h"

#include <algorithm>

#include "fileio/dib_rows.h"
#include "fileio/true_colour_image.h"
#include "model/animation.h"
#include "model/kept_entries.h"
#include "model/tab_set.h"

namespace {

constexpr std::uint32_t FILE_HEADER_BYTES = 16;
constexpr std::uint32_t TOC_ENTRY_BYTES = 12;
constexpr std::uint32_t IMAGE_HEADER_BYTES = 36;
constexpr std::uint32_t FILE_VERSION = 0x00010000;
constexpr std::uint32_t IMAGE_VERSION = 1;

std::uint32_t NominalSize(const XcursorFrame& frame) {
  return static_cast<std::uint32_t>(std::max(frame.width, frame.height));
}

// X11 wants each colour channel already multiplied by the alpha.
std::uint32_t Premultiplied(std::uint32_t argb) {
  const std::uint32_t alpha = argb >> 24;
  if (alpha == 255) return argb;
  const auto channel = [alpha](std::uint32_t value) { return (value * alpha + 127) / 255; };
  return alpha << 24 | channel(argb >> 16 & 0xFF) << 16 | channel(argb >> 8 & 0xFF) << 8 | channel(argb & 0xFF);
}

}  // namespace

std::uint32_t XcursorPixelOfCell(const ImageTab& tab, PixelCell cell) {
  // With full or no coverage only, premultiplying changes nothing but the
  // transparent pixels, which are all zero.
  if ((cell & CELL_MASK_BIT) != 0) return 0;
  const ColorRef color = tab.palette[cell & CELL_INDEX_BITS];
  const std::uint32_t red = color & 0xFF;
  const std::uint32_t green = color >> 8 & 0xFF;
  const std::uint32_t blue = color >> 16 & 0xFF;
  return 0xFF000000u | red << 16 | green << 8 | blue;
}

XcursorFrame XcursorFrameOfCells(const ImageTab& tab, std::uint32_t delayMs) {
  XcursorFrame frame{&tab, delayMs, tab.width, tab.height, tab.hotSpotX, tab.hotSpotY, {}};
  frame.pixels.reserve(static_cast<std::size_t>(tab.width) * tab.height);
  // Rows top first, unlike the icon's bitmaps.
  for (int y = 0; y < tab.height; ++y)
    for (int x = 0; x < tab.width; ++x) frame.pixels.push_back(XcursorPixelOfCell(tab, CellAt(tab, x, y)));
  return frame;
}

XcursorFrame XcursorFrameOfPicture(int width, int height, const std::vector<std::uint32_t>& argb, int hotSpotX,
                                   int hotSpotY, std::uint32_t delayMs) {
  // A hot spot outside the picture would make X11 refuse the whole file.
  XcursorFrame frame{nullptr, delayMs, width, height, std::clamp(hotSpotX, 0, std::max(width - 1, 0)),
                     std::clamp(hotSpotY, 0, std::max(height - 1, 0)), {}};
  frame.pixels.reserve(argb.size());
  for (std::uint32_t pixel : argb) frame.pixels.push_back(Premultiplied(pixel));
  return frame;
}

std::optional<XcursorFrame> XcursorFrameOfTab(const ImageTab& tab, std::uint32_t delayMs) {
  if (IsTrueColour(tab)) {
    // Its cells hold straight alpha; X11 wants it premultiplied.
    XcursorFrame frame =
        XcursorFrameOfPicture(tab.width, tab.height, TrueColourPixels(tab), tab.hotSpotX, tab.hotSpotY, delayMs);
    frame.tab = &tab;
    return frame;
  }
  const KeptEntry* kept = KeptEntryOf(tab);
  if (kept == nullptr) return XcursorFrameOfCells(tab, delayMs);
  if (kept->width < 1 || kept->height < 1 ||
      kept->argb.size() != static_cast<std::size_t>(kept->width) * static_cast<std::size_t>(kept->height))
    return std::nullopt;
  XcursorFrame frame = XcursorFrameOfPicture(kept->width, kept->height, kept->argb, tab.hotSpotX, tab.hotSpotY, delayMs);
  frame.tab = &tab;
  return frame;
}

std::vector<XcursorFrame> XcursorFramesOfTabs(const std::vector<const ImageTab*>& tabs, bool animation) {
  std::vector<XcursorFrame> frames;
  const auto add = [&frames](const ImageTab& tab, std::uint32_t delayMs) {
    if (auto frame = XcursorFrameOfTab(tab, delayMs)) frames.push_back(std::move(*frame));
  };
  if (!animation) {
    for (const ImageTab* tab : tabs) add(*tab, 0);
    return frames;
  }
  // An animation's pictures follow its sequence, each with its step's time.
  std::vector<int> frameSlots;
  std::vector<std::uint32_t> rates;
  for (const ImageTab* tab : tabs) {
    frameSlots.push_back(static_cast<int>(tab - tabSet.tabs));
    rates.push_back(tab->frameRate);
  }
  for (const PlayedStep& step : PlayedSteps(frameSlots, rates))
    add(tabSet.tabs[step.slot], std::max<std::uint32_t>(RateToMilliseconds(step.rate), 1));
  return frames;
}

ByteBuffer SerializeXcursor(const std::vector<XcursorFrame>& frames) {
  ByteBuffer bytes;
  const auto count = static_cast<std::uint32_t>(frames.size());
  PutU32(bytes, XCURSOR_MAGIC);
  PutU32(bytes, FILE_HEADER_BYTES);
  PutU32(bytes, FILE_VERSION);
  PutU32(bytes, count);
  std::uint32_t position = FILE_HEADER_BYTES + TOC_ENTRY_BYTES * count;
  for (const XcursorFrame& frame : frames) {
    PutU32(bytes, XCURSOR_IMAGE_TYPE);
    PutU32(bytes, NominalSize(frame));
    PutU32(bytes, position);
    position += IMAGE_HEADER_BYTES + 4u * static_cast<std::uint32_t>(frame.pixels.size());
  }
  for (const XcursorFrame& frame : frames) {
    PutU32(bytes, IMAGE_HEADER_BYTES);
    PutU32(bytes, XCURSOR_IMAGE_TYPE);
    PutU32(bytes, NominalSize(frame));
    PutU32(bytes, IMAGE_VERSION);
    PutU32(bytes, static_cast<std::uint32_t>(frame.width));
    PutU32(bytes, static_cast<std::uint32_t>(frame.height));
    PutU32(bytes, static_cast<std::uint32_t>(frame.hotSpotX));
    PutU32(bytes, static_cast<std::uint32_t>(frame.hotSpotY));
    PutU32(bytes, frame.delayMs);
    for (std::uint32_t pixel : frame.pixels) PutU32(bytes, pixel);
  }
  return bytes;
}

std::string XcursorThemeIndex(const std::string& name) {
  return "[Icon Theme]\nName=" + name + "\nComment=" + name + "\n";
}
