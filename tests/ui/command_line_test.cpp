// The command line, the data files of a build folder and of an installed
// program, and where each kind of run keeps its settings.

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCoreApplication>
#include <cstdlib>

#include "app/command_line.h"
#include "app/new_tab_dialog.h"
#include "app/settings.h"
#include "canvas/undo_commands.h"
#include "fileio/open_flow.h"
#include "fileio/palette_file.h"
#include "platform/profile.h"
#include "tests/ui/file_flow_fixture.h"

namespace {

using CommandLineFiles = FileFlowTest;

TEST(CommandLineOptions, VersionHelpFilesAndMistakes) {
  const CommandLine version = ParseCommandLine({"quillet2", "--version"});
  EXPECT_TRUE(version.exitNow);
  EXPECT_EQ(version.exitCode, 0);
  EXPECT_EQ(version.standardOutput.toStdString(), "Quillet2 Ver 0.26β\n");

  const CommandLine help = ParseCommandLine({"quillet2", "--help"});
  EXPECT_TRUE(help.exitNow);
  EXPECT_TRUE(help.standardOutput.contains("--version"));
  EXPECT_TRUE(help.standardOutput.contains("FILE"));

  const CommandLine files = ParseCommandLine({"quillet2", "a.ico", "--", "-b.qpl"});
  EXPECT_FALSE(files.exitNow);
  EXPECT_EQ(files.files, (QStringList{"a.ico", "-b.qpl"}));

  // "--" ends the options: what follows is a file.
  EXPECT_EQ(ParseCommandLine({"quillet2", "--", "--version"}).files, QStringList{"--version"});

  const CommandLine wrong = ParseCommandLine({"quillet2", "--no-such-option", "a.ico"});
  EXPECT_TRUE(wrong.exitNow);
  EXPECT_NE(wrong.exitCode, 0);
  EXPECT_TRUE(wrong.standardError.contains("no-such-option"));
  EXPECT_TRUE(wrong.standardOutput.isEmpty());
}

TEST_F(CommandLineFiles, OneIconOpensAsIfDroppedWithItsFullPath) {
  const std::string path = WriteIcon("one.ico", 2, 12, 10, 16);
  // A relative name, as typed in a terminal in the file's folder.
  const std::string previous = std::filesystem::current_path();
  std::filesystem::current_path(folder_);
  OpenCommandLineFiles({"one.ico"});
  std::filesystem::current_path(previous);
  EXPECT_TRUE(modal.messages().empty());
  EXPECT_EQ(tabSet.tabCount, 2);
  EXPECT_EQ(tabSet.documentName, path);
  EXPECT_EQ(Caption(), "Quillet2 - " + path);
}

TEST_F(CommandLineFiles, TwoIconsOpenOneAfterTheOtherWithTheOpenQuestions) {
  const std::string first = WriteIcon("first.ico", 2);
  const std::string second = WriteIcon("second.ico", 3);
  // No: keep the first file's tabs and add the second's behind them.
  modal.QueueAnswer(IDNO);
  OpenCommandLineFiles({QString::fromStdString(first), QString::fromStdString(second)});
  EXPECT_EQ(modal.texts(), (std::vector<std::string>{OPEN_REPLACE_QUESTION}));
  EXPECT_EQ(tabSet.tabCount, 5);
  EXPECT_EQ(tabSet.documentName, first);
}

TEST_F(CommandLineFiles, APaletteLoadsIntoTheCurrentTabOrIsRefusedWithoutOne) {
  ImageTab paletteSource = samples::PatternTab(4, 4, 16, 9);
  paletteSource.palette[3] = 0x0000FF;
  const std::string palette = WriteBytes("red.QPL", SerializePalette(paletteSource));

  OpenCommandLineFiles({QString::fromStdString(palette)});
  EXPECT_EQ(modal.texts(), (std::vector<std::string>{PALETTE_READ_FAILED}));
  EXPECT_EQ(tabSet.tabCount, 0);

  modal.clear();
  OpenCommandLineFiles({QString::fromStdString(WriteIcon("image.ico", 1)), QString::fromStdString(palette)});
  EXPECT_TRUE(modal.messages().empty());
  ASSERT_NE(CurrentTab(), nullptr);
  EXPECT_EQ(CurrentTab()->palette[3], 0x0000FFu);
  // Loaded as the palette command loads: one undo step.
  CommandUndo();
  EXPECT_NE(CurrentTab()->palette[3], 0x0000FFu);
}

TEST_F(CommandLineFiles, AMissingNameGetsTheOpenFlowsMessage) {
  OpenCommandLineFiles({QString::fromStdString(Path("missing.qpl"))});
  ASSERT_EQ(modal.messages().size(), 1u);
  EXPECT_EQ(modal.messages()[0].caption, "error code = 2");
  EXPECT_EQ(tabSet.tabCount, 0);
}

// A folder laid out as an installed program: prefix/bin and
// prefix/share/quillet2 with a default palette whose first colour is red.
class InstalledLayout : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    char pattern[] = "/tmp/quillet2_prefix_XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    prefix_ = pattern;
    std::filesystem::create_directories(prefix_ + "/bin");
    std::filesystem::create_directories(prefix_ + "/share/quillet2");
    OverrideProgramFolder(prefix_ + "/bin");
  }
  void TearDown() override {
    MainWindowTest::TearDown();
    std::filesystem::remove_all(prefix_);
  }
  void WritePalette(const std::string& path, ColorRef first) {
    ImageTab tab = samples::PatternTab(4, 4, 16, 1);
    tab.palette[0] = first;
    const ByteBuffer bytes = SerializePalette(tab);
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  }
  std::string prefix_;
};

TEST_F(InstalledLayout, DataFilesComeFromBesideTheProgramFirstThenFromShare) {
  const std::string installed = prefix_ + "/bin/../share/quillet2/default16.qpl";
  EXPECT_EQ(ProgramDataFile("default16.qpl"), prefix_ + "/bin/default16.qpl");
  WritePalette(prefix_ + "/share/quillet2/default16.qpl", 0x0000FF);
  EXPECT_EQ(ProgramDataFile("default16.qpl"), installed);
  FillNewTab(modal, "8", "8", "16");
  CommandNewTab();
  EXPECT_TRUE(modal.messages().empty());
  ASSERT_NE(CurrentTab(), nullptr);
  EXPECT_EQ(CurrentTab()->palette[0], 0x0000FFu);

  WritePalette(prefix_ + "/bin/default16.qpl", 0x00FF00);
  EXPECT_EQ(ProgramDataFile("default16.qpl"), prefix_ + "/bin/default16.qpl");
  std::filesystem::create_directories(prefix_ + "/share/quillet2/ICON");
  std::ofstream(prefix_ + "/share/quillet2/ICON/tab.ico") << "x";
  EXPECT_EQ(FindDataFile("ICON/tab.ico"), prefix_ + "/bin/../share/quillet2/ICON/tab.ico");
}

TEST_F(InstalledLayout, SettingsGoToTheUsersConfigFolderNeverBesideTheProgram) {
  const std::string program = QCoreApplication::applicationFilePath().toStdString();
  // The test program lies in the build folder, beside its palettes.
  OverrideProgramFolder({});
  EXPECT_EQ(SettingsFilePath(), SettingsFileFor({program, true, "", ""}));

  OverrideProgramFolder(prefix_ + "/bin");
  const char* oldConfig = std::getenv("XDG_CONFIG_HOME");
  const std::string savedConfig = oldConfig != nullptr ? oldConfig : "";
  ::setenv("XDG_CONFIG_HOME", (prefix_ + "/config").c_str(), 1);
  const std::string settings = SettingsFilePath();
  if (oldConfig != nullptr)
    ::setenv("XDG_CONFIG_HOME", savedConfig.c_str(), 1);
  else
    ::unsetenv("XDG_CONFIG_HOME");
  EXPECT_EQ(settings, prefix_ + "/config/quillet2/quillet2.ini");

  // The first run creates the folder.
  iniPath = settings;
  WriteSettings();
  EXPECT_EQ(GetProfileInt("FLAG", "grid", -1, iniPath), 1);

  EXPECT_EQ(SettingsFileFor({program, false, "", "/home/u"}), "/home/u/.config/quillet2/quillet2.ini");
  EXPECT_EQ(SettingsFileFor({program, false, "relative/dir", "/home/u"}), "/home/u/.config/quillet2/quillet2.ini");
  EXPECT_EQ(SettingsFileFor({program, false, "/x/cfg/", "/home/u"}), "/x/cfg/quillet2/quillet2.ini");
}

// A copy of the program in a folder the user may not write (no installed
// data beside it either) keeps its settings in the configuration folder.
// Root may write anywhere, so the check runs as an unprivileged user.
TEST_F(InstalledLayout, AFolderTheUserMayNotWriteKeepsNoSettings) {
  std::filesystem::remove_all(prefix_ + "/share");
  ::chmod(prefix_.c_str(), 0755);
  ::chmod((prefix_ + "/bin").c_str(), 0555);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(3);
    ::setenv("XDG_CONFIG_HOME", "/tmp/cfg", 1);
    const bool writable = FolderWritable(prefix_ + "/bin");
    const bool configured = SettingsFilePath() == "/tmp/cfg/quillet2/quillet2.ini";
    ::_exit(!writable && configured ? 0 : 1);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  ::chmod((prefix_ + "/bin").c_str(), 0755);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  // The same folder, writable, keeps them beside the program.
  EXPECT_TRUE(FolderWritable(prefix_ + "/bin"));
}

}  // namespace
