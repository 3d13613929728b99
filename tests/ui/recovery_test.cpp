// Unsaved work kept for the next start: a run killed with SIGKILL comes back
// as it was on screen; saving, discarding and a clean end leave no data;
// declining keeps the data until the user discards it; bad data is refused
// with a message; the switch and --no-recovery turn it off.

#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QTest>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "app/command_ids.h"
#include "app/command_line.h"
#include "app/commands.h"
#include "app/menus.h"
#include "app/recovery.h"
#include "fileio/open_flow.h"
#include "fileio/plain_save.h"
#include "fileio/save_flow.h"
#include "model/change_hub.h"
#include "platform/profile.h"
#include "storage/recovery_store.h"
#include "tests/support/as_user.h"
#include "tests/ui/file_flow_fixture.h"

namespace {

namespace fs = std::filesystem;

class Recovery : public FileFlowTest {
 protected:
  void SetUp() override {
    FileFlowTest::SetUp();
    state_ = Path("state/quillet2/recovery");
    // Planted folders and records are private, as the program makes them.
    umask_ = ::umask(077);
  }
  void TearDown() override {
    EndRecovery();
    ::umask(umask_);
    FileFlowTest::TearDown();
  }

  RecoverySetup Setup() const { return {state_, 20, 2000}; }

  // The run's record once the writer has written what the last change asked.
  bool RecordWritten() {
    return QTest::qWaitFor([] {
      const std::string folder = RecoveryRunFolder();
      std::error_code error;
      return WaitForRecoveryWrites(10) && !folder.empty() &&
             fs::file_size(folder + "/" + RECOVERY_RECORD_NAME, error) > 0 && !error;
    });
  }
  bool RunDataGone() {
    return QTest::qWaitFor([] { return WaitForRecoveryWrites(10) && !fs::exists(RecoveryRunFolder()); });
  }

  // The folder of a run that was killed after writing this record.
  std::string PlantKilledRun(const std::string& name, const ByteBuffer& record) {
    const std::string folder = state_ + "/" + name;
    fs::create_directories(folder);
    WriteBytes("state/quillet2/recovery/" + name + "/lock", {});
    WriteBytes("state/quillet2/recovery/" + name + "/" + RECOVERY_RECORD_NAME, record);
    return folder;
  }

  static void EditCurrentTab() {
    ImageTab* tab = CurrentTab();
    CellAt(*tab, 0, 0) = static_cast<PixelCell>((CellAt(*tab, 0, 0) + 1) & CELL_INDEX_BITS);
    Announce(tab, CHANGE_PIXELS | CHANGE_RECORD_UNDO);
  }

  std::string state_;
  mode_t umask_ = 0;
};

RecoveryDocument TwoTabDocument(const std::string& name) {
  RecoveryDocument document;
  document.name = name;
  document.writtenAt = 1765000000;
  for (int i = 0; i < 2; ++i) {
    RecoveryTab tab;
    tab.width = 5;
    tab.height = 4;
    tab.colorCode = 16;
    tab.title = " 5x4x16 ";
    tab.changed = i == 1;
    tab.palette[2] = 0x00FF00;
    tab.cells[CellIndex(4, 3)] = static_cast<PixelCell>(2 + i);
    document.tabs.push_back(tab);
  }
  return document;
}

struct DumpedTab {
  std::uint8_t width, height, colorCode;
  char title[40];
  ColorRef palette[256];
  PixelCell cells[CELL_COUNT];
};

std::vector<DumpedTab> ReadDump(const std::string& path) {
  std::vector<DumpedTab> tabs;
  std::FILE* in = std::fopen(path.c_str(), "rb");
  if (in == nullptr) return tabs;
  int count = 0;
  if (std::fread(&count, sizeof count, 1, in) == 1 && count > 0 && count <= 20) {
    tabs.resize(static_cast<std::size_t>(count));
    for (DumpedTab& tab : tabs) {
      const bool read = std::fread(&tab.width, 1, 1, in) == 1 && std::fread(&tab.height, 1, 1, in) == 1 &&
                        std::fread(&tab.colorCode, 1, 1, in) == 1 && std::fread(tab.title, 40, 1, in) == 1 &&
                        std::fread(tab.palette, sizeof tab.palette, 1, in) == 1 &&
                        std::fread(tab.cells, sizeof tab.cells, 1, in) == 1;
      if (!read) tabs.clear();
      if (!read) break;
    }
  }
  std::fclose(in);
  return tabs;
}

pid_t StartChild(const std::string& state, const std::string& icon, const std::string& dump) {
  const pid_t child = ::fork();
  if (child == 0) {
    ::execl(RECOVERY_CHILD, RECOVERY_CHILD, state.c_str(), icon.c_str(), dump.c_str(), static_cast<char*>(nullptr));
    ::_exit(127);
  }
  return child;
}

bool ChildReady(pid_t child, const std::string& dump) {
  for (int i = 0; i < 3000; ++i) {
    if (fs::exists(dump)) return true;
    int status = 0;
    if (::waitpid(child, &status, WNOHANG) == child) {
      ADD_FAILURE() << "the child ended with " << status;
      return false;
    }
    ::usleep(10000);
  }
  return false;
}

// The whole way: a run edits several tabs and is killed; while it lived
// another run left its data alone; the next start restores the tabs exactly
// as the killed run showed them, marked changed, and Save writes them back
// to their file.
TEST_F(Recovery, AKilledRunsTabsComeBackAsTheyWereOnScreen) {
  const std::string icon = WriteIcon("three.ico", 3, 16, 16, 16, 7);
  const std::string dump = Path("dump");
  const pid_t child = StartChild(state_, icon, dump);
  ASSERT_GT(child, 0);
  const bool ready = ChildReady(child, dump);
  // A second run while the first lives: nothing offered, nothing touched,
  // and its own data in a folder of its own.
  StartRecovery(false, Setup());
  EXPECT_TRUE(modal.messages().empty());
  OpenIconFile(WriteIcon("other.ico", 1));
  EditCurrentTab();
  EXPECT_TRUE(RecordWritten());
  EXPECT_EQ(std::distance(fs::directory_iterator(state_), fs::directory_iterator()), 2);
  EndRecovery();
  DeleteAllTabs();
  ::kill(child, SIGKILL);
  ::waitpid(child, nullptr, 0);
  ASSERT_TRUE(ready);
  const std::vector<DumpedTab> shown = ReadDump(dump);
  ASSERT_EQ(shown.size(), 4u);

  modal.QueueAnswer(IDYES);
  StartRecovery(false, Setup());
  ASSERT_EQ(modal.messages().size(), 1u);
  const std::string offer = modal.texts()[0];
  EXPECT_NE(offer.find(icon), std::string::npos) << offer;
  EXPECT_NE(offer.find("タブ: 4 (うち変更 4)"), std::string::npos) << offer;
  ASSERT_EQ(tabSet.tabCount, 4);
  for (int position = 0; position < 4; ++position) {
    const ImageTab& tab = tabSet.tabs[SlotAtPosition(tabSet, position)];
    const DumpedTab& was = shown[position];
    SCOPED_TRACE(position);
    EXPECT_EQ(tab.width, was.width);
    EXPECT_EQ(tab.height, was.height);
    EXPECT_EQ(tab.colorCode, was.colorCode);
    EXPECT_STREQ(tab.title, was.title);
    EXPECT_EQ(std::memcmp(tab.palette, was.palette, sizeof(ColorRef) * PaletteSize(tab)), 0);
    for (int x = 0; x < tab.width; ++x)
      for (int y = 0; y < tab.height; ++y) ASSERT_EQ(CellAt(tab, x, y), was.cells[CellIndex(x, y)]) << x << "," << y;
    EXPECT_TRUE(IsTabChanged(tab));
  }
  EXPECT_EQ(tabSet.currentPosition, 1);
  EXPECT_EQ(tabSet.documentName, icon);
  EXPECT_EQ(Caption(), "*Quillet2 - " + icon);
  // The killed run's data became this run's: one run folder, ours.
  ASSERT_TRUE(RecordWritten());
  std::vector<std::string> runs;
  for (const auto& entry : fs::directory_iterator(state_)) runs.push_back(entry.path().string());
  EXPECT_EQ(runs, std::vector<std::string>{RecoveryRunFolder()});

  // Ctrl+S writes the file it came from, without asking, and the data goes.
  ASSERT_TRUE(CanSaveWithoutAsking());
  DispatchCommand(CMD_SAVE);
  EXPECT_EQ(modal.messages().size(), 1u);
  EXPECT_TRUE(AllTabsUnchanged(tabSet));
  EXPECT_EQ(FileBytes(icon), SerializeIcon(TabsInStripOrder()));
  EXPECT_TRUE(RunDataGone());
}

TEST_F(Recovery, SavingDiscardingAndACleanEndLeaveNoData) {
  OpenIconFile(WriteIcon("two.ico", 2));
  StartRecovery(false, Setup());
  // Nothing unsaved, nothing written.
  QTest::qWait(60);
  EXPECT_FALSE(fs::exists(RecoveryRunFolder()));

  EditCurrentTab();
  ASSERT_TRUE(RecordWritten());
  DispatchCommand(CMD_SAVE);
  EXPECT_TRUE(RunDataGone());

  // Undo back to the saved state: nothing unsaved again.
  EditCurrentTab();
  ASSERT_TRUE(RecordWritten());
  DispatchCommand(CMD_UNDO);
  EXPECT_TRUE(RunDataGone());

  // Discarding the tabs on purpose.
  EditCurrentTab();
  ASSERT_TRUE(RecordWritten());
  DeleteAllTabs();
  EXPECT_TRUE(RunDataGone());

  // A normal end.
  OpenIconFile(WriteIcon("three.ico", 3));
  EditCurrentTab();
  ASSERT_TRUE(RecordWritten());
  const std::string folder = RecoveryRunFolder();
  EndRecovery();
  EXPECT_FALSE(fs::exists(folder));
  EXPECT_TRUE(fs::is_empty(state_));
}

TEST_F(Recovery, DecliningKeepsTheDataUntilTheUserDiscardsIt) {
  // A name that is no UTF-8 is offered as every message shows it.
  const std::string planted = PlantKilledRun("run-1-1", SerializeRecovery(TwoTabDocument("/tmp/q2-\xFF.ico")));
  // No, then No to discarding: kept, and asked again next time.
  modal.QueueAnswer(IDNO);
  modal.QueueAnswer(IDNO);
  StartRecovery(false, Setup());
  ASSERT_EQ(modal.texts().size(), 2u);
  EXPECT_NE(modal.texts()[0].find("タブ: 2 (うち変更 1)"), std::string::npos) << modal.texts()[0];
  EXPECT_NE(modal.texts()[0].find("文書: /tmp/q2-\\xFF.ico\n"), std::string::npos) << modal.texts()[0];
  EXPECT_EQ(modal.texts()[1], RECOVERY_DISCARD_QUESTION);
  EXPECT_EQ(tabSet.tabCount, 0);
  EXPECT_TRUE(fs::exists(planted + "/" + RECOVERY_RECORD_NAME));
  EndRecovery();

  modal.clear();
  modal.QueueAnswer(IDNO);
  modal.QueueAnswer(IDYES);
  StartRecovery(false, Setup());
  EXPECT_EQ(modal.texts().size(), 2u);
  EXPECT_FALSE(fs::exists(planted));
  EndRecovery();

  // A restored unnamed document has no file: Save asks for one.
  PlantKilledRun("run-2-2", SerializeRecovery(TwoTabDocument("無名")));
  modal.clear();
  modal.QueueAnswer(IDYES);
  StartRecovery(false, Setup());
  ASSERT_EQ(tabSet.tabCount, 2);
  EXPECT_EQ(CellAt(*CurrentTab(), 4, 3), 2);
  EXPECT_FALSE(CanSaveWithoutAsking());
  EXPECT_FALSE(AllTabsUnchanged(tabSet));
}

// A document whose file another program changed after the record was taken
// is restored, but Save no longer writes that file without asking.
TEST_F(Recovery, AFileChangedSinceTheRecordIsNotOverwrittenUnasked) {
  const std::string icon = WriteIcon("doc.ico", 1);
  RecoveryDocument document = TwoTabDocument(icon);
  document.file = icon;
  struct stat info {};
  ASSERT_EQ(::stat(icon.c_str(), &info), 0);
  document.fileState = {true, info.st_dev, info.st_ino, static_cast<std::uint64_t>(info.st_size),
                        info.st_mtim.tv_sec, info.st_mtim.tv_nsec};
  PlantKilledRun("run-1-1", SerializeRecovery(document));
  modal.QueueAnswer(IDYES);
  StartRecovery(false, Setup());
  EXPECT_TRUE(CanSaveWithoutAsking());
  EndRecovery();
  DeleteAllTabs();

  document.fileState.nanoseconds += 1;
  PlantKilledRun("run-2-2", SerializeRecovery(document));
  modal.clear();
  modal.QueueAnswer(IDYES);
  StartRecovery(false, Setup());
  ASSERT_EQ(tabSet.tabCount, 2);
  EXPECT_EQ(tabSet.documentName, icon);
  EXPECT_FALSE(CanSaveWithoutAsking());
  if (!RunningAsRoot()) return;
  EndRecovery();
  DeleteAllTabs();

  // Another user's file, named with its stat values as they are: anyone
  // could have written such a record, so Save asks.
  ASSERT_EQ(::chown(icon.c_str(), NOBODY, NOBODY), 0);
  document.fileState.nanoseconds -= 1;
  PlantKilledRun("run-3-3", SerializeRecovery(document));
  modal.clear();
  modal.QueueAnswer(IDYES);
  StartRecovery(false, Setup());
  ASSERT_EQ(tabSet.tabCount, 2);
  EXPECT_FALSE(CanSaveWithoutAsking());
}

TEST_F(Recovery, BadDataIsRefusedWithAMessageAndKeptAside) {
  const ByteBuffer good = SerializeRecovery(TwoTabDocument("doc"));
  struct Case {
    const char* what;
    ByteBuffer record;
    const char* reason;
    // Offered, as only restoring reads the images, and restored (Yes).
    bool offered = false;
  };
  RecoveryDocument undecodable = TwoTabDocument("doc");
  undecodable.tabs[0].keptDirectory = {32, 32, 0, 0, 1, 0, 32, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  undecodable.tabs[0].keptData.assign(40, 7);
  ByteBuffer newer = good;
  newer[8] = 2;
  ByteBuffer damaged = good;
  damaged[good.size() - 3] ^= 1;
  const Case cases[] = {
      {"truncated", ByteBuffer(good.begin(), good.begin() + 100), RECOVERY_TRUNCATED},
      {"damaged", damaged, RECOVERY_DAMAGED},
      {"newer", newer, RECOVERY_NEWER},
      {"a kept image that does not decode", SerializeRecovery(undecodable), RECOVERY_DAMAGED, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string folder = PlantKilledRun("run-1-1", c.record);
    modal.clear();
    if (c.offered) modal.QueueAnswer(IDYES);
    StartRecovery(false, Setup());
    ASSERT_EQ(modal.texts().size(), c.offered ? 2u : 1u);
    const std::string aside = RefusedRecoveryFolder(state_) + "/run-1-1.q2r";
    EXPECT_EQ(modal.texts().back(), FillText(RECOVERY_REFUSED, {folder, c.reason, aside}));
    EXPECT_EQ(FileBytes(aside), c.record);
    EXPECT_EQ(tabSet.tabCount, 0);
    EXPECT_FALSE(fs::exists(folder));
    fs::remove(aside);
    EndRecovery();
  }
  // A link in the record's place: the file it points to stays as it was.
  const std::string victim = WriteIcon("victim.ico", 1);
  const ByteBuffer before = FileBytes(victim);
  const std::string folder = PlantKilledRun("run-2-2", good);
  fs::remove(folder + "/" + RECOVERY_RECORD_NAME);
  fs::create_symlink(victim, folder + "/" + RECOVERY_RECORD_NAME);
  modal.clear();
  StartRecovery(false, Setup());
  ASSERT_EQ(modal.texts().size(), 1u);
  EXPECT_NE(modal.texts()[0].find(RECOVERY_LINK), std::string::npos);
  EXPECT_EQ(FileBytes(victim), before);
  EXPECT_TRUE(fs::is_symlink(RefusedRecoveryFolder(state_) + "/run-2-2.q2r"));
}

// A recovery folder that cannot be used leaves the copy stale: the window
// says so once, and again once the copy is kept again.
TEST_F(Recovery, TheWindowSaysWhenUnsavedWorkStopsAndStartsBeingKept) {
  const std::string elsewhere = Path("elsewhere");
  fs::create_directories(elsewhere);
  fs::create_directories(fs::path(state_).parent_path());
  fs::create_symlink(elsewhere, state_);
  StartRecovery(false, Setup());
  // Not the user's own folder: nothing in it is read, and that is said.
  EXPECT_EQ(modal.texts(), std::vector<std::string>{FillText(RECOVERY_FOREIGN, {state_})});
  modal.clear();
  OpenIconFile(WriteIcon("one.ico", 1));
  const auto settled = [] {
    QTest::qWait(60);
    return WaitForRecoveryWrites(5000) && (QTest::qWait(20), true);
  };
  EditCurrentTab();
  ASSERT_TRUE(settled());
  EditCurrentTab();
  ASSERT_TRUE(settled());
  const std::string stopped = std::string(RECOVERY_NOT_KEPT) + "\n" + RECOVERY_FOLDER_UNUSABLE + "\n[ " + state_ + " ]";
  EXPECT_EQ(modal.texts(), std::vector<std::string>{stopped});
  EXPECT_TRUE(fs::is_empty(elsewhere));

  fs::remove(state_);
  EditCurrentTab();
  ASSERT_TRUE(RecordWritten());
  ASSERT_TRUE(settled());
  EXPECT_EQ(modal.texts(), (std::vector<std::string>{stopped, RECOVERY_KEPT_AGAIN}));
}

TEST_F(Recovery, TheSwitchAndTheOptionTurnItOff) {
  const std::string planted = PlantKilledRun("run-1-1", SerializeRecovery(TwoTabDocument("doc")));
  // --no-recovery: nothing offered, nothing kept.
  EXPECT_TRUE(ParseCommandLine({"quillet2", "--no-recovery", "a.ico"}).noRecovery);
  EXPECT_FALSE(ParseCommandLine({"quillet2", "a.ico"}).noRecovery);
  StartRecovery(true, Setup());
  EXPECT_FALSE(RecoveryKeeping());
  EXPECT_TRUE(modal.messages().empty());
  EXPECT_FALSE(MenuAction(CMD_RECOVERY)->isChecked());

  // The settings switch, off.
  WriteProfileString("FLAG", "Recovery", "0", iniPath);
  StartRecovery(false, Setup());
  EXPECT_FALSE(RecoveryKeeping());
  EXPECT_TRUE(modal.messages().empty());
  EXPECT_TRUE(fs::exists(planted + "/" + RECOVERY_RECORD_NAME));

  // The menu entry turns it on for this run and the next.
  DispatchCommand(CMD_RECOVERY);
  EXPECT_TRUE(RecoveryKeeping());
  EXPECT_TRUE(MenuAction(CMD_RECOVERY)->isChecked());
  EXPECT_EQ(GetProfileInt("FLAG", "Recovery", -1, iniPath), 1);
  OpenIconFile(WriteIcon("one.ico", 1));
  EditCurrentTab();
  ASSERT_TRUE(RecordWritten());
  // And off again: this run's data goes at once.
  const std::string folder = RecoveryRunFolder();
  DispatchCommand(CMD_RECOVERY);
  EXPECT_FALSE(RecoveryKeeping());
  EXPECT_FALSE(MenuAction(CMD_RECOVERY)->isChecked());
  EXPECT_EQ(GetProfileInt("FLAG", "Recovery", -1, iniPath), 0);
  EXPECT_FALSE(fs::exists(folder));
}

}  // namespace
