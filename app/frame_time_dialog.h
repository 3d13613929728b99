#pragma once
// The frame-time dialog: how long the current tab shows as a frame of an
// animated cursor, in sixtieths of a second.

#include "model/image_tab.h"
#include "platform/ui_text.h"

inline constexpr const char* FRAME_TIME_TITLE = QT_TRANSLATE_NOOP("Quillet2", "フレームの表示時間");
inline constexpr const char* FRAME_TIME_LABEL = QT_TRANSLATE_NOOP("Quillet2", "表示時間（1/60秒単位）:");
inline constexpr const char* FRAME_TIME_MILLISECONDS = QT_TRANSLATE_NOOP("Quillet2", "= %1 ミリ秒");

// Control ids of the dialog.
enum : int {
  ID_FRAME_TIME_DIALOG = 2600,
  ID_FRAME_TIME_VALUE = 2601,
  ID_FRAME_TIME_MILLISECONDS = 2602,
};

// The longest time the dialog takes: one minute.
constexpr int FRAME_TIME_MAX = 3600;

// Sets the tab's display time: every step of the sequence that shows it
// takes the new time, and the change is one undo step. False when the time
// is the one it has or lies outside 1 to FRAME_TIME_MAX.
bool SetFrameTime(ImageTab& tab, int rate);

// Runs the dialog for the tab; OK sets the time.
void FrameTimeDialog(ImageTab& tab);
