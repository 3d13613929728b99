#include "import/icon_set.h"

#include <algorithm>

#include "fileio/kept_entries.h"
#include "fileio/true_colour_image.h"
#include "import/convert.h"

namespace {

constexpr int WINDOWS_SIDES[] = {16, 24, 32, 48, 64, 256};
constexpr int LINUX_SIDES[] = {16, 22, 24, 32, 48, 64, 96, 128, 256, 512};
constexpr int FAVICON_SIDES[] = {16, 32, 48};
// Web files beside the favicon: the touch icon Apple's browsers take, and
// the two sizes a web manifest names.
constexpr int APPLE_TOUCH_SIDE = 180;
constexpr int WEB_SIDES[] = {APPLE_TOUCH_SIDE, 192, 512};
// Windows writes its largest image as PNG, and so does the .ico here.
constexpr int ICO_PNG_SIDE = 256;

// The .icns types that hold PNG data, with the pixels of each: the @2x
// types (ic11 to ic14, ic10) are the doubled sizes of the point sizes below
// them.
struct IcnsType {
  std::array<char, 4> type;
  int side;
};
constexpr IcnsType ICNS_TYPES[] = {
    {{'i', 'c', 'p', '4'}, 16},  {{'i', 'c', 'p', '5'}, 32},  {{'i', 'c', 'p', '6'}, 64},   {{'i', 'c', '0', '7'}, 128},
    {{'i', 'c', '0', '8'}, 256}, {{'i', 'c', '0', '9'}, 512}, {{'i', 'c', '1', '0'}, 1024}, {{'i', 'c', '1', '1'}, 32},
    {{'i', 'c', '1', '2'}, 64},  {{'i', 'c', '1', '3'}, 256}, {{'i', 'c', '1', '4'}, 512},
};

void PutU32Big(ByteBuffer& bytes, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) bytes.push_back(static_cast<std::uint8_t>(value >> shift));
}

// The picture centred on a transparent square of its longer side, so that a
// picture that is not square keeps its shape in a square icon.
RgbaPicture Squared(const RgbaPicture& picture) {
  const int side = std::max(picture.width, picture.height);
  if (picture.width == picture.height) return picture;
  RgbaPicture square;
  square.width = side;
  square.height = side;
  square.pixels.assign(static_cast<std::size_t>(side) * side, 0);
  const int left = (side - picture.width) / 2;
  const int top = (side - picture.height) / 2;
  for (int y = 0; y < picture.height; ++y)
    std::copy_n(picture.pixels.begin() + static_cast<std::ptrdiff_t>(y) * picture.width, picture.width,
                square.pixels.begin() + static_cast<std::ptrdiff_t>(y + top) * side + left);
  return square;
}

ByteBuffer PngOf(const RgbaPicture& picture) { return PngPictureBytes(picture.width, picture.height, picture.pixels); }

// An .ico of the sizes, each a 32-bit image, the largest as PNG, written by
// the program's icon writer.
ByteBuffer IcoOf(IconSetPictures& pictures, const int* sides, std::size_t count, std::string& error) {
  std::vector<KeptEntry> entries(count);
  for (std::size_t i = 0; i < count; ++i) {
    const RgbaPicture* picture = pictures.Picture(sides[i], error);
    if (picture == nullptr) return {};
    KeptEntry& entry = entries[i];
    entry.width = entry.height = sides[i];
    entry.bitCount = 32;
    entry.png = sides[i] >= ICO_PNG_SIDE;
    entry.data = entry.png ? PngOf(*picture) : TrueColourImageData(picture->width, picture->height, picture->pixels);
    if (entry.data.empty()) {
      error = ICON_SET_NO_PNG;
      return {};
    }
    // A side of 256 is written as 0, as the format has it.
    entry.directory = {static_cast<std::uint8_t>(sides[i]), static_cast<std::uint8_t>(sides[i]), 0, 0, 1, 0, 32, 0};
  }
  std::vector<IconPart> parts;
  for (const KeptEntry& entry : entries) parts.push_back({nullptr, &entry});
  return SerializeIconParts(parts);
}

}  // namespace

std::optional<unsigned> ParseIconSetPlatforms(const std::string& text) {
  static const std::pair<const char*, IconSetPlatform> NAMES[] = {
      {"windows", ICON_SET_WINDOWS}, {"linux", ICON_SET_LINUX}, {"mac", ICON_SET_MAC}, {"web", ICON_SET_WEB}};
  unsigned chosen = 0;
  std::size_t from = 0;
  while (from <= text.size()) {
    const std::size_t comma = std::min(text.find(',', from), text.size());
    const std::string part = text.substr(from, comma - from);
    const auto* found =
        std::find_if(std::begin(NAMES), std::end(NAMES), [&](const auto& n) { return part == n.first; });
    if (found == std::end(NAMES)) return std::nullopt;
    chosen |= found->second;
    from = comma + 1;
  }
  return chosen;
}

bool IconSetNameAccepted(const std::string& name) {
  if (name.empty() || name == "." || name == "..") return false;
  return std::none_of(name.begin(), name.end(),
                      [](char c) { return c == '/' || static_cast<unsigned char>(c) < 0x20; });
}

std::vector<int> IconSetSides(IconSetPlatform platform) {
  std::vector<int> sides;
  switch (platform) {
    case ICON_SET_WINDOWS: sides.assign(std::begin(WINDOWS_SIDES), std::end(WINDOWS_SIDES)); break;
    case ICON_SET_LINUX: sides.assign(std::begin(LINUX_SIDES), std::end(LINUX_SIDES)); break;
    case ICON_SET_MAC:
      for (const IcnsType& type : ICNS_TYPES) sides.push_back(type.side);
      break;
    case ICON_SET_WEB:
      sides.assign(std::begin(FAVICON_SIDES), std::end(FAVICON_SIDES));
      sides.insert(sides.end(), std::begin(WEB_SIDES), std::end(WEB_SIDES));
      break;
    case ICON_SET_ALL: break;
  }
  std::sort(sides.begin(), sides.end());
  sides.erase(std::unique(sides.begin(), sides.end()), sides.end());
  return sides;
}

IconSetPictures::IconSetPictures(const IconSetInput& input) : input_(input) {
  for (const IconSetImage& image : input.images) {
    if (image.picture.width <= 0 || image.picture.height <= 0) continue;
    const auto longer = [](const IconSetImage& i) { return std::max(i.picture.width, i.picture.height); };
    if (largest_ == nullptr || longer(image) > longer(*largest_) ||
        (longer(image) == longer(*largest_) && image.bitCount > largest_->bitCount))
      largest_ = &image;
  }
}

const RgbaPicture* IconSetPictures::Picture(int side, std::string& error) {
  if (const auto made = made_.find(side); made != made_.end()) return &made->second;
  // The document's own image of the size, as the user left it; of several,
  // the deepest.
  const IconSetImage* exact = nullptr;
  for (const IconSetImage& image : input_.images)
    if (image.picture.width == side && image.picture.height == side &&
        (exact == nullptr || image.bitCount > exact->bitCount))
      exact = &image;
  if (exact != nullptr) return &made_.emplace(side, exact->picture).first->second;
  RgbaPicture picture;
  if (input_.render) {
    error = input_.render(side, picture);
    if (!error.empty()) return nullptr;
    if (picture.width != side || picture.height != side ||
        picture.pixels.size() != static_cast<std::size_t>(side) * side) {
      error = IMPORT_ENTRY_BAD_SIZE;
      return nullptr;
    }
  } else if (largest_ != nullptr) {
    picture = Squared(ScalePictureToLonger(largest_->picture, side));
  } else {
    error = ICON_SET_NO_IMAGE;
    return nullptr;
  }
  return &made_.emplace(side, std::move(picture)).first->second;
}

ByteBuffer SerializeIcns(const std::vector<std::pair<std::array<char, 4>, ByteBuffer>>& entries) {
  constexpr std::uint32_t HEADER_BYTES = 8;
  std::uint32_t total = HEADER_BYTES;
  for (const auto& entry : entries) total += HEADER_BYTES + static_cast<std::uint32_t>(entry.second.size());
  ByteBuffer bytes;
  bytes.reserve(total);
  for (char c : {'i', 'c', 'n', 's'}) bytes.push_back(static_cast<std::uint8_t>(c));
  PutU32Big(bytes, total);
  for (const auto& [type, data] : entries) {
    bytes.insert(bytes.end(), type.begin(), type.end());
    PutU32Big(bytes, HEADER_BYTES + static_cast<std::uint32_t>(data.size()));
    bytes.insert(bytes.end(), data.begin(), data.end());
  }
  return bytes;
}

std::string IconLinksText() {
  return "<!-- In the page's <head>: -->\n"
         "<link rel=\"icon\" href=\"/favicon.ico\" sizes=\"16x16 32x32 48x48\">\n"
         "<link rel=\"apple-touch-icon\" href=\"/apple-touch-icon.png\">\n"
         "<link rel=\"manifest\" href=\"/manifest.webmanifest\">\n"
         "\n"
         "// In the web manifest:\n"
         "\"icons\": [\n"
         "  { \"src\": \"/icon-192.png\", \"sizes\": \"192x192\", \"type\": \"image/png\" },\n"
         "  { \"src\": \"/icon-512.png\", \"sizes\": \"512x512\", \"type\": \"image/png\" }\n"
         "]\n";
}

IconSet MakeIconSet(const IconSetInput& input) {
  IconSet set;
  if (!IconSetNameAccepted(input.name)) {
    set.error = ICON_SET_BAD_NAME;
    return set;
  }
  IconSetPictures pictures(input);
  std::string& error = set.error;
  const auto failed = [&set] {
    set.files.clear();
    return set;
  };
  const auto png = [&](int side, ByteBuffer& bytes) {
    const RgbaPicture* picture = pictures.Picture(side, error);
    if (picture == nullptr) return false;
    bytes = PngOf(*picture);
    if (bytes.empty()) error = ICON_SET_NO_PNG;
    return !bytes.empty();
  };
  if ((input.platforms & ICON_SET_WINDOWS) != 0) {
    IconSetFile file{input.name + ".ico", ICON_SET_WINDOWS,
                     IcoOf(pictures, WINDOWS_SIDES, std::size(WINDOWS_SIDES), error)};
    if (!error.empty()) return failed();
    set.files.push_back(std::move(file));
  }
  if ((input.platforms & ICON_SET_LINUX) != 0) {
    for (int side : LINUX_SIDES) {
      const std::string size = std::to_string(side) + "x" + std::to_string(side);
      IconSetFile file{"hicolor/" + size + "/apps/" + input.name + ".png", ICON_SET_LINUX, {}};
      if (!png(side, file.bytes)) return failed();
      set.files.push_back(std::move(file));
    }
    if (!input.svg.empty())
      set.files.push_back({"hicolor/scalable/apps/" + input.name + ".svg", ICON_SET_LINUX,
                           ByteBuffer(input.svg.begin(), input.svg.end())});
  }
  if ((input.platforms & ICON_SET_MAC) != 0) {
    std::vector<std::pair<std::array<char, 4>, ByteBuffer>> entries;
    // The @2x types hold the same pixels as a point size twice as large, so
    // each picture is encoded once.
    std::map<int, ByteBuffer> encoded;
    for (const IcnsType& type : ICNS_TYPES) {
      auto found = encoded.find(type.side);
      if (found == encoded.end()) {
        ByteBuffer bytes;
        if (!png(type.side, bytes)) return failed();
        found = encoded.emplace(type.side, std::move(bytes)).first;
      }
      entries.emplace_back(type.type, found->second);
    }
    set.files.push_back({input.name + ".icns", ICON_SET_MAC, SerializeIcns(entries)});
  }
  if ((input.platforms & ICON_SET_WEB) != 0) {
    IconSetFile favicon{"web/favicon.ico", ICON_SET_WEB,
                        IcoOf(pictures, FAVICON_SIDES, std::size(FAVICON_SIDES), error)};
    if (!error.empty()) return failed();
    set.files.push_back(std::move(favicon));
    for (int side : WEB_SIDES) {
      IconSetFile file{
          side == APPLE_TOUCH_SIDE ? "web/apple-touch-icon.png" : "web/icon-" + std::to_string(side) + ".png",
          ICON_SET_WEB,
          {}};
      if (!png(side, file.bytes)) return failed();
      set.files.push_back(std::move(file));
    }
    const std::string links = IconLinksText();
    set.files.push_back({"web/icon-links.txt", ICON_SET_WEB, ByteBuffer(links.begin(), links.end())});
  }
  return set;
}
