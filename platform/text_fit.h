#pragma once
// Texts that do not fit their controls. The dialogs' places and sizes come
// from templates made for the program's Japanese texts; a translated text
// may need more room.

#include <QList>
#include <QStringList>

class QWidget;

// The texts of the buttons, check boxes, radio buttons, labels and group
// boxes inside the window that are wider or, for labels, taller than their
// controls show.
QStringList TextsCutOff(const QWidget& window);

// Widens each control inside the window whose text is cut off into the free
// room beside it: to the right up to the next control on its rows or the
// window's edge, then to the left likewise. Controls whose texts fit keep
// their places and sizes.
void WidenIntoFreeRoom(QWidget& window);

// Controls side by side, left to right: each one whose text is cut off is
// widened, and those right of it move along so that the gaps stay.
void WidenRowToFit(const QList<QWidget*>& row);
