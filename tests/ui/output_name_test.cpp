// The command line writes icon files only under names that say so.

#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "app/output_name.h"

namespace {

TEST(OutputName, OnlyNamesEndingInIcoAreTaken) {
  const std::pair<const char*, bool> cases[] = {
      {"x.ico", true},      {"/tmp/a b/Logo.ICO", true}, {"x.Ico", true},  {"x.png", false},
      {"x", false},         {"x.ico.png", false},        {"ico", false},   {"x.icon", false},
      {"folder.ico/x", false}, {"x.ico ", false},
  };
  for (const auto& [name, accepted] : cases) EXPECT_EQ(OutputNameAccepted(name), accepted) << name;
}

TEST(OutputName, TheProgramRefusesAnotherNameWithExitOneAndWritesNothing) {
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  const QString input = QStringLiteral(TEST_DATA_DIR "/import/computer.ico");
  const QString output = folder.filePath(QStringLiteral("x.png"));
  QProcess process;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) environment.remove(name);
  process.setProcessEnvironment(environment);
  process.start(QUILLET2_PROGRAM, {"--lang", "ja", "--import", input, "-o", output});
  ASSERT_TRUE(process.waitForFinished(60000));
  EXPECT_EQ(process.exitCode(), 1);
  EXPECT_EQ(process.readAllStandardError().toStdString(), "-o の名前は .ico で終わるようにしてください\n");
  EXPECT_FALSE(QFile::exists(output));
}

}  // namespace
