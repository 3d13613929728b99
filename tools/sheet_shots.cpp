// Development tool: a picture of the icon test sheet for an icon family of a
// hand-made 16 px 256-colour image (transparent margin, an inverted ring)
// and 16, 32 and 48 px 32-bit discs with soft edges, with a gradient loaded
// as the last screen.
// Usage: sheet_shots OUTPUT.png

#include <QApplication>
#include <QImage>
#include <QMainWindow>
#include <QPixmap>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "app/command_ids.h"
#include "app/commands.h"
#include "app/icon_test_sheet.h"
#include "app/main_window.h"
#include "model/change_hub.h"
#include "model/tab_lifecycle.h"
#include "model/tab_set.h"
#include "platform/modal.h"

namespace {

void HandMade() {
  ImageTab* tab = CreateTab("", 16, 16, 0);
  if (tab == nullptr) return;
  tab->width = tab->height = 16;
  tab->colorCode = 0;
  tab->palette[0] = 0x000000;
  tab->palette[1] = 0x2080F0;
  tab->palette[2] = 0xFFFFFF;
  for (int x = 0; x < 16; ++x)
    for (int y = 0; y < 16; ++y) {
      const int d = std::max(std::abs(2 * x - 15), std::abs(2 * y - 15));
      CellAt(*tab, x, y) = d > 13 ? CELL_MASK_BIT : d > 11 ? (CELL_MASK_BIT | 2) : d > 9 ? 0 : 1;
    }
}

void Disc(int side) {
  ImageTab* tab = CreateTrueColourTab("", side, side);
  if (tab == nullptr) return;
  const double centre = (side - 1) / 2.0;
  for (int x = 0; x < side; ++x)
    for (int y = 0; y < side; ++y) {
      const double distance = std::hypot(x - centre, y - centre) / (side / 2.0);
      const double fade = std::clamp((1.0 - distance) / 0.25, 0.0, 1.0);
      const auto t = static_cast<std::uint32_t>(255.0 * y / (side - 1));
      CellAt(*tab, x, y) = TrueColourCell(static_cast<std::uint32_t>(fade * 255.0 + 0.5) << 24 | (255 - t) << 16 |
                                          (64 + t / 2) << 8 | 0x40);
    }
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  const std::string output = argc > 1 ? argv[1] : "icon-test-sheet.png";
  CreateMainWindow();
  mainWindows.main->show();
  HandMade();
  for (int side : {16, 32, 48}) Disc(side);
  tabSet.documentName = "family.ico";
  Announce(CurrentTab(), CHANGE_TABS | CHANGE_CURRENT_TAB | CHANGE_CAPTION);
  ShowCurrentPosition();
  QImage ground(200, 120, QImage::Format_RGB32);
  for (int y = 0; y < ground.height(); ++y)
    for (int x = 0; x < ground.width(); ++x) ground.setPixel(x, y, qRgb(40 + x / 2, 90 + y, 160 - x / 3));
  const std::string groundPath = "/tmp/quillet2_sheet_ground.png";
  ground.save(QString::fromStdString(groundPath));
  ModalScript script;
  script.onFileDialog = [&](const FileDialogRequest&) { return std::optional<std::string>(groundPath); };
  InstallModalScript(&script);
  DispatchCommand(CMD_ICON_TEST_SHEET);
  IconTestSheetWindow()->findChild<QPushButton*>(QStringLiteral("iconTestSheetLoad"))->click();
  InstallModalScript(nullptr);
  IconTestSheetWindow()->resize(1580, 460);
  QTimer::singleShot(400, [&] {
    const QPixmap picture = IconTestSheetWindow()->grab();
    std::printf("%s: %dx%d %s\n", output.c_str(), picture.width(), picture.height(),
                picture.save(QString::fromStdString(output)) ? "saved" : "NOT SAVED");
    QApplication::quit();
  });
  QApplication::exec();
  DestroyMainWindow();
  return 0;
}
