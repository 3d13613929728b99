#pragma once
// Playing an animated cursor document in the main preview: while the
// document is an animation of two or more steps, the preview shows each
// step's frame for its time, in the order of the sequence; otherwise it
// shows the current tab as always.

#include <cstddef>

// Starts, keeps or stops playing by what the document is now; while playing,
// redraws the step shown so that it follows edits. The views call it after
// every change they show.
void FollowAnimation();

// Shows the next step (what the timer does when a step's time is over).
void AdvanceAnimation();

bool AnimationPlaying();
// The step shown while playing.
std::size_t AnimationStepShown();
