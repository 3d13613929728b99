#include "app/import_command_line.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <algorithm>
#include <string>

#include "fileio/icon_format.h"
#include "fileio/icon_import_decode.h"
#include "fileio/import_flow.h"
#include "fileio/import_targets.h"
#include "fileio/write_problem.h"
#include "model/ui_text.h"
#include "platform/translation.h"

namespace {

inline constexpr const char* NEEDS_OUTPUT =
    QT_TRANSLATE_NOOP("Quillet2", "--import には書き出すアイコンファイルを -o で指定してください");
inline constexpr const char* BAD_SIZES =
    QT_TRANSLATE_NOOP("Quillet2", "--sizes には 16,20,24,32,40,48,64 からいくつかをコンマで区切って指定してください");
inline constexpr const char* BAD_COLOURS = QT_TRANSLATE_NOOP("Quillet2", "--colours には 2、16、256 のどれかを指定してください");
inline constexpr const char* NO_FILE_NAMES =
    QT_TRANSLATE_NOOP("Quillet2", "--import のときは開くファイルを指定できません");

struct ImportOptions {
  QCommandLineOption input{QStringLiteral("import"),
                           UiText(QT_TRANSLATE_NOOP("Quillet2", "画像 (.ico .cur .png .bmp .gif) からアイコンを作る")),
                           QStringLiteral("INPUT")};
  QCommandLineOption output{{QStringLiteral("o"), QStringLiteral("output")},
                            UiText(QT_TRANSLATE_NOOP("Quillet2", "--import で書き出すアイコンファイル")),
                            QStringLiteral("OUTPUT.ico")};
  QCommandLineOption sizes{QStringLiteral("sizes"),
                           UiText(QT_TRANSLATE_NOOP("Quillet2", "--import で作る大きさ (既定: 画像の大きさ、64をこえるときは64)")),
                           QStringLiteral("16,32,48")};
  QCommandLineOption colours{QStringLiteral("colours"),
                             UiText(QT_TRANSLATE_NOOP("Quillet2", "--import で作る色数 (既定: 画像の色が収まる最小の数)")),
                             QStringLiteral("2|16|256")};
  QCommandLineOption dither{QStringLiteral("dither"),
                            UiText(QT_TRANSLATE_NOOP("Quillet2", "--import で色を減らすときディザをかける"))};
};

CommandLine Failure(int code, const std::string& text) {
  CommandLine line;
  line.exitNow = true;
  line.exitCode = code;
  line.standardError = QString::fromStdString(text) + QStringLiteral("\n");
  return line;
}

CommandLine Failure(int code, const char* text) { return Failure(code, UiString(text)); }

// "INPUT：reason", in the words of the import's own messages.
std::string AboutFile(const QString& path, const std::string& reason) {
  return FillText(UiString(QT_TRANSLATE_NOOP("Quillet2", "%1：%2")), {path.toStdString(), UiString(reason)});
}

// The sizes of "16,32,48", ascending and each once; empty for anything else.
std::vector<int> ParseSizes(const QString& text) {
  std::vector<int> sizes;
  for (const QString& part : text.split(QLatin1Char(','))) {
    bool number = false;
    const int size = part.trimmed().toInt(&number);
    if (!number || std::count(std::begin(IMPORT_SIZES), std::end(IMPORT_SIZES), size) == 0) return {};
    sizes.push_back(size);
  }
  std::sort(sizes.begin(), sizes.end());
  sizes.erase(std::unique(sizes.begin(), sizes.end()), sizes.end());
  return sizes;
}

// The image the sizes are made for: the largest readable one. Each size is
// still made from the entry that suits it best.
int LargestReadable(const std::vector<ImportEntry>& entries) {
  int largest = -1;
  for (std::size_t i = 0; i < entries.size(); ++i)
    if (entries[i].problem.empty() &&
        (largest < 0 || entries[i].width * entries[i].height > entries[largest].width * entries[largest].height))
      largest = static_cast<int>(i);
  return largest;
}

}  // namespace

bool AsksForImport(int argc, const char* const* argv) {
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    if (argument == "--") return false;
    if (argument == "--import" || argument.rfind("--import=", 0) == 0) return true;
  }
  return false;
}

void AddImportOptions(QCommandLineParser& parser) {
  const ImportOptions options;
  parser.addOptions({options.input, options.output, options.sizes, options.colours, options.dither});
}

CommandLine RunImportCommandLine(const QStringList& arguments) {
  QCommandLineParser parser;
  const ImportOptions options;
  AddImportOptions(parser);
  // The language was chosen before the arguments were read; here it is only
  // accepted.
  parser.addOption(QCommandLineOption(QStringLiteral("lang"), QString(), QStringLiteral("en|ja")));
  if (!parser.parse(arguments)) return Failure(IMPORT_EXIT_ARGUMENTS, parser.errorText().toStdString());
  if (!parser.positionalArguments().isEmpty()) return Failure(IMPORT_EXIT_ARGUMENTS, NO_FILE_NAMES);
  if (!parser.isSet(options.output)) return Failure(IMPORT_EXIT_ARGUMENTS, NEEDS_OUTPUT);
  std::vector<int> sizes;
  if (parser.isSet(options.sizes)) {
    sizes = ParseSizes(parser.value(options.sizes));
    if (sizes.empty()) return Failure(IMPORT_EXIT_ARGUMENTS, BAD_SIZES);
  }
  int colours = 0;
  if (parser.isSet(options.colours)) {
    colours = parser.value(options.colours).toInt();
    if (std::count(std::begin(IMPORT_COLOUR_COUNTS), std::end(IMPORT_COLOUR_COUNTS), colours) == 0)
      return Failure(IMPORT_EXIT_ARGUMENTS, BAD_COLOURS);
  }

  const QString input = parser.value(options.input);
  const ImportSource source = ReadImportSource(input.toStdString());
  if (!source.error.empty()) return Failure(IMPORT_EXIT_INPUT, AboutFile(input, source.error));
  const int row = LargestReadable(source.entries);
  if (row < 0) return Failure(IMPORT_EXIT_INPUT, AboutFile(input, IMPORT_NOTHING_READABLE));

  ImportTarget target = DefaultImportTarget(source.entries[static_cast<std::size_t>(row)]);
  if (!sizes.empty()) target.sizes = sizes;
  if (colours != 0) target.colours = colours;
  const std::vector<ImportMade> made = MakeImportImages(source.entries, row, target, parser.isSet(options.dither));

  std::vector<const ImageTab*> images;
  CommandLine line;
  for (const ImportMade& one : made) {
    images.push_back(one.image.get());
    line.standardOutput += QString::fromStdString(DescribeMadeLoss(one, UiString)) + QStringLiteral("\n");
  }
  const QString output = parser.value(options.output);
  WriteProblem problem = WriteProblem::None;
  if (WriteFileBytesSafely(output.toStdString(), SerializeIcon(images), &problem) != WriteResult::Ok) {
    const char* reason = WriteProblemText(problem);
    std::string text = AboutFile(output, ICON_WRITE_FAILED);
    if (reason != nullptr) text = FillText(UiString(QT_TRANSLATE_NOOP("Quillet2", "%1、%2")), {text, UiString(reason)});
    return Failure(IMPORT_EXIT_WRITE, text);
  }
  line.exitNow = true;
  return line;
}
