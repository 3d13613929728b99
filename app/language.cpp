#include "app/language.h"

#include <QCoreApplication>
#include <cstdio>
#include <cstdlib>

#include "app/desktop_language.h"
#include "app/main_window.h"
#include "platform/profile.h"
#include "platform/program_paths.h"

namespace {

std::optional<Language> Named(const std::string& value, const char* source) {
  if (value.empty()) return std::nullopt;
  const auto language = LanguageFromName(value);
  if (!language)
    std::fprintf(stderr, "quillet2: %s: unknown language \"%s\" (use en or ja); ignored\n", source, value.c_str());
  return language;
}

void Install(Language language) {
  if (!InstallLanguage(language))
    std::fprintf(stderr,
                 "quillet2: the English translation file quillet2_en.qm is missing or unreadable; "
                 "staying in Japanese\n");
}

}  // namespace

Language ChooseLanguage() {
  const char* variable = std::getenv(LANGUAGE_VARIABLE);
  if (const auto language = Named(variable != nullptr ? variable : "", LANGUAGE_VARIABLE)) return *language;
  if (iniPath.empty()) iniPath = SettingsFilePath();
  const std::string setting = GetProfileString("WINDOW", LANGUAGE_KEY, "", iniPath);
  if (const auto language = Named(setting, (iniPath + " [WINDOW] " + LANGUAGE_KEY).c_str())) return *language;
  return DesktopLanguage();
}

bool SelectLanguage(const QString& name) {
  const auto language = LanguageFromName(name.toStdString());
  if (!language) return false;
  Install(*language);
  return true;
}

void InstallChosenLanguage(const QString& commandLineChoice) {
  if (!SelectLanguage(commandLineChoice)) Install(ChooseLanguage());
}
