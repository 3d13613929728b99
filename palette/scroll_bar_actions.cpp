#include "palette/scroll_bar_actions.h"

#include <QAbstractSlider>
#include <QDialog>
#include <QLabel>
#include <QScrollBar>

#include "palette/colour_dialog.h"
#include "platform/dialog_template.h"

ScrollRequest ScrollRequestOfAction(int action) {
  switch (action) {
    case QAbstractSlider::SliderSingleStepSub: return SB_LINELEFT;
    case QAbstractSlider::SliderSingleStepAdd: return SB_LINERIGHT;
    case QAbstractSlider::SliderPageStepSub: return SB_PAGELEFT;
    case QAbstractSlider::SliderPageStepAdd: return SB_PAGERIGHT;
    case QAbstractSlider::SliderToMinimum: return SB_LEFT;
    case QAbstractSlider::SliderToMaximum: return SB_RIGHT;
    default: return SB_THUMBTRACK;
  }
}

QLabel* AddRowLetter(QDialog& dialog, int id, int rowTop, const QString& text) {
  auto* letter = new QLabel(text);
  letter->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  PlaceTemplateControl(dialog, letter, id, 2, rowTop + 1, 9, 10);
  letter->setFont(PaletteDialogFont());
  return letter;
}

void PlaceRowBar(QDialog& dialog, QScrollBar* bar, int id, int rowTop, QObject* events) {
  PlaceTemplateControl(dialog, bar, id, 11, rowTop, 171, 9);
  bar->setSingleStep(SCROLL_LINE_STEP);
  bar->setPageStep(SCROLL_PAGE_STEP);
  // The keyboard stays with the dialog; the bars are worked by mouse.
  bar->setFocusPolicy(Qt::NoFocus);
  // Qt's own menu of scroll commands would move the thumb without a scroll
  // request, so the value box and the colour would not follow and no scroll
  // would ever end; the bars offer no menu.
  bar->setContextMenuPolicy(Qt::PreventContextMenu);
  bar->installEventFilter(events);
}

QLabel* AddRowValue(QDialog& dialog, int id, int rowTop, int width, QObject* events) {
  auto* label = new QLabel;
  label->setFrameStyle(QFrame::Box | QFrame::Plain);
  label->setLineWidth(1);
  label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  PlaceTemplateControl(dialog, label, id, 182, rowTop, width, 10);
  label->setFont(PaletteDialogFont());
  label->installEventFilter(events);
  return label;
}
