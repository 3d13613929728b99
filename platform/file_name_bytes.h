#pragma once
// File names are bytes. Most are UTF-8, but a name may hold any byte but
// '/' and NUL, and such a name must still be opened, written and shown.

#include <cstddef>
#include <string>

// The length of the well-formed UTF-8 sequence at `at` (1 to 4), or 0 when
// the byte there does not start one: a stray continuation byte, an overlong
// form, an encoded surrogate, a value beyond U+10FFFF or a cut sequence.
std::size_t Utf8SequenceAt(const std::string& text, std::size_t at);

// The name as it can be shown: well-formed UTF-8 as it is, every other byte
// written as "\xHH"; a backslash that would read as such an escape is
// doubled.
std::string ReadableFileName(const std::string& name);
