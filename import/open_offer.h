#pragma once
// Open reads only the icon files it can edit as they are. When it refuses a
// file that the import can read (a true-colour or PNG icon, a cursor, a
// picture), the refusal offers the import instead of ending there.

#include <string>

#include "platform/ui_text.h"

inline constexpr const char* OPEN_OFFER_IMPORT =
    QT_TRANSLATE_NOOP("Quillet2", "インポートすれば読み込めます。インポートしますか？");

// Shows why the file cannot be opened. When the import can read it, the
// message asks whether to import it, and Yes runs the import on it.
void ReportOrOfferImport(const std::string& path, const std::string& problem);
