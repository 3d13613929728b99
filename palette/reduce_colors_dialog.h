#pragma once
// The colour reduction dialog ("減色", template 2260): the user types a
// number of colours and runs the reduction on the current tab as often as
// he likes, each run starting from the image as it was when the dialog
// opened. OK keeps the last result as one undo step; cancel puts the image
// back.

class QPoint;

enum ReduceColorsDialogId : int {
  ID_REDUCE_DIALOG = 2260,
  ID_REDUCE_LABEL = 2003,
  ID_REDUCE_COUNT = 2011,
  ID_REDUCE_RUN = 2021,
  ID_REDUCE_UPDOWN = 2030,
};

// Runs the dialog with its top-left corner at the screen point. Gives back
// 1 (OK) or 2 (cancel), or 0 when there is no current tab with 16 or 256
// colours.
int ReduceColorsDialog(const QPoint& screenPoint);
