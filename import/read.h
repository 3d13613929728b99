#pragma once
// Reading every image of an icon file for import, whatever its depth or
// size: 1, 4 and 8 bits with a palette, 24 and 32 bits of true colour, and
// PNG-compressed images. Bitmap images are decoded here; PNG images are
// decoded by the caller's decoder (the Qt side), or left as byte ranges when
// there is none. An image whose data does not fit in the file is marked
// unreadable, never read past the end.
//
// Images are decoded one at a time and only their picture scaled to fit the
// largest image size is kept, with a few facts about the full one; images
// that hold the same bytes are decoded once, whatever offsets and sizes the
// directory gives them. So a file whose many entries point at one huge image
// costs the memory and time of one image, not of all.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/file_bytes.h"
#include "platform/ui_text.h"

// Colours are kept as 0xAARRGGBB with straight (not premultiplied) alpha.
struct RgbaPicture {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;  // row by row, top row first

  std::uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

inline constexpr std::uint32_t AlphaOf(std::uint32_t argb) { return argb >> 24; }

inline constexpr const char* IMPORT_ENTRY_TRUNCATED = QT_TRANSLATE_NOOP("Quillet2", "データが途中で切れています");
inline constexpr const char* IMPORT_ENTRY_UNSUPPORTED = QT_TRANSLATE_NOOP("Quillet2", "対応していない形式です");
inline constexpr const char* IMPORT_ENTRY_BAD_SIZE = QT_TRANSLATE_NOOP("Quillet2", "大きさが正しくありません");
inline constexpr const char* IMPORT_ENTRY_BAD_PNG = QT_TRANSLATE_NOOP("Quillet2", "PNGを読み込めません");
inline constexpr const char* IMPORT_TOO_MANY_ENTRIES = QT_TRANSLATE_NOOP("Quillet2", "画像が多すぎて読み込めません");
inline constexpr const char* IMPORT_TOO_MANY_PIXELS =
    QT_TRANSLATE_NOOP("Quillet2", "画像を合わせると大きすぎて読み込めません");

// The largest bitmap image the import takes in, in each direction. Icons
// stop at 256 pixels; a little room is left for odd files, and the limit
// keeps a damaged header from asking for gigabytes.
constexpr int IMPORT_MAX_SOURCE_SIZE = 1024;
// A directory longer than this is taken as damage rather than listed.
constexpr int IMPORT_MAX_ENTRIES = 256;
// The most pixels the distinct images of one file may hold together: eight
// of the largest pictures the import reads. A file beyond is refused before
// the image that would pass the bound is decoded.
constexpr std::uint64_t IMPORT_MAX_TOTAL_PIXELS = 8ull * 4096 * 4096;

struct ImportEntry {
  int width = 0;
  int height = 0;
  // Bits per pixel as stored: 1, 4, 8, 24 or 32; for a PNG image, its bit
  // depth times its channels (1 to 64).
  int bitCount = 0;
  bool png = false;
  // Where a PNG image's bytes lie in the file.
  std::size_t pngOffset = 0;
  std::size_t pngSize = 0;
  // Empty when the image reads; otherwise why it cannot be read.
  std::string problem;
  // A 32-bit image whose alpha bytes are all zero was written by a program
  // that kept transparency in the AND mask only; its alpha is ignored.
  bool alphaIgnored = false;
  // The image comes from a cursor file, whose hot spot an icon cannot keep.
  bool cursor = false;
  // Once decoded: the distinct colours of the full image's opaque pixels,
  // and the image scaled to fit MAX_IMAGE_SIZE (as it is when it fits). The
  // full image itself is not kept.
  int sourceColours = 0;
  RgbaPicture picture;
  // For an SVG picture, its text (uncompressed): every size is rendered
  // from it afresh, and the picture above is only its render that fits
  // MAX_IMAGE_SIZE. Width and height are then the drawing's own size.
  std::shared_ptr<const ByteBuffer> svg;
};

// Decodes a PNG image's bytes into the full picture, or gives back why it
// cannot (a message text).
using PngDecoder = std::function<std::string(const std::uint8_t* data, std::size_t size, RgbaPicture& picture)>;
// Told how many of the entries were decoded so far, before each one; gives
// back false to stop the reading.
using ImportProgress = std::function<bool(int done, int total)>;

// Reads the directory and decodes every image, one at a time: bitmap images
// here, PNG images with the decoder (left undecoded without one). Gives
// back an empty string with one entry per directory entry, or the reason
// the whole file cannot be used (it is not an icon file, or it ends inside
// its directory). When the progress says stop, the entries are cleared and
// an empty string comes back.
std::string ReadImportEntries(const ByteBuffer& bytes, std::vector<ImportEntry>& entries,
                              const PngDecoder& decodePng = {}, const ImportProgress& progress = {});

// Decodes one image's bytes (an info header and what follows it, or a PNG
// image) into the full picture, with the same checks and bounds as
// ReadImportEntries; gives back an empty string or why it cannot.
std::string DecodeImportImage(const ByteBuffer& data, const PngDecoder& decodePng, RgbaPicture& full);

// True when the bytes start with the PNG signature.
bool IsPngData(const std::uint8_t* data, std::size_t size);
