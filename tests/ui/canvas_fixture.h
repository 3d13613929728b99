#pragma once
// Shared set-up of the edit view and preview tests: the main window with one
// tab of a chosen size in an edit view of a chosen client size, and mouse
// input sent to the edit view as the window system would send it.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCoreApplication>
#include <QFrame>
#include <QMainWindow>
#include <QMouseEvent>

#include "app/command_ids.h"
#include "app/commands.h"
#include "app/main_window.h"
#include "app/toolbar.h"
#include "canvas/edit_view.h"
#include "canvas/pen_tools.h"
#include "canvas/preview.h"
#include "model/tab_lifecycle.h"
#include "model/tab_set.h"
#include "platform/system_colors.h"
#include "tests/support/main_window_fixture.h"

// Sixteen distinct palette colours; entry 0 is black and entry 15 white.
inline ColorRef TestPaletteColor(int index) {
  static const ColorRef colors[16] = {0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0xC0C0C0,
                                      0x808080, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF};
  return colors[index & 15];
}

class CanvasTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    editMouse = EditMouseState{};
    SwitchGrid(true);
  }

  // Command 220 from the grid button, checked or not.
  static void SwitchGrid(bool on) {
    QAbstractButton* button = ToolButton(CMD_GRID);
    ASSERT_NE(button, nullptr);
    button->setChecked(on);
    DispatchCommand(CMD_GRID, button);
  }

  // Opens a 16-colour tab with every cell transparent index 0 and makes it
  // current; the edit view's client area becomes clientWidth x clientHeight.
  ImageTab& OpenTab(int width, int height, int clientWidth = 600, int clientHeight = 400) {
    ResizeEditClient(clientWidth, clientHeight);
    ImageTab* tab = CreateTab("", width, height, 16);
    EXPECT_NE(tab, nullptr);
    tab->width = static_cast<std::uint8_t>(width);
    tab->height = static_cast<std::uint8_t>(height);
    tab->colorCode = 16;
    ClearTabPixels(*tab);
    for (int i = 0; i < 16; ++i) tab->palette[i] = TestPaletteColor(i);
    // A reused slot keeps the mask of its earlier tab.
    tab->penMask = 0;
    tabSet.currentPosition = tabSet.tabCount - 1;
    ShowCurrentPosition();
    return *tab;
  }

  // The same for a true-colour tab: every pixel transparent, an opaque
  // black pen.
  ImageTab& OpenTrueColourTab(int width, int height, int clientWidth = 600, int clientHeight = 400) {
    ResizeEditClient(clientWidth, clientHeight);
    ImageTab* tab = CreateTrueColourTab("", width, height);
    EXPECT_NE(tab, nullptr);
    ClearTabPixels(*tab);
    tab->penMask = 0;
    tabSet.currentPosition = tabSet.tabCount - 1;
    ShowCurrentPosition();
    return *tab;
  }

  static void ResizeEditClient(int clientWidth, int clientHeight) {
    auto* frame = static_cast<QFrame*>(editView.window);
    const int edge = frame->frameWidth();
    frame->resize(clientWidth + 2 * edge, clientHeight + 2 * edge);
    RebuildEditBackBuffer();
  }

  static ColorRef BackPixel(int x, int y) { return ColorOfPixel(editView.backBuffer.pixel(x, y)); }

  // The client point in the middle of a cell.
  static QPoint CellPoint(const ImageTab& tab, int x, int y) {
    return QPoint(EDIT_ORIGIN + x * tab.cellSize + tab.cellSize / 2, EDIT_ORIGIN + y * tab.cellSize + tab.cellSize / 2);
  }

  static void SendMouse(QEvent::Type type, QPoint client, Qt::MouseButton button, Qt::MouseButtons buttons) {
    auto* frame = static_cast<QFrame*>(editView.window);
    const QPointF local = QPointF(client + frame->contentsRect().topLeft());
    QMouseEvent event(type, local, frame->mapToGlobal(local), button, buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(frame, &event);
  }

  static void LeftPress(QPoint p) { SendMouse(QEvent::MouseButtonPress, p, Qt::LeftButton, Qt::LeftButton); }
  static void LeftDrag(QPoint p) { SendMouse(QEvent::MouseMove, p, Qt::NoButton, Qt::LeftButton); }
  static void LeftRelease(QPoint p) { SendMouse(QEvent::MouseButtonRelease, p, Qt::LeftButton, Qt::NoButton); }
  static void Hover(QPoint p) { SendMouse(QEvent::MouseMove, p, Qt::NoButton, Qt::NoButton); }
  static void RightPress(QPoint p) { SendMouse(QEvent::MouseButtonPress, p, Qt::RightButton, Qt::RightButton); }
  static void RightDrag(QPoint p) { SendMouse(QEvent::MouseMove, p, Qt::NoButton, Qt::RightButton); }
  static void RightRelease(QPoint p) { SendMouse(QEvent::MouseButtonRelease, p, Qt::RightButton, Qt::NoButton); }

  void ClickCell(const ImageTab& tab, int x, int y) {
    LeftPress(CellPoint(tab, x, y));
    LeftRelease(CellPoint(tab, x, y));
  }
};
