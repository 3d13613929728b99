#include "import/dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <QImage>
#include <QApplication>
#include <QPainter>
#include <QPixmap>
#include <QSignalBlocker>
#include <QToolButton>
#include <algorithm>
#include <memory>
#include <utility>
#include <QDialog>
#include <QHeaderView>
#include <QLabel>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeWidget>

#include "fileio/palette_formats.h"
#include "import/palette_import.h"
#include "import/alpha_controls.h"
#include "import/remembered_choices.h"
#include "model/tab_lifecycle.h"
#include "palette/colour_math.h"
#include "platform/dialog_template.h"
#include "platform/modal.h"
#include "platform/translation.h"
#include "platform/ui_text.h"
#include "platform/window_handles.h"

namespace {

QString Text(const std::string& text) { return QString::fromStdString(text); }

QString SizeText(int width, int height) { return QString::number(width) + "×" + QString::number(height); }

void AddLabel(QDialog& dialog, int id, const char* text, int x, int y, int width, int height) {
  auto* label = new QLabel(QString::fromUtf8(text));
  PlaceTemplateControl(dialog, label, id, x, y, width, height);
}

// What the dialog knows of each row: its target and, once the row was
// checked, the images it makes. Images are made again whenever a choice of
// the row or the dithering changes, so the pictures and the losses always
// show what OK will give.
struct RowState {
  ImportTarget target;
  std::vector<ImportMade> made;
};

struct DialogState {
  const std::vector<ImportEntry>& entries;
  std::vector<RowState> rows;
  QDialog* dialog = nullptr;
  QCheckBox* dither = nullptr;
  // The palette every row maps onto; empty to choose by quantizing.
  std::vector<ColorRef> palette = {};
};

// Each picture is drawn in a box of this many pixels, enlarged by a whole
// factor so that its pixels stay sharp squares.
constexpr int PICTURE_BOX = 64;
constexpr int PICTURE_GAP = 6;
// The line below the made images that gives their size.
constexpr int SIZE_LABEL_HEIGHT = 14;

// Transparent pixels show a light checkerboard, as in paint programs.
QRgb Backdrop(int x, int y) { return (x / 4 + y / 4) % 2 == 0 ? qRgb(0xFF, 0xFF, 0xFF) : qRgb(0xD8, 0xD8, 0xD8); }

QRgb Over(std::uint32_t argb, QRgb backdrop) {
  const int a = static_cast<int>(AlphaOf(argb));
  const auto mix = [a](int top, int bottom) { return (top * a + bottom * (255 - a) + 127) / 255; };
  return qRgb(mix(argb >> 16 & 0xFF, qRed(backdrop)), mix(argb >> 8 & 0xFF, qGreen(backdrop)),
              mix(argb & 0xFF, qBlue(backdrop)));
}

// Draws a width x height picture in the box that starts at the left edge
// given, enlarged by the largest whole factor that fits the box, so that
// each of its pixels is a sharp square, and centred in it. `colour` is told
// the picture pixel and the screen pixel (for the backdrop) and gives the
// colour to show.
template <typename Colour>
void DrawEnlarged(QImage& image, int left, int width, int height, Colour colour) {
  const int zoom = std::max(1, PICTURE_BOX / std::max(width, height));
  const int offsetX = std::max(0, (PICTURE_BOX - width * zoom) / 2);
  const int offsetY = std::max(0, (PICTURE_BOX - height * zoom) / 2);
  for (int y = 0; y < height * zoom && offsetY + y < image.height(); ++y)
    for (int x = 0; x < width * zoom; ++x)
      image.setPixel(left + offsetX + x, offsetY + y, colour(x / zoom, y / zoom, x, y));
}

// The row's picture followed by the images it makes. Each made image is
// enlarged on its own to fill the box as far as whole pixels allow, so that
// a 16 pixel image can be judged as well as a 64 pixel one; each is
// labelled with its size below it.
QImage RowPicture(const ImportEntry& entry, const std::vector<ImportMade>& made) {
  const int width = PICTURE_BOX + static_cast<int>(made.size()) * (PICTURE_BOX + PICTURE_GAP) + PICTURE_GAP;
  const int labelHeight = made.empty() ? 0 : SIZE_LABEL_HEIGHT;
  QImage image(width, PICTURE_BOX + labelHeight, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  const RgbaPicture& source = entry.picture;
  DrawEnlarged(image, 0, source.width, source.height,
               [&](int px, int py, int x, int y) { return Over(source.At(px, py), Backdrop(x, y)); });
  int left = PICTURE_BOX + 2 * PICTURE_GAP;
  QPainter painter(&image);
  painter.setPen(QApplication::palette().color(QPalette::WindowText));
  for (const ImportMade& one : made) {
    const ImageTab& tab = *one.image;
    DrawEnlarged(
        image, left, tab.width, tab.height,
        [&](int px, int py, int x, int y) {
          const PixelCell cell = CellAt(tab, px, py);
          if ((cell & CELL_MASK_BIT) != 0) return Backdrop(x, y);
          const ColorRef c = tab.palette[cell & CELL_INDEX_BITS];
          return qRgb(RedOf(c), GreenOf(c), BlueOf(c));
        });
    painter.drawText(QRect(left, PICTURE_BOX, PICTURE_BOX, labelHeight), Qt::AlignHCenter | Qt::AlignVCenter,
                     QStringLiteral("%1×%2").arg(tab.width).arg(tab.height));
    left += PICTURE_BOX + PICTURE_GAP;
  }
  return image;
}

bool Checked(const QTreeWidget& list, int row) {
  return list.topLevelItem(row)->checkState(IMPORT_COLUMN_SIZE) == Qt::Checked;
}

// Makes the row's images again and shows them.
void RemakeRow(DialogState& state, int row) {
  auto* list = FindControl<QTreeWidget>(*state.dialog, ID_IMPORT_LIST);
  RowState& rowState = state.rows[static_cast<std::size_t>(row)];
  rowState.made.clear();
  if (Checked(*list, row))
    rowState.made = MakeImportImages(state.entries, row, rowState.target, state.dither->isChecked(),
                                     ReadAlphaControls(*state.dialog));
  auto* pictures = qobject_cast<QLabel*>(list->itemWidget(list->topLevelItem(row), IMPORT_COLUMN_PICTURES));
  const QImage image = RowPicture(state.entries[static_cast<std::size_t>(row)], rowState.made);
  pictures->setPixmap(QPixmap::fromImage(image));
  pictures->setFixedSize(image.size());
  // With a palette the greyed colour box shows the count the images get
  // (the palette may need one more entry for black), and the row's own
  // choice again once the palette is gone.
  QWidget* colours = list->itemWidget(list->topLevelItem(row), IMPORT_COLUMN_TARGET_COLOURS);
  auto* combo = colours != nullptr ? colours->findChild<QComboBox*>() : nullptr;
  if (combo != nullptr) {
    const bool given = !rowState.target.palette.empty() && !rowState.made.empty();
    const QSignalBlocker block(combo);
    combo->setCurrentIndex(combo->findData(given ? rowState.made.front().colours : rowState.target.colours));
  }
}

// Shows the losses of the checked images, one line for each image they
// make, and allows OK only with one checked.
void UpdateLosses(DialogState& state) {
  auto* list = FindControl<QTreeWidget>(*state.dialog, ID_IMPORT_LIST);
  QStringList lines;
  for (int i = 0; i < list->topLevelItemCount(); ++i)
    if (state.entries[i].problem.empty() && Checked(*list, i))
      for (const ImportMade& made : state.rows[static_cast<std::size_t>(i)].made)
        lines << QString::number(i + 1) + ". " + Text(DescribeMadeLoss(made, UiString));
  FindControl<QPlainTextEdit>(*state.dialog, ID_IMPORT_LOSSES)->setPlainText(lines.join('\n'));
  FindControl<QPushButton>(*state.dialog, IDOK)->setEnabled(!lines.isEmpty());
}

void Changed(DialogState& state, int row) {
  RemakeRow(state, row);
  UpdateLosses(state);
}

// One button per size, any number of them pressed; the last pressed one
// cannot be released, so a row always makes at least one image.
QWidget* SizeButtons(const std::shared_ptr<DialogState>& state, int row) {
  auto* box = new QWidget;
  box->setObjectName(QString::number(ID_IMPORT_ROW_SIZES));
  auto* layout = new QHBoxLayout(box);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(1);
  const ImportEntry& entry = state->entries[static_cast<std::size_t>(row)];
  std::vector<int> sizes;
  if (FitsAsItIs(entry)) sizes.push_back(IMPORT_SIZE_AS_IT_IS);
  sizes.insert(sizes.end(), std::begin(IMPORT_SIZES), std::end(IMPORT_SIZES));
  const std::vector<int>& chosen = state->rows[static_cast<std::size_t>(row)].target.sizes;
  std::vector<QToolButton*> buttons;
  for (int size : sizes) {
    auto* button = new QToolButton;
    button->setText(size == IMPORT_SIZE_AS_IT_IS ? UiText(QT_TRANSLATE_NOOP("Quillet2", "そのまま"))
                                                 : QString::number(size));
    button->setCheckable(true);
    button->setChecked(std::count(chosen.begin(), chosen.end(), size) > 0);
    button->setProperty("importSize", size);
    layout->addWidget(button);
    buttons.push_back(button);
  }
  layout->addStretch();
  for (QToolButton* button : buttons)
    QObject::connect(button, &QToolButton::toggled, box, [state, row, buttons, button](bool on) {
      std::vector<int> picked;
      for (QToolButton* b : buttons)
        if (b->isChecked()) picked.push_back(b->property("importSize").toInt());
      if (picked.empty()) {
        const QSignalBlocker block(button);
        button->setChecked(!on);
        return;
      }
      state->rows[static_cast<std::size_t>(row)].target.sizes = picked;
      Changed(*state, row);
    });
  return box;
}

QComboBox* ColourChoice(const std::shared_ptr<DialogState>& state, int row) {
  auto* combo = new QComboBox;
  combo->setObjectName(QString::number(ID_IMPORT_ROW_COLOURS));
  for (int count : IMPORT_COLOUR_COUNTS) {
    combo->addItem(UiText(QT_TRANSLATE_NOOP("Quillet2", "%1色")).arg(count), count);
    if (count == state->rows[static_cast<std::size_t>(row)].target.colours) combo->setCurrentIndex(combo->count() - 1);
  }
  QObject::connect(combo, &QComboBox::currentIndexChanged, combo, [state, row, combo] {
    state->rows[static_cast<std::size_t>(row)].target.colours = combo->currentData().toInt();
    Changed(*state, row);
  });
  return combo;
}

// The palette choice: colours chosen for each picture, a Windows palette, or
// a palette file. With a palette every row takes its colours, so the rows'
// colour counts step aside.
enum : int { PALETTE_CHOSEN, PALETTE_WINDOWS_16, PALETTE_WINDOWS_256, PALETTE_FILE };

void UsePalette(DialogState& state, const std::vector<ColorRef>& palette) {
  state.palette = palette;
  auto* list = FindControl<QTreeWidget>(*state.dialog, ID_IMPORT_LIST);
  for (std::size_t i = 0; i < state.entries.size(); ++i) {
    if (!state.entries[i].problem.empty()) continue;
    state.rows[i].target.palette = palette;
    if (auto* colours = list->itemWidget(list->topLevelItem(static_cast<int>(i)), IMPORT_COLUMN_TARGET_COLOURS))
      colours->setEnabled(palette.empty());
    RemakeRow(state, static_cast<int>(i));
  }
  UpdateLosses(state);
}

QComboBox* PaletteChoice(const std::shared_ptr<DialogState>& state) {
  auto* combo = new QComboBox;
  combo->addItem(UiText(QT_TRANSLATE_NOOP("Quillet2", "画像ごとに選ぶ")), PALETTE_CHOSEN);
  combo->addItem(UiText(QT_TRANSLATE_NOOP("Quillet2", "Windows 16色")), PALETTE_WINDOWS_16);
  combo->addItem(UiText(QT_TRANSLATE_NOOP("Quillet2", "Windows 20色とキューブ (256色)")), PALETTE_WINDOWS_256);
  combo->addItem(UiText(QT_TRANSLATE_NOOP("Quillet2", "パレットファイル...")), PALETTE_FILE);
  auto previous = std::make_shared<int>(0);
  QObject::connect(combo, &QComboBox::activated, combo, [state, combo, previous](int index) {
    std::vector<ColorRef> palette;
    switch (combo->itemData(index).toInt()) {
      case PALETTE_WINDOWS_16:
        palette = WindowsPalette16();
        break;
      case PALETTE_WINDOWS_256:
        palette = WindowsPalette256();
        break;
      case PALETTE_FILE: {
        static std::string lastPath;
        const FileFilterList filters = {
            {QT_TRANSLATE_NOOP("Quillet2", "パレット(*.qpl *.gpl *.act *.pal *.hex)"), "*.qpl;*.gpl;*.act;*.pal;*.hex"},
            {QT_TRANSLATE_NOOP("Quillet2", "全て(*.*)"), "*.*"}};
        const auto path = ChooseOpenFile(QT_TRANSLATE_NOOP("Quillet2", "開く（パレット）"), filters, lastPath);
        std::string problem;
        if (path) {
          lastPath = *path;
          problem = ReadImportPalette(*path, palette, UiString);
          if (!problem.empty()) ShowReport(problem);
        }
        if (!path || !problem.empty()) {
          // Nothing changes when no palette came of it.
          combo->setCurrentIndex(*previous);
          return;
        }
        // The choice names the file whose colours the images take.
        const QString file = QString::fromStdString(*path);
        combo->setItemText(index, UiText(QT_TRANSLATE_NOOP("Quillet2", "パレットファイル：%1"))
                                      .arg(file.section(QLatin1Char('/'), -1)));
        combo->setItemData(index, file, Qt::ToolTipRole);
        combo->setToolTip(file);
        break;
      }
      default:
        break;
    }
    if (combo->itemData(index).toInt() != PALETTE_FILE) combo->setToolTip({});
    *previous = index;
    UsePalette(*state, palette);
  });
  return combo;
}

QTreeWidget* AddList(QDialog& dialog, const std::shared_ptr<DialogState>& state) {
  const std::vector<ImportEntry>& entries = state->entries;
  auto* list = new QTreeWidget;
  list->setRootIsDecorated(false);
  list->setSelectionMode(QAbstractItemView::NoSelection);
  list->setHeaderLabels(
      {UiText(QT_TRANSLATE_NOOP("Quillet2", "大きさ")), UiText(QT_TRANSLATE_NOOP("Quillet2", "ビット")),
       UiText(QT_TRANSLATE_NOOP("Quillet2", "使用色数")), UiText(QT_TRANSLATE_NOOP("Quillet2", "作る大きさ")),
       UiText(QT_TRANSLATE_NOOP("Quillet2", "色数")), UiText(QT_TRANSLATE_NOOP("Quillet2", "取り込み後"))});
  PlaceTemplateControl(dialog, list, ID_IMPORT_LIST, 7, 16, 506, 180);
  const std::vector<bool> checks = DefaultImportChecks(entries);
  const bool onlyRow = std::count_if(entries.begin(), entries.end(),
                                     [](const ImportEntry& entry) { return entry.problem.empty(); }) == 1;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const ImportEntry& entry = entries[i];
    const int row = static_cast<int>(i);
    auto* item = new QTreeWidgetItem(list);
    item->setText(IMPORT_COLUMN_SIZE, SizeText(entry.width, entry.height));
    item->setText(IMPORT_COLUMN_BITS, entry.svg != nullptr ? QStringLiteral("SVG")
                                                           : QString::number(entry.bitCount) + (entry.png ? " PNG" : ""));
    if (entry.problem.empty()) {
      item->setText(IMPORT_COLUMN_COLOURS, QString::number(entry.sourceColours));
      item->setCheckState(IMPORT_COLUMN_SIZE, checks[i] ? Qt::Checked : Qt::Unchecked);
      state->rows[i].target = StartingImportTarget(entry, onlyRow, LastImportChoices());
      list->setItemWidget(item, IMPORT_COLUMN_TARGET_SIZES, SizeButtons(state, row));
      // The list row is as tall as the pictures; the box keeps its own height.
      auto* colours = new QWidget;
      auto* centred = new QVBoxLayout(colours);
      centred->setContentsMargins(0, 0, 0, 0);
      centred->addWidget(ColourChoice(state, row), 0, Qt::AlignVCenter);
      list->setItemWidget(item, IMPORT_COLUMN_TARGET_COLOURS, colours);
      auto* pictures = new QLabel;
      pictures->setObjectName(QString::number(ID_IMPORT_ROW_PICTURES));
      list->setItemWidget(item, IMPORT_COLUMN_PICTURES, pictures);
      item->setSizeHint(IMPORT_COLUMN_PICTURES, QSize(PICTURE_BOX, PICTURE_BOX + 4));
      RemakeRow(*state, row);
    } else {
      item->setText(IMPORT_COLUMN_TARGET_SIZES, UiText(QT_TRANSLATE_NOOP("Quillet2", "%1（%2）"))
                                                    .arg(UiText(IMPORT_UNREADABLE), UiText(entry.problem.c_str())));
      // An unreadable image can never be chosen.
      item->setFlags(item->flags() & ~(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled));
    }
  }
  list->header()->setStretchLastSection(true);
  for (int column = 0; column < IMPORT_COLUMN_PICTURES; ++column) list->resizeColumnToContents(column);
  return list;
}

}  // namespace

std::vector<bool> DefaultImportChecks(const std::vector<ImportEntry>& entries) {
  std::vector<bool> checks(entries.size(), false);
  int largest = -1;
  bool any = false;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const ImportEntry& entry = entries[i];
    if (!entry.problem.empty()) continue;
    if (entry.width <= MAX_IMAGE_SIZE && entry.height <= MAX_IMAGE_SIZE) checks[i] = any = true;
    if (largest < 0 || entry.width * entry.height > entries[largest].width * entries[largest].height)
      largest = static_cast<int>(i);
  }
  if (!any && largest >= 0) checks[largest] = true;
  return checks;
}

std::optional<ImportChoice> RunImportDialog(const std::vector<ImportEntry>& entries) {
  QDialog* dialog = CreateTemplateDialog(windowHandles.main, IMPORT_TITLE, 520, 306, "ＭＳ Ｐゴシック", 9);
  dialog->setObjectName(QStringLiteral("2300"));
  auto state = std::make_shared<DialogState>(DialogState{entries, std::vector<RowState>(entries.size())});
  state->dialog = dialog;
  AddLabel(*dialog, ID_IMPORT_LIST_LABEL, QT_TRANSLATE_NOOP("Quillet2", "取り込む画像にチェックをつけてください"), 7, 5,
           506, 9);
  // The dithering choice is read by every row's images, so it comes first.
  state->dither = new QCheckBox(UiText(QT_TRANSLATE_NOOP("Quillet2", "色を減らすときディザをかける")));
  state->dither->setChecked(LastImportChoices().dither);
  PlaceTemplateControl(*dialog, state->dither, ID_IMPORT_DITHER, 7, 270, 200, 12);
  AddLabel(*dialog, ID_IMPORT_PALETTE_LABEL, QT_TRANSLATE_NOOP("Quillet2", "パレット"), 212, 271, 40, 9);
  PlaceTemplateControl(*dialog, PaletteChoice(state), ID_IMPORT_PALETTE, 254, 268, 150, 14);
  // Like the dithering, the soft-edge choices are read by every row.
  const auto remakeAll = [state] {
    for (std::size_t i = 0; i < state->entries.size(); ++i)
      if (state->entries[i].problem.empty()) RemakeRow(*state, static_cast<int>(i));
    UpdateLosses(*state);
  };
  AddAlphaControls(*dialog, 7, 285, remakeAll);
  AddLabel(*dialog, ID_IMPORT_LOSS_LABEL, QT_TRANSLATE_NOOP("Quillet2", "取り込みで失われるもの"), 7, 200, 506, 9);
  auto* losses = new QPlainTextEdit;
  losses->setReadOnly(true);
  losses->setLineWrapMode(QPlainTextEdit::NoWrap);
  PlaceTemplateControl(*dialog, losses, ID_IMPORT_LOSSES, 7, 210, 506, 52);
  auto* ok = new QPushButton(QStringLiteral(QT_TRANSLATE_NOOP("Quillet2", "ＯＫ")));
  PlaceTemplateControl(*dialog, ok, IDOK, 416, 284, 45, 15);
  ok->setDefault(true);
  auto* cancel = new QPushButton(QStringLiteral(QT_TRANSLATE_NOOP("Quillet2", "キャンセル")));
  PlaceTemplateControl(*dialog, cancel, IDCANCEL, 468, 284, 45, 15);
  QTreeWidget* list = AddList(*dialog, state);
  PlaceDialogOverMain(*dialog);
  UpdateLosses(*state);

  QObject::connect(list, &QTreeWidget::itemChanged, dialog, [state, list](QTreeWidgetItem* item, int column) {
    if (column == IMPORT_COLUMN_SIZE) Changed(*state, list->indexOfTopLevelItem(item));
  });
  QObject::connect(state->dither, &QCheckBox::toggled, dialog, remakeAll);
  QObject::connect(ok, &QPushButton::clicked, dialog, [=] { dialog->done(IDOK); });
  QObject::connect(cancel, &QPushButton::clicked, dialog, [=] { dialog->done(IDCANCEL); });

  const int result = RunModalDialog(*dialog);
  std::optional<ImportChoice> choice;
  if (result == IDOK) {
    choice.emplace();
    choice->dither = state->dither->isChecked();
    RememberedImportChoices& remembered = LastImportChoices();
    remembered.dither = choice->dither;
    bool first = true;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
      if (entries[i].problem.empty() && Checked(*list, i)) {
        // The first image chosen speaks for the next import.
        const ImportTarget& target = state->rows[static_cast<std::size_t>(i)].target;
        if (std::exchange(first, false)) {
          remembered.sizes = target.sizes;
          remembered.colours = target.colours;
        }
        choice->entries.push_back(i);
        for (ImportMade& made : state->rows[static_cast<std::size_t>(i)].made) choice->images.push_back(std::move(made));
      }
  }
  delete dialog;
  return choice;
}
