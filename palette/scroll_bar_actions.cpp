#include "palette/scroll_bar_actions.h"

#include <QAbstractSlider>

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
