#include "platform/clipboard.h"

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QMimeData>
#include <algorithm>
#include <new>

bool ClipboardHoldsPicture() {
  const QMimeData* data = QApplication::clipboard()->mimeData();
  return data != nullptr && data->hasImage();
}

bool PutPictureOnClipboard(const ColorPicture& picture) {
  if (picture.empty() ||
      picture.pixels.size() != static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height))
    return false;
  QImage image(picture.width, picture.height, QImage::Format_RGB32);
  if (image.isNull()) return false;
  for (int y = 0; y < picture.height; ++y) {
    const std::uint32_t* row = picture.pixels.data() + static_cast<std::size_t>(y) * picture.width;
    std::copy(row, row + picture.width, reinterpret_cast<std::uint32_t*>(image.scanLine(y)));
  }
  QApplication::clipboard()->setImage(image);
  return true;
}

bool TakePictureFromClipboard(ColorPicture& picture) {
  picture = ColorPicture{};
  if (!ClipboardHoldsPicture()) return false;
  // The clipboard carries colours only: a picture with transparency is
  // read as its colours, without blending.
  const QImage image = QApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32);
  if (image.isNull() || image.width() <= 0 || image.height() <= 0) return false;
  try {
    picture.pixels.resize(static_cast<std::size_t>(image.width()) * static_cast<std::size_t>(image.height()));
  } catch (const std::bad_alloc&) {
    // A picture too large to copy is treated like no picture at all.
    picture = ColorPicture{};
    return false;
  }
  picture.width = image.width();
  picture.height = image.height();
  for (int y = 0; y < picture.height; ++y) {
    const auto* row = reinterpret_cast<const std::uint32_t*>(image.constScanLine(y));
    std::uint32_t* out = picture.pixels.data() + static_cast<std::size_t>(y) * picture.width;
    // Qt keeps 0xFF in the top byte of these pixels; set it anyway so every
    // pixel compares as a plain colour.
    std::transform(row, row + picture.width, out, [](std::uint32_t p) { return p | 0xFF000000u; });
  }
  return true;
}
