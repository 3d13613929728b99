#pragma once
// Exporting the document as an X11 cursor file: every tab in strip order
// becomes one picture of the file, with its hot spot.

#include <string>
#include <vector>

#include "fileio/xcursor_format.h"

#include "platform/ui_text.h"

inline constexpr const char* EXPORT_XCURSOR_TITLE = QT_TRANSLATE_NOOP("Quillet2", "X11カーソルとして書き出す");

// The pictures of the document: every editable tab in strip order, or for an
// animated cursor every step of its sequence with the step's time in
// milliseconds (at least 1, since 0 means a still picture).
std::vector<XcursorFrame> XcursorFramesOfDocument();

// Writes the tabs as an X11 cursor file at the path; failures are shown.
bool WriteXcursorFile(const std::string& path);

// Asks for a name (suggested from the document's name, without extension)
// and writes the file. The document's name stays as it is.
void CommandExportXcursor();
