#include "app/recovery.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QTimer>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

#include "app/command_ids.h"
#include "app/main_window.h"
#include "app/menus.h"
#include "app/recovery_tabs.h"
#include "model/change_hub.h"
#include "model/tab_set.h"
#include "platform/file_name_bytes.h"
#include "platform/modal.h"
#include "platform/profile.h"
#include "platform/translation.h"
#include "storage/recovery_store.h"
#include "storage/write_failure.h"
#include "storage/write_problem.h"

namespace {

constexpr const char* FLAG_SECTION = "FLAG";
constexpr const char* RECOVERY_KEY = "Recovery";

// What the record holds; other announcements (zoom, clipboard, the tool)
// leave it as it was.
constexpr unsigned RECORDED_CHANGES =
    CHANGE_PIXELS | CHANGE_PALETTE | CHANGE_TABS | CHANGE_CAPTION | CHANGE_HISTORY | CHANGE_RECORD_UNDO |
    CHANGE_BACKGROUND;

// The thread that makes the bytes and writes them. The user-interface
// thread hands it a copy of the tabs and goes on; only the newest job waits,
// since a newer copy makes an older one worthless.
class RecoveryWriter {
 public:
  explicit RecoveryWriter(const std::string& folder) : run_(NewRecoveryRun(folder)) {
    thread_ = std::thread([this] { Loop(); });
  }
  ~RecoveryWriter() {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      stopping_ = true;
    }
    wake_.notify_all();
    thread_.join();
  }

  // A copy to fill, reusing the one the thread finished with.
  std::unique_ptr<RecoveryDocument> TakeCopy() {
    std::lock_guard<std::mutex> lock(mutex_);
    return spare_ ? std::move(spare_) : std::make_unique<RecoveryDocument>();
  }
  void Write(std::unique_ptr<RecoveryDocument> document) { Post(std::move(document), false); }
  void Remove() { Post(nullptr, true); }

  bool WaitIdle(int timeoutMs) {
    std::unique_lock<std::mutex> lock(mutex_);
    return idle_.wait_for(lock, std::chrono::milliseconds(timeoutMs), [this] { return !busy_ && !queued_; });
  }
  bool LastWriteOk() {
    std::lock_guard<std::mutex> lock(mutex_);
    return lastWriteOk_;
  }
  std::string RunFolder() const { return run_.folder + "/" + run_.name; }
  const std::string& RunName() const { return run_.name; }
  const std::string& Folder() const { return run_.folder; }

 private:
  void Post(std::unique_ptr<RecoveryDocument> document, bool remove) {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      if (next_ && !spare_) spare_ = std::move(next_);
      next_ = std::move(document);
      removeNext_ = remove;
      queued_ = true;
    }
    wake_.notify_all();
  }

  void Loop() {
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
      wake_.wait(lock, [this] { return stopping_ || queued_; });
      if (!queued_) break;
      std::unique_ptr<RecoveryDocument> document = std::move(next_);
      const bool remove = removeNext_;
      queued_ = false;
      busy_ = true;
      lock.unlock();
      bool ok = true;
      WriteProblem problem = WriteProblem::None;
      if (remove) {
        RemoveRecoveryRun(run_);
      } else if (document) {
        ok = WriteRecoveryRecord(run_, SerializeRecovery(*document), &problem) == WriteResult::Ok;
        if (!ok && !failureTold_) {
          failureTold_ = true;
          const std::string where = run_.folder.empty() ? std::string("-") : run_.folder;
          std::fprintf(stderr, "%s\n", FillText(failureText_, {where}).c_str());
        }
        // The window hears when the copy stops being kept and when it is
        // kept again, not of every write.
        if (ok != keptTold_) {
          keptTold_ = ok;
          if (tellKept_) tellKept_(ok, problem);
        }
      }
      lock.lock();
      if (document && !spare_) spare_ = std::move(document);
      if (!remove) lastWriteOk_ = ok;
      busy_ = false;
      idle_.notify_all();
    }
  }

 public:
  // Made on the user-interface thread, where the translations are looked up.
  std::string failureText_;
  // Called on the writer's thread when writes start failing or work again.
  std::function<void(bool kept, WriteProblem problem)> tellKept_;

 private:
  RecoveryRun run_;
  std::thread thread_;
  std::mutex mutex_;
  std::condition_variable wake_;
  std::condition_variable idle_;
  std::unique_ptr<RecoveryDocument> next_;
  std::unique_ptr<RecoveryDocument> spare_;
  bool removeNext_ = false;
  bool queued_ = false;
  bool busy_ = false;
  bool stopping_ = false;
  bool lastWriteOk_ = false;
  bool failureTold_ = false;
  bool keptTold_ = true;
};

struct Keeper {
  RecoverySetup setup;
  std::unique_ptr<RecoveryWriter> writer;
  std::unique_ptr<QTimer> quiet;
  std::unique_ptr<QTimer> longest;
  // A record of this run may be on disk.
  bool recorded = false;
};

Keeper keeper;

void WriteNow() {
  if (!keeper.writer) return;
  keeper.quiet->stop();
  keeper.longest->stop();
  if (AllTabsUnchanged(tabSet)) return;
  std::unique_ptr<RecoveryDocument> copy = keeper.writer->TakeCopy();
  TakeRecoverySnapshot(*copy);
  keeper.writer->Write(std::move(copy));
  keeper.recorded = true;
}

// After every announcement: unsaved work is written once the user pauses
// (or the longest wait is over); a document with nothing unsaved keeps no
// record.
bool NoticeChange(ImageTab*, unsigned changes) {
  if (!keeper.writer || (changes & RECORDED_CHANGES) == 0) return false;
  if (!AllTabsUnchanged(tabSet)) {
    keeper.quiet->start(keeper.setup.quietMs);
    if (!keeper.longest->isActive()) keeper.longest->start(keeper.setup.longestMs);
  } else {
    keeper.quiet->stop();
    keeper.longest->stop();
    if (keeper.recorded) keeper.writer->Remove();
    keeper.recorded = false;
  }
  return false;
}

std::string ProblemText(RecoveryProblem problem) {
  switch (problem) {
    case RecoveryProblem::None: break;
    case RecoveryProblem::Truncated: return UiString(RECOVERY_TRUNCATED);
    case RecoveryProblem::Damaged: return UiString(RECOVERY_DAMAGED);
    case RecoveryProblem::Newer: return UiString(RECOVERY_NEWER);
    case RecoveryProblem::TooLarge: return UiString(RECOVERY_TOO_LARGE);
    case RecoveryProblem::Link: return UiString(RECOVERY_LINK);
    case RecoveryProblem::NotFile: return UiString(RECOVERY_NOT_FILE);
    case RecoveryProblem::Unreadable:
    case RecoveryProblem::Foreign: return UiString(RECOVERY_UNREADABLE);
  }
  return UiString(RECOVERY_DAMAGED);
}

std::string OfferText(const RecoverySummary& summary) {
  const QString when =
      QDateTime::fromSecsSinceEpoch(summary.writtenAt).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
  // A file's name is shown as every message shows it, its bytes that are no
  // UTF-8 as "\xHH"; only the unnamed document's name is translated.
  const std::string name = summary.name.find('/') == std::string::npos ? UiString(summary.name)
                                                                       : ReadableFileName(summary.name);
  return FillText(UiString(RECOVERY_OFFER), {name, std::to_string(summary.tabCount),
                                             std::to_string(summary.changedCount), when.toStdString()});
}

// Tells the user, on the user-interface thread, that unsaved work is no
// longer kept (and why) or is kept again.
void TellKept(bool kept, WriteProblem problem, const std::string& folder) {
  if (!keeper.writer || keeper.writer->Folder() != folder) return;
  if (kept) {
    ShowReport(UiString(RECOVERY_KEPT_AGAIN));
  } else if (folder.empty()) {
    ShowReport(UiString(RECOVERY_NOT_KEPT) + "\n" + UiString(RECOVERY_NO_HOME));
  } else if (problem == WriteProblem::FolderNotWritable) {
    ShowReport(UiString(RECOVERY_NOT_KEPT) + "\n" + UiString(RECOVERY_FOLDER_UNUSABLE) + "\n[ " + folder + " ]");
  } else {
    ShowReport(WriteFailureNote(folder, RECOVERY_NOT_KEPT, problem));
  }
}

// Says in one message what was left unread because it is not the user's
// alone.
void TellForeign(const std::vector<std::string>& paths) {
  std::string joined;
  for (const std::string& path : paths) joined += (joined.empty() ? "" : " ]\n[ ") + path;
  if (!joined.empty()) ShowReport(FillText(UiString(RECOVERY_FOREIGN), {joined}));
}

// Reports data that cannot be used and moves it aside.
void RefuseEndedRun(EndedRun& run, const std::string& folder) {
  const std::string where = SetEndedRunAside(run, RefusedRecoveryFolder(folder));
  ShowReport(where.empty() ? FillText(UiString(RECOVERY_REFUSED_KEPT), {run.path, ProblemText(run.problem)})
                           : FillText(UiString(RECOVERY_REFUSED), {run.path, ProblemText(run.problem), where}));
}

// Reads the run's whole record, restores its tabs and takes its data over:
// the old record goes only once this run's own holds the same work. A
// record that cannot be read whole or made into tabs is moved aside, so
// that it is not offered again.
bool RestoreEndedRun(EndedRun& run, const std::string& folder) {
  const RecoveryProblem problem = LoadEndedRun(run);
  const bool restored = problem == RecoveryProblem::None && RestoreRecoveryDocument(run.document);
  run.document = RecoveryDocument{};
  if (!restored) {
    if (problem == RecoveryProblem::Foreign) {
      ReleaseEndedRun(run);
      TellForeign({run.path});
      return false;
    }
    if (problem == RecoveryProblem::None) run.problem = RecoveryProblem::Damaged;
    RefuseEndedRun(run, folder);
    return false;
  }
  bool taken = false;
  if (keeper.writer) {
    WriteNow();
    taken = keeper.writer->WaitIdle(10000) && keeper.writer->LastWriteOk();
  }
  if (taken) {
    DiscardEndedRun(run);
  } else {
    ReleaseEndedRun(run);
  }
  return true;
}

void ShowMenuState() { SetMenuChecked(CMD_RECOVERY, RecoveryKeeping()); }

}  // namespace

bool RecoveryOnInSettings() { return GetProfileInt(FLAG_SECTION, RECOVERY_KEY, 1, iniPath) != 0; }

void StartRecovery(bool offForRun, const RecoverySetup& setup) {
  // Kept for the settings entry, which may turn recovery on later.
  keeper.setup = setup;
  if (!offForRun && RecoveryOnInSettings()) {
    StartKeepingRecovery(setup);
    OfferEndedRuns(keeper.setup.folder);
  }
  ShowMenuState();
}

void StartKeepingRecovery(const RecoverySetup& setup) {
  if (keeper.writer) return;
  keeper.setup = setup;
  if (keeper.setup.folder.empty()) keeper.setup.folder = DefaultRecoveryFolder();
  keeper.writer = std::make_unique<RecoveryWriter>(keeper.setup.folder);
  keeper.writer->failureText_ = UiString(RECOVERY_WRITE_FAILED);
  const std::string folder = keeper.setup.folder;
  keeper.writer->tellKept_ = [folder](bool kept, WriteProblem problem) {
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [kept, problem, folder] { TellKept(kept, problem, folder); },
        Qt::QueuedConnection);
  };
  keeper.quiet = std::make_unique<QTimer>();
  keeper.quiet->setSingleShot(true);
  keeper.longest = std::make_unique<QTimer>();
  keeper.longest->setSingleShot(true);
  QObject::connect(keeper.quiet.get(), &QTimer::timeout, [] { WriteNow(); });
  QObject::connect(keeper.longest.get(), &QTimer::timeout, [] { WriteNow(); });
  keeper.recorded = false;
  WatchAnnouncements(NoticeChange);
  // Work already unsaved when recovery is turned on is kept as well.
  NoticeChange(nullptr, CHANGE_PIXELS);
  ShowMenuState();
}

void OfferEndedRuns(const std::string& folder) {
  if (folder.empty()) return;
  const std::string own = keeper.writer ? keeper.writer->RunName() : std::string();
  std::vector<EndedRun> runs = ClaimEndedRuns(folder, own);
  std::vector<std::string> foreign;
  for (EndedRun& run : runs)
    if (run.problem == RecoveryProblem::Foreign) foreign.push_back(run.path);
  TellForeign(foreign);
  bool restored = false;
  for (EndedRun& run : runs) {
    if (run.problem == RecoveryProblem::Foreign) {
      ReleaseEndedRun(run);
      continue;
    }
    if (run.problem != RecoveryProblem::None) {
      RefuseEndedRun(run, folder);
      continue;
    }
    // One document at a time: the others wait for the next start.
    if (restored || tabSet.tabCount > 0) {
      ReleaseEndedRun(run);
      continue;
    }
    if (AskQuestion(OfferText(run.summary), MB_YESNO) == IDYES) {
      restored = RestoreEndedRun(run, folder);
    } else if (AskQuestion(RECOVERY_DISCARD_QUESTION, MB_YESNO) == IDYES) {
      DiscardEndedRun(run);
    } else {
      ReleaseEndedRun(run);
    }
  }
}

void EndRecovery() {
  if (!keeper.writer) return;
  WatchAnnouncements(nullptr);
  keeper.quiet.reset();
  keeper.longest.reset();
  keeper.writer->Remove();
  keeper.writer.reset();
  keeper.recorded = false;
  ShowMenuState();
}

bool RecoveryKeeping() { return keeper.writer != nullptr; }

void WriteRecoveryNow() { WriteNow(); }

std::string RecoveryRunFolder() { return keeper.writer ? keeper.writer->RunFolder() : std::string(); }

bool WaitForRecoveryWrites(int timeoutMs) { return !keeper.writer || keeper.writer->WaitIdle(timeoutMs); }

void CommandToggleRecovery() {
  const bool on = !RecoveryKeeping();
  WriteProfileString(FLAG_SECTION, RECOVERY_KEY, on ? "1" : "0", iniPath);
  if (on) {
    StartKeepingRecovery(keeper.setup);
  } else {
    EndRecovery();
  }
  ShowMenuState();
}
