#pragma once
// One document's icons for every desktop at once: a Windows .ico, the
// Linux desktop's hicolor theme folders, a macOS .icns and a web favicon
// set. Each size takes the document's own image of exactly that size, so
// images tuned by hand stay as they are; a size the document lacks is
// rendered afresh by the source renderer when there is one (a vector
// source draws each size for itself), else scaled from the largest image as
// the import scales. Everything here makes bytes; writing them is the
// flows' business.

#include <array>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "import/read.h"
#include "platform/file_bytes.h"
#include "platform/ui_text.h"

inline constexpr const char* ICON_SET_NO_IMAGE = QT_TRANSLATE_NOOP("Quillet2", "書き出す画像がありません");
inline constexpr const char* ICON_SET_NO_PNG = QT_TRANSLATE_NOOP("Quillet2", "PNGを書き出せません");
inline constexpr const char* ICON_SET_BAD_NAME =
    QT_TRANSLATE_NOOP("Quillet2", "アイコンの名前には / を含まない名前を指定してください");

// The platforms, as bits so that a choice of several is one value.
enum IconSetPlatform : unsigned {
  ICON_SET_WINDOWS = 1,
  ICON_SET_LINUX = 2,
  ICON_SET_MAC = 4,
  ICON_SET_WEB = 8,
  ICON_SET_ALL = 15,
};

// The platforms of "windows,linux,mac,web" (any of them, each once or more,
// in any order); nothing for an empty list or an unknown name.
std::optional<unsigned> ParseIconSetPlatforms(const std::string& text);

// Draws the source at side x side pixels into `out`; gives back an empty
// string or why it cannot.
using IconSideRenderer = std::function<std::string(int side, RgbaPicture& out)>;

struct IconSetImage {
  RgbaPicture picture;
  // Bits per pixel as the document holds the image; of two images of one
  // size the deeper one is used.
  int bitCount = 32;
};

struct IconSetInput {
  std::vector<IconSetImage> images;
  // Makes the sizes the images lack; without it they are scaled from the
  // largest image.
  IconSideRenderer render;
  // The vector source, written as the hicolor theme's scalable icon; empty
  // when there is none.
  std::string svg;
  // The icon's name: NAME.ico, NAME.icns, hicolor/NxN/apps/NAME.png.
  std::string name;
  unsigned platforms = ICON_SET_ALL;
};

struct IconSetFile {
  // Relative to the folder the set is written into, parts joined by '/'.
  std::string path;
  IconSetPlatform platform = ICON_SET_WINDOWS;
  ByteBuffer bytes;
};

struct IconSet {
  // Empty when the set was made; otherwise why not (a message text).
  std::string error;
  std::vector<IconSetFile> files;
};

// True for a name that can stand as one file name in every platform's
// layout: not empty, no slash, not "." or "..", no control characters.
bool IconSetNameAccepted(const std::string& name);

// The sizes each platform's files hold, smallest first (the preview shows
// them; the .ico, the hicolor folders and the .icns are made of them).
std::vector<int> IconSetSides(IconSetPlatform platform);

// The pictures of each size, each made once however many files use it.
class IconSetPictures {
 public:
  explicit IconSetPictures(const IconSetInput& input);
  // The picture of side x side pixels, or nullptr with the error set.
  const RgbaPicture* Picture(int side, std::string& error);

 private:
  const IconSetInput& input_;
  const IconSetImage* largest_ = nullptr;
  std::map<int, RgbaPicture> made_;
};

// Every file of the chosen platforms, with its bytes.
IconSet MakeIconSet(const IconSetInput& input);

// The .icns file of PNG entries: each type with its PNG bytes, in order.
ByteBuffer SerializeIcns(const std::vector<std::pair<std::array<char, 4>, ByteBuffer>>& entries);

// The web set's text file: the HTML link lines and the web manifest's
// "icons" list.
std::string IconLinksText();
