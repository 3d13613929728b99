#pragma once
// Shared set-up of the clipboard tests: the canvas fixture with an empty
// clipboard before and after each test, pictures put on the clipboard, and
// the tab's cells and history as values.

#include <QApplication>
#include <QClipboard>
#include <QImage>

#include <functional>
#include <vector>

#include "canvas/undo_commands.h"
#include "model/undo_history.h"
#include "tests/ui/canvas_fixture.h"

inline int HistoryLength(const ImageTab& tab) {
  int length = 0;
  for (const UndoNode* node = tab.undoFirst; node != nullptr; node = node->next) ++length;
  return length;
}

// Column by column, as the cells are stored.
inline std::vector<PixelCell> Cells(const ImageTab& tab) {
  std::vector<PixelCell> cells;
  for (int x = 0; x < tab.width; ++x)
    for (int y = 0; y < tab.height; ++y) cells.push_back(CellAt(tab, x, y));
  return cells;
}

// Puts a picture on the clipboard whose pixel (x, y) has the colour given.
inline void PutOnClipboard(int width, int height, const std::function<ColorRef(int, int)>& colourOf) {
  QImage image(width, height, QImage::Format_RGB32);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) image.setPixel(x, y, PixelOfColor(colourOf(x, y)));
  QApplication::clipboard()->setImage(image);
}

class ClipboardTest : public CanvasTest {
 protected:
  void SetUp() override {
    CanvasTest::SetUp();
    QApplication::clipboard()->clear();
  }
  void TearDown() override {
    QApplication::clipboard()->clear();
    CanvasTest::TearDown();
  }
};
