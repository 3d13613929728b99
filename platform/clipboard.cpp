#include "platform/clipboard.h"

#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QImage>
#include <QImageReader>
#include <QMimeData>
#include <QPointer>
#include <algorithm>
#include <memory>
#include <new>

#include "platform/clipboard_probe_x11.h"

namespace {

// How long a paste waits for another program to say what it offers.
constexpr int PASTE_WAIT_MS = 3000;

// What is known about a clipboard that another program owns. Only under X11
// does asking such a program mean waiting on it; there the probe asks on
// the side and the answer is kept here.
struct ClipboardWatch {
  std::unique_ptr<ClipboardProbeX11> probe;
  QPointer<QObject> owner;
  bool picture = false;
  std::function<void()> changed;
};

ClipboardWatch& Watch() {
  static ClipboardWatch watch;
  return watch;
}

bool FormatsHoldPicture(const QStringList& formats) {
  const QList<QByteArray> readable = QImageReader::supportedMimeTypes();
  return std::any_of(formats.begin(), formats.end(), [&](const QString& format) {
    return format.startsWith(QLatin1String("image/")) && readable.contains(format.toLatin1());
  });
}

// Our own clipboard contents are at hand without asking anyone.
bool AnotherProgramOwns() {
  return Watch().probe != nullptr && Watch().owner != nullptr && !QApplication::clipboard()->ownsClipboard();
}

}  // namespace

void WatchClipboard(QObject* owner, std::function<void()> changed) {
  ClipboardWatch& watch = Watch();
  watch.owner = owner;
  watch.changed = std::move(changed);
  watch.picture = false;
  if (QGuiApplication::platformName() == QLatin1String("xcb")) {
    watch.probe = ClipboardProbeX11::Connect([](const QStringList& formats) {
      Watch().picture = FormatsHoldPicture(formats);
      if (Watch().changed) Watch().changed();
    });
    // The probe's socket belongs to the window's lifetime.
    QObject::connect(owner, &QObject::destroyed, [] { Watch().probe.reset(); });
  }
  QObject::connect(QApplication::clipboard(), &QClipboard::dataChanged, owner, [] {
    ClipboardWatch& current = Watch();
    // Until the new owner answers, there is nothing to paste.
    current.picture = false;
    if (AnotherProgramOwns()) current.probe->Ask();
    if (current.changed) current.changed();
  });
  if (AnotherProgramOwns()) watch.probe->Ask();
}

bool ClipboardHoldsPicture() {
  if (AnotherProgramOwns()) return Watch().picture;
  const QMimeData* data = QApplication::clipboard()->mimeData();
  return data != nullptr && data->hasImage();
}

bool PutPictureOnClipboard(const PixelPicture& picture) {
  if (picture.empty() ||
      picture.pixels.size() != static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height))
    return false;
  const bool withAlpha = picture.alpha.size() == picture.pixels.size();
  QImage image(picture.width, picture.height, withAlpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
  if (image.isNull()) return false;
  for (int y = 0; y < picture.height; ++y) {
    const std::size_t first = static_cast<std::size_t>(y) * picture.width;
    auto* out = reinterpret_cast<std::uint32_t*>(image.scanLine(y));
    for (int x = 0; x < picture.width; ++x) {
      const std::uint32_t alpha = withAlpha ? picture.alpha[first + x] : 0xFFu;
      out[x] = (picture.pixels[first + x] & 0x00FFFFFFu) | alpha << 24;
    }
  }
  // The picture goes out as PNG, which keeps its alpha in every program,
  // and as an image that Qt offers in the other forms it knows.
  auto data = std::make_unique<QMimeData>();
  data->setImageData(image);
  if (withAlpha) {
    QByteArray png;
    QBuffer buffer(&png);
    if (buffer.open(QIODevice::WriteOnly) && image.save(&buffer, "PNG"))
      data->setData(QStringLiteral("image/png"), png);
  }
  QApplication::clipboard()->setMimeData(data.release());
  return true;
}

bool TakePictureFromClipboard(PixelPicture& picture) {
  picture = PixelPicture{};
  if (AnotherProgramOwns()) {
    // Reading waits on the owner; ask first, with a bound, whether it
    // answers at all, so that a stopped program costs a paste nothing but
    // the wait.
    QStringList formats;
    if (!Watch().probe->AskAndWait(PASTE_WAIT_MS, formats) || !FormatsHoldPicture(formats)) return false;
  } else if (!ClipboardHoldsPicture()) {
    return false;
  }
  // Colours are read without blending; a picture with transparency keeps
  // its alpha beside them.
  const QImage taken = QApplication::clipboard()->image();
  const bool withAlpha = taken.hasAlphaChannel();
  const QImage image = taken.convertToFormat(withAlpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
  if (image.isNull() || image.width() <= 0 || image.height() <= 0) return false;
  try {
    // Rows are appended as they are, so the memory is not cleared first.
    picture.pixels.reserve(static_cast<std::size_t>(image.width()) * static_cast<std::size_t>(image.height()));
    for (int y = 0; y < image.height(); ++y) {
      const auto* row = reinterpret_cast<const std::uint32_t*>(image.constScanLine(y));
      picture.pixels.insert(picture.pixels.end(), row, row + image.width());
    }
    if (withAlpha) {
      picture.alpha.reserve(picture.pixels.size());
      for (std::uint32_t pixel : picture.pixels) picture.alpha.push_back(static_cast<std::uint8_t>(pixel >> 24));
      // A picture that is opaque throughout is kept as colours only.
      if (std::all_of(picture.alpha.begin(), picture.alpha.end(), [](std::uint8_t a) { return a == 0xFF; }))
        picture.alpha.clear();
    }
  } catch (const std::bad_alloc&) {
    // A picture too large to copy is treated like no picture at all.
    picture = PixelPicture{};
    return false;
  }
  picture.width = image.width();
  picture.height = image.height();
  // Qt keeps 0xFF in the top byte of these pixels; set it anyway so every
  // pixel compares as a plain colour.
  for (std::uint32_t& pixel : picture.pixels) pixel |= 0xFF000000u;
  return true;
}
