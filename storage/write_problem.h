#pragma once
// The reason a failed write adds below the first line of its message, in
// the user's words.

#include "platform/file_bytes.h"
#include "platform/ui_text.h"

inline constexpr const char* PROBLEM_NO_PERMISSION = QT_TRANSLATE_NOOP("Quillet2", "このファイルに書きこむ権限がありません");
inline constexpr const char* PROBLEM_FOLDER_NOT_WRITABLE =
    QT_TRANSLATE_NOOP("Quillet2", "フォルダに書きこむ権限がなく、ファイルの元の内容を残す場所もありません");
inline constexpr const char* PROBLEM_NO_NEW_FILE_IN_FOLDER =
    QT_TRANSLATE_NOOP("Quillet2", "フォルダに書きこむ権限がないので、新しいファイルを作れません");
inline constexpr const char* PROBLEM_DISK_FULL = QT_TRANSLATE_NOOP("Quillet2", "ディスクに空きがありません");
inline constexpr const char* PROBLEM_NOT_REGULAR_FILE = QT_TRANSLATE_NOOP("Quillet2", "普通のファイルではありません");
inline constexpr const char* PROBLEM_LINK_REFUSED = QT_TRANSLATE_NOOP(
    "Quillet2", "共有フォルダにほかのユーザーが置いたリンクなので、たどりません");
inline constexpr const char* PROBLEM_OTHER_USERS_FOLDER =
    QT_TRANSLATE_NOOP("Quillet2", "ほかのユーザーのフォルダかファイルなので、書きこみません");
inline constexpr const char* PROBLEM_NO_FOLDER = QT_TRANSLATE_NOOP("Quillet2", "書きこむ先のフォルダがありません");
inline constexpr const char* PROBLEM_UNREADABLE =
    QT_TRANSLATE_NOOP("Quillet2", "ファイルを読めないので、書きかえません");

// The reason's text, or nothing for a failure the user can do little about.
inline const char* WriteProblemText(WriteProblem problem) {
  switch (problem) {
    case WriteProblem::NoPermission: return PROBLEM_NO_PERMISSION;
    case WriteProblem::FolderNotWritable: return PROBLEM_FOLDER_NOT_WRITABLE;
    case WriteProblem::DiskFull: return PROBLEM_DISK_FULL;
    case WriteProblem::NotRegularFile: return PROBLEM_NOT_REGULAR_FILE;
    case WriteProblem::LinkRefused: return PROBLEM_LINK_REFUSED;
    case WriteProblem::Unreadable: return PROBLEM_UNREADABLE;
    case WriteProblem::NoNewFileInFolder: return PROBLEM_NO_NEW_FILE_IN_FOLDER;
    case WriteProblem::OtherUsersFolder: return PROBLEM_OTHER_USERS_FOLDER;
    case WriteProblem::NoFolder: return PROBLEM_NO_FOLDER;
    case WriteProblem::None:
    case WriteProblem::Other: return nullptr;
  }
  return nullptr;
}
