#include "clipboard/transparent_paste_dialog.h"

#include <QCheckBox>
#include <QDialog>
#include <QGroupBox>
#include <QMainWindow>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>

#include "canvas/edit_view.h"
#include "canvas/preview.h"
#include "clipboard/clipboard_commands.h"
#include "model/tab_lifecycle.h"
#include "platform/dialog_template.h"
#include "platform/modal.h"
#include "platform/system_colors.h"
#include "platform/ui_text.h"
#include "platform/window_handles.h"

int transparentPasteMode = MODE_TAKE_COLORS;

namespace {

constexpr int COLOR_3DDKSHADOW = 21;
constexpr int COLOR_3DLIGHT = 22;
constexpr int GRID_COLUMNS = 16;

// Everything one opening of the dialog works on.
struct TransparentPasteRun {
  QDialog* dialog = nullptr;
  ImageTab* tab = nullptr;
  PastePicture* paste = nullptr;
  int colorCount = 0;
  PreviewControl* pictureView = nullptr;
  PreviewControl* grid = nullptr;
  // The size of one grid cell in pixels.
  int cellWidth = 1;
  int cellHeight = 1;
  // The grid cell clicked last, or -1.
  int lastClicked = -1;
};

void DrawEdge(RasterSurface& surface, const PixelRect& r, bool sunken) {
  const ColorRef light = GetSystemColor(COLOR_BTNHIGHLIGHT);
  const ColorRef shadow = GetSystemColor(COLOR_BTNSHADOW);
  const ColorRef topLeft = sunken ? shadow : light;
  const ColorRef bottomRight = sunken ? light : shadow;
  FillPixelRect(surface, {r.left, r.top, r.right, r.top + 1}, topLeft);
  FillPixelRect(surface, {r.left, r.top, r.left + 1, r.bottom}, topLeft);
  FillPixelRect(surface, {r.left, r.bottom - 1, r.right, r.bottom}, bottomRight);
  FillPixelRect(surface, {r.right - 1, r.top, r.right, r.bottom}, bottomRight);
  if (!sunken) return;
  // A marked cell is pressed in deeper, so it stands out from a raised one
  // at a glance.
  const PixelRect inner{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
  FillPixelRect(surface, {inner.left, inner.top, inner.right, inner.top + 1}, GetSystemColor(COLOR_3DDKSHADOW));
  FillPixelRect(surface, {inner.left, inner.top, inner.left + 1, inner.bottom}, GetSystemColor(COLOR_3DDKSHADOW));
  FillPixelRect(surface, {inner.left, inner.bottom - 1, inner.right, inner.bottom}, GetSystemColor(COLOR_3DLIGHT));
  FillPixelRect(surface, {inner.right - 1, inner.top, inner.right, inner.bottom}, GetSystemColor(COLOR_3DLIGHT));
}

PixelRect GridCellRect(const TransparentPasteRun& run, int index) {
  const int c = index % GRID_COLUMNS;
  const int r = index / GRID_COLUMNS;
  return {c * run.cellWidth, r * run.cellHeight, (c + 1) * run.cellWidth, r * run.cellHeight + run.cellHeight};
}

// Fills the cells of the picture's colours; the cells beyond them keep the
// grid's first fill.
void PaintGridColors(TransparentPasteRun& run) {
  RasterSurface surface = SurfaceOf(*run.grid->canvas());
  for (int i = 0; i < run.colorCount && i < 256; ++i) FillPixelRect(surface, GridCellRect(run, i), run.paste->palette[i]);
}

void PaintGridEdges(TransparentPasteRun& run) {
  RasterSurface surface = SurfaceOf(*run.grid->canvas());
  for (int i = 0; i < 256; ++i) DrawEdge(surface, GridCellRect(run, i), run.paste->flags[i] == TRANSPARENT_FLAG);
  run.grid->update();
}

// The view's client point where the picture's top-left pixel is shown.
QPoint PictureOrigin(const TransparentPasteRun& run) {
  const QImage& canvas = *run.pictureView->canvas();
  return QPoint(canvas.width() / 2 - (run.paste->width - 1) / 2, canvas.height() / 2 - (run.paste->height - 1) / 2);
}

void PaintPictureView(TransparentPasteRun& run) {
  RasterSurface surface = SurfaceOf(*run.pictureView->canvas());
  FillPixelRect(surface, {0, 0, surface.width, surface.height}, GetSystemColor(COLOR_BTNFACE));
  const QPoint origin = PictureOrigin(run);
  const PastePicture& paste = *run.paste;
  for (int x = 0; x < paste.width; ++x)
    for (int y = 0; y < paste.height; ++y) {
      const PixelCell index = paste.indexPicture[CellIndex(x, y)];
      const int number = index & CELL_INDEX_BITS;
      // The picture's own transparent pixels show like marked ones.
      if (paste.flags[number] != TRANSPARENT_FLAG && (index & CELL_MASK_BIT) == 0)
        SetSurfacePixel(surface, origin.x() + x, origin.y() + y, paste.palette[number]);
    }
  run.pictureView->update();
}

// The picture's colour shown at a point of the picture view, or -1 when the
// point is off the picture or its colour is none of the picture's.
int PickPictureColor(const TransparentPasteRun& run, int x, int y) {
  const QPoint origin = PictureOrigin(run);
  if (x < origin.x() || y < origin.y() || x >= origin.x() + run.paste->width || y >= origin.y() + run.paste->height)
    return -1;
  return FindPictureColor(*run.paste, SurfacePixel(SurfaceOf(*run.pictureView->canvas()), x, y));
}

void OnPictureInput(TransparentPasteRun& run, const PreviewInput& input) {
  const bool held = (input.buttons & (Qt::LeftButton | Qt::RightButton)) != 0;
  if (input.message == PVN_MOUSEMOVE && !held) return;
  const int index = PickPictureColor(run, input.x, input.y);
  if (index < 0) return;
  // Marking from the picture only ever adds: a colour that vanished from
  // the view is taken back with its grid cell.
  run.paste->flags[index] = TRANSPARENT_FLAG;
  PaintGridEdges(run);
  PaintPictureView(run);
}

void OnGridInput(TransparentPasteRun& run, const PreviewInput& input) {
  if (input.message != PVN_BUTTONDOWN) return;
  const QImage& canvas = *run.grid->canvas();
  if (input.x < 0 || input.y < 0 || input.x >= canvas.width() || input.y >= canvas.height()) return;
  const int column = input.x / run.cellWidth;
  if (column >= GRID_COLUMNS) return;
  const int q = column + input.y / run.cellHeight * GRID_COLUMNS;
  const bool shift = (input.modifiers & Qt::ShiftModifier) != 0;
  if (!ClickColorCell(*run.paste, run.colorCount, q, shift, run.lastClicked)) return;
  PaintGridEdges(run);
  PaintPictureView(run);
}

void AddGroupBox(QDialog& dialog, int id, const char* title, int x, int y, int width, int height) {
  auto* group = new QGroupBox(QString::fromUtf8(title));
  PlaceTemplateControl(dialog, group, id, x, y, width, height);
  group->lower();
}

void BuildControls(TransparentPasteRun& run) {
  QDialog& dialog = *run.dialog;
  AddGroupBox(dialog, ID_PICTURE_GROUP, QT_TRANSLATE_NOOP("Quillet2", " 貼り付け画像 "), 7, 4, 76, 74);
  AddGroupBox(dialog, ID_GRID_GROUP, QT_TRANSLATE_NOOP("Quillet2", " 透過色指定 "), 90, 4, 163, 166);

  // The picture view takes the place of a 54 x 54 unit static control.
  const DialogUnits units = DialogBaseUnits(dialog.font());
  run.pictureView = new PreviewControl(&dialog);
  run.pictureView->setGeometry(DialogUnitsToPixels(units, 18, 16, 54, 54));

  // The grid's cells have the size of a 9 x 9 unit control whose top-left
  // corner is that of the first cell; the control's frame lies outside.
  const QRect cell = DialogUnitsToPixels(units, 98, 16, 9, 9);
  run.cellWidth = std::max(cell.width(), 1);
  run.cellHeight = std::max(cell.height(), 1);
  const int edge = run.pictureView->frameWidth();
  run.grid = new PreviewControl(&dialog);
  run.grid->setGeometry(cell.left() - edge, cell.top() - edge, GRID_COLUMNS * run.cellWidth + edge + 2,
                        GRID_COLUMNS * run.cellHeight + edge + 2);

  const struct {
    int id;
    const char* text;
    int y;
  } modes[] = {{MODE_NEAREST_COLORS, QT_TRANSLATE_NOOP("Quillet2", "近似色貼り付け"), 86},
               {MODE_TRANSPARENCY_ONLY, QT_TRANSLATE_NOOP("Quillet2", "透過のみ貼り付け"), 100},
               {MODE_TAKE_COLORS, QT_TRANSLATE_NOOP("Quillet2", "色を取り込む"), 114}};
  for (const auto& mode : modes) {
    auto* radio = new QRadioButton(QString::fromUtf8(mode.text));
    PlaceTemplateControl(dialog, radio, mode.id, 9, mode.y, 76, 10);
    radio->setChecked(mode.id == transparentPasteMode);
    const int id = mode.id;
    QObject::connect(radio, &QRadioButton::clicked, &dialog, [id] { transparentPasteMode = id; });
  }
  // In the mode that takes in colours the existing image is always moved to
  // the new palette; the box only says so.
  auto* existing = new QCheckBox(QStringLiteral(QT_TRANSLATE_NOOP("Quillet2", "元画像を近似色に")));
  PlaceTemplateControl(dialog, existing, ID_EXISTING_TO_NEAREST, 17, 126, 70, 10);
  existing->setChecked(true);
  existing->setEnabled(false);

  auto* ok = new QPushButton(QStringLiteral(QT_TRANSLATE_NOOP("Quillet2", "ＯＫ")));
  PlaceTemplateControl(dialog, ok, IDOK, 146, 177, 50, 14);
  ok->setDefault(true);
  auto* cancel = new QPushButton(QStringLiteral(QT_TRANSLATE_NOOP("Quillet2", "キャンセル")));
  PlaceTemplateControl(dialog, cancel, IDCANCEL, 203, 177, 50, 14);

  QObject::connect(run.pictureView, &PreviewControl::forwarded, &dialog,
                   [&run](PreviewControl*, const PreviewInput& input) { OnPictureInput(run, input); });
  QObject::connect(run.grid, &PreviewControl::forwarded, &dialog,
                   [&run](PreviewControl*, const PreviewInput& input) { OnGridInput(run, input); });
  QObject::connect(ok, &QPushButton::clicked, &dialog, [&run] {
    ColorPicture shown = RenderImageArea(*run.tab, {0, 0, run.tab->width - 1, run.tab->height - 1});
    ApplyTransparentPaste(*run.tab, transparentPasteMode, *run.paste, shown.Surface());
    run.dialog->done(IDOK);
  });
  QObject::connect(cancel, &QPushButton::clicked, &dialog, [&dialog] { dialog.done(IDCANCEL); });
}

}  // namespace

int TransparentPasteDialog(ImageTab& tab, PastePicture& paste) {
  TransparentPasteRun run;
  run.tab = &tab;
  run.paste = &paste;
  run.colorCount = PaletteSize(tab);
  std::fill(paste.flags, paste.flags + 256, 0);

  run.dialog = CreateTemplateDialog(windowHandles.main, QT_TRANSLATE_NOOP("Quillet2", "透過色指定貼り付け"), 260, 198,
                                    "ＭＳ Ｐゴシック", 9);
  run.dialog->setObjectName(QString::number(ID_TRANSPARENT_PASTE_DIALOG));
  PlaceDialogOverMain(*run.dialog);
  BuildControls(run);
  PaintGridColors(run);
  PaintGridEdges(run);
  PaintPictureView(run);

  const int result = RunModalDialog(*run.dialog);
  delete run.dialog;
  return result == IDOK ? IDOK : IDCANCEL;
}
