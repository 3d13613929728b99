#include "import/true_colour_entries.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageReader>
#include <algorithm>

#include "fileio/icon_format.h"
#include "fileio/kept_entries.h"
#include "fileio/true_colour_image.h"
#include "import/decode.h"
#include "import/picture_checks.h"

ByteBuffer TrueColourImageData(const RgbaPicture& picture) {
  return TrueColourImageData(picture.width, picture.height, picture.pixels);
}

ByteBuffer PngImageData(const RgbaPicture& picture) {
  const QImage image(reinterpret_cast<const uchar*>(picture.pixels.data()), picture.width, picture.height,
                     picture.width * 4, QImage::Format_ARGB32);
  QByteArray data;
  QBuffer buffer(&data);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return ByteBuffer(data.begin(), data.end());
}

ByteBuffer PngPictureData(int width, int height, const std::vector<std::uint32_t>& argb) {
  if (width < 1 || height < 1 || argb.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height))
    return {};
  return PngImageData(RgbaPicture{width, height, argb});
}

KeptEntry TrueColourEntry(const RgbaPicture& picture, bool png) {
  KeptEntry entry;
  entry.width = picture.width;
  entry.height = picture.height;
  entry.bitCount = 32;
  entry.png = png;
  // The picture itself goes with it, for the outputs that are not icons.
  entry.argb = picture.pixels;
  entry.data = png ? PngImageData(picture) : TrueColourImageData(picture);
  entry.directory = {static_cast<std::uint8_t>(picture.width >= 256 ? 0 : picture.width),
                     static_cast<std::uint8_t>(picture.height >= 256 ? 0 : picture.height), 0, 0, 1, 0, 32, 0};
  return entry;
}

std::string ReadFullPicture(const std::string& path, int index, RgbaPicture& full) {
  const auto bytes = ReadFileBytes(path, ICON_MAX_FILE_BYTES);
  if (!bytes) return ICON_OPEN_FAILED;
  if (bytes->size() > ICON_MAX_FILE_BYTES) return IMPORT_PICTURE_TOO_LARGE;
  if (ReadsAsIconFile(path, *bytes)) {
    IconHeader header;
    std::vector<IconDirEntry> entries;
    if (!ReadIconDirectory(*bytes, header, entries) || index < 0 || index >= static_cast<int>(entries.size()))
      return ICON_READ_FAILED;
    const IconDirEntry& entry = entries[static_cast<std::size_t>(index)];
    if (entry.imageOffset >= bytes->size()) return IMPORT_ENTRY_TRUNCATED;
    const auto begin = bytes->begin() + entry.imageOffset;
    const bool png = IsPngData(&*begin, static_cast<std::size_t>(bytes->end() - begin));
    const std::size_t size = png ? std::min<std::size_t>(entry.bytesInRes, static_cast<std::size_t>(bytes->end() - begin))
                                 : static_cast<std::size_t>(bytes->end() - begin);
    return DecodeImportImage(ByteBuffer(begin, begin + static_cast<std::ptrdiff_t>(size)), DecodePngImage, full);
  }
  // A single picture, read as the import reads it.
  const std::string problem = CheckPictureData(*bytes);
  if (!problem.empty()) return problem;
  QImage image;
  QBuffer buffer;
  buffer.setData(QByteArray(reinterpret_cast<const char*>(bytes->data()), static_cast<qsizetype>(bytes->size())));
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer);
  const QSize declared = reader.size();
  if (declared.isValid() && (declared.width() > IMPORT_MAX_PICTURE_SIZE || declared.height() > IMPORT_MAX_PICTURE_SIZE))
    return IMPORT_PICTURE_TOO_LARGE;
  if (!reader.read(&image) || image.isNull()) return IMPORT_PICTURE_UNREADABLE;
  if (image.width() > IMPORT_MAX_PICTURE_SIZE || image.height() > IMPORT_MAX_PICTURE_SIZE)
    return IMPORT_PICTURE_TOO_LARGE;
  full = PictureFromImage(image);
  return {};
}

std::vector<KeptEntry> ImagesNotReplaced(const std::string& path, const std::vector<int>& sizes) {
  std::vector<KeptEntry> kept;
  if (!FileExtensionIs(path, ".ico")) return kept;
  const auto bytes = ReadFileBytes(path, ICON_MAX_FILE_BYTES);
  if (!bytes || bytes->size() > ICON_MAX_FILE_BYTES) return kept;
  IconHeader header;
  std::vector<IconDirEntry> entries;
  if (!ReadIconDirectory(*bytes, header, entries) || header.type != 1) return kept;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    KeptEntry entry;
    if (!ReadKeptEntry(*bytes, i, entry)) continue;
    const bool replaced = entry.width == entry.height && std::count(sizes.begin(), sizes.end(), entry.width) > 0;
    if (!replaced) kept.push_back(std::move(entry));
  }
  return kept;
}
