// Development tool: pictures of the edit view with transparent and inverted
// cells, zoomed, on the checkerboard and on the default background, and of
// the import dialog with its soft-edge controls.
// Usage: transparency_shots OUTPUT_FOLDER [PICTURE_TO_IMPORT]

#include <QApplication>
#include <QDialog>
#include <QMainWindow>
#include <QMouseEvent>
#include <QPixmap>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <cstdio>
#include <string>

#include "app/command_ids.h"
#include "app/commands.h"
#include "app/main_window.h"
#include "canvas/cell_geometry.h"
#include "canvas/cell_look.h"
#include "canvas/edit_view.h"
#include "import/flow.h"
#include "model/tab_lifecycle.h"
#include "model/tab_set.h"
#include "model/undo_history.h"
#include "platform/modal.h"

namespace {

void Save(QWidget& widget, const std::string& path) {
  const QPixmap picture = widget.grab();
  std::printf("%s: %dx%d %s\n", path.c_str(), picture.width(), picture.height(),
              picture.save(QString::fromStdString(path)) ? "saved" : "NOT SAVED");
}

// A 16 x 16 image: a transparent margin of two pixels, a red square with a
// yellow cross inside it, and a row of inverted cells (white, red, blue) at
// its bottom.
void MakeImage() {
  ImageTab* tab = CreateTab("", 16, 16, 16);
  if (tab == nullptr) return;
  tab->width = tab->height = 16;
  tab->colorCode = 16;
  const ColorRef palette[16] = {0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0xC0C0C0,
                                0x808080, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF};
  std::copy(std::begin(palette), std::end(palette), tab->palette);
  for (int x = 0; x < 16; ++x)
    for (int y = 0; y < 16; ++y) {
      const bool inside = x >= 2 && x < 14 && y >= 2 && y < 12;
      const bool cross = x == 7 || x == 8 || y == 6 || y == 7;
      CellAt(*tab, x, y) = inside ? (cross ? 11 : 9) : FRESH_CELL;
    }
  const int inverted[] = {15, 9, 12};
  for (int x = 3; x < 12; ++x) CellAt(*tab, x, 13) = static_cast<PixelCell>(CELL_MASK_BIT | inverted[(x - 3) / 3]);
  tab->penMask = 0;
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
  mainWindows.main->resize(760, 620);
  MakeImage();
  QTimer::singleShot(300, [&] {
    OnBackgroundChosen(CHECKERBOARD_BACKGROUND);
    Hover(4, 13);
    Save(*mainWindows.main, folder + "/transparent-cells.png");
    OnBackgroundChosen(DEFAULT_BACKGROUND);
    Hover(1, 1);
    Save(*mainWindows.main, folder + "/transparent-cells-plain.png");
    if (argc > 2) {
      ModalScript importScript;
      importScript.onDialog = [&](QDialog& dialog) {
        dialog.show();
        QApplication::processEvents();
        Save(dialog, folder + "/import-dialog-alpha.png");
      };
      importScript.onMessageBox = [](const MessageBoxRequest& request) {
        std::printf("message: %s\n", request.text.c_str());
        return int(IDNO);
      };
      InstallModalScript(&importScript);
      ImportFile(argv[2]);
      InstallModalScript(nullptr);
    }
    QApplication::quit();
  });
  QApplication::exec();
  DestroyMainWindow();
  return 0;
}
