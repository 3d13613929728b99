// Mistakes on the import's command line that used to pass unnoticed: an
// option given twice, and an output that names a folder. Each is refused
// before anything is read or written.

#include <gtest/gtest.h>

#include <QImage>
#include <QProcess>
#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/ui/program_run.h"

namespace {

namespace fs = std::filesystem;

ProgramRun Quillet2(const QStringList& arguments) { return RunQuillet2(arguments); }

TEST(ImportCommandLineEdges, RepeatedOptionsAndAFolderAsOutputAreRefusedWithoutWriting) {
  char pattern[] = "/tmp/quillet2_edges_XXXXXX";
  ASSERT_NE(::mkdtemp(pattern), nullptr);
  const fs::path folder = pattern;
  const QString input = QString::fromStdString((folder / "in.png").string());
  QImage picture(8, 8, QImage::Format_ARGB32);
  picture.fill(qRgb(200, 10, 10));
  ASSERT_TRUE(picture.save(input));
  const QString output = QString::fromStdString((folder / "out.ico").string());
  const QString other = QString::fromStdString((folder / "other.ico").string());
  const QString newFolder = QString::fromStdString((folder / "newdir").string()) + "/";
  const QString oldFolder = QString::fromStdString((folder / "olddir").string());
  fs::create_directory(folder / "olddir");

  const std::string repeated = "は一度だけ指定してください\n";
  const std::string notAFolder = "-o にはフォルダーではなく書き出すアイコンファイルを指定してください\n";
  struct Case {
    QStringList arguments;
    std::string error;
  };
  const std::vector<Case> cases = {
      {{"--import", input, "-o", output, "-o", other}, "-o " + repeated},
      {{"--import", input, "-o", output, "--output", other}, "-o " + repeated},
      {{"--import", input, "--import", input, "-o", output}, "--import " + repeated},
      {{"--import", input, "-o", output, "--dither", "--dither"}, "--dither " + repeated},
      {{"--import", input, "-o", output, "--sizes", "16", "--sizes", "32"}, "--sizes " + repeated},
      {{"--import", input, "-o", newFolder}, notAFolder},
      {{"--import", input, "-o", oldFolder}, notAFolder},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.arguments.join(' ').toStdString());
    const ProgramRun run = Quillet2(test.arguments);
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.err, test.error);
    EXPECT_EQ(run.out, "");
  }
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"in.png", "olddir"})) << "nothing is written";
  EXPECT_TRUE(fs::is_empty(folder / "olddir"));

  // Once each, the import runs.
  const ProgramRun run = Quillet2({"--import", input, "-o", output});
  EXPECT_EQ(run.code, 0) << run.err;
  EXPECT_TRUE(fs::is_regular_file(output.toStdString()));
  fs::remove_all(folder);
}

}  // namespace
