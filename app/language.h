#pragma once
// Choosing the language of the user interface: the command line's "--lang",
// the environment variable QUILLET2_LANG or the "Language" key of the
// settings file's "WINDOW" section (which the language menu writes), in this
// order of precedence; when none of them names one, the desktop's locale
// (Japanese for "ja", English otherwise).

#include <QString>
#include <string>

#include "platform/translation.h"

inline constexpr const char* LANGUAGE_VARIABLE = "QUILLET2_LANG";
inline constexpr const char* LANGUAGE_KEY = "Language";

// The language asked for by the environment or the settings file, else the
// desktop's. A value that names no language is reported on standard error
// and passed over.
Language ChooseLanguage();

// Installs the language given by name ("en" or "ja"), as the command line's
// "--lang" asks for it; gives back false for any other name, leaving the
// language as it was.
bool SelectLanguage(const QString& name);

// Installs the language the command line names ("--lang"), or when it names
// none, the one the environment or the settings file asks for. A name that
// is no language is left to the command line's own check.
void InstallChosenLanguage(const QString& commandLineChoice = {});
