// The command-line import making cursors: -o NAME.cur with --hotspot, and an
// X11 cursor file with --xcursor, run as the program itself.

#include <QImage>
#include <QProcess>
#include <QStandardPaths>

#include <filesystem>

#include "fileio/cursor_format.h"
#include "fileio/xcursor_format.h"
#include "tests/ui/file_flow_fixture.h"
#include "tests/ui/program_run.h"

namespace {

class CursorCommandLine : public FileFlowTest {
 protected:
  static ProgramRun Quillet2(const QStringList& arguments) { return RunQuillet2(arguments); }

  // A 40 x 20 picture: fitted into a square it keeps a margin above and
  // below, which the hot spot must take into account.
  std::string WritePicture() {
    QImage picture(40, 20, QImage::Format_ARGB32);
    for (int y = 0; y < 20; ++y)
      for (int x = 0; x < 40; ++x) picture.setPixel(x, y, qRgb(x * 6, y * 12, 200));
    const std::string path = Path("pointer.png");
    picture.save(QString::fromStdString(path));
    return path;
  }
};

TEST_F(CursorCommandLine, WritesACursorWithTheHotSpotScaledToEachSizeAndAnX11Cursor) {
  const QString input = QString::fromStdString(WritePicture());
  const std::string cursor = Path("pointer.cur");
  const std::string xcursor = Path("pointer");
  ProgramRun run = Quillet2({"--import", input, "-o", QString::fromStdString(cursor), "--sizes", "16,32", "--hotspot",
                      "20,10", "--xcursor", QString::fromStdString(xcursor)});
  ASSERT_EQ(run.code, 0) << run.err;
  std::vector<ImageTab> images;
  ASSERT_EQ(DecodeCursorFile(FileBytes(cursor), images), "");
  ASSERT_EQ(images.size(), 2u);
  // 16: the picture is 16 x 8 with 4 rows of margin above; 32: 32 x 16, 8.
  EXPECT_EQ(std::make_pair(int(images[0].hotSpotX), int(images[0].hotSpotY)), std::make_pair(8, 8));
  EXPECT_EQ(std::make_pair(int(images[1].hotSpotX), int(images[1].hotSpotY)), std::make_pair(16, 16));
  // The X11 cursor holds the same pictures.
  EXPECT_EQ(FileBytes(xcursor), SerializeXcursor({XcursorFrameOfCells(images[0]), XcursorFrameOfCells(images[1])}));
  // With --depth 32 every image is true colour; the X11 cursor holds each,
  // with the hot spot placed as on the other images (256: 256 x 128, 64
  // rows of margin).
  run = Quillet2({"--import", input, "--depth", "32", "--sizes", "16,256", "--hotspot", "20,10", "--xcursor",
                  QString::fromStdString(Path("deep"))});
  ASSERT_EQ(run.code, 0) << run.err;
  const ByteBuffer deep = FileBytes(Path("deep"));
  const auto u32 = [&deep](std::size_t at) {
    return at + 4 > deep.size() ? 0u : deep[at] | deep[at + 1] << 8 | deep[at + 2] << 16 | unsigned(deep[at + 3]) << 24;
  };
  ASSERT_EQ(u32(12), 2u);
  const unsigned sizeAndHotSpot[2][3] = {{16, 8, 8}, {256, 128, 128}};
  for (std::size_t i = 0; i < 2; ++i) {
    const std::size_t at = u32(16 + 12 * i + 8);
    EXPECT_EQ(u32(at + 16), sizeAndHotSpot[i][0]) << i;
    EXPECT_EQ(u32(at + 24), sizeAndHotSpot[i][1]) << i;
    EXPECT_EQ(u32(at + 28), sizeAndHotSpot[i][2]) << i;
  }

  // A PNG file under an icon's name is read as the picture it is.
  std::filesystem::copy_file(input.toStdString(), Path("favicon.ico"));
  run = Quillet2({"--import", QString::fromStdString(Path("favicon.ico")), "--sizes", "16,128", "-o",
                  QString::fromStdString(Path("fav.ico"))});
  EXPECT_EQ(run.code, 0) << run.err;

  // 32-bit and PNG entries carry the hot spot as well, as icotool reads it.
  if (!QStandardPaths::findExecutable(QStringLiteral("icotool")).isEmpty()) {
    run = Quillet2({"--import", input, "-o", QString::fromStdString(cursor), "--sizes", "16,32,256", "--depth", "32",
                    "--hotspot", "20,10"});
    ASSERT_EQ(run.code, 0) << run.err;
    QProcess icotool;
    icotool.start(QStringLiteral("icotool"), {QStringLiteral("-l"), QString::fromStdString(cursor)});
    ASSERT_TRUE(icotool.waitForFinished(30000));
    const QStringList lines = QString::fromUtf8(icotool.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    const char* hotSpots[] = {"--hotspot-x=8 --hotspot-y=8", "--hotspot-x=16 --hotspot-y=16",
                              "--hotspot-x=128 --hotspot-y=128"};
    ASSERT_EQ(lines.size(), 3) << lines.join('\n').toStdString();
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(lines[i].endsWith(hotSpots[i])) << lines[i].toStdString();
  }

  // --xcursor alone needs no -o.
  run = Quillet2({"--import", input, "--xcursor", QString::fromStdString(Path("only"))});
  EXPECT_EQ(run.code, 0) << run.err;
  EXPECT_EQ(FileBytes(Path("only")).size(), 16u + 12u + 36u + 4u * 40 * 20);

  const std::string hotSpotMistake = "--hotspot には X,Y を 0 以上の整数で指定してください\n";
  const struct {
    QStringList arguments;
    int code;
    std::string error;
  } failures[] = {
      {{"--import", input, "-o", QString::fromStdString(cursor), "--hotspot", "4"}, 1, hotSpotMistake},
      {{"--import", input, "-o", QString::fromStdString(cursor), "--hotspot", "-1,2"}, 1, hotSpotMistake},
      {{"--import", input, "-o", QString::fromStdString(cursor), "--hotspot", "1,2,3"}, 1, hotSpotMistake},
      {{"--import", input, "--xcursor", QString::fromStdString(Path("no/folder/x"))}, 3,
       Path("no/folder/x") + "：書きこみに失敗、書きこむ先のフォルダがありません\n"},
      {{"--lang", "en", "--import", input, "--xcursor", QString::fromStdString(Path("no/x"))}, 3,
       Path("no/x") + ": Could not write the file. The folder to write into does not exist.\n"},
      // An icon has no hot spot to keep it; outside the picture it moves in.
      {{"--import", input, "-o", QString::fromStdString(Path("plain.ico")), "--hotspot", "3,3"}, 1,
       "--hotspot はカーソル (-o NAME.cur か --xcursor) を書き出すときだけ指定できます\n"},
      {{"--import", input, "-o", QString::fromStdString(cursor), "--hotspot", "50,7"}, 0,
       "--hotspot 50,7 は 40×20 の画像の外なので、39,7 にしました\n"},
  };
  for (const auto& failure : failures) {
    SCOPED_TRACE(failure.arguments.join(' ').toStdString());
    run = Quillet2(failure.arguments);
    EXPECT_EQ(run.code, failure.code);
    EXPECT_EQ(run.err, failure.error);
  }
  std::vector<ImageTab> moved;
  ASSERT_EQ(DecodeCursorFile(FileBytes(cursor), moved), "");
  EXPECT_EQ(std::make_pair(int(moved[0].hotSpotX), int(moved[0].hotSpotY)), std::make_pair(39, 7));
}

}  // namespace
