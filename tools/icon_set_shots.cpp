// Development tool: a picture of the icon-set export's dialog for a
// document of a 256 px true-colour image and a hand-tuned 16 px one, with
// its preview over the light and the dark background.
// Usage: icon_set_shots OUTPUT_FOLDER

#include <QApplication>
#include <QDialog>
#include <QMainWindow>
#include <QPixmap>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "app/icon_set_dialog.h"
#include "app/main_window.h"
#include "model/tab_lifecycle.h"
#include "model/tab_set.h"
#include "platform/modal.h"

namespace {

// A disc in a blue-to-orange gradient with a soft edge and a white ring;
// at 16 px the ring is drawn by hand as one crisp pixel line.
void MakeImage(int side) {
  ImageTab* tab = CreateTrueColourTab("", side, side);
  if (tab == nullptr) return;
  const double centre = (side - 1) / 2.0;
  for (int y = 0; y < side; ++y)
    for (int x = 0; x < side; ++x) {
      const double distance = std::hypot(x - centre, y - centre) / (side / 2.0);
      const double fade = side > 16 ? std::clamp((1.0 - distance) / 0.06, 0.0, 1.0) : (distance < 1.0 ? 1.0 : 0.0);
      const auto t = static_cast<std::uint32_t>(255.0 * y / (side - 1));
      std::uint32_t argb =
          static_cast<std::uint32_t>(fade * 255.0 + 0.5) << 24 | t << 16 | (96 + t / 3) << 8 | (255 - t);
      const double ring = side > 16 ? std::abs(distance - 0.6) * side : std::abs(distance - 0.6) * side * 2;
      if (fade > 0 && ring < (side > 16 ? 6.0 : 0.9)) argb = 0xFFFFFFFFu;
      CellAt(*tab, x, y) = TrueColourCell(fade > 0 ? argb : 0);
    }
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  const std::string folder = argc > 1 ? argv[1] : ".";
  CreateMainWindow();
  mainWindows.main->show();
  QTimer::singleShot(300, [&] {
    MakeImage(256);
    MakeImage(16);
    tabSet.documentName = "/home/user/art/app.ico";
    ShowCurrentPosition();
    ModalScript script;
    script.onDialog = [&](QDialog& dialog) {
      dialog.resize(960, 720);
      dialog.show();
      QApplication::processEvents();
      const QPixmap picture = dialog.grab();
      const std::string path = folder + "/icon-set-export.png";
      std::printf("%s: %dx%d %s\n", path.c_str(), picture.width(), picture.height(),
                  picture.save(QString::fromStdString(path)) ? "saved" : "NOT SAVED");
      dialog.reject();
    };
    InstallModalScript(&script);
    CommandExportIconSet();
    InstallModalScript(nullptr);
    QApplication::quit();
  });
  QApplication::exec();
  DestroyMainWindow();
  return 0;
}
