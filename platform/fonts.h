#pragma once
// Fonts by the face names the program's windows and dialogs ask for.

#include <QFont>
#include <string>
#include <vector>

// Maps the Japanese system face names to the IPA fonts that stand in for
// them ("ＭＳ Ｐゴシック" -> IPAPGothic, ...). Other names pass unchanged.
QString MapFaceName(const std::string& faceName);
// The Japanese system face names that MapFaceName maps to other fonts.
std::vector<std::string> MappedFaceNames();

// A font of the given character height in pixels.
QFont MakePixelFont(const std::string& faceName, int pixelHeight, bool bold = false, bool italic = false);
// A font of the given size in points, taken at 96 pixels per inch so that it
// measures the same on every screen.
QFont MakePointFont(const std::string& faceName, int pointSize, bool bold = false, bool italic = false);
