#include "app/command_line.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <string>

#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include "app/file_commands.h"
#include "app/icon_set_command_line.h"
#include "app/import_command_line.h"
#include "app/main_window.h"
#include "app/version_dialog.h"
#include "fileio/icon_format.h"
#include "fileio/palette_file.h"
#include "fileio/palette_formats.h"
#include "model/tab_lifecycle.h"
#include "platform/argument_bytes.h"
#include "platform/modal.h"
#include "platform/translation.h"
#include "platform/ui_text.h"

CommandLine ParseCommandLine(const QStringList& arguments) {
  QCommandLineParser parser;
  parser.setApplicationDescription(
      UiText(QT_TRANSLATE_NOOP("Quillet2", "Quillet2: 小さなアイコン画像 (.ico) のエディタ")));
  const QCommandLineOption help = parser.addHelpOption();
  const QCommandLineOption version = parser.addVersionOption();
  const QCommandLineOption language(
      QStringLiteral("lang"), UiText(QT_TRANSLATE_NOOP("Quillet2", "表示の言語: en (英語) または ja (日本語)。既定は「言語」メニューで選んだもの、なければデスクトップの言語")),
      QStringLiteral("en|ja"));
  parser.addOption(language);
  const QCommandLineOption noRecovery(
      QStringLiteral("no-recovery"),
      UiText(QT_TRANSLATE_NOOP("Quillet2", "未保存の作業を復元用に残さず、前回の復元データも尋ねない")));
  parser.addOption(noRecovery);
  AddImportOptions(parser);
  AddExportSetOptions(parser);
  parser.addPositionalArgument(
      QStringLiteral("FILE"),
      UiText(QT_TRANSLATE_NOOP("Quillet2", "開くアイコンファイル (.ico) またはパレットファイル (.qpl)")),
      QStringLiteral("[FILE...]"));

  CommandLine line;
  // parse() rather than process(): process() would print and end the
  // program itself, out of reach of the caller and its tests.
  if (!parser.parse(arguments)) {
    line.exitNow = true;
    line.exitCode = 1;
    line.standardError = parser.errorText() + QStringLiteral("\n");
  } else if (parser.isSet(language) && !LanguageFromName(parser.value(language).toStdString())) {
    line.exitNow = true;
    line.exitCode = 1;
    line.standardError =
        UiText(QT_TRANSLATE_NOOP("Quillet2", "--lang には en か ja を指定してください")) + QStringLiteral("\n");
  } else if (parser.isSet(help)) {
    line.exitNow = true;
    line.standardOutput = parser.helpText();
  } else if (parser.isSet(version)) {
    line.exitNow = true;
    line.standardOutput = QString::fromUtf8(VERSION_LINE) + QStringLiteral("\n");
  } else {
    line.files = parser.positionalArguments();
    line.noRecovery = parser.isSet(noRecovery);
  }
  return line;
}

QString RequestedLanguage(const QStringList& arguments) {
  for (int i = 1; i < arguments.size(); ++i) {
    const QString& argument = arguments[i];
    if (argument == QStringLiteral("--")) break;
    if (argument == QStringLiteral("--lang") && i + 1 < arguments.size()) return arguments[i + 1];
    if (argument.startsWith(QStringLiteral("--lang="))) return argument.mid(7);
  }
  return {};
}

namespace {

void OpenPaletteArgument(const std::string& path) {
  ImageTab* tab = CurrentTab();
  // The palette-open command is not offered without a tab; a palette named
  // on the command line gets that command's own refusal instead of silence.
  if (tab == nullptr) {
    ShowReport(PALETTE_READ_FAILED);
    return;
  }
  LoadPaletteIntoTab(*tab, path);
}

}  // namespace

void OpenCommandLineFiles(const QStringList& files) {
  for (const QString& name : files) {
    // A dropped file comes with its full path, which the caption shows and
    // the already-open check compares; a name typed in a terminal may be
    // relative to it.
    // The name's own bytes, whether or not they are UTF-8 (QFileInfo would
    // pass them through the system's encoding and lose them).
    std::string path = BytesOfText(name);
    if (char here[PATH_MAX]; !path.starts_with('/') && ::getcwd(here, sizeof here) != nullptr)
      path = std::string(here) + "/" + path;
    path = BytesOfText(QDir::cleanPath(TextOfBytes(path)));
    // A missing name goes to the open flow, whose attribute check reports
    // it with the system's own text.
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0 && PaletteFormatOfName(path) != PaletteFormat::Unknown)
      OpenPaletteArgument(path);
    else
      OpenIconFile(path);
  }
}
