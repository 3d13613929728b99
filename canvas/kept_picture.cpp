#include "canvas/kept_picture.h"

#include <QPainter>
#include <algorithm>

#include "platform/qt_colors.h"

QImage KeptPictureImage(const KeptEntry& kept) {
  if (kept.argb.empty() || kept.width < 1 || kept.height < 1 ||
      kept.argb.size() != static_cast<std::size_t>(kept.width) * kept.height)
    return {};
  // 0xAARRGGBB with straight alpha is the image format's own layout.
  return QImage(reinterpret_cast<const uchar*>(kept.argb.data()), kept.width, kept.height, kept.width * 4,
                QImage::Format_ARGB32);
}

int DrawKeptPicture(QImage& target, const KeptEntry& kept, ColorRef background, int margin, int maxScale) {
  if (target.isNull()) return 0;
  target.fill(ToQColor(background));
  const QImage picture = KeptPictureImage(kept);
  if (picture.isNull()) return 0;
  const int roomX = std::max(1, target.width() - 2 * margin);
  const int roomY = std::max(1, target.height() - 2 * margin);
  QSize shown;
  const int scale = std::min({roomX / picture.width(), roomY / picture.height(), maxScale});
  if (scale >= 1)
    shown = picture.size() * scale;
  else
    shown = picture.size().scaled(roomX, roomY, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
  const QRect place((target.width() - shown.width()) / 2, (target.height() - shown.height()) / 2, shown.width(),
                    shown.height());
  QPainter painter(&target);
  painter.setRenderHint(QPainter::SmoothPixmapTransform, scale < 1);
  painter.drawImage(place, picture);
  return std::max(scale, 0);
}
