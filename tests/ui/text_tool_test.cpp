#include <QCheckBox>
#include <QCoreApplication>
#include <QDialog>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QSpinBox>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLineEdit>
#include <QPainter>
#include <QListWidget>
#include <QScrollBar>
#include <QSlider>
#include <set>

#include "canvas/edit_view.h"
#include "canvas/text_place.h"
#include "canvas/text_tool.h"
#include "platform/dialog_template.h"
#include "tests/ui/canvas_fixture.h"

namespace {

constexpr ColorRef WHITE = 0xFFFFFF, BLACK = 0x000000, RED = 0x0000FF, BLUE = 0xFF0000;
constexpr int RED_INDEX = 9;
constexpr int BLUE_INDEX = 12;

struct TextControls {
  QListWidget* faces;
  QLineEdit* faceEdit;
  QLineEdit* text;
  QCheckBox* bold;
  QCheckBox* italic;
  QSlider* size;
  PreviewControl* preview;

  explicit TextControls(QDialog& dialog)
      : faces(FindControl<QWidget>(dialog, ID_FONT_LIST)->findChild<QListWidget*>()),
        faceEdit(FindControl<QWidget>(dialog, ID_FONT_LIST)->findChild<QLineEdit*>()),
        text(FindControl<QLineEdit>(dialog, ID_TEXT_BOX)),
        bold(FindControl<QCheckBox>(dialog, ID_BOLD_BOX)),
        italic(FindControl<QCheckBox>(dialog, ID_ITALIC_BOX)),
        size(FindControl<QSlider>(dialog, ID_SIZE_CONTROL)),
        preview(dialog.findChild<PreviewControl*>()) {}

  // Selects the face as a click on its entry would.
  void Choose(const char* face) const { faces->setCurrentItem(faces->findItems(face, Qt::MatchExactly).value(0)); }
  QImage Canvas() const { return *preview->canvas(); }
  // The cells the preview's text covers, read from the canvas.
  TextCellMask Covered(const ImageTab& tab) const {
    QImage canvas = Canvas();
    return MarkTextCells(SurfaceOf(canvas), textSettings.backColor, TEXT_ORIGIN, TEXT_ORIGIN, tab.width, tab.height);
  }
};

int CountColor(const QImage& image, ColorRef color) {
  int count = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) count += ColorOfPixel(image.pixel(x, y)) == color;
  return count;
}

// The first column (or row) that holds a pixel of the colour, or -1.
int FirstLineWith(const QImage& image, ColorRef color, bool columns) {
  const int lines = columns ? image.width() : image.height();
  const int along = columns ? image.height() : image.width();
  for (int line = 0; line < lines; ++line)
    for (int i = 0; i < along; ++i)
      if (ColorOfPixel(columns ? image.pixel(line, i) : image.pixel(i, line)) == color) return line;
  return -1;
}

class TextToolTest : public CanvasTest {
 protected:
  void SetUp() override {
    CanvasTest::SetUp();
    textSettings = TextSettings{};
  }
  void TearDown() override {
    textSettings = TextSettings{};
    CanvasTest::TearDown();
  }

  // A 32 x 32 tab of transparent cells, drawing in red.
  ImageTab& RedPenTab() {
    ImageTab& tab = OpenTab(32, 32);
    tab.penIndex = RED_INDEX;
    return tab;
  }

  // Command 260, with the dialog answered by the action.
  void RunTextCommand(std::function<void(QDialog&)> action) {
    const int before = modal.dialogsRun();
    modal.QueueDialog(std::move(action));
    DispatchCommand(CMD_TEXT);
    ASSERT_EQ(modal.dialogsRun(), before + 1);
  }

  // A pixel inside the cell, off its outline and its transparency dot; and
  // one on its left outline.
  static ColorRef CellInside(const ImageTab& tab, int x, int y) {
    return BackPixel(EDIT_ORIGIN + x * tab.cellSize + 1, EDIT_ORIGIN + y * tab.cellSize + 1);
  }
  static ColorRef CellOutline(const ImageTab& tab, int x, int y) {
    return BackPixel(EDIT_ORIGIN + x * tab.cellSize, EDIT_ORIGIN + y * tab.cellSize + tab.cellSize / 2);
  }

  // Every cell holds the pen cell where the mask is set and is fresh elsewhere.
  static void ExpectCells(const ImageTab& tab, const TextCellMask& mask, PixelCell pen) {
    for (int x = 0; x < tab.width; ++x)
      for (int y = 0; y < tab.height; ++y)
        ASSERT_EQ(CellAt(tab, x, y), mask.test(CellIndex(x, y)) ? pen : FRESH_CELL) << x << "," << y;
  }
};

}  // namespace

TEST_F(TextToolTest, FirstOpeningShowsTheDefaultsAndOnlyTheBackground) {
  ImageTab& tab = RedPenTab();
  RunTextCommand([&](QDialog& dialog) {
    const TextControls c(dialog);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("文字"));
    EXPECT_EQ(c.size->value(), 26);
    EXPECT_EQ(c.size->maximum(), 100);
    EXPECT_FALSE(c.bold->isChecked() || c.italic->isChecked());
    EXPECT_TRUE(c.text->text().isEmpty());
    EXPECT_EQ(c.text->maxLength(), 19);
    EXPECT_EQ(c.faces->currentRow(), -1);

    // Every family once, without its maker, and the system names whose
    // stand-in fonts are installed.
    std::set<QString> names;
    for (int row = 0; row < c.faces->count(); ++row) {
      names.insert(c.faces->item(row)->text());
      EXPECT_FALSE(c.faces->item(row)->text().endsWith(']'));
    }
    EXPECT_EQ(names.size(), static_cast<size_t>(c.faces->count()));
    for (const char* face : {"IPAGothic", "ＭＳ Ｐゴシック", "ＭＳ 明朝"}) EXPECT_EQ(names.count(face), 1u) << face;

    // Only the background, and room for the largest image beside the origin.
    EXPECT_EQ(textSettings.backColor, WHITE);
    EXPECT_EQ(textSettings.textColor, RED);
    const QImage canvas = c.Canvas();
    EXPECT_EQ(CountColor(canvas, WHITE), canvas.width() * canvas.height());
    EXPECT_GE(std::min(canvas.width(), canvas.height()), TEXT_ORIGIN + MAX_IMAGE_SIZE + 1);
    EXPECT_EQ(c.preview->horizontalBar()->maximum(), canvas.width());
    EXPECT_EQ(c.preview->verticalBar()->value(), canvas.height() / 2);
    // The square where the two bars meet shows the dialog's face colour.
    const QRect inside = c.preview->contentsRect();
    EXPECT_EQ(ColorOfPixel(c.preview->grab().toImage().pixel(inside.right() - 8, inside.bottom() - 8)),
              GetSystemColor(COLOR_3DFACE));
    PressButton(dialog, IDCANCEL);
    EXPECT_EQ(dialog.result(), IDCANCEL);
  });
  ExpectCells(tab, {}, 0);
  EXPECT_FALSE(IsTabChanged(tab));
}

TEST_F(TextToolTest, TheLetterMarksItsCellsLiveBoldWidensThemAndOkStoresThemAsOneStep) {
  ImageTab& tab = RedPenTab();
  TextCellMask stored;
  RunTextCommand([&](QDialog& dialog) {
    const TextControls c(dialog);
    c.Choose("IPAGothic");
    EXPECT_EQ(textSettings.face, "IPAGothic");
    EXPECT_EQ(c.faceEdit->text(), QStringLiteral("IPAGothic"));
    c.text->setText("A");
    const TextCellMask regular = c.Covered(tab);
    EXPECT_GT(CountColor(c.Canvas(), RED), 20);
    EXPECT_GT(regular.count(), 20u);
    EXPECT_LT(regular.count(), 32u * 32u);
    // The edit view shows the covered cells in the pen colour; the cells
    // themselves stay as they are while the dialog is open.
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32; ++x)
        ASSERT_EQ(CellInside(tab, x, y), regular.test(CellIndex(x, y)) ? RED : WHITE) << x << "," << y;
    ExpectCells(tab, {}, 0);

    c.bold->click();
    EXPECT_EQ(textSettings.weight, 700);
    stored = c.Covered(tab);
    EXPECT_GT(stored.count(), regular.count());
    PressButton(dialog, IDOK);
    EXPECT_EQ(dialog.result(), IDOK);
  });
  ExpectCells(tab, stored, RED_INDEX);
  EXPECT_TRUE(IsTabChanged(tab));
  DispatchCommand(CMD_UNDO);
  ExpectCells(tab, {}, 0);
  DispatchCommand(CMD_REDO);
  ExpectCells(tab, stored, RED_INDEX);
}

TEST_F(TextToolTest, CancelKeepsTheCellsAndGridLinesShowOnFreeCellsOnlyWhileOpen) {
  ImageTab& tab = RedPenTab();
  SwitchGrid(false);
  int freeX = -1, freeY = -1;
  RunTextCommand([&](QDialog& dialog) {
    const TextControls c(dialog);
    c.Choose("IPAMincho");
    c.text->setText("I");
    // A free cell right of a covered one: the covered cells form one
    // surface without lines, the free ones are outlined with the grid off.
    const TextCellMask covered = c.Covered(tab);
    for (int i = 0; i < 32 * 31 && freeX < 0; ++i)
      if (covered.test(CellIndex(i % 31, i / 31)) && !covered.test(CellIndex(i % 31 + 1, i / 31))) {
        freeX = i % 31 + 1;
        freeY = i / 31;
      }
    ASSERT_GE(freeX, 1);
    EXPECT_EQ(CellOutline(tab, freeX, freeY), BLACK);
    EXPECT_EQ(CellOutline(tab, freeX - 1, freeY), RED);
    dialog.reject();
  });
  ExpectCells(tab, {}, 0);
  EXPECT_FALSE(IsTabChanged(tab));
  EXPECT_EQ(grid, 0);
  EXPECT_EQ(CellOutline(tab, freeX, freeY), WHITE);
  EXPECT_EQ(CellInside(tab, freeX - 1, freeY), WHITE);
}

TEST_F(TextToolTest, ScrollBarsMoveTheTextOnePixelPerStep) {
  RedPenTab();
  RunTextCommand([&](QDialog& dialog) {
    const TextControls c(dialog);
    c.Choose("IPAGothic");
    c.text->setText("HH");
    QScrollBar* horizontal = c.preview->horizontalBar();
    QScrollBar* vertical = c.preview->verticalBar();
    const int left = FirstLineWith(c.Canvas(), RED, true);
    const int top = FirstLineWith(c.Canvas(), RED, false);
    ASSERT_GT(left, 5);
    for (int i = 0; i < 5; ++i) horizontal->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(horizontal->value(), 5);
    EXPECT_EQ(FirstLineWith(c.Canvas(), RED, true), left - 5);
    // Going to an end of the bar is no step.
    horizontal->triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_EQ(horizontal->value(), 5);

    // A page moves one pixel like a line; down moves the text up.
    const int middle = vertical->value();
    vertical->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(vertical->value(), middle + 1);
    EXPECT_EQ(FirstLineWith(c.Canvas(), RED, false), top - 1);
    // The thumb puts the text where it is dragged.
    vertical->setSliderDown(true);
    vertical->setSliderPosition(middle - 10);
    vertical->setSliderDown(false);
    EXPECT_EQ(vertical->value(), middle - 10);
    EXPECT_EQ(FirstLineWith(c.Canvas(), RED, false), top + 10);
    PressButton(dialog, IDCANCEL);
  });
}

namespace {

// The text drawn on a picture of its own with the top-left corner of its
// character cell at (dx, dy); the cells it covers.
TextCellMask CellsOfTextAt(const char* text, int dx, int dy) {
  QImage alone(64, 64, QImage::Format_RGB32);
  alone.fill(QColor(255, 255, 255));
  {
    QPainter painter(&alone);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    const QFont font = MakeTextFont(textSettings);
    painter.setFont(font);
    painter.setPen(QColor(255, 0, 0));
    painter.drawText(QPoint(dx, dy + QFontMetrics(font).ascent()), QString::fromUtf8(text));
  }
  TextCellMask cells;
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x)
      if (alone.pixel(x, y) != qRgb(255, 255, 255)) cells.set(CellIndex(x, y));
  return cells;
}

}  // namespace

TEST_F(TextToolTest, TheTextStandsInTheMiddleOfTheSelectionOrTheViewAndScrollsFromThere) {
  ImageTab& tab = RedPenTab();
  struct Case {
    CellRect selection;
    // The middle of the selection, or of the shown image without one.
    int middleX, middleY;
  };
  const Case cases[] = {{{0, 0, 31, 31}, 16, 16}, {{2, 20, 13, 29}, 8, 25}};
  for (const Case& c : cases) {
    tab.selection = c.selection;
    ClearTabPixels(tab);
    TextCellMask expected;
    RunTextCommand([&](QDialog& dialog) {
      const TextControls controls(dialog);
      controls.Choose("IPAGothic");
      controls.text->setText("Hy");
      const QFontMetrics metrics(MakeTextFont(textSettings));
      const int left = (2 * c.middleX - metrics.horizontalAdvance(QStringLiteral("Hy"))) / 2;
      const int top = (2 * c.middleY - metrics.ascent() - metrics.descent()) / 2;
      ASSERT_GT(CellsOfTextAt("Hy", left, top).count(), 20u);
      EXPECT_EQ(controls.Covered(tab), CellsOfTextAt("Hy", left, top));
      // Two steps down the vertical bar and three along the horizontal one
      // move the text two cells up and three to the left.
      controls.preview->verticalBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
      controls.preview->verticalBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
      for (int i = 0; i < 3; ++i) controls.preview->horizontalBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
      expected = CellsOfTextAt("Hy", left - 3, top - 2);
      EXPECT_EQ(controls.Covered(tab), expected);
      PressButton(dialog, IDOK);
    });
    ExpectCells(tab, expected, RED_INDEX);
  }
}

// The left button at the middle of an edit-view cell (x, y), pressed or
// held while moving.
void MouseOnCell(QEvent::Type type, const ImageTab& tab, int x, int y) {
  auto* frame = static_cast<QFrame*>(editView.window);
  const QPoint client(EDIT_ORIGIN + x * tab.cellSize + tab.cellSize / 2 - editView.scrollX,
                      EDIT_ORIGIN + y * tab.cellSize + tab.cellSize / 2 - editView.scrollY);
  const QPointF local = QPointF(client + frame->contentsRect().topLeft());
  const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
  const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
  QMouseEvent event(type, local, frame->mapToGlobal(local), button, held, Qt::NoModifier);
  QCoreApplication::sendEvent(frame, &event);
}

TEST_F(TextToolTest, AClickInTheEditViewPlacesTheTextAndTheScrollBarsMoveItFromThere) {
  ImageTab& tab = RedPenTab();
  TextCellMask expected;
  RunTextCommand([&](QDialog& dialog) {
    const TextControls c(dialog);
    c.Choose("IPAGothic");
    c.text->setText("Hy");
    const struct {
      QEvent::Type type;
      int x, y;
      int expectX, expectY;
    } steps[] = {
        {QEvent::MouseButtonPress, 5, 7, 5, 7},
        {QEvent::MouseMove, 9, 3, 9, 3},
        {QEvent::MouseButtonRelease, 12, 12, 9, 3},
        // Past the image's right edge the text still follows.
        {QEvent::MouseButtonPress, 40, 2, 40, 2},
        {QEvent::MouseButtonRelease, 40, 2, 40, 2},
        {QEvent::MouseButtonPress, 2, 4, 2, 4},
        {QEvent::MouseButtonRelease, 2, 4, 2, 4},
    };
    for (const auto& step : steps) {
      MouseOnCell(step.type, tab, step.x, step.y);
      EXPECT_EQ(c.Covered(tab), CellsOfTextAt("Hy", step.expectX, step.expectY)) << step.x << "," << step.y;
    }
    // Nothing was drawn with the pen by those clicks.
    EXPECT_EQ(CellAt(tab, 5, 7), FRESH_CELL);
    c.preview->horizontalBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    expected = CellsOfTextAt("Hy", 1, 4);
    EXPECT_EQ(c.Covered(tab), expected);
    PressButton(dialog, IDOK);
  });
  ExpectCells(tab, expected, RED_INDEX);
  // Closed, the dialog no longer takes the edit view's clicks.
  EXPECT_FALSE(textPlacement);
}

TEST_F(TextToolTest, TheFieldsAreLabelledAndTheSizeIsANumberTiedToTheSlider) {
  RedPenTab();
  RunTextCommand([&](QDialog& dialog) {
    const TextControls c(dialog);
    const std::pair<int, const char*> labels[] = {
        {ID_FONT_LABEL, "フォント"}, {ID_TEXT_LABEL, "文字"}, {ID_SIZE_LABEL, "大きさ"}};
    for (const auto& [id, text] : labels) EXPECT_EQ(FindControl<QLabel>(dialog, id)->text().toStdString(), text);
    auto* number = FindControl<QSpinBox>(dialog, ID_SIZE_NUMBER);
    EXPECT_EQ(number->value(), 26);
    number->setValue(31);
    EXPECT_EQ(c.size->value(), 31);
    EXPECT_EQ(textSettings.height, 31);
    c.size->setValue(12);
    EXPECT_EQ(number->value(), 12);
    EXPECT_EQ(textSettings.height, 12);
    PressButton(dialog, IDCANCEL);
  });
}

TEST_F(TextToolTest, TheSizeControlAtTheSamePositionDrawsNothing) {
  RedPenTab();
  RunTextCommand([&](QDialog& dialog) {
    const TextControls c(dialog);
    // Letting go of the thumb where it was, at the size last drawn.
    c.size->setSliderDown(true);
    c.size->setSliderDown(false);
    EXPECT_EQ(CountColor(c.Canvas(), BLACK), 0);
    // A new size draws: without a face only the dotted frame, every other
    // pixel of the 34 x 34 square around the image.
    c.size->setValue(30);
    EXPECT_EQ(textSettings.previousHeight, 30);
    EXPECT_EQ(CountColor(c.Canvas(), BLACK), 66);
    PressButton(dialog, IDCANCEL);
  });
}

TEST_F(TextToolTest, ReopeningShowsTheLastSettingsWithTheNewPenColour) {
  ImageTab& tab = RedPenTab();
  RunTextCommand([&](QDialog& dialog) {
    const TextControls c(dialog);
    c.Choose("IPAMincho");
    // The box keeps 19 characters of a longer text.
    c.text->setText(QStringLiteral("Qtあいうえおかきくけこさしすせそたちつてと"));
    c.bold->click();
    c.italic->click();
    c.size->setValue(40);
    PressButton(dialog, IDCANCEL);
  });
  tab.penIndex = BLUE_INDEX;
  RunTextCommand([&](QDialog& dialog) {
    const TextControls c(dialog);
    EXPECT_EQ(c.faces->currentItem()->text(), QStringLiteral("IPAMincho"));
    EXPECT_EQ(c.text->text(), QStringLiteral("Qtあいうえおかきくけこさしすせそたち"));
    EXPECT_TRUE(c.bold->isChecked() && c.italic->isChecked());
    EXPECT_EQ(c.size->value(), 40);
    // The remembered face is drawn at once, in the pen colour of now.
    EXPECT_GT(CountColor(c.Canvas(), BLUE), 20);
    EXPECT_EQ(CountColor(c.Canvas(), RED), 0);

    // Typing in the list's edit field selects the first face it fits.
    c.faceEdit->setText("ipag");
    emit c.faceEdit->textEdited(QStringLiteral("ipag"));
    EXPECT_EQ(textSettings.face, "IPAGothic");
    EXPECT_EQ(c.faceEdit->text(), QStringLiteral("ipag"));
    emit c.faceEdit->textEdited(QStringLiteral("no such font"));
    EXPECT_EQ(textSettings.face, "IPAGothic");
    PressButton(dialog, IDCANCEL);
  });
}

TEST(TextFaceRow, TheNameItselfComesBeforeNamesThatStartWithIt) {
  QListWidget list;
  list.addItems({"Abc", "Abc Wide", "Mono"});
  EXPECT_EQ(FindFaceRow(list, "abc"), 0);
  // A part of a name is searched from the second entry on, wrapping round.
  EXPECT_EQ(FindFaceRow(list, "ab"), 1);
  EXPECT_EQ(FindFaceRow(list, "Zz"), -1);
  delete list.takeItem(2);
  delete list.takeItem(1);
  EXPECT_EQ(FindFaceRow(list, "a"), 0);
}

TEST(TextFont, TheWholeCharacterCellHasTheAskedHeight) {
  TextSettings settings;
  for (const char* face : {"IPAGothic", "ＭＳ 明朝", "DejaVu Serif", ""})
    for (int height : {8, 26, 100}) {
      settings.face = face;
      settings.height = height;
      const QFontMetrics metrics(MakeTextFont(settings));
      EXPECT_LE(metrics.ascent() + metrics.descent(), height) << face << " " << height;
      EXPECT_GE(metrics.ascent() + metrics.descent(), height - 2) << face << " " << height;
    }
  // Wherever some pixel size gives a cell of exactly the height, the font
  // has that cell (IPAMincho 26 and IPAGothic 18 once came out a pixel
  // short).
  for (const char* face : {"IPAMincho", "IPAGothic", "IPAPMincho", "IPAPGothic"}) {
    QFont probe{QString::fromLatin1(face)};
    std::set<int> reachable;
    for (int size = 1; size <= 130; ++size) {
      probe.setPixelSize(size);
      const QFontMetrics metrics(probe);
      reachable.insert(metrics.ascent() + metrics.descent());
    }
    settings.face = face;
    for (int height = 1; height <= 100; ++height) {
      if (reachable.count(height) == 0) continue;
      settings.height = height;
      const QFontMetrics metrics(MakeTextFont(settings));
      EXPECT_EQ(metrics.ascent() + metrics.descent(), height) << face << " " << height;
    }
  }
  settings.face = "ＭＳ 明朝";
  settings.weight = 700;
  settings.italic = 1;
  const QFont font = MakeTextFont(settings);
  EXPECT_EQ(QFontInfo(font).family(), QStringLiteral("IPAMincho"));
  EXPECT_TRUE(font.bold() && font.italic());
  // Height 0 leaves the size to the font system.
  settings.height = 0;
  EXPECT_GT(QFontMetrics(MakeTextFont(settings)).height(), 0);
}
