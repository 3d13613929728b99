#include "app/icon_files.h"

#include <QImage>
#include <QPixmap>
#include <algorithm>
#include <iterator>
#include <memory>
#include <vector>

#include "fileio/icon_format.h"
#include "platform/file_bytes.h"

namespace {

// The program's icons are a few kilobytes; anything larger is not one.
constexpr std::size_t ICON_FILE_LIMIT = 1 << 20;

QImage ImageOfTab(const ImageTab& tab) {
  QImage image(tab.width, tab.height, QImage::Format_ARGB32);
  for (int y = 0; y < tab.height; ++y) {
    auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < tab.width; ++x) {
      const PixelCell cell = CellAt(tab, x, y);
      if ((cell & CELL_MASK_BIT) != 0) {
        // Transparent, as Qt's own reader shows a masked pixel of any colour.
        row[x] = 0;
      } else {
        const ColorRef colour = tab.palette[cell & CELL_INDEX_BITS];
        row[x] = qRgb(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
      }
    }
  }
  return image;
}

}  // namespace

QIcon IconFromIconFile(const std::string& path) {
  const std::optional<ByteBuffer> bytes = ReadFileBytes(path, ICON_FILE_LIMIT);
  IconHeader header;
  std::vector<IconDirEntry> entries;
  if (!bytes || !ReadIconDirectory(*bytes, header, entries) || entries.empty()) return QIcon(QString::fromStdString(path));
  // One image at a time, in one store kept for every icon: a tab's store is
  // a quarter megabyte, too much to clear for each 16 px picture. The
  // reader writes every cell of the image, so the store is not cleared even
  // once: only the rows the icons use are ever touched.
  static const std::unique_ptr<ImageTab> tab = std::make_unique_for_overwrite<ImageTab>();
  QIcon icon;
  for (const IconDirEntry& entry : entries) {
    IconImageShape shape;
    if (!ReadIconImageShape(*bytes, entry.imageOffset, shape) || !IsEditableShape(shape))
      return QIcon(QString::fromStdString(path));
    std::fill(std::begin(tab->palette), std::end(tab->palette), ColorRef{0});
    tab->width = static_cast<std::uint16_t>(shape.width);
    tab->height = static_cast<std::uint16_t>(shape.height);
    tab->colorCode = ColorCodeOfBitCount(shape.bitCount);
    if (!ReadIconImage(*bytes, *tab, entry.imageOffset)) return QIcon(QString::fromStdString(path));
    icon.addPixmap(QPixmap::fromImage(ImageOfTab(*tab)));
  }
  return icon;
}
