#pragma once
// The recent-files entries of the file menu: the files last opened or
// saved, newest first, each opening its file again.

#include "platform/ui_text.h"

class QMenu;

inline constexpr const char* RECENT_FILE_GONE =
    QT_TRANSLATE_NOOP("Quillet2", "ファイルが見つかりません。最近使ったファイルの一覧から外します");

// Keeps the entries of the menu up to date: they are rebuilt from the list
// each time the menu opens.
void InstallRecentFilesMenu(QMenu& fileMenu);
// Puts the list's entries into the menu, above the exit entry, with a
// separator of their own; entries put there before are replaced.
void FillRecentFiles(QMenu& fileMenu);

// The command of an entry: opens the file at that place of the list. A file
// that no longer exists is reported and dropped from the list.
void OpenRecentFile(int index);
