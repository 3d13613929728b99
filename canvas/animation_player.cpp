#include "canvas/animation_player.h"

#include <QPointer>
#include <QTimer>
#include <algorithm>
#include <vector>

#include "canvas/preview.h"
#include "fileio/ani_document.h"
#include "model/animation.h"
#include "model/tab_set.h"

namespace {

struct Player {
  QPointer<QTimer> timer;
  std::size_t step = 0;
  bool playing = false;
};

Player player;

std::vector<PlayedStep> DocumentSteps() {
  std::vector<int> frameSlots;
  std::vector<std::uint32_t> rates;
  for (int position = 0; position < tabSet.tabCount; ++position) {
    const int slot = SlotAtPosition(tabSet, position);
    if (slot < 0 || tabSet.tabs[slot].inUse != 1) continue;
    frameSlots.push_back(slot);
    rates.push_back(tabSet.tabs[slot].frameRate);
  }
  return PlayedSteps(frameSlots, rates);
}

void Stop() {
  if (player.timer) player.timer->stop();
  player.step = 0;
  player.playing = false;
  if (mainPreview.control != nullptr) mainPreview.control->clearOverlay();
}

void ShowStep(const std::vector<PlayedStep>& steps) {
  if (player.step >= steps.size()) player.step = 0;
  const PlayedStep& step = steps[player.step];
  const QImage* canvas = mainPreview.canvas;
  if (canvas == nullptr) return;
  QImage picture(canvas->size(), QImage::Format_RGB32);
  int originX = 0;
  int originY = 0;
  DrawRealSize(picture, &tabSet.tabs[step.slot], originX, originY);
  mainPreview.control->setOverlay(picture);
  player.playing = true;
  if (!player.timer) {
    player.timer = new QTimer(mainPreview.control);
    player.timer->setSingleShot(true);
    QObject::connect(player.timer, &QTimer::timeout, [] { AdvanceAnimation(); });
  }
  // A time of 0 would spin: the shortest step is one sixtieth of a second.
  // The longest a timer takes is a little over 24 days.
  const std::uint32_t ms = RateToMilliseconds(std::max<std::uint32_t>(step.rate, 1));
  player.timer->start(static_cast<int>(std::min<std::uint32_t>(ms, 0x7FFFFFFF)));
}

}  // namespace

void FollowAnimation() {
  const bool animation = mainPreview.control != nullptr && mainPreview.canvas != nullptr && tabSet.tabCount > 0 &&
                         IsAnimatedCursorName(tabSet.documentName);
  const std::vector<PlayedStep> steps = animation ? DocumentSteps() : std::vector<PlayedStep>{};
  if (steps.size() < 2) {
    Stop();
    return;
  }
  if (!AnimationPlaying()) player.step = 0;
  ShowStep(steps);
}

void AdvanceAnimation() {
  if (!player.playing) return;
  ++player.step;
  FollowAnimation();
}

bool AnimationPlaying() { return player.playing; }

std::size_t AnimationStepShown() { return player.step; }
