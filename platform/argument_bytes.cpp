#include "platform/argument_bytes.h"

#include <QFile>

#include "platform/file_name_bytes.h"

namespace {

constexpr char16_t ESCAPED_BYTE = 0xDC00;

}  // namespace

QString TextOfBytes(const std::string& bytes) {
  QString text;
  std::string run;
  const auto flush = [&] {
    text += QFile::decodeName(QByteArray::fromStdString(run));
    run.clear();
  };
  for (std::size_t at = 0; at < bytes.size();) {
    const std::size_t length = Utf8SequenceAt(bytes, at);
    if (length == 0) {
      flush();
      text += QChar(static_cast<char16_t>(ESCAPED_BYTE + static_cast<unsigned char>(bytes[at])));
      at += 1;
    } else {
      run.append(bytes, at, length);
      at += length;
    }
  }
  flush();
  return text;
}

std::string BytesOfText(const QString& text) {
  std::string bytes;
  QString run;
  const auto flush = [&] {
    bytes += QFile::encodeName(run).toStdString();
    run.clear();
  };
  for (const QChar unit : text) {
    const char16_t value = unit.unicode();
    if (value >= ESCAPED_BYTE + 0x80 && value <= ESCAPED_BYTE + 0xFF) {
      flush();
      bytes += static_cast<char>(value - ESCAPED_BYTE);
    } else {
      run += unit;
    }
  }
  flush();
  return bytes;
}

QStringList ArgumentTexts(int argc, const char* const* argv) {
  QStringList texts;
  for (int i = 0; i < argc; ++i) texts << TextOfBytes(argv[i]);
  return texts;
}
