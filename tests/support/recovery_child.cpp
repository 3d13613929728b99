// A run of the program that the recovery tests kill: it opens an icon file,
// edits several tabs as commands do, waits until its recovery record holds
// the edits, writes what its tabs hold to a file of its own (plainly, not in
// the record's format) and then waits to be killed.
//
//   recovery_child STATE_FOLDER ICON_FILE DUMP_FILE

#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <cstdio>
#include <string>

#include "app/command_ids.h"
#include "app/commands.h"
#include "app/main_window.h"
#include "app/recovery.h"
#include "fileio/open_flow.h"
#include "model/change_hub.h"
#include "model/tab_lifecycle.h"

namespace {

void RunEventsFor(int ms) {
  QElapsedTimer timer;
  timer.start();
  while (timer.elapsed() < ms) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    ::usleep(2000);
  }
}

void Show(int position) {
  tabSet.currentPosition = position;
  ShowCurrentPosition();
}

bool Dump(const std::string& path) {
  const std::string temp = path + ".part";
  std::FILE* out = std::fopen(temp.c_str(), "wb");
  if (out == nullptr) return false;
  const int count = tabSet.tabCount;
  std::fwrite(&count, sizeof count, 1, out);
  for (int position = 0; position < count; ++position) {
    const ImageTab& tab = tabSet.tabs[SlotAtPosition(tabSet, position)];
    std::fwrite(&tab.width, 1, 1, out);
    std::fwrite(&tab.height, 1, 1, out);
    std::fwrite(&tab.colorCode, 1, 1, out);
    std::fwrite(tab.title, sizeof tab.title, 1, out);
    std::fwrite(tab.palette, sizeof tab.palette, 1, out);
    std::fwrite(tab.cells, sizeof tab.cells, 1, out);
  }
  const bool ok = std::fclose(out) == 0;
  return ok && std::rename(temp.c_str(), path.c_str()) == 0;
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc != 4) return 2;
  QApplication application(argc, argv);
  iniPath = std::string(argv[3]) + ".ini";
  CreateMainWindow();
  StartKeepingRecovery({argv[1], 50, 2000});
  OpenIconFile(argv[2]);
  if (tabSet.tabCount < 3) return 3;
  // The first tab flipped, the second drawn on, the third's palette changed,
  // and a fourth tab made and drawn on; each edit as its command makes it.
  Show(0);
  DispatchCommand(CMD_FLIP_HORIZONTAL);
  Show(1);
  ImageTab* tab = CurrentTab();
  for (int i = 0; i < tab->width; ++i) CellAt(*tab, i, i % tab->height) = 5;
  Announce(tab, CHANGE_PIXELS | CHANGE_RECORD_UNDO);
  Show(2);
  tab = CurrentTab();
  tab->palette[3] = 0x123456;
  Announce(tab, CHANGE_PALETTE | CHANGE_PIXELS | CHANGE_RECORD_UNDO);
  ImageTab* added = CreateTab("", 7, 5, 2);
  added->width = 7;
  added->height = 5;
  added->colorCode = 2;
  added->palette[1] = 0xFFFFFF;
  ClearTabPixels(*added);
  CellAt(*added, 6, 4) = 1;
  Show(3);
  Announce(added, CHANGE_PIXELS | CHANGE_RECORD_UNDO);
  Show(1);
  // Past the quiet time, then until the record is on disk.
  RunEventsFor(300);
  if (!WaitForRecoveryWrites(10000)) return 4;
  if (!Dump(argv[3])) return 5;
  for (;;) RunEventsFor(1000);
}
