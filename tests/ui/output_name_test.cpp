// The command line writes icon files only under names that say so.

#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "app/output_name.h"
#include "tests/ui/program_run.h"

namespace {

TEST(OutputName, OnlyNamesEndingInIcoOrCurAreTaken) {
  const std::pair<const char*, bool> cases[] = {
      {"x.ico", true},      {"/tmp/a b/Logo.ICO", true}, {"x.Ico", true},  {"x.png", false},
      {"x", false},         {"x.ico.png", false},        {"ico", false},   {"x.icon", false},
      {"folder.ico/x", false}, {"x.ico ", false},        {"x.cur", true},  {"x.CUR", true},
      {"x.cursor", false},
  };
  for (const auto& [name, accepted] : cases) EXPECT_EQ(OutputNameAccepted(name), accepted) << name;
}

TEST(OutputName, TheProgramRefusesAnotherNameWithExitOneAndWritesNothing) {
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  const QString input = QStringLiteral(TEST_DATA_DIR "/import/computer.ico");
  const QString output = folder.filePath(QStringLiteral("x.png"));
  const ProgramRun run = RunQuillet2({"--import", input, "-o", output});
  EXPECT_EQ(run.code, 1);
  EXPECT_EQ(run.err, "-o の名前は .ico か .cur で終わるようにしてください\n");
  EXPECT_FALSE(QFile::exists(output));
}

}  // namespace
