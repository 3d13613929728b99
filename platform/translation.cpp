#include "platform/translation.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <QWidget>
#include <algorithm>
#include <cctype>

#include "platform/program_paths.h"
#include "platform/text_fit.h"
#include "platform/ui_text.h"

namespace {

Language currentLanguage = Language::Japanese;

QTranslator& ProgramTranslator() {
  static QTranslator translator;
  return translator;
}

QTranslator& QtTranslator() {
  static QTranslator translator;
  return translator;
}

// The English file lies beside the program in the build folder and in the
// share folder beside the program's bin folder once installed.
bool LoadEnglishTexts(QTranslator& translator) {
  const QString folder = QString::fromStdString(ProgramFolder());
  return translator.load(QStringLiteral("quillet2_en"), folder) ||
         translator.load(QStringLiteral("quillet2_en"), QString::fromStdString(InstalledDataFolder() + "translations"));
}

}  // namespace

std::optional<Language> LanguageFromName(const std::string& name) {
  const auto blank = [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; };
  const auto first = std::find_if_not(name.begin(), name.end(), blank);
  const auto last = std::find_if_not(name.rbegin(), name.rend(), blank).base();
  std::string word;
  for (auto c = first; c < last; ++c) word += static_cast<char>(std::tolower(static_cast<unsigned char>(*c)));
  if (word == "ja") return Language::Japanese;
  if (word == "en") return Language::English;
  return std::nullopt;
}

bool InstallLanguage(Language language) {
  QCoreApplication::removeTranslator(&ProgramTranslator());
  QCoreApplication::removeTranslator(&QtTranslator());
  if (language == Language::English) {
    if (LoadEnglishTexts(ProgramTranslator())) {
      QCoreApplication::installTranslator(&ProgramTranslator());
      // Qt's own texts are English as Qt ships them.
      QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
      currentLanguage = Language::English;
      return true;
    }
  }
  // Qt's own texts in Japanese like the rest of the program, whatever the
  // desktop's language. Without Qt's translation files they stay as Qt
  // ships them.
  if (QtTranslator().load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QCoreApplication::installTranslator(&QtTranslator());
  QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
  currentLanguage = Language::Japanese;
  return language == Language::Japanese;
}

Language CurrentLanguage() { return currentLanguage; }

QString UiText(const char* source) { return QCoreApplication::translate(TEXT_CONTEXT, source); }

QString UiText(const QString& source) {
  if (source.isEmpty()) return source;
  return QCoreApplication::translate(TEXT_CONTEXT, source.toUtf8().constData());
}

std::string UiString(const std::string& source) {
  if (source.empty()) return source;
  return UiText(source.c_str()).toStdString();
}

std::string TranslateMessage(const std::string& text) {
  const std::string whole = UiString(text);
  if (whole != text) return whole;
  // The frame: "[ " path " ]\n\n". The last closing is taken, as a reason
  // never contains one.
  constexpr const char* OPEN = "[ ";
  constexpr const char* CLOSE = " ]\n\n";
  const std::size_t close = text.rfind(CLOSE);
  if (text.rfind(OPEN, 0) != 0 || close == std::string::npos || close < 2) return text;
  // The path is translated too, for the name a document has before it was
  // saved; a real path has no translation and stays.
  const std::string path = UiString(text.substr(2, close - 2));
  std::string reason = text.substr(close + 4);
  const bool arrow = !reason.empty() && reason.front() == '>';
  if (arrow) reason.erase(0, 1);
  return OPEN + path + CLOSE + (arrow ? ">" : "") + UiString(reason);
}

void TranslateWidgetTexts(QWidget& window) {
  // The texts are written in Japanese, and the Japanese layout stays exactly
  // as its template gives it, so there is nothing to do.
  if (currentLanguage == Language::Japanese) return;
  window.setWindowTitle(UiText(window.windowTitle()));
  QList<QWidget*> widgets = window.findChildren<QWidget*>();
  widgets.prepend(&window);
  for (QWidget* widget : widgets) {
    if (!widget->toolTip().isEmpty()) widget->setToolTip(UiText(widget->toolTip()));
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
      if (!button->text().isEmpty()) button->setText(UiText(button->text()));
    } else if (auto* label = qobject_cast<QLabel*>(widget)) {
      // A picture label has no text; setting one would take its picture.
      if (!label->text().isEmpty()) {
        const QString translated = UiText(label->text());
        if (translated != label->text()) label->setText(translated);
      }
    } else if (auto* group = qobject_cast<QGroupBox*>(widget)) {
      group->setTitle(UiText(group->title()));
    }
  }
  WidenIntoFreeRoom(window);
}
