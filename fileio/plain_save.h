#pragma once
// Save without questions: a document that is an icon file, opened from one
// or last saved as one, is written straight back to that file. Anything
// else (a new or imported set, a document last saved as a bitmap) goes
// through the save-type dialog and the file dialog as Save As does.

#include <string>

// The document is now the icon file at the path: it was opened from it or
// saved as it.
void NoteIconDocument(const std::string& path);

// True when Save can write the document's own file without asking: the
// document has a name, that name is the icon file it was opened from or
// last saved as, and every tab can be written as an icon image.
bool CanSaveWithoutAsking();

// The Save command: writes the document's file when it can do so without
// asking, otherwise runs Save As.
void CommandSave();
