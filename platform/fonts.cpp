#include "platform/fonts.h"

#include <map>

namespace {

const std::map<std::string, const char*>& FaceMap() {
  static const std::map<std::string, const char*> faces = {
      {"ＭＳ Ｐゴシック", "IPAPGothic"},
      {"ＭＳ ゴシック", "IPAGothic"},
      {"ＭＳ 明朝", "IPAMincho"},
      {"ＭＳ Ｐ明朝", "IPAPMincho"},
  };
  return faces;
}

}  // namespace

QString MapFaceName(const std::string& faceName) {
  const auto found = FaceMap().find(faceName);
  return found != FaceMap().end() ? QString::fromLatin1(found->second) : QString::fromStdString(faceName);
}

std::vector<std::string> MappedFaceNames() {
  std::vector<std::string> names;
  for (const auto& [name, font] : FaceMap()) names.push_back(name);
  return names;
}

QFont MakePixelFont(const std::string& faceName, int pixelHeight, bool bold, bool italic) {
  QFont font(MapFaceName(faceName));
  font.setPixelSize(pixelHeight > 0 ? pixelHeight : 1);
  font.setBold(bold);
  font.setItalic(italic);
  font.setStyleHint(QFont::SansSerif);
  return font;
}

QFont MakePointFont(const std::string& faceName, int pointSize, bool bold, bool italic) {
  return MakePixelFont(faceName, (pointSize * 96 + 36) / 72, bold, italic);
}
