// Transparency from end to end in the running program: pictures pasted with
// their alpha in every kind of paste, the status line's three kinds of
// cell, transparent and inverted cells told apart in the edit view at every
// zoom, the checkerboard background, and icons imported from the command
// line and the dialog that Windows draws without a coloured frame.

#include <QComboBox>
#include <algorithm>
#include <QDialog>
#include <QImage>
#include <QProcess>
#include <QRadioButton>
#include <QToolButton>
#include <QTreeWidget>

#include "app/command_ids.h"
#include "app/main_window.h"
#include "app/status_line.h"
#include "canvas/cell_geometry.h"
#include "canvas/cell_look.h"
#include "canvas/floating_paste.h"
#include "canvas/preview.h"
#include "clipboard/transparent_paste.h"
#include "clipboard/transparent_paste_dialog.h"
#include "fileio/icon_format.h"
#include "import/dialog.h"
#include "import/flow.h"
#include "platform/dialog_template.h"
#include "tests/support/windows_icon_render.h"
#include "tests/ui/clipboard_fixture.h"
#include "tests/ui/file_flow_fixture.h"
#include "tests/ui/program_run.h"

namespace {

using TransparencyTest = ClipboardTest;

// An 8 x 4 picture: columns 0 to 2 fully transparent (red underneath),
// column 3 at alpha 100, column 4 at alpha 200, the rest opaque; opaque
// colours are blue on top and white below.
void PutPictureWithAlpha() {
  QImage image(8, 4, QImage::Format_ARGB32);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 8; ++x) {
      const int alpha = x < 3 ? 0 : x == 3 ? 100 : x == 4 ? 200 : 255;
      const QRgb colour = x < 3 ? qRgb(255, 0, 0) : y < 2 ? qRgb(0, 0, 255) : qRgb(255, 255, 255);
      image.setPixel(x, y, qRgba(qRed(colour), qGreen(colour), qBlue(colour), alpha));
    }
  QApplication::clipboard()->setImage(image);
}

}  // namespace

TEST_F(TransparencyTest, APastedPictureKeepsItsTransparentCellsInEveryKindOfPaste) {
  struct Kind {
    const char* name;
    unsigned command;
    int mode;
    bool blackAtZero;  // the tab's palette holds black at entry 0
  };
  const std::vector<Kind> kinds = {
      {"as it is", CMD_PASTE, 0, true},
      {"nearest colours", CMD_PASTE_NEAREST, 0, true},
      {"nearest colours, no black", CMD_PASTE_NEAREST, 0, false},
      {"take in colours", CMD_PASTE_TRANSPARENT, MODE_TAKE_COLORS, true},
      {"transparent, nearest", CMD_PASTE_TRANSPARENT, MODE_NEAREST_COLORS, true},
      {"transparency only", CMD_PASTE_TRANSPARENT, MODE_TRANSPARENCY_ONLY, true},
      // The pastes at the picture's own size float until they are placed.
      {"own size", CMD_PASTE_FLOATING, 0, true},
      {"own size, numbers kept", CMD_PASTE_FLOATING_AS_IS, 0, true},
      {"own size, no black", CMD_PASTE_FLOATING, 0, false},
  };
  for (const Kind& kind : kinds) {
    SCOPED_TRACE(kind.name);
    ImageTab& tab = OpenTab(8, 4);
    if (!kind.blackAtZero) tab.palette[0] = 0x123456;
    for (int x = 0; x < 8; ++x)
      for (int y = 0; y < 4; ++y) CellAt(tab, x, y) = 7;
    RecordUndo(tab);
    const auto before = Cells(tab);
    PutPictureWithAlpha();
    if (kind.mode != 0)
      modal.QueueDialog([&](QDialog& dialog) {
        FindControl<QRadioButton>(dialog, kind.mode)->click();
        PressButton(dialog, IDOK);
      });
    DispatchCommand(kind.command);
    if (FloatingActive(&tab)) CommitFloating();
    for (int x = 0; x < 8; ++x)
      for (int y = 0; y < 4; ++y) {
        const PixelCell cell = CellAt(tab, x, y);
        if (x < 4) {
          ASSERT_NE(cell & CELL_MASK_BIT, 0) << x << "," << y;
          ASSERT_EQ(tab.palette[cell & CELL_INDEX_BITS], 0u) << x << "," << y;
        } else {
          ASSERT_EQ(cell & CELL_MASK_BIT, 0) << x << "," << y;
        }
      }
    // The opaque part still shows its own colours where the palette has them.
    if (kind.command == CMD_PASTE_NEAREST) {
      EXPECT_EQ(tab.palette[CellAt(tab, 6, 0) & CELL_INDEX_BITS], TestPaletteColor(12));
      EXPECT_EQ(tab.palette[CellAt(tab, 6, 3) & CELL_INDEX_BITS], TestPaletteColor(15));
    }
    DispatchCommand(CMD_UNDO);
    EXPECT_EQ(Cells(tab), before);
    DeleteAllTabs();
  }
}

TEST_F(TransparencyTest, TheStatusLineNamesColourTransparentAndInverted) {
  ImageTab& tab = OpenTab(4, 1);
  CellAt(tab, 0, 0) = 12;
  CellAt(tab, 1, 0) = CELL_MASK_BIT | 0;
  CellAt(tab, 2, 0) = CELL_MASK_BIT | 15;
  CellAt(tab, 3, 0) = CELL_MASK_BIT | 9;
  const std::vector<std::string> expected = {
      "セル (0, 0)  インデックス 12  色 #0000FF",
      "セル (1, 0)  インデックス 0  透明",
      "セル (2, 0)  インデックス 15  反転: 画面 XOR #FFFFFF",
      "セル (3, 0)  インデックス 9  反転: 画面 XOR #FF0000",
  };
  for (int x = 0; x < 4; ++x) {
    const PixelRect square = CellSquare(x, 0, tab.cellSize);
    EXPECT_EQ(ComposeStatusTexts(&tab, true, square.left + 1, square.top + 1, SameText).cell, expected[x]);
  }
}

TEST_F(TransparencyTest, TransparentAndInvertedCellsLookApartAtEveryZoom) {
  struct Zoom {
    int size;
    int client;
  };
  // Cell sizes 1, 2, 3, 5, 11 and 94.
  const std::vector<Zoom> zooms = {{64, 100}, {32, 100}, {32, 130}, {64, 400}, {32, 400}, {4, 400}};
  for (const Zoom& zoom : zooms)
    for (int background : {DEFAULT_BACKGROUND, CHECKERBOARD_BACKGROUND})
      for (bool lines : {false, true}) {
        ImageTab& tab = OpenTab(zoom.size, zoom.size, zoom.client, zoom.client);
        tab.backgroundIndex = background;
        SwitchGrid(lines);
        RepaintEditView(&tab);
        const int s = tab.cellSize;
        SCOPED_TRACE("cell size " + std::to_string(s) + " background " + std::to_string(background) +
                     (lines ? " grid" : ""));
        // Every pixel of a cell is a grid line when the cells are one pixel.
        if (s == 1 && lines) {
          DeleteAllTabs();
          continue;
        }
        const auto square = [&](PixelCell value) {
          CellAt(tab, 1, 1) = value;
          RepaintEditView(&tab);
          const PixelRect r = CellSquare(1, 1, s);
          std::vector<ColorRef> pixels;
          for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) pixels.push_back(ColorOfPixel(editView.backBuffer.pixel(x, y)));
          return pixels;
        };
        const auto transparent = square(CELL_MASK_BIT | 0);
        // Nothing but the background (and the grid) in a transparent cell.
        for (ColorRef pixel : transparent) {
          const bool background = pixel == gridLineColor || (tab.backgroundIndex == CHECKERBOARD_BACKGROUND
                                                                  ? pixel == CHECKER_LIGHT || pixel == CHECKER_DARK
                                                                  : pixel == BackgroundColor(DEFAULT_BACKGROUND));
          ASSERT_TRUE(background) << std::hex << pixel;
        }
        for (int index : {15, 9, 7}) EXPECT_NE(square(CELL_MASK_BIT | index), transparent) << index;
        DeleteAllTabs();
      }
}

TEST_F(TransparencyTest, TheCheckerboardFollowsTheTwelveColoursAndThePreviewShowsWhatWindowsDraws) {
  ASSERT_EQ(mainWindows.backgroundBox->count(), BACKGROUND_COUNT + 1);
  EXPECT_EQ(mainWindows.backgroundBox->itemText(CHECKERBOARD_BACKGROUND).toStdString(), "市松模様");
  ImageTab& tab = OpenTab(8, 8);
  CellAt(tab, 0, 0) = CELL_MASK_BIT | 0;
  CellAt(tab, 5, 0) = CELL_MASK_BIT | 15;
  CellAt(tab, 6, 0) = 12;
  OnBackgroundChosen(CHECKERBOARD_BACKGROUND);
  EXPECT_EQ(tab.backgroundIndex, CHECKERBOARD_BACKGROUND);
  const QImage& canvas = *mainPreview.canvas;
  const int ox = mainPreview.originX, oy = mainPreview.originY;
  const auto shown = [&](int x, int y) { return ColorOfPixel(canvas.pixel(ox + x, oy + y)); };
  EXPECT_EQ(shown(0, 0), CheckerColor(0, 0));
  EXPECT_EQ(shown(5, 0), CheckerColor(5, 0) ^ 0xFFFFFFu);
  EXPECT_EQ(shown(6, 0), TestPaletteColor(12));
  // Around the image the checkerboard goes on.
  EXPECT_EQ(shown(-1, 0), CheckerColor(-1, 0));
  EXPECT_EQ(shown(-4, 0), CheckerColor(-4, 0));
  EXPECT_NE(shown(-1, 0), shown(-5, 0));
}

namespace {

// A 40 x 40 picture with a transparent margin, soft edges and three
// colours, none of them black.
std::string WriteMarginPicture(const std::string& path) {
  QImage picture(40, 40, QImage::Format_ARGB32);
  picture.fill(Qt::transparent);
  for (int y = 6; y < 34; ++y)
    for (int x = 6; x < 34; ++x) {
      const int edge = std::min({x - 6, y - 6, 33 - x, 33 - y});
      const int alpha = edge == 0 ? 90 : edge == 1 ? 180 : 255;
      const QRgb colour = x < 16 ? qRgb(40, 200, 60) : y < 20 ? qRgb(250, 250, 250) : qRgb(30, 120, 170);
      picture.setPixel(x, y, qRgba(qRed(colour), qGreen(colour), qBlue(colour), alpha));
    }
  picture.save(QString::fromStdString(path));
  return path;
}

// Every masked pixel of the icon, drawn over white and over a blue, is the
// screen; gives back how many masked pixels there are.
int MaskedPixelsShowingTheScreen(const ByteBuffer& file) {
  int masked = 0;
  for (std::uint32_t screen : {0xFFFFFFu, 0x3A6EA5u})
    for (const auto& image : windows_render::DrawIcon(file, screen))
      for (std::size_t p = 0; p < image.pixels.size(); ++p)
        if (image.masked[p]) {
          ++masked;
          if (image.pixels[p] != screen) {
            ADD_FAILURE() << "pixel " << p << " shows " << std::hex << image.pixels[p];
            return masked;
          }
        }
  return masked;
}

class TransparentImport : public FileFlowTest {
 protected:
  static ProgramRun Quillet2(const QStringList& arguments) { return RunQuillet2(arguments); }
};

void ChooseTargets(QDialog& dialog, const std::vector<int>& sizes, int colours) {
  auto* list = FindControl<QTreeWidget>(dialog, ID_IMPORT_LIST);
  QTreeWidgetItem* row = list->topLevelItem(0);
  const auto buttons = list->itemWidget(row, IMPORT_COLUMN_TARGET_SIZES)->findChildren<QToolButton*>();
  for (QToolButton* button : buttons)
    if (std::count(sizes.begin(), sizes.end(), button->property("importSize").toInt())) button->setChecked(true);
  for (QToolButton* button : buttons)
    if (!std::count(sizes.begin(), sizes.end(), button->property("importSize").toInt())) button->setChecked(false);
  auto* combo = list->itemWidget(row, IMPORT_COLUMN_TARGET_COLOURS)->findChild<QComboBox*>();
  combo->setCurrentIndex(combo->findData(colours));
}

}  // namespace

TEST_F(TransparentImport, TheCommandLineAndTheDialogWriteIconsWithNoColouredFrame) {
  const QString input = QString::fromStdString(WriteMarginPicture(Path("margin.png")));
  const QString output = QString::fromStdString(Path("margin.ico"));
  for (int colours : {2, 16, 256}) {
    SCOPED_TRACE(colours);
    const ProgramRun run =
        Quillet2({"--import", input, "-o", output, "--sizes", "16,32,48", "--colours", QString::number(colours)});
    ASSERT_EQ(run.code, 0) << run.err;
    const auto written = ReadFileBytes(output.toStdString(), ICON_MAX_FILE_BYTES);
    ASSERT_TRUE(written);
    EXPECT_GT(MaskedPixelsShowingTheScreen(*written), 0);
    // Two colours are full without black: the lines say so.
    EXPECT_EQ(run.out.find("透明な画素の下に置く黒で1色を使う") != std::string::npos, colours == 2) << run.out;

    modal.QueueDialog([&](QDialog& dialog) {
      ChooseTargets(dialog, {16, 32, 48}, colours);
      PressButton(dialog, IDOK);
    });
    ImportFile(input.toStdString());
    const auto tabs = StripTabs();
    ASSERT_EQ(tabs.size(), 3u);
    const ByteBuffer fromDialog = SerializeIcon(tabs);
    EXPECT_GT(MaskedPixelsShowingTheScreen(fromDialog), 0);
    EXPECT_EQ(fromDialog, *written);
    DeleteAllTabs();
  }
}

TEST_F(TransparentImport, AlphaCutAndMatteFromTheCommandLine) {
  const QString input = QString::fromStdString(WriteMarginPicture(Path("margin.png")));
  const QString output = QString::fromStdString(Path("cut.ico"));
  const auto maskedCells = [&](const QStringList& options) {
    const ProgramRun run = Quillet2(QStringList{"--import", input, "-o", output, "--colours", "256"} + options);
    EXPECT_EQ(run.code, 0) << run.err;
    std::vector<ImageTab> images;
    const auto bytes = ReadFileBytes(output.toStdString(), ICON_MAX_FILE_BYTES);
    EXPECT_TRUE(bytes);
    EXPECT_EQ(DecodeIconFile(*bytes, images), "");
    int masked = 0;
    for (int x = 0; x < images.at(0).width; ++x)
      for (int y = 0; y < images.at(0).height; ++y) masked += (CellAt(images[0], x, y) & CELL_MASK_BIT) != 0;
    return masked;
  };
  // 40 x 40 less the 28 x 28 picture; its outer ring (alpha 90) is cut at
  // the default and kept at 50; at 200 the second ring (alpha 180) goes too.
  EXPECT_EQ(maskedCells({}), 1600 - 26 * 26);
  EXPECT_EQ(maskedCells({"--alpha-cut", "50"}), 1600 - 28 * 28);
  EXPECT_EQ(maskedCells({"--alpha-cut", "200", "--matte", "#FFFFFF"}), 1600 - 24 * 24);

  const std::vector<std::pair<QStringList, std::string>> mistakes = {
      {{"--alpha-cut", "256"}, "--alpha-cut には 0 から 255 までの数を指定してください\n"},
      {{"--alpha-cut", "half"}, "--alpha-cut には 0 から 255 までの数を指定してください\n"},
      {{"--matte", "white"}, "--matte には色を #RRGGBB の形で指定してください\n"},
      {{"--matte", "#FFF"}, "--matte には色を #RRGGBB の形で指定してください\n"}};
  for (const auto& [options, reason] : mistakes) {
    const ProgramRun run = Quillet2(QStringList{"--import", input, "-o", output} + options);
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.err, reason);
  }
}

TEST_F(TransparencyTest, TrueColourCellsShowOverTheCheckerboardAndTheWholeImageFits) {
  struct Case {
    int side, client, cellSize;
  };
  // Down to one screen pixel per cell, where the grid gives way to the cells.
  for (const Case& c : {Case{256, 300, 1}, Case{256, 800, 3}, Case{16, 400, 23}}) {
    SCOPED_TRACE(c.side);
    ResizeEditClient(c.client, c.client);
    ImageTab* tab = CreateTrueColourTab({}, c.side, c.side);
    ASSERT_NE(tab, nullptr);
    ClearTabPixels(*tab);
    tab->backgroundIndex = CHECKERBOARD_BACKGROUND;
    CellAt(*tab, 1, 1) = 0x80FF0000u;
    CellAt(*tab, c.side - 1, c.side - 1) = 0xFF00FF00u;
    tabSet.currentPosition = tabSet.tabCount - 1;
    SwitchGrid(true);
    ShowCurrentPosition();
    ASSERT_EQ(tab->cellSize, c.cellSize);
    const PixelRect half = CellSquare(1, 1, c.cellSize);
    const int inside = c.cellSize > 1 ? 1 : 0;
    for (int y = half.top + inside; y < half.bottom - 1; ++y)
      for (int x = half.left + inside; x < half.right - 1; ++x)
        ASSERT_EQ(BackPixel(x, y), CompositeOver(0x80FF0000u, CheckerColor(x, y))) << x << "," << y;
    const PixelRect last = CellSquare(c.side - 1, c.side - 1, c.cellSize);
    EXPECT_LE(last.right, editView.backBuffer.width());
    EXPECT_EQ(BackPixel(last.right - 2, last.bottom - 2), 0x00FF00u);
    EXPECT_EQ(ComposeStatusTexts(tab, true, half.left, half.top, SameText).cell, "セル (1, 1)  #FF0000  不透明度 128");
    EXPECT_EQ(PreviewColor(*tab, 0x80FF0000u, CHECKER_DARK), 0x6666E6u);
    DeleteAllTabs();
  }
}
