#include <QDialog>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QMainWindow>
#include <QMouseEvent>
#include <QPushButton>
#include <memory>

#include "canvas/edit_view.h"
#include "canvas/preview.h"
#include "model/tab_lifecycle.h"
#include "palette/batch_colour_dialogs.h"
#include "platform/dialog_template.h"
#include "platform/modal.h"
#include "platform/system_colors.h"
#include "platform/ui_text.h"
#include "platform/window_handles.h"

namespace {

constexpr ColorRef WHITE = 0xFFFFFF;

// Everything one opening of the choice dialog works on.
struct SelectRun {
  QDialog* dialog = nullptr;
  ImageTab* tab = nullptr;
  BatchSelection* selection = nullptr;
  PreviewControl* grid = nullptr;
  int cw = 0;
  int ch = 0;
  int anchor = -1;
  // Picking pixels in the edit view: where the dialog was before it made
  // room, which corner it dodged to last, and the cell picked last while
  // the left button is held.
  bool picking = false;
  QPoint placeBeforePicking;
  bool dodged = false;
  int lastPickX = -1;
  int lastPickY = -1;
};

// Shows the choice: rings around the chosen swatches, and the image in the
// edit view with a ring on every pixel of a chosen colour.
void ShowSelection(SelectRun& run) {
  if (QImage* canvas = GetPreviewCanvas(run.grid)) {
    RasterSurface surface = SurfaceOf(*canvas);
    DrawSwatchRings(surface, *run.selection, run.cw, run.ch, WHITE, GetSystemColor(COLOR_BTNFACE));
    run.grid->update();
  }
  if (!editView.backBuffer.isNull()) {
    RasterSurface surface = SurfaceOf(editView.backBuffer);
    DrawChoiceOverlay(surface, *run.tab, *run.selection, editView.scrollX, editView.scrollY);
    InvalidateEditView();
  }
}

void OnGridInput(SelectRun& run, PreviewControl* source, const PreviewInput& input) {
  if (source != run.grid || input.message != PVN_BUTTONDOWN) return;
  const int index = SwatchIndexAt(input.x, input.y, run.cw, run.ch);
  if (index < 0 || index >= PaletteSize(*run.tab)) return;
  ClickBatchSwatch(*run.selection, run.anchor, index, (input.modifiers & Qt::ShiftModifier) != 0);
  ShowSelection(run);
}

// Whole-grid changes leave no entry to start a shift-click run from.
void SetAll(SelectRun& run, std::uint8_t byte) {
  std::fill(std::begin(run.selection->bytes), std::end(run.selection->bytes), byte);
  run.anchor = -1;
  ShowSelection(run);
}

QPoint MainTopLeft() { return windowHandles.main != nullptr ? windowHandles.main->frameGeometry().topLeft() : QPoint(); }

void StartPicking(SelectRun& run) {
  run.picking = true;
  run.placeBeforePicking = run.dialog->pos();
  run.dialog->move(MainTopLeft());
  run.dodged = false;
  run.lastPickX = run.lastPickY = -1;
  // Every mouse message now comes to the dialog, wherever the pointer is,
  // moves without a button included.
  run.dialog->setMouseTracking(true);
  run.dialog->grabMouse(Qt::CrossCursor);
}

void EndPicking(SelectRun& run) {
  if (!run.picking) return;
  run.picking = false;
  run.dialog->releaseMouse();
  run.dialog->setMouseTracking(false);
  run.dialog->move(run.placeBeforePicking);
}

// The pointer came over the dialog: it moves to the other corner of the
// main window, out of the way.
void Dodge(SelectRun& run) {
  if (run.dodged) {
    run.dodged = false;
    if (windowHandles.main == nullptr) return;
    const QRect main = windowHandles.main->frameGeometry();
    run.dialog->move(main.bottomRight() - QPoint(run.dialog->frameGeometry().width() - 1,
                                                 run.dialog->frameGeometry().height() - 1));
  } else {
    run.dodged = true;
    run.dialog->move(MainTopLeft());
  }
}

void PickAt(SelectRun& run, const QPoint& global) {
  auto* view = qobject_cast<QFrame*>(editView.window);
  if (view == nullptr || run.tab->cellSize == 0) return;
  const QPoint shown = view->mapFromGlobal(global) - view->contentsRect().topLeft();
  const QPoint client(ImagePointX(shown.x()), ImagePointY(shown.y()));
  const int cellX = client.x() / run.tab->cellSize;
  const int cellY = client.y() / run.tab->cellSize;
  // Held on one cell, the press does not undo its own pick.
  if (cellX == run.lastPickX && cellY == run.lastPickY) return;
  run.lastPickX = cellX;
  run.lastPickY = cellY;
  const PixelCell cell = CellValueAtPoint(client.x(), client.y(), run.tab);
  if (cell == NO_CELL) return;
  ToggleBatchEntry(*run.selection, cell & CELL_INDEX_BITS);
  run.anchor = -1;
  ShowSelection(run);
}

// The dialog's mouse input while it picks pixels.
bool PickingMouse(SelectRun& run, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type != QEvent::MouseMove && type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease &&
      type != QEvent::MouseButtonDblClick)
    return false;
  const auto* mouse = static_cast<QMouseEvent*>(event);
  const QPoint global = mouse->globalPosition().toPoint();
  if ((mouse->buttons() & Qt::RightButton) != 0) {
    EndPicking(run);
  } else if (type == QEvent::MouseMove) {
    if (run.dialog->frameGeometry().contains(global)) Dodge(run);
  } else if (type == QEvent::MouseButtonRelease) {
    if (mouse->button() == Qt::LeftButton) run.lastPickX = run.lastPickY = -1;
  } else if (mouse->button() == Qt::LeftButton) {
    PickAt(run, global);
  }
  return true;
}

class SelectDialogEvents : public QObject {
 public:
  explicit SelectDialogEvents(SelectRun& run) : QObject(run.dialog), run_(run) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == run_.dialog && run_.picking) return PickingMouse(run_, event);
    return false;
  }

 private:
  SelectRun& run_;
};

void Finish(SelectRun& run, int result) {
  EndPicking(run);
  run.dialog->done(result);
}

void BuildSelectControls(SelectRun& run) {
  QDialog& dialog = *run.dialog;
  auto* prompt = new QLabel(QStringLiteral(QT_TRANSLATE_NOOP("Quillet2", "変化させたい色を選択してください")));
  PlaceTemplateControl(dialog, prompt, ID_BATCH_PROMPT, 5, 3, 150, 10);
  const struct {
    int id;
    const char* text;
    int x;
    int width;
  } buttons[] = {{ID_BATCH_RESET, QT_TRANSLATE_NOOP("Quillet2", "初期化"), 5, 30},
                 {ID_BATCH_SELECT_ALL, QT_TRANSLATE_NOOP("Quillet2", "全選択"), 40, 30},
                 {ID_BATCH_PICK, QT_TRANSLATE_NOOP("Quillet2", "拾う ( L:拾う  R:戻る )"), 80, 80}};
  for (const auto& entry : buttons) {
    auto* button = new QPushButton(QString::fromUtf8(entry.text));
    PlaceTemplateControl(dialog, button, entry.id, entry.x, 14, entry.width, 16);
    button->setAutoDefault(false);
  }
  run.grid = new PreviewControl(&dialog);
  PlaceTemplateControl(dialog, run.grid, ID_BATCH_GRID, 2, 32, 158, 174);

  auto* ok = new QPushButton(QStringLiteral(QT_TRANSLATE_NOOP("Quillet2", "ＯＫ")));
  PlaceTemplateControl(dialog, ok, IDOK, 67, 209, 45, 15);
  ok->setDefault(true);
  auto* cancel = new QPushButton(QStringLiteral(QT_TRANSLATE_NOOP("Quillet2", "キャンセル")));
  PlaceTemplateControl(dialog, cancel, IDCANCEL, 115, 209, 45, 15);
  cancel->setAutoDefault(false);

  QObject::connect(FindControl<QPushButton>(dialog, ID_BATCH_RESET), &QPushButton::clicked, &dialog,
                   [&run] { SetAll(run, 0); });
  QObject::connect(FindControl<QPushButton>(dialog, ID_BATCH_SELECT_ALL), &QPushButton::clicked, &dialog,
                   [&run] { SetAll(run, BATCH_CHOSEN); });
  QObject::connect(FindControl<QPushButton>(dialog, ID_BATCH_PICK), &QPushButton::clicked, &dialog,
                   [&run] { StartPicking(run); });
  QObject::connect(ok, &QPushButton::clicked, &dialog, [&run] { Finish(run, IDOK); });
  QObject::connect(cancel, &QPushButton::clicked, &dialog, [&run] { Finish(run, IDCANCEL); });
  // The close box and Escape end the dialog without a button: a cancel.
  QObject::connect(&dialog, &QDialog::rejected, &dialog, [&run] {
    if (run.dialog->result() != IDOK && run.dialog->result() != IDCANCEL) Finish(run, IDCANCEL);
  });
  QObject::connect(run.grid, &PreviewControl::forwarded, &dialog,
                   [&run](PreviewControl* source, const PreviewInput& input) { OnGridInput(run, source, input); });
  dialog.installEventFilter(new SelectDialogEvents(run));
}

}  // namespace

int BatchSelectDialog(BatchSelection& selection) {
  ImageTab* tab = CurrentTab();
  if (tab == nullptr) return 0;
  auto run = std::make_unique<SelectRun>();
  run->tab = tab;
  run->selection = &selection;
  run->dialog = CreateTemplateDialog(windowHandles.main, QT_TRANSLATE_NOOP("Quillet2", "一括色変化（色選択）"), 163, 227,
                                     "ＭＳ Ｐゴシック", 9);
  run->dialog->setObjectName(QString::number(ID_BATCH_SELECT_DIALOG));
  if (windowHandles.paletteWindow != nullptr) run->dialog->move(windowHandles.paletteWindow->mapToGlobal(QPoint(0, 0)));
  BuildSelectControls(*run);

  const QRect client = run->grid->clientRect();
  run->cw = client.width() / SWATCH_COLUMNS;
  run->ch = client.height() / SWATCH_COLUMNS;
  if (QImage* canvas = GetPreviewCanvas(run->grid)) {
    FillCanvasRect(*canvas, {0, 0, canvas->width(), canvas->height()}, GetSystemColor(COLOR_BTNFACE));
    RasterSurface surface = SurfaceOf(*canvas);
    DrawSwatches(surface, tab->palette, run->cw, run->ch);
  }
  selection = BatchSelection{};

  const int result = RunModalDialog(*run->dialog);
  EndPicking(*run);
  delete run->dialog;
  return result == IDOK ? IDOK : IDCANCEL;
}
