#pragma once
// The hot-spot tool in the edit view: a click puts the tab's hot spot on the
// cell, and the view marks the hot spot while the document is a cursor or
// the tool is chosen.

#include "canvas/hot_spot.h"

class QPainter;
class QPoint;

// True when the edit view marks the tab's hot spot: the document is a
// cursor file, or the hot-spot tool is the tab's tool.
bool HotSpotShown(const ImageTab& tab);

// The left press of the hot-spot tool on the cell (x, y).
void HotSpotToolPress(ImageTab& tab, int x, int y);

// Draws the mark over the edit view's picture, whose top-left client point
// is origin. The mark stays visible at every zoom: a cross through the
// cell's centre that reaches past small cells, white under black.
void DrawHotSpotMark(QPainter& painter, const QPoint& origin);
