#pragma once
// Recording snapshots and the undo and redo commands, with their message
// and the refreshes that follow them.

#include "platform/ui_text.h"

struct ImageTab;

inline constexpr const char* UNDO_MEMORY_FAILED =
    QT_TRANSLATE_NOOP("Quillet2", "メモリ確保に失敗、アンドゥ書き込み出来ませんでした");
inline constexpr const char* UNDO_OLDEST_DROPPED = QT_TRANSLATE_NOOP(
    "Quillet2", "元に戻す記録が大きくなったので、古い操作から消しています。それより前には戻せません");

// Tells the user, once while the program runs, that the oldest steps of a
// history are being dropped to keep its memory within bounds.
void ReportDroppedSteps();

// Records a snapshot of pixels and palette after undoCurrent, announced as a
// change of its own.
void RecordUndo(ImageTab& tab);
// Says that memory ran out for a snapshot; the edit itself stays done.
void ReportMissingSnapshot();

// Copy the previous or next snapshot back into the tab and show it; nothing
// happens at either end of the history.
void UndoStep(ImageTab& tab);
void RedoStep(ImageTab& tab);

// Commands 210 and 211 for the current tab: an action under way is ended
// first, then the step is taken.
void CommandUndo();
void CommandRedo();
