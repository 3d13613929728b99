#pragma once
// The language of the user interface. Every text in the code is the
// program's Japanese; with English chosen, each text is looked up in the
// English translation file where it reaches the screen: in message boxes,
// file dialogs, menus, tooltips and in each dialog just before it runs.
// Without a translation a text is shown as it is.

#include <QString>
#include <optional>
#include <string>

class QWidget;

enum class Language { Japanese, English };

// "ja" or "en", in any letter case and with blanks around; nothing for
// anything else.
std::optional<Language> LanguageFromName(const std::string& name);

// Makes the program's texts and Qt's own (file dialogs, standard buttons)
// follow the language. Gives back false when the English translation file
// is missing or unreadable; the user interface then stays Japanese.
bool InstallLanguage(Language language);
Language CurrentLanguage();

// The text in the current language.
QString UiText(const char* source);
QString UiText(const QString& source);
std::string UiString(const std::string& source);

// A message in the current language. A message about a file, "[ path ]",
// a blank line, ">" and the reason, keeps its frame and path; the reason is
// translated on its own.
std::string TranslateMessage(const std::string& text);

// Translates the caption and the texts and tooltips of every button, label
// and group box of the window in place.
void TranslateWidgetTexts(QWidget& window);
