// The icon-set export from the command line and from the File menu: the
// files read back by each platform's own tools, an existing set replaced
// only with --force or after the question, and hand-tuned sizes kept.

#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>

#include "app/command_ids.h"
#include "app/commands.h"
#include "app/icon_set_dialog.h"
#include "tests/ui/file_flow_fixture.h"
#include "tests/ui/program_run.h"

namespace {

class IconSetExport : public FileFlowTest {
 protected:
  // A 256 px disc over transparency.
  std::string WriteSource() {
    QImage image(256, 256, QImage::Format_ARGB32);
    for (int y = 0; y < 256; ++y)
      for (int x = 0; x < 256; ++x)
        image.setPixel(x, y, (x - 128) * (x - 128) + (y - 128) * (y - 128) < 100 * 100 ? qRgba(x, y, 90, 255) : 0);
    const std::string path = Path("app.png");
    image.save(QString::fromStdString(path), "PNG");
    return path;
  }
  static std::string Tool(const QString& program, const QStringList& arguments, int* code = nullptr) {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    process.waitForFinished(30000);
    if (code != nullptr) *code = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return process.readAll().toStdString();
  }
  static bool Exists(const std::string& path) { return std::filesystem::exists(path); }
};

TEST_F(IconSetExport, CommandLineWritesEveryPlatformsFilesAndReplacesASetOnlyWithForce) {
  const std::string source = WriteSource();
  const std::string out = Path("set");
  struct Row {
    const char* what;
    QStringList options;
    const char* planted;  // a file of an earlier set, "" for none
    int code;
    std::vector<const char*> present;
    std::vector<const char*> absent;
  } rows[] = {
      {"all platforms", {}, "", 0, {"app.ico", "hicolor/48x48/apps/app.png", "app.icns", "web/icon-links.txt"}, {}},
      {"a platform it does not know", {"--platforms", "windows,beos"}, "", 1, {}, {"app.ico"}},
      {"a set there without --force", {"--platforms", "windows"}, "app.ico", 1, {}, {}},
      {"a set there with --force", {"--platforms", "windows", "--force"}, "app.ico", 0, {"app.ico"}, {}},
      {"named and chosen", {"--platforms", "web,mac", "--name", "tool"}, "", 0, {"tool.icns", "web/favicon.ico"},
       {"tool.ico", "hicolor"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    std::filesystem::remove_all(out);
    if (*row.planted != '\0') {
      std::filesystem::create_directories(out);
      WriteBytes("set/" + std::string(row.planted), {'o', 'l', 'd'});
    }
    const ProgramRun run = RunQuillet2(QStringList{"--export-set", QString::fromStdString(out)} + row.options +
                                       QStringList{QString::fromStdString(source)});
    EXPECT_EQ(run.code, row.code) << run.err;
    for (const char* file : row.present) EXPECT_TRUE(Exists(out + "/" + file)) << file;
    for (const char* file : row.absent) EXPECT_FALSE(Exists(out + "/" + file)) << file;
    if (*row.planted != '\0')
      EXPECT_EQ(FileBytes(out + "/" + row.planted) == ByteBuffer({'o', 'l', 'd'}), row.code != 0);
    // Standard output names every file written, and only those.
    std::istringstream lines(run.out);
    int listed = 0;
    for (std::string line; std::getline(lines, line); ++listed) EXPECT_TRUE(Exists(line)) << line;
    int files = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(
             Exists(out) ? out : folder_)) files += entry.is_regular_file() ? 1 : 0;
    EXPECT_EQ(listed, row.code != 0 ? 0 : files);
  }
  // Each platform's own tools read the set of all four.
  std::filesystem::remove_all(out);
  ASSERT_EQ(RunQuillet2({"--export-set", QString::fromStdString(out), QString::fromStdString(source)}).code, 0);
  const std::pair<const char*, std::vector<int>> icos[] = {{"/app.ico", {16, 24, 32, 48, 64, 256}},
                                                           {"/web/favicon.ico", {16, 32, 48}}};
  for (const auto& [name, sides] : icos) {
    const std::string listing = Tool("icotool", {"-l", QString::fromStdString(out + name)});
    for (int side : sides)
      EXPECT_NE(listing.find("--width=" + std::to_string(side) + " --height=" + std::to_string(side) + " --bit-depth=32"),
                std::string::npos)
          << name << " " << side << "\n" << listing;
  }
  const std::string icns = Tool("icns2png", {"-l", QString::fromStdString(out + "/app.icns")});
  for (const char* type : {"icp4", "icp5", "icp6", "ic07", "ic08", "ic09", "ic10", "ic11", "ic12", "ic13", "ic14"})
    EXPECT_NE(icns.find(std::string("'") + type + "'"), std::string::npos) << type << "\n" << icns;
  EXPECT_NE(icns.find("11 elements"), std::string::npos) << icns;
  for (int side : {16, 22, 24, 32, 48, 64, 96, 128, 256, 512}) {
    const std::string size = std::to_string(side) + "x" + std::to_string(side);
    EXPECT_EQ(QImage(QString::fromStdString(out + "/hicolor/" + size + "/apps/app.png")).size(), QSize(side, side));
  }
  // A desktop entry naming the icon by its name, as installed with the set.
  WriteBytes("app.desktop", [] {
    const std::string entry = "[Desktop Entry]\nType=Application\nName=App\nExec=app\nIcon=app\n";
    return ByteBuffer(entry.begin(), entry.end());
  }());
  int code = -1;
  const std::string validated = Tool("desktop-file-validate", {QString::fromStdString(Path("app.desktop"))}, &code);
  EXPECT_EQ(code, 0) << validated;
}

TEST_F(IconSetExport, MenuWritesTheChosenPlatformsKeepsHandTunedSizesAndAsksBeforeReplacing) {
  // A 256 px true-colour image and a hand-tuned 16 px one of another colour.
  ImageTab* large = CreateTrueColourTab("", 256, 256);
  ASSERT_NE(large, nullptr);
  for (int y = 0; y < 256; ++y)
    for (int x = 0; x < 256; ++x) CellAt(*large, x, y) = TrueColourCell(0xFF2060C0u);
  ImageTab* small = CreateTrueColourTab("", 16, 16);
  ASSERT_NE(small, nullptr);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) CellAt(*small, x, y) = TrueColourCell(x == y ? 0xFFFF0000u : 0u);
  ShowCurrentPosition();
  const std::string out = Path("menu-set");
  struct Row {
    const char* what;
    bool planted;
    int answer;
    bool written;
  } rows[] = {{"a new folder, no question", false, 0, true},
              {"a set there, answered No", true, IDNO, false},
              {"a set there, answered Yes", true, IDYES, true}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    std::filesystem::remove_all(out);
    if (row.planted) {
      std::filesystem::create_directories(out + "/hicolor/16x16/apps");
      WriteBytes("menu-set/hicolor/16x16/apps/tool.png", {'o', 'l', 'd'});
    }
    modal.clear();
    int shownSixteens = 0;
    modal.QueueDialog([&](QDialog& dialog) {
      dialog.findChild<QLineEdit*>(ICON_SET_NAME_FIELD)->setText("tool");
      dialog.findChild<QLineEdit*>(ICON_SET_FOLDER_FIELD)->setText(QString::fromStdString(out));
      dialog.findChild<QCheckBox*>(ICON_SET_CHECK_NAMES[2])->setChecked(false);
      // The preview shows the 16 px pictures at 1:1, over light and dark.
      for (const QLabel* label : dialog.findChildren<QLabel*>())
        shownSixteens += label->isVisibleTo(&dialog) && label->pixmap().size() == QSize(16, 16) ? 1 : 0;
      dialog.done(IDOK);
    });
    if (row.planted) modal.QueueAnswer(row.answer);
    DispatchCommand(CMD_EXPORT_ICON_SET);
    EXPECT_EQ(shownSixteens, 2 * 3);  // Windows, Linux and web show 16 px; macOS is unchecked
    EXPECT_EQ(modal.messages().size(), row.planted ? 1u : 0u);
    EXPECT_EQ(Exists(out + "/tool.ico"), row.written);
    EXPECT_FALSE(Exists(out + "/tool.icns"));
    const QImage sixteen(QString::fromStdString(out + "/hicolor/16x16/apps/tool.png"));
    EXPECT_EQ(!sixteen.isNull(), row.written);
    if (row.written) {
      // The hand-tuned image as it is, not the large one scaled.
      EXPECT_EQ(sixteen.pixel(3, 3), 0xFFFF0000u);
      EXPECT_EQ(qAlpha(sixteen.pixel(3, 4)), 0);
      EXPECT_EQ(QImage(QString::fromStdString(out + "/hicolor/32x32/apps/tool.png")).pixel(5, 9), 0xFF2060C0u);
      const QString note = mainWindows.main->findChild<QLabel*>("statusNote")->text();
      EXPECT_TRUE(note.contains("tool.ico") && note.contains("hicolor/ (10)") && note.contains("web/ (5)"))
          << note.toStdString();
    }
  }
}

}  // namespace
