#pragma once
// Recording snapshots and the undo and redo commands, with their message
// and the refreshes that follow them.

struct ImageTab;

inline constexpr const char* UNDO_MEMORY_FAILED = "メモリ確保に失敗、アンドゥ書き込み出来ませんでした";

// Records a snapshot of pixels and palette after undoCurrent.
void RecordUndo(ImageTab& tab);
