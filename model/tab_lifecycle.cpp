#include "model/tab_lifecycle.h"

#include "model/animation.h"
#include "model/change_hub.h"
#include "model/kept_entries.h"
#include "model/svg_source.h"
#include "model/undo_history.h"
#include "platform/system_colors.h"
#include "platform/ui_text.h"

namespace {
constexpr const char* UNNAMED = QT_TRANSLATE_NOOP("Quillet2", "無名");
}  // namespace

bool IsUnnamedDocument() { return tabSet.documentName == UNNAMED; }

ImageTab* CurrentTab() {
  if (tabSet.tabCount <= 0) return nullptr;
  const int slot = SlotAtPosition(tabSet, tabSet.currentPosition);
  return slot >= 0 ? &tabSet.tabs[slot] : nullptr;
}

namespace {

ImageTab* CreateTabOfKind(const std::string& name, int width, int height, std::uint8_t colorCode, TabKind kind) {
  const int slot = FindFreeSlot(tabSet);
  if (slot < 0 || tabSet.tabCount >= MAX_TABS) return nullptr;
  ClearKeptEntry(slot);
  ForgetAnimationSlot(slot);
  ImageTab& tab = tabSet.tabs[slot];
  // A slot keeps what an earlier tab left in it; the kind is set anew.
  tab.kind = kind;
  if (kind == TabKind::TrueColour) {
    FormatTrueColourTitle(tab, width, height);
  } else {
    FormatTabTitle(tab, width, height, colorCode);
  }
  tab.selection = {0, 0, width - 1, height - 1};
  tab.backgroundIndex = DEFAULT_BACKGROUND;
  tab.penIndex = 0;
  tab.penMode = 1;
  tab.dragState = -1;
  tab.undoFirst = tab.undoCurrent = tab.undoLast = tab.savedSnapshot = nullptr;
  tab.cellSize = 1;
  tab.zoom = ViewZoom{};
  tab.hotSpotX = tab.hotSpotY = 0;
  tab.frameRate = 0;
  tab.paletteMarker.left = 0;
  tab.inUse = 1;
  tabSet.positionSlots[tabSet.tabCount] = slot;
  const int before = tabSet.tabCount++;
  unsigned changes = CHANGE_TABS | CHANGE_TOOL_CHECKS;
  if (before == 0) {
    tabSet.documentName = name.empty() ? UNNAMED : name;
    changes |= CHANGE_CAPTION;
  }
  Announce(&tab, changes);
  return &tab;
}

}  // namespace

ImageTab* CreateTab(const std::string& name, int width, int height, std::uint8_t colorCode) {
  return CreateTabOfKind(name, width, height, colorCode, TabKind::Indexed);
}

ImageTab* CreateTrueColourTab(const std::string& name, int width, int height) {
  ImageTab* tab = CreateTabOfKind(name, width, height, 0, TabKind::TrueColour);
  if (tab == nullptr) return nullptr;
  tab->width = static_cast<std::uint16_t>(width);
  tab->height = static_cast<std::uint16_t>(height);
  tab->colorCode = 0;
  tab->penColour = 0xFF000000u;
  return tab;
}

void DeleteTab(int slot) {
  int position = -1;
  for (int p = 0; p < tabSet.tabCount; ++p)
    if (SlotAtPosition(tabSet, p) == slot) position = p;
  if (position < 0 || slot < 0 || slot >= MAX_TABS) {
    Announce(nullptr, CHANGE_TABS);
    return;
  }
  ImageTab& tab = tabSet.tabs[slot];
  FreeUndoHistory(tab);
  ClearKeptEntry(slot);
  ForgetAnimationSlot(slot);
  tab.inUse = 0;
  --tabSet.tabCount;
  for (int p = position; p < tabSet.tabCount; ++p) tabSet.positionSlots[p] = tabSet.positionSlots[p + 1];
  unsigned changes = CHANGE_TABS;
  if (tabSet.tabCount <= 0) {
    tabSet.documentName.clear();
    ForgetAnimation();
    ForgetDocumentSvg();
    changes |= CHANGE_CAPTION;
  }
  Announce(nullptr, changes);
}

void DeleteAllTabs() {
  for (int slot = 0; slot < MAX_TABS; ++slot)
    if (tabSet.tabs[slot].inUse == 1) DeleteTab(slot);
}

void ActivateTab(ImageTab& tab) {
  tab.lastX = tab.lastY = -1;
  // A tab shown for the first time gets its first snapshot, which undo
  // returns to.
  Announce(&tab, CHANGE_CURRENT_TAB | CHANGE_TOOL_CHECKS | (tab.undoFirst == nullptr ? CHANGE_RECORD_UNDO : 0u));
}

void ShowCurrentPosition() {
  if (ImageTab* tab = CurrentTab()) {
    ActivateTab(*tab);
  } else {
    Announce(nullptr, CHANGE_CURRENT_TAB);
  }
}
