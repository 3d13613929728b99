// Development tool: opens a cursor drawn here, chooses the hot-spot tool and
// opens the cursor test area, then saves one picture of the main window and
// the test area side by side.
// Usage: cursor_shots OUTPUT.png

#include <QApplication>
#include <QMainWindow>
#include <QPainter>
#include <QPixmap>
#include <QTimer>
#include <cstdio>
#include <fstream>
#include <string>

#include "app/command_ids.h"
#include "app/commands.h"
#include "app/cursor_test_area.h"
#include "app/main_window.h"
#include "fileio/cursor_format.h"
#include "fileio/open_flow.h"
#include "model/tab_lifecycle.h"

namespace {

// A 32 x 32 arrow: black outline, white inside, the rest transparent, with
// its hot spot on the tip.
ImageTab ArrowCursor() {
  ImageTab tab{};
  tab.width = tab.height = 32;
  tab.colorCode = 16;
  tab.palette[0] = 0x000000;
  tab.palette[15] = 0xFFFFFF;
  tab.palette[9] = 0x0000FF;
  for (int x = 0; x < 32; ++x)
    for (int y = 0; y < 32; ++y) {
      const int row = y - 2;
      const int column = x - 2;
      const bool body = row >= 0 && row < 20 && column >= 0 && column <= row * 3 / 5;
      const bool tail = row >= 14 && row < 26 && column >= row / 2 - 3 && column <= row / 2;
      const bool inside = body || tail;
      bool edge = false;
      if (inside)
        for (int dx = -1; dx <= 1; ++dx)
          for (int dy = -1; dy <= 1; ++dy) {
            const int r = row + dy, c = column + dx;
            const bool b = r >= 0 && r < 20 && c >= 0 && c <= r * 3 / 5;
            const bool t = r >= 14 && r < 26 && c >= r / 2 - 3 && c <= r / 2;
            if (!b && !t) edge = true;
          }
      CellAt(tab, x, y) = !inside ? 0x0100 : edge ? 0 : (row > 6 && row < 10 && column == 2 ? 9 : 15);
    }
  tab.hotSpotX = 2;
  tab.hotSpotY = 2;
  return tab;
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  const std::string output = argc > 1 ? argv[1] : "cursor.png";
  CreateMainWindow();
  const ImageTab arrow = ArrowCursor();
  const ByteBuffer bytes = SerializeCursor({&arrow});
  const std::string path = "/tmp/quillet2_arrow.cur";
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  mainWindows.main->resize(760, 560);
  mainWindows.main->show();
  OpenIconFile(path);
  DispatchCommand(CMD_HOT_SPOT_TOOL);
  DispatchCommand(CMD_CURSOR_TEST_AREA);
  QTimer::singleShot(400, [&] {
    const QPixmap main = mainWindows.main->grab();
    const QPixmap area = CursorTestAreaWindow()->grab();
    QPixmap both(main.width() + 12 + area.width(), std::max(main.height(), area.height()));
    both.fill(Qt::white);
    QPainter painter(&both);
    painter.drawPixmap(0, 0, main);
    painter.drawPixmap(main.width() + 12, 0, area);
    painter.end();
    std::printf("%s: %dx%d %s\n", output.c_str(), both.width(), both.height(),
                both.save(QString::fromStdString(output)) ? "saved" : "NOT SAVED");
    QApplication::quit();
  });
  QApplication::exec();
  DestroyMainWindow();
  return 0;
}
