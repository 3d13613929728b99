#pragma once
// The desktop's language, for a user who chose none for this program: the
// locale variables read the way the C library reads them for messages.

#include <string>

#include "platform/translation.h"

struct LocaleVariables {
  std::string language;     // LANGUAGE: a list of languages, "fr:ja:en"
  std::string lcAll;        // LC_ALL
  std::string lcMessages;   // LC_MESSAGES
  std::string lang;         // LANG
};

// The first of LC_ALL, LC_MESSAGES and LANG that is set names the locale.
// Unless that locale is "C" or "POSIX", LANGUAGE goes before it, its first
// entry of a language the program has deciding. Japanese for "ja" (with or
// without a country and an encoding), English for everything else.
Language LanguageOfLocale(const LocaleVariables& variables);

// The same for the variables of this process.
Language DesktopLanguage();
