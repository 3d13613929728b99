#pragma once
// X11 cursor files (the Xcursor format that desktop cursor themes use): a
// header and a table of contents, then one image chunk per picture with its
// nominal size, hot spot and delay, pixels as premultiplied ARGB words.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/image_tab.h"
#include "platform/file_bytes.h"
#include "platform/ui_text.h"

constexpr std::uint32_t XCURSOR_MAGIC = 0x72756358;  // "Xcur"
constexpr std::uint32_t XCURSOR_IMAGE_TYPE = 0xFFFD0002;

// Said, and nothing written, when not one picture can go into the file.
inline constexpr const char* XCURSOR_NOTHING_TO_EXPORT =
    QT_TRANSLATE_NOOP("Quillet2", "X11カーソルに書き出せる画像がありません");

// One picture of the file: its size, hot spot and premultiplied ARGB pixels
// (top row first) and, for a frame of an animation, how long it stays on
// screen in milliseconds (0 for a still cursor). `tab` is the tab it was
// made from, when it comes from one.
struct XcursorFrame {
  const ImageTab* tab = nullptr;
  std::uint32_t delayMs = 0;
  int width = 0;
  int height = 0;
  int hotSpotX = 0;
  int hotSpotY = 0;
  std::vector<std::uint32_t> pixels;
};

// The ARGB word of a cell: transparent cells are 0, others opaque.
std::uint32_t XcursorPixelOfCell(const ImageTab& tab, PixelCell cell);

// The picture of an editable tab's cells, with the tab's hot spot.
XcursorFrame XcursorFrameOfCells(const ImageTab& tab, std::uint32_t delayMs = 0);

// A true-colour picture (0xAARRGGBB with straight alpha, top row first) with
// its hot spot in its own pixels, moved inside it when it lies beyond.
XcursorFrame XcursorFrameOfPicture(int width, int height, const std::vector<std::uint32_t>& argb, int hotSpotX,
                                   int hotSpotY, std::uint32_t delayMs = 0);

// The picture a tab of the tab set shows: the decoded picture of a kept
// image (a 32-bit, PNG or large one, with the tab's hot spot), a
// true-colour tab's own cells premultiplied, else the indexed cells. Nothing for a kept image that was not decoded.
std::optional<XcursorFrame> XcursorFrameOfTab(const ImageTab& tab, std::uint32_t delayMs = 0);

// The pictures of the tabs given in strip order (tabs of the tab set): one
// per tab, or for an animated cursor one per step of its sequence with the
// step's time in milliseconds (at least 1, since 0 means a still picture).
std::vector<XcursorFrame> XcursorFramesOfTabs(const std::vector<const ImageTab*>& tabs, bool animation);

// The file image of the frames in the order given. Each picture's nominal
// size is the larger of its width and height; pictures of one size form
// that size's animation in their order.
ByteBuffer SerializeXcursor(const std::vector<XcursorFrame>& frames);

// The index.theme of a cursor theme folder named name.
std::string XcursorThemeIndex(const std::string& name);
