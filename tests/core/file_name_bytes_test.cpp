// Showing file names that are not UTF-8.

#include <gtest/gtest.h>

#include "platform/file_name_bytes.h"

namespace {

TEST(ReadableFileNames, BytesThatAreNotUtf8AreEscapedAndTheRestKept) {
  struct Case {
    std::string name;
    std::string shown;
  };
  const Case cases[] = {
      {"plain.ico", "plain.ico"},
      {"bad\xff\xfe.png", "bad\\xFF\\xFE.png"},
      {"\xe3\x81\x82.ico", "\xe3\x81\x82.ico"},  // あ
      {"\xf0\x9f\x98\x80", "\xf0\x9f\x98\x80"},  // U+1F600
      {"cut\xe3\x81", "cut\\xE3\\x81"},
      {"\xed\xa0\x80", "\\xED\\xA0\\x80"},        // a surrogate
      {"\xc0\xaf", "\\xC0\\xAF"},                  // overlong
      {"\xe0\x80\xaf", "\\xE0\\x80\\xAF"},         // overlong
      {"\xf4\x90\x80\x80", "\\xF4\\x90\\x80\\x80"},  // beyond U+10FFFF
      {"\x80x", "\\x80x"},
      // A name that reads like an escape is told apart from one.
      {"a\\xFF", "a\\\\xFF"},
      {"a\\b", "a\\b"},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.shown);
    EXPECT_EQ(ReadableFileName(test.name), test.shown);
  }
}

}  // namespace
