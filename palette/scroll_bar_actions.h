#pragma once
// Scroll bar actions of Qt as the scroll requests the palette dialogs handle.

#include "palette/scroll_request.h"

// The request for a QAbstractSlider action; a drag of the thumb is a track.
ScrollRequest ScrollRequestOfAction(int action);
