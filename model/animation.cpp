#include "model/animation.h"

#include <algorithm>

AnimationRecord documentAnimation;

void ForgetAnimation() { documentAnimation = AnimationRecord{}; }

void ForgetAnimationSlot(int slot) {
  auto& steps = documentAnimation.steps;
  steps.erase(std::remove_if(steps.begin(), steps.end(), [slot](const AnimationStep& s) { return s.slot == slot; }),
              steps.end());
}

std::vector<PlayedStep> PlayedSteps(const std::vector<int>& frameSlots, const std::vector<std::uint32_t>& frameRates) {
  auto rateOf = [&](std::size_t frame) {
    const std::uint32_t rate = frame < frameRates.size() ? frameRates[frame] : 0;
    return rate != 0 ? rate : documentAnimation.defaultRate;
  };
  std::vector<PlayedStep> played;
  std::vector<bool> shown(frameSlots.size(), false);
  for (const AnimationStep& step : documentAnimation.steps) {
    const auto found = std::find(frameSlots.begin(), frameSlots.end(), step.slot);
    if (found == frameSlots.end()) continue;
    const auto frame = static_cast<std::size_t>(found - frameSlots.begin());
    shown[frame] = true;
    played.push_back({step.slot, step.ownRate != 0 ? step.ownRate : rateOf(frame)});
  }
  for (std::size_t frame = 0; frame < frameSlots.size(); ++frame)
    if (!shown[frame]) played.push_back({frameSlots[frame], rateOf(frame)});
  return played;
}
