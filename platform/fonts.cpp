#include "platform/fonts.h"

#include <map>

QString MapFaceName(const std::string& faceName) {
  static const std::map<std::string, const char*> faces = {
      {"ＭＳ Ｐゴシック", "IPAPGothic"},
      {"ＭＳ ゴシック", "IPAGothic"},
      {"ＭＳ 明朝", "IPAMincho"},
      {"ＭＳ Ｐ明朝", "IPAPMincho"},
  };
  const auto found = faces.find(faceName);
  return found != faces.end() ? QString::fromLatin1(found->second) : QString::fromStdString(faceName);
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
