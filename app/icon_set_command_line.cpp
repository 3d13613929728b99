#include "app/icon_set_command_line.h"

#include <QCommandLineOption>
#include <QCommandLineParser>

#include "app/import_command_line.h"
#include "fileio/true_colour_image.h"
#include "import/command_line_import.h"
#include "import/icon_set_flow.h"
#include "import/true_colour_entries.h"
#include "platform/argument_bytes.h"
#include "platform/translation.h"
#include "storage/file_message.h"

namespace {

inline constexpr const char* NEEDS_ONE_INPUT =
    QT_TRANSLATE_NOOP("Quillet2", "--export-set には元のアイコンか画像のファイルを一つ指定してください");
inline constexpr const char* BAD_PLATFORMS = QT_TRANSLATE_NOOP(
    "Quillet2", "--platforms には windows,linux,mac,web からいくつかをコンマで区切って指定してください");
inline constexpr const char* SET_EXISTS = QT_TRANSLATE_NOOP(
    "Quillet2", "フォルダにはもうアイコンセットがあります。置きかえるときは --force を指定してください");

struct ExportSetOptions {
  QCommandLineOption folder{
      QStringLiteral("export-set"),
      UiText(QT_TRANSLATE_NOOP("Quillet2",
                               "アイコンやPNG画像から各プラットフォームのアイコンセットをこのフォルダに書き出す")),
      QStringLiteral("DIR")};
  QCommandLineOption platforms{
      QStringLiteral("platforms"),
      UiText(QT_TRANSLATE_NOOP("Quillet2", "--export-set で書き出すプラットフォーム (既定: 全部)")),
      QStringLiteral("windows,linux,mac,web")};
  QCommandLineOption name{
      QStringLiteral("name"),
      UiText(QT_TRANSLATE_NOOP("Quillet2", "--export-set で書き出すアイコンの名前 (既定: 元のファイルの名前)")),
      QStringLiteral("NAME")};
  QCommandLineOption force{
      QStringLiteral("force"),
      UiText(QT_TRANSLATE_NOOP("Quillet2", "--export-set でフォルダにあるアイコンセットを置きかえる"))};
};

CommandLine Failure(int code, const std::string& text) {
  CommandLine line;
  line.exitNow = true;
  line.exitCode = code;
  line.standardError = QString::fromStdString(text) + QStringLiteral("\n");
  return line;
}

}  // namespace

bool AsksForExportSet(int argc, const char* const* argv) { return ArgumentsAskFor(argc, argv, "--export-set"); }

void AddExportSetOptions(QCommandLineParser& parser) {
  const ExportSetOptions options;
  parser.addOptions({options.folder, options.platforms, options.name, options.force});
}

CommandLine RunExportSetCommandLine(const QStringList& arguments) {
  QCommandLineParser parser;
  const ExportSetOptions options;
  AddExportSetOptions(parser);
  parser.addOption(QCommandLineOption(QStringLiteral("lang"), QString(), QStringLiteral("en|ja")));
  if (!parser.parse(arguments)) return Failure(IMPORT_EXIT_ARGUMENTS, parser.errorText().toStdString());
  if (parser.positionalArguments().size() != 1) return Failure(IMPORT_EXIT_ARGUMENTS, UiString(NEEDS_ONE_INPUT));
  IconSetInput input;
  if (parser.isSet(options.platforms)) {
    const auto platforms = ParseIconSetPlatforms(parser.value(options.platforms).toStdString());
    if (!platforms) return Failure(IMPORT_EXIT_ARGUMENTS, UiString(BAD_PLATFORMS));
    input.platforms = *platforms;
  }
  const std::string source = BytesOfText(parser.positionalArguments().front());
  input.name = parser.isSet(options.name) ? BytesOfText(parser.value(options.name)) : IconSetNameOf(source);
  if (!IconSetNameAccepted(input.name)) return Failure(IMPORT_EXIT_ARGUMENTS, UiString(ICON_SET_BAD_NAME));
  const std::string folder = BytesOfText(parser.value(options.folder));

  // The PNG files are written by the import's writer, as the window's saves
  // write their PNG images.
  SetPngPictureWriter(PngPictureData);
  // An SVG drawing is rendered afresh at every size; any other picture or
  // icon gives its images.
  ByteBuffer svg;
  std::string svgError;
  if (ReadSvgFile(source, svg, svgError)) {
    if (!svgError.empty()) return Failure(IMPORT_EXIT_INPUT, FileMessage(source, UiString(svgError)));
    UseSvgSource(input, svg);
  } else if (const std::string error = FileIconSetImages(source, input.images); !error.empty()) {
    return Failure(IMPORT_EXIT_INPUT, FileMessage(source, UiString(error)));
  }
  const IconSet set = MakeIconSet(input);
  if (!set.error.empty()) return Failure(IMPORT_EXIT_WRITE, FileMessage(folder, UiString(set.error)));
  const std::vector<SetFileBytes> files = SetFilesOf(set);
  const std::vector<std::string> existing = ExistingSetFiles(folder, files);
  if (!existing.empty() && !parser.isSet(options.force)) {
    std::string text = UiString(SET_EXISTS);
    for (const std::string& path : existing) text += "\n  " + path;
    return Failure(IMPORT_EXIT_ARGUMENTS, FileMessage(folder, text));
  }
  const SetWriteResult result = WriteSetFiles(folder, files);
  CommandLine line;
  line.exitNow = true;
  const std::string base = folder.ends_with('/') ? folder : folder + "/";
  for (const std::string& path : result.written) line.standardOutput += TextOfBytes(base + path) + QStringLiteral("\n");
  if (result.result != WriteResult::Ok) {
    line.exitCode = IMPORT_EXIT_WRITE;
    line.standardError = QString::fromStdString(SetWriteFailureMessage(result)) + QStringLiteral("\n");
  }
  return line;
}
