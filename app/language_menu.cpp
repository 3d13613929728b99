#include "app/language_menu.h"

#include <QAction>

#include "app/command_ids.h"
#include "app/language.h"
#include "app/main_window.h"
#include "app/menus.h"
#include "app/settings.h"
#include "platform/modal.h"
#include "platform/profile.h"
#include "platform/ui_text.h"
#include "storage/write_failure.h"

namespace {

constexpr const char* NEXT_START =
    QT_TRANSLATE_NOOP("Quillet2", "表示の言語は次にQuillet2を起動したときから切り替わります");

}  // namespace

void CheckLanguageEntry(Language language) {
  for (const int id : {CMD_LANGUAGE_JAPANESE, CMD_LANGUAGE_ENGLISH})
    if (QAction* entry = MenuAction(id)) entry->setCheckable(true);
  SetMenuChecked(CMD_LANGUAGE_JAPANESE, language == Language::Japanese);
  SetMenuChecked(CMD_LANGUAGE_ENGLISH, language == Language::English);
}

void CommandChooseLanguage(Language language) {
  WriteProblem problem = WriteProblem::None;
  if (!WriteProfileString("WINDOW", LANGUAGE_KEY, language == Language::English ? "en" : "ja", iniPath, &problem)) {
    CheckLanguageEntry(CurrentLanguage());
    ShowReport(WriteFailureMessage(iniPath, SETTINGS_WRITE_FAILED, problem));
    return;
  }
  CheckLanguageEntry(language);
  // Every window builds its texts once, so the new language shows after a
  // restart rather than in half of the windows now.
  if (language != CurrentLanguage()) ShowReport(NEXT_START);
}
