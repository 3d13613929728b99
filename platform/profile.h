#pragma once
// Settings files in the profile format: "[SECTION]" lines, then key=value
// lines. Section and key names compare without regard to letter case.

#include <string>

#include "platform/file_bytes.h"

// The value of the key as a decimal integer (leading blanks, an optional
// sign, the digits up to the first other character; no digits give 0), or
// the default when the file, the section or the key is missing.
int GetProfileInt(const std::string& section, const std::string& key, int defaultValue, const std::string& file);

// The key's text without blanks around it, or the default when the file,
// the section or the key is missing.
std::string GetProfileString(const std::string& section, const std::string& key, const std::string& defaultValue,
                             const std::string& file);

// Sets the key to the text, creating the file and the section when missing
// and replacing an existing value; every other line stays, and so do a
// byte-order mark at the start and CRLF line ends. Gives back false
// when the file could not be written, or exists but could not be read (it
// is then not rewritten); the old file is left as it was and `problem`, when
// given, says why.
bool WriteProfileString(const std::string& section, const std::string& key, const std::string& value,
                        const std::string& file, WriteProblem* problem = nullptr);
