#include "fileio/true_colour_image.h"

#include "fileio/dib_rows.h"

namespace {

PngPictureWriter pngWriter = nullptr;

// Other programs write their largest image, 256 pixels a side, as PNG, and
// so does this one.
constexpr int PNG_SIDE = 256;

}  // namespace

void SetPngPictureWriter(PngPictureWriter writer) { pngWriter = writer; }

ByteBuffer PngPictureBytes(int width, int height, const std::vector<std::uint32_t>& argb) {
  return pngWriter == nullptr ? ByteBuffer{} : pngWriter(width, height, argb);
}

ByteBuffer TrueColourImageData(int width, int height, const std::vector<std::uint32_t>& argb) {
  ByteBuffer bytes;
  PutInfoHeader(bytes, width, 2 * height, 32);
  for (int y = height - 1; y >= 0; --y)
    for (int x = 0; x < width; ++x) {
      const std::uint32_t pixel = argb[static_cast<std::size_t>(y) * width + x];
      for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<std::uint8_t>(pixel >> shift));
    }
  const int maskRow = (width + 31) / 32 * 4;
  std::vector<std::uint8_t> bits(static_cast<std::size_t>(width));
  for (int y = height - 1; y >= 0; --y) {
    for (int x = 0; x < width; ++x) bits[static_cast<std::size_t>(x)] = argb[static_cast<std::size_t>(y) * width + x] >> 24 == 0;
    PackIndexRow(bytes, bits.data(), width, 1, maskRow);
  }
  return bytes;
}

std::vector<std::uint32_t> TrueColourPixels(const ImageTab& image, int* inverted) {
  std::vector<std::uint32_t> argb(static_cast<std::size_t>(image.width) * image.height, 0);
  if (inverted != nullptr) *inverted = 0;
  if (IsTrueColour(image)) {
    for (int y = 0; y < image.height; ++y)
      for (int x = 0; x < image.width; ++x)
        argb[static_cast<std::size_t>(y) * image.width + x] = TrueColourCell(CellAt(image, x, y));
    return argb;
  }
  int count = 0;
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x) {
      const PixelCell cell = CellAt(image, x, y);
      const ColorRef color = image.palette[cell & CELL_INDEX_BITS] & 0xFFFFFF;
      if ((cell & CELL_MASK_BIT) != 0) {
        count += color != 0 ? 1 : 0;
        continue;
      }
      // COLORREF keeps red low; the picture keeps it in bits 16 to 23.
      argb[static_cast<std::size_t>(y) * image.width + x] =
          0xFF000000u | (color & 0xFF) << 16 | (color & 0xFF00) | (color >> 16 & 0xFF);
    }
  if (inverted != nullptr) *inverted = count;
  return argb;
}

KeptEntry TrueColourEntryOfImage(const ImageTab& image, int* inverted) {
  KeptEntry entry;
  entry.width = image.width;
  entry.height = image.height;
  entry.bitCount = 32;
  entry.argb = TrueColourPixels(image, inverted);
  entry.png = IsTrueColour(image) && (image.width == PNG_SIDE || image.height == PNG_SIDE) && pngWriter != nullptr;
  if (entry.png) entry.data = pngWriter(image.width, image.height, entry.argb);
  // A PNG writer that failed leaves the image as a bitmap, which every
  // reader takes.
  if (entry.data.empty()) {
    entry.png = false;
    entry.data = TrueColourImageData(image.width, image.height, entry.argb);
  }
  // A side of 256 is written as 0, as the format has it.
  entry.directory = {static_cast<std::uint8_t>(image.width), static_cast<std::uint8_t>(image.height), 0, 0, 1, 0, 32, 0};
  return entry;
}
