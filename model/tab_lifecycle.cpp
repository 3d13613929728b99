#include "model/tab_lifecycle.h"

#include <QComboBox>
#include <QMainWindow>
#include <QWidget>

#include "app/command_state.h"
#include "app/main_window.h"
#include "app/tab_strip.h"
#include "canvas/edit_view.h"
#include "canvas/preview.h"
#include "canvas/undo_commands.h"
#include "canvas/undo_history.h"
#include "model/ui_text.h"
#include "palette/palette_window.h"
#include "platform/system_colors.h"

namespace {
constexpr const char* UNNAMED = QT_TRANSLATE_NOOP("Quillet2", "無名");

void SetPanelsEnabled(bool enabled) {
  if (mainWindows.backgroundBox != nullptr) mainWindows.backgroundBox->setEnabled(enabled);
  if (mainWindows.paletteWindow != nullptr) mainWindows.paletteWindow->setEnabled(enabled);
}
}  // namespace

ImageTab* CurrentTab() {
  if (tabSet.tabCount <= 0) return nullptr;
  const int slot = StripItemSlot(tabSet.currentPosition);
  if (slot < 0 || tabSet.tabs[slot].inUse != 1) return nullptr;
  return &tabSet.tabs[slot];
}

ImageTab* CreateTab(const std::string& name, int width, int height, std::uint8_t colorCode) {
  const int slot = FindFreeSlot(tabSet);
  if (slot < 0) return nullptr;
  ImageTab& tab = tabSet.tabs[slot];
  FormatTabTitle(tab, width, height, colorCode);
  tab.selection = {0, 0, width - 1, height - 1};
  tab.backgroundIndex = DEFAULT_BACKGROUND;
  tab.penIndex = 0;
  tab.penMode = 1;
  tab.dragState = -1;
  tab.undoFirst = tab.undoCurrent = tab.undoLast = tab.savedSnapshot = nullptr;
  tab.cellSize = 1;
  tab.paletteMarker.left = 0;
  if (!StripInsertItem(tabSet.tabCount, tab.title, slot)) return nullptr;
  tab.inUse = 1;
  const int before = tabSet.tabCount++;
  if (before == 0) {
    SetPanelsEnabled(true);
    tabSet.documentName = name.empty() ? UNNAMED : name;
    SetMainCaption(CAPTION_PREFIX + tabSet.documentName);
  }
  RefreshCommandState(GROUP_ALL, 0);
  return &tab;
}

void DeleteTab(int slot) {
  int position = -1;
  for (int p = 0; p < tabSet.tabCount; ++p)
    if (StripItemSlot(p) == slot) position = p;
  if (position < 0 || slot < 0 || slot >= MAX_TABS) {
    RefreshCommandState(GROUP_ALL, 1);
    return;
  }
  ImageTab& tab = tabSet.tabs[slot];
  FreeUndoHistory(tab);
  tab.inUse = 0;
  --tabSet.tabCount;
  StripRemoveItem(position);
  if (tabSet.tabCount <= 0) {
    SetPanelsEnabled(false);
    tabSet.documentName.clear();
    SetMainCaption(CAPTION_PREFIX);
  }
  RefreshCommandState(GROUP_ALL, 1);
}

void DeleteAllTabs() {
  for (int slot = 0; slot < MAX_TABS; ++slot)
    if (tabSet.tabs[slot].inUse == 1) DeleteTab(slot);
}

void ActivateTab(ImageTab& tab) {
  if (mainWindows.backgroundBox != nullptr) {
    const QSignalBlocker quiet(mainWindows.backgroundBox);
    mainWindows.backgroundBox->setCurrentIndex(tab.backgroundIndex);
  }
  gridLineColor = BackgroundColor(tab.backgroundIndex) ^ 0xFFFFFF;
  RedrawPalette(&tab);
  RepaintPreview(&tab);
  RepaintEditView(&tab);
  if (tab.undoFirst == nullptr) RecordUndo(tab);
  tab.lastX = tab.lastY = -1;
  RefreshCommandState(GROUP_ALL, 0);
}

void ShowCurrentPosition() {
  StripSelect(tabSet.currentPosition);
  if (ImageTab* tab = CurrentTab()) {
    ActivateTab(*tab);
  } else {
    RedrawPalette(nullptr);
    RepaintPreview(nullptr);
    RepaintEditView(nullptr);
    RefreshCommandState(GROUP_ALL, 1);
  }
}

void PlaceDialogOverMain(QWidget& dialog) {
  if (mainWindows.main == nullptr) return;
  const QRect main = mainWindows.main->frameGeometry();
  const QSize size = dialog.frameGeometry().size();
  dialog.move(main.left() + main.width() / 2 - size.width() / 2, main.top() + main.height() / 3 - size.height() / 2);
}
