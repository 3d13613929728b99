#pragma once
// Opening an icon file chosen in the open dialog or dropped on the main
// window: the checks, the replace-or-add question and the tab limit.

#include <optional>
#include <string>

#include "platform/ui_text.h"

inline constexpr const char* OPEN_ICON_TITLE = QT_TRANSLATE_NOOP("Quillet2", "開く（アイコン）");
inline constexpr const char* OPEN_TOO_MANY_TABS = QT_TRANSLATE_NOOP("Quillet2", "最大タブ数をこえるので読み込めません");
inline constexpr const char* OPEN_NO_IMAGES = QT_TRANSLATE_NOOP("Quillet2", "画像がひとつもありません");
inline constexpr const char* OPEN_ALREADY_EDITED = QT_TRANSLATE_NOOP("Quillet2", "既に編集対象になっています");
inline constexpr const char* OPEN_REPLACE_QUESTION =
    QT_TRANSLATE_NOOP("Quillet2",
                      "編修中のファイルがあります、新たに開きますか？\n\n"
                      "   「はい」    → 新たに開く\n"
                      "  「いいえ」   → 編修中のファイルの後ろに足す\n"
                      "「キャンセル」 → やめる");
inline constexpr const char* OPEN_KEPT_BACKUP = QT_TRANSLATE_NOOP(
    "Quillet2", "前回の保存が途中で止まりました。保存する前の内容は次のファイルに残っています：\n%1");
inline constexpr const char* OPEN_UNREMOVABLE_BACKUP = QT_TRANSLATE_NOOP(
    "Quillet2",
    "ユーザー %1 の保存が途中で止まり、保存する前の内容が次のファイルに残っています。このファイルはあなたには削除できません（この報告は一度だけです）：\n%2");
inline constexpr const char* ATTRIBUTE_DIRECTORY = QT_TRANSLATE_NOOP("Quillet2", "フォルダです\n");
inline constexpr const char* ATTRIBUTE_OFFLINE =
    QT_TRANSLATE_NOOP("Quillet2", "ファイルのデータは、すぐには利用できません\n");
inline constexpr const char* ATTRIBUTE_SYSTEM = QT_TRANSLATE_NOOP(
    "Quillet2", "オペレーティングシステムのファイルの一部\n または、オペレーティングシステム専用のファイルです");
inline constexpr const char* ATTRIBUTE_READ_ONLY =
    QT_TRANSLATE_NOOP("Quillet2", "読み取り専用です、オープンしますか？");

// True when the file may be opened: refuses folders and files that are not
// plain files, asks about a read-only file, and reports a file whose
// attributes cannot be read with the system's text.
bool CheckFileAttributes(const std::string& path);

// False, after a message, when the path names the document being edited
// (letters compared without case).
bool CheckNotAlreadyOpen(const std::string& path);

// Makes room for the images of a file: with tabs open, asks whether they
// replace the open tabs (after the save question) or go behind them, and
// refuses more than the tab limit with its message. False when nothing is
// to be loaded; discarded tells whether the open tabs were dropped.
bool MakeRoomForImages(int imageCount, bool& discarded);

// Shows the first of the tabs a file brought in (its strip position, or
// nothing when loading failed), or the first remaining tab when the open
// tabs were discarded for a load that then failed.
void ShowLoadedTabs(std::optional<int> first, bool discarded);

// Opens the icon file into tabs; every outcome is shown to the user.
void OpenIconFile(const std::string& path);

// What Open does with a file it refuses, given the reason. Until one is
// set, the reason is shown; the main window sets the import's offer, which
// lies above the file formats.
using OpenRefusal = void (*)(const std::string& path, const std::string& problem);
void SetOpenRefusal(OpenRefusal refusal);
