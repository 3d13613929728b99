#pragma once
// The edit view's zoom at work: its scroll bars, the wheel, and the zoom
// commands. Every change of a tab's zoom or scroll position is announced as
// CHANGE_ZOOM, and the full repaint that follows lays the view out for it.

#include <QPoint>

#include "model/image_tab.h"

class QWidget;

// Gives the edit view its two scroll bars, hidden until a zoom needs them.
void AttachScrollBars(QWidget* view);

// Lays the view out for the tab's zoom in a client area of the given size:
// shows the scroll bars it needs, keeps the tab's scroll position in range,
// and sets the view's scroll. Gives back the cell size to paint with.
int ApplyZoomFrame(ImageTab& tab, int areaWidth, int areaHeight);
// No tab is shown: no scroll bars and no scroll.
void HideScrollBars();

// The cells of the tab that the edit view shows now, whole or in part (the
// whole image when it is fitted).
CellRect VisibleCellArea(const ImageTab& tab);

// One zoom step in (direction > 0) or out around client point (x, y) of the
// edit view; the current tab keeps the image point under it there.
void ZoomCurrentTabAt(int direction, int x, int y);
// One zoom step around the middle of what the view shows.
void ZoomCurrentTab(int direction);
// Back to the cell size that fits the image to the view.
void FitCurrentTab();
// Moves the current tab's view by the given pixels, within the scroll range.
void ScrollCurrentTab(int dx, int dy);

// The wheel over the edit view: with Ctrl it zooms around the pointer, with
// Shift it scrolls sideways, else it scrolls up and down.
void HandleEditWheel(QPoint angleDelta, Qt::KeyboardModifiers modifiers, int x, int y);
