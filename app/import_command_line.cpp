#include "app/import_command_line.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <algorithm>
#include <string>

#include "import/alpha_cut.h"
#include "import/targets.h"
#include "platform/translation.h"
#include "platform/ui_text.h"

namespace {

inline constexpr const char* NEEDS_OUTPUT =
    QT_TRANSLATE_NOOP("Quillet2", "--import には書き出すアイコンファイルを -o で指定してください");
inline constexpr const char* BAD_SIZES =
    QT_TRANSLATE_NOOP("Quillet2", "--sizes には 16,20,24,32,40,48,64 からいくつかをコンマで区切って指定してください");
inline constexpr const char* BAD_COLOURS = QT_TRANSLATE_NOOP("Quillet2", "--colours には 2、16、256 のどれかを指定してください");
inline constexpr const char* BAD_ALPHA_CUT =
    QT_TRANSLATE_NOOP("Quillet2", "--alpha-cut には 0 から 255 までの数を指定してください");
inline constexpr const char* BAD_MATTE = QT_TRANSLATE_NOOP("Quillet2", "--matte には色を #RRGGBB の形で指定してください");
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
  QCommandLineOption alphaCut{
      QStringLiteral("alpha-cut"),
      UiText(QT_TRANSLATE_NOOP("Quillet2", "--import でアルファがこの値より小さい画素を透明にする (既定: 128)")),
      QStringLiteral("0..255")};
  QCommandLineOption matte{
      QStringLiteral("matte"),
      UiText(QT_TRANSLATE_NOOP("Quillet2", "--import で半透明の画素をこの色に重ねてから透明か不透明にする")),
      QStringLiteral("#RRGGBB")};
};

CommandLine Failure(int code, const std::string& text) {
  CommandLine line;
  line.exitNow = true;
  line.exitCode = code;
  line.standardError = QString::fromStdString(text) + QStringLiteral("\n");
  return line;
}

CommandLine Failure(int code, const char* text) { return Failure(code, UiString(text)); }

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
  parser.addOptions(
      {options.input, options.output, options.sizes, options.colours, options.dither, options.alphaCut, options.matte});
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

  AlphaCut alpha;
  if (parser.isSet(options.alphaCut)) {
    bool number = false;
    const int cut = parser.value(options.alphaCut).trimmed().toInt(&number);
    if (!number || cut < 0 || cut > 255) return Failure(IMPORT_EXIT_ARGUMENTS, BAD_ALPHA_CUT);
    alpha.cut = static_cast<std::uint32_t>(cut);
  }
  if (parser.isSet(options.matte)) {
    alpha.matte = ParseMatteColour(parser.value(options.matte).trimmed().toStdString());
    if (!alpha.matte) return Failure(IMPORT_EXIT_ARGUMENTS, BAD_MATTE);
  }

  CommandLineImport request;
  request.input = parser.value(options.input).toStdString();
  request.output = parser.value(options.output).toStdString();
  request.sizes = sizes;
  request.colours = colours;
  request.dither = parser.isSet(options.dither);
  request.alpha = alpha;
  const CommandLineImportResult result = RunCommandLineImport(request);
  if (result.exitCode != 0) return Failure(result.exitCode, result.error);
  CommandLine line;
  line.standardOutput = QString::fromStdString(result.lossLines);
  line.exitNow = true;
  return line;
}
