#pragma once
// The animation of an animated cursor document: which frame shows at each
// step and for how long, and what the file held besides its frames, so that
// a file saves back as it was read. Frames are tabs; a step names its frame
// by the tab's slot, so that reordering the tabs keeps the animation. Each
// tab's own display time is ImageTab::frameRate.

#include <cstdint>
#include <string>
#include <vector>

// Display times are counted in sixtieths of a second ("jiffies").
constexpr std::uint32_t JIFFIES_PER_SECOND = 60;
// The time a frame shows when nothing else says how long: a tenth of a
// second would flicker, a sixth is what most animated cursors use.
constexpr std::uint32_t DEFAULT_FRAME_RATE = 10;

struct AnimationStep {
  // The tab slot of the frame shown.
  int slot = 0;
  // The step's own time when it differs from its frame's; 0 when the step
  // shows for its frame's time.
  std::uint32_t ownRate = 0;
};

struct AnimationRecord {
  // The sequence as read; steps whose tab is gone are dropped, tabs missing
  // from it are shown after it once each.
  std::vector<AnimationStep> steps;
  // The header's default display time, and the fields the editor does not
  // use but writes back: nominal width and height, bit count, planes.
  std::uint32_t defaultRate = DEFAULT_FRAME_RATE;
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  std::uint32_t bitCount = 0;
  std::uint32_t planes = 0;
  // Whether the file had a rate and a sequence chunk: written again even
  // when they say nothing the header does not.
  bool rateChunk = false;
  bool sequenceChunk = false;
  // The file's INFO list (title, author) without its list header, and
  // whether it had one.
  bool hasInfo = false;
  std::vector<std::uint8_t> info;
  // The order of the file's chunks ("INFO", "anih", "rate", "seq ",
  // "fram"); empty for the usual order.
  std::vector<std::string> chunkOrder;
};

// The animation of the document being edited.
extern AnimationRecord documentAnimation;

// Starts the document's animation afresh (no steps, default header).
void ForgetAnimation();

// Drops the steps that show the slot's tab; the tab lifecycle calls it when
// a slot is made or deleted, so that a new tab never inherits old steps.
void ForgetAnimationSlot(int slot);

// One step as it is played or written: the frame's slot and its time.
struct PlayedStep {
  int slot = 0;
  std::uint32_t rate = 0;
};

// The steps of the animation for the tabs given by slot in strip order,
// with the display time of each slot's tab (frameRates[i] for frameSlots[i], 0
// for the default): the kept steps whose tab is still open, then every tab
// no step shows.
std::vector<PlayedStep> PlayedSteps(const std::vector<int>& frameSlots, const std::vector<std::uint32_t>& frameRates);

// Milliseconds of a display time in jiffies; a time too long for 32 bits of
// milliseconds gives the longest.
inline std::uint32_t RateToMilliseconds(std::uint32_t rate) {
  const std::uint64_t ms = static_cast<std::uint64_t>(rate) * 1000 / JIFFIES_PER_SECOND;
  return ms > 0xFFFFFFFFu ? 0xFFFFFFFFu : static_cast<std::uint32_t>(ms);
}
