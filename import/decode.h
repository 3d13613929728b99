#pragma once
// Reading a file for import: an icon file with every image it holds, PNG
// images decoded by Qt's reader, a single picture (PNG, BMP, GIF) read by
// Qt's image readers after its structure was checked, or an SVG drawing
// (.svg, .svgz) rendered by librsvg (see import/svg_render.h).

#include <string>
#include <vector>

#include "import/read.h"
#include "platform/ui_text.h"

class QImage;

inline constexpr const char* IMPORT_PICTURE_UNREADABLE = QT_TRANSLATE_NOOP("Quillet2", "画像を読み込めません");
inline constexpr const char* IMPORT_PICTURE_TOO_LARGE = QT_TRANSLATE_NOOP("Quillet2", "画像が大きすぎて読み込めません");

// The largest single picture the import reads, in each direction.
constexpr int IMPORT_MAX_PICTURE_SIZE = 4096;
// The size an SVG is taken to have when it gives none in pixels (only a view
// box, or lengths in percent): the largest icon size of the desktops.
constexpr int IMPORT_SVG_DEFAULT_SIZE = 256;

struct ImportSource {
  // Empty when the file was read; otherwise why not.
  std::string error;
  // Each entry keeps its picture scaled to fit MAX_IMAGE_SIZE (see
  // ImportEntry).
  std::vector<ImportEntry> entries;
};

// Whether the file's bytes are read as an icon or cursor file: by their
// header, or by an icon's name when they are no picture of another kind.
bool ReadsAsIconFile(const std::string& path, const ByteBuffer& bytes);

// An icon or cursor file (see ReadsAsIconFile) gives one entry per directory
// entry, readable or not; any other file is read as one picture. The
// progress is told before each image is decoded and may stop the reading,
// which leaves no entries and no error.
ImportSource ReadImportSource(const std::string& path, const ImportProgress& progress = {});
// The same for a file's bytes, read as an icon file or as one picture.
ImportSource ReadImportBytes(ByteBuffer bytes, bool icon, const ImportProgress& progress = {});

// Decodes the bytes of a PNG image (an icon entry) into the full picture;
// gives back an empty string or why it cannot.
std::string DecodePngImage(const std::uint8_t* data, std::size_t size, RgbaPicture& picture);

// The image as a straight-alpha picture.
RgbaPicture PictureFromImage(const QImage& image);
