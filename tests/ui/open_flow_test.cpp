// The open flow answered by script: the attribute checks, the icon checks,
// the already-open check, the replace-or-add question and the tab limit.

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

#include "app/command_ids.h"
#include "app/commands.h"
#include "canvas/undo_commands.h"
#include "fileio/cursor_format.h"
#include "fileio/open_flow.h"
#include "fileio/save_flow.h"
#include "storage/file_message.h"
#include "storage/save_leftovers.h"
#include "tests/ui/file_flow_fixture.h"

namespace {

using OpenFlow = FileFlowTest;

std::vector<std::string> Only(const std::string& text) { return {text}; }

}  // namespace

TEST_F(OpenFlow, OpensAFileIntoTabsWithNoTabOpen) {
  const std::string path = WriteIcon("set.ico", 3, 20, 9, 0, 7);
  OpenIconFile(path);
  EXPECT_TRUE(modal.messages().empty());
  ASSERT_EQ(tabSet.tabCount, 3);
  EXPECT_EQ(tabSet.currentPosition, 0);
  EXPECT_EQ(tabSet.documentName, path);
  EXPECT_EQ(Caption(), "Quillet2 - " + path);
  const auto tabs = StripTabs();
  for (int i = 0; i < 3; ++i) {
    const ImageTab want = samples::PatternTab(20, 9, 0, 7u + i);
    ASSERT_NE(tabs[i], nullptr);
    EXPECT_STREQ(tabs[i]->title, " 20x9x256 ");
    for (int x = 0; x < 20; ++x)
      for (int y = 0; y < 9; ++y) ASSERT_EQ(CellAt(*tabs[i], x, y), CellAt(want, x, y)) << i << ": " << x << "," << y;
    EXPECT_EQ(tabs[i]->palette[255], want.palette[255]);
  }
  // The first new tab is current and has its first snapshot.
  EXPECT_EQ(CurrentTab(), tabs[0]);
  EXPECT_NE(tabs[0]->undoFirst, nullptr);

  // A cursor whose entries say 0 colours, as many writers put it: each
  // image's own bit count decides.
  const ImageTab one = samples::PatternTab(16, 16, 2, 3);
  const ImageTab four = samples::PatternTab(16, 16, 16, 4);
  DeleteAllTabs();
  ByteBuffer cursor = SerializeCursor({&one, &four});
  cursor[6 + 2] = cursor[6 + 16 + 2] = 0;
  OpenIconFile(WriteBytes("zero.cur", cursor));
  EXPECT_TRUE(modal.messages().empty());
  ASSERT_EQ(tabSet.tabCount, 2);
  const auto opened = StripTabs();
  EXPECT_STREQ(opened[0]->title, " 16x16x2 ");
  EXPECT_STREQ(opened[1]->title, " 16x16x16 ");
  for (int x = 0; x < 16; ++x)
    for (int y = 0; y < 16; ++y) ASSERT_EQ(CellAt(*opened[1], x, y), CellAt(four, x, y)) << x << "," << y;
}

TEST_F(OpenFlow, TwentyImagesOpenAndTwentyOneAreRefused) {
  OpenIconFile(WriteIcon("twenty.ico", 20, 4, 4, 2));
  EXPECT_TRUE(modal.messages().empty());
  EXPECT_EQ(tabSet.tabCount, 20);
  DeleteAllTabs();

  OpenIconFile(WriteIcon("many.ico", 21, 4, 4, 2));
  ASSERT_EQ(modal.texts(), Only(OPEN_TOO_MANY_TABS));
  EXPECT_EQ(modal.messages()[0].caption, "報告");
  EXPECT_EQ(modal.messages()[0].buttons, MB_OK);
  EXPECT_EQ(tabSet.tabCount, 0);
}

TEST_F(OpenFlow, AddingBehindKeepsTheDocumentAndTheLimit) {
  const std::string first = WriteIcon("fifteen.ico", 15, 8, 8, 16);
  OpenIconFile(first);
  ASSERT_EQ(tabSet.tabCount, 15);

  // Six more would make 21: refused after the question.
  modal.QueueAnswer(IDNO);
  OpenIconFile(WriteIcon("six.ico", 6, 5, 5, 2));
  ASSERT_EQ(modal.texts(), (std::vector<std::string>{OPEN_REPLACE_QUESTION, OPEN_TOO_MANY_TABS}));
  EXPECT_EQ(modal.messages()[0].caption, "問い合わせ");
  EXPECT_EQ(modal.messages()[0].buttons, MB_YESNOCANCEL);
  EXPECT_EQ(tabSet.tabCount, 15);

  modal.clear();
  modal.QueueAnswer(IDNO);
  OpenIconFile(WriteIcon("five.ico", 5, 5, 5, 2));
  ASSERT_EQ(modal.texts(), Only(OPEN_REPLACE_QUESTION));
  EXPECT_EQ(tabSet.tabCount, 20);
  EXPECT_EQ(tabSet.documentName, first);
  EXPECT_EQ(Caption(), "Quillet2 - " + first);
  EXPECT_EQ(tabSet.currentPosition, 15);
  EXPECT_STREQ(CurrentTab()->title, " 5x5x2 ");
  EXPECT_STREQ(StripTabs()[14]->title, " 8x8x16 ");
}

TEST_F(OpenFlow, OpeningAnewReplacesTheTabs) {
  OpenIconFile(WriteIcon("fifteen.ico", 15, 8, 8, 16));
  const std::string six = WriteIcon("six.ico", 6, 5, 5, 2);
  modal.QueueAnswer(IDYES);
  OpenIconFile(six);
  // Nothing was changed, so nothing is asked about saving.
  ASSERT_EQ(modal.texts(), Only(OPEN_REPLACE_QUESTION));
  EXPECT_EQ(tabSet.tabCount, 6);
  EXPECT_EQ(tabSet.documentName, six);
  EXPECT_EQ(Caption(), "Quillet2 - " + six);
  EXPECT_EQ(tabSet.currentPosition, 0);
  for (const ImageTab* tab : StripTabs()) EXPECT_STREQ(tab->title, " 5x5x2 ");

  // Yes with too many images is refused before anything is discarded.
  modal.clear();
  modal.QueueAnswer(IDYES);
  OpenIconFile(WriteIcon("many.ico", 21, 1, 1, 2));
  EXPECT_EQ(modal.texts(), (std::vector<std::string>{OPEN_REPLACE_QUESTION, OPEN_TOO_MANY_TABS}));
  EXPECT_EQ(tabSet.tabCount, 6);
}

TEST_F(OpenFlow, CancelAndABrokenOffSaveKeepEveryTab) {
  const std::string first = WriteIcon("first.ico", 2);
  OpenIconFile(first);
  const std::string second = WriteIcon("second.ico", 1, 32, 32, 2);
  modal.QueueAnswer(IDCANCEL);
  OpenIconFile(second);
  EXPECT_EQ(tabSet.tabCount, 2);

  // A changed tab: Yes, then Yes to saving, then the save-type dialog is
  // cancelled, so the flow breaks off.
  RecordUndo(*CurrentTab());
  modal.clear();
  modal.QueueAnswer(IDYES);
  modal.QueueAnswer(IDYES);
  modal.QueueDialog([](QDialog& dialog) { PressButton(dialog, IDCANCEL); });
  OpenIconFile(second);
  ASSERT_EQ(modal.texts(),
            (std::vector<std::string>{OPEN_REPLACE_QUESTION, FileMessage(first, SAVE_CHANGED_QUESTION)}));
  EXPECT_EQ(modal.messages()[1].buttons, MB_YESNOCANCEL);
  EXPECT_EQ(tabSet.tabCount, 2);
  EXPECT_EQ(tabSet.documentName, first);

  // Cancel on the question that would discard the changes keeps them.
  modal.clear();
  modal.QueueAnswer(IDYES);
  modal.QueueAnswer(IDCANCEL);
  OpenIconFile(second);
  EXPECT_EQ(modal.messages().size(), 2u);
  EXPECT_EQ(tabSet.tabCount, 2);
  EXPECT_EQ(tabSet.documentName, first);

  // Answering No to saving discards the changed tabs and opens the file.
  modal.clear();
  modal.QueueAnswer(IDYES);
  modal.QueueAnswer(IDNO);
  OpenIconFile(second);
  EXPECT_EQ(modal.messages().size(), 2u);
  EXPECT_EQ(tabSet.tabCount, 1);
  EXPECT_EQ(tabSet.documentName, second);
}

TEST_F(OpenFlow, TheDocumentItselfIsAlreadyOpenInAnyLetterCase) {
  const std::string lower = WriteIcon("doc.ico", 1);
  const std::string upper = WriteIcon("DOC.ICO", 1);
  OpenIconFile(lower);
  OpenIconFile(lower);
  OpenIconFile(upper);
  EXPECT_EQ(modal.texts(), (std::vector<std::string>{FileMessage(lower, OPEN_ALREADY_EDITED),
                                                     FileMessage(upper, OPEN_ALREADY_EDITED)}));
  EXPECT_EQ(tabSet.tabCount, 1);

  // A file added behind the document is not remembered.
  const std::string other = WriteIcon("other.ico", 1);
  modal.clear();
  modal.QueueAnswer(IDNO);
  modal.QueueAnswer(IDNO);
  OpenIconFile(other);
  OpenIconFile(other);
  EXPECT_EQ(modal.texts(), (std::vector<std::string>{OPEN_REPLACE_QUESTION, OPEN_REPLACE_QUESTION}));
  EXPECT_EQ(tabSet.tabCount, 3);
}

TEST_F(OpenFlow, AReadOnlyFileIsAskedAboutBeforeItIsRead) {
  // Not an icon file inside: if it were read, its own message would follow.
  const std::string path = WriteBytes("locked.ico", {1, 0, 1, 0, 0, 0});
  ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
  modal.QueueAnswer(IDCANCEL);
  OpenIconFile(path);
  ASSERT_EQ(modal.texts(), Only(FileMessage(path, ATTRIBUTE_READ_ONLY)));
  EXPECT_EQ(modal.messages()[0].caption, "問い合わせ");
  EXPECT_EQ(modal.messages()[0].buttons, MB_OKCANCEL);

  modal.clear();
  modal.QueueAnswer(IDOK);
  OpenIconFile(path);
  EXPECT_EQ(modal.texts(), (std::vector<std::string>{FileMessage(path, ATTRIBUTE_READ_ONLY),
                                                     FileMessage(path, ICON_NOT_ICON_FILE)}));

  const std::string good = WriteIcon("good.ico", 2);
  ASSERT_EQ(::chmod(good.c_str(), 0444), 0);
  modal.clear();
  modal.QueueAnswer(IDOK);
  OpenIconFile(good);
  EXPECT_EQ(modal.messages().size(), 1u);
  EXPECT_EQ(tabSet.tabCount, 2);
}

TEST_F(OpenFlow, FoldersFifosAndMissingFilesAreRefused) {
  const std::string folder = Path("folder.ico");
  ASSERT_EQ(::mkdir(folder.c_str(), 0755), 0);
  OpenIconFile(folder);
  const std::string fifo = Path("pipe.ico");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
  // Would block for ever if it were opened for reading.
  OpenIconFile(fifo);
  EXPECT_EQ(modal.texts(), (std::vector<std::string>{FileMessage(folder, ATTRIBUTE_DIRECTORY),
                                                     FileMessage(fifo, ATTRIBUTE_SYSTEM)}));
  for (const auto& message : modal.messages()) EXPECT_EQ(message.caption, "報告");

  modal.clear();
  OpenIconFile(Path("missing.ico"));
  ASSERT_EQ(modal.messages().size(), 1u);
  EXPECT_EQ(modal.messages()[0].caption, "error code = 2");
  EXPECT_EQ(modal.messages()[0].text, std::strerror(ENOENT));
  EXPECT_EQ(modal.messages()[0].icon, ICON_INFORMATION);
  EXPECT_EQ(modal.messages()[0].buttons, MB_OK);
  EXPECT_EQ(tabSet.tabCount, 0);
}

TEST_F(OpenFlow, BrokenIconFilesAreReportedWithTheirPath) {
  const std::string text = WriteBytes("text.txt", {0, 0, 1, 0, 0, 0});
  OpenIconFile(text);
  samples::RawImage packed = samples::PlainImage(4, 4, 16, 4, 4, 4);
  packed.compression = 1;
  const std::string compressed = WriteBytes("packed.ico", samples::IconFile({packed}));
  OpenIconFile(compressed);
  EXPECT_EQ(modal.texts(), (std::vector<std::string>{FileMessage(text, ICON_NOT_ICON_FILE),
                                                     FileMessage(compressed, ICON_COMPRESSED)}));
  EXPECT_EQ(tabSet.tabCount, 0);
}

TEST_F(OpenFlow, AFailedLoadLeavesNoNewTab) {
  // The second image is cut short: the check passes, the load fails after
  // both tabs were made.
  ByteBuffer bytes = samples::IconFile({samples::PlainImage(4, 4, 2, 1, 4, 4), samples::PlainImage(4, 4, 2, 1, 4, 4)});
  bytes.resize(bytes.size() - 3);
  const std::string broken = WriteBytes("broken.ico", bytes);
  OpenIconFile(broken);
  ASSERT_EQ(modal.texts(), Only(FileMessage(broken, ICON_READ_FAILED)));
  EXPECT_EQ(tabSet.tabCount, 0);
  EXPECT_EQ(tabSet.documentName, "");
  EXPECT_EQ(StripItemCount(), 0);

  const std::string first = WriteIcon("first.ico", 2);
  OpenIconFile(first);
  modal.clear();
  modal.QueueAnswer(IDNO);
  OpenIconFile(broken);
  EXPECT_EQ(modal.texts(), (std::vector<std::string>{OPEN_REPLACE_QUESTION, FileMessage(broken, ICON_READ_FAILED)}));
  EXPECT_EQ(tabSet.tabCount, 2);
  EXPECT_EQ(StripItemCount(), 2);
  EXPECT_EQ(tabSet.documentName, first);
  EXPECT_EQ(tabSet.currentPosition, 0);
}

TEST_F(OpenFlow, AFileWithoutImages) {
  // An icon or a cursor of no images is said so, not opened as an empty
  // document; open tabs stay without a question.
  for (const auto& [name, type] : {std::pair{"empty.ico", 1}, std::pair{"empty.cur", 2}}) {
    const std::string empty = WriteBytes(name, {0, 0, static_cast<std::uint8_t>(type), 0, 0, 0});
    modal.clear();
    OpenIconFile(empty);
    EXPECT_EQ(modal.texts(), Only(FileMessage(empty, OPEN_NO_IMAGES)));
    EXPECT_EQ(tabSet.tabCount, 0);
  }
  OpenIconFile(WriteIcon("two.ico", 2));
  modal.clear();
  OpenIconFile(Path("empty.ico"));
  EXPECT_EQ(modal.texts(), Only(FileMessage(Path("empty.ico"), OPEN_NO_IMAGES)));
  EXPECT_EQ(tabSet.tabCount, 2);
}

TEST_F(OpenFlow, OpenCommandAndDrops) {
  const std::string path = WriteIcon("chosen.ico", 1);
  modal.QueueFile(path);
  DispatchCommand(CMD_OPEN);
  ASSERT_EQ(modal.fileRequests().size(), 1u);
  const FileDialogRequest& request = modal.fileRequests()[0];
  EXPECT_FALSE(request.save);
  EXPECT_EQ(request.title, "開く（アイコン）");
  EXPECT_EQ(request.filters,
            (FileFilterList{{"アイコン(*.ico)", "*.ico"},
                            {"カーソル(*.cur)", "*.cur"},
                            {"アニメーションカーソル(*.ani)", "*.ani"},
                            {"全て(*.*)", "*.*"}}));
  EXPECT_EQ(request.defaultExtension, "");
  EXPECT_EQ(tabSet.tabCount, 1);

  DeleteAllTabs();
  DropFiles({QString::fromStdString(path), QString::fromStdString(WriteIcon("more.ico", 1))});
  EXPECT_EQ(modal.texts(), Only(ONE_FILE_ONLY));
  EXPECT_EQ(tabSet.tabCount, 0);
  DropFiles({QString::fromStdString(path)});
  EXPECT_EQ(tabSet.tabCount, 1);
}

TEST_F(OpenFlow, OpeningAFileTellsWhereAnInterruptedSaveKeptItsOldContent) {
  const std::string path = WriteIcon("torn.ico", 2);
  const std::string backup = BackupStem(path) + "Ab12Cd";
  WriteIcon(backup.substr(folder_.size() + 1), 2);
  WriteIcon("other.ico", 1);
  OpenIconFile(path);
  EXPECT_EQ(modal.texts(), Only(FileMessage(path, FillText(OPEN_KEPT_BACKUP, {backup}))));
  EXPECT_EQ(tabSet.tabCount, 2) << "the file still opens";
  // Another file of the folder has no backup.
  modal.clear();
  DeleteAllTabs();
  OpenIconFile(Path("other.ico"));
  EXPECT_TRUE(modal.messages().empty());
}
