#include "import/command_line_import.h"

#include "fileio/cursor_format.h"
#include "fileio/icon_format.h"
#include "fileio/xcursor_format.h"
#include "import/cursor_import.h"
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
  std::vector<ImportMade> made = MakeImportImages(source.entries, row, target, request.dither);
  const ImportEntry& picture = source.entries[static_cast<std::size_t>(row)];
  PlaceImportHotSpots(made, request.hotSpot.value_or(std::make_pair(0, 0)), picture.width, picture.height);

  CommandLineImportResult result;
  std::vector<const ImageTab*> images;
  for (const ImportMade& one : made) {
    images.push_back(one.image.get());
    result.lossLines += DescribeMadeLoss(one, UiString) + "\n";
  }
  std::vector<std::pair<std::string, ByteBuffer>> outputs;
  if (!request.output.empty())
    outputs.emplace_back(request.output, IsCursorName(request.output) ? SerializeCursor(images) : SerializeIcon(images));
  if (!request.xcursorOutput.empty()) {
    std::vector<XcursorFrame> frames;
    for (const ImageTab* image : images) frames.push_back({image, 0});
    outputs.emplace_back(request.xcursorOutput, SerializeXcursor(frames));
  }
  for (const auto& [path, bytes] : outputs) {
    WriteProblem problem = WriteProblem::None;
    if (WriteFileBytesSafely(path, bytes, &problem) != WriteResult::Ok) {
      const char* reason = WriteProblemText(problem);
      std::string text = AboutFile(path, ICON_WRITE_FAILED);
      if (reason != nullptr) text = FillText(UiString(QT_TRANSLATE_NOOP("Quillet2", "%1、%2")), {text, UiString(reason)});
      return Failure(IMPORT_EXIT_WRITE, text);
    }
  }
  return result;
}
