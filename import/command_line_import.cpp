#include "import/command_line_import.h"

#include <algorithm>
#include <tuple>

#include "fileio/cursor_format.h"
#include "fileio/icon_format.h"
#include "fileio/kept_entries.h"
#include "fileio/xcursor_format.h"
#include "import/convert.h"
#include "import/cursor_import.h"
#include "import/decode.h"
#include "import/flow.h"
#include "import/palette_import.h"
#include "import/interrupt_catcher.h"
#include "import/kept_copy.h"
#include "import/targets.h"
#include "import/true_colour_entries.h"
#include "platform/file_name_bytes.h"
#include "platform/translation.h"
#include "platform/ui_text.h"
#include "storage/write_problem.h"

namespace {

// "INPUT：reason", in the words of the import's own messages.
std::string AboutFile(const std::string& path, const std::string& reason) {
  return FillText(UiString(QT_TRANSLATE_NOOP("Quillet2", "%1：%2")), {ReadableFileName(path), UiString(reason)});
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
  // Ctrl+C stops the import before anything is written; once the writing
  // began it ends whole.
  const InterruptCatcher catcher;
  const auto interrupted = [] {
    return Failure(EXIT_INTERRUPTED, UiString(QT_TRANSLATE_NOOP("Quillet2", "中断しました")));
  };
  const ImportSource source =
      ReadImportSource(request.input, [](int, int) { return !InterruptCatcher::Interrupted(); });
  if (InterruptCatcher::Interrupted()) return interrupted();
  if (!source.error.empty()) return Failure(IMPORT_EXIT_INPUT, AboutFile(request.input, source.error));
  const int row = LargestReadable(source.entries);
  if (row < 0) return Failure(IMPORT_EXIT_INPUT, AboutFile(request.input, IMPORT_NOTHING_READABLE));

  ImportTarget target = DefaultImportTarget(source.entries[static_cast<std::size_t>(row)]);
  if (!request.palette.empty()) {
    const std::string problem = ReadImportPalette(request.palette, target.palette, UiString);
    if (!problem.empty()) return Failure(IMPORT_EXIT_INPUT, AboutFile(request.palette, problem));
  }
  if (!request.sizes.empty()) target.sizes = request.sizes;
  if (request.colours != 0) target.colours = request.colours;
  // Sizes above the editable ones, and every size with --depth 32, are made
  // in true colour from the full picture; the rest as the import makes them.
  ImportTarget indexed = target;
  std::vector<int> trueColourSizes;
  indexed.sizes.clear();
  for (int size : target.sizes) (size > MAX_IMAGE_SIZE || request.trueColour ? trueColourSizes : indexed.sizes).push_back(size);
  std::vector<ImportMade> made =
      indexed.sizes.empty() ? std::vector<ImportMade>{} : MakeImportImages(source.entries, row, indexed, request.dither, request.alpha);
  std::vector<KeptEntry> trueColour;
  // The hot spot of each true-colour image, scaled as its picture was.
  std::vector<std::pair<int, int>> trueColourHotSpots;
  const ImportEntry& picture = source.entries[static_cast<std::size_t>(row)];
  std::pair<int, int> hotSpot = request.hotSpot.value_or(std::make_pair(0, 0));
  std::string warnings;
  if (hotSpot.first >= picture.width || hotSpot.second >= picture.height) {
    // The pointer's pixel must be one of the picture's; the nearest one is
    // taken, and the user is told, since the cursor then points elsewhere.
    const std::pair<int, int> inside{std::min(hotSpot.first, std::max(picture.width - 1, 0)),
                                     std::min(hotSpot.second, std::max(picture.height - 1, 0))};
    warnings += FillText(UiString(QT_TRANSLATE_NOOP("Quillet2", "--hotspot %1,%2 は %3×%4 の画像の外なので、%5,%6 にしました")),
                         {std::to_string(hotSpot.first), std::to_string(hotSpot.second), std::to_string(picture.width),
                          std::to_string(picture.height), std::to_string(inside.first), std::to_string(inside.second)}) +
                "\n";
    hotSpot = inside;
  }
  std::string lines;
  for (int size : trueColourSizes) {
    const int best = size == IMPORT_SIZE_AS_IT_IS ? row : BestEntryForSize(source.entries, row, size);
    RgbaPicture full;
    RgbaPicture square;
    RgbaPicture content;
    if (picture.svg != nullptr) {
      // An SVG is rendered at each size; its drawing's own size stands for
      // the full picture, and the content fills the square along its
      // longer side as the render fits it.
      const std::string problem = RenderImportSvg(picture, size, square);
      // Ctrl+C also ends the render's child, which then looks like a failure.
      if (InterruptCatcher::Interrupted()) return interrupted();
      if (!problem.empty()) return Failure(IMPORT_EXIT_INPUT, AboutFile(request.input, problem));
      full.width = picture.width;
      full.height = picture.height;
      content.width = content.height = size;
      if (size == IMPORT_SIZE_AS_IT_IS) {
        content.width = square.width;
        content.height = square.height;
      } else if (picture.width > picture.height) {
        content.height = std::max(1, (picture.height * size + picture.width / 2) / picture.width);
      } else if (picture.height > picture.width) {
        content.width = std::max(1, (picture.width * size + picture.height / 2) / picture.height);
      }
    } else {
      const std::string problem = ReadFullPicture(request.input, best, full);
      if (!problem.empty()) return Failure(IMPORT_EXIT_INPUT, AboutFile(request.input, problem));
      square = size == IMPORT_SIZE_AS_IT_IS ? full : FitPictureInSquare(full, size);
      content = size == IMPORT_SIZE_AS_IT_IS ? full : ScalePictureToLonger(full, size);
    }
    trueColour.push_back(TrueColourEntry(square, square.width > MAX_IMAGE_SIZE || square.height > MAX_IMAGE_SIZE));
    trueColourHotSpots.push_back(ScaleHotSpot(hotSpot, picture.width, picture.height, square.width, square.height,
                                              content.width, content.height));
    lines += FillText(UiString(QT_TRANSLATE_NOOP("Quillet2", "%1×%2 → %3×%4、32ビット")),
                      {std::to_string(full.width), std::to_string(full.height), std::to_string(square.width),
                       std::to_string(square.height)}) +
             "\n";
  }
  PlaceImportHotSpots(made, hotSpot, picture.width, picture.height);

  CommandLineImportResult result;
  result.warnings = warnings;
  std::vector<IconPart> parts;
  for (const ImportMade& one : made) {
    parts.push_back({one.image.get(), nullptr});
    result.lossLines += DescribeMadeLoss(one, UiString) + "\n";
  }
  for (std::size_t i = 0; i < trueColour.size(); ++i)
    parts.push_back({nullptr, &trueColour[i], trueColourHotSpots[i].first, trueColourHotSpots[i].second});
  result.lossLines += lines;
  // Smallest first, whichever way each was made.
  const auto sideOf = [](const IconPart& part) {
    return part.kept != nullptr ? std::max(part.kept->width, part.kept->height)
                                : std::max<int>(part.image->width, part.image->height);
  };
  std::stable_sort(parts.begin(), parts.end(),
                   [&](const IconPart& a, const IconPart& b) { return sideOf(a) < sideOf(b); });
  const std::vector<KeptEntry> keptImages =
      request.keep ? ImagesNotReplaced(request.input, target.sizes) : std::vector<KeptEntry>{};
  for (const KeptEntry& entry : keptImages) {
    // A hot spot given for the picture goes on the images kept from it too;
    // without one, an image kept from a cursor keeps its own.
    IconPart part{nullptr, &entry};
    if (request.hotSpot)
      std::tie(part.hotSpotX, part.hotSpotY) = ScaleHotSpot(hotSpot, picture.width, picture.height, entry.width,
                                                            entry.height, entry.width, entry.height);
    parts.push_back(part);
  }
  if (InterruptCatcher::Interrupted()) return interrupted();
  std::vector<std::pair<std::string, ByteBuffer>> outputs;
  if (!request.output.empty()) outputs.emplace_back(request.output, SerializeIconParts(parts, IsCursorName(request.output)));
  if (!request.xcursorOutput.empty()) {
    // An X11 cursor holds every image the icon holds, the true-colour and
    // kept ones too (they are the best pictures), each with the hot spot
    // placed as on the images made.
    std::vector<XcursorFrame> frames;
    for (const IconPart& part : parts) {
      if (part.image != nullptr) {
        frames.push_back(XcursorFrameOfCells(*part.image));
        continue;
      }
      const KeptEntry* kept = part.kept;
      KeptEntry decoded;
      if (kept->argb.empty()) {
        decoded = *kept;
        if (!DecodeKeptEntryPicture(decoded).empty() || decoded.argb.empty()) continue;
        kept = &decoded;
      }
      // The icon's entry already carries the hot spot placed for its size.
      auto [x, y] = HotSpotOnFittedImage(hotSpot, picture.width, picture.height, kept->width, kept->height);
      if (part.hotSpotX >= 0 && part.hotSpotY >= 0) std::tie(x, y) = std::make_pair(part.hotSpotX, part.hotSpotY);
      frames.push_back(XcursorFrameOfPicture(kept->width, kept->height, kept->argb, x, y));
    }
    // Nothing is written, the icon neither, when the cursor would be empty.
    if (frames.empty()) return Failure(IMPORT_EXIT_WRITE, AboutFile(request.xcursorOutput, XCURSOR_NOTHING_TO_EXPORT));
    outputs.emplace_back(request.xcursorOutput, SerializeXcursor(frames));
  }
  for (const auto& [path, bytes] : outputs) {
    WriteProblem problem = WriteProblem::None;
    if (WriteFileBytesSafely(path, bytes, &problem) != WriteResult::Ok) {
      // The failure and its reason make one text, as the failure alone is a
      // sentence of its own in other languages.
      const char* reason = WriteProblemText(problem);
      const std::string failure =
          reason != nullptr ? FillText(UiString(QT_TRANSLATE_NOOP("Quillet2", "書きこみに失敗、%1")), {UiString(reason)})
                            : UiString(ICON_WRITE_FAILED);
      return Failure(IMPORT_EXIT_WRITE, AboutFile(path, failure));
    }
  }
  return result;
}
