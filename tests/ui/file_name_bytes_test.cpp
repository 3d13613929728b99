// File names that are not UTF-8 are opened, written and shown under their
// own bytes: by the command-line import, by the program started with such
// a name, and in messages, where the bytes are shown escaped.

#include <gtest/gtest.h>

#include <QImage>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "platform/argument_bytes.h"
#include "model/tab_lifecycle.h"
#include "storage/file_message.h"
#include "tests/ui/file_flow_fixture.h"
#include "tests/ui/program_bytes.h"

namespace {

namespace fs = std::filesystem;

std::vector<std::string> NamesIn(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

TEST(FileNameBytes, TextOfTheBytesGivesTheBytesBack) {
  const std::string names[] = {
      "plain.ico", "bad\xff\xfe.png", "\xe3\x81\x82.ico",  // あ
      "cut\xe3\x81",                                       // a sequence cut short
      "\xed\xb3\xbf",                                      // an encoded surrogate
      "\xc0\xaf",                                          // an overlong '/'
      "\x80", "",
  };
  for (const std::string& name : names) {
    SCOPED_TRACE(ReadableFileName(name));
    EXPECT_EQ(BytesOfText(TextOfBytes(name)), name);
  }
  // Well-formed names are Qt's own text.
  EXPECT_EQ(TextOfBytes("\xe3\x81\x82.ico"), QString::fromUtf8("\xe3\x81\x82.ico"));
  const char* argv[] = {"quillet2", "--import", "bad\xff.png"};
  const QStringList texts = ArgumentTexts(3, argv);
  ASSERT_EQ(texts.size(), 3);
  EXPECT_EQ(texts[1], QStringLiteral("--import"));
  EXPECT_EQ(BytesOfText(texts[2]), "bad\xff.png");
}

class FileNameBytesRun : public testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/quillet2_bytes_XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    folder_ = pattern;
    QImage picture(8, 8, QImage::Format_ARGB32);
    picture.fill(qRgb(200, 10, 10));
    ASSERT_TRUE(picture.save(QString::fromStdString(folder_ + "/plain.png")));
    fs::copy_file(folder_ + "/plain.png", folder_ + "/bad\xff\xfe.png");
  }
  void TearDown() override {
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
  }
  std::string folder_;
};

TEST_F(FileNameBytesRun, TheImportReadsAndWritesNamesThatAreNotUtf8) {
  struct Case {
    std::vector<std::string> arguments;
    std::string written;
  };
  const Case cases[] = {
      {{"--import", "bad\xff\xfe.png", "-o", "out.ico"}, "out.ico"},
      {{"--import", "plain.png", "-o", "out\xff\xfe.ico"}, "out\xff\xfe.ico"},
      {{"--import", "bad\xff\xfe.png", "-o", "\xe3\x81\x82\xff.ico"}, "\xe3\x81\x82\xff.ico"},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(ReadableFileName(test.written));
    const ProgramRun run = RunQuillet2Bytes(folder_, test.arguments);
    EXPECT_EQ(run.code, 0) << run.err;
    // Exactly the name asked for, and nothing else.
    std::vector<std::string> expected = {"bad\xff\xfe.png", "plain.png", test.written};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(NamesIn(folder_), expected);
    fs::remove(folder_ + "/" + test.written);
  }
}

TEST_F(FileNameBytesRun, AMessageShowsTheBytesOfANameEscaped) {
  const ProgramRun run = RunQuillet2Bytes(folder_, {"--import", "gone\xff\xfe.png", "-o", "out.ico"});
  EXPECT_EQ(run.code, 2);
  EXPECT_EQ(run.err.rfind("gone\\xFF\\xFE.png：", 0), 0u) << run.err;
  EXPECT_EQ(NamesIn(folder_), (std::vector<std::string>{"bad\xff\xfe.png", "plain.png"}));
}

using FileNameBytesOpen = FileFlowTest;

TEST_F(FileNameBytesOpen, TheProgramStartedWithANameThatIsNotUtf8OpensIt) {
  const std::string path = WriteIcon("doc\xff\xfe.ico", 2);
  // As the program reads its arguments; the name given relative to the
  // working folder and with its full path.
  char here[4096];
  ASSERT_NE(::getcwd(here, sizeof here), nullptr);
  ASSERT_EQ(::chdir(folder_.c_str()), 0);
  for (const std::string& given : {std::string("doc\xff\xfe.ico"), path}) {
    SCOPED_TRACE(ReadableFileName(given));
    const char* argv[] = {"quillet2", given.c_str()};
    const CommandLine line = ParseCommandLine(ArgumentTexts(2, argv));
    ASSERT_FALSE(line.exitNow);
    DeleteAllTabs();
    modal.clear();
    OpenCommandLineFiles(line.files);
    EXPECT_EQ(tabSet.documentName, path);
    EXPECT_EQ(tabSet.tabCount, 2);
  }
  ASSERT_EQ(::chdir(here), 0);
  // A file that is no icon is reported with the bytes of its name escaped.
  DeleteAllTabs();
  modal.clear();
  WriteBytes("junk\xff.ico", ByteBuffer(40, 7));
  OpenCommandLineFiles({TextOfBytes(Path("junk\xff.ico"))});
  ASSERT_FALSE(modal.messages().empty());
  EXPECT_EQ(modal.messages().back().text.rfind("[ " + folder_ + "/junk\\xFF.ico ]", 0), 0u)
      << modal.messages().back().text;
}

}  // namespace
