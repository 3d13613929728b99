#pragma once
// Importing the images of any icon file, or a single picture, into new
// tabs: true-colour and PNG images of any size become indexed images of at
// most 64 x 64 pixels. The imported file never becomes the document, so a
// lossy copy cannot be saved over it without the user naming a file.

#include <string>
#include "import/decode.h"
#include "platform/ui_text.h"

inline constexpr const char* IMPORT_NOTHING_READABLE = QT_TRANSLATE_NOOP("Quillet2", "取り込める画像がありません");

// The menu command: choose a file, then import it.
void CommandImportFile();

// Reads the file, lets the user choose the images in the import dialog,
// and adds them as tabs the way the open flow does (the replace-or-add
// question, the tab limit). Every outcome is shown to the user.
void ImportFile(const std::string& path);
// The same for a file whose attributes were already checked.
void ImportCheckedFile(const std::string& path);

// Reads the file's images under a progress window with Cancel; false when
// the user cancelled.
bool ReadImportWithProgress(const std::string& path, ImportSource& source);
// Goes on from images already read: the dialog, then the new tabs.
void ImportReadSource(const std::string& path, ImportSource& source);
