// The save-type dialog, the icon and bitmap writers behind it and the
// question asked before the open tabs are discarded.

#include <sys/stat.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileSystemModel>

#include <functional>

#include "app/command_ids.h"
#include "app/commands.h"
#include "canvas/undo_commands.h"
#include "fileio/bitmap_format.h"
#include "fileio/open_flow.h"
#include "fileio/palette_file.h"
#include "fileio/plain_save.h"
#include "fileio/save_flow.h"
#include "model/undo_history.h"
#include "platform/dialog_template.h"
#include "storage/disk_change.h"
#include "storage/file_message.h"
#include "storage/write_problem.h"
#include "tests/support/file_size_limit.h"
#include "tests/ui/file_flow_fixture.h"

namespace {

using SaveFlow = FileFlowTest;

// Creates a tab the way the new-tab dialog does and fills it with a pattern.
ImageTab& AddTab(int width, int height, std::uint8_t code, unsigned seed) {
  ImageTab* tab = CreateTab({}, width, height, code);
  EXPECT_NE(tab, nullptr);
  const ImageTab pattern = samples::PatternTab(width, height, code, seed);
  std::copy(std::begin(pattern.cells), std::end(pattern.cells), std::begin(tab->cells));
  std::copy(std::begin(pattern.palette), std::end(pattern.palette), std::begin(tab->palette));
  tab->width = static_cast<std::uint8_t>(width);
  tab->height = static_cast<std::uint8_t>(height);
  tab->colorCode = code;
  return *tab;
}

struct ButtonStates {
  bool oneIcon, separateIcons, sideBySide, separateBitmaps, cancel;
};

// Opens the save-type dialog, reads its buttons and cancels it.
ButtonStates SaveTypeButtons(ModalRecorder& modal) {
  ButtonStates states{};
  modal.QueueDialog([&states](QDialog& dialog) {
    // A way of saving is offered when its button is there; the dialog
    // shows no button that cannot be pressed.
    for (const QAbstractButton* button : dialog.findChildren<QAbstractButton*>())
      EXPECT_TRUE(button->isHidden() || button->isEnabled()) << button->objectName().toStdString();
    const auto enabled = [&dialog](int id) {
      auto* button = FindControl<QAbstractButton>(dialog, id);
      return button != nullptr && !button->isHidden() && button->isEnabled();
    };
    states = {enabled(ID_SAVE_ONE_ICON), enabled(ID_SAVE_SEPARATE_ICONS), enabled(ID_SAVE_SIDE_BY_SIDE),
              enabled(ID_SAVE_SEPARATE_BITMAPS), enabled(IDCANCEL)};
    PressButton(dialog, IDCANCEL);
  });
  EXPECT_EQ(SaveTypeDialog(), 2);
  return states;
}

void PressLater(ModalRecorder& modal, int id) {
  modal.QueueDialog([id](QDialog& dialog) { PressButton(dialog, id); });
}

// One kind of file the program saves: how to save it onto a path, the bytes
// it writes there and the message a target it may not replace gets, with
// the reason's line.
struct SaveKind {
  std::string extension;
  std::function<void(ModalRecorder&, const std::string&)> save;
  std::function<ByteBuffer()> bytes;
  std::function<std::string(const std::string&, const char*)> refusal;
};

std::vector<SaveKind> SaveKinds() {
  const auto throughDialog = [](int button) {
    return [button](ModalRecorder& modal, const std::string& path) {
      PressLater(modal, button);
      modal.QueueFile(path);
      SaveTypeDialog();
    };
  };
  const auto iconRefusal = [](const std::string& path, const char* reason) {
    return FileMessage(path, std::string(ICON_OPEN_FAILED) + "\n" + reason);
  };
  return {
      {".ico", throughDialog(ID_SAVE_ONE_ICON), [] { return SerializeIcon(TabsInStripOrder()); }, iconRefusal},
      {".bmp", throughDialog(ID_SAVE_SIDE_BY_SIDE), [] { return SerializeSideBySideBitmap(TabsInStripOrder()); },
       iconRefusal},
      {".qpl",
       [](ModalRecorder& modal, const std::string& path) {
         modal.QueueFile(path);
         DispatchCommand(CMD_SAVE_PALETTE);
       },
       [] { return SerializePalette(*CurrentTab()); },
       [](const std::string& path, const char* reason) {
         return std::string(PALETTE_WRITE_FAILED) + "\n" + reason + "\n[ " + path + " ]";
       }},
  };
}

}  // namespace

TEST_F(SaveFlow, SideBySideIsOfferedOnlyForEqualTabs) {
  AddTab(32, 32, 16, 1);
  ButtonStates one = SaveTypeButtons(modal);
  EXPECT_TRUE(one.oneIcon);
  EXPECT_TRUE(one.cancel);
  EXPECT_FALSE(one.separateIcons);
  EXPECT_FALSE(one.sideBySide);
  EXPECT_FALSE(one.separateBitmaps);

  AddTab(32, 32, 16, 2);
  EXPECT_TRUE(SaveTypeButtons(modal).sideBySide);
  AddTab(16, 16, 16, 3);
  EXPECT_FALSE(SaveTypeButtons(modal).sideBySide);
  DeleteTab(SlotOf(*StripTabs()[2]));
  // Same size, other colour count.
  AddTab(32, 32, 2, 4);
  EXPECT_FALSE(SaveTypeButtons(modal).sideBySide);
  EXPECT_FALSE(SaveTypeButtons(modal).separateIcons);
  EXPECT_FALSE(SaveTypeButtons(modal).separateBitmaps);
}

TEST_F(SaveFlow, SavesAllTabsInStripOrderAsOneIconFile) {
  AddTab(7, 5, 2, 1);
  AddTab(33, 2, 16, 2);
  AddTab(20, 20, 0, 3);
  // Slot 1 is freed and taken again by a tab shown last in the strip.
  DeleteTab(SlotOf(*StripTabs()[1]));
  AddTab(64, 64, 16, 4);
  ASSERT_EQ(SlotOf(*StripTabs()[2]), 1);
  tabSet.currentPosition = 0;

  PressLater(modal, ID_SAVE_ONE_ICON);
  modal.QueueFile(Path("saved"));
  DispatchCommand(CMD_SAVE);

  const std::string saved = Path("saved.ico");
  EXPECT_TRUE(modal.messages().empty());
  ASSERT_EQ(modal.fileRequests().size(), 1u);
  const FileDialogRequest& request = modal.fileRequests()[0];
  EXPECT_TRUE(request.save);
  EXPECT_EQ(request.title, "名前をつけて保存（１つのアイコンファイルとして保存）");
  EXPECT_EQ(request.filters,
            (FileFilterList{{"アイコン(*.ico)", "*.ico"},
                            {"カーソル(*.cur)", "*.cur"},
                            {"アニメーションカーソル(*.ani)", "*.ani"},
                            {"全て(*.*)", "*.*"}}));
  EXPECT_EQ(request.defaultExtension, ".ico");
  EXPECT_EQ(request.initialName, "無名");
  EXPECT_EQ(tabSet.documentName, saved);
  EXPECT_EQ(Caption(), "Quillet2 - " + saved);

  std::vector<ImageTab> images;
  ASSERT_EQ(DecodeIconFile(FileBytes(saved), images), "");
  const auto order = StripTabs();
  ASSERT_EQ(images.size(), order.size());
  for (std::size_t i = 0; i < order.size(); ++i) {
    EXPECT_EQ(images[i].width, order[i]->width) << i;
    EXPECT_EQ(images[i].height, order[i]->height) << i;
    for (int x = 0; x < order[i]->width; ++x)
      for (int y = 0; y < order[i]->height; ++y) ASSERT_EQ(CellAt(images[i], x, y), CellAt(*order[i], x, y));
  }
  // The tabs keep their changed state: saving does not touch the history.
  EXPECT_EQ(tabSet.tabCount, 3);

  // A name without extension takes the chosen filter's, and its format.
  for (const auto& [filter, extension, start] : {std::tuple{1, ".cur", "\0\0\2"}, std::tuple{2, ".ani", "RIFF"}}) {
    InstalledModalScript()->onFileFilter = [filter](const FileDialogRequest&) { return filter; };
    PressLater(modal, ID_SAVE_ONE_ICON);
    modal.QueueFile(Path("by-filter"));
    DispatchCommand(CMD_SAVE_AS);
    const ByteBuffer bytes = FileBytes(Path(std::string("by-filter") + extension));
    ASSERT_GE(bytes.size(), 3u) << extension;
    EXPECT_EQ(ByteBuffer(bytes.begin(), bytes.begin() + 3), ByteBuffer(start, start + 3)) << extension;
  }
}

TEST_F(SaveFlow, SavesTheSideBySideBitmap) {
  AddTab(16, 16, 16, 1);
  AddTab(16, 16, 16, 2);
  AddTab(16, 16, 16, 3);
  tabSet.documentName = Path("mine.ico");
  PressLater(modal, ID_SAVE_SIDE_BY_SIDE);
  modal.QueueFile(Path("strip"));
  CommandSave();
  ASSERT_EQ(modal.fileRequests().size(), 1u);
  // The dialog never suggests writing the bitmap over the icon.
  EXPECT_EQ(modal.fileRequests()[0].initialName, Path("mine.bmp"));
  EXPECT_EQ(modal.fileRequests()[0].title, "名前をつけて保存（横に並んだビットマップファイルとして保存）");
  EXPECT_EQ(modal.fileRequests()[0].filters,
            (FileFilterList{{"ビットマップ(*.bmp)", "*.bmp"}, {"全て(*.*)", "*.*"}}));
  EXPECT_EQ(modal.fileRequests()[0].defaultExtension, ".bmp");
  const std::string saved = Path("strip.bmp");
  EXPECT_EQ(tabSet.documentName, saved);
  EXPECT_EQ(Caption(), "Quillet2 - " + saved);
  const ByteBuffer bytes = FileBytes(saved);
  EXPECT_EQ(bytes, SerializeSideBySideBitmap(StripTabs()));
  EXPECT_EQ(bytes.size(), 502u);

  // Nor the icon over the bitmap.
  modal.clear();
  PressLater(modal, ID_SAVE_ONE_ICON);
  modal.QueueFile("");
  CommandSave();
  ASSERT_EQ(modal.fileRequests().size(), 1u);
  EXPECT_EQ(modal.fileRequests()[0].initialName, Path("strip.ico"));
}

TEST_F(SaveFlow, SavesReachTheFileTheUserNamedAndRefuseWhatTheyMayNotReplace) {
  AddTab(16, 16, 16, 1);
  AddTab(16, 16, 16, 2);
  const ByteBuffer old = {'o', 'l', 'd'};
  // The longest name the file system takes: 255 bytes, 82 of them in
  // three-byte Japanese letters.
  std::string longest;
  for (int i = 0; i < 82; ++i) longest += "ア";
  longest += "12345";
  for (const SaveKind& kind : SaveKinds()) {
    SCOPED_TRACE(kind.extension);
    const std::string ext = kind.extension;
    const ByteBuffer expected = kind.bytes();
    // A link to a link, the first one relative.
    const std::string real = WriteBytes("real" + ext, old);
    ASSERT_EQ(::symlink(("real" + ext).c_str(), Path("inner" + ext).c_str()), 0);
    ASSERT_EQ(::symlink(Path("inner" + ext).c_str(), Path("outer" + ext).c_str()), 0);
    // One file under two names.
    const std::string one = WriteBytes("one" + ext, old);
    ASSERT_EQ(::link(one.c_str(), Path("two" + ext).c_str()), 0);
    // Not a file at all, and a file without write permission.
    ASSERT_EQ(::mkfifo(Path("pipe" + ext).c_str(), 0644), 0);
    const std::string locked = WriteBytes("locked" + ext, old);
    ASSERT_EQ(::chmod(locked.c_str(), 0444), 0);
    ASSERT_EQ((longest + ext).size(), 255u);

    for (const std::string& name : {"outer" + ext, "two" + ext, longest + ext}) {
      modal.clear();
      kind.save(modal, Path(name));
      EXPECT_TRUE(modal.messages().empty()) << name;
    }
    EXPECT_EQ(FileBytes(real), expected);
    EXPECT_TRUE(std::filesystem::is_symlink(Path("outer" + ext)));
    EXPECT_TRUE(std::filesystem::is_symlink(Path("inner" + ext)));
    EXPECT_EQ(FileBytes(one), expected);
    EXPECT_EQ(FileBytes(Path("two" + ext)), expected);
    EXPECT_EQ(std::filesystem::hard_link_count(one), 2u);
    EXPECT_EQ(FileBytes(Path(longest + ext)), expected);

    for (const auto& [name, reason] : {std::pair{"pipe" + ext, PROBLEM_NOT_REGULAR_FILE},
                                       std::pair{"locked" + ext, PROBLEM_NO_PERMISSION}}) {
      modal.clear();
      kind.save(modal, Path(name));
      EXPECT_EQ(modal.texts(), std::vector<std::string>{kind.refusal(Path(name), reason)}) << name;
    }
    EXPECT_TRUE(std::filesystem::is_fifo(Path("pipe" + ext)));
    EXPECT_EQ(FileBytes(locked), old);
  }
  // Only the names made above are there: no temporary was left behind.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_), {}), 3 * 8);
}

TEST_F(SaveFlow, AnIconSaveMarksTheTabsSavedAndABitmapSaveDoesNot) {
  ImageTab& first = AddTab(8, 8, 16, 1);
  AddTab(8, 8, 16, 2);
  // The first snapshot, then an edit.
  RecordUndo(first);
  RecordUndo(first);
  ASSERT_FALSE(AllTabsUnchanged(tabSet));

  // The bitmap loses the masks and does not open as the document again.
  PressLater(modal, ID_SAVE_SIDE_BY_SIDE);
  modal.QueueFile(Path("strip.bmp"));
  ASSERT_EQ(SaveTypeDialog(), 1);
  EXPECT_FALSE(AllTabsUnchanged(tabSet));

  PressLater(modal, ID_SAVE_ONE_ICON);
  modal.QueueFile(Path("saved.ico"));
  ASSERT_EQ(SaveTypeDialog(), 1);
  EXPECT_TRUE(AllTabsUnchanged(tabSet));
  modal.clear();
  EXPECT_TRUE(AskSaveBeforeClose());
  EXPECT_TRUE(modal.messages().empty()) << "closing right after saving asks nothing";

  // Undoing past the saved state is a change; redoing back to it is not.
  ASSERT_TRUE(StepUndoSnapshot(first));
  EXPECT_FALSE(AllTabsUnchanged(tabSet));
  ASSERT_TRUE(StepRedoSnapshot(first));
  EXPECT_TRUE(AllTabsUnchanged(tabSet));
}

TEST(FileDialogs, TheAllFilesFilterShowsItsTextAndListsNamesWithoutADot) {
  QFileDialog dialog;
  SetUpFileDialog(dialog, {false, "開く（パレット）", {{"パレット(*.qpl)", "*.qpl"}, {"全て(*.*)", "*.*"}}, {}, {}});
  auto* types = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
  auto* model = dialog.findChild<QFileSystemModel*>();
  ASSERT_NE(types, nullptr);
  ASSERT_NE(model, nullptr);
  ASSERT_EQ(types->count(), 2);
  EXPECT_EQ(types->itemText(0).toStdString(), "パレット(*.qpl)");
  EXPECT_EQ(types->itemText(1).toStdString(), "全て(*.*)");
  EXPECT_TRUE(QDir::match(model->nameFilters(), QStringLiteral("warm.qpl")));
  EXPECT_FALSE(QDir::match(model->nameFilters(), QStringLiteral("warm")));
  dialog.selectNameFilter(dialog.nameFilters().at(1));
  EXPECT_TRUE(QDir::match(model->nameFilters(), QStringLiteral("warm")));
  EXPECT_TRUE(QDir::match(model->nameFilters(), QStringLiteral("warm.qpl")));
}

TEST_F(SaveFlow, ACancelledFileDialogWritesNothing) {
  AddTab(8, 8, 2, 1);
  PressLater(modal, ID_SAVE_ONE_ICON);
  modal.QueueFile("");
  EXPECT_EQ(SaveTypeDialog(), 2);
  EXPECT_TRUE(modal.messages().empty());
  EXPECT_EQ(tabSet.documentName, "無名");
  EXPECT_TRUE(std::filesystem::is_empty(folder_));
}

TEST_F(SaveFlow, AFailedSaveLeavesTheOldFileIntact) {
  AddTab(64, 64, 0, 1);
  const ByteBuffer old = {'o', 'l', 'd', ' ', 'f', 'i', 'l', 'e'};
  const std::string target = WriteBytes("keep.ico", old);

  // Files may not grow past 1000 bytes while the save runs, so the write
  // stops part way through the 5.6 KiB file.
  PressLater(modal, ID_SAVE_ONE_ICON);
  modal.QueueFile(target);
  const int result = WithFileSizeLimit(1000, [] { return SaveTypeDialog(); });

  EXPECT_EQ(result, 2);
  EXPECT_EQ(modal.texts(),
            (std::vector<std::string>{FileMessage(target, std::string(ICON_WRITE_FAILED) + "\n" + PROBLEM_DISK_FULL)}));
  EXPECT_EQ(FileBytes(target), old);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_), {}), 1) << "the temporary is removed";
  EXPECT_EQ(tabSet.documentName, target) << "the chosen name stays the document's";
}

TEST_F(SaveFlow, AFolderThatCannotTakeTheFileFailsToOpen) {
  AddTab(8, 8, 2, 1);
  const std::string target = Path("no/such/folder/x.ico");
  PressLater(modal, ID_SAVE_ONE_ICON);
  modal.QueueFile(target);
  EXPECT_EQ(SaveTypeDialog(), 2);
  EXPECT_EQ(modal.texts(),
            (std::vector<std::string>{FileMessage(target, std::string(ICON_OPEN_FAILED) + "\n" + PROBLEM_NO_FOLDER)}));
}

TEST_F(SaveFlow, LongPathsAreSavedAndOpenedWhole) {
  std::string deep = folder_;
  for (int i = 0; i < 6; ++i) {
    deep += "/" + std::string(60, static_cast<char>('a' + i));
    ASSERT_EQ(::mkdir(deep.c_str(), 0755), 0);
  }
  const std::string target = deep + "/" + std::string(40, 'z') + ".ico";
  ASSERT_GT(target.size(), 400u);
  AddTab(9, 9, 16, 1);
  PressLater(modal, ID_SAVE_ONE_ICON);
  modal.QueueFile(target);
  CommandSave();
  EXPECT_TRUE(modal.messages().empty());
  EXPECT_EQ(tabSet.documentName, target);
  DeleteAllTabs();
  OpenIconFile(target);
  EXPECT_TRUE(modal.messages().empty());
  EXPECT_EQ(tabSet.tabCount, 1);
  EXPECT_EQ(tabSet.documentName, target);
}

TEST_F(SaveFlow, TheSaveQuestionBeforeDiscarding) {
  // Nothing changed: no question, the tabs go.
  AddTab(8, 8, 2, 1);
  EXPECT_TRUE(AskSaveAndDiscardAll());
  EXPECT_TRUE(modal.messages().empty());
  EXPECT_EQ(tabSet.tabCount, 0);

  // Changed and answered No: discarded without writing.
  ImageTab& tab = AddTab(8, 8, 2, 1);
  RecordUndo(tab);
  RecordUndo(tab);
  modal.QueueAnswer(IDNO);
  EXPECT_TRUE(AskSaveAndDiscardAll());
  ASSERT_EQ(modal.messages().size(), 1u);
  EXPECT_EQ(modal.messages()[0].text, "[ 無名 ]\n\n変更されています保存しますか？");
  EXPECT_EQ(modal.messages()[0].caption, "問い合わせ");
  EXPECT_EQ(modal.messages()[0].buttons, MB_YESNOCANCEL);
  EXPECT_EQ(tabSet.tabCount, 0);
  EXPECT_TRUE(std::filesystem::is_empty(folder_));

  // Yes, then the save-type dialog is cancelled: every tab stays.
  ImageTab& kept = AddTab(8, 8, 2, 1);
  RecordUndo(kept);
  RecordUndo(kept);
  modal.clear();
  modal.QueueAnswer(IDYES);
  PressLater(modal, IDCANCEL);
  EXPECT_FALSE(AskSaveAndDiscardAll());
  EXPECT_EQ(tabSet.tabCount, 1);
  EXPECT_FALSE(AllTabsUnchanged(tabSet));

  // Yes and a saved file: written, then discarded.
  modal.clear();
  modal.QueueAnswer(IDYES);
  PressLater(modal, ID_SAVE_ONE_ICON);
  modal.QueueFile(Path("kept.ico"));
  EXPECT_TRUE(AskSaveAndDiscardAll());
  EXPECT_EQ(tabSet.tabCount, 0);
  std::vector<ImageTab> images;
  EXPECT_EQ(DecodeIconFile(FileBytes(Path("kept.ico")), images), "");
  EXPECT_EQ(images.size(), 1u);
}

TEST_F(SaveFlow, EscapeCancelsTheSaveTypeDialog) {
  AddTab(8, 8, 2, 1);
  modal.QueueDialog([](QDialog& dialog) { dialog.reject(); });
  EXPECT_EQ(SaveTypeDialog(), 2);
  EXPECT_TRUE(modal.fileRequests().empty());
}

TEST_F(SaveFlow, AFileChangedOnDiskSinceItWasOpenedIsOverwrittenOnlyWhenTheUserSaysSo) {
  const std::string path = WriteIcon("doc.ico", 1);
  OpenIconFile(path);
  ASSERT_EQ(tabSet.documentName, path);
  const auto save = [this, &path](std::optional<int> answer) {
    modal.clear();
    if (answer) modal.QueueAnswer(*answer);
    PressLater(modal, ID_SAVE_ONE_ICON);
    modal.QueueFile(path);
    return SaveTypeDialog();
  };
  // Saved twice without anyone else touching the file: nothing is asked.
  ASSERT_EQ(save(std::nullopt), 1);
  ASSERT_EQ(save(std::nullopt), 1);
  EXPECT_TRUE(modal.messages().empty());

  // Another program writes three images into it. Declining, or closing the
  // question, keeps its work.
  const ByteBuffer others = FileBytes(WriteIcon("doc.ico", 3, 16, 16, 16, 9));
  for (const std::optional<int> answer : {std::optional<int>(IDNO), std::optional<int>()}) {
    EXPECT_EQ(save(answer), 2);
    ASSERT_EQ(modal.messages().size(), 1u);
    EXPECT_EQ(modal.messages()[0].text, FileMessage(path, CHANGED_ON_DISK_QUESTION));
    EXPECT_EQ(modal.messages()[0].buttons, MB_YESNO);
    EXPECT_EQ(FileBytes(path), others);
  }
  // The palette saved onto the document's file is asked about alike.
  modal.clear();
  modal.QueueAnswer(IDNO);
  modal.QueueFile(path);
  DispatchCommand(CMD_SAVE_PALETTE);
  EXPECT_EQ(modal.messages().size(), 1u);
  EXPECT_EQ(FileBytes(path), others);

  EXPECT_EQ(save(IDYES), 1);
  EXPECT_EQ(FileBytes(path), SerializeIcon(TabsInStripOrder()));
  // What was just saved is the file as the document now knows it.
  EXPECT_EQ(save(std::nullopt), 1);
  EXPECT_EQ(modal.messages().size(), 0u);
}
