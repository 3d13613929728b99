#pragma once
// A main window with open tabs for the palette window and colour dialog
// tests, and mouse and key helpers that deliver events as Qt would.

#include <gtest/gtest.h>

#include <QApplication>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>
#include <QWidget>

#include "app/main_window.h"
#include "model/tab_lifecycle.h"
#include "model/undo_history.h"
#include "palette/colour_math.h"
#include "palette/palette_window.h"

inline int UndoNodeCount(const ImageTab& tab) {
  int count = 0;
  for (const UndoNode* node = tab.undoFirst; node != nullptr; node = node->next) ++count;
  return count;
}

inline void SendMouse(QWidget* widget, QEvent::Type type, QPoint point, Qt::MouseButton button,
                      Qt::MouseButtons buttons) {
  QMouseEvent event(type, QPointF(point), widget->mapToGlobal(QPointF(point)), button, buttons, Qt::NoModifier);
  QCoreApplication::sendEvent(widget, &event);
}

// A click, or with twice set the second click of a double click, at a
// client point of the palette window.
inline void ClickPalette(int x, int y, Qt::MouseButton button = Qt::LeftButton, bool twice = false) {
  const QPoint point = QPoint(x, y) + PaletteClientOrigin();
  SendMouse(mainWindows.paletteWindow, twice ? QEvent::MouseButtonDblClick : QEvent::MouseButtonPress, point, button,
            button);
  SendMouse(mainWindows.paletteWindow, QEvent::MouseButtonRelease, point, button, Qt::NoButton);
}

// True when a right click on the middle of the widget opens a popup menu;
// such a menu is closed again at once.
inline bool OpensContextMenu(QWidget* widget) {
  bool opened = false;
  QTimer::singleShot(0, widget, [&opened] {
    if (QWidget* popup = QApplication::activePopupWidget()) {
      opened = true;
      popup->close();
    }
  });
  const QPoint middle(widget->width() / 2, widget->height() / 2);
  QContextMenuEvent event(QContextMenuEvent::Mouse, middle, widget->mapToGlobal(middle));
  QCoreApplication::sendEvent(widget, &event);
  QCoreApplication::processEvents();
  return opened;
}

inline QColor QColorOf(ColorRef colour) { return QColor(RedOf(colour), GreenOf(colour), BlueOf(colour)); }
inline QColor Shown(int x, int y) { return PaletteBackBuffer()->pixelColor(x, y); }

class PaletteFixture : public ::testing::Test {
 protected:
  void SetUp() override { CreateMainWindow(); }
  void TearDown() override {
    DeleteAllTabs();
    DestroyMainWindow();
    tabSet.currentPosition = 0;
  }

  // A current tab whose entry i is (i, 128, 255 - i) apart from the colours
  // given, and whose pixels use every entry in turn.
  ImageTab& OpenTab(std::uint8_t colorCode, std::initializer_list<ColorRef> first = {}) {
    ImageTab* tab = CreateTab({}, 8, 8, colorCode);
    EXPECT_NE(tab, nullptr);
    tab->width = tab->height = 8;
    tab->colorCode = colorCode;
    const int count = PaletteSize(*tab);
    for (int i = 0; i < count; ++i) tab->palette[i] = MakeColor(i, 128, 255 - i);
    std::copy(first.begin(), first.end(), tab->palette);
    for (int i = 0; i < 64; ++i) tab->cells[CellIndex(i / 8, i % 8)] = static_cast<PixelCell>(i % count);
    tabSet.currentPosition = tabSet.tabCount - 1;
    ShowCurrentPosition();
    return *tab;
  }
};
