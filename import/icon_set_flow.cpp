#include "import/icon_set_flow.h"

#include <map>
#include <memory>
#include <optional>

#include "fileio/icon_format.h"
#include "fileio/kept_entries.h"
#include "fileio/true_colour_image.h"
#include "import/decode.h"
#include "import/svg_render.h"
#include "import/true_colour_entries.h"
#include "model/tab_set.h"
#include "platform/modal.h"
#include "platform/translation.h"
#include "storage/file_message.h"
#include "storage/write_failure.h"

namespace {

// Where the export tells what it wrote; the main window sets it.
IconSetNoteShower noteShower = nullptr;

RgbaPicture PictureOf(int width, int height, std::vector<std::uint32_t> argb) {
  RgbaPicture picture;
  picture.width = width;
  picture.height = height;
  picture.pixels = std::move(argb);
  return picture;
}

}  // namespace

void SetIconSetNoteShower(IconSetNoteShower shower) { noteShower = shower; }

std::string IconSetNameOf(const std::string& documentName) {
  const std::size_t slash = documentName.find_last_of('/');
  std::string name = slash == std::string::npos ? documentName : documentName.substr(slash + 1);
  const std::size_t dot = name.find_last_of('.');
  if (dot != std::string::npos && dot > 0) name.resize(dot);
  return IconSetNameAccepted(name) ? name : "icon";
}

std::vector<IconSetImage> DocumentIconSetImages() {
  std::vector<IconSetImage> images;
  for (int position = 0; position < tabSet.tabCount; ++position) {
    const int slot = SlotAtPosition(tabSet, position);
    if (slot < 0) continue;
    const ImageTab& tab = tabSet.tabs[slot];
    if (const KeptEntry* kept = KeptEntryOf(tab)) {
      KeptEntry decoded = *kept;
      if (decoded.argb.empty() && !DecodeKeptPicture(decoded).empty()) continue;
      if (decoded.argb.size() != static_cast<std::size_t>(decoded.width) * decoded.height) continue;
      images.push_back({PictureOf(decoded.width, decoded.height, std::move(decoded.argb)), decoded.bitCount});
      continue;
    }
    images.push_back({PictureOf(tab.width, tab.height, TrueColourPixels(tab)),
                      IsTrueColour(tab) ? 32 : BitCountOfCode(tab.colorCode)});
  }
  return images;
}

std::string FileIconSetImages(const std::string& path, std::vector<IconSetImage>& images) {
  const ImportSource source = ReadImportSource(path);
  if (!source.error.empty()) return source.error;
  for (std::size_t index = 0; index < source.entries.size(); ++index) {
    const ImportEntry& entry = source.entries[index];
    if (!entry.problem.empty()) continue;
    IconSetImage image;
    if (!ReadFullPicture(path, static_cast<int>(index), image.picture).empty()) continue;
    image.bitCount = entry.bitCount;
    images.push_back(std::move(image));
  }
  return images.empty() ? std::string(ICON_SET_NO_IMAGE) : std::string();
}

void UseSvgSource(IconSetInput& input, const ByteBuffer& svg) {
  auto text = std::make_shared<const ByteBuffer>(svg);
  input.render = [text](int side, RgbaPicture& out) { return RenderSvg(*text, side, side, out); };
  input.svg.assign(svg.begin(), svg.end());
}

bool ReadSvgFile(const std::string& path, ByteBuffer& svg, std::string& error) {
  // An uncompressed SVG may be as large as the renderer takes; a compressed
  // one is smaller still.
  const std::optional<ByteBuffer> bytes = ReadFileBytes(path, SVG_MAX_UNCOMPRESSED_BYTES + 1);
  if (!bytes || !LooksLikeSvg(path, *bytes)) return false;
  error = bytes->size() > SVG_MAX_UNCOMPRESSED_BYTES ? IMPORT_PICTURE_TOO_LARGE : UncompressSvg(*bytes, svg);
  return true;
}

std::vector<SetFileBytes> SetFilesOf(const IconSet& set) {
  std::vector<SetFileBytes> files;
  for (const IconSetFile& file : set.files) files.emplace_back(file.path, &file.bytes);
  return files;
}

std::string WrittenSummary(const std::vector<std::string>& written) {
  std::vector<std::pair<std::string, int>> groups;
  for (const std::string& path : written) {
    const std::size_t slash = path.find('/');
    const std::string top = slash == std::string::npos ? path : path.substr(0, slash + 1);
    if (!groups.empty() && groups.back().first == top)
      ++groups.back().second;
    else
      groups.emplace_back(top, 1);
  }
  std::string summary;
  for (const auto& [top, count] : groups) {
    if (!summary.empty()) summary += ", ";
    summary += top;
    if (top.back() == '/') summary += " (" + std::to_string(count) + ")";
  }
  return summary;
}

std::string SetWriteFailureMessage(const SetWriteResult& result) {
  const char* firstLine = result.folder                              ? ICON_SET_FOLDER_FAILED
                          : result.result == WriteResult::OpenFailed ? ICON_OPEN_FAILED
                                                                     : ICON_WRITE_FAILED;
  return WriteFailureMessage(result.path, firstLine, result.problem);
}

bool ExportIconSet(const std::string& folder, const IconSetInput& input) {
  const IconSet set = MakeIconSet(input);
  if (!set.error.empty()) {
    ShowReport(FileMessage(folder, UiString(set.error.c_str())));
    return false;
  }
  const std::vector<SetFileBytes> files = SetFilesOf(set);
  const std::vector<std::string> existing = ExistingSetFiles(folder, files);
  if (!existing.empty()) {
    std::string list;
    for (const std::string& path : existing) list += path + "\n";
    if (AskQuestion(FillText(UiString(ICON_SET_REPLACE_QUESTION), {list}), MB_YESNO, MB_DEFBUTTON2) != IDYES)
      return false;
  }
  const SetWriteResult result = WriteSetFiles(folder, files);
  if (!result.written.empty() && noteShower != nullptr)
    noteShower(FillText(UiString(ICON_SET_WRITTEN), {WrittenSummary(result.written)}), result.written);
  if (result.result != WriteResult::Ok) {
    ShowReport(SetWriteFailureMessage(result));
    return false;
  }
  return true;
}
