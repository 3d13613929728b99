#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

#include "platform/profile.h"
#include "tests/support/as_user.h"

namespace {

class ProfileTest : public ::testing::Test {
 protected:
  std::string path = "/tmp/q2-profile-" + std::to_string(::getpid()) + ".ini";
  void TearDown() override { std::remove(path.c_str()); }
  void Write(const std::string& text) { std::ofstream(path) << text; }
  std::string Read() {
    std::ostringstream out;
    out << std::ifstream(path).rdbuf();
    return out.str();
  }
};

TEST_F(ProfileTest, MissingFileSectionOrKeyGivesTheDefault) {
  EXPECT_EQ(GetProfileInt("WINDOW", "pos_x", 100, path), 100);
  Write("[FLAG]\ngrid=0\n");
  EXPECT_EQ(GetProfileInt("WINDOW", "grid", 7, path), 7);
  EXPECT_EQ(GetProfileInt("FLAG", "statusWndFlag", 1, path), 1);
  EXPECT_EQ(GetProfileInt("FLAG", "grid", 1, path), 0);
}

TEST_F(ProfileTest, TextsAreReadWithoutTheBlanksAround) {
  EXPECT_EQ(GetProfileString("WINDOW", "Language", "ja", path), "ja");
  Write("[FLAG]\nLanguage=de\n[window]\r\nlanguage =  en \r\nLanguage=fr\n");
  EXPECT_EQ(GetProfileString("WINDOW", "Language", "ja", path), "en");
  EXPECT_EQ(GetProfileString("WINDOW", "pos_x", "", path), "");
}

TEST_F(ProfileTest, ValuesAreReadLikeTheClassicIntegerReader) {
  Write("[window]\r\nPOS_X = -25\r\nsiz_x=640px\r\nsiz_y=abc\r\nbig=99999999999\r\n");
  EXPECT_EQ(GetProfileInt("WINDOW", "pos_x", 0, path), -25);
  EXPECT_EQ(GetProfileInt("WINDOW", "siz_x", 0, path), 640);
  EXPECT_EQ(GetProfileInt("WINDOW", "siz_y", 5, path), 0);
  EXPECT_EQ(GetProfileInt("WINDOW", "big", 0, path), INT32_MAX);
}

TEST_F(ProfileTest, WritingCreatesSectionsAndReplacesValues) {
  ASSERT_TRUE(WriteProfileString("WINDOW", "pos_x", "10", path));
  ASSERT_TRUE(WriteProfileString("WINDOW", "pos_y", "20", path));
  ASSERT_TRUE(WriteProfileString("FLAG", "grid", "1", path));
  ASSERT_TRUE(WriteProfileString("window", "POS_X", "-3", path));
  EXPECT_EQ(Read(), "[WINDOW]\nPOS_X=-3\npos_y=20\n\n[FLAG]\ngrid=1\n");
  EXPECT_EQ(GetProfileInt("WINDOW", "pos_x", 0, path), -3);
  // A key added to an existing section goes to that section.
  ASSERT_TRUE(WriteProfileString("WINDOW", "siz_x", "640", path));
  EXPECT_EQ(GetProfileInt("WINDOW", "siz_x", 0, path), 640);
  EXPECT_EQ(GetProfileInt("FLAG", "siz_x", 1, path), 1);
}

TEST_F(ProfileTest, UnwritableFolderFailsWithoutCreatingAnything) {
  EXPECT_FALSE(WriteProfileString("A", "b", "1", "/nonexistent-q2/x.ini"));
}

TEST_F(ProfileTest, TheUsersOwnKeysAreKeptInALargeFileAndAnUnreadableFileIsNotRewritten) {
  // Two megabytes of the user's own keys.
  std::string own = "[MINE]\n";
  for (int i = 0; own.size() < (2u << 20); ++i) own += "key" + std::to_string(i) + "=" + std::string(40, 'v') + "\n";
  Write(own + "last=kept\n");
  ASSERT_TRUE(WriteProfileString("FLAG", "grid", "0", path));
  EXPECT_EQ(GetProfileString("MINE", "last", "", path), "kept");
  EXPECT_EQ(GetProfileString("MINE", "key0", "", path), std::string(40, 'v'));
  EXPECT_EQ(GetProfileInt("FLAG", "grid", 1, path), 0);

  // A file the user may write but not read: rewriting it would keep only
  // the one key written.
  if (!RunningAsRoot()) GTEST_SKIP() << "needs the superuser to hand the file to another user";
  Write("[WINDOW]\npos_x=12\n");
  ASSERT_EQ(::chown(path.c_str(), NOBODY, NOBODY), 0);
  ASSERT_EQ(::chmod(path.c_str(), 0200), 0);
  EXPECT_EQ(RunAsUser(NOBODY,
                      [this] {
                        WriteProblem problem = WriteProblem::None;
                        const bool written = WriteProfileString("FLAG", "grid", "0", path, &problem);
                        return written ? 1 : static_cast<int>(problem);
                      }),
            static_cast<int>(WriteProblem::Unreadable));
  EXPECT_EQ(Read(), "[WINDOW]\npos_x=12\n");
}

}  // namespace
