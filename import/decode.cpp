#include "import/decode.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageReader>

#include <algorithm>
#include <cstring>
#include <memory>

#include "fileio/icon_format.h"
#include "import/convert.h"
#include "import/picture_checks.h"
#include "import/picture_depth.h"
#include "import/svg_render.h"

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

// An SVG's one entry: the drawing's own size, and its render fitted into
// MAX_IMAGE_SIZE as the entry's picture. Rendering it once here also tells
// at once whether librsvg can draw it at all.
ImportSource ReadSvgBytes(const ByteBuffer& bytes) {
  ImportSource source;
  auto svg = std::make_shared<ByteBuffer>();
  source.error = UncompressSvg(bytes, *svg);
  if (!source.error.empty()) return source;
  ImportEntry entry;
  source.error = MeasureSvg(*svg, IMPORT_MAX_PICTURE_SIZE, IMPORT_SVG_DEFAULT_SIZE, entry.width, entry.height);
  if (!source.error.empty()) return source;
  const int longer = std::max(entry.width, entry.height);
  int width = entry.width, height = entry.height;
  if (longer > MAX_IMAGE_SIZE) {
    width = std::max(1, (entry.width * MAX_IMAGE_SIZE + longer / 2) / longer);
    height = std::max(1, (entry.height * MAX_IMAGE_SIZE + longer / 2) / longer);
  }
  source.error = RenderSvg(*svg, width, height, entry.picture);
  if (!source.error.empty()) return source;
  entry.bitCount = 32;
  entry.sourceColours = CountOpaqueColours(entry.picture);
  entry.svg = std::move(svg);
  source.entries.push_back(std::move(entry));
  return source;
}

bool IsGzipData(const ByteBuffer& bytes) { return bytes.size() >= 2 && bytes[0] == 0x1F && bytes[1] == 0x8B; }

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

std::string DecodePngImage(const std::uint8_t* data, std::size_t size, RgbaPicture& picture) {
  QImage image;
  std::string problem;
  if (!ReadPicture(QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)),
                   IMPORT_MAX_PICTURE_SIZE, image, problem))
    return problem == IMPORT_PICTURE_TOO_LARGE ? IMPORT_ENTRY_BAD_SIZE : IMPORT_ENTRY_BAD_PNG;
  picture = PictureFromImage(image);
  return {};
}

bool ReadsAsIconFile(const std::string& path, const ByteBuffer& bytes) {
  // An icon or cursor header names the content whatever the name says.
  if (bytes.size() >= 4 && bytes[0] == 0 && bytes[1] == 0 && (bytes[2] == 1 || bytes[2] == 2) && bytes[3] == 0)
    return true;
  if (!FileExtensionIs(path, ".ico") && !FileExtensionIs(path, ".cur")) return false;
  // Under an icon's name, a picture of another kind (favicons are often PNG
  // files) is read as that picture; anything else as the damaged icon that
  // its name says it is.
  QBuffer buffer;
  buffer.setData(QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size())));
  buffer.open(QIODevice::ReadOnly);
  const QByteArray format = QImageReader::imageFormat(&buffer);
  return format.isEmpty() || format == "ico" || format == "cur";
}

ImportSource ReadImportSource(const std::string& path, const ImportProgress& progress) {
  auto bytes = ReadFileBytes(path, ICON_MAX_FILE_BYTES);
  if (!bytes) return ImportSource{ICON_OPEN_FAILED, {}};
  if (bytes->size() > ICON_MAX_FILE_BYTES) return ImportSource{IMPORT_PICTURE_TOO_LARGE, {}};
  const bool icon = ReadsAsIconFile(path, *bytes);
  if (!icon && LooksLikeSvg(path, *bytes)) return ReadSvgBytes(*bytes);
  return ReadImportBytes(std::move(*bytes), icon, progress);
}

ImportSource ReadImportBytes(ByteBuffer bytes, bool icon, const ImportProgress& progress) {
  ImportSource source;
  if (icon) {
    source.error = ReadImportEntries(bytes, source.entries, DecodePngImage, progress);
    return source;
  }
  // No other picture the import reads is XML or gzip-compressed.
  if (IsGzipData(bytes) || LooksLikeSvg({}, bytes)) return ReadSvgBytes(bytes);
  source.error = CheckPictureData(bytes);
  if (!source.error.empty()) return source;
  const int bitCount = PictureBitsPerPixel(bytes.data(), bytes.size());
  QImage image;
  {
    const QByteArray data(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
    ByteBuffer().swap(bytes);
    if (!ReadPicture(data, IMPORT_MAX_PICTURE_SIZE, image, source.error)) return source;
  }
  ImportEntry entry;
  entry.bitCount = bitCount > 0 ? bitCount : image.depth();
  KeepScaledPicture(PictureFromImage(image), entry);
  source.entries.push_back(std::move(entry));
  return source;
}
