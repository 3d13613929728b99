#include "fileio/palette_formats.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "fileio/palette_file.h"

namespace {

constexpr const char* UNKNOWN_FORMAT = QT_TRANSLATE_NOOP("Quillet2", "パレットファイルの形式がわかりません");
constexpr const char* TOO_LARGE = QT_TRANSLATE_NOOP("Quillet2", "パレットファイルとしては大きすぎます");
constexpr const char* NO_COLOURS = QT_TRANSLATE_NOOP("Quillet2", "色がひとつもありません");
constexpr const char* TOO_MANY = QT_TRANSLATE_NOOP("Quillet2", "256色をこえる色があります");
constexpr const char* BAD_LINE = QT_TRANSLATE_NOOP("Quillet2", "%1行目の色が読めません");
constexpr const char* NO_GIMP_HEADER = QT_TRANSLATE_NOOP("Quillet2", "1行目が GIMP Palette ではありません");
constexpr const char* NO_JASC_HEADER = QT_TRANSLATE_NOOP("Quillet2", "1行目が JASC-PAL ではありません");
constexpr const char* BAD_JASC_VERSION = QT_TRANSLATE_NOOP("Quillet2", "JASC パレットの版が 0100 ではありません");
constexpr const char* BAD_COUNT = QT_TRANSLATE_NOOP("Quillet2", "色の数が読めません");
constexpr const char* COUNT_NOT_LINES = QT_TRANSLATE_NOOP("Quillet2", "色の数と色の行の数があっていません");
constexpr const char* BAD_ACT_SIZE =
    QT_TRANSLATE_NOOP("Quillet2", "ACT パレットの大きさが 768 バイトでも 772 バイトでもありません");
constexpr const char* NO_RIFF_HEADER = QT_TRANSLATE_NOOP("Quillet2", "RIFF の PAL ファイルではありません");
constexpr const char* BAD_RIFF_SIZE = QT_TRANSLATE_NOOP("Quillet2", "RIFF のチャンクの大きさがファイルとあっていません");
constexpr const char* NO_DATA_CHUNK = QT_TRANSLATE_NOOP("Quillet2", "data チャンクがありません");
constexpr const char* BAD_RIFF_VERSION = QT_TRANSLATE_NOOP("Quillet2", "パレットの版が 0x0300 ではありません");
constexpr const char* BAD_QPL = QT_TRANSLATE_NOOP("Quillet2", "qpl の見出しか大きさが正しくありません");

// "パレット読み込みに失敗：reason". The message is one text with the reason
// in it, not two joined, because the first line alone is a sentence of its
// own in other languages.
std::string Failure(const char* reason, TextLookup lookup, std::initializer_list<std::string> values = {}) {
  return FillText(lookup(QT_TRANSLATE_NOOP("Quillet2", "パレット読み込みに失敗：%1")), {FillText(lookup(reason), values)});
}

ColorRef Rgb(int r, int g, int b) {
  return static_cast<ColorRef>(r) | static_cast<ColorRef>(g) << 8 | static_cast<ColorRef>(b) << 16;
}
int Red(ColorRef c) { return static_cast<int>(c & 0xFF); }
int Green(ColorRef c) { return static_cast<int>(c >> 8 & 0xFF); }
int Blue(ColorRef c) { return static_cast<int>(c >> 16 & 0xFF); }

bool StartsWith(const ByteBuffer& bytes, const char* text) {
  const std::size_t n = std::strlen(text);
  return bytes.size() >= n && std::memcmp(bytes.data(), text, n) == 0;
}

// The file's text split into lines without their ends (LF, CRLF or CR), a
// UTF-8 byte-order mark dropped.
std::vector<std::string> Lines(const ByteBuffer& bytes) {
  std::string text(bytes.begin(), bytes.end());
  if (text.rfind("\xEF\xBB\xBF", 0) == 0) text.erase(0, 3);
  std::vector<std::string> lines;
  std::string line;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r' || c == '\n') {
      lines.push_back(line);
      line.clear();
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      line += c;
    }
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

bool Blank(char c) { return c == ' ' || c == '\t'; }

std::string Trim(const std::string& s) {
  std::size_t from = 0, to = s.size();
  while (from < to && Blank(s[from])) ++from;
  while (to > from && Blank(s[to - 1])) --to;
  return s.substr(from, to - from);
}

// A decimal number of 0 to 255 at `at`, skipping blanks before it.
bool ReadChannel(const std::string& line, std::size_t& at, int& value) {
  while (at < line.size() && Blank(line[at])) ++at;
  const std::size_t from = at;
  value = 0;
  while (at < line.size() && line[at] >= '0' && line[at] <= '9' && at - from < 4) value = value * 10 + (line[at++] - '0');
  return at > from && at - from <= 3 && value <= 255;
}

// "R G B" and what follows; the rest must start with a blank or be empty.
bool ReadRgb(const std::string& line, ColorRef& color, std::string& rest) {
  std::size_t at = 0;
  int r = 0, g = 0, b = 0;
  if (!ReadChannel(line, at, r) || !ReadChannel(line, at, g) || !ReadChannel(line, at, b)) return false;
  if (at < line.size() && !Blank(line[at])) return false;
  color = Rgb(r, g, b);
  rest = Trim(line.substr(at));
  return true;
}

std::string ReadGpl(const ByteBuffer& bytes, PaletteRecord& out, TextLookup lookup) {
  const std::vector<std::string> lines = Lines(bytes);
  if (lines.empty() || Trim(lines[0]) != "GIMP Palette") return Failure(NO_GIMP_HEADER, lookup);
  PaletteRecord record;
  for (std::size_t i = 1; i < lines.size(); ++i) {
    const std::string line = Trim(lines[i]);
    if (line.empty() || line[0] == '#') continue;
    if (line.rfind("Name:", 0) == 0) {
      record.title = Trim(line.substr(5));
      continue;
    }
    if (line.rfind("Columns:", 0) == 0) {
      // Only a hint for showing the colours, of any width (GIMP writes up
      // to 256); it must still be a number.
      const std::string value = Trim(line.substr(8));
      if (value.empty() || value.size() > 6 || value.find_first_not_of("0123456789") != std::string::npos)
        return Failure(BAD_LINE, lookup, {std::to_string(i + 1)});
      record.columns = std::stoi(value);
      continue;
    }
    ColorRef color = 0;
    std::string name;
    if (!ReadRgb(line, color, name)) return Failure(BAD_LINE, lookup, {std::to_string(i + 1)});
    if (record.colors.size() == 256) return Failure(TOO_MANY, lookup);
    record.colors.push_back(color);
    record.names.push_back(name);
  }
  if (record.colors.empty()) return Failure(NO_COLOURS, lookup);
  out = std::move(record);
  return {};
}

std::string ReadJasc(const ByteBuffer& bytes, PaletteRecord& out, TextLookup lookup) {
  const std::vector<std::string> lines = Lines(bytes);
  if (lines.empty() || Trim(lines[0]) != "JASC-PAL") return Failure(NO_JASC_HEADER, lookup);
  if (lines.size() < 2 || Trim(lines[1]) != "0100") return Failure(BAD_JASC_VERSION, lookup);
  if (lines.size() < 3) return Failure(BAD_COUNT, lookup);
  const std::string countText = Trim(lines[2]);
  std::size_t at = 0;
  int count = 0;
  while (at < countText.size() && countText[at] >= '0' && countText[at] <= '9' && count <= 256)
    count = count * 10 + (countText[at++] - '0');
  if (at == 0 || at != countText.size()) return Failure(BAD_COUNT, lookup);
  if (count > 256) return Failure(TOO_MANY, lookup);
  if (count == 0) return Failure(NO_COLOURS, lookup);
  // Blank lines at the end do not count.
  std::size_t last = lines.size();
  while (last > 3 && Trim(lines[last - 1]).empty()) --last;
  if (last - 3 != static_cast<std::size_t>(count)) return Failure(COUNT_NOT_LINES, lookup);
  PaletteRecord record;
  for (std::size_t i = 3; i < last; ++i) {
    ColorRef color = 0;
    std::string rest;
    if (!ReadRgb(Trim(lines[i]), color, rest) || !rest.empty())
      return Failure(BAD_LINE, lookup, {std::to_string(i + 1)});
    record.colors.push_back(color);
  }
  out = std::move(record);
  return {};
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::string ReadHex(const ByteBuffer& bytes, PaletteRecord& out, TextLookup lookup) {
  const std::vector<std::string> lines = Lines(bytes);
  PaletteRecord record;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    std::string line = Trim(lines[i]);
    if (line.empty()) continue;
    if (line[0] == '#') line.erase(0, 1);
    int value = 0;
    bool ok = line.size() == 6;
    for (std::size_t k = 0; ok && k < 6; ++k) {
      const int digit = HexDigit(line[k]);
      ok = digit >= 0;
      value = value * 16 + digit;
    }
    if (!ok) return Failure(BAD_LINE, lookup, {std::to_string(i + 1)});
    if (record.colors.size() == 256) return Failure(TOO_MANY, lookup);
    record.colors.push_back(Rgb(value >> 16 & 0xFF, value >> 8 & 0xFF, value & 0xFF));
  }
  if (record.colors.empty()) return Failure(NO_COLOURS, lookup);
  out = std::move(record);
  return {};
}

std::string ReadAct(const ByteBuffer& bytes, PaletteRecord& out, TextLookup lookup) {
  if (bytes.size() != 768 && bytes.size() != 772) return Failure(BAD_ACT_SIZE, lookup);
  int count = 256;
  if (bytes.size() == 772) {
    count = bytes[768] << 8 | bytes[769];
    if (count > 256) return Failure(TOO_MANY, lookup);
    if (count == 0) return Failure(NO_COLOURS, lookup);
  }
  PaletteRecord record;
  for (int i = 0; i < count; ++i) record.colors.push_back(Rgb(bytes[3 * i], bytes[3 * i + 1], bytes[3 * i + 2]));
  out = std::move(record);
  return {};
}

std::uint32_t U32(const ByteBuffer& b, std::size_t at) {
  return std::uint32_t{b[at]} | std::uint32_t{b[at + 1]} << 8 | std::uint32_t{b[at + 2]} << 16 |
         std::uint32_t{b[at + 3]} << 24;
}

std::string ReadRiff(const ByteBuffer& bytes, PaletteRecord& out, TextLookup lookup) {
  if (bytes.size() < 12 || !StartsWith(bytes, "RIFF") || std::memcmp(bytes.data() + 8, "PAL ", 4) != 0)
    return Failure(NO_RIFF_HEADER, lookup);
  const std::uint64_t riffEnd = std::uint64_t{U32(bytes, 4)} + 8;
  if (riffEnd > bytes.size() || riffEnd < 12) return Failure(BAD_RIFF_SIZE, lookup);
  std::size_t at = 12;
  while (at + 8 <= riffEnd) {
    const std::uint64_t size = U32(bytes, at + 4);
    const std::size_t body = at + 8;
    if (body + size > riffEnd) return Failure(BAD_RIFF_SIZE, lookup);
    if (std::memcmp(bytes.data() + at, "data", 4) == 0) {
      if (size < 4) return Failure(BAD_RIFF_SIZE, lookup);
      const int version = bytes[body] | bytes[body + 1] << 8;
      const int count = bytes[body + 2] | bytes[body + 3] << 8;
      if (version != 0x0300) return Failure(BAD_RIFF_VERSION, lookup);
      if (count > 256) return Failure(TOO_MANY, lookup);
      if (count == 0) return Failure(NO_COLOURS, lookup);
      if (4 + 4 * std::uint64_t(count) > size) return Failure(BAD_RIFF_SIZE, lookup);
      PaletteRecord record;
      for (int i = 0; i < count; ++i) {
        const std::size_t e = body + 4 + 4 * static_cast<std::size_t>(i);
        record.colors.push_back(Rgb(bytes[e], bytes[e + 1], bytes[e + 2]));
      }
      out = std::move(record);
      return {};
    }
    // Chunks are padded to an even size.
    at = body + static_cast<std::size_t>(size) + (size & 1);
  }
  return Failure(NO_DATA_CHUNK, lookup);
}

std::string ReadQpl(const ByteBuffer& bytes, PaletteRecord& out, TextLookup lookup) {
  if (bytes.size() < 4 || !StartsWith(bytes, "qpl")) return Failure(BAD_QPL, lookup);
  const int code = bytes[3];
  if (code != 2 && code != 16 && code != 0) return Failure(BAD_QPL, lookup);
  const std::size_t count = static_cast<std::size_t>(ColorCountOfCode(static_cast<std::uint8_t>(code)));
  if (bytes.size() < 4 + 4 * count) return Failure(BAD_QPL, lookup);
  PaletteRecord record;
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint8_t* e = bytes.data() + 4 + 4 * i;
    record.colors.push_back(ColorRef(e[0]) | ColorRef(e[1]) << 8 | ColorRef(e[2]) << 16 | ColorRef(e[3]) << 24);
  }
  out = std::move(record);
  return {};
}

std::string Extension(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  const std::size_t dot = path.find_last_of('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
  std::string ext = path.substr(dot);
  for (char& c : ext)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return ext;
}

void Append(ByteBuffer& bytes, const std::string& text) { bytes.insert(bytes.end(), text.begin(), text.end()); }

std::string RgbText(ColorRef c) {
  char text[16];
  std::snprintf(text, sizeof text, "%d %d %d", Red(c), Green(c), Blue(c));
  return text;
}

std::string HexText(ColorRef c) {
  char text[8];
  std::snprintf(text, sizeof text, "%02x%02x%02x", Red(c), Green(c), Blue(c));
  return text;
}

void PutU16Le(ByteBuffer& b, int v) {
  b.push_back(static_cast<std::uint8_t>(v));
  b.push_back(static_cast<std::uint8_t>(v >> 8));
}
void PutU32Le(ByteBuffer& b, std::uint32_t v) {
  for (int shift = 0; shift < 32; shift += 8) b.push_back(static_cast<std::uint8_t>(v >> shift));
}

}  // namespace

PaletteFormat PaletteFormatOfName(const std::string& path) {
  const std::string ext = Extension(path);
  if (ext == ".qpl") return PaletteFormat::Qpl;
  if (ext == ".gpl") return PaletteFormat::Gpl;
  if (ext == ".act") return PaletteFormat::Act;
  if (ext == ".pal") return PaletteFormat::JascPal;
  if (ext == ".hex") return PaletteFormat::Hex;
  return PaletteFormat::Unknown;
}

PaletteFormat SaveFormatOf(const std::string& path, PaletteFormat chosen) {
  const PaletteFormat named = PaletteFormatOfName(path);
  if (named == PaletteFormat::JascPal && chosen == PaletteFormat::RiffPal) return chosen;
  if (named != PaletteFormat::Unknown) return named;
  return chosen == PaletteFormat::Unknown ? PaletteFormat::Qpl : chosen;
}

PaletteFormat DetectPaletteFormat(const ByteBuffer& bytes, const std::string& path) {
  if (StartsWith(bytes, "qpl")) return PaletteFormat::Qpl;
  if (StartsWith(bytes, "GIMP Palette") || StartsWith(bytes, "\xEF\xBB\xBFGIMP Palette")) return PaletteFormat::Gpl;
  if (StartsWith(bytes, "JASC-PAL") || StartsWith(bytes, "\xEF\xBB\xBFJASC-PAL")) return PaletteFormat::JascPal;
  if (StartsWith(bytes, "RIFF")) return PaletteFormat::RiffPal;
  return PaletteFormatOfName(path);
}

std::string ReadPaletteBytes(const ByteBuffer& bytes, PaletteFormat format, PaletteRecord& record,
                             TextLookup lookup) {
  if (bytes.size() > PALETTE_FILE_LIMIT) return Failure(TOO_LARGE, lookup);
  switch (format) {
    case PaletteFormat::Qpl:
      return ReadQpl(bytes, record, lookup);
    case PaletteFormat::Gpl:
      return ReadGpl(bytes, record, lookup);
    case PaletteFormat::Act:
      return ReadAct(bytes, record, lookup);
    case PaletteFormat::JascPal:
      return ReadJasc(bytes, record, lookup);
    case PaletteFormat::RiffPal:
      return ReadRiff(bytes, record, lookup);
    case PaletteFormat::Hex:
      return ReadHex(bytes, record, lookup);
    case PaletteFormat::Unknown:
      break;
  }
  return Failure(UNKNOWN_FORMAT, lookup);
}

ByteBuffer WritePaletteBytes(const PaletteRecord& record, PaletteFormat format) {
  ByteBuffer bytes;
  const std::size_t count = record.colors.size();
  switch (format) {
    case PaletteFormat::Gpl: {
      Append(bytes, "GIMP Palette\n");
      Append(bytes, "Name: " + (record.title.empty() ? std::string("Quillet2") : record.title) + "\n");
      Append(bytes, "Columns: " + std::to_string(record.columns > 0 ? record.columns : 16) + "\n#\n");
      for (std::size_t i = 0; i < count; ++i) {
        const ColorRef c = record.colors[i];
        const std::string name = i < record.names.size() && !record.names[i].empty() ? record.names[i] : HexText(c);
        char row[32];
        std::snprintf(row, sizeof row, "%3d %3d %3d\t", Red(c), Green(c), Blue(c));
        Append(bytes, row + name + "\n");
      }
      break;
    }
    case PaletteFormat::Act: {
      bytes.assign(768, 0);
      for (std::size_t i = 0; i < count && i < 256; ++i) {
        bytes[3 * i] = static_cast<std::uint8_t>(Red(record.colors[i]));
        bytes[3 * i + 1] = static_cast<std::uint8_t>(Green(record.colors[i]));
        bytes[3 * i + 2] = static_cast<std::uint8_t>(Blue(record.colors[i]));
      }
      // A full palette is the plain 768 bytes; a shorter one says how many
      // colours it has, and that none of them is transparent.
      if (count < 256) {
        bytes.push_back(static_cast<std::uint8_t>(count >> 8));
        bytes.push_back(static_cast<std::uint8_t>(count));
        bytes.push_back(0xFF);
        bytes.push_back(0xFF);
      }
      break;
    }
    case PaletteFormat::JascPal:
      Append(bytes, "JASC-PAL\r\n0100\r\n" + std::to_string(count) + "\r\n");
      for (ColorRef c : record.colors) Append(bytes, RgbText(c) + "\r\n");
      break;
    case PaletteFormat::RiffPal: {
      const std::uint32_t dataSize = static_cast<std::uint32_t>(4 + 4 * count);
      Append(bytes, "RIFF");
      PutU32Le(bytes, 4 + 8 + dataSize);
      Append(bytes, "PAL data");
      PutU32Le(bytes, dataSize);
      PutU16Le(bytes, 0x0300);
      PutU16Le(bytes, static_cast<int>(count));
      for (ColorRef c : record.colors) {
        bytes.push_back(static_cast<std::uint8_t>(Red(c)));
        bytes.push_back(static_cast<std::uint8_t>(Green(c)));
        bytes.push_back(static_cast<std::uint8_t>(Blue(c)));
        bytes.push_back(0);
      }
      break;
    }
    case PaletteFormat::Hex:
      for (ColorRef c : record.colors) Append(bytes, HexText(c) + "\n");
      break;
    case PaletteFormat::Qpl:
    case PaletteFormat::Unknown:
      break;
  }
  return bytes;
}

PaletteFit FitPaletteToTab(const PaletteRecord& record, const ImageTab& tab) {
  PaletteFit fit;
  const int size = PaletteSize(tab);
  int count = static_cast<int>(record.colors.size());
  // Entries past the tab's colours that are all black are the padding of a
  // fixed-size file (a 768-byte .act) and lose nothing when left out.
  if (count > size &&
      std::all_of(record.colors.begin() + size, record.colors.end(), [](ColorRef c) { return (c & 0xFFFFFF) == 0; }))
    count = size;
  if (count > size) {
    fit.error = PALETTE_COUNT_MISMATCH;
    return fit;
  }
  fit.count = count;
  fit.shorter = count < size;
  return fit;
}

std::string ShorterPaletteNote(int count, int tabColours, TextLookup lookup) {
  return FillText(lookup(QT_TRANSLATE_NOOP("Quillet2", "%1色のパレットで%2色のうち先頭の%1色を置き換えました。残りの色はそのままです")),
                  {std::to_string(count), std::to_string(tabColours)});
}

PaletteRecord PaletteRecordOfTab(const ImageTab& tab) {
  PaletteRecord record;
  record.colors.assign(tab.palette, tab.palette + PaletteSize(tab));
  return record;
}

const std::vector<ColorRef>& WindowsPalette16() {
  static const std::vector<ColorRef> colors = {
      Rgb(0, 0, 0),       Rgb(128, 0, 0),   Rgb(0, 128, 0),   Rgb(128, 128, 0), Rgb(0, 0, 128),   Rgb(128, 0, 128),
      Rgb(0, 128, 128),   Rgb(192, 192, 192), Rgb(128, 128, 128), Rgb(255, 0, 0), Rgb(0, 255, 0), Rgb(255, 255, 0),
      Rgb(0, 0, 255),     Rgb(255, 0, 255), Rgb(0, 255, 255), Rgb(255, 255, 255)};
  return colors;
}

const std::vector<ColorRef>& WindowsPalette256() {
  static const std::vector<ColorRef> colors = [] {
    std::vector<ColorRef> c = {Rgb(0, 0, 0),       Rgb(128, 0, 0),     Rgb(0, 128, 0),    Rgb(128, 128, 0),
                               Rgb(0, 0, 128),     Rgb(128, 0, 128),   Rgb(0, 128, 128),  Rgb(192, 192, 192),
                               Rgb(192, 220, 192), Rgb(166, 202, 240)};
    // The 6 x 6 x 6 cube, then a grey ramp between its greys.
    for (int r = 0; r < 6; ++r)
      for (int g = 0; g < 6; ++g)
        for (int b = 0; b < 6; ++b) c.push_back(Rgb(r * 51, g * 51, b * 51));
    for (int i = 1; i <= 20; ++i) c.push_back(Rgb(8 + 11 * i, 8 + 11 * i, 8 + 11 * i));
    const ColorRef last[] = {Rgb(255, 251, 240), Rgb(160, 160, 164), Rgb(128, 128, 128), Rgb(255, 0, 0),
                             Rgb(0, 255, 0),     Rgb(255, 255, 0),   Rgb(0, 0, 255),     Rgb(255, 0, 255),
                             Rgb(0, 255, 255),   Rgb(255, 255, 255)};
    c.insert(c.end(), std::begin(last), std::end(last));
    return c;
  }();
  return colors;
}
