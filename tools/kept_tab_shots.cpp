// Development tool: opens an icon family made here (a 256 px PNG image, 32-bit
// images with soft alpha and an 8-bit image) and saves pictures of the main
// window on its 256 px and 48 px tabs and of the save-type dialog.
// Usage: kept_tab_shots OUTPUT_FOLDER

#include <QApplication>
#include <QBuffer>
#include <QDialog>
#include <QImage>
#include <QMainWindow>
#include <QPainter>
#include <QPixmap>
#include <QRadialGradient>
#include <QTimer>
#include <cstdio>
#include <fstream>
#include <string>

#include "app/main_window.h"
#include "fileio/open_flow.h"
#include "fileio/save_flow.h"
#include "model/tab_lifecycle.h"
#include "model/tab_set.h"
#include "platform/modal.h"
#include "tests/support/family_icon.h"

namespace {

void Save(QWidget& widget, const std::string& path) {
  const QPixmap picture = widget.grab();
  std::printf("%s: %dx%d %s\n", path.c_str(), picture.width(), picture.height(),
              picture.save(QString::fromStdString(path)) ? "saved" : "NOT SAVED");
}

// A glossy ball with a soft shadow: colours and alpha of every degree.
ByteBuffer Ball() {
  QImage picture(256, 256, QImage::Format_ARGB32);
  picture.fill(Qt::transparent);
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing);
  QRadialGradient shadow(QPointF(140, 200), 90);
  shadow.setColorAt(0, QColor(0, 0, 0, 120));
  shadow.setColorAt(1, QColor(0, 0, 0, 0));
  painter.setBrush(shadow);
  painter.setPen(Qt::NoPen);
  painter.drawEllipse(QPointF(140, 200), 110, 40);
  QRadialGradient ball(QPointF(100, 90), 150, QPointF(90, 80));
  ball.setColorAt(0, QColor(255, 255, 255));
  ball.setColorAt(0.3, QColor(60, 140, 255));
  ball.setColorAt(1, QColor(10, 30, 120));
  painter.setBrush(ball);
  painter.drawEllipse(QPointF(128, 120), 100, 100);
  painter.end();
  QByteArray data;
  QBuffer buffer(&data);
  buffer.open(QIODevice::WriteOnly);
  picture.save(&buffer, "PNG");
  return ByteBuffer(data.begin(), data.end());
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  const std::string folder = argc > 1 ? argv[1] : ".";
  CreateMainWindow();
  const std::string path = folder + "/family.ico";
  const ByteBuffer bytes = family_icon::Build(Ball());
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                              static_cast<std::streamsize>(bytes.size()));
  mainWindows.main->resize(900, 700);
  QTimer::singleShot(300, [&] {
    OpenIconFile(path);
    QTimer::singleShot(300, [&] {
      Save(*mainWindows.main, folder + "/kept-tabs.png");
      tabSet.currentPosition = family_icon::RAMP_48;
      ShowCurrentPosition();
      Save(*mainWindows.main, folder + "/kept-tab-48.png");
      ModalScript script;
      script.onDialog = [&](QDialog& dialog) {
        dialog.show();
        QApplication::processEvents();
        Save(dialog, folder + "/save-type-dialog.png");
      };
      InstallModalScript(&script);
      SaveTypeDialog();
      InstallModalScript(nullptr);
      QApplication::quit();
    });
  });
  QApplication::exec();
  DestroyMainWindow();
  return 0;
}
