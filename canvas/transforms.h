#pragma once
// Shifts, flips and rotation of the selection: the cell work, and the
// drawing of the rotate dialog's pictures.

#include "canvas/transform_algorithms.h"

class QImage;

// Turns the selection into rotateWork.source by the quarter turns and draws
// the source, centred, into the before preview's canvas (when there is one).
void TurnSource(QImage* before, const ImageTab& tab, int quarterTurns);

// Draws rotateWork.result into the after preview's canvas and, in place of
// the selection, into the edit view's back buffer; the tab's cells stay as
// they are. The edit view is invalidated so that it shows the result live.
void ShowRotateResult(const ImageTab& tab, QImage* after);
