#pragma once
// Scroll bar rows of the palette dialogs: a letter, a scroll bar and a boxed
// value per row, and Qt's scroll bar actions as the dialogs' scroll requests.

#include "platform/scroll_request.h"

class QDialog;
class QLabel;
class QObject;
class QScrollBar;
class QString;

// The request for a QAbstractSlider action; a drag of the thumb is a track.
ScrollRequest ScrollRequestOfAction(int action);

// The parts of one row whose top lies at rowTop (dialog units). The bar and
// the value box report their input to `events`.
QLabel* AddRowLetter(QDialog& dialog, int id, int rowTop, const QString& text);
void PlaceRowBar(QDialog& dialog, QScrollBar* bar, int id, int rowTop, QObject* events);
QLabel* AddRowValue(QDialog& dialog, int id, int rowTop, int width, QObject* events);
