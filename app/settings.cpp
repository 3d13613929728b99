#include "app/settings.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMainWindow>
#include <QScreen>
#include <algorithm>
#include <string>

#include "app/main_window.h"
#include "canvas/edit_view.h"
#include "fileio/recent_files.h"
#include "platform/modal.h"
#include "platform/profile.h"
#include "storage/write_failure.h"

namespace {
constexpr const char* WINDOW_SECTION = "WINDOW";
constexpr const char* FLAG_SECTION = "FLAG";
constexpr const char* RECENT_SECTION = "RECENT";
constexpr const char* IMPORT_SECTION = "IMPORT";

std::string RecentKey(int index) { return "file" + std::to_string(index + 1); }

// The file may hold any int. No screen comes near this many pixels, and
// within it the sums below (place plus size, height plus the grip's strip)
// cannot overflow.
constexpr int PLACEMENT_LIMIT = 1 << 20;

// Room for a window manager's frame and caption, in pixels.
constexpr int FRAME_ROOM = 40;

// Writes one value unless an earlier one failed: after a failure the file is
// left as it is and the reason kept for the one message about it.
void WriteText(const char* section, const std::string& key, const std::string& value, WriteProblem& problem,
               bool& failed) {
  if (failed) return;
  failed = !WriteProfileString(section, key, value, iniPath, &problem);
}

void WriteInt(const char* section, const char* key, int value, WriteProblem& problem, bool& failed) {
  WriteText(section, key, std::to_string(value), problem, failed);
}

// The screen the stored place lies on: the one holding its centre, else the
// one it overlaps most, else the primary screen.
const QScreen* ScreenFor(const QRect& place) {
  const QScreen* best = QGuiApplication::primaryScreen();
  long bestArea = 0;
  for (const QScreen* screen : QGuiApplication::screens()) {
    if (screen->geometry().contains(place.center())) return screen;
    const QRect common = screen->availableGeometry().intersected(place);
    const long area = common.isEmpty() ? 0 : long(common.width()) * common.height();
    if (area > bestArea) {
      bestArea = area;
      best = screen;
    }
  }
  return best;
}

}  // namespace

WindowSettings ReadSettings() {
  WindowSettings s;
  s.posX = GetProfileInt(WINDOW_SECTION, "pos_x", 100, iniPath);
  s.posY = GetProfileInt(WINDOW_SECTION, "pos_y", 100, iniPath);
  s.sizeX = GetProfileInt(WINDOW_SECTION, "siz_x", 640, iniPath);
  s.sizeY = GetProfileInt(WINDOW_SECTION, "siz_y", 640, iniPath);
  s.statusWndFlag = GetProfileInt(FLAG_SECTION, "statusWndFlag", 1, iniPath);
  s.grid = GetProfileInt(FLAG_SECTION, "grid", 1, iniPath);
  for (int i = 0; i < RECENT_FILES_MAX; ++i)
    s.recentFiles.push_back(GetProfileString(RECENT_SECTION, RecentKey(i), {}, iniPath));
  s.import.sizes = ImportSizesOfText(GetProfileString(IMPORT_SECTION, "sizes", {}, iniPath));
  s.import.colours = GetProfileInt(IMPORT_SECTION, "colours", 256, iniPath);
  s.import.dither = GetProfileInt(IMPORT_SECTION, "dither", 0, iniPath) != 0;
  return s;
}

void ApplyWindowSettings(const WindowSettings& settings) {
  QMainWindow* window = mainWindows.main;
  const int posX = std::clamp(settings.posX, -PLACEMENT_LIMIT, PLACEMENT_LIMIT);
  const int posY = std::clamp(settings.posY, -PLACEMENT_LIMIT, PLACEMENT_LIMIT);
  const int sizeX = std::clamp(settings.sizeX, 0, PLACEMENT_LIMIT);
  const int sizeY = std::clamp(settings.sizeY, 0, PLACEMENT_LIMIT);
  // The stored place and size are those of the window's inside (menu and
  // client area), which is what the program sets and reads back exactly;
  // the frame the window manager adds is known only after the window is
  // shown, and counting it in made the window grow by it at every start.
  // The strip of the size grip comes on top of the stored height.
  QRect inside(posX, posY, sizeX, sizeY + gripSize);

  // A file from another screen, or a damaged one, must not put the window
  // where the user cannot reach it, or make it unusably small.
  const QSize minimum = window->minimumSize();
  inside.setWidth(std::max(inside.width(), minimum.width()));
  inside.setHeight(std::max(inside.height(), minimum.height()));
  if (const QScreen* screen = ScreenFor(inside)) {
    const QRect available = screen->availableGeometry();
    inside.setWidth(std::min(inside.width(), std::max(available.width(), minimum.width())));
    inside.setHeight(std::min(inside.height(), std::max(available.height(), minimum.height())));
    // A window brought back from nowhere leaves room above and left of it
    // for the frame, whose size is not known yet, so that its caption can
    // be reached.
    if (!available.intersects(inside.adjusted(0, 0, -inside.width() / 2, -inside.height() / 2)))
      inside.moveTo(available.topLeft() + QPoint(FRAME_ROOM, FRAME_ROOM));
    inside.moveLeft(std::clamp(inside.left(), available.left(), std::max(available.left(), available.right() - 50)));
    inside.moveTop(std::clamp(inside.top(), available.top(), std::max(available.top(), available.bottom() - 50)));
  }
  window->setGeometry(inside);
}

void WriteSettings() {
  // An installed program keeps its settings in the user's configuration
  // folder, which may not exist yet on the first run.
  QDir().mkpath(QFileInfo(QString::fromStdString(iniPath)).absolutePath());
  WriteProblem problem = WriteProblem::None;
  bool failed = false;
  QMainWindow* window = mainWindows.main;
  if (window != nullptr && !window->isMinimized()) {
    // The inside of the window, as ApplyWindowSettings sets it.
    const QRect inside = window->geometry();
    WriteInt(WINDOW_SECTION, "pos_x", inside.left(), problem, failed);
    WriteInt(WINDOW_SECTION, "pos_y", inside.top(), problem, failed);
    WriteInt(WINDOW_SECTION, "siz_x", inside.width(), problem, failed);
    WriteInt(WINDOW_SECTION, "siz_y", statusWndFlag == 1 ? inside.height() - GRIP_SIZE : inside.height(), problem,
             failed);
  }
  WriteInt(FLAG_SECTION, "statusWndFlag", statusWndFlag, problem, failed);
  WriteInt(FLAG_SECTION, "grid", grid, problem, failed);
  // Every key is written, the unused ones empty, so that a shorter list
  // leaves no old entry behind.
  const std::vector<std::string>& recent = RecentFiles();
  for (int i = 0; i < RECENT_FILES_MAX; ++i)
    WriteText(RECENT_SECTION, RecentKey(i), i < static_cast<int>(recent.size()) ? recent[i] : std::string(), problem,
              failed);
  const RememberedImportChoices& import = LastImportChoices();
  WriteText(IMPORT_SECTION, "sizes", ImportSizesText(import.sizes), problem, failed);
  WriteInt(IMPORT_SECTION, "colours", import.colours, problem, failed);
  WriteInt(IMPORT_SECTION, "dither", import.dither ? 1 : 0, problem, failed);
  if (failed) ShowReport(WriteFailureMessage(iniPath, SETTINGS_WRITE_FAILED, problem));
}
