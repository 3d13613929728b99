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
#include "fileio/write_failure.h"
#include "platform/modal.h"
#include "platform/profile.h"

namespace {
constexpr const char* WINDOW_SECTION = "WINDOW";
constexpr const char* FLAG_SECTION = "FLAG";

// The file may hold any int. No screen comes near this many pixels, and
// within it the sums below (place plus size, height plus the grip's strip)
// cannot overflow.
constexpr int PLACEMENT_LIMIT = 1 << 20;

// Writes one value unless an earlier one failed: after a failure the file is
// left as it is and the reason kept for the one message about it.
void WriteInt(const char* section, const char* key, int value, WriteProblem& problem, bool& failed) {
  if (failed) return;
  failed = !WriteProfileString(section, key, std::to_string(value), iniPath, &problem);
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
  return s;
}

void ApplyWindowSettings(const WindowSettings& settings) {
  QMainWindow* window = mainWindows.main;
  // The frame around the client area is known only once the window manager
  // has framed the window; before that the outer size is the client size.
  const QSize frameExtra = window->frameGeometry().size() - window->geometry().size();
  const int posX = std::clamp(settings.posX, -PLACEMENT_LIMIT, PLACEMENT_LIMIT);
  const int posY = std::clamp(settings.posY, -PLACEMENT_LIMIT, PLACEMENT_LIMIT);
  const int sizeX = std::clamp(settings.sizeX, 0, PLACEMENT_LIMIT);
  const int sizeY = std::clamp(settings.sizeY, 0, PLACEMENT_LIMIT);
  // The strip of the size grip comes on top of the stored height.
  QRect outer(posX, posY, sizeX, sizeY + gripSize);

  // A file from another screen, or a damaged one, must not put the window
  // where the user cannot reach it, or make it unusably small.
  const QSize minimum = window->minimumSize() + frameExtra;
  outer.setWidth(std::max(outer.width(), minimum.width()));
  outer.setHeight(std::max(outer.height(), minimum.height()));
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect available = screen->availableGeometry();
    outer.setWidth(std::min(outer.width(), std::max(available.width(), minimum.width())));
    outer.setHeight(std::min(outer.height(), std::max(available.height(), minimum.height())));
    if (!available.intersects(outer.adjusted(0, 0, -outer.width() / 2, -outer.height() / 2)))
      outer.moveTo(available.topLeft());
    outer.moveLeft(std::clamp(outer.left(), available.left(), std::max(available.left(), available.right() - 50)));
    outer.moveTop(std::clamp(outer.top(), available.top(), std::max(available.top(), available.bottom() - 50)));
  }
  window->move(outer.topLeft());
  window->resize(outer.size() - frameExtra);
}

void WriteSettings() {
  // An installed program keeps its settings in the user's configuration
  // folder, which may not exist yet on the first run.
  QDir().mkpath(QFileInfo(QString::fromStdString(iniPath)).absolutePath());
  WriteProblem problem = WriteProblem::None;
  bool failed = false;
  QMainWindow* window = mainWindows.main;
  if (window != nullptr && !window->isMinimized()) {
    const QRect outer = window->frameGeometry();
    WriteInt(WINDOW_SECTION, "pos_x", outer.left(), problem, failed);
    WriteInt(WINDOW_SECTION, "pos_y", outer.top(), problem, failed);
    WriteInt(WINDOW_SECTION, "siz_x", outer.width(), problem, failed);
    WriteInt(WINDOW_SECTION, "siz_y", statusWndFlag == 1 ? outer.height() - GRIP_SIZE : outer.height(), problem,
             failed);
  }
  WriteInt(FLAG_SECTION, "statusWndFlag", statusWndFlag, problem, failed);
  WriteInt(FLAG_SECTION, "grid", grid, problem, failed);
  if (failed) ShowReport(WriteFailureMessage(iniPath, SETTINGS_WRITE_FAILED, problem));
}
