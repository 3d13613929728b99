#include "canvas/rotate_dialog.h"

#include <algorithm>
#include <iterator>

#include <QDialog>
#include <QGroupBox>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QToolButton>
#include <QVBoxLayout>

#include "canvas/edit_view.h"
#include "canvas/preview.h"
#include "canvas/transforms.h"
#include "canvas/undo_commands.h"
#include "model/change_hub.h"
#include "canvas/hot_spot.h"
#include "model/tab_lifecycle.h"
#include "platform/dialog_template.h"
#include "platform/modal.h"
#include "platform/ui_text.h"
#include "platform/window_handles.h"

namespace {

constexpr int ANGLE_MIN = -359;
constexpr int ANGLE_MAX = 359;

// Everything one opening of the dialog works on.
struct RotateDialogRun {
  QDialog* dialog = nullptr;
  ImageTab* tab = nullptr;
  PreviewControl* before = nullptr;
  PreviewControl* after = nullptr;
  QImage* beforeCanvas = nullptr;
  QImage* afterCanvas = nullptr;
  QLineEdit* angleBox = nullptr;
  // Counter-clockwise quarter turns applied to the source, 0..3.
  int quarterTurns = 0;
  // The up-down control's own position, used when the box holds no number
  // it can take.
  int upDownPosition = 0;
};

// Reads the angle from the box and shows the free rotation of the turned
// source; unless forced, an angle already shown is not computed again.
void Recompute(RotateDialogRun& run, bool force) {
  const int angle = RotateAngleOfNumber(ReadDialogNumber(run.angleBox->text().toStdString()));
  if (angle == rotateWork.angle && !force) return;
  rotateWork.angle = angle;
  if (angle == 0)
    std::copy(std::begin(rotateWork.source), std::end(rotateWork.source), std::begin(rotateWork.result));
  else
    RotateByAngle(rotateWork);
  ShowRotateResult(*run.tab, run.afterCanvas);
  run.after->update();
}

// The free angle stays and is applied on top of the new quarter turns.
void TurnQuarter(RotateDialogRun& run, int step) {
  run.quarterTurns = (run.quarterTurns + step + 4) % 4;
  TurnSource(run.beforeCanvas, *run.tab, run.quarterTurns);
  run.before->update();
  Recompute(run, true);
}

// The box's text as the up-down control takes it: a whole number within the
// range and nothing else, or none.
bool UpDownNumberOfBox(const QString& text, int& number) {
  bool ok = false;
  const int value = text.toInt(&ok);
  if (!ok || value < ANGLE_MIN || value > ANGLE_MAX) return false;
  number = value;
  return true;
}

// One click on an arrow of the up-down control: it starts from the number in
// the box when it can take it, steps by one within the range without
// wrapping, and writes its position into the box.
void StepUpDown(RotateDialogRun& run, int step) {
  UpDownNumberOfBox(run.angleBox->text(), run.upDownPosition);
  run.upDownPosition = std::clamp(run.upDownPosition + step, ANGLE_MIN, ANGLE_MAX);
  run.angleBox->setText(QString::number(run.upDownPosition));
}

QToolButton* AddArrow(QWidget* upDown, QLayout* layout, Qt::ArrowType arrow, const char* name) {
  auto* button = new QToolButton(upDown);
  button->setObjectName(QString::fromLatin1(name));
  button->setArrowType(arrow);
  button->setAutoRepeat(true);
  button->setFocusPolicy(Qt::NoFocus);
  button->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
  layout->addWidget(button);
  return button;
}

// The up-down control beside the angle box: two arrow buttons, the upper
// one counting up.
void AddUpDown(RotateDialogRun& run, int x, int y, int width, int height) {
  auto* upDown = new QWidget;
  auto* layout = new QVBoxLayout(upDown);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  QToolButton* up = AddArrow(upDown, layout, Qt::UpArrow, UPDOWN_UP_ARROW);
  QToolButton* down = AddArrow(upDown, layout, Qt::DownArrow, UPDOWN_DOWN_ARROW);
  PlaceTemplateControl(*run.dialog, upDown, ID_ANGLE_UPDOWN, x, y, width, height);
  QObject::connect(up, &QToolButton::clicked, run.dialog, [&run] { StepUpDown(run, 1); });
  QObject::connect(down, &QToolButton::clicked, run.dialog, [&run] { StepUpDown(run, -1); });
}

PreviewControl* AddPreview(QDialog& dialog, int id, int x, int y, int width, int height) {
  auto* preview = new PreviewControl(&dialog);
  PlaceTemplateControl(dialog, preview, id, x, y, width, height);
  return preview;
}

void AddGroup(QDialog& dialog, int id, const char* title, int x, int y, int width, int height) {
  auto* group = new QGroupBox(QString::fromUtf8(title));
  PlaceTemplateControl(dialog, group, id, x, y, width, height);
  group->lower();
}

QPushButton* AddButton(QDialog& dialog, int id, const char* text, int x, int y, int width, int height) {
  auto* button = new QPushButton(QString::fromUtf8(text));
  PlaceTemplateControl(dialog, button, id, x, y, width, height);
  return button;
}

void BuildControls(RotateDialogRun& run) {
  QDialog& dialog = *run.dialog;
  AddGroup(dialog, ID_SOURCE_GROUP, QT_TRANSLATE_NOOP("Quillet2", " 元画像 "), 6, 3, 59, 68);
  AddGroup(dialog, ID_RESULT_GROUP, QT_TRANSLATE_NOOP("Quillet2", " 回転後 "), 71, 3, 59, 68);
  run.before = AddPreview(dialog, ID_BEFORE_PREVIEW, 12, 14, 47, 51);
  run.after = AddPreview(dialog, ID_AFTER_PREVIEW, 77, 14, 47, 51);

  QPushButton* left = AddButton(dialog, ID_TURN_LEFT, QT_TRANSLATE_NOOP("Quillet2", "左９０度"), 6, 76, 29, 14);
  QPushButton* right = AddButton(dialog, ID_TURN_RIGHT, QT_TRANSLATE_NOOP("Quillet2", "右９０度"), 36, 76, 29, 14);
  QObject::connect(left, &QPushButton::clicked, &dialog, [&run] { TurnQuarter(run, 1); });
  QObject::connect(right, &QPushButton::clicked, &dialog, [&run] { TurnQuarter(run, -1); });

  // Only digits can be typed; the up-down control also writes a sign.
  run.angleBox = new QLineEdit;
  run.angleBox->setMaxLength(4);
  run.angleBox->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  run.angleBox->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), run.angleBox));
  PlaceTemplateControl(dialog, run.angleBox, ID_ANGLE_BOX, 80, 77, 32, 12);
  AddUpDown(run, 112, 77, 9, 12);

  QPushButton* ok = AddButton(dialog, IDOK, QT_TRANSLATE_NOOP("Quillet2", "ＯＫ"), 138, 7, 45, 15);
  ok->setDefault(true);
  QPushButton* cancel = AddButton(dialog, IDCANCEL, QT_TRANSLATE_NOOP("Quillet2", "キャンセル"), 138, 26, 45, 15);
  QObject::connect(ok, &QPushButton::clicked, &dialog, [&run] {
    ApplyRotateResult(rotateWork, *run.tab);
    MoveHotSpotWithRotation(*run.tab, run.quarterTurns, rotateWork.angle);
    RecordUndo(*run.tab);
    run.dialog->done(IDOK);
  });
  QObject::connect(cancel, &QPushButton::clicked, &dialog, [&run] { run.dialog->done(IDCANCEL); });
}

}  // namespace

int RotateDialog(ImageTab& tab) {
  if (!CanRotateSelection(tab)) return 0;
  RotateDialogRun run;
  run.tab = &tab;
  run.dialog =
      CreateTemplateDialog(windowHandles.main, QT_TRANSLATE_NOOP("Quillet2", "回転"), 189, 96, "ＭＳ Ｐゴシック", 9);
  run.dialog->setObjectName(QString::number(ID_ROTATE_DIALOG));
  BuildControls(run);
  PlaceDialogOverMain(*run.dialog);
  run.beforeCanvas = run.before->canvas();
  run.afterCanvas = run.after->canvas();

  StartRotateWork(rotateWork, tab);
  run.quarterTurns = 0;
  TurnSource(run.beforeCanvas, tab, 0);
  ShowRotateResult(tab, run.afterCanvas);
  run.before->update();
  run.after->update();
  // Connected only after the box has its first text, so that the opening
  // computes nothing twice. The box starts at 0, no free rotation.
  run.angleBox->setText(QStringLiteral("0"));
  QObject::connect(run.angleBox, &QLineEdit::textChanged, run.dialog, [&run] { Recompute(run, false); });

  const int result = RunModalDialog(*run.dialog);
  delete run.dialog;
  // Whatever closed the dialog, the edit view shows the stored cells again
  // instead of the live result.
  Announce(&tab, CHANGE_PIXELS);
  return result;
}
