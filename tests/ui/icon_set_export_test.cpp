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
  // A 256 px picture with soft alpha.
  std::string WriteSource() {
    QImage image(256, 256, QImage::Format_ARGB32);
    for (int y = 0; y < 256; ++y)
      for (int x = 0; x < 256; ++x) image.setPixel(x, y, qRgba(x, y, 90, x ^ y));
    image.save(QString::fromStdString(Path("app.png")), "PNG");
    return Path("app.png");
  }
  static QString Tool(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    process.waitForFinished(30000);
    return QString::fromLocal8Bit(process.readAll());
  }
  static bool Exists(const std::string& path) { return std::filesystem::exists(path); }
};

TEST_F(IconSetExport, CommandLineWritesEveryPlatformsFilesAndReplacesASetOnlyWithForce) {
  const std::string source = WriteSource();
  const std::string drawing = "<svg xmlns='http://www.w3.org/2000/svg' width='64' height='64'>"
                              "<circle cx='32' cy='32' r='30' fill='#c00'/></svg>";
  const std::string svg = WriteBytes("drawn.svg", ByteBuffer(drawing.begin(), drawing.end()));
  const std::string out = Path("set");
  struct Row {
    const char* what;
    QStringList options;
    const char* planted;  // a file of an earlier set, "" for none
    int code;
    std::vector<const char*> present;
    std::vector<const char*> absent;
    bool fromSvg = false;
  } rows[] = {
      {"a platform it does not know", {"--platforms", "windows,beos"}, "", 1, {}, {"app.ico"}},
      {"a set there without --force", {"--platforms", "windows"}, "app.ico", 1, {}, {}},
      {"a set there with --force", {"--platforms", "windows", "--force"}, "app.ico", 0, {"app.ico"}, {}},
      {"named", {"--platforms", "web,mac", "--name", "tool"}, "", 0, {"tool.icns", "web/favicon.ico"}, {"tool.ico"}},
      {"an SVG drawing, rendered at each size and kept as the scalable icon", {"--platforms", "linux"}, "", 0,
       {"hicolor/scalable/apps/drawn.svg", "hicolor/16x16/apps/drawn.png", "hicolor/512x512/apps/drawn.png"}, {},
       true},
      {"every platform, last", {}, "", 0, {"app.ico", "app.icns", "web/icon-links.txt"}, {}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    std::filesystem::remove_all(out);
    if (*row.planted != '\0' && std::filesystem::create_directories(out))
      WriteBytes("set/" + std::string(row.planted), {'o', 'l', 'd'});
    const ProgramRun run = RunQuillet2(QStringList{"--export-set", QString::fromStdString(out)} + row.options +
                                       QStringList{QString::fromStdString(row.fromSvg ? svg : source)});
    EXPECT_EQ(run.code, row.code) << run.err;
    for (const char* file : row.present) EXPECT_TRUE(Exists(out + "/" + file)) << file;
    for (const char* file : row.absent) EXPECT_FALSE(Exists(out + "/" + file)) << file;
    if (*row.planted != '\0')
      EXPECT_EQ(FileBytes(out + "/" + row.planted) == ByteBuffer({'o', 'l', 'd'}), row.code != 0);
    // Standard output names every file written, and only those.
    std::istringstream lines(run.out);
    int listed = 0, files = 0;
    for (std::string line; std::getline(lines, line); ++listed) EXPECT_TRUE(Exists(line)) << line;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder_))
      files += entry.path().string().starts_with(out + "/") && entry.is_regular_file();
    EXPECT_EQ(listed, row.code != 0 ? 0 : files);
  }
  // Each platform's own tools read the set of all four.
  const std::pair<const char*, std::vector<int>> icos[] = {{"/app.ico", {16, 24, 32, 48, 64, 256}},
                                                           {"/web/favicon.ico", {16, 32, 48}}};
  for (const auto& [name, sides] : icos) {
    const QString listing = Tool("icotool", {"-l", QString::fromStdString(out + name)});
    EXPECT_EQ(listing.count('\n'), sides.size()) << listing.toStdString();
    for (int side : sides)
      EXPECT_TRUE(listing.contains(QStringLiteral("--width=%1 --height=%1 --bit-depth=32").arg(side)));
  }
  const QString icns = Tool("icns2png", {"-l", QString::fromStdString(out + "/app.icns")});
  for (const char* type : {"icp4", "icp5", "icp6", "ic07", "ic08", "ic09", "ic10", "ic11", "ic12", "ic13", "ic14"})
    EXPECT_TRUE(icns.contains(QStringLiteral("'%1'").arg(type))) << type << "\n" << icns.toStdString();
  for (int side : {16, 22, 24, 32, 48, 64, 96, 128, 256, 512})
    EXPECT_EQ(QImage(QStringLiteral("%1/hicolor/%2x%2/apps/app.png").arg(out.c_str()).arg(side)).size(),
              QSize(side, side));
  // A desktop entry naming the icon by its name, as installed with the set.
  std::ofstream(Path("app.desktop")) << "[Desktop Entry]\nType=Application\nName=App\nExec=app\nIcon=app\n";
  EXPECT_EQ(QProcess::execute("desktop-file-validate", {QString::fromStdString(Path("app.desktop"))}), 0);
}

TEST_F(IconSetExport, MenuWritesTheChosenPlatformsKeepsHandTunedSizesAndAsksBeforeReplacing) {
  // A 256 px true-colour image and a hand-tuned 16 px one of another colour.
  ImageTab* large = CreateTrueColourTab("", 256, 256);
  ImageTab* small = CreateTrueColourTab("", 16, 16);
  for (int y = 0; y < 256; ++y)
    for (int x = 0; x < 256; ++x) {
      CellAt(*large, x, y) = TrueColourCell(0xFF2060C0u);
      if (x < 16 && y < 16) CellAt(*small, x, y) = TrueColourCell(x == y ? 0xFFFF0000u : 0u);
    }
  ShowCurrentPosition();
  const std::string out = Path("menu-set");
  struct Row {
    const char* what;
    int answer;  // to the question, 0 where the folder holds no set
    bool written;
  } rows[] = {{"a new folder, no question", 0, true},
              {"a set there, answered No", IDNO, false},
              {"a set there, answered Yes", IDYES, true}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    std::filesystem::remove_all(out);
    if (row.answer != 0 && std::filesystem::create_directories(out + "/hicolor/16x16/apps"))
      std::ofstream(out + "/hicolor/16x16/apps/tool.png") << "old";
    modal.clear();
    int shownSixteens = 0;
    modal.QueueDialog([&](QDialog& dialog) {
      dialog.findChild<QLineEdit*>(ICON_SET_NAME_FIELD)->setText("tool");
      dialog.findChild<QLineEdit*>(ICON_SET_FOLDER_FIELD)->setText(QString::fromStdString(out));
      dialog.findChild<QCheckBox*>(ICON_SET_CHECK_NAMES[2])->setChecked(false);
      // The preview shows the 16 px pictures at 1:1, over light and dark.
      for (const QLabel* label : dialog.findChildren<QLabel*>())
        shownSixteens += label->isVisibleTo(&dialog) && label->pixmap().size() == QSize(16, 16) ? 1 : 0;
      PressButton(dialog, IDOK);
    });
    if (row.answer != 0) modal.QueueAnswer(row.answer);
    DispatchCommand(CMD_EXPORT_ICON_SET);
    EXPECT_EQ(shownSixteens, 2 * 3);  // Windows, Linux and web show 16 px; macOS is unchecked
    EXPECT_EQ(modal.messages().size(), row.answer != 0 ? 1u : 0u);
    EXPECT_EQ(Exists(out + "/tool.ico"), row.written);
    EXPECT_FALSE(Exists(out + "/tool.icns"));
    const QImage sixteen(QString::fromStdString(out + "/hicolor/16x16/apps/tool.png"));
    if (row.written) {
      // The hand-tuned image as it is, not the large one scaled.
      EXPECT_EQ(sixteen.pixel(3, 3), 0xFFFF0000u);
      EXPECT_EQ(qAlpha(sixteen.pixel(3, 4)), 0);
      EXPECT_EQ(QImage(QString::fromStdString(out + "/hicolor/32x32/apps/tool.png")).pixel(5, 9), 0xFF2060C0u);
      const QString note = mainWindows.main->findChild<QLabel*>("statusNote")->text();
      EXPECT_TRUE(note.endsWith("tool.ico, hicolor/ (10), web/ (5)")) << note.toStdString();
    }
  }
}

}  // namespace
