// Help > User Guide finds the guide installed with the program and hands it
// to the desktop's browser.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "app/command_ids.h"
#include "app/commands.h"
#include "app/user_guide.h"
#include "platform/program_paths.h"
#include "tests/support/main_window_fixture.h"

namespace {

std::vector<std::string> opened;
bool RecordOpen(const std::string& path) {
  opened.push_back(path);
  return true;
}

class UserGuide : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    ASSERT_TRUE(root.isValid());
    QDir(root.path()).mkpath("bin");
    program = root.filePath("bin/").toStdString();
    opened.clear();
    openUserGuide = RecordOpen;
  }
  void TearDown() override {
    OverrideProgramFolder("");
    openUserGuide = saved;
    MainWindowTest::TearDown();
  }
  void Put(const QString& relative) {
    QDir(root.path()).mkpath(QFileInfo(root.filePath(relative)).path());
    QFile file(root.filePath(relative));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  }

  QTemporaryDir root;
  std::string program;
  bool (*saved)(const std::string&) = openUserGuide;
};

TEST_F(UserGuide, TheHtmlGuideComesBeforeTheReadmeAndBesideTheProgramBeforeShare) {
  struct Case {
    const char* added;
    const char* found;
  };
  // Files are added one after the other; each time the best one is found.
  const Case cases[] = {
      {nullptr, ""},
      {"share/doc/quillet2/README.md", "../share/doc/quillet2/README.md"},
      {"share/doc/quillet2/user-guide.html", "../share/doc/quillet2/user-guide.html"},
      {"bin/doc/README.md", "doc/README.md"},
      {"bin/doc/user-guide.html", "doc/user-guide.html"},
  };
  for (const Case& c : cases) {
    if (c.added != nullptr) Put(c.added);
    const std::string expected = *c.found == 0 ? "" : program + c.found;
    EXPECT_EQ(FindUserGuide(program), expected) << (c.added ? c.added : "nothing");
  }
}

TEST_F(UserGuide, TheCommandOpensTheGuideOrSaysThatNoneIsInstalled) {
  OverrideProgramFolder(program);
  DispatchCommand(CMD_HELP_TOPICS);
  EXPECT_TRUE(opened.empty());
  ASSERT_EQ(modal.messages().size(), 1u);
  modal.clear();
  Put("share/doc/quillet2/README.md");
  DispatchCommand(CMD_HELP_TOPICS);
  EXPECT_EQ(opened, (std::vector<std::string>{program + "../share/doc/quillet2/README.md"}));
  EXPECT_TRUE(modal.messages().empty());
  // Run from the build folder, as the README starts it, the program finds
  // the copy the build puts beside it.
  OverrideProgramFolder("");
  DispatchCommand(CMD_HELP_TOPICS);
  EXPECT_EQ(opened.back(), ProgramFolder() + "doc/README.md");
  EXPECT_TRUE(modal.messages().empty());
}

}  // namespace
