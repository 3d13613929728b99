#include "app/import_command_line.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <algorithm>
#include <string>

#include <sys/stat.h>

#include "app/output_name.h"
#include "fileio/cursor_format.h"
#include "import/alpha_cut.h"
#include "import/command_line_import.h"
#include "import/cursor_import.h"
#include "import/targets.h"
#include "platform/argument_bytes.h"
#include "platform/translation.h"
#include "platform/ui_text.h"

namespace {

inline constexpr const char* NEEDS_OUTPUT =
    QT_TRANSLATE_NOOP("Quillet2", "--import には書き出すアイコンファイルを -o で指定してください");
inline constexpr const char* BAD_SIZES =
    QT_TRANSLATE_NOOP("Quillet2", "--sizes には 16,20,24,32,40,48,64,128,256 からいくつかをコンマで区切って指定してください");
inline constexpr const char* BAD_DEPTH = QT_TRANSLATE_NOOP("Quillet2", "--depth には 32 を指定してください");
inline constexpr const char* BAD_COLOURS = QT_TRANSLATE_NOOP("Quillet2", "--colours には 2、16、256 のどれかを指定してください");
inline constexpr const char* OUTPUT_NOT_ICON =
    QT_TRANSLATE_NOOP("Quillet2", "-o の名前は .ico か .cur で終わるようにしてください");
inline constexpr const char* PALETTE_AND_COLOURS =
    QT_TRANSLATE_NOOP("Quillet2", "--palette のときは色数がパレットで決まるので --colours は指定できません");
inline constexpr const char* BAD_ALPHA_CUT =
    QT_TRANSLATE_NOOP("Quillet2", "--alpha-cut には 0 から 255 までの数を指定してください");
inline constexpr const char* BAD_MATTE = QT_TRANSLATE_NOOP("Quillet2", "--matte には色を #RRGGBB の形で指定してください");
inline constexpr const char* NO_FILE_NAMES =
    QT_TRANSLATE_NOOP("Quillet2", "--import のときは開くファイルを指定できません");

inline constexpr const char* OPTION_REPEATED = QT_TRANSLATE_NOOP("Quillet2", "%1 は一度だけ指定してください");
inline constexpr const char* OUTPUT_IS_FOLDER =
    QT_TRANSLATE_NOOP("Quillet2", "-o にはフォルダーではなく書き出すアイコンファイルを指定してください");
inline constexpr const char* BAD_HOT_SPOT =
    QT_TRANSLATE_NOOP("Quillet2", "--hotspot には X,Y を 0 以上の整数で指定してください");

inline constexpr const char* HOT_SPOT_WITHOUT_CURSOR = QT_TRANSLATE_NOOP(
    "Quillet2", "--hotspot はカーソル (-o NAME.cur か --xcursor) を書き出すときだけ指定できます");

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
  QCommandLineOption depth{QStringLiteral("depth"),
                           UiText(QT_TRANSLATE_NOOP("Quillet2", "--import で全ての大きさを32ビットの画像だけで書き出す")),
                           QStringLiteral("32")};
  QCommandLineOption keep{QStringLiteral("keep"),
                          UiText(QT_TRANSLATE_NOOP("Quillet2", "--import のアイコンの画像のうち、作らない大きさのものをそのまま残す"))};
  QCommandLineOption palette{
      QStringLiteral("palette"),
      UiText(QT_TRANSLATE_NOOP("Quillet2",
                               "--import で色をこのパレットファイル (.qpl .gpl .act .pal .hex、または windows16、windows256) に合わせる")),
      QStringLiteral("FILE")};
  QCommandLineOption alphaCut{
      QStringLiteral("alpha-cut"),
      UiText(QT_TRANSLATE_NOOP("Quillet2", "--import でアルファがこの値より小さい画素を透明にする (既定: 128)")),
      QStringLiteral("0..255")};
  QCommandLineOption matte{
      QStringLiteral("matte"),
      UiText(QT_TRANSLATE_NOOP("Quillet2", "--import で半透明の画素をこの色に重ねてから透明か不透明にする")),
      QStringLiteral("#RRGGBB")};
  // Cursors.
  QCommandLineOption hotSpot{QStringLiteral("hotspot"),
                             UiText(QT_TRANSLATE_NOOP("Quillet2", "--import で作るカーソルのホットスポット (画像のピクセルで、既定: 0,0)")),
                             QStringLiteral("X,Y")};
  QCommandLineOption xcursor{QStringLiteral("xcursor"),
                             UiText(QT_TRANSLATE_NOOP("Quillet2", "--import で書き出す X11 カーソルファイル")),
                             QStringLiteral("FILE")};
};

// Sizes the command line makes beyond the import's: PNG-compressed 32-bit
// images.
constexpr int LARGE_SIZES[] = {128, 256};

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
    if (!number || (std::count(std::begin(IMPORT_SIZES), std::end(IMPORT_SIZES), size) == 0 &&
                    std::count(std::begin(LARGE_SIZES), std::end(LARGE_SIZES), size) == 0))
      return {};
    sizes.push_back(size);
  }
  std::sort(sizes.begin(), sizes.end());
  sizes.erase(std::unique(sizes.begin(), sizes.end()), sizes.end());
  return sizes;
}

// The first option given more than once, under any of its names, as it is
// written on the command line; empty when none is.
QString RepeatedOption(const QCommandLineParser& parser) {
  const QStringList given = parser.optionNames();
  for (const QString& name : given) {
    // Values count every name of the option; a switch has none, so its
    // names are counted.
    if (parser.values(name).size() > 1 || given.count(name) > 1)
      return (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
  }
  return {};
}

}  // namespace

bool ArgumentsAskFor(int argc, const char* const* argv, const std::string& option) {
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    if (argument == "--") return false;
    if (argument == option || argument.rfind(option + "=", 0) == 0) return true;
  }
  return false;
}

bool AsksForImport(int argc, const char* const* argv) { return ArgumentsAskFor(argc, argv, "--import"); }

void AddImportOptions(QCommandLineParser& parser) {
  const ImportOptions options;
  parser.addOptions({options.input, options.output, options.sizes, options.colours, options.dither, options.depth,
                     options.keep, options.palette, options.alphaCut, options.matte, options.hotSpot, options.xcursor});
}

CommandLine RunImportCommandLine(const QStringList& arguments) {
  QCommandLineParser parser;
  const ImportOptions options;
  AddImportOptions(parser);
  // The language was chosen before the arguments were read; here it is only
  // accepted.
  parser.addOption(QCommandLineOption(QStringLiteral("lang"), QString(), QStringLiteral("en|ja")));
  if (!parser.parse(arguments)) return Failure(IMPORT_EXIT_ARGUMENTS, parser.errorText().toStdString());
  if (const QString repeated = RepeatedOption(parser); !repeated.isEmpty())
    return Failure(IMPORT_EXIT_ARGUMENTS, FillText(UiString(OPTION_REPEATED), {repeated.toStdString()}));
  if (!parser.positionalArguments().isEmpty()) return Failure(IMPORT_EXIT_ARGUMENTS, NO_FILE_NAMES);
  if (!parser.isSet(options.output) && !parser.isSet(options.xcursor))
    return Failure(IMPORT_EXIT_ARGUMENTS, NEEDS_OUTPUT);
  if (parser.isSet(options.output)) {
    // A name ending in a slash, or an existing folder, would be written as a
    // file of that name or refused only after all the work.
    const std::string output = BytesOfText(parser.value(options.output));
    struct stat info {};
    if (output.ends_with('/') || (::stat(output.c_str(), &info) == 0 && S_ISDIR(info.st_mode)))
      return Failure(IMPORT_EXIT_ARGUMENTS, OUTPUT_IS_FOLDER);
    if (!OutputNameAccepted(output))
      return Failure(IMPORT_EXIT_ARGUMENTS, OUTPUT_NOT_ICON);
  }
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

  if (parser.isSet(options.depth) && parser.value(options.depth) != QStringLiteral("32"))
    return Failure(IMPORT_EXIT_ARGUMENTS, BAD_DEPTH);
  if (parser.isSet(options.palette) && parser.isSet(options.colours))
    return Failure(IMPORT_EXIT_ARGUMENTS, PALETTE_AND_COLOURS);
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
  request.input = BytesOfText(parser.value(options.input));
  request.output = BytesOfText(parser.value(options.output));
  request.sizes = sizes;
  request.colours = colours;
  request.dither = parser.isSet(options.dither);
  request.trueColour = parser.isSet(options.depth);
  request.keep = parser.isSet(options.keep);
  request.palette = BytesOfText(parser.value(options.palette));
  request.alpha = alpha;
  if (parser.isSet(options.hotSpot)) {
    request.hotSpot = ParseHotSpotText(parser.value(options.hotSpot).toStdString());
    if (!request.hotSpot) return Failure(IMPORT_EXIT_ARGUMENTS, BAD_HOT_SPOT);
    // An icon has no hot spot; one given for nothing that carries it would
    // be lost without a word.
    if (!parser.isSet(options.xcursor) && !IsCursorName(request.output))
      return Failure(IMPORT_EXIT_ARGUMENTS, HOT_SPOT_WITHOUT_CURSOR);
  }
  if (parser.isSet(options.xcursor)) request.xcursorOutput = BytesOfText(parser.value(options.xcursor));
  const CommandLineImportResult result = RunCommandLineImport(request);
  if (result.exitCode != 0) return Failure(result.exitCode, result.error);
  CommandLine line;
  line.standardOutput = QString::fromStdString(result.lossLines);
  line.standardError = QString::fromStdString(result.warnings);
  line.exitNow = true;
  return line;
}
