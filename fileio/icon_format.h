#pragma once
// The .ico file: a 6-byte header, one 16-byte directory entry per image, and
// for each image an info header, its palette, the colour bitmap and the AND
// mask, rows bottom first. Everything here works on the bytes of a whole
// file; the flows around it open files and show the messages.

#include <cstdint>
#include <string>
#include <vector>

#include "model/image_tab.h"
#include "platform/file_bytes.h"
#include "platform/ui_text.h"

inline constexpr const char* ICON_NOT_ICON_FILE = QT_TRANSLATE_NOOP("Quillet2", "アイコンファイルではありません");
inline constexpr const char* ICON_OPEN_FAILED = QT_TRANSLATE_NOOP("Quillet2", "オープンに失敗");
inline constexpr const char* ICON_READ_FAILED = QT_TRANSLATE_NOOP("Quillet2", "読み込みに失敗");
inline constexpr const char* ICON_SIZE_UNSUPPORTED =
    QT_TRANSLATE_NOOP("Quillet2", "６４ｘ６４以下のサイズしか扱えません");
inline constexpr const char* ICON_COLORS_UNSUPPORTED =
    QT_TRANSLATE_NOOP("Quillet2", "２、１６、２５６色しか扱えません");
inline constexpr const char* ICON_COMPRESSED =
    QT_TRANSLATE_NOOP("Quillet2", "ビットマップが圧縮されたアイコンは扱えません");
inline constexpr const char* ICON_TAB_CREATE_FAILED = QT_TRANSLATE_NOOP("Quillet2", "新規タブの作成に失敗");
inline constexpr const char* ICON_WRITE_FAILED = QT_TRANSLATE_NOOP("Quillet2", "書きこみに失敗");
inline constexpr const char* ICON_TOO_MANY_IMAGES =
    QT_TRANSLATE_NOOP("Quillet2", "最大タブ数をこえるので読み込めません");

constexpr std::size_t ICON_HEADER_BYTES = 6;
constexpr std::size_t ICON_ENTRY_BYTES = 16;
constexpr std::size_t INFO_HEADER_BYTES = 40;
// More images than this can never be held in tabs; such a file is not read
// past its header.
constexpr int ICON_MAX_IMAGES = 20;

// The largest file the reader takes in. A file may keep its images anywhere,
// but twenty of the largest images need about 110 KiB, so anything kept
// beyond this is not worth reading.
constexpr std::size_t ICON_MAX_FILE_BYTES = 16u << 20;

struct IconDirEntry {
  std::uint8_t width = 0;
  std::uint8_t height = 0;
  // 2, 16, or 0 for 256 colours.
  std::uint8_t colorCount = 0;
  std::uint8_t reserved = 0;
  std::uint16_t planes = 0;
  std::uint16_t bitCount = 0;
  std::uint32_t bytesInRes = 0;
  std::uint32_t imageOffset = 0;
};

struct IconHeader {
  std::uint16_t reserved = 0;
  std::uint16_t type = 0;
  std::uint16_t count = 0;
};

// True when the name ends in the extension, letters compared without case.
// The extension of a name runs from its last dot to the end.
bool FileExtensionIs(const std::string& name, const std::string& extension);

// The result of checking a file's bytes: an empty error and the image count,
// or the reason the file cannot be opened.
struct IconCheck {
  std::string error;
  int imageCount = 0;
};

// Checks header, directory and every image's info header, in the order the
// user sees the messages. A count above ICON_MAX_IMAGES succeeds without
// looking past the header. The extension is the caller's to check.
IconCheck CheckIconBytes(const ByteBuffer& bytes);

// Reads the header and all directory entries; false when the file ends
// before them. Nothing is validated.
bool ReadIconDirectory(const ByteBuffer& bytes, IconHeader& header, std::vector<IconDirEntry>& entries);

// Bytes of one colour row and one mask row, padded to 4 bytes.
int ColorRowBytes(int width, std::uint8_t colorCode);
int MaskRowBytes(int width);
// Info header, palette, colour bitmap and mask of one image.
std::uint32_t IconImageDataSize(int width, int height, std::uint8_t colorCode);
int BitCountOfCode(std::uint8_t colorCode);

// Palette entries are stored blue, green, red, reserved.
ColorRef ColorRefFromQuad(const std::uint8_t* quad);
void QuadFromColorRef(ColorRef color, std::uint8_t* quad);

// What a bitmap image's own info header says of it. Other programs fill
// the directory entry carelessly (a colour count of 0 for every depth, 0 for
// a side of 256), so the header decides the image's size and depth; the
// entry is only a hint.
struct IconImageShape {
  int width = 0;
  int height = 0;
  int bitCount = 0;
  std::uint32_t headerBytes = 0;
  std::uint32_t compression = 0;
  // Palette entries stored after the header (0 above 8 bits).
  std::uint32_t paletteEntries = 0;
};
// False when the info header does not lie in the file.
bool ReadIconImageShape(const ByteBuffer& bytes, std::uint64_t offset, IconImageShape& shape);
// True for an image the editor holds in cells: 1, 4 or 8 bits, uncompressed,
// a usable header size, at most 64 x 64 pixels.
bool IsEditableShape(const IconImageShape& shape);
// 2, 16 or 0 (256) for 1, 4 and 8 bits.
std::uint8_t ColorCodeOfBitCount(int bitCount);

// Reads the image at the offset into the tab, whose width, height and
// colorCode are already set from the image's header. Palette entries the
// file does not store stay black. False, with the tab partly filled, when
// any part lies outside the file.
bool ReadIconImage(const ByteBuffer& bytes, ImageTab& tab, std::uint32_t offset);

// Checks and reads every image of the file into records of their own, as
// the open flow would into tabs. Gives back an empty string or the message.
std::string DecodeIconFile(const ByteBuffer& bytes, std::vector<ImageTab>& images);

// The file image of the tabs, in the order given.
ByteBuffer SerializeIcon(const std::vector<const ImageTab*>& tabs);
