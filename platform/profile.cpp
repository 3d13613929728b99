#include "platform/profile.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <optional>
#include <vector>

#include "platform/file_bytes.h"

namespace {

// Settings files are tiny, but one that grew by the user's own keys is read
// whole up to this size. A larger one is left alone: it is never rewritten,
// so nothing in it is lost.
constexpr std::size_t MAX_PROFILE_BYTES = std::size_t{64} << 20;

std::string Trim(const std::string& text) {
  const auto first = text.find_first_not_of(" \t\r");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

bool SameName(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

// The lines of a settings file, and how the file writes them, so that a
// rewritten file keeps its form: a UTF-8 byte-order mark at its start (which
// is not part of the first line), and CRLF or LF line ends.
struct ProfileText {
  std::vector<std::string> lines;
  bool byteOrderMark = false;
  bool crlf = false;
};

constexpr std::uint8_t BYTE_ORDER_MARK[3] = {0xEF, 0xBB, 0xBF};

// The lines of the file; none for a missing file, nothing at all for a file
// that exists but cannot be read whole.
std::optional<ProfileText> ReadLines(const std::string& file) {
  ProfileText text;
  const auto bytes = ReadFileBytes(file, MAX_PROFILE_BYTES);
  if (!bytes) {
    if (errno == ENOENT) return text;
    return std::nullopt;
  }
  if (bytes->size() > MAX_PROFILE_BYTES) return std::nullopt;
  std::size_t start = 0;
  if (bytes->size() >= 3 && std::equal(BYTE_ORDER_MARK, BYTE_ORDER_MARK + 3, bytes->begin())) {
    text.byteOrderMark = true;
    start = 3;
  }
  // The first line's end tells the file's line ends.
  const auto firstEnd = std::find(bytes->begin() + static_cast<std::ptrdiff_t>(start), bytes->end(), '\n');
  text.crlf = firstEnd != bytes->end() && firstEnd != bytes->begin() + static_cast<std::ptrdiff_t>(start) &&
              *(firstEnd - 1) == '\r';
  std::string line;
  for (std::size_t i = start; i < bytes->size(); ++i) {
    const std::uint8_t byte = (*bytes)[i];
    if (byte == '\n') {
      text.lines.push_back(line);
      line.clear();
    } else if (byte != '\r') {
      line.push_back(static_cast<char>(byte));
    }
  }
  if (!line.empty()) text.lines.push_back(line);
  return text;
}

// The section name of a "[name]" line.
std::optional<std::string> SectionOf(const std::string& line) {
  const std::string trimmed = Trim(line);
  if (trimmed.size() < 2 || trimmed.front() != '[') return std::nullopt;
  const auto close = trimmed.find(']');
  if (close == std::string::npos) return std::nullopt;
  return Trim(trimmed.substr(1, close - 1));
}

bool KeyOf(const std::string& line, std::string& key, std::string& value) {
  const auto equals = line.find('=');
  if (equals == std::string::npos) return false;
  key = Trim(line.substr(0, equals));
  value = Trim(line.substr(equals + 1));
  return true;
}

// The value of the first line of the key in the section.
std::optional<std::string> FindProfileValue(const std::string& section, const std::string& key,
                                            const std::string& file) {
  bool inSection = false;
  for (const std::string& line : ReadLines(file).value_or(ProfileText{}).lines) {
    if (const auto name = SectionOf(line)) {
      inSection = SameName(*name, section);
      continue;
    }
    std::string lineKey, value;
    if (inSection && KeyOf(line, lineKey, value) && SameName(lineKey, key)) return value;
  }
  return std::nullopt;
}

}  // namespace

std::string GetProfileString(const std::string& section, const std::string& key, const std::string& defaultValue,
                             const std::string& file) {
  return FindProfileValue(section, key, file).value_or(defaultValue);
}

int GetProfileInt(const std::string& section, const std::string& key, int defaultValue, const std::string& file) {
  if (const auto found = FindProfileValue(section, key, file)) {
    const std::string& value = *found;
    std::size_t i = 0;
    bool negative = false;
    if (i < value.size() && (value[i] == '-' || value[i] == '+')) negative = value[i++] == '-';
    long long number = 0;
    // Digits beyond what an int holds saturate instead of overflowing.
    while (i < value.size() && std::isdigit(static_cast<unsigned char>(value[i])))
      number = std::min<long long>(number * 10 + (value[i++] - '0'), 1LL << 32);
    number = negative ? -number : number;
    return static_cast<int>(std::clamp<long long>(number, INT32_MIN, INT32_MAX));
  }
  return defaultValue;
}

bool WriteProfileString(const std::string& section, const std::string& key, const std::string& value,
                        const std::string& file, WriteProblem* problem) {
  // Rewriting a file that could not be read would drop everything in it.
  std::optional<ProfileText> read = ReadLines(file);
  if (!read) {
    if (problem != nullptr) *problem = WriteProblem::Unreadable;
    return false;
  }
  std::vector<std::string>& lines = read->lines;
  const std::string entry = key + "=" + value;
  int sectionLine = -1;
  int lastInSection = -1;
  bool inSection = false;
  for (int i = 0; i < static_cast<int>(lines.size()); ++i) {
    if (const auto name = SectionOf(lines[i])) {
      inSection = SameName(*name, section);
      if (inSection && sectionLine < 0) sectionLine = lastInSection = i;
      continue;
    }
    if (!inSection) continue;
    std::string lineKey, old;
    if (KeyOf(lines[i], lineKey, old) && SameName(lineKey, key)) {
      lines[i] = entry;
      sectionLine = -2;
      break;
    }
    if (!Trim(lines[i]).empty()) lastInSection = i;
  }
  if (sectionLine == -1) {
    if (!lines.empty() && !Trim(lines.back()).empty()) lines.emplace_back();
    lines.push_back("[" + section + "]");
    lines.push_back(entry);
  } else if (sectionLine >= 0) {
    lines.insert(lines.begin() + lastInSection + 1, entry);
  }
  ByteBuffer bytes;
  if (read->byteOrderMark) bytes.assign(BYTE_ORDER_MARK, BYTE_ORDER_MARK + 3);
  for (const std::string& line : lines) {
    bytes.insert(bytes.end(), line.begin(), line.end());
    if (read->crlf) bytes.push_back('\r');
    bytes.push_back('\n');
  }
  return WriteFileBytesSafely(file, bytes, problem) == WriteResult::Ok;
}
