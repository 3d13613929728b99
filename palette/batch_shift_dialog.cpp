#include <QDialog>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <memory>

#include "canvas/edit_view.h"
#include "canvas/preview.h"
#include "model/tab_lifecycle.h"
#include "palette/batch_colour_dialogs.h"
#include "palette/colour_dialog.h"
#include "palette/scroll_bar_actions.h"
#include "platform/dialog_template.h"
#include "platform/modal.h"
#include "platform/ui_text.h"
#include "platform/window_handles.h"

namespace {

// A scroll bar whose track turns red while it is marked as limited; the
// arrows and the thumb stay as they are.
class ShiftScrollBar : public QScrollBar {
 public:
  ShiftScrollBar() : QScrollBar(Qt::Horizontal) {}

  void SetLimited(bool limited) {
    if (limited == limited_) return;
    limited_ = limited;
    update();
  }

 protected:
  void paintEvent(QPaintEvent* event) override {
    QScrollBar::paintEvent(event);
    if (!limited_) return;
    QStyleOptionSlider option;
    initStyleOption(&option);
    QPainter painter(this);
    for (QStyle::SubControl track : {QStyle::SC_ScrollBarSubPage, QStyle::SC_ScrollBarAddPage})
      painter.fillRect(style()->subControlRect(QStyle::CC_ScrollBar, &option, track, this), QColor(255, 0, 0));
  }

 private:
  bool limited_ = false;
};

constexpr const char* LETTERS[2][SHIFT_BARS] = {{"H", "S", "V"}, {"R", "G", "B"}};
constexpr int ROW_TOP[SHIFT_BARS] = {5, 19, 33};
constexpr int SHIFT_TEXT_LIMIT = 4;

// Everything one opening of the shift dialog works on.
struct ShiftRun {
  QDialog* dialog = nullptr;
  ImageTab* tab = nullptr;
  // The tab as it was at opening with the shifted colours in its palette;
  // the edit view and the preview show it while the dialog is open.
  std::unique_ptr<ImageTab> preview;
  BatchShift shift;
  QLabel* letters[SHIFT_BARS] = {};
  ShiftScrollBar* bars[SHIFT_BARS] = {};
  QLabel* labels[SHIFT_BARS] = {};
  QPushButton* hsvButton = nullptr;
  QPushButton* rgbButton = nullptr;
  QLineEdit* edit = nullptr;
  int editBar = -1;
  QPoint editLabelPlace;
};

// Repaints every pixel of a chosen colour from the record's palette, in the
// edit view and in the preview.
void RepaintChosenPixels(const ShiftRun& run, const ImageTab& record) {
  bool chosen[256] = {};
  for (int index : run.shift.chosen) chosen[index] = true;
  for (int x = 0; x < record.width; ++x) {
    for (int y = 0; y < record.height; ++y) {
      const PixelCell cell = CellAt(record, x, y);
      if (!chosen[cell & CELL_INDEX_BITS]) continue;
      PaintCell(x, y, cell, record, nullptr, GridLines::Hidden);
      PaintPreviewPixel(x, y, cell, record);
    }
  }
  InvalidateEditView();
  InvalidatePreview();
}

// A bar that had to hold a colour at the end of a channel shows it in red.
void ShowLimit(ShiftRun& run, int bar) { run.bars[bar]->SetLimited(run.shift.limited[bar]); }

void ShowAmount(ShiftRun& run, int bar, int amount) {
  run.labels[bar]->setText(QString::number(amount));
  run.bars[bar]->setValue(amount);
}

void CloseShiftEdit(ShiftRun& run) {
  if (run.edit == nullptr) return;
  delete run.edit;
  run.edit = nullptr;
  run.labels[run.editBar]->move(run.editLabelPlace);
  run.editBar = -1;
}

// The HSV or RGB button: the chosen mode starts from the opening colours
// with every shift at 0.
void ModeCommand(ShiftRun& run) {
  CloseShiftEdit(run);
  const BatchShiftMode mode = run.rgbButton->isChecked() ? SHIFT_RGB : SHIFT_HSV;
  SetBatchShiftMode(run.shift, mode);
  for (int bar = 0; bar < SHIFT_BARS; ++bar) {
    run.letters[bar]->setText(QString::fromLatin1(LETTERS[mode][bar]));
    run.bars[bar]->setRange(ShiftLow(mode, bar), ShiftHigh(mode, bar));
    ShowAmount(run, bar, 0);
    ShowLimit(run, bar);
  }
  WriteOpeningColors(run.shift, run.preview->palette);
  RepaintChosenPixels(run, *run.tab);
}

void ScrollBar(ShiftRun& run, int bar, ScrollRequest request, int position) {
  const int amount = NewShiftValue(run.shift.shift[bar], ShiftLow(run.shift.mode, bar),
                                   ShiftHigh(run.shift.mode, bar), request, position);
  ShowAmount(run, bar, amount);
  run.shift.shift[bar] = amount;
  if (request == SB_ENDSCROLL) return;
  ApplyBatchShift(run.shift, bar, amount, run.preview->palette);
  ShowLimit(run, bar);
  RepaintChosenPixels(run, *run.preview);
}

void OnBarAction(ShiftRun& run, int bar, int action) {
  CloseShiftEdit(run);
  ScrollBar(run, bar, ScrollRequestOfAction(action), run.bars[bar]->sliderPosition());
}

void OnBarReleased(ShiftRun& run, int bar) {
  QScrollBar* scrollBar = run.bars[bar];
  if (scrollBar->isSliderDown()) ScrollBar(run, bar, SB_THUMBPOSITION, scrollBar->sliderPosition());
  ScrollBar(run, bar, SB_ENDSCROLL, 0);
}

// A typed shift; text that is no number counts as 0.
int TypedShift(const QString& text) {
  bool ok = false;
  const int number = text.toInt(&ok);
  return ok ? number : 0;
}

void OpenShiftEdit(ShiftRun& run, int bar) {
  CloseShiftEdit(run);
  QLabel* label = run.labels[bar];
  const QRect place = label->geometry();
  run.editLabelPlace = place.topLeft();
  run.editBar = bar;
  label->move(place.left(), run.dialog->height() + place.height());

  auto* edit = new QLineEdit(run.dialog);
  edit->setObjectName(QString::number(ID_SHIFT_EDIT));
  edit->setGeometry(place);
  edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  edit->setMaxLength(SHIFT_TEXT_LIMIT);
  // Shifts run both ways, so a leading minus may be typed.
  edit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("-?[0-9]*")), edit));
  edit->setFont(PaletteDialogFont());
  edit->setText(label->text());
  edit->selectAll();
  edit->raise();
  edit->show();
  edit->setFocus();
  run.edit = edit;
  // Connected only now, so that putting the label's number in does not
  // count as typing.
  QObject::connect(edit, &QLineEdit::textChanged, run.dialog, [&run, bar](const QString& text) {
    ScrollBar(run, bar, SB_THUMBPOSITION, TypedShift(text));
  });
}

class ShiftDialogEvents : public QObject {
 public:
  explicit ShiftDialogEvents(ShiftRun& run) : QObject(run.dialog), run_(run) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    for (int bar = 0; bar < SHIFT_BARS; ++bar) {
      if (watched == run_.labels[bar] && event->type() == QEvent::MouseButtonPress &&
          static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        OpenShiftEdit(run_, bar);
        return true;
      }
      if (watched == run_.bars[bar] && event->type() == QEvent::MouseButtonRelease) OnBarReleased(run_, bar);
    }
    return false;
  }

 private:
  ShiftRun& run_;
};

void AcceptShift(ShiftRun& run) {
  for (int index : run.shift.chosen) run.tab->palette[index] = run.preview->palette[index];
  run.dialog->done(IDOK);
}

QPushButton* AddModeButton(QDialog& dialog, int id, const char* text, int x) {
  auto* button = new QPushButton(QString::fromLatin1(text));
  button->setCheckable(true);
  button->setAutoExclusive(true);
  button->setAutoDefault(false);
  PlaceTemplateControl(dialog, button, id, x, 50, 24, 13);
  return button;
}

void BuildShiftControls(ShiftRun& run) {
  QDialog& dialog = *run.dialog;
  auto* events = new ShiftDialogEvents(run);
  for (int bar = 0; bar < SHIFT_BARS; ++bar) {
    run.letters[bar] = AddRowLetter(dialog, ID_SHIFT_FIRST_LETTER + bar, ROW_TOP[bar], QString());
    auto* scrollBar = new ShiftScrollBar;
    PlaceRowBar(dialog, scrollBar, ID_SHIFT_FIRST_BAR + bar, ROW_TOP[bar], events);
    QObject::connect(scrollBar, &QAbstractSlider::actionTriggered, &dialog,
                     [&run, bar](int action) { OnBarAction(run, bar, action); });
    run.bars[bar] = scrollBar;
    run.labels[bar] = AddRowValue(dialog, ID_SHIFT_FIRST_VALUE + bar, ROW_TOP[bar], 21, events);
  }
  run.hsvButton = AddModeButton(dialog, ID_SHIFT_HSV, "HSV", 4);
  run.rgbButton = AddModeButton(dialog, ID_SHIFT_RGB, "RGB", 32);
  QObject::connect(run.hsvButton, &QPushButton::clicked, &dialog, [&run] { ModeCommand(run); });
  QObject::connect(run.rgbButton, &QPushButton::clicked, &dialog, [&run] { ModeCommand(run); });

  auto* ok = new QPushButton(QStringLiteral(QT_TRANSLATE_NOOP("Quillet2", "ＯＫ")));
  PlaceTemplateControl(dialog, ok, IDOK, 111, 50, 45, 15);
  ok->setDefault(true);
  auto* cancel = new QPushButton(QStringLiteral(QT_TRANSLATE_NOOP("Quillet2", "キャンセル")));
  PlaceTemplateControl(dialog, cancel, IDCANCEL, 159, 50, 45, 15);
  cancel->setAutoDefault(false);
  QObject::connect(ok, &QPushButton::clicked, &dialog, [&run] { AcceptShift(run); });
  QObject::connect(cancel, &QPushButton::clicked, &dialog, [&run] { run.dialog->done(IDCANCEL); });
}

}  // namespace

int BatchShiftDialog(const BatchSelection& selection) {
  ImageTab* tab = CurrentTab();
  if (tab == nullptr) return 0;
  auto run = std::make_unique<ShiftRun>();
  run->tab = tab;
  run->preview = std::make_unique<ImageTab>(*tab);
  run->shift = BeginBatchShift(tab->palette, selection, PaletteSize(*tab));

  run->dialog = CreateTemplateDialog(windowHandles.main, QT_TRANSLATE_NOOP("Quillet2", "一括色変化ダイアログ"), 208, 68,
                                     "ＭＳ Ｐゴシック", 9);
  run->dialog->setObjectName(QString::number(ID_BATCH_SHIFT_DIALOG));
  if (windowHandles.paletteWindow != nullptr)
    run->dialog->move(windowHandles.paletteWindow->mapToGlobal(QPoint(0, windowHandles.paletteWindow->height())));
  BuildShiftControls(*run);
  (run->shift.mode == SHIFT_RGB ? run->rgbButton : run->hsvButton)->setChecked(true);
  ModeCommand(*run);

  const int result = RunModalDialog(*run->dialog);
  delete run->dialog;
  // Cancel, the close box and Escape leave the palette as it was.
  return result == IDOK ? IDOK : IDCANCEL;
}
