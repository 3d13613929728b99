// The import dialog's targets answered by script: several sizes and a colour
// count per image reaching the tabs, sizes made from the best entry, the
// row pictures following every choice; and the import from the command
// line, run as its own process without a display.

#include <functional>

#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProcess>
#include <QToolButton>
#include <QTreeWidget>

#include "fileio/icon_format.h"
#include "import/dialog.h"
#include "import/flow.h"
#include "import/remembered_choices.h"
#include "app/settings.h"
#include "platform/dialog_template.h"
#include "tests/ui/file_flow_fixture.h"
#include "tests/ui/program_run.h"

namespace {

using ImportTargets = FileFlowTest;

QTreeWidget* List(QDialog& dialog) { return FindControl<QTreeWidget>(dialog, ID_IMPORT_LIST); }

QWidget* RowWidget(QDialog& dialog, int row, int column) {
  return List(dialog)->itemWidget(List(dialog)->topLevelItem(row), column);
}

// Presses exactly the size buttons of the row for the sizes given.
void ChooseSizes(QDialog& dialog, int row, const std::vector<int>& sizes) {
  const auto buttons = RowWidget(dialog, row, IMPORT_COLUMN_TARGET_SIZES)->findChildren<QToolButton*>();
  // Pressing the new sizes first keeps one pressed all along.
  for (QToolButton* button : buttons)
    if (std::count(sizes.begin(), sizes.end(), button->property("importSize").toInt())) button->setChecked(true);
  for (QToolButton* button : buttons)
    if (!std::count(sizes.begin(), sizes.end(), button->property("importSize").toInt())) button->setChecked(false);
}

void ChooseColours(QDialog& dialog, int row, int colours) {
  auto* combo = RowWidget(dialog, row, IMPORT_COLUMN_TARGET_COLOURS)->findChild<QComboBox*>();
  combo->setCurrentIndex(combo->findData(colours));
}

QImage RowPicture(QDialog& dialog, int row) {
  return qobject_cast<QLabel*>(RowWidget(dialog, row, IMPORT_COLUMN_PICTURES))->pixmap().toImage();
}

std::string Losses(QDialog& dialog) {
  return FindControl<QPlainTextEdit>(dialog, ID_IMPORT_LOSSES)->toPlainText().toStdString();
}

// A 40 x 20 picture of many colours: a gradient with a dark outline.
std::string WriteGradient(const std::string& path) {
  QImage picture(40, 20, QImage::Format_ARGB32);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 40; ++x)
      picture.setPixel(x, y, x == 0 || y == 0 ? qRgb(20, 20, 20) : qRgb(x * 6, y * 12, 255 - x * 3 - y * 2));
  picture.save(QString::fromStdString(path));
  return path;
}

std::string RealIcon(const std::string& name) { return std::string(TEST_DATA_DIR) + "/import/" + name + ".ico"; }

}  // namespace

TEST_F(ImportTargets, SeveralSizesAndACountFromOnePictureMakeOneTabEach) {
  const std::string path = WriteGradient(Path("gradient.png"));
  std::string losses;
  modal.QueueDialog([&](QDialog& dialog) {
    ChooseSizes(dialog, 0, {16, 32, 48});
    ChooseColours(dialog, 0, 16);
    losses = Losses(dialog);
    PressButton(dialog, IDOK);
  });
  ImportFile(path);
  EXPECT_EQ(losses,
            "1. 40×20 → 16×16、16色：16×8に縮小、128色を16色にまとめる、透明な画素の下に置く黒で1色を使う\n"
            "1. 40×20 → 32×32、16色：32×16に縮小、512色を16色にまとめる、透明な画素の下に置く黒で1色を使う\n"
            "1. 40×20 → 48×48、16色：48×24に拡大、1082色を16色にまとめる、透明な画素の下に置く黒で1色を使う");
  const auto tabs = StripTabs();
  ASSERT_EQ(tabs.size(), 3u);
  EXPECT_STREQ(tabs[0]->title, " 16x16x16 ");
  EXPECT_STREQ(tabs[1]->title, " 32x32x16 ");
  EXPECT_STREQ(tabs[2]->title, " 48x48x16 ");
  // The margin above the centred picture is transparent, the picture not.
  EXPECT_EQ(CellAt(*tabs[1], 16, 7) & CELL_MASK_BIT, CELL_MASK_BIT);
  EXPECT_EQ(CellAt(*tabs[1], 16, 8) & CELL_MASK_BIT, 0);
}

TEST_F(ImportTargets, EachSizeOfALargeEntryComesFromTheBestEntry) {
  std::string losses;
  modal.QueueDialog([&](QDialog& dialog) {
    for (int i = 0; i < 3; ++i) List(dialog)->topLevelItem(i)->setCheckState(IMPORT_COLUMN_SIZE, Qt::Unchecked);
    List(dialog)->topLevelItem(3)->setCheckState(IMPORT_COLUMN_SIZE, Qt::Checked);
    ChooseSizes(dialog, 3, {20, 32, 64});
    ChooseColours(dialog, 3, 256);
    losses = Losses(dialog);
    PressButton(dialog, IDOK);
  });
  ImportFile(RealIcon("utilities-terminal"));
  // 20 from the smallest larger entry (32), 32 from the 32 entry, 64 from
  // the 256 one.
  EXPECT_EQ(losses.substr(0, losses.find("、")), "4. 32×32 → 20×20");
  EXPECT_NE(losses.find("4. 32×32 → 32×32、256色"), std::string::npos) << losses;
  EXPECT_NE(losses.find("4. 256×256 → 64×64、256色"), std::string::npos) << losses;
  EXPECT_EQ(tabSet.tabCount, 3);
}

TEST_F(ImportTargets, RowPicturesFollowEveryChoice) {
  const std::string path = WriteGradient(Path("gradient.png"));
  std::vector<QImage> pictures;
  modal.QueueDialog([&](QDialog& dialog) {
    pictures.push_back(RowPicture(dialog, 0));
    ChooseColours(dialog, 0, 16);
    pictures.push_back(RowPicture(dialog, 0));
    ChooseSizes(dialog, 0, {16, 32});
    pictures.push_back(RowPicture(dialog, 0));
    FindControl<QCheckBox>(dialog, ID_IMPORT_DITHER)->setChecked(true);
    pictures.push_back(RowPicture(dialog, 0));
    // Unchecking the row leaves only its own picture.
    List(dialog)->topLevelItem(0)->setCheckState(IMPORT_COLUMN_SIZE, Qt::Unchecked);
    pictures.push_back(RowPicture(dialog, 0));
    PressButton(dialog, IDCANCEL);
  });
  ImportFile(path);
  ASSERT_EQ(pictures.size(), 5u);
  for (std::size_t i = 1; i < pictures.size(); ++i) EXPECT_NE(pictures[i], pictures[i - 1]) << i;
  // The source stays on the left, enlarged by whole pixels: its 40 x 20 is
  // drawn at 1:1 centred in the 64 box, then the results; as the gradient
  // goes right its colour changes.
  EXPECT_EQ(pictures[0].pixel(12, 22), qRgb(20, 20, 20));
  EXPECT_GT(pictures[2].width(), pictures[1].width());
  EXPECT_EQ(pictures[4].width(), pictures[4].height() + 6);
}

TEST_F(ImportTargets, TheDialogShowsWhatItMakesAndOffersTheLastChoicesAgain) {
  // A red picture with one transparent pixel: 2 colours with the black the
  // mask needs.
  QImage red(32, 32, QImage::Format_ARGB32);
  red.fill(qRgb(255, 0, 0));
  red.setPixel(0, 0, 0);
  const std::string png = Path("red.png");
  red.save(QString::fromStdString(png));
  const std::string hex = WriteBytes("rgb.hex", {'f', 'f', '0', '0', '0', '0', '\n', '0', '0', 'f', 'f', '0', '0'});
  const struct {
    const char* what;
    std::function<void(QDialog&)> act;
    std::function<void(QDialog&)> check;
  } rows[] = {
      {"a 16 px image beside a 64 px one fills its box in whole pixels",
       [](QDialog& dialog) { ChooseSizes(dialog, 0, {16, 64}); },
       [](QDialog& dialog) { EXPECT_EQ(RowPicture(dialog, 0).pixel(64 + 12 + 63, 63), qRgb(255, 0, 0)); }},
      {"a palette file is named and the greyed count is the one it gives",
       [&](QDialog& dialog) {
         modal.QueueFile(hex);
         auto* palette = FindControl<QComboBox>(dialog, ID_IMPORT_PALETTE);
         palette->setCurrentIndex(3);
         emit palette->activated(3);
       },
       [](QDialog& dialog) {
         EXPECT_EQ(FindControl<QComboBox>(dialog, ID_IMPORT_PALETTE)->currentText(), "パレットファイル：rgb.hex");
         auto* colours = RowWidget(dialog, 0, IMPORT_COLUMN_TARGET_COLOURS)->findChild<QComboBox*>();
         EXPECT_FALSE(colours->isEnabled());
         EXPECT_EQ(colours->currentData().toInt(), 16);
       }},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    modal.QueueDialog([&row](QDialog& dialog) {
      row.act(dialog);
      row.check(dialog);
      PressButton(dialog, IDCANCEL);
    });
    ImportFile(png);
  }

  // What the last import made is offered at the next, also after a restart.
  const auto chosen = [](QDialog& dialog) {
    std::vector<int> sizes;
    for (QToolButton* button : RowWidget(dialog, 0, IMPORT_COLUMN_TARGET_SIZES)->findChildren<QToolButton*>())
      if (button->isChecked()) sizes.push_back(button->property("importSize").toInt());
    sizes.push_back(RowWidget(dialog, 0, IMPORT_COLUMN_TARGET_COLOURS)->findChild<QComboBox*>()->currentData().toInt());
    sizes.push_back(FindControl<QCheckBox>(dialog, ID_IMPORT_DITHER)->isChecked());
    return sizes;
  };
  modal.QueueDialog([](QDialog& dialog) {
    ChooseSizes(dialog, 0, {16, 48});
    ChooseColours(dialog, 0, 16);
    FindControl<QCheckBox>(dialog, ID_IMPORT_DITHER)->setChecked(true);
    PressButton(dialog, IDOK);
  });
  ImportFile(png);
  WriteSettings();
  const std::string other = WriteGradient(Path("other.png"));
  for (bool restart : {false, true}) {
    if (restart) LastImportChoices() = ReadSettings().import;
    std::vector<int> offered;
    modal.QueueDialog([&](QDialog& dialog) {
      offered = chosen(dialog);
      PressButton(dialog, IDCANCEL);
    });
    ImportFile(other);
    EXPECT_EQ(offered, (std::vector<int>{16, 48, 16, 1})) << restart;
    LastImportChoices() = {};
  }
}

// The import from the command line, run as the program itself with no
// display and no platform chosen.
class ImportCommandLine : public FileFlowTest {
 protected:
  using Run = ProgramRun;
  static Run Quillet2(const QStringList& arguments) { return RunQuillet2(arguments); }
};

TEST_F(ImportCommandLine, MakesTheSizesPrintsTheLossesAndExitsWithTheOutcome) {
  const QString input = QString::fromStdString(WriteGradient(Path("logo.png")));
  const QString output = QString::fromStdString(Path("favicon.ico"));
  Run run = Quillet2({"--import", input, "-o", output, "--sizes", "48,16,32", "--colours", "16", "--dither"});
  EXPECT_EQ(run.code, 0) << run.err;
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.out,
            "40×20 → 16×16、16色：16×8に縮小、128色を16色にまとめる、透明な画素の下に置く黒で1色を使う\n"
            "40×20 → 32×32、16色：32×16に縮小、512色を16色にまとめる、透明な画素の下に置く黒で1色を使う\n"
            "40×20 → 48×48、16色：48×24に拡大、1082色を16色にまとめる、透明な画素の下に置く黒で1色を使う\n");
  std::vector<ImageTab> images;
  const auto bytes = ReadFileBytes(output.toStdString(), ICON_MAX_FILE_BYTES);
  ASSERT_TRUE(bytes);
  ASSERT_EQ(DecodeIconFile(*bytes, images), "");
  ASSERT_EQ(images.size(), 3u);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(images[i].width, 16 * (i + 1));
    EXPECT_EQ(images[i].colorCode, 16);
  }

  // Without sizes and colours: the picture's own size and 256 colours.
  run = Quillet2({"--import", input, "-o", output});
  EXPECT_EQ(run.code, 0) << run.err;
  EXPECT_EQ(run.out, "40×20 → 40×20、256色：742色を256色にまとめる\n");

  // Mistakes, an unreadable input and an unwritable output.
  const std::vector<std::pair<QStringList, int>> failures = {
      {{"--import", input}, 1},
      {{"--import", input, "-o", output, "--sizes", "16,17"}, 1},
      {{"--import", input, "-o", output, "--colours", "8"}, 1},
      {{"--import", QString::fromStdString(Path("missing.png")), "-o", output}, 2},
      {{"--import", input, "-o", QString::fromStdString(Path("no/such/folder/a.ico"))}, 3}};
  const std::vector<std::string> reasons = {
      "--import には書き出すアイコンファイルを -o で指定してください\n",
      "--sizes には 16,20,24,32,40,48,64,128,256 からいくつかをコンマで区切って指定してください\n",
      "--colours には 2、16、256 のどれかを指定してください\n", Path("missing.png") + "：オープンに失敗\n",
      Path("no/such/folder/a.ico") + "：書きこみに失敗、書きこむ先のフォルダがありません\n"};
  for (std::size_t i = 0; i < failures.size(); ++i) {
    SCOPED_TRACE(i);
    run = Quillet2(failures[i].first);
    EXPECT_EQ(run.code, failures[i].second);
    EXPECT_EQ(run.err, reasons[i]);
    EXPECT_EQ(run.out, "");
  }

  // The help lists the import.
  run = Quillet2({"--help"});
  EXPECT_NE(run.out.find("--import <INPUT>"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("--sizes <16,32,48>"), std::string::npos);
}
