// Build step: writes the program's own icon as PNG files of 16, 32, 48 and
// 64 pixels into the folder given as the only argument, named
// "NxN/apps/quillet2.png" as the hicolor icon theme lays them out.

#include <QDir>
#include <QImage>
#include <cstdio>

#include "resources/toolbar_icons.h"

namespace {

QImage PictureImage(const ImageTab& image) {
  QImage picture(image.width, image.height, QImage::Format_ARGB32);
  for (int x = 0; x < image.width; ++x) {
    for (int y = 0; y < image.height; ++y) {
      const PixelCell cell = image.cells[CellIndex(x, y)];
      const ColorRef color = image.palette[cell & 0xFF];
      const bool transparent = (cell & CELL_MASK_BIT) != 0;
      picture.setPixel(x, y, transparent ? 0u : qRgb(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF));
    }
  }
  return picture;
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_app_icons FOLDER\n");
    return 2;
  }
  for (const IconPicture& picture : ToolbarIconPictures()) {
    if (picture.fileName != "quillet2") continue;
    const QImage image = PictureImage(picture.image);
    for (int size : {16, 32, 48, 64}) {
      // Whole multiples keep the pixels sharp; the other sizes are smoothed.
      const bool whole = size % image.width() == 0;
      const QImage scaled = image.scaled(size, size, Qt::IgnoreAspectRatio,
                                         whole ? Qt::FastTransformation : Qt::SmoothTransformation);
      const QString folder = QStringLiteral("%1/%2x%2/apps").arg(QString::fromLocal8Bit(argv[1])).arg(size);
      const QString path = folder + QStringLiteral("/quillet2.png");
      if (!QDir().mkpath(folder) || !scaled.save(path, "PNG")) {
        std::fprintf(stderr, "make_app_icons: cannot write %s\n", path.toLocal8Bit().constData());
        return 1;
      }
    }
    return 0;
  }
  std::fprintf(stderr, "make_app_icons: the program's picture is missing\n");
  return 1;
}
