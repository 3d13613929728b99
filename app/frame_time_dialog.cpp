#include "app/frame_time_dialog.h"

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

#include "model/animation.h"
#include "model/change_hub.h"
#include "model/tab_lifecycle.h"
#include "platform/dialog_template.h"
#include "platform/modal.h"
#include "platform/translation.h"
#include "platform/window_handles.h"

namespace {

std::uint32_t ShownRate(const ImageTab& tab) {
  return tab.frameRate != 0 ? tab.frameRate : documentAnimation.defaultRate;
}

QString MillisecondsText(int rate) {
  return QString::fromStdString(
      FillText(UiString(FRAME_TIME_MILLISECONDS), {std::to_string(RateToMilliseconds(static_cast<std::uint32_t>(rate)))}));
}

}  // namespace

bool SetFrameTime(ImageTab& tab, int rate) {
  if (rate < 1 || rate > FRAME_TIME_MAX) return false;
  const auto value = static_cast<std::uint32_t>(rate);
  bool stepsOwnTime = false;
  for (const AnimationStep& step : documentAnimation.steps)
    stepsOwnTime = stepsOwnTime || (step.slot == SlotOf(tab) && step.ownRate != 0);
  if (value == ShownRate(tab) && !stepsOwnTime) return false;
  tab.frameRate = value;
  // The frame shows for its new time at every step; a step that had a time
  // of its own takes the frame's.
  for (AnimationStep& step : documentAnimation.steps)
    if (step.slot == SlotOf(tab)) step.ownRate = 0;
  Announce(&tab, CHANGE_PIXELS | CHANGE_RECORD_UNDO);
  return true;
}

void FrameTimeDialog(ImageTab& tab) {
  QDialog* dialog = CreateTemplateDialog(windowHandles.main, FRAME_TIME_TITLE, 180, 62, "ＭＳ Ｐゴシック", 9);
  dialog->setObjectName(QString::number(ID_FRAME_TIME_DIALOG));
  auto* label = new QLabel(QString::fromUtf8(FRAME_TIME_LABEL));
  PlaceTemplateControl(*dialog, label, -1, 7, 9, 100, 10);
  label->setObjectName(QString());
  auto* value = new QSpinBox;
  value->setRange(1, FRAME_TIME_MAX);
  value->setValue(static_cast<int>(std::min<std::uint32_t>(ShownRate(tab), FRAME_TIME_MAX)));
  PlaceTemplateControl(*dialog, value, ID_FRAME_TIME_VALUE, 110, 7, 63, 13);
  auto* milliseconds = new QLabel(MillisecondsText(value->value()));
  PlaceTemplateControl(*dialog, milliseconds, ID_FRAME_TIME_MILLISECONDS, 110, 23, 63, 10);
  auto* ok = new QPushButton(QStringLiteral("OK"));
  PlaceTemplateControl(*dialog, ok, IDOK, 48, 40, 60, 15);
  ok->setDefault(true);
  auto* cancel = new QPushButton(QString::fromUtf8(QT_TRANSLATE_NOOP("Quillet2", "キャンセル")));
  PlaceTemplateControl(*dialog, cancel, IDCANCEL, 113, 40, 60, 15);
  PlaceDialogOverMain(*dialog);

  QObject::connect(value, &QSpinBox::valueChanged, milliseconds,
                   [milliseconds](int rate) { milliseconds->setText(MillisecondsText(rate)); });
  QObject::connect(ok, &QPushButton::clicked, dialog, [dialog] { dialog->done(IDOK); });
  QObject::connect(cancel, &QPushButton::clicked, dialog, [dialog] { dialog->done(IDCANCEL); });
  QObject::connect(dialog, &QDialog::rejected, dialog, [dialog] { dialog->setResult(IDCANCEL); });

  const int result = RunModalDialog(*dialog);
  const int rate = value->value();
  delete dialog;
  if (result == IDOK) SetFrameTime(tab, rate);
}
