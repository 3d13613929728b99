#include "app/unsaved_state.h"

#include <QTabBar>

#include "app/main_window.h"
#include "app/tab_strip.h"
#include "model/tab_set.h"
#include "platform/translation.h"
#include "platform/ui_text.h"

std::string MarkCaption(const std::string& caption, bool changed) { return changed ? "*" + caption : caption; }

void ShowTabTooltips() {
  if (mainWindows.tabStrip == nullptr) return;
  QTabBar* bar = mainWindows.tabStrip->bar();
  const std::string file = UiString(tabSet.documentName);
  for (int position = 0; position < bar->count(); ++position) {
    const int slot = StripItemSlot(position);
    if (slot < 0) continue;
    const char* state = IsTabChanged(tabSet.tabs[slot])
                            ? QT_TRANSLATE_NOOP("Quillet2", "保存していない変更があります。")
                            : QT_TRANSLATE_NOOP("Quillet2", "保存してから変更はありません。");
    const std::string tip =
        FillText(UiString(QT_TRANSLATE_NOOP("Quillet2", "ファイル: %1\n%2")), {file, UiString(state)});
    bar->setTabToolTip(position, QString::fromStdString(tip));
  }
}
