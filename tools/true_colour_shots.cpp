// Development tool: pictures of the main window with a true-colour tab over
// the checkerboard, one of 16 pixels with the grid and one of 256 without, each a disc whose edge
// fades out in alpha, with a half-transparent band across it.
// Also the colour dialog with its opacity row and the new-tab dialog.
// Usage: true_colour_shots OUTPUT_FOLDER

#include <QApplication>
#include <QDialog>
#include <QMainWindow>
#include <QMouseEvent>
#include <QPixmap>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "app/main_window.h"
#include "canvas/cell_geometry.h"
#include "canvas/cell_look.h"
#include "canvas/edit_view.h"
#include "fileio/palette_flow.h"
#include "model/tab_lifecycle.h"
#include "palette/colour_dialog.h"
#include "platform/modal.h"
#include "app/new_tab_dialog.h"
#include "model/tab_set.h"
#include "platform/program_paths.h"

namespace {

void Save(QWidget& widget, const std::string& path) {
  const QPixmap picture = widget.grab();
  std::printf("%s: %dx%d %s\n", path.c_str(), picture.width(), picture.height(),
              picture.save(QString::fromStdString(path)) ? "saved" : "NOT SAVED");
}

// A disc in a blue-to-orange gradient whose last tenth of radius fades to
// transparent, crossed by a band of half-transparent white.
void MakeImage(int side) {
  ImageTab* tab = CreateTrueColourTab("", side, side);
  if (tab == nullptr) return;
  ClearTabPixels(*tab);
  // The swatches a new true-colour tab starts with.
  ReadPaletteFile(*tab, ProgramDataFile("default256.qpl"));
  const double centre = (side - 1) / 2.0;
  const double radius = side / 2.0;
  for (int x = 0; x < side; ++x)
    for (int y = 0; y < side; ++y) {
      const double distance = std::hypot(x - centre, y - centre) / radius;
      const double fade = std::clamp((1.0 - distance) / 0.2, 0.0, 1.0);
      const auto t = static_cast<std::uint32_t>(255.0 * y / std::max(side - 1, 1));
      std::uint32_t argb = static_cast<std::uint32_t>(fade * 255.0 + 0.5) << 24 | t << 16 | (96 + t / 3) << 8 |
                           (255 - t);
      if (std::abs(x - y) < std::max(side / 8, 1)) argb = 0x80FFFFFFu;
      CellAt(*tab, x, y) = TrueColourCell(argb);
    }
  tab->backgroundIndex = CHECKERBOARD_BACKGROUND;
  tabSet.currentPosition = tabSet.tabCount - 1;
  ShowCurrentPosition();
}

void Hover(int column, int row) {
  const ImageTab* tab = CurrentTab();
  QWidget* view = mainWindows.editView;
  const PixelRect square = CellSquare(column, row, tab->cellSize);
  const QPointF point(square.left + tab->cellSize / 2 + view->contentsRect().left() - editView.scrollX,
                      square.top + tab->cellSize / 2 + view->contentsRect().top() - editView.scrollY);
  QMouseEvent hover(QEvent::MouseMove, point, view->mapToGlobal(point), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(view, &hover);
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  const std::string folder = argc > 1 ? argv[1] : ".";
  CreateMainWindow();
  mainWindows.main->resize(1000, 900);
  mainWindows.main->show();
  QTimer::singleShot(300, [&] {
    for (int side : {16, 256}) {
      // At two screen pixels a cell the grid lines would hide most of the
      // large image; it is shown without them.
      grid = side > 64 ? 0 : 1;
      MakeImage(side);
      OnBackgroundChosen(CHECKERBOARD_BACKGROUND);
      QApplication::processEvents();
      Hover(side / 2, side / 2 - side / 4);
      Save(*mainWindows.main, folder + "/true-colour-" + std::to_string(side) + ".png");
    }
    // The colour dialog with its opacity row, and the new-tab dialog with
    // the true-colour choice.
    ModalScript script;
    script.onDialog = [&](QDialog& dialog) {
      dialog.show();
      QApplication::processEvents();
      Save(dialog, folder + "/" + dialog.objectName().toStdString() + ".png");
      dialog.reject();
    };
    InstallModalScript(&script);
    int opacity = 128;
    RunColorDialog(1, &opacity);
    RunNewTabDialog();
    InstallModalScript(nullptr);
    QApplication::quit();
  });
  QApplication::exec();
  DestroyMainWindow();
  return 0;
}
