#include "palette/reduce_colors_dialog.h"

#include <QCoreApplication>
#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <memory>

#include "canvas/undo_commands.h"
#include "model/change_hub.h"
#include "model/tab_lifecycle.h"
#include "palette/colour_reduction.h"
#include "platform/dialog_template.h"
#include "platform/modal.h"
#include "platform/ui_text.h"
#include "platform/window_handles.h"

namespace {

constexpr int UP_DOWN_WIDTH = 16;
constexpr int COUNT_TEXT_LIMIT = 3;

// A pair of arrow buttons attached to the right edge of a number box. Each
// click takes the box's number as the position when it holds one, steps it
// by one within the range and writes the new position back into the box.
class UpDownControl : public QWidget {
 public:
  UpDownControl(QLineEdit* buddy, int minimum, int maximum, int position)
      : QWidget(buddy->parentWidget()), buddy_(buddy), minimum_(minimum), maximum_(maximum), position_(position) {
    setObjectName(QString::number(ID_REDUCE_UPDOWN));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    up_ = MakeArrow(Qt::UpArrow, +1);
    down_ = MakeArrow(Qt::DownArrow, -1);
    layout->addWidget(up_);
    layout->addWidget(down_);
    // Aligned to the right edge of the box, which gives up the room.
    const QRect box = buddy->geometry();
    buddy->setGeometry(box.adjusted(0, 0, -UP_DOWN_WIDTH, 0));
    setGeometry(box.right() - UP_DOWN_WIDTH + 1, box.top(), UP_DOWN_WIDTH, box.height());
    buddy_->setText(QString::number(position_));
  }

  QToolButton* upButton() const { return up_; }
  QToolButton* downButton() const { return down_; }

 private:
  QToolButton* MakeArrow(Qt::ArrowType arrow, int step) {
    auto* button = new QToolButton(this);
    button->setArrowType(arrow);
    button->setAutoRepeat(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    connect(button, &QToolButton::clicked, this, [this, step] { Step(step); });
    return button;
  }

  void Step(int step) {
    bool ok = false;
    const int typed = buddy_->text().toInt(&ok);
    if (ok) position_ = std::clamp(typed, minimum_, maximum_);
    position_ = std::clamp(position_ + step, minimum_, maximum_);
    buddy_->setText(QString::number(position_));
  }

  QLineEdit* buddy_;
  QToolButton* up_ = nullptr;
  QToolButton* down_ = nullptr;
  int minimum_;
  int maximum_;
  int position_;
};

// Everything one opening of the dialog works on.
struct ReduceRun {
  QDialog* dialog = nullptr;
  ImageTab* tab = nullptr;
  int maxCount = 0;
  ReductionSource source;
  QLineEdit* countBox = nullptr;
};

// "実行": reduces the image as it was at opening to the number in the box.
// A number out of range runs with the most colours and shows that number.
void RunReduction(ReduceRun& run) {
  const int count = ReductionCountOfText(run.countBox->text().toStdString(), run.maxCount);
  run.countBox->setText(QString::number(count));
  ReduceTabColors(*run.tab, run.source, count);
  Announce(run.tab, CHANGE_PALETTE | CHANGE_PIXELS);
}

void AcceptReduction(ReduceRun& run) {
  // Also without a run: OK always makes one step of history.
  RecordUndo(*run.tab);
  run.dialog->done(IDOK);
}

void CancelReduction(ReduceRun& run) {
  RestoreReductionSource(*run.tab, run.source);
  Announce(run.tab, CHANGE_PALETTE | CHANGE_PIXELS);
  run.dialog->done(IDCANCEL);
}

void AddLabel(QDialog& dialog) {
  // The same text as the new-tab dialog's label, in a narrower place, so it
  // has a translation of its own.
  auto* label = new QLabel(QCoreApplication::translate("Quillet2", "色数", "colour reduction"));
  label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  PlaceTemplateControl(dialog, label, ID_REDUCE_LABEL, 8, 6, 18, 9);
}

QLineEdit* AddCountBox(QDialog& dialog, int maxCount) {
  auto* box = new QLineEdit;
  box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  box->setMaxLength(COUNT_TEXT_LIMIT);
  box->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), box));
  PlaceTemplateControl(dialog, box, ID_REDUCE_COUNT, 26, 4, 36, 13);
  auto* upDown = new UpDownControl(box, 2, maxCount, maxCount);
  upDown->show();
  return box;
}

QPushButton* AddButton(QDialog& dialog, int id, const char* text, int x, int y, int width) {
  auto* button = new QPushButton(QString::fromUtf8(text));
  PlaceTemplateControl(dialog, button, id, x, y, width, 15);
  return button;
}

}  // namespace

int ReduceColorsDialog(const QPoint& screenPoint) {
  ImageTab* tab = CurrentTab();
  if (tab == nullptr || tab->colorCode == 2) return 0;
  auto run = std::make_unique<ReduceRun>();
  run->tab = tab;
  run->maxCount = MaxReductionCount(*tab);
  run->source = TakeReductionSource(*tab);

  run->dialog =
      CreateTemplateDialog(windowHandles.main, QT_TRANSLATE_NOOP("Quillet2", "減色"), 120, 40, "ＭＳ Ｐゴシック", 9);
  QDialog& dialog = *run->dialog;
  dialog.setObjectName(QString::number(ID_REDUCE_DIALOG));
  dialog.move(screenPoint);
  AddLabel(dialog);
  run->countBox = AddCountBox(dialog, run->maxCount);
  QPushButton* execute = AddButton(dialog, ID_REDUCE_RUN, QT_TRANSLATE_NOOP("Quillet2", "実行"), 8, 21, 54);
  QPushButton* ok = AddButton(dialog, IDOK, QT_TRANSLATE_NOOP("Quillet2", "ＯＫ"), 72, 2, 45);
  ok->setDefault(true);
  QPushButton* cancel = AddButton(dialog, IDCANCEL, QT_TRANSLATE_NOOP("Quillet2", "キャンセル"), 72, 21, 45);
  // The run button must not take Enter from the box: Enter is OK.
  execute->setAutoDefault(false);
  cancel->setAutoDefault(false);

  ReduceRun& state = *run;
  QObject::connect(execute, &QPushButton::clicked, &dialog, [&state] { RunReduction(state); });
  QObject::connect(ok, &QPushButton::clicked, &dialog, [&state] { AcceptReduction(state); });
  QObject::connect(cancel, &QPushButton::clicked, &dialog, [&state] { CancelReduction(state); });
  // The close box and Escape end the dialog without a button: a cancel.
  QObject::connect(&dialog, &QDialog::rejected, &dialog, [&state] {
    if (state.dialog->result() != IDOK && state.dialog->result() != IDCANCEL) CancelReduction(state);
  });
  run->countBox->setFocus();
  run->countBox->selectAll();

  const int result = RunModalDialog(dialog);
  // A dialog left open by a script ends as a cancel would, so the image is
  // never left half reduced without a step of history.
  if (result != IDOK && result != IDCANCEL) {
    RestoreReductionSource(*tab, run->source);
    Announce(tab, CHANGE_PALETTE | CHANGE_PIXELS);
  }
  delete run->dialog;
  return result == IDOK ? IDOK : IDCANCEL;
}
