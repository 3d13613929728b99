// The import command answered by script: real multi-size icons with 32-bit
// and PNG entries, the dialog's list and default checks, damaged entries,
// the replace-or-add question, the tab limit, and what stays untouched.

#include <QDir>
#include <QCheckBox>
#include <filesystem>
#include <set>
#include <tuple>
#include <QImage>
#include <QImageReader>
#include <QPlainTextEdit>
#include <QToolButton>
#include <QTreeWidget>

#include "app/command_ids.h"
#include "app/commands.h"
#include "fileio/icon_format.h"
#include "fileio/open_flow.h"
#include "fileio/save_flow.h"
#include "import/decode.h"
#include "import/dialog.h"
#include "import/flow.h"
#include "model/undo_history.h"
#include "palette/colour_math.h"
#include "platform/dialog_template.h"
#include "storage/file_message.h"
#include "tests/support/import_samples.h"
#include "tests/ui/file_flow_fixture.h"

namespace {

using Import = FileFlowTest;

std::string RealIcon(const std::string& name) { return std::string(TEST_DATA_DIR) + "/import/" + name + ".ico"; }

QTreeWidget* List(QDialog& dialog) { return FindControl<QTreeWidget>(dialog, ID_IMPORT_LIST); }

std::vector<bool> Checks(QDialog& dialog) {
  std::vector<bool> checks;
  for (int i = 0; i < List(dialog)->topLevelItemCount(); ++i)
    checks.push_back(List(dialog)->topLevelItem(i)->checkState(0) == Qt::Checked);
  return checks;
}

// Checks exactly the listed rows and presses OK.
std::function<void(QDialog&)> ChooseRows(std::vector<int> rows) {
  return [rows](QDialog& dialog) {
    for (int i = 0; i < List(dialog)->topLevelItemCount(); ++i) List(dialog)->topLevelItem(i)->setCheckState(0, Qt::Unchecked);
    for (int row : rows) List(dialog)->topLevelItem(row)->setCheckState(0, Qt::Checked);
    PressButton(dialog, IDOK);
  };
}

// Qt's own decode of the icon's images, in directory order.
std::vector<QImage> QtImages(const std::string& path) {
  QImageReader reader(QString::fromStdString(path), "ico");
  std::vector<QImage> images;
  for (int i = 0; i < reader.imageCount(); ++i) {
    reader.jumpToImage(i);
    images.push_back(reader.read().convertToFormat(QImage::Format_ARGB32));
  }
  return images;
}

}  // namespace

TEST_F(Import, RealIconBringsItsSmallImagesAsTheyAre) {
  const std::string path = RealIcon("utilities-terminal");
  std::vector<bool> checks;
  int rowCount = 0;
  std::vector<int> largeSizes;
  modal.QueueDialog([&](QDialog& dialog) {
    checks = Checks(dialog);
    rowCount = List(dialog)->topLevelItemCount();
    QWidget* sizes = List(dialog)->itemWidget(List(dialog)->topLevelItem(3), IMPORT_COLUMN_TARGET_SIZES);
    for (QToolButton* button : sizes->findChildren<QToolButton*>())
      if (button->isChecked()) largeSizes.push_back(button->property("importSize").toInt());
    PressButton(dialog, IDOK);
  });
  ImportFile(path);
  EXPECT_TRUE(modal.messages().empty());
  EXPECT_EQ(checks, (std::vector<bool>{true, true, true, false}));
  ASSERT_EQ(rowCount, 4);
  // The 256 x 256 image would become 64 x 64.
  EXPECT_EQ(largeSizes, std::vector<int>{64});
  ASSERT_EQ(tabSet.tabCount, 3);
  // The imported file is not the document: saving must ask for a name, and
  // proposes the picture's own with ".ico" (here the same name).
  EXPECT_NE(tabSet.documentName, path);
  EXPECT_EQ(tabSet.documentName, "無名");
  // A picture whose folder takes no file (here one that is gone) is
  // proposed at home, and where the last file was saved once there is one.
  const std::string gone = "/gone-q2/pic.png";
  for (const auto& [source, proposed] :
       {std::pair{std::string(), path}, std::pair{Path("logo.v2.png"), Path("logo.v2.ico")},
        std::pair{gone, QDir::homePath().toStdString() + "/pic.ico"}}) {
    // The import proposed its own; then another picture's.
    if (!source.empty()) ProposeSaveNameFrom(source);
    modal.QueueDialog([](QDialog& dialog) { PressButton(dialog, ID_SAVE_ONE_ICON); });
    DispatchCommand(CMD_SAVE);
    ASSERT_FALSE(modal.fileRequests().empty());
    EXPECT_EQ(modal.fileRequests().back().initialName, proposed);
  }
  EXPECT_EQ(tabSet.documentName, "無名");
  modal.clear();

  const std::vector<QImage> qt = QtImages(path);
  ASSERT_GE(qt.size(), 3u);
  const auto tabs = StripTabs();
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    const ImageTab& tab = *tabs[i];
    ASSERT_EQ(tab.width, qt[i].width());
    ASSERT_EQ(tab.height, qt[i].height());
    // Every new tab starts its history with the imported image, which no
    // file holds yet: it counts as unsaved.
    ASSERT_NE(tab.undoFirst, nullptr);
    EXPECT_TRUE(IsTabChanged(tab));
    long long error = 0;
    int opaque = 0;
    std::set<QRgb> colours;
    for (int y = 0; y < tab.height; ++y)
      for (int x = 0; x < tab.width; ++x) {
        const QRgb want = qt[i].pixel(x, y);
        const PixelCell cell = CellAt(tab, x, y);
        ASSERT_EQ((cell & CELL_MASK_BIT) != 0, qAlpha(want) < 128) << x << "," << y;
        if (qAlpha(want) < 128) continue;
        colours.insert(want & 0xFFFFFF);
        const ColorRef got = tab.palette[cell & CELL_INDEX_BITS];
        const int dr = RedOf(got) - qRed(want), dg = GreenOf(got) - qGreen(want), db = BlueOf(got) - qBlue(want);
        error += dr * dr + dg * dg + db * db;
        ++opaque;
      }
    if (colours.size() <= 256)
      EXPECT_EQ(error, 0) << colours.size() << " colours";  // pixel-exact
    else
      EXPECT_LT(error / opaque, 30) << colours.size() << " colours";
  }

  // Once a file was saved, its folder is proposed instead of home.
  for (const std::string& name : {Path("saved.ico"), std::string()}) {
    if (name.empty()) {
      tabSet.documentName = "無名";
      ProposeSaveNameFrom(gone);
    }
    modal.QueueDialog([](QDialog& dialog) { PressButton(dialog, ID_SAVE_ONE_ICON); });
    modal.QueueFile(name);
    DispatchCommand(CMD_SAVE);
  }
  EXPECT_EQ(modal.fileRequests().back().initialName, Path("pic.ico"));
}

TEST_F(Import, PngEntryOfTwoHundredFiftySixIsScaledToSixtyFour) {
  modal.QueueDialog(ChooseRows({3}));
  ImportFile(RealIcon("computer"));
  ASSERT_EQ(tabSet.tabCount, 1);
  const ImageTab& tab = *CurrentTab();
  EXPECT_EQ(tab.width, 64);
  EXPECT_EQ(tab.height, 64);
  EXPECT_STREQ(tab.title, " 64x64x256 ");
  // The picture is not all transparent: the artwork came through.
  int opaque = 0;
  for (int x = 0; x < 64; ++x)
    for (int y = 0; y < 64; ++y) opaque += (CellAt(tab, x, y) & CELL_MASK_BIT) == 0;
  EXPECT_GT(opaque, 64 * 64 / 3);
}

TEST_F(Import, AFileOfLargeImagesOnlyChecksItsLargest) {
  using namespace import_samples;
  const std::string path = WriteBytes("large.ico", BuildIcon({Solid(96, 96, 0xFF00FF00), Solid(128, 100, 0xFF0000FF)}));
  std::vector<bool> checks;
  std::string losses;
  modal.QueueDialog([&](QDialog& dialog) {
    checks = Checks(dialog);
    losses = FindControl<QPlainTextEdit>(dialog, ID_IMPORT_LOSSES)->toPlainText().toStdString();
    PressButton(dialog, IDCANCEL);
  });
  ImportFile(path);
  EXPECT_EQ(checks, (std::vector<bool>{false, true}));
  EXPECT_EQ(losses, "2. 128×100 → 64×64、2色：64×50に縮小");
  // Cancelling leaves everything as it was.
  EXPECT_EQ(tabSet.tabCount, 0);
  EXPECT_TRUE(modal.messages().empty());
}

TEST_F(Import, DamagedEntriesAreListedButCannotBeChosen) {
  using namespace import_samples;
  ByteBuffer bytes = BuildIcon({Solid(8, 8, 0xFF112233, 24), Solid(16, 16, 0xFF445566)});
  bytes.resize(bytes.size() - 40);
  const std::string path = WriteBytes("damaged.ico", bytes);
  std::string second;
  bool checkable = true;
  modal.QueueDialog([&](QDialog& dialog) {
    QTreeWidgetItem* item = List(dialog)->topLevelItem(1);
    second = item->text(3).toStdString();
    checkable = (item->flags() & Qt::ItemIsUserCheckable) != 0;
    PressButton(dialog, IDOK);
  });
  ImportFile(path);
  EXPECT_EQ(second, std::string(IMPORT_UNREADABLE) + "（" + IMPORT_ENTRY_TRUNCATED + "）");
  EXPECT_FALSE(checkable);
  ASSERT_EQ(tabSet.tabCount, 1);
  EXPECT_STREQ(CurrentTab()->title, " 8x8x2 ");
  EXPECT_EQ(CurrentTab()->palette[CellAt(*CurrentTab(), 3, 3)], MakeColor(0x11, 0x22, 0x33));
}

TEST_F(Import, AddsBehindOrReplacesAndKeepsTheTabLimit) {
  const std::string path = RealIcon("web-browser");
  const std::string document = WriteIcon("open.ico", 18, 8, 8, 16);
  OpenIconFile(document);
  ASSERT_EQ(tabSet.tabCount, 18);

  // Three images behind eighteen tabs are refused; nothing changes.
  modal.QueueDialog(ChooseRows({0, 1, 2}));
  modal.QueueAnswer(IDNO);
  ImportFile(path);
  EXPECT_EQ(modal.texts(), (std::vector<std::string>{OPEN_REPLACE_QUESTION, OPEN_TOO_MANY_TABS}));
  EXPECT_EQ(tabSet.tabCount, 18);

  // Cancel at the question changes nothing either.
  modal.clear();
  modal.QueueDialog(ChooseRows({0, 1}));
  modal.QueueAnswer(IDCANCEL);
  ImportFile(path);
  EXPECT_EQ(tabSet.tabCount, 18);

  // Two fit behind; the document keeps its name.
  modal.clear();
  modal.QueueDialog(ChooseRows({0, 1}));
  modal.QueueAnswer(IDNO);
  ImportFile(path);
  EXPECT_EQ(tabSet.tabCount, 20);
  EXPECT_EQ(tabSet.documentName, document);
  EXPECT_EQ(tabSet.currentPosition, 18);
  EXPECT_STREQ(CurrentTab()->title, " 16x16x256 ");

  // Yes replaces every tab; the two imported ones are unsaved, and No
  // to saving them lets them go.
  modal.clear();
  modal.QueueDialog(ChooseRows({2}));
  modal.QueueAnswer(IDYES);
  modal.QueueAnswer(IDNO);
  ImportFile(path);
  ASSERT_EQ(modal.texts().size(), 2u);
  EXPECT_EQ(modal.texts()[0], OPEN_REPLACE_QUESTION);
  ASSERT_EQ(tabSet.tabCount, 1);
  EXPECT_EQ(tabSet.documentName, "無名");
  EXPECT_STREQ(CurrentTab()->title, " 48x48x256 ");
}

TEST_F(Import, PicturesAndTheMenuCommand) {
  QImage picture(40, 20, QImage::Format_ARGB32);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 40; ++x) picture.setPixel(x, y, x < 20 ? qRgba(255, 0, 0, 255) : qRgba(0, 0, 255, 100));
  const std::string path = Path("two.png");
  ASSERT_TRUE(picture.save(QString::fromStdString(path)));
  modal.QueueFile(path);
  modal.QueueDialog([](QDialog& dialog) { PressButton(dialog, IDOK); });
  DispatchCommand(CMD_IMPORT);
  ASSERT_EQ(modal.fileRequests().size(), 1u);
  EXPECT_EQ(modal.fileRequests()[0].title, "インポート");
  ASSERT_EQ(tabSet.tabCount, 1);
  const ImageTab& tab = *CurrentTab();
  EXPECT_STREQ(tab.title, " 40x20x2 ");
  EXPECT_EQ(tab.palette[CellAt(tab, 3, 3)], MakeColor(255, 0, 0));
  EXPECT_EQ(CellAt(tab, 30, 3) & CELL_MASK_BIT, CELL_MASK_BIT);

  // A file that is no picture at all gives a message and no dialog.
  modal.clear();
  ImportFile(WriteBytes("noise.png", ByteBuffer(100, 7)));
  EXPECT_EQ(modal.texts(), (std::vector<std::string>{FileMessage(Path("noise.png"), "画像を読み込めません")}));
  EXPECT_EQ(modal.dialogsRun(), 0);
  EXPECT_EQ(tabSet.tabCount, 1);
}

TEST_F(Import, CutOffPicturesAreRefusedNamingTheDamage) {
  using namespace import_samples;
  // Whole files import; the same files cut short give the message and no
  // tab, where Qt's readers would fill the missing pixels.
  ByteBuffer rows(static_cast<std::size_t>(64) * 192, 0);
  for (std::size_t i = 0; i < rows.size(); i += 3) rows[i + 2] = 0xFF;  // red
  const ByteBuffer bmp = BuildBmp(64, 64, 24, rows);
  std::vector<int> indexes(64);
  for (int i = 0; i < 64; ++i) indexes[static_cast<std::size_t>(i)] = 1 + i % 3;
  const ByteBuffer gif = BuildGif(8, 8, indexes);
  for (const auto& [name, whole, cut] : {std::tuple{"red.bmp", bmp, ByteBuffer(bmp.begin(), bmp.begin() + 14 + 40 + 30)},
                                         std::tuple{"stripes.gif", gif, ByteBuffer(gif.begin(), gif.end() - 8)}}) {
    SCOPED_TRACE(name);
    DeleteAllTabs();
    modal.clear();
    modal.QueueDialog([](QDialog& dialog) { PressButton(dialog, IDOK); });
    ImportFile(WriteBytes(name, whole));
    ASSERT_TRUE(modal.messages().empty());
    ASSERT_EQ(tabSet.tabCount, 1);
    const ImageTab& tab = *CurrentTab();
    EXPECT_EQ(tab.palette[CellAt(tab, 2, 5) & CELL_INDEX_BITS], MakeColor(255, 0, 0));

    modal.clear();
    const std::string path = WriteBytes(std::string("cut-") + name, cut);
    ImportFile(path);
    EXPECT_EQ(modal.texts(), (std::vector<std::string>{FileMessage(path, IMPORT_ENTRY_TRUNCATED)}));
    EXPECT_EQ(modal.dialogsRun(), 0);
    EXPECT_EQ(tabSet.tabCount, 1);
  }
}

TEST_F(Import, ReadingManyImagesShowsProgressAndCanBeCancelled) {
  using namespace import_samples;
  const std::string path =
      WriteBytes("three.ico", BuildIcon({Solid(8, 8, 0xFF112233), Solid(16, 16, 0xFF445566), Solid(4, 4, 0xFF778899)}));
  modal.CancelProgressAt(1);
  ImportFile(path);
  EXPECT_EQ(modal.progressSteps(), (std::vector<std::string>{"0/3", "1/3"}));
  EXPECT_EQ(modal.dialogsRun(), 0);
  EXPECT_TRUE(modal.messages().empty());
  EXPECT_EQ(tabSet.tabCount, 0);

  modal.clear();
  modal.CancelProgressAt(-1);
  modal.QueueDialog([](QDialog& dialog) { PressButton(dialog, IDOK); });
  ImportFile(path);
  EXPECT_EQ(modal.progressSteps().size(), 3u);
  EXPECT_EQ(tabSet.tabCount, 3);
}

// Replays every damaged file, and whatever the fuzzers add, through the
// import's whole reading: PNG images decoded by Qt, pictures checked and
// decoded. A readable image must come with its picture, scaled to fit.
TEST(ImportReplay, DamagedFilesReadSafelyWithTheirPictures) {
  int files = 0;
  for (const char* folder : {"/import_corpus", "/icon_corpus", "/import"})
    for (const auto& file : std::filesystem::directory_iterator(std::string(TEST_DATA_DIR) + folder)) {
      SCOPED_TRACE(file.path().string());
      auto bytes = ReadFileBytes(file.path().string(), ICON_MAX_FILE_BYTES);
      ASSERT_TRUE(bytes.has_value());
      const bool icon = bytes->size() >= 4 && (*bytes)[0] == 0 && (*bytes)[1] == 0 && (*bytes)[2] == 1;
      const ImportSource source = ReadImportBytes(std::move(*bytes), icon);
      for (const ImportEntry& entry : source.entries) {
        if (!entry.problem.empty()) continue;
        ASSERT_FALSE(entry.picture.pixels.empty());
        EXPECT_LE(entry.picture.width, MAX_IMAGE_SIZE);
        EXPECT_LE(entry.picture.height, MAX_IMAGE_SIZE);
      }
      ++files;
    }
  EXPECT_GE(files, 40);
}
