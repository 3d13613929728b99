// An animated cursor as a document: it opens as one tab per frame with its
// hot spot and time, saves back byte for byte (sequence included), refuses
// damaged files and more frames than tabs, takes a new frame time through
// its dialog with undo, plays in the preview, and exports its steps as an X11
// cursor and into a cursor theme folder.

#include <QComboBox>
#include <QSpinBox>
#include <filesystem>
#include <tuple>

#include "app/command_ids.h"
#include "app/commands.h"
#include "app/frame_time_dialog.h"
#include "app/recovery_tabs.h"
#include "app/status_note.h"
#include "canvas/animation_player.h"
#include "canvas/preview.h"
#include "fileio/ani_document.h"
#include "fileio/ani_format.h"
#include "fileio/cursor_theme_dialog.h"
#include "fileio/cursor_theme_export.h"
#include "fileio/open_flow.h"
#include "fileio/save_flow.h"
#include "fileio/xcursor_export.h"
#include "model/animation.h"
#include "model/change_hub.h"
#include "platform/dialog_template.h"
#include "tests/support/ani_samples.h"
#include "tests/support/family_icon.h"
#include "tests/ui/file_flow_fixture.h"

namespace {

namespace fs = std::filesystem;

using samples::AniHeader;
using samples::CursorFrame;
using samples::FrameList;
using samples::RiffChunk;
using samples::RiffList;
using samples::Values;

class AniDocument : public FileFlowTest {
 protected:
  // Three frames shown five times: 0 1 2 1 0, the last step with its own
  // time; a title list first, as some tools write it.
  static ByteBuffer SpinningFile() {
    return RiffList("RIFF", "ACON",
                    {RiffList("LIST", "INFO", {RiffChunk("INAM", {'s', 'p', 'i', 'n', 0})}),
                     RiffChunk("anih", AniHeader(3, 5, 8, 3)), RiffChunk("rate", Values({8, 12, 6, 12, 30})),
                     RiffChunk("seq ", Values({0, 1, 2, 1, 0})),
                     FrameList({CursorFrame(32, 16, 1, 3, 4), CursorFrame(32, 16, 2, 5, 6), CursorFrame(16, 2, 3, 15, 0)})});
  }

  static std::vector<std::string> Messages(const ModalRecorder& modal) {
    std::vector<std::string> texts;
    for (const MessageBoxRequest& request : modal.messages()) texts.push_back(request.text);
    return texts;
  }
};

TEST_F(AniDocument, OpensOneTabPerFrameWithHotSpotAndTimeAndSavesBackByteForByte) {
  struct Case {
    const char* what;
    ByteBuffer file;
    std::vector<std::pair<int, int>> hotSpots;
    std::vector<std::uint32_t> frameRates;
    // Which frames open as true-colour tabs; none when empty.
    std::vector<bool> trueColour;
  };
  // A 32-bit frame with soft alpha and its hot spot at (40, 7).
  ByteBuffer ramp = import_samples::BuildIcon({family_icon::Ramp(48, 3)});
  ramp[2] = 2;
  ramp[6 + 4] = 40;
  ramp[6 + 6] = 7;
  const std::vector<Case> cases = {
      {"sequence repeating frames", SpinningFile(), {{3, 4}, {5, 6}, {15, 0}}, {8, 12, 6}, {}},
      {"no rate and no sequence",
       RiffList("RIFF", "ACON",
                {RiffChunk("anih", AniHeader(2, 2, 7, 1)),
                 FrameList({CursorFrame(24, 0, 4, 1, 2), CursorFrame(24, 0, 5, 23, 22)})}),
       {{1, 2}, {23, 22}},
       {7, 7},
       {}},
      {"a 32-bit frame",
       RiffList("RIFF", "ACON",
                {RiffChunk("anih", AniHeader(2, 2, 7, 1)), FrameList({CursorFrame(24, 0, 4, 1, 2), ramp})}),
       {{1, 2}, {40, 7}},
       {7, 7},
       {false, true}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string path = WriteBytes("pointer.ani", c.file);
    OpenIconFile(path);
    EXPECT_EQ(Messages(modal), std::vector<std::string>{});
    ASSERT_EQ(tabSet.tabCount, static_cast<int>(c.hotSpots.size()));
    for (std::size_t i = 0; i < c.hotSpots.size(); ++i) {
      const ImageTab& tab = *StripTabs()[i];
      EXPECT_EQ(std::make_pair(int(tab.hotSpotX), int(tab.hotSpotY)), c.hotSpots[i]) << i;
      EXPECT_EQ(tab.frameRate, c.frameRates[i]) << i;
      EXPECT_EQ(IsTrueColour(tab), i < c.trueColour.size() && c.trueColour[i]) << i;
    }
    // Save writes the document's own file again without asking.
    DispatchCommand(CMD_SAVE);
    EXPECT_EQ(modal.dialogsRun(), 0);
    EXPECT_EQ(FileBytes(path), c.file);
    // Edited frames are written anew; the sequence and times stay.
    ImageTab& first = *CurrentTab();
    CellAt(first, 0, 0) = 1;
    Announce(&first, CHANGE_PIXELS | CHANGE_RECORD_UNDO);
    DispatchCommand(CMD_SAVE);
    AniFile before, after;
    ASSERT_EQ(ReadAniBytes(c.file, before), "");
    ASSERT_EQ(ReadAniBytes(FileBytes(path), after), "");
    EXPECT_EQ(after.sequence, before.sequence);
    EXPECT_EQ(after.rates, before.rates);
    EXPECT_EQ(after.frames.size(), before.frames.size());
    EXPECT_NE(after.frames[0], before.frames[0]);
    EXPECT_EQ(after.frames[1], before.frames[1]);
    DeleteAllTabs();
    modal.clear();
  }
}

TEST_F(AniDocument, ReorderedAndAddedTabsKeepTheSequenceOfTheirFrames) {
  const std::string path = WriteBytes("spin.ani", SpinningFile());
  OpenIconFile(path);
  ASSERT_EQ(tabSet.tabCount, 3);
  // A fourth frame made in the editor shows once at the end, at the
  // animation's default time.
  FillNewTab(modal, "32", "32", "16");
  DispatchCommand(CMD_NEW_TAB);
  ASSERT_EQ(tabSet.tabCount, 4);
  DispatchCommand(CMD_SAVE);
  AniFile saved;
  ASSERT_EQ(ReadAniBytes(FileBytes(path), saved), "");
  EXPECT_EQ(saved.frames.size(), 4u);
  EXPECT_EQ(saved.sequence, (std::vector<std::uint32_t>{0, 1, 2, 1, 0, 3}));
  EXPECT_EQ(saved.rates, (std::vector<std::uint32_t>{8, 12, 6, 12, 30, 8}));
  // Deleting the second frame drops its steps; the others are renumbered.
  tabSet.currentPosition = 1;
  ShowCurrentPosition();
  modal.QueueAnswer(IDOK);
  DispatchCommand(CMD_DELETE_TAB);
  ASSERT_EQ(tabSet.tabCount, 3);
  DispatchCommand(CMD_SAVE);
  ASSERT_EQ(ReadAniBytes(FileBytes(path), saved), "");
  EXPECT_EQ(saved.sequence, (std::vector<std::uint32_t>{0, 1, 0, 2}));
  EXPECT_EQ(saved.rates, (std::vector<std::uint32_t>{8, 6, 30, 8}));
  // A new tab in the deleted tab's slot inherits none of its steps.
  FillNewTab(modal, "16", "16", "2");
  DispatchCommand(CMD_NEW_TAB);
  ASSERT_EQ(tabSet.tabCount, 4);
  DispatchCommand(CMD_SAVE);
  ASSERT_EQ(ReadAniBytes(FileBytes(path), saved), "");
  EXPECT_EQ(saved.sequence, (std::vector<std::uint32_t>{0, 1, 0, 2, 3}));
  EXPECT_EQ(saved.rates, (std::vector<std::uint32_t>{8, 6, 30, 8, 8}));
}

TEST_F(AniDocument, DamagedFilesAndTooManyFramesAreRefusedWithTheirMessage) {
  const ByteBuffer frame = CursorFrame(16, 16, 1, 0, 0);
  ByteBuffer cut = SpinningFile();
  cut.resize(cut.size() / 2);
  ByteBuffer twoImages = SerializeIcon({});
  {
    ImageTab a = samples::PatternTab(16, 16, 16, 1);
    ImageTab b = samples::PatternTab(32, 32, 16, 2);
    twoImages = SerializeCursor({&a, &b});
  }
  struct Case {
    const char* what;
    ByteBuffer file;
    std::string message;
  };
  const std::vector<Case> cases = {
      {"cut short", cut, ANI_TRUNCATED},
      {"zero frames", RiffList("RIFF", "ACON", {RiffChunk("anih", AniHeader(0, 0, 10, 1)), FrameList({})}),
       ANI_NO_FRAMES},
      {"count past the file",
       RiffList("RIFF", "ACON", {RiffChunk("anih", AniHeader(5000, 5000, 10, 1)), FrameList({frame})}),
       ANI_FRAME_COUNT},
      {"more frames than tabs",
       RiffList("RIFF", "ACON",
                {RiffChunk("anih", AniHeader(21, 21, 10, 1)), FrameList(std::vector<ByteBuffer>(21, frame))}),
       OPEN_TOO_MANY_TABS},
      {"a frame of two images",
       RiffList("RIFF", "ACON", {RiffChunk("anih", AniHeader(1, 1, 10, 1)), FrameList({twoImages})}),
       FillText(ANI_FRAME_PROBLEM, {"1", ANI_FRAME_IMAGES})},
      {"a frame that is no icon",
       RiffList("RIFF", "ACON", {RiffChunk("anih", AniHeader(2, 2, 10, 1)), FrameList({frame, ByteBuffer(40, 7)})}),
       FillText(ANI_FRAME_PROBLEM, {"2", ICON_NOT_ICON_FILE})},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    modal.clear();
    const std::string path = WriteBytes("bad.ani", c.file);
    OpenIconFile(path);
    EXPECT_EQ(tabSet.tabCount, 0);
    const std::vector<std::string> messages = Messages(modal);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find(c.message), std::string::npos) << messages[0];
  }
}

TEST_F(AniDocument, FrameTimeDialogSetsTheTimeForEveryStepAndUndoTakesItBack) {
  const std::string path = WriteBytes("spin.ani", SpinningFile());
  OpenIconFile(path);
  ASSERT_EQ(tabSet.tabCount, 3);
  ImageTab& first = *CurrentTab();
  int shown = -1;
  modal.QueueDialog([&shown](QDialog& dialog) {
    auto* value = FindControl<QSpinBox>(dialog, ID_FRAME_TIME_VALUE);
    ASSERT_NE(value, nullptr);
    shown = value->value();
    value->setValue(45);
    PressButton(dialog, IDOK);
  });
  DispatchCommand(CMD_FRAME_TIME);
  EXPECT_EQ(shown, 8);
  EXPECT_EQ(first.frameRate, 45u);
  EXPECT_TRUE(IsTabChanged(first));
  DispatchCommand(CMD_SAVE);
  AniFile saved;
  ASSERT_EQ(ReadAniBytes(FileBytes(path), saved), "");
  // Both steps of the first frame, the one with its own time too.
  EXPECT_EQ(saved.rates, (std::vector<std::uint32_t>{45, 12, 6, 12, 45}));

  DispatchCommand(CMD_UNDO);
  EXPECT_EQ(first.frameRate, 8u);
  // Cancel changes nothing.
  modal.QueueDialog([](QDialog& dialog) {
    FindControl<QSpinBox>(dialog, ID_FRAME_TIME_VALUE)->setValue(99);
    PressButton(dialog, IDCANCEL);
  });
  DispatchCommand(CMD_FRAME_TIME);
  EXPECT_EQ(first.frameRate, 8u);
  EXPECT_FALSE(SetFrameTime(first, 0));
  EXPECT_FALSE(SetFrameTime(first, FRAME_TIME_MAX + 1));
  EXPECT_EQ(first.frameRate, 8u);
}

TEST_F(AniDocument, ThePreviewPlaysTheStepsOnlyWhileTheDocumentIsAnAnimation) {
  const std::string path = WriteBytes("spin.ani", SpinningFile());
  OpenIconFile(path);
  ASSERT_EQ(tabSet.tabCount, 3);
  ASSERT_TRUE(AnimationPlaying());
  ASSERT_NE(mainPreview.control, nullptr);
  EXPECT_TRUE(mainPreview.control->hasOverlay());
  EXPECT_EQ(AnimationStepShown(), 0u);
  for (std::size_t step = 1; step <= 5; ++step) {
    AdvanceAnimation();
    EXPECT_EQ(AnimationStepShown(), step % 5);
  }
  // The canvas the views draw (and the copy reads) still shows the current
  // tab.
  EXPECT_EQ(tabSet.currentPosition, 0);

  // Saved as an icon, it stops.
  modal.QueueDialog([](QDialog& dialog) { PressButton(dialog, ID_SAVE_ONE_ICON); });
  modal.QueueFile(Path("still.ico"));
  DispatchCommand(CMD_SAVE_AS);
  EXPECT_EQ(tabSet.documentName, Path("still.ico"));
  EXPECT_FALSE(AnimationPlaying());
  EXPECT_FALSE(mainPreview.control->hasOverlay());
}

TEST_F(AniDocument, XcursorExportFollowsTheStepsWithTheirTimesAndTheThemeHoldsIt) {
  const std::string path = WriteBytes("wait.ani", SpinningFile());
  OpenIconFile(path);
  ASSERT_EQ(tabSet.tabCount, 3);
  const std::vector<XcursorFrame> frames = XcursorFramesOfDocument();
  ASSERT_EQ(frames.size(), 5u);
  const std::vector<int> frameOfStep = {0, 1, 2, 1, 0};
  const std::vector<std::uint32_t> ms = {133, 200, 100, 200, 500};
  for (std::size_t i = 0; i < frames.size(); ++i) {
    EXPECT_EQ(frames[i].tab, StripTabs()[frameOfStep[i]]) << i;
    EXPECT_EQ(frames[i].delayMs, ms[i]) << i;
  }

  // The dialog starts at the document's name; the folder is chosen in a
  // folder dialog, and the name's aliases become links to the cursor.
  const std::string theme = Path("MyTheme");
  const auto exportAs = [this, &theme](const char* name) {
    modal.QueueFile(theme);
    modal.QueueDialog([name](QDialog& dialog) {
      EXPECT_EQ(FindControl<QComboBox>(dialog, ID_THEME_NAME)->currentData().toString(), "wait");
      PressButton(dialog, ID_THEME_BROWSE);
      auto* names = FindControl<QComboBox>(dialog, ID_THEME_NAME);
      names->setCurrentIndex(names->findData(QString::fromUtf8(name)));
      PressButton(dialog, IDOK);
    });
    DispatchCommand(CMD_EXPORT_CURSOR_THEME);
  };
  exportAs("wait");
  EXPECT_EQ(Messages(modal), std::vector<std::string>{});
  EXPECT_TRUE(modal.fileRequests().back().folder);
  EXPECT_EQ(FileBytes(theme + "/cursors/wait"), SerializeXcursor(frames));
  EXPECT_EQ(fs::read_symlink(theme + "/cursors/watch"), "wait");
  EXPECT_EQ(StatusNote(), theme + "/cursors/wait を書き出しました（別名のリンク: watch）");
  const ByteBuffer index = FileBytes(theme + "/index.theme");
  EXPECT_EQ(std::string(index.begin(), index.end()), XcursorThemeIndex("MyTheme"));
  // An index.theme of the user's own stays as it is, and so does a cursor
  // file of its own under an alias; a link of the user's is taken.
  WriteBytes("MyTheme/index.theme", {'x'});
  WriteBytes("MyTheme/cursors/arrow", {'y'});
  fs::create_symlink("wait", theme + "/cursors/default");
  DispatchCommand(CMD_EXPORT_CURSOR_THEME);  // no dialog answered: cancelled
  exportAs("left_ptr");
  EXPECT_EQ(FileBytes(theme + "/index.theme"), ByteBuffer{'x'});
  EXPECT_EQ(FileBytes(theme + "/cursors/arrow"), ByteBuffer{'y'});
  EXPECT_EQ(fs::read_symlink(theme + "/cursors/default"), "left_ptr");
  EXPECT_EQ(StatusNote(), theme +
                              "/cursors/left_ptr を書き出しました（別名のリンク: default, top_left_arrow）"
                              "（ほかのファイルがあるので残した名前: arrow）");
  EXPECT_EQ(ThemeCursorName("/a/b/left_ptr.cur"), "left_ptr");
  EXPECT_EQ(ThemeCursorName("無名"), "left_ptr");
}

// A recovery record keeps each frame's time and the sequence, and what the
// file held besides (a title and an artist, the header's size, bit count and
// planes, a rate chunk saying only the header's time); the restored document
// saves the same animation.
TEST_F(AniDocument, ARecoveryRecordKeepsTheFrameTimesAndTheSequence) {
  const ByteBuffer titled = RiffList(
      "RIFF", "ACON",
      {RiffList("LIST", "INFO", {RiffChunk("INAM", {'a', 0}), RiffChunk("IART", {'b', 0})}),
       RiffChunk("anih", Values({36, 2, 2, 32, 32, 32, 1, 9, 1})), RiffChunk("rate", Values({9, 9})),
       FrameList({CursorFrame(32, 16, 1, 3, 4), CursorFrame(32, 16, 2, 5, 6)})});
  for (const ByteBuffer& file : {SpinningFile(), titled}) {
    const std::string path = WriteBytes("spin.ani", file);
    OpenIconFile(path);
    AniFile before;
    ASSERT_EQ(ReadAniBytes(file, before), "");
    ASSERT_EQ(tabSet.tabCount, static_cast<int>(before.frames.size()));
    // The record is taken with another tab shown than the first.
    tabSet.currentPosition = 1;
    ShowCurrentPosition();
    RecoveryDocument taken;
    TakeRecoverySnapshot(taken);
    const ByteBuffer record = SerializeRecovery(taken);
    RecoveryDocument read;
    ASSERT_EQ(ParseRecovery(record.data(), record.size(), read), RecoveryRead::Ok);
    DeleteAllTabs();
    ASSERT_TRUE(RestoreRecoveryDocument(read));
    ASSERT_EQ(tabSet.tabCount, static_cast<int>(before.frames.size()));
    DispatchCommand(CMD_SAVE);
    AniFile saved;
    ASSERT_EQ(ReadAniBytes(FileBytes(path), saved), "");
    EXPECT_EQ(saved.sequence, before.sequence);
    EXPECT_EQ(saved.rates, before.rates);
    EXPECT_EQ(std::tie(saved.info, saved.width, saved.height, saved.bitCount, saved.planes),
              std::tie(before.info, before.width, before.height, before.bitCount, before.planes));
    DeleteAllTabs();
  }
}

}  // namespace
