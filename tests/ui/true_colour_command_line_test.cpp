// The command line writing modern icons: sizes above 64 as PNG-compressed
// 32-bit images, --depth 32 for the others, and --keep copying the images of
// an input icon that the chosen sizes do not replace.

#include <QBuffer>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>

#include "fileio/dib_reading.h"
#include "import/decode.h"
#include "import/targets.h"
#include "tests/support/family_icon.h"
#include "tests/ui/file_flow_fixture.h"
#include "tests/ui/program_run.h"

namespace {

class TrueColourCommandLine : public FileFlowTest {
 protected:
  int Quillet2(const QStringList& arguments) {
    const ProgramRun run = RunQuillet2(arguments);
    errors_ = run.err;
    return run.code;
  }

  // A 300 x 200 logo with many colours and soft alpha.
  std::string WriteLogo() {
    QImage logo(300, 200, QImage::Format_ARGB32);
    for (int y = 0; y < 200; ++y)
      for (int x = 0; x < 300; ++x) logo.setPixel(x, y, qRgba(x * 255 / 299, y, (x * y) % 256, (x + y) % 256));
    const std::string path = Path("logo.png");
    logo.save(QString::fromStdString(path), "PNG");
    return path;
  }

  std::string errors_;
};

bool IsPng(const ByteBuffer& bytes) { return bytes.size() > 8 && bytes[0] == 0x89 && bytes[1] == 'P'; }

int BitmapBits(const ByteBuffer& bytes) { return bytes.size() >= 40 ? U16At(bytes, INFO_BIT_COUNT) : -1; }

TEST_F(TrueColourCommandLine, LargeSizesArePngAndDepth32MakesEverySize32Bit) {
  const std::string logo = WriteLogo();
  const struct {
    const char* sizes;
    bool depth32;
    std::vector<int> bits;  // 0 for a PNG image
  } cases[] = {
      {"16,32,48,256", true, {32, 32, 32, 0}},
      {"16,128", false, {8, 0}},
      {"256,24", false, {8, 0}},
  };
  RgbaPicture full;
  {
    QImage image(QString::fromStdString(logo));
    full = PictureFromImage(image);
  }
  for (const auto& c : cases) {
    SCOPED_TRACE(c.sizes);
    const std::string output = Path("app.ico");
    QStringList arguments{"--import", QString::fromStdString(logo), "-o", QString::fromStdString(output), "--sizes",
                          c.sizes};
    if (c.depth32) arguments << "--depth" << "32";
    ASSERT_EQ(Quillet2(arguments), 0) << errors_;
    const ByteBuffer file = FileBytes(output);
    ASSERT_EQ(family_icon::ImageCount(file), static_cast<int>(c.bits.size()));
    for (std::size_t i = 0; i < c.bits.size(); ++i) {
      SCOPED_TRACE(i);
      const ByteBuffer image = family_icon::EntryBytes(file, static_cast<int>(i));
      if (c.bits[i] == 0) {
        ASSERT_TRUE(IsPng(image));
        // At full quality: the PNG holds the fitted picture exactly.
        RgbaPicture decoded;
        ASSERT_EQ(DecodePngImage(image.data(), image.size(), decoded), "");
        const RgbaPicture expected = FitPictureInSquare(full, decoded.width);
        EXPECT_EQ(decoded.pixels, expected.pixels);
      } else {
        EXPECT_EQ(BitmapBits(image), c.bits[i]);
      }
    }
  }
}

TEST_F(TrueColourCommandLine, IcotoolListsThe32BitImages) {
  if (QStandardPaths::findExecutable(QStringLiteral("icotool")).isEmpty())
    GTEST_SKIP() << "icotool (package icoutils) is not installed";
  const std::string output = Path("app.ico");
  ASSERT_EQ(Quillet2({"--import", QString::fromStdString(WriteLogo()), "-o", QString::fromStdString(output),
                      "--sizes", "16,32,48,256", "--depth", "32"}),
            0)
      << errors_;
  QProcess icotool;
  icotool.start(QStringLiteral("icotool"), {QStringLiteral("-l"), QString::fromStdString(output)});
  ASSERT_TRUE(icotool.waitForFinished(30000));
  const QStringList lines = QString::fromUtf8(icotool.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
  ASSERT_EQ(lines.size(), 4) << lines.join('\n').toStdString();
  const int sizes[] = {16, 32, 48, 256};
  for (int i = 0; i < 4; ++i) {
    EXPECT_TRUE(lines[i].contains(QStringLiteral("--width=%1 ").arg(sizes[i]))) << lines[i].toStdString();
    EXPECT_TRUE(lines[i].contains(QStringLiteral("--bit-depth=32"))) << lines[i].toStdString();
  }
}

TEST_F(TrueColourCommandLine, KeepCopiesTheImagesTheSizesDoNotReplace) {
  QImage big(256, 256, QImage::Format_ARGB32);
  big.fill(qRgba(10, 200, 30, 200));
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  big.save(&buffer, "PNG");
  const ByteBuffer family = family_icon::Build(ByteBuffer(png.begin(), png.end()));
  const std::string input = WriteBytes("family.ico", family);
  const std::string output = Path("out.ico");
  // 48 and 16 are made anew; the 256, 32 and 24 px images stay as they were.
  ASSERT_EQ(Quillet2({"--import", QString::fromStdString(input), "-o", QString::fromStdString(output), "--sizes",
                      "16,48", "--keep"}),
            0)
      << errors_;
  const ByteBuffer file = FileBytes(output);
  ASSERT_EQ(family_icon::ImageCount(file), 5);
  const int kept[] = {family_icon::PNG_256, family_icon::INDEXED_32, family_icon::CURSOR_TYPED};
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(family_icon::EntryBytes(file, 2 + i), family_icon::EntryBytes(family, kept[i]));
    EXPECT_EQ(family_icon::EntryFields(file, 2 + i), family_icon::EntryFields(family, kept[i]));
  }
  // Without --keep only the sizes made are written.
  ASSERT_EQ(Quillet2({"--import", QString::fromStdString(input), "-o", QString::fromStdString(output), "--sizes",
                      "16,48"}),
            0);
  EXPECT_EQ(family_icon::ImageCount(FileBytes(output)), 2);
}

}  // namespace
