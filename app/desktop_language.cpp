#include "app/desktop_language.h"

#include <cstdlib>
#include <sstream>

namespace {

// "ja_JP.UTF-8@x" -> "ja".
std::string LanguagePart(const std::string& locale) { return locale.substr(0, locale.find_first_of("_.@")); }

std::string Variable(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

}  // namespace

Language LanguageOfLocale(const LocaleVariables& variables) {
  std::string locale = variables.lcAll;
  if (locale.empty()) locale = variables.lcMessages;
  if (locale.empty()) locale = variables.lang;
  // The C locale speaks English and makes the library pass LANGUAGE over.
  if (locale.empty() || locale == "C" || locale == "POSIX" || locale.rfind("C.", 0) == 0) return Language::English;
  std::istringstream list(variables.language);
  for (std::string entry; std::getline(list, entry, ':');) {
    const std::string part = LanguagePart(entry);
    if (part == "ja") return Language::Japanese;
    if (part == "en") return Language::English;
  }
  return LanguagePart(locale) == "ja" ? Language::Japanese : Language::English;
}

Language DesktopLanguage() {
  return LanguageOfLocale({Variable("LANGUAGE"), Variable("LC_ALL"), Variable("LC_MESSAGES"), Variable("LANG")});
}
