#pragma once
// Noticing that another program changed the document's file since it was
// opened or last saved, so that a save does not silently replace its work.

#include <string>

#include "platform/ui_text.h"

inline constexpr const char* CHANGED_ON_DISK_QUESTION = QT_TRANSLATE_NOOP(
    "Quillet2", "開いた後（または前回の保存の後）に、ほかのプログラムがこのファイルを変更しています\n上書きしますか？");

// Remembers the size, time and identity of the file as the document's file.
void RememberDocumentFile(const std::string& path);
// Forgets it, when the document is no longer that file.
void ForgetDocumentFile();
// The path remembered, or an empty one.
const std::string& RememberedDocumentFile();

// Before anything is written onto the path: when it is the document's own
// file and that changed on disk since it was remembered, asks whether to
// overwrite it. False when the user declines or closes the question.
bool ConfirmSaveOverChanges(const std::string& path);

// After a successful save onto the path: the document's file is remembered
// as it now is.
void NoteFileSaved(const std::string& path);
