#include "app/icon_test_sheet.h"

#include <QCursor>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QMainWindow>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>
#include <QScrollArea>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "app/cursor_test_area.h"
#include "app/main_window.h"
#include "canvas/cell_look.h"
#include "canvas/kept_picture.h"
#include "fileio/ani_document.h"
#include "fileio/cursor_format.h"
#include "model/kept_entries.h"
#include "model/tab_lifecycle.h"
#include "model/tab_set.h"
#include "platform/file_bytes.h"
#include "platform/modal.h"
#include "platform/qt_colors.h"
#include "platform/translation.h"
#include "platform/ui_text.h"

namespace {

// The room around and between the pictures, the height of a row's caption
// and of the grounds' names above the columns.
constexpr int GAP = 8;
constexpr int CAPTION_HEIGHT = 18;
constexpr int HEADER_HEIGHT = 20;
// A picture the user loads is read whole; a larger file is no wallpaper.
constexpr std::size_t MAX_PICTURE_BYTES = 64u << 20;

enum Ground { LIGHT, GREY, DARK, CHECKER, PICTURE, GROUND_COUNT };
constexpr ColorRef PLAIN_GROUNDS[] = {0xF0F0F0, 0x808080, 0x202020};
const char* const GROUND_NAMES[GROUND_COUNT] = {
    QT_TRANSLATE_NOOP("Quillet2", "明るい画面"), QT_TRANSLATE_NOOP("Quillet2", "灰色の画面"),
    QT_TRANSLATE_NOOP("Quillet2", "暗い画面"), CHECKERBOARD_NAME, QT_TRANSLATE_NOOP("Quillet2", "読み込んだ画像")};
inline constexpr const char* SHEET_TITLE = QT_TRANSLATE_NOOP("Quillet2", "アイコンの確認");
inline constexpr const char* NEVER_TAKEN = QT_TRANSLATE_NOOP("Quillet2", "%1（Windows はどの大きさにも使いません）");
inline constexpr const char* TABLE_TITLE = QT_TRANSLATE_NOOP("Quillet2", "Windows が使う画像（求める大きさ → 画像）");
inline constexpr const char* LOAD_PICTURE = QT_TRANSLATE_NOOP("Quillet2", "背景の画像を読み込む(&L)...");
inline constexpr const char* PICTURE_TITLE = QT_TRANSLATE_NOOP("Quillet2", "背景の画像を開く");
inline constexpr const char* PICTURE_UNREADABLE = QT_TRANSLATE_NOOP("Quillet2", "%1 を画像として読み込めませんでした。");
const FileFilterList pictureFilters = {
    {QT_TRANSLATE_NOOP("Quillet2", "画像(*.png;*.bmp;*.gif)"), "*.png;*.bmp;*.gif;*.jpg;*.jpeg"},
    {QT_TRANSLATE_NOOP("Quillet2", "全て(*.*)"), "*.*"}};

int ShownWidth(const ImageTab& tab) {
  const KeptEntry* kept = KeptEntryOf(tab);
  return kept != nullptr ? kept->width : tab.width;
}
int ShownHeight(const ImageTab& tab) {
  const KeptEntry* kept = KeptEntryOf(tab);
  return kept != nullptr ? kept->height : tab.height;
}

int BitCountOf(const ImageTab& tab) {
  if (const KeptEntry* kept = KeptEntryOf(tab)) return kept->bitCount;
  if (IsTrueColour(tab)) return 32;
  return tab.colorCode == 2 ? 1 : tab.colorCode == 16 ? 4 : 8;
}

std::string LabelOf(const ImageTab& tab) {
  std::string label = tab.title;
  label.erase(0, label.find_first_not_of(' '));
  label.erase(label.find_last_not_of(' ') + 1);
  return label;
}

// The tabs in strip order, as the rows of the sheet and the family.
std::vector<const ImageTab*> StripTabs() {
  std::vector<const ImageTab*> tabs;
  for (int position = 0; position < tabSet.tabCount; ++position) {
    const int slot = SlotAtPosition(tabSet, position);
    if (slot >= 0) tabs.push_back(&tabSet.tabs[slot]);
  }
  return tabs;
}

bool DocumentIsCursor() {
  return IsCursorName(tabSet.documentName) || IsAnimatedCursorName(tabSet.documentName);
}

// The image as the pointer shows it, with its alpha.
QImage PointerPicture(const ImageTab& tab) {
  if (const KeptEntry* kept = KeptEntryOf(tab)) return KeptPictureImage(*kept).copy();
  if (!IsTrueColour(tab)) return CursorPictureOfTab(tab);
  QImage picture(tab.width, tab.height, QImage::Format_ARGB32);
  for (int y = 0; y < tab.height; ++y)
    for (int x = 0; x < tab.width; ++x) picture.setPixel(x, y, CellAt(tab, x, y));
  return picture;
}

QImage loadedPicture;

// The screen behind a tile of the given size.
QImage GroundImage(Ground ground, QSize size) {
  QImage screen(size, QImage::Format_RGB32);
  if (ground == PICTURE && !loadedPicture.isNull()) {
    const QImage scaled = loadedPicture.scaled(size, Qt::KeepAspectRatioByExpanding, Qt::SmoothTransformation);
    QPainter painter(&screen);
    painter.drawImage(QPoint((size.width() - scaled.width()) / 2, (size.height() - scaled.height()) / 2), scaled);
    return screen;
  }
  for (int y = 0; y < size.height(); ++y)
    for (int x = 0; x < size.width(); ++x) {
      const ColorRef colour = ground == CHECKER ? CheckerColor(x, y)
                              : ground == PICTURE ? PLAIN_GROUNDS[GREY]
                                                  : PLAIN_GROUNDS[ground];
      screen.setPixel(x, y, ToQColor(colour).rgb());
    }
  return screen;
}

ColorRef ColorRefOf(QRgb rgb) {
  return static_cast<ColorRef>(qRed(rgb)) | static_cast<ColorRef>(qGreen(rgb)) << 8 |
         static_cast<ColorRef>(qBlue(rgb)) << 16;
}

// Draws the image over the screen picture at `scale` screen pixels per
// pixel, each screen pixel mixed on its own, so that a checkerboard or a
// picture shows through every part of a pixel.
void DrawOver(QImage& screen, const ImageTab& tab, QPoint at, int scale) {
  const int width = ShownWidth(tab);
  const int height = ShownHeight(tab);
  for (int y = 0; y < height * scale; ++y) {
    const int row = at.y() + y;
    if (row < 0 || row >= screen.height()) continue;
    auto* line = reinterpret_cast<QRgb*>(screen.scanLine(row));
    for (int x = 0; x < width * scale; ++x) {
      const int column = at.x() + x;
      if (column < 0 || column >= screen.width()) continue;
      const ColorRef shown = ShownOverScreen(tab, x / scale, y / scale, ColorRefOf(line[column]));
      line[column] = ToQColor(shown).rgb();
    }
  }
}

// The picture part of the sheet: a row per image, a column per ground, and
// in each place the image at its own size beside it at twice the size.
class SheetView : public QWidget {
 public:
  explicit SheetView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("iconTestSheetView"));
    setMouseTracking(true);
  }

  void Follow() {
    tabs_ = StripTabs();
    tileWidth_ = 0;
    for (const ImageTab* tab : tabs_) tileWidth_ = std::max(tileWidth_, 3 * ShownWidth(*tab) + 3 * GAP);
    tileWidth_ = std::max(tileWidth_, 96);
    int height = HEADER_HEIGHT;
    rows_.clear();
    for (const ImageTab* tab : tabs_) {
      height += CAPTION_HEIGHT;
      rows_.push_back(QRect(GAP, height, GROUND_COUNT * (tileWidth_ + GAP) - GAP, 2 * ShownHeight(*tab) + 2 * GAP));
      height += rows_.back().height() + GAP;
    }
    setFixedSize(GAP + GROUND_COUNT * (tileWidth_ + GAP), std::max(height, 60));
    pointerRow_ = -2;
    update();
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    for (int g = 0; g < GROUND_COUNT; ++g)
      painter.drawText(QRect(TileLeft(g), 0, tileWidth_, HEADER_HEIGHT), Qt::AlignLeft | Qt::AlignVCenter,
                       UiText(GROUND_NAMES[g]));
    const std::vector<FamilyImage> family = DocumentFamily();
    std::vector<bool> taken(family.size(), false);
    for (int base : REQUESTED_BASE_SIZES)
      for (int scaling : DISPLAY_SCALINGS) {
        const int chosen = ChooseFamilyImage(family, RequestedPixels(base, scaling));
        if (chosen >= 0) taken[static_cast<std::size_t>(chosen)] = true;
      }
    const bool cursor = DocumentIsCursor();
    for (std::size_t i = 0; i < tabs_.size(); ++i) {
      const ImageTab& tab = *tabs_[i];
      const QRect row = rows_[i];
      const std::string label = LabelOf(tab);
      const std::string caption = taken[i] ? label : FillText(UiString(NEVER_TAKEN), {label});
      painter.drawText(QRect(GAP, row.top() - CAPTION_HEIGHT, row.width(), CAPTION_HEIGHT),
                       Qt::AlignLeft | Qt::AlignVCenter, QString::fromStdString(caption));
      for (int g = 0; g < GROUND_COUNT; ++g) {
        QImage screen = GroundImage(static_cast<Ground>(g), QSize(tileWidth_, row.height()));
        DrawOver(screen, tab, QPoint(GAP, GAP), 1);
        const QPoint twice(2 * GAP + ShownWidth(tab), GAP);
        DrawOver(screen, tab, twice, 2);
        painter.drawImage(TileLeft(g), row.top(), screen);
        // The hot spot is marked on the enlarged copy, so that the copy at
        // the real size shows the pointer untouched.
        if (cursor) {
          const QPoint spot = QPoint(TileLeft(g), row.top()) + twice + QPoint(2 * tab.hotSpotX + 1, 2 * tab.hotSpotY + 1);
          painter.setPen(QColor(0xFF, 0x00, 0x00));
          painter.drawLine(spot - QPoint(4, 0), spot + QPoint(4, 0));
          painter.drawLine(spot - QPoint(0, 4), spot + QPoint(0, 4));
        }
      }
    }
  }

  // Over a cursor's row the pointer becomes that image, with its hot spot,
  // so that it is tried on every ground as it will be used.
  void mouseMoveEvent(QMouseEvent* event) override {
    int over = -1;
    if (DocumentIsCursor())
      for (std::size_t i = 0; i < rows_.size(); ++i)
        if (rows_[i].contains(event->position().toPoint())) over = static_cast<int>(i);
    if (over == pointerRow_) return;
    pointerRow_ = over;
    if (over < 0) {
      unsetCursor();
      return;
    }
    const ImageTab& tab = *tabs_[static_cast<std::size_t>(over)];
    setCursor(QCursor(QPixmap::fromImage(PointerPicture(tab)), tab.hotSpotX, tab.hotSpotY));
  }

 private:
  int TileLeft(int ground) const { return GAP + ground * (tileWidth_ + GAP); }

  std::vector<const ImageTab*> tabs_;
  std::vector<QRect> rows_;
  int tileWidth_ = 96;
  int pointerRow_ = -2;
};

QPointer<QWidget> window;
SheetView* view = nullptr;
QTableWidget* table = nullptr;

void LoadPicture() {
  const auto path = ChooseOpenFile(PICTURE_TITLE, pictureFilters);
  if (!path) return;
  const auto bytes = ReadFileBytes(*path, MAX_PICTURE_BYTES);
  QImage picture;
  if (bytes) picture.loadFromData(bytes->data(), static_cast<int>(bytes->size()));
  if (picture.isNull()) {
    ShowReport(FillText(UiString(PICTURE_UNREADABLE), {*path}));
    return;
  }
  loadedPicture = picture.convertToFormat(QImage::Format_RGB32);
  RefreshIconTestSheet();
}

QTableWidget* MakeTable(QWidget* parent) {
  auto* sizes = new QTableWidget(std::size(REQUESTED_BASE_SIZES), std::size(DISPLAY_SCALINGS), parent);
  sizes->setObjectName(QStringLiteral("iconTestSheetSizes"));
  sizes->setEditTriggers(QAbstractItemView::NoEditTriggers);
  QStringList columns;
  for (int scaling : DISPLAY_SCALINGS) columns << QStringLiteral("%1 %").arg(scaling);
  QStringList rows;
  for (int base : REQUESTED_BASE_SIZES) rows << QStringLiteral("%1 px").arg(base);
  sizes->setHorizontalHeaderLabels(columns);
  sizes->setVerticalHeaderLabels(rows);
  return sizes;
}

}  // namespace

ColorRef ShownOverScreen(const ImageTab& tab, int x, int y, ColorRef screen) {
  if (const KeptEntry* kept = KeptEntryOf(tab)) {
    if (kept->argb.size() != static_cast<std::size_t>(kept->width) * kept->height) return screen;
    return CompositeOver(kept->argb[static_cast<std::size_t>(y) * kept->width + x], screen);
  }
  const PixelCell cell = CellAt(tab, x, y);
  if (IsTrueColour(tab)) return CompositeOver(cell, screen);
  const ColorRef colour = tab.palette[cell & CELL_INDEX_BITS] & 0xFFFFFF;
  return (cell & CELL_MASK_BIT) != 0 ? screen ^ colour : colour;
}

std::vector<FamilyImage> DocumentFamily() {
  std::vector<FamilyImage> family;
  for (const ImageTab* tab : StripTabs()) family.push_back({ShownWidth(*tab), ShownHeight(*tab), BitCountOf(*tab)});
  return family;
}

std::string SizeTableText(int baseSize, int scalingPercent) {
  const int requested = RequestedPixels(baseSize, scalingPercent);
  const int chosen = ChooseFamilyImage(DocumentFamily(), requested);
  const std::string pixels = std::to_string(requested) + " px";
  if (chosen < 0) return pixels;
  return pixels + " → " + LabelOf(*StripTabs()[static_cast<std::size_t>(chosen)]);
}

void CommandIconTestSheet() {
  if (window == nullptr) {
    window = new QWidget(mainWindows.main, Qt::Window);
    window->setObjectName(QStringLiteral("iconTestSheet"));
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowTitle(UiText(SHEET_TITLE));
    QObject::connect(window, &QObject::destroyed, [] {
      view = nullptr;
      table = nullptr;
    });
    auto* layout = new QHBoxLayout(window);
    auto* scroll = new QScrollArea(window);
    view = new SheetView(scroll);
    scroll->setWidget(view);
    layout->addWidget(scroll, 1);
    auto* side = new QVBoxLayout;
    auto* load = new QPushButton(UiText(LOAD_PICTURE), window);
    load->setObjectName(QStringLiteral("iconTestSheetLoad"));
    QObject::connect(load, &QPushButton::clicked, window, [] { LoadPicture(); });
    side->addWidget(load);
    side->addWidget(new QLabel(UiText(TABLE_TITLE), window));
    table = MakeTable(window);
    side->addWidget(table, 1);
    layout->addLayout(side);
    window->resize(1280, 560);
  }
  RefreshIconTestSheet();
  window->show();
  window->raise();
}

void RefreshIconTestSheet() {
  if (window == nullptr || view == nullptr || table == nullptr) return;
  view->Follow();
  for (int r = 0; r < static_cast<int>(std::size(REQUESTED_BASE_SIZES)); ++r)
    for (int c = 0; c < static_cast<int>(std::size(DISPLAY_SCALINGS)); ++c)
      table->setItem(r, c, new QTableWidgetItem(QString::fromStdString(
                               SizeTableText(REQUESTED_BASE_SIZES[r], DISPLAY_SCALINGS[c]))));
  // The table is as wide as its texts, so that every name is read whole.
  table->resizeColumnsToContents();
  int width = table->verticalHeader()->sizeHint().width() + 2 * table->frameWidth() + 2;
  for (int c = 0; c < table->columnCount(); ++c) width += table->columnWidth(c);
  table->setFixedWidth(width);
}

QWidget* IconTestSheetWindow() { return window; }
