#include "platform/file_name_bytes.h"

namespace {

bool Continuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

}  // namespace

std::size_t Utf8SequenceAt(const std::string& text, std::size_t at) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[at + i]); };
  const unsigned char first = byte(0);
  if (first < 0x80) return 1;
  std::size_t length = 0;
  unsigned char low = 0x80;
  unsigned char high = 0xBF;
  if (first >= 0xC2 && first <= 0xDF) {
    length = 2;
  } else if (first >= 0xE0 && first <= 0xEF) {
    length = 3;
    if (first == 0xE0) low = 0xA0;   // overlong
    if (first == 0xED) high = 0x9F;  // surrogates
  } else if (first >= 0xF0 && first <= 0xF4) {
    length = 4;
    if (first == 0xF0) low = 0x90;   // overlong
    if (first == 0xF4) high = 0x8F;  // beyond U+10FFFF
  } else {
    return 0;
  }
  if (at + length > text.size()) return 0;
  if (byte(1) < low || byte(1) > high) return 0;
  for (std::size_t i = 2; i < length; ++i)
    if (!Continuation(byte(i))) return 0;
  return length;
}

std::string ReadableFileName(const std::string& name) {
  static const char digits[] = "0123456789ABCDEF";
  std::string shown;
  for (std::size_t at = 0; at < name.size();) {
    const std::size_t length = Utf8SequenceAt(name, at);
    if (length == 0) {
      const auto byte = static_cast<unsigned char>(name[at]);
      shown += "\\x";
      shown += digits[byte >> 4];
      shown += digits[byte & 0x0F];
      at += 1;
      continue;
    }
    // Only a name that needed escapes can be misread, but a name is shown
    // one way whatever it holds.
    if (name[at] == '\\' && at + 1 < name.size() && name[at + 1] == 'x') shown += '\\';
    shown.append(name, at, length);
    at += length;
  }
  return shown;
}
