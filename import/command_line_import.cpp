#include "import/command_line_import.h"

#include "fileio/icon_format.h"
#include "import/decode.h"
#include "import/flow.h"
#include "import/targets.h"
#include "platform/translation.h"
#include "platform/ui_text.h"
#include "storage/write_problem.h"

namespace {

// "INPUT：reason", in the words of the import's own messages.
std::string AboutFile(const std::string& path, const std::string& reason) {
  return FillText(UiString(QT_TRANSLATE_NOOP("Quillet2", "%1：%2")), {path, UiString(reason)});
}

CommandLineImportResult Failure(int code, const std::string& text) {
  CommandLineImportResult result;
  result.exitCode = code;
  result.error = text;
  return result;
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

CommandLineImportResult RunCommandLineImport(const CommandLineImport& request) {
  const ImportSource source = ReadImportSource(request.input);
  if (!source.error.empty()) return Failure(IMPORT_EXIT_INPUT, AboutFile(request.input, source.error));
  const int row = LargestReadable(source.entries);
  if (row < 0) return Failure(IMPORT_EXIT_INPUT, AboutFile(request.input, IMPORT_NOTHING_READABLE));

  ImportTarget target = DefaultImportTarget(source.entries[static_cast<std::size_t>(row)]);
  if (!request.sizes.empty()) target.sizes = request.sizes;
  if (request.colours != 0) target.colours = request.colours;
  const std::vector<ImportMade> made = MakeImportImages(source.entries, row, target, request.dither, request.alpha);

  CommandLineImportResult result;
  std::vector<const ImageTab*> images;
  for (const ImportMade& one : made) {
    images.push_back(one.image.get());
    result.lossLines += DescribeMadeLoss(one, UiString) + "\n";
  }
  WriteProblem problem = WriteProblem::None;
  if (WriteFileBytesSafely(request.output, SerializeIcon(images), &problem) != WriteResult::Ok) {
    const char* reason = WriteProblemText(problem);
    std::string text = AboutFile(request.output, ICON_WRITE_FAILED);
    if (reason != nullptr) text = FillText(UiString(QT_TRANSLATE_NOOP("Quillet2", "%1、%2")), {text, UiString(reason)});
    return Failure(IMPORT_EXIT_WRITE, text);
  }
  return result;
}
