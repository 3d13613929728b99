#pragma once
// Reading a file for import: an icon file with every image it holds, PNG
// images decoded by Qt's reader, or a single picture (PNG, BMP, GIF) read by
// Qt's image readers.

#include <string>
#include <vector>

#include "fileio/icon_import_read.h"
#include "model/ui_text.h"

class QImage;

inline constexpr const char* IMPORT_PICTURE_UNREADABLE = QT_TRANSLATE_NOOP("Quillet2", "画像を読み込めません");
inline constexpr const char* IMPORT_PICTURE_TOO_LARGE = QT_TRANSLATE_NOOP("Quillet2", "画像が大きすぎて読み込めません");

// The largest single picture the import reads, in each direction.
constexpr int IMPORT_MAX_PICTURE_SIZE = 4096;

struct ImportSource {
  // Empty when the file was read; otherwise why not.
  std::string error;
  std::vector<ImportEntry> entries;
};

// An icon file (by its ".ico" extension) gives one entry per directory
// entry, readable or not; any other file is read as one picture.
ImportSource ReadImportSource(const std::string& path);

// Decodes the PNG entry's bytes into its picture, or sets its problem.
void DecodePngEntry(const ByteBuffer& bytes, ImportEntry& entry);

// The image as a straight-alpha picture.
RgbaPicture PictureFromImage(const QImage& image);
