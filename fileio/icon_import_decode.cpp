#include "fileio/icon_import_decode.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageReader>

#include <cstring>

#include "fileio/icon_format.h"

namespace {

// Reads the picture from the bytes, refusing one whose declared size is
// beyond the limit before any pixel memory is taken for it.
bool ReadPicture(const QByteArray& data, int limit, QImage& image, std::string& problem) {
  QBuffer buffer;
  buffer.setData(data);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer);
  const QSize size = reader.size();
  if (size.isValid() && (size.width() > limit || size.height() > limit)) {
    problem = IMPORT_PICTURE_TOO_LARGE;
    return false;
  }
  if (!reader.read(&image) || image.isNull()) {
    problem = IMPORT_PICTURE_UNREADABLE;
    return false;
  }
  if (image.width() > limit || image.height() > limit) {
    problem = IMPORT_PICTURE_TOO_LARGE;
    return false;
  }
  return true;
}

}  // namespace

RgbaPicture PictureFromImage(const QImage& image) {
  const QImage straight = image.convertToFormat(QImage::Format_ARGB32);
  RgbaPicture picture;
  picture.width = straight.width();
  picture.height = straight.height();
  picture.pixels.resize(static_cast<std::size_t>(picture.width) * picture.height);
  for (int y = 0; y < picture.height; ++y)
    std::memcpy(&picture.pixels[static_cast<std::size_t>(y) * picture.width], straight.constScanLine(y),
                sizeof(std::uint32_t) * static_cast<std::size_t>(picture.width));
  return picture;
}

void DecodePngEntry(const ByteBuffer& bytes, ImportEntry& entry) {
  if (!entry.png || !entry.problem.empty()) return;
  const QByteArray data(reinterpret_cast<const char*>(bytes.data() + entry.pngOffset),
                        static_cast<qsizetype>(entry.pngSize));
  QImage image;
  std::string problem;
  if (!ReadPicture(data, IMPORT_MAX_PICTURE_SIZE, image, problem)) {
    entry.problem = problem == IMPORT_PICTURE_TOO_LARGE ? IMPORT_ENTRY_BAD_SIZE : IMPORT_ENTRY_BAD_PNG;
    return;
  }
  entry.picture = PictureFromImage(image);
  entry.width = entry.picture.width;
  entry.height = entry.picture.height;
}

ImportSource ReadImportSource(const std::string& path) {
  ImportSource source;
  auto bytes = ReadFileBytes(path, ICON_MAX_FILE_BYTES);
  if (!bytes) {
    source.error = ICON_OPEN_FAILED;
    return source;
  }
  if (bytes->size() > ICON_MAX_FILE_BYTES) {
    source.error = IMPORT_PICTURE_TOO_LARGE;
    return source;
  }
  if (FileExtensionIs(path, ".ico")) {
    source.error = ReadImportEntries(*bytes, source.entries);
    for (ImportEntry& entry : source.entries) DecodePngEntry(*bytes, entry);
    return source;
  }
  QImage image;
  ImportEntry entry;
  const QByteArray data(reinterpret_cast<const char*>(bytes->data()), static_cast<qsizetype>(bytes->size()));
  if (!ReadPicture(data, IMPORT_MAX_PICTURE_SIZE, image, source.error)) return source;
  entry.picture = PictureFromImage(image);
  entry.width = image.width();
  entry.height = image.height();
  entry.bitCount = image.depth();
  source.entries.push_back(std::move(entry));
  return source;
}
