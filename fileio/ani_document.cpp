#include "fileio/ani_document.h"

#include <algorithm>
#include <vector>

#include "fileio/ani_format.h"
#include "fileio/cursor_format.h"
#include "fileio/icon_format.h"
#include "fileio/kept_entries.h"
#include "fileio/kept_load.h"
#include "model/animation.h"
#include "model/tab_lifecycle.h"
#include "platform/modal.h"
#include "platform/translation.h"
#include "storage/file_message.h"

namespace {

std::optional<ByteBuffer> ReadAniFileBytes(const std::string& path) {
  // One byte past the limit is read, so that the reader refuses a larger
  // file as too large rather than as cut short.
  return ReadFileBytes(path, ANI_MAX_FILE_BYTES);
}

std::string FrameProblem(std::size_t frame, const std::string& problem) {
  return FillText(UiString(ANI_FRAME_PROBLEM), {std::to_string(frame + 1), UiString(problem)});
}

bool IsCursorFrame(const ByteBuffer& frame) { return FileTypeOf(frame) == CURSOR_FILE_TYPE; }

// The frame's one image as a layout; an empty error when it opens.
IconLayout FrameLayout(const ByteBuffer& frame) {
  IconLayout layout = CheckIconLayout(frame, IsCursorFrame(frame));
  if (layout.error.empty() && (layout.imageCount != 1 || layout.kinds.size() != 1)) layout.error = ANI_FRAME_IMAGES;
  return layout;
}

void DeleteTabs(const std::vector<ImageTab*>& tabs) {
  for (ImageTab* tab : tabs) DeleteTab(SlotOf(*tab));
}

// The time of the first step that shows the frame: the frame's own time.
std::uint32_t FirstRateOfFrame(const AniFile& ani, std::uint32_t frame) {
  for (std::uint32_t step = 0; step < ani.steps; ++step)
    if (FrameOfStep(ani, step) == frame) return RateOfStep(ani, step);
  return ani.defaultRate;
}

void TakeAnimation(const AniFile& ani, const std::vector<ImageTab*>& tabs) {
  ForgetAnimation();
  AnimationRecord& record = documentAnimation;
  record.defaultRate = ani.defaultRate;
  record.width = ani.width;
  record.height = ani.height;
  record.bitCount = ani.bitCount;
  record.planes = ani.planes;
  record.rateChunk = !ani.rates.empty();
  record.sequenceChunk = !ani.sequence.empty();
  record.hasInfo = ani.hasInfo;
  record.info = ani.info;
  record.chunkOrder = ani.chunkOrder;
  for (std::uint32_t step = 0; step < ani.steps; ++step) {
    const ImageTab& tab = *tabs[FrameOfStep(ani, step)];
    const std::uint32_t rate = RateOfStep(ani, step);
    const std::uint32_t frameRate = tab.frameRate != 0 ? tab.frameRate : ani.defaultRate;
    record.steps.push_back({SlotOf(tab), rate == frameRate ? 0u : rate});
  }
}

}  // namespace

bool IsAnimatedCursorName(const std::string& name) { return FileExtensionIs(name, ".ani"); }

std::string AniBytesProblem(const ByteBuffer& bytes, int& frameCount) {
  AniFile ani;
  const std::string problem = ReadAniBytes(bytes, ani);
  if (!problem.empty()) return problem;
  // A file of more frames than tabs can hold is refused by the tab limit
  // before its frames are looked at.
  frameCount = static_cast<int>(ani.frames.size());
  if (frameCount > ICON_MAX_IMAGES) return {};
  for (std::size_t i = 0; i < ani.frames.size(); ++i) {
    const IconLayout layout = FrameLayout(ani.frames[i]);
    if (!layout.error.empty()) return FrameProblem(i, layout.error);
  }
  return {};
}

std::string AniFileProblem(const std::string& path, int& frameCount) {
  const auto bytes = ReadAniFileBytes(path);
  if (!bytes) return ICON_OPEN_FAILED;
  return AniBytesProblem(*bytes, frameCount);
}

std::optional<int> LoadAniFile(const std::string& path) {
  const int firstPosition = tabSet.tabCount;
  const bool firstOfSet = tabSet.tabCount == 0;
  const auto bytes = ReadAniFileBytes(path);
  if (!bytes) {
    ShowReport(FileMessage(path, ICON_OPEN_FAILED));
    return std::nullopt;
  }
  // Checked again: the file may have changed since it was checked.
  int frameCount = 0;
  std::string problem = AniBytesProblem(*bytes, frameCount);
  if (problem.empty() && frameCount + tabSet.tabCount > MAX_TABS) problem = ICON_TOO_MANY_IMAGES;
  AniFile ani;
  if (problem.empty()) problem = ReadAniBytes(*bytes, ani);
  if (!problem.empty()) {
    ShowReport(FileMessage(path, problem));
    return std::nullopt;
  }

  std::vector<ImageTab*> created;
  for (std::size_t i = 0; i < ani.frames.size(); ++i) {
    const ByteBuffer& frame = ani.frames[i];
    const IconLayout layout = FrameLayout(frame);
    IconHeader header;
    std::vector<IconDirEntry> entries;
    ImageTab* tab = nullptr;
    // An editable frame takes its size and depth from the image's own
    // header; a kept one gets its size when it is read.
    IconImageShape shape;
    shape.width = shape.height = 1;
    if (layout.error.empty() && ReadIconDirectory(frame, header, entries) && entries.size() == 1) {
      if (layout.kinds[0] == EntryKind::Editable) ReadIconImageShape(frame, entries[0].imageOffset, shape);
      tab = CreateTab(path, shape.width, shape.height, ColorCodeOfBitCount(shape.bitCount));
    }
    if (tab == nullptr) {
      DeleteTabs(created);
      ShowReport(FileMessage(path, layout.error.empty() ? ICON_TAB_CREATE_FAILED : FrameProblem(i, layout.error)));
      return std::nullopt;
    }
    created.push_back(tab);
    const IconDirEntry& entry = entries[0];
    tab->width = static_cast<std::uint8_t>(shape.width);
    tab->height = static_cast<std::uint8_t>(shape.height);
    tab->colorCode = ColorCodeOfBitCount(shape.bitCount);
    tab->frameRate = FirstRateOfFrame(ani, static_cast<std::uint32_t>(i));
    std::string frameProblem;
    if (layout.kinds[0] == EntryKind::Kept) {
      frameProblem = KeepIconImage(frame, 0, *tab);
    } else if (!ReadIconImage(frame, *tab, entry.imageOffset)) {
      frameProblem = ICON_READ_FAILED;
    } else {
      KeepOpenedBytes(frame, 0, *tab);
    }
    if (IsCursorFrame(frame)) HotSpotFromEntry(entry, *tab);
    if (!frameProblem.empty()) {
      DeleteTabs(created);
      ShowReport(FileMessage(path, FrameProblem(i, frameProblem)));
      return std::nullopt;
    }
  }
  if (firstOfSet) TakeAnimation(ani, created);
  return firstPosition;
}

ByteBuffer SerializeAnimationDocument() {
  const AnimationRecord& record = documentAnimation;
  AniFile ani;
  ani.width = record.width;
  ani.height = record.height;
  ani.bitCount = record.bitCount;
  ani.planes = record.planes;
  ani.defaultRate = record.defaultRate;
  ani.hasInfo = record.hasInfo;
  ani.info = record.info;
  ani.chunkOrder = record.chunkOrder;

  std::vector<int> frameSlots;
  std::vector<std::uint32_t> frameRates;
  for (const IconPart& part : IconPartsInStripOrder()) {
    frameSlots.push_back(SlotOf(*part.image));
    frameRates.push_back(part.image->frameRate);
    ani.frames.push_back(SerializeIconParts({part}, true));
  }
  const std::vector<PlayedStep> steps = PlayedSteps(frameSlots, frameRates);
  bool inOrder = steps.size() == frameSlots.size();
  bool sameRate = true;
  for (std::size_t i = 0; i < steps.size(); ++i) {
    const auto frame = static_cast<std::uint32_t>(std::find(frameSlots.begin(), frameSlots.end(), steps[i].slot) - frameSlots.begin());
    ani.sequence.push_back(frame);
    ani.rates.push_back(steps[i].rate);
    inOrder = inOrder && frame == i;
    sameRate = sameRate && steps[i].rate == record.defaultRate;
  }
  // A sequence that only shows every frame once in order, and times that
  // are all the header's, are left out unless the file had them.
  if (inOrder && !record.sequenceChunk) ani.sequence.clear();
  if (sameRate && !record.rateChunk) ani.rates.clear();
  return SerializeAni(ani);
}
