#pragma once
// Saving indexed images also, or instead, as 32-bit images, so that current
// Windows (which shows the deepest image of a size) shows them beside or in
// place of 32-bit images. The choice is made in the save-type dialog and
// remembered for each document while the program runs.

#include <string>
#include <vector>

#include "fileio/kept_entries.h"
#include "platform/ui_text.h"

enum class TrueColourChoice { IndexedOnly = 0, AlsoTrueColour = 1, TrueColourInstead = 2 };

inline constexpr const char* TRUE_COLOUR_CHOICES[] = {
    QT_TRANSLATE_NOOP("Quillet2", "インデックスカラーだけ"),
    QT_TRANSLATE_NOOP("Quillet2", "32ビットの画像も書く"),
    QT_TRANSLATE_NOOP("Quillet2", "32ビットの画像だけ書く"),
};
inline constexpr const char* TRUE_COLOUR_INVERTED = QT_TRANSLATE_NOOP(
    "Quillet2", "透明な画素のうち%1個は黒以外の色で、Windowsでは画面を反転させます。32ビットの画像では透明になります");

// The choice remembered for the document's name (IndexedOnly when none).
TrueColourChoice DocumentTrueColour(const std::string& documentName);
// The choice the next icon save uses, whatever name it is saved under;
// remembered for that name once it is written.
void ChooseTrueColourForNextSave(TrueColourChoice choice);
void ForgetTrueColourChoices();

// The parts of the next icon save: the tabs in strip order, each ordinary
// tab as its indexed image, its 32-bit image, or both (indexed first), by
// the choice; a true-colour tab is always written as itself. The 32-bit images are made into `made`; inverted counts the
// transparent cells that Windows would invert.
std::vector<IconPart> PartsToSave(std::vector<KeptEntry>& made, int& inverted);
// Called after the file was written: the choice now belongs to its name.
void NoteTrueColourSaved(const std::string& documentName);
