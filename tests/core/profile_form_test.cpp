// A settings file written by another editor keeps its form when the program
// rewrites it: a UTF-8 byte-order mark at its start and CRLF line ends.

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/profile.h"

namespace {

namespace fs = std::filesystem;

TEST(ProfileForm, AByteOrderMarkAndCrlfLineEndsAreReadAndKept) {
  const fs::path file = fs::temp_directory_path() / ("q2form-" + std::to_string(::getpid()) + ".ini");
  const std::string mark = "\xEF\xBB\xBF";
  struct Case {
    const char* what;
    std::string before;
    std::string after;
  };
  const Case cases[] = {
      {"plain", "[WINDOW]\npos_x=5\n", "[WINDOW]\npos_x=7\n"},
      {"a byte-order mark", mark + "[WINDOW]\npos_x=5\n", mark + "[WINDOW]\npos_x=7\n"},
      {"CRLF", "[WINDOW]\r\npos_x=5\r\n[FLAG]\r\ngrid=1\r\n", "[WINDOW]\r\npos_x=7\r\n[FLAG]\r\ngrid=1\r\n"},
      {"both", mark + "[WINDOW]\r\npos_x=5\r\n", mark + "[WINDOW]\r\npos_x=7\r\n"},
      {"a byte-order mark, new key", mark + "[WINDOW]\r\npos_y=1\r\n", mark + "[WINDOW]\r\npos_y=1\r\npos_x=7\r\n"},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.what);
    std::ofstream(file, std::ios::binary) << test.before;
    if (test.before.find("pos_x") != std::string::npos) {
      EXPECT_EQ(GetProfileInt("WINDOW", "pos_x", 100, file.string()), 5);
    }
    ASSERT_TRUE(WriteProfileString("WINDOW", "pos_x", "7", file.string()));
    std::ifstream in(file, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), test.after);
    EXPECT_EQ(GetProfileInt("WINDOW", "pos_x", 100, file.string()), 7);
  }
  fs::remove(file);
}

}  // namespace
