// The icon test sheet: each image as the desktop shows it over each screen,
// the image Windows takes for each size, and following the edits.

#include <QCursor>
#include <QImage>
#include <QMouseEvent>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>

#include "app/icon_test_sheet.h"
#include "canvas/cell_look.h"
#include "model/change_hub.h"
#include "tests/ui/canvas_fixture.h"

namespace {

using IconTestSheet = CanvasTest;

TEST_F(IconTestSheet, PixelsShowOverTheScreenAsTheDesktopShowsThem) {
  ImageTab& indexed = OpenTab(4, 1);
  CellAt(indexed, 0, 0) = 12;                   // opaque 0xFF0000
  CellAt(indexed, 1, 0) = CELL_MASK_BIT | 0;    // mask with black: the screen
  CellAt(indexed, 2, 0) = CELL_MASK_BIT | 15;   // mask with white: the screen inverted
  CellAt(indexed, 3, 0) = CELL_MASK_BIT | 9;    // mask with 0x0000FF: its bits flipped
  ImageTab& deep = OpenTrueColourTab(2, 1);
  CellAt(deep, 0, 0) = 0x80FF0000u;
  CellAt(deep, 1, 0) = 0;
  struct Case {
    const ImageTab* tab;
    int x;
    ColorRef screen, shown;
  };
  const Case cases[] = {
      {&indexed, 0, 0x202020, 0xFF0000}, {&indexed, 1, 0xF0F0F0, 0xF0F0F0}, {&indexed, 1, 0x202020, 0x202020},
      {&indexed, 2, 0xF0F0F0, 0x0F0F0F}, {&indexed, 2, 0x202020, 0xDFDFDF}, {&indexed, 3, 0x808080, 0x80807F},
      {&deep, 0, 0xFFFFFF, CompositeOver(0x80FF0000u, 0xFFFFFF)},           {&deep, 1, 0x123456, 0x123456},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ShownOverScreen(*c.tab, c.x, 0, c.screen), c.shown) << c.x << " over " << std::hex << c.screen;
}

TEST_F(IconTestSheet, NamesTheImageWindowsTakesAndFollowsEdits) {
  ImageTab& handMade = OpenTab(16, 16);
  handMade.colorCode = 0;
  FormatTabTitle(handMade, 16, 16, 0);
  ImageTab& deep = OpenTrueColourTab(16, 16);
  OpenTrueColourTab(48, 48);
  DispatchCommand(CMD_ICON_TEST_SHEET);
  QWidget* sheet = IconTestSheetWindow();
  ASSERT_NE(sheet, nullptr);
  auto* sizes = sheet->findChild<QTableWidget*>(QStringLiteral("iconTestSheetSizes"));
  ASSERT_NE(sizes, nullptr);
  const auto cell = [sizes](int row, int column) { return sizes->item(row, column)->text().toStdString(); };
  // The 32-bit 16 px image hides the hand-made 8-bit one.
  EXPECT_EQ(cell(0, 0), "16 px → 16x16 32-bit");
  EXPECT_EQ(cell(0, 1), "20 px → 16x16 32-bit");  // 16 is nearer than 48
  EXPECT_EQ(cell(5, 3), "512 px → 48x48 32-bit");

  // A tab made and an edit are shown without the window being asked.
  ImageTab* twenty = CreateTrueColourTab("", 20, 20);
  ASSERT_NE(twenty, nullptr);
  Announce(twenty, CHANGE_TABS | CHANGE_CURRENT_TAB);
  EXPECT_EQ(cell(0, 1), "20 px → 20x20 32-bit");
  QWidget* view = sheet->findChild<QWidget*>(QStringLiteral("iconTestSheetView"));
  const QImage before = view->grab().toImage();
  CellAt(deep, 3, 3) = 0xFF00FF00u;
  Announce(&deep, CHANGE_PIXELS);
  EXPECT_NE(view->grab().toImage(), before);

  // In a cursor document the pointer over a row becomes that image, with
  // its hot spot; the second row (the 16 px 32-bit image) starts at y 112.
  tabSet.documentName = "arrow.cur";
  deep.hotSpotX = 3;
  deep.hotSpotY = 5;
  Announce(&deep, CHANGE_CAPTION);
  QMouseEvent move(QEvent::MouseMove, QPointF(20, 130), view->mapToGlobal(QPointF(20, 130)), Qt::NoButton,
                   Qt::NoButton, Qt::NoModifier);
  QCoreApplication::sendEvent(view, &move);
  EXPECT_EQ(view->cursor().shape(), Qt::BitmapCursor);
  EXPECT_EQ(view->cursor().hotSpot(), QPoint(3, 5));
  EXPECT_EQ(view->cursor().pixmap().toImage().pixel(3, 3), qRgb(0, 0xFF, 0));

  // A picture loaded as the last screen shows behind the images.
  QTemporaryDir folder;
  const QString picture = folder.filePath("ground.png");
  QImage blue(40, 40, QImage::Format_RGB32);
  blue.fill(QColor(0, 0, 0xFF));
  ASSERT_TRUE(blue.save(picture));
  const QImage plain = view->grab().toImage();
  modal.QueueFile(picture.toStdString());
  sheet->findChild<QPushButton*>(QStringLiteral("iconTestSheetLoad"))->click();
  const QImage loaded = view->grab().toImage();
  int blueBefore = 0;
  int blueAfter = 0;
  for (int y = 0; y < loaded.height(); ++y)
    for (int x = 0; x < loaded.width(); ++x) {
      blueBefore += plain.pixel(x, y) == qRgb(0, 0, 0xFF) ? 1 : 0;
      blueAfter += loaded.pixel(x, y) == qRgb(0, 0, 0xFF) ? 1 : 0;
    }
  EXPECT_EQ(blueBefore, 0);
  EXPECT_GT(blueAfter, 16 * 16);
}

}  // namespace
