#pragma once
// A main window with one open tab for the palette window and colour dialog
// tests, and mouse and key helpers that deliver events as Qt would.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

#include "app/main_window.h"
#include "canvas/undo_history.h"
#include "model/tab_lifecycle.h"
#include "palette/colour_math.h"
#include "palette/palette_window.h"

inline const ColorRef STANDARD_COLOURS[16] = {
    MakeColor(0, 0, 0),       MakeColor(128, 0, 0),   MakeColor(0, 128, 0),   MakeColor(128, 128, 0),
    MakeColor(0, 0, 128),     MakeColor(128, 0, 128), MakeColor(0, 128, 128), MakeColor(192, 192, 192),
    MakeColor(128, 128, 128), MakeColor(255, 0, 0),   MakeColor(0, 255, 0),   MakeColor(255, 255, 0),
    MakeColor(0, 0, 255),     MakeColor(255, 0, 255), MakeColor(0, 255, 255), MakeColor(255, 255, 255),
};

inline int UndoNodeCount(const ImageTab& tab) {
  int count = 0;
  for (const UndoNode* node = tab.undoFirst; node != nullptr; node = node->next) ++count;
  return count;
}

// Sends a mouse event to the widget at a point of its own coordinates.
inline void SendMouse(QWidget* widget, QEvent::Type type, QPoint point, Qt::MouseButton button,
                      Qt::MouseButtons buttons) {
  QMouseEvent event(type, QPointF(point), widget->mapToGlobal(QPointF(point)), button, buttons, Qt::NoModifier);
  QCoreApplication::sendEvent(widget, &event);
}

// A press of the button at a client point of the palette window.
inline void ClickPalette(int x, int y, Qt::MouseButton button = Qt::LeftButton) {
  const QPoint point = QPoint(x, y) + PaletteClientOrigin();
  SendMouse(mainWindows.paletteWindow, QEvent::MouseButtonPress, point, button, button);
  SendMouse(mainWindows.paletteWindow, QEvent::MouseButtonRelease, point, button, Qt::NoButton);
}

// The second click of a left double click at a client point.
inline void DoubleClickPalette(int x, int y) {
  const QPoint point = QPoint(x, y) + PaletteClientOrigin();
  SendMouse(mainWindows.paletteWindow, QEvent::MouseButtonDblClick, point, Qt::LeftButton, Qt::LeftButton);
  SendMouse(mainWindows.paletteWindow, QEvent::MouseButtonRelease, point, Qt::LeftButton, Qt::NoButton);
}

inline void TypeKey(QWidget* widget, Qt::Key key, const QString& text) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
  QCoreApplication::sendEvent(widget, &press);
  QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
  QCoreApplication::sendEvent(widget, &release);
}

inline QColor QColorOf(ColorRef colour) { return QColor(RedOf(colour), GreenOf(colour), BlueOf(colour)); }

class PaletteFixture : public ::testing::Test {
 protected:
  void SetUp() override { CreateMainWindow(); }

  void TearDown() override {
    DeleteAllTabs();
    DestroyMainWindow();
    tabSet.currentPosition = 0;
    tabSet.documentName.clear();
  }

  // Opens a tab of the size and colour code with the standard colours (or
  // black beyond them) and a pattern of every entry in its pixels, and
  // makes it current.
  ImageTab& OpenTab(int width, int height, std::uint8_t colorCode) {
    ImageTab* tab = CreateTab({}, width, height, colorCode);
    EXPECT_NE(tab, nullptr);
    tab->width = static_cast<std::uint8_t>(width);
    tab->height = static_cast<std::uint8_t>(height);
    tab->colorCode = colorCode;
    const int count = PaletteSize(*tab);
    for (int i = 0; i < count; ++i) tab->palette[i] = i < 16 ? STANDARD_COLOURS[i] : MakeColor(i, 255 - i, i / 2);
    for (int x = 0; x < width; ++x)
      for (int y = 0; y < height; ++y) CellAt(*tab, x, y) = static_cast<PixelCell>((x * height + y) % count);
    tabSet.currentPosition = tabSet.tabCount - 1;
    ShowCurrentPosition();
    return *tab;
  }

  static QImage BackBuffer() { return PaletteBackBuffer()->copy(); }
};
