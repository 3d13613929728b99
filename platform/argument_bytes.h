#pragma once
// Command-line arguments and file names between their bytes and Qt's text.
// Qt decodes the arguments as UTF-8 and turns every byte that is not into
// U+FFFD, so a file name with such bytes could neither be opened nor
// written under its own name. Here each such byte becomes a lone surrogate
// U+DC80 to U+DCFF in the text and turns back into the very byte.

#include <QString>
#include <QStringList>

#include <string>

QString TextOfBytes(const std::string& bytes);
std::string BytesOfText(const QString& text);

// The program's arguments as text that gives their bytes back.
QStringList ArgumentTexts(int argc, const char* const* argv);
