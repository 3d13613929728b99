#pragma once
// The version dialog of the help menu.

#include <QPoint>

#include "platform/ui_text.h"

class QPixmap;

inline constexpr const char* VERSION_TEXT = QT_TRANSLATE_NOOP("Quillet2", "Ｑｕｉｌｌｅｔ２ Ver 0.26β");
// The same version in plain letters, for the command line; keep the two
// (and the package version in CMakeLists.txt) in step.
inline constexpr const char* VERSION_LINE = "Quillet2 Ver 0.26β";

// Where the dialog goes: its left edge a third of its width left of the
// cursor, its top where it was, neither beyond the screen's top-left corner.
QPoint VersionDialogPlace(int cursorX, int dialogWidth, const QPoint& current);

// The 32 x 32 two-colour picture the dialog shows beside the version text.
QPixmap VersionPicture();

// Runs the dialog (command 281); it always ends with 2.
int ShowVersionDialog();
