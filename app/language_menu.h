#pragma once
// The View menu's language entries (commands 300 and 301): the choice is
// kept in the settings file and shown from the next start on.

#include "platform/translation.h"

// The settings key says so, and the menu checks the chosen entry. Choosing
// another language than the one shown says that it takes effect at the next
// start; a settings file that cannot be written is reported.
void CommandChooseLanguage(Language language);

// Checks the entry of the language and clears the other.
void CheckLanguageEntry(Language language);
