// Open meets files it cannot edit as they are but the import reads: the
// refusal stays the first line and offers the import, and Yes imports.

#include <QBuffer>
#include <QDialog>
#include <QImage>

#include "fileio/icon_format.h"
#include "fileio/open_flow.h"
#include "import/open_offer.h"
#include "storage/file_message.h"
#include "tests/support/import_samples.h"
#include "tests/ui/file_flow_fixture.h"

namespace {

using OpenImportOffer = FileFlowTest;

ByteBuffer PngBytes(int width, int height) {
  QImage picture(width, height, QImage::Format_ARGB32);
  picture.fill(qRgba(0, 128, 255, 255));
  QByteArray data;
  QBuffer buffer(&data);
  buffer.open(QIODevice::WriteOnly);
  picture.save(&buffer, "PNG");
  return ByteBuffer(data.begin(), data.end());
}

std::string Offer(const std::string& path, const char* reason) {
  return FileMessage(path, std::string(reason) + "\n" + OPEN_OFFER_IMPORT);
}

TEST_F(OpenImportOffer, FilesTheImportReadsAreOfferedAndYesImportsThem) {
  // Icon files of true-colour or PNG images open as kept tabs (see
  // kept_tabs_test.cpp) and cursors as cursors; pictures, and a cursor
  // under an icon's name (type 2 in an .ico), are offered to the import.
  ByteBuffer cursor = import_samples::BuildIcon({import_samples::Solid(16, 16, 0xFF00FF00)});
  cursor[2] = 2;
  const struct {
    std::string path;
    const char* reason;
  } files[] = {
      {WriteBytes("picture.png", PngBytes(20, 10)), ICON_NOT_ICON_FILE},
      {WriteBytes("arrow.ico", cursor), ICON_NOT_ICON_FILE},
      // A favicon that is a PNG file under an icon's name.
      {WriteBytes("favicon.ico", PngBytes(32, 32)), ICON_NOT_ICON_FILE},
  };
  for (const auto& file : files) {
    SCOPED_TRACE(file.path);
    modal.clear();
    // No keeps everything as it was.
    modal.QueueAnswer(IDNO);
    OpenIconFile(file.path);
    ASSERT_EQ(modal.messages().size(), 1u);
    const std::string& text = modal.messages()[0].text;
    if (file.reason != nullptr) {
      EXPECT_EQ(text, Offer(file.path, file.reason));
    }
    EXPECT_EQ(text.rfind(FileMessage(file.path, {}), 0), 0u);
    EXPECT_NE(text.find(std::string("\n") + OPEN_OFFER_IMPORT), std::string::npos);
    EXPECT_EQ(modal.messages()[0].buttons, MB_YESNO);
    EXPECT_EQ(modal.dialogsRun(), 0);
    EXPECT_EQ(tabSet.tabCount, 0);

    // Yes runs the import on the same file: its dialog, then the tab.
    modal.clear();
    modal.QueueAnswer(IDYES);
    modal.QueueDialog([](QDialog& dialog) { PressButton(dialog, IDOK); });
    OpenIconFile(file.path);
    EXPECT_EQ(modal.dialogsRun(), 1);
    EXPECT_EQ(tabSet.tabCount, 1);
    // The import never makes the file the document.
    EXPECT_EQ(tabSet.documentName, "無名");
    DeleteAllTabs();
  }
}

TEST_F(OpenImportOffer, TheImagesAreReadOnceUnderTheProgressWindowAndCancelKeepsTheRefusal) {
  ByteBuffer cursor = import_samples::BuildIcon({import_samples::Solid(16, 16, 0xFFFF0000)});
  cursor[2] = 2;
  const std::string path = WriteBytes("arrow.ico", cursor);
  // Yes goes on from the reading made for the offer.
  modal.QueueAnswer(IDYES);
  modal.QueueDialog([](QDialog& dialog) { PressButton(dialog, IDOK); });
  OpenIconFile(path);
  EXPECT_EQ(modal.progressSteps(), (std::vector<std::string>{"0/1"}));
  EXPECT_EQ(tabSet.tabCount, 1);
  DeleteAllTabs();

  // Cancelling that reading leaves only Open's own refusal.
  modal.clear();
  modal.CancelProgressAt(0);
  OpenIconFile(path);
  EXPECT_EQ(modal.texts(), std::vector<std::string>{FileMessage(path, ICON_NOT_ICON_FILE)});
  EXPECT_EQ(tabSet.tabCount, 0);
}

TEST_F(OpenImportOffer, FilesNeitherReadsAreOnlyRefused) {
  const std::string noise = WriteBytes("noise.png", ByteBuffer(100, 7));
  OpenIconFile(noise);
  EXPECT_EQ(modal.texts(), std::vector<std::string>{FileMessage(noise, ICON_NOT_ICON_FILE)});
  EXPECT_EQ(modal.messages()[0].buttons, MB_OK);

  // An icon whose only image is damaged beyond the import's reach.
  ByteBuffer broken = import_samples::BuildIcon({import_samples::Solid(16, 16, 0xFFFF0000)});
  broken.resize(broken.size() - 600);
  const std::string damaged = WriteBytes("damaged.ico", broken);
  modal.clear();
  OpenIconFile(damaged);
  ASSERT_EQ(modal.messages().size(), 1u);
  EXPECT_EQ(modal.messages()[0].buttons, MB_OK);
  EXPECT_EQ(modal.texts()[0].find(OPEN_OFFER_IMPORT), std::string::npos);
  EXPECT_EQ(tabSet.tabCount, 0);
}

}  // namespace
