#pragma once
// Nothing lost when the program dies: while the document has unsaved
// changes, a copy of every tab is kept on disk (a few seconds after the
// user stops changing things, and at least every 30 seconds while they go
// on), written on a thread of its own. The next start offers what a run that
// did not end cleanly kept. Saving, discarding on purpose and a normal end
// remove it.

#include <string>

#include "platform/ui_text.h"

inline constexpr const char* RECOVERY_OFFER = QT_TRANSLATE_NOOP(
    "Quillet2",
    "前回、正常に終了しなかった Quillet2 の未保存の作業が残っています\n\n文書: %1\nタブ: %2 (うち変更 %3)\n記録: "
    "%4\n\n復元しますか？");
inline constexpr const char* RECOVERY_DISCARD_QUESTION = QT_TRANSLATE_NOOP(
    "Quillet2", "この復元データを破棄しますか？\n（「いいえ」で残し、次の起動時にもう一度尋ねます）");
inline constexpr const char* RECOVERY_REFUSED =
    QT_TRANSLATE_NOOP("Quillet2", "[ %1 ]\n\n>復元データを使えません（%2）\n移した先: %3");
inline constexpr const char* RECOVERY_REFUSED_KEPT =
    QT_TRANSLATE_NOOP("Quillet2", "[ %1 ]\n\n>復元データを使えません（%2）\n移せなかったため、そのまま残してあります");
inline constexpr const char* RECOVERY_TRUNCATED = QT_TRANSLATE_NOOP("Quillet2", "途中で切れています");
inline constexpr const char* RECOVERY_DAMAGED = QT_TRANSLATE_NOOP("Quillet2", "壊れています");
inline constexpr const char* RECOVERY_NEWER = QT_TRANSLATE_NOOP("Quillet2", "新しい版のプログラムが書いたものです");
inline constexpr const char* RECOVERY_TOO_LARGE = QT_TRANSLATE_NOOP("Quillet2", "大きすぎます");
inline constexpr const char* RECOVERY_LINK = QT_TRANSLATE_NOOP("Quillet2", "リンクです");
inline constexpr const char* RECOVERY_NOT_FILE = QT_TRANSLATE_NOOP("Quillet2", "ファイルではありません");
inline constexpr const char* RECOVERY_UNREADABLE = QT_TRANSLATE_NOOP("Quillet2", "読めません");
inline constexpr const char* RECOVERY_FOREIGN = QT_TRANSLATE_NOOP(
    "Quillet2", "[ %1 ]\n\n>自分だけのものではない復元データなので、読まずにそのまま残してあります");
inline constexpr const char* RECOVERY_NOT_KEPT =
    QT_TRANSLATE_NOOP("Quillet2", "未保存の作業を復元用に残せなくなりました");
inline constexpr const char* RECOVERY_FOLDER_UNUSABLE = QT_TRANSLATE_NOOP(
    "Quillet2", "復元用のフォルダを作れないか、自分だけが使えるフォルダではありません（リンク、ほかのユーザーのもの、ほかの人も開けるもの）");
inline constexpr const char* RECOVERY_NO_HOME =
    QT_TRANSLATE_NOOP("Quillet2", "HOME も XDG_STATE_HOME も決まっていないため、残す場所がありません");
inline constexpr const char* RECOVERY_KEPT_AGAIN =
    QT_TRANSLATE_NOOP("Quillet2", "未保存の作業を、再び復元用に残しています");
inline constexpr const char* RECOVERY_WRITE_FAILED =
    QT_TRANSLATE_NOOP("Quillet2", "quillet2: 復元データを書けません: %1");

struct RecoverySetup {
  // The recovery folder; empty for the user's (storage/recovery_store.h).
  std::string folder;
  // Quiet time after the last change before the copy is written.
  int quietMs = 3000;
  // Longest time a change waits while the user keeps changing things.
  int longestMs = 30000;
};

// The settings switch: key "Recovery" of section "FLAG", on unless 0.
bool RecoveryOnInSettings();

// At start, once the main window exists: when recovery is on in the
// settings and not turned off for the run, offers what ended runs left,
// then keeps this run's unsaved work.
void StartRecovery(bool offForRun, const RecoverySetup& setup = {});
// Keeps this run's unsaved work from now on (no offer).
void StartKeepingRecovery(const RecoverySetup& setup);
// Offers the data of runs that ended without cleaning up, each in turn;
// data that cannot be used is reported and moved aside.
void OfferEndedRuns(const std::string& folder);
// A normal end, or recovery turned off: finishes the writing, removes this
// run's data and stops keeping it.
void EndRecovery();
bool RecoveryKeeping();
// Copies the tabs now and hands the copy to the writer, when anything is
// unsaved; all the user-interface thread spends on a write.
void WriteRecoveryNow();
// The folder of this run's data (it exists only while there is data).
std::string RecoveryRunFolder();
// Waits until every write or removal asked for is done; false when the
// time ran out.
bool WaitForRecoveryWrites(int timeoutMs);

// The settings entry: turns recovery on or off, for this run and the next.
void CommandToggleRecovery();
