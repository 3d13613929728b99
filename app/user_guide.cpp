#include "app/user_guide.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

#include "platform/modal.h"
#include "platform/program_paths.h"
#include "platform/translation.h"
#include "platform/ui_text.h"

namespace {

inline constexpr const char* NO_GUIDE =
    QT_TRANSLATE_NOOP("Quillet2", "利用の手引きが見つかりません。\nプログラムと一緒にインストールされていません。");
inline constexpr const char* GUIDE_NOT_OPENED =
    QT_TRANSLATE_NOOP("Quillet2", "利用の手引きを開けませんでした。\n%1");

bool OpenInBrowser(const std::string& path) {
  return QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path)));
}

}  // namespace

bool (*openUserGuide)(const std::string& path) = OpenInBrowser;

std::string FindUserGuide(const std::string& programFolder) {
  // Beside the program comes first, as for every file of the program, so
  // that an unpacked copy finds its own guide.
  for (const char* place : {"doc/", "../share/doc/quillet2/"})
    for (const char* name : {"user-guide.html", "README.html", "README.md"}) {
      const std::string path = programFolder + place + name;
      if (QFileInfo(QString::fromStdString(path)).isFile()) return path;
    }
  return {};
}

void CommandHelpTopics() {
  const std::string guide = FindUserGuide(ProgramFolder());
  if (guide.empty()) {
    ShowReport(NO_GUIDE);
    return;
  }
  if (!openUserGuide(guide)) ShowReport(FillText(UiString(GUIDE_NOT_OPENED), {guide}));
}
