#include "canvas/text_tool.h"

#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QToolTip>
#include <QVBoxLayout>

#include "canvas/cell_geometry.h"
#include "canvas/edit_view.h"
#include "canvas/pen_algorithms.h"
#include "canvas/text_place.h"
#include "canvas/preview.h"
#include "canvas/undo_commands.h"
#include "canvas/zoom_view.h"
#include "model/change_hub.h"
#include "model/tab_lifecycle.h"
#include "platform/dialog_beside.h"
#include "platform/dialog_template.h"
#include "platform/fonts.h"
#include "platform/modal.h"
#include "platform/qt_colors.h"
#include "platform/ui_text.h"
#include "platform/window_handles.h"

std::function<void(int x, int y)> textPlacement;

namespace {

// The size control's range, that of a track bar left at its defaults.
constexpr int SIZE_MAXIMUM = 100;
constexpr int SIZE_PAGE_STEP = 20;

// Everything one opening of the dialog works on.
struct TextDialogRun {
  QDialog* dialog = nullptr;
  ImageTab* tab = nullptr;
  PreviewControl* preview = nullptr;
  QImage* canvas = nullptr;
  int hpos = 0;
  int vpos = 0;
  int hmax = 0;
  int vmax = 0;
  QLineEdit* faceEdit = nullptr;
  QListWidget* faceList = nullptr;
  QLineEdit* textBox = nullptr;
  QCheckBox* boldBox = nullptr;
  QCheckBox* italicBox = nullptr;
  QSlider* sizeControl = nullptr;
  QSpinBox* sizeNumber = nullptr;
  // Where a click in the edit view put the text, on top of the scroll
  // bars' offset.
  int placedX = 0;
  int placedY = 0;
  // A click in the edit view placed the text; until then it stands in the
  // middle of the selection or of what the view shows.
  bool clicked = false;
  // Set while typing in the font list's edit field moves the selection, so
  // that the selected name does not overwrite what is being typed.
  bool followingTyping = false;
};

// Until a click places it, the text stands in the middle of the selection,
// or of the part of the image the view shows when nothing smaller than the
// whole image is selected, so that OK alone puts it where the user looks.
void CentreText(TextDialogRun& run) {
  const ImageTab& tab = *run.tab;
  const CellRect& s = tab.selection;
  const CellRect whole = WholeImage(tab);
  const bool selected = s.left != whole.left || s.top != whole.top || s.right != whole.right || s.bottom != whole.bottom;
  const CellRect area = selected ? s : VisibleCellArea(tab);
  const QFontMetrics metrics(MakeTextFont(textSettings));
  const int width = metrics.horizontalAdvance(QString::fromStdString(textSettings.text));
  const int height = metrics.ascent() + metrics.descent();
  run.placedX = (area.left + area.right + 1 - width) / 2;
  run.placedY = (area.top + area.bottom + 1 - height) / 2;
}

void Render(TextDialogRun& run, int commit) {
  textSettings.text = FirstCharacters(run.textBox->text().toStdString(), TEXT_MAX_CHARACTERS);
  textSettings.weight = textSettings.boldChecked == 1 ? TEXT_BOLD_WEIGHT : TEXT_REGULAR_WEIGHT;
  textSettings.italic = textSettings.italicChecked == 1 ? 1 : 0;
  if (!run.clicked) CentreText(run);
  TextOffset offset = TextOffsetOf(run.hpos, run.vpos, run.vmax);
  offset.x += run.placedX;
  offset.y += run.placedY;
  if (run.canvas != nullptr) {
    RenderTextCells(*run.tab, *run.canvas, {0, 0, run.canvas->width(), run.canvas->height()}, textSettings,
                    TEXT_ORIGIN, TEXT_ORIGIN, offset.x, offset.y, commit);
    run.preview->update();
  }
  textSettings.previousHeight = textSettings.height;
}

// Both ends of the dialog put the edit view and the preview back to the
// tab's cells and the user's grid setting.
void CloseTextDialog(TextDialogRun& run, int buttonId) {
  textPlacement = nullptr;
  Announce(run.tab, CHANGE_PIXELS);
  run.dialog->done(buttonId);
}

void OnOk(TextDialogRun& run) {
  Render(run, 1);
  RecordUndo(*run.tab);
  CloseTextDialog(run, IDOK);
}

void OnPreviewScroll(TextDialogRun& run, const PreviewInput& input) {
  if (input.message == PVN_VSCROLL) {
    run.vpos = NextTextScrollPosition(run.vpos, run.vmax, input.scrollCode, input.scrollPosition);
    run.preview->verticalBar()->setValue(run.vpos);
  } else if (input.message == PVN_HSCROLL) {
    run.hpos = NextTextScrollPosition(run.hpos, run.hmax, input.scrollCode, input.scrollPosition);
    run.preview->horizontalBar()->setValue(run.hpos);
  } else {
    return;
  }
  Render(run, 0);
}

void OnFaceSelected(TextDialogRun& run, int row) {
  const QListWidgetItem* item = row >= 0 ? run.faceList->item(row) : nullptr;
  if (item == nullptr) return;
  if (!run.followingTyping) run.faceEdit->setText(item->text());
  textSettings.face = item->text().toStdString();
  Render(run, 0);
}

// Typing in the list's edit field selects the first name that starts with
// the typed text, so the list always shows the face that is drawn.
void OnFaceTyped(TextDialogRun& run, const QString& typed) {
  if (typed.isEmpty()) return;
  for (int row = 0; row < run.faceList->count(); ++row) {
    if (!run.faceList->item(row)->text().startsWith(typed, Qt::CaseInsensitive)) continue;
    if (row != run.faceList->currentRow()) {
      run.followingTyping = true;
      run.faceList->setCurrentRow(row);
      run.followingTyping = false;
    }
    run.faceList->scrollToItem(run.faceList->item(row), QAbstractItemView::PositionAtTop);
    return;
  }
}

// The track bar's tooltip: the size beside the thumb while it is dragged.
void ShowSizeTip(QSlider& control, int position) {
  QStyleOptionSlider option;
  option.initFrom(&control);
  option.orientation = Qt::Horizontal;
  option.minimum = control.minimum();
  option.maximum = control.maximum();
  option.sliderPosition = position;
  option.sliderValue = position;
  const QRect handle = control.style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, &control);
  QToolTip::showText(control.mapToGlobal(handle.topLeft()), QString::number(position), &control);
}

// Every move of the size control, and the release of its thumb, reports
// its position; a position that was already drawn is not drawn again.
void OnSizeMoved(TextDialogRun& run, int position) {
  textSettings.height = position;
  if (textSettings.height == textSettings.previousHeight) return;
  Render(run, 0);
}

// The font list is a combo box whose list is always shown: an edit field
// above a sorted list.
QWidget* CreateFaceList(TextDialogRun& run) {
  auto* box = new QWidget;
  auto* layout = new QVBoxLayout(box);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  run.faceEdit = new QLineEdit(box);
  run.faceList = new QListWidget(box);
  run.faceList->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  run.faceList->setSelectionMode(QAbstractItemView::SingleSelection);
  layout->addWidget(run.faceEdit);
  layout->addWidget(run.faceList);
  return box;
}

void AddTextLabel(QDialog& dialog, int id, const char* text, int x, int y, int width) {
  auto* label = new QLabel(QString::fromUtf8(text));
  PlaceTemplateControl(dialog, label, id, x, y, width, 9);
}

void BuildControls(TextDialogRun& run) {
  QDialog& dialog = *run.dialog;
  // Every field has its label; the size shows as a number beside its
  // slider, and a line says how to place the text.
  AddTextLabel(dialog, ID_FONT_LABEL, QT_TRANSLATE_NOOP("Quillet2", "フォント"), 5, 5, 100);
  PlaceTemplateControl(dialog, CreateFaceList(run), ID_FONT_LIST, 5, 15, 100, 138);

  AddTextLabel(dialog, ID_TEXT_LABEL, QT_TRANSLATE_NOOP("Quillet2", "文字"), 110, 7, 26);
  run.textBox = new QLineEdit;
  PlaceTemplateControl(dialog, run.textBox, ID_TEXT_BOX, 138, 5, 119, 12);
  run.textBox->setMaxLength(TEXT_MAX_CHARACTERS);

  run.boldBox = new QCheckBox(QStringLiteral(QT_TRANSLATE_NOOP("Quillet2", "太字")));
  PlaceTemplateControl(dialog, run.boldBox, ID_BOLD_BOX, 7, 158, 36, 10);
  run.italicBox = new QCheckBox(QStringLiteral(QT_TRANSLATE_NOOP("Quillet2", "斜体")));
  PlaceTemplateControl(dialog, run.italicBox, ID_ITALIC_BOX, 50, 158, 36, 10);

  AddTextLabel(dialog, ID_SIZE_LABEL, QT_TRANSLATE_NOOP("Quillet2", "大きさ"), 110, 139, 26);
  run.sizeControl = new QSlider(Qt::Horizontal);
  PlaceTemplateControl(dialog, run.sizeControl, ID_SIZE_CONTROL, 138, 137, 88, 13);
  run.sizeControl->setRange(0, SIZE_MAXIMUM);
  run.sizeControl->setPageStep(SIZE_PAGE_STEP);
  run.sizeNumber = new QSpinBox;
  run.sizeNumber->setRange(0, SIZE_MAXIMUM);
  PlaceTemplateControl(dialog, run.sizeNumber, ID_SIZE_NUMBER, 228, 137, 29, 13);
  AddTextLabel(dialog, ID_PLACE_HINT, QT_TRANSLATE_NOOP("Quillet2", "編集画面をクリックすると文字をそこへ置きます"), 110,
               153, 147);

  auto* ok = new QPushButton(QStringLiteral(QT_TRANSLATE_NOOP("Quillet2", "ＯＫ")));
  PlaceTemplateControl(dialog, ok, IDOK, 150, 166, 52, 14);
  ok->setDefault(true);
  auto* cancel = new QPushButton(QStringLiteral(QT_TRANSLATE_NOOP("Quillet2", "キャンセル")));
  PlaceTemplateControl(dialog, cancel, IDCANCEL, 205, 166, 52, 14);
  QObject::connect(ok, &QPushButton::clicked, &dialog, [&run] { OnOk(run); });
  QObject::connect(cancel, &QPushButton::clicked, &dialog, [&run] { CloseTextDialog(run, IDCANCEL); });
  // The close box and Escape cancel as the button does.
  QObject::connect(&dialog, &QDialog::rejected, &dialog, [&run] {
    if (run.dialog->result() != IDOK && run.dialog->result() != IDCANCEL) CloseTextDialog(run, IDCANCEL);
  });

  // The preview takes the placeholder's rectangle.
  run.preview = new PreviewControl(&dialog, true);
  run.preview->setGeometry(DialogUnitsToPixels(DialogBaseUnits(dialog.font()), 110, 21, 147, 112));
}

// The preview's canvas and scroll bars, and the colours the dialog draws in.
void SetUpPreview(TextDialogRun& run) {
  run.canvas = run.preview->canvas();
  if (run.canvas != nullptr) {
    run.hmax = run.canvas->width();
    run.vmax = run.canvas->height();
    // The background as the canvas holds it, so that comparing canvas
    // pixels with it is exact.
    RasterSurface surface = SurfaceOf(*run.canvas);
    SetSurfacePixel(surface, 0, 0, gridLineColor ^ 0xFFFFFFu);
    textSettings.backColor = SurfacePixel(surface, 0, 0);
  } else {
    textSettings.backColor = (gridLineColor ^ 0xFFFFFFu) & 0xFFFFFFu;
  }
  run.hpos = 0;
  run.vpos = run.vmax / 2;
  run.preview->horizontalBar()->setRange(0, run.hmax);
  run.preview->horizontalBar()->setValue(run.hpos);
  run.preview->verticalBar()->setRange(0, run.vmax);
  run.preview->verticalBar()->setValue(run.vpos);
  // A true-colour tab's text is drawn in the pen's own colour, so that the
  // canvas shows it as it will be blended onto the pixels.
  textSettings.textColor = IsTrueColour(*run.tab) ? ColorOfPixel(run.tab->penColour) & 0xFFFFFFu
                                                  : run.tab->palette[run.tab->penIndex] & 0xFFFFFFu;
}

// The dialog stands beside the image, so that the text drawn in the edit
// view is seen while it is set up.
void PlaceBesideImage(QDialog& dialog, const ImageTab& tab) {
  if (editView.window == nullptr) return;
  const int left = EDIT_ORIGIN - editView.scrollX;
  const int top = EDIT_ORIGIN - editView.scrollY;
  const QPoint topLeft = editView.window->mapToGlobal(QPoint(std::max(left, 0), std::max(top, 0)));
  const int right = std::min(left + tab.width * tab.cellSize, editView.window->width());
  const QPoint topRight = editView.window->mapToGlobal(QPoint(right, 0));
  PlaceDialogBeside(dialog, topLeft.x(), topLeft.y(), topRight.x());
}

void FillFaceList(TextDialogRun& run) {
  for (const std::string& name : TextFaceNames()) run.faceList->addItem(QString::fromStdString(name));
  run.faceList->sortItems();
}

}  // namespace

int FindFaceRow(const QListWidget& list, const QString& face) {
  const int count = list.count();
  for (int row = 0; row < count; ++row)
    if (list.item(row)->text().compare(face, Qt::CaseInsensitive) == 0) return row;
  for (int step = 1; step <= count; ++step) {
    const int row = step % count;
    if (list.item(row)->text().startsWith(face, Qt::CaseInsensitive)) return row;
  }
  return -1;
}

namespace {

void ConnectControls(TextDialogRun& run) {
  QDialog& dialog = *run.dialog;
  QObject::connect(run.preview, &PreviewControl::forwarded, &dialog,
                   [&run](PreviewControl*, const PreviewInput& input) { OnPreviewScroll(run, input); });
  QObject::connect(run.faceList, &QListWidget::currentRowChanged, &dialog,
                   [&run](int row) { OnFaceSelected(run, row); });
  QObject::connect(run.faceEdit, &QLineEdit::textEdited, &dialog,
                   [&run](const QString& typed) { OnFaceTyped(run, typed); });
  QObject::connect(run.textBox, &QLineEdit::textChanged, &dialog, [&run] { Render(run, 0); });
  QObject::connect(run.boldBox, &QCheckBox::clicked, &dialog, [&run] {
    textSettings.boldChecked = run.boldBox->isChecked() ? 1 : 0;
    Render(run, 0);
  });
  QObject::connect(run.italicBox, &QCheckBox::clicked, &dialog, [&run] {
    textSettings.italicChecked = run.italicBox->isChecked() ? 1 : 0;
    Render(run, 0);
  });
  QObject::connect(run.sizeControl, &QSlider::valueChanged, &dialog, [&run](int position) {
    if (run.sizeControl->isSliderDown()) ShowSizeTip(*run.sizeControl, position);
    const QSignalBlocker quiet(run.sizeNumber);
    run.sizeNumber->setValue(position);
    OnSizeMoved(run, position);
  });
  // The number moves the slider, which draws.
  QObject::connect(run.sizeNumber, &QSpinBox::valueChanged, &dialog,
                   [&run](int size) { run.sizeControl->setValue(size); });
  QObject::connect(run.sizeControl, &QSlider::sliderReleased, &dialog,
                   [&run] { OnSizeMoved(run, run.sizeControl->value()); });
}

// The height of the font's character cell at a pixel size.
int CellHeightAt(QFont font, int pixelSize) {
  font.setPixelSize(pixelSize);
  const QFontMetrics metrics(font);
  return metrics.ascent() + metrics.descent();
}

}  // namespace

QFont MakeTextFont(const TextSettings& settings) {
  QFont font;
  if (!settings.face.empty()) font.setFamily(MapFaceName(settings.face));
  font.setWeight(settings.weight >= TEXT_BOLD_WEIGHT ? QFont::Bold : QFont::Normal);
  font.setItalic(settings.italic != 0);
  font.setUnderline(false);
  font.setStrikeOut(false);
  font.setStyleStrategy(QFont::PreferQuality);
  if (settings.height > 0) {
    // The height counts the whole character cell, as the font system's
    // sizes count only the em square: scale, then let the font's own cells
    // decide, so the cell is exactly as tall as asked wherever a size gives
    // that, and never taller.
    const int estimate = PixelSizeForCellHeight(settings.height, settings.height, CellHeightAt(font, settings.height));
    font.setPixelSize(FitPixelSize(settings.height, estimate, [&font](int size) { return CellHeightAt(font, size); }));
  }
  return font;
}

std::vector<std::string> TextFaceNames() {
  std::vector<std::string> names;
  const QStringList families = QFontDatabase::families();
  for (const QString& family : families) AppendFaceName(names, FaceNameOfFamily(family.toStdString()));
  for (const std::string& name : MappedFaceNames())
    if (QFontDatabase::hasFamily(MapFaceName(name))) AppendFaceName(names, name);
  return names;
}

int RenderTextCells(ImageTab& tab, QImage& canvas, const PixelRect& canvasRect, const TextSettings& settings,
                    int originX, int originY, int tx, int ty, int commit) {
  if (canvas.isNull()) return 0;
  FillCanvasRect(canvas, canvasRect, settings.backColor);
  {
    QPainter painter(&canvas);
    painter.setClipRect(QRect(canvasRect.left, canvasRect.top, canvasRect.right - canvasRect.left,
                              canvasRect.bottom - canvasRect.top));
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setFont(MakeTextFont(settings));
    painter.setPen(ToQColor(settings.textColor));
    painter.setBackgroundMode(Qt::OpaqueMode);
    painter.setBackground(ToQColor(settings.backColor));
    // The point names the top-left corner of the text's character cell.
    painter.drawText(QPoint(originX + tx, originY + ty + painter.fontMetrics().ascent()),
                     QString::fromStdString(settings.text));
  }

  RasterSurface surface = SurfaceOf(canvas);
  // The frame lies just outside the image area, so it never marks a cell.
  InvertDottedFrame(surface, {originX - 1, originY - 1, originX + tab.width + 1, originY + tab.height + 1});
  const TextCellMask mask = MarkTextCells(surface, settings.backColor, originX, originY, tab.width, tab.height);

  // The edit view shows the covered cells as one surface without grid
  // lines and all others with them, whatever the grid setting; the next
  // full repaint returns to the setting.
  const PixelCell pen = PenCell(tab);
  // A true-colour tab takes the smoothed edges of the glyphs: each pixel
  // gets the pen colour laid over it as far as the text covers it.
  TextCoverage coverage;
  if (IsTrueColour(tab))
    coverage = ReadTextCoverage(surface, settings.backColor, settings.textColor, originX, originY, tab.width, tab.height);
  for (int y = 0; y < tab.height; ++y)
    for (int x = 0; x < tab.width; ++x) {
      const bool covered = mask.test(CellIndex(x, y));
      PixelCell shown = CellAt(tab, x, y);
      if (covered) shown = IsTrueColour(tab) ? TextCellOver(tab, x, y, coverage[CellIndex(x, y)]) : pen;
      PaintCell(x, y, shown, tab, nullptr, covered ? GridLines::Hidden : GridLines::Shown);
    }
  InvalidateEditView();
  if (commit == 1) {
    if (IsTrueColour(tab))
      CommitTextCoverage(tab, coverage);
    else
      CommitTextCells(tab, mask);
  }
  return static_cast<int>(mask.count());
}

void TextDialog(ImageTab& tab) {
  TextDialogRun run;
  run.tab = &tab;
  run.dialog =
      CreateTemplateDialog(windowHandles.main, QT_TRANSLATE_NOOP("Quillet2", "文字"), 262, 185, "ＭＳ Ｐゴシック", 9);
  run.dialog->setObjectName(QString::number(ID_TEXT_DIALOG));
  BuildControls(run);
  PlaceDialogOverMain(*run.dialog);
  SetUpPreview(run);

  run.textBox->setText(QString::fromStdString(textSettings.text));
  run.boldBox->setChecked(textSettings.boldChecked == 1);
  run.italicBox->setChecked(textSettings.italicChecked == 1);
  run.sizeControl->setValue(textSettings.height);
  run.sizeNumber->setValue(textSettings.height);
  FillFaceList(run);
  // Until a face is chosen the preview shows only the background colour.
  if (!textSettings.face.empty()) {
    const int row = FindFaceRow(*run.faceList, QString::fromStdString(textSettings.face));
    if (row >= 0) {
      run.faceList->setCurrentRow(row);
      run.faceEdit->setText(run.faceList->item(row)->text());
      run.faceList->scrollToItem(run.faceList->item(row), QAbstractItemView::PositionAtTop);
      Render(run, 0);
    }
  }
  // Connected only now: setting up the controls is no change of the user's.
  ConnectControls(run);
  // A click in the edit view puts the text's top-left corner on its cell,
  // wherever the scroll bars had moved it.
  textPlacement = [&run](int x, int y) {
    const TextOffset scrolled = TextOffsetOf(run.hpos, run.vpos, run.vmax);
    run.placedX = x - scrolled.x;
    run.placedY = y - scrolled.y;
    run.clicked = true;
    Render(run, 0);
  };
  PlaceBesideImage(*run.dialog, *run.tab);

  RunDialogBeside(*run.dialog, editView.window);
  textPlacement = nullptr;
  delete run.dialog;
}
