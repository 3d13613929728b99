// SVG drawings imported through librsvg: each size rendered for itself and
// equal to librsvg's own rendering at that size (not to a 256 px render
// scaled down), .svgz read, references to other files never loaded, a
// drawing that cannot be rendered or unpacks too large refused with its
// message, and the document remembering the drawing after an import.

#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTreeWidget>
#include <zlib.h>

#include <algorithm>
#include <cstdlib>

#include "import/convert.h"
#include "import/decode.h"
#include "import/dialog.h"
#include "import/flow.h"
#include "import/true_colour_entries.h"
#include "model/svg_source.h"
#include "platform/dialog_template.h"
#include "tests/ui/file_flow_fixture.h"
#include "tests/ui/program_run.h"

namespace {

// A linear gradient under a mask, a blurred shape and a line drawn without
// anti-aliasing: at 16 pixels the line stays one crisp pixel wide, which a
// 256 px render scaled down cannot give.
const std::string DRAWING = R"svg(<svg xmlns="http://www.w3.org/2000/svg" width="64" height="64" viewBox="0 0 16 16">
<defs>
 <linearGradient id="g" x1="0" y1="0" x2="1" y2="1"><stop offset="0" stop-color="#1e90ff"/><stop offset="1" stop-color="#ff4500" stop-opacity="0.6"/></linearGradient>
 <mask id="m"><rect width="16" height="16" fill="white"/><circle cx="8" cy="8" r="3.3" fill="black"/></mask>
 <filter id="b" x="-50%" y="-50%" width="200%" height="200%"><feGaussianBlur stdDeviation="0.6"/></filter>
</defs>
<rect x="1.3" y="1.3" width="13.4" height="13.4" rx="3" fill="url(#g)" mask="url(#m)"/>
<circle cx="8" cy="8" r="2.2" fill="#222" filter="url(#b)"/>
<path d="M2.3 4.5 H13.6" stroke="#fff" stroke-width="0.8" shape-rendering="crispEdges"/>
</svg>)svg";

ByteBuffer Bytes(const std::string& text) { return ByteBuffer(text.begin(), text.end()); }

ByteBuffer Gzip(const ByteBuffer& plain) {
  z_stream stream{};
  EXPECT_EQ(deflateInit2(&stream, 9, Z_DEFLATED, 16 + MAX_WBITS, 8, Z_DEFAULT_STRATEGY), Z_OK);
  ByteBuffer packed(deflateBound(&stream, static_cast<uLong>(plain.size())) + 32);
  stream.next_in = const_cast<Bytef*>(plain.data());
  stream.avail_in = static_cast<uInt>(plain.size());
  stream.next_out = packed.data();
  stream.avail_out = static_cast<uInt>(packed.size());
  EXPECT_EQ(deflate(&stream, Z_FINISH), Z_STREAM_END);
  packed.resize(stream.total_out);
  deflateEnd(&stream);
  return packed;
}

// The largest difference of one channel, alpha premultiplied so that the
// colour of an almost transparent pixel does not count.
int Difference(const RgbaPicture& a, const RgbaPicture& b) {
  if (a.width != b.width || a.height != b.height) return 1000;
  int worst = 0;
  for (std::size_t i = 0; i < a.pixels.size(); ++i)
    for (int shift : {0, 8, 16, 24}) {
      const auto channel = [shift](std::uint32_t p) {
        const int c = static_cast<int>(p >> shift & 0xFF);
        return shift == 24 ? c : c * static_cast<int>(p >> 24) / 255;
      };
      worst = std::max(worst, std::abs(channel(a.pixels[i]) - channel(b.pixels[i])));
    }
  return worst;
}

using SvgImport = FileFlowTest;

TEST_F(SvgImport, EachSizeIsRenderedByLibrsvgWithoutOutsideFilesAndBadFilesAreRefused) {
  // A red picture and a red drawing beside the SVG, and a reference to a
  // system file: none of them may show.
  QImage red(16, 16, QImage::Format_ARGB32);
  red.fill(qRgb(255, 0, 0));
  ASSERT_TRUE(red.save(QString::fromStdString(Path("red.png"))));
  WriteBytes("red.svg", Bytes(R"svg(<svg xmlns="http://www.w3.org/2000/svg"><rect id="r" width="16" height="16" fill="red"/></svg>)svg"));
  const std::string outside = R"svg(<svg xmlns="http://www.w3.org/2000/svg" xmlns:xlink="http://www.w3.org/1999/xlink" width="16" height="16">
<image href="red.png" width="16" height="16"/><image xlink:href="file://)svg" + Path("red.png") +
                              R"svg(" width="16" height="16"/><use href="red.svg#r"/>
<image href="file:///etc/passwd" width="16" height="16"/><rect width="16" height="16" fill="url(red.svg#g)"/></svg>)svg";
  const std::string rsvgConvert = QStandardPaths::findExecutable("rsvg-convert").toStdString();
  if (rsvgConvert.empty()) std::cout << "rsvg-convert (librsvg2-bin) is missing: renders are not compared\n";
  enum Check { SAME_AS_LIBRSVG, NOTHING_DRAWN, REFUSED };
  const struct {
    const char* name;
    ByteBuffer bytes;
    Check check;
    const char* error;
  } cases[] = {
      {"drawing.svg", Bytes(DRAWING), SAME_AS_LIBRSVG, ""},
      {"drawing.svgz", Gzip(Bytes(DRAWING)), SAME_AS_LIBRSVG, ""},
      {"outside.svg", Bytes(outside), NOTHING_DRAWN, ""},
      {"broken.svg", Bytes("<svg xmlns=\"http://www.w3.org/2000/svg\"><rect width=\"4\""), REFUSED, "SVGを描画できません"},
      {"noise.svg", ByteBuffer(3000, 0xC3), REFUSED, "SVGを描画できません"},
      {"cut.svgz", [] { ByteBuffer b = Gzip(Bytes(DRAWING)); b.resize(b.size() / 2); return b; }(), REFUSED,
       "SVGを描画できません"},
      {"twice.svgz", Gzip(Gzip(Bytes(DRAWING))), REFUSED, "SVGを描画できません"},
      {"huge.svgz", Gzip(ByteBuffer(40u << 20, ' ')), REFUSED, "画像が大きすぎて読み込めません"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string input = WriteBytes(c.name, c.bytes);
    const std::string output = Path(std::string(c.name) + ".ico");
    const ProgramRun run = RunQuillet2({"--import", QString::fromStdString(input), "--sizes", "16,256", "--depth", "32",
                                        "-o", QString::fromStdString(output)});
    if (c.check == REFUSED) {
      EXPECT_EQ(run.code, 2);
      EXPECT_NE(run.err.find(c.error), std::string::npos) << run.err;
      EXPECT_FALSE(std::filesystem::exists(output));
      continue;
    }
    ASSERT_EQ(run.code, 0) << run.err;
    RgbaPicture made[2];
    for (int i = 0; i < 2; ++i) ASSERT_EQ(ReadFullPicture(output, i, made[i]), "");
    ASSERT_EQ(made[0].width, 16);
    ASSERT_EQ(made[1].width, 256);
    if (c.check == NOTHING_DRAWN) {
      for (const RgbaPicture& picture : made)
        EXPECT_TRUE(std::all_of(picture.pixels.begin(), picture.pixels.end(), [](std::uint32_t p) { return p == 0; }));
      continue;
    }
    // Rendered for itself, the 16 px image is far from the 256 px one scaled.
    EXPECT_GT(Difference(made[0], ScalePictureToLonger(made[1], 16)), 60);
    if (rsvgConvert.empty()) continue;
    for (int i = 0; i < 2; ++i) {
      const QString size = QString::number(made[i].width);
      const QString reference = QString::fromStdString(Path("reference.png"));
      ASSERT_EQ(QProcess::execute(QString::fromStdString(rsvgConvert),
                                  {"-w", size, "-h", size, "-o", reference, QString::fromStdString(input)}),
                0);
      EXPECT_LE(Difference(made[i], PictureFromImage(QImage(reference))), 2) << "at " << made[i].width;
    }
  }
}

TEST_F(SvgImport, TheDialogShowsTheDrawingAndTheDocumentKeepsItsText) {
  const std::string path = WriteBytes("logo.svgz", Gzip(Bytes(DRAWING)));
  QString bits;
  modal.QueueDialog([&](QDialog& dialog) {
    bits = FindControl<QTreeWidget>(dialog, ID_IMPORT_LIST)->topLevelItem(0)->text(IMPORT_COLUMN_BITS);
    PressButton(dialog, IDOK);
  });
  ImportFile(path);
  EXPECT_TRUE(modal.messages().empty());
  EXPECT_EQ(bits, "SVG");
  ASSERT_EQ(tabSet.tabCount, 1);
  ASSERT_NE(DocumentSvgSource(), nullptr);
  EXPECT_EQ(DocumentSvgSource()->fileName, path);
  EXPECT_EQ(DocumentSvgSource()->bytes, Bytes(DRAWING)) << "kept uncompressed";
  DeleteAllTabs();
  EXPECT_EQ(DocumentSvgSource(), nullptr) << "the record goes with the document";
}

}  // namespace
