#include "app/tab_strip.h"

#include <QContextMenuEvent>
#include <QIcon>
#include <QMainWindow>
#include <QMenu>
#include <QPainter>
#include <QResizeEvent>
#include <QStyle>
#include <QStyleOption>
#include <QSignalBlocker>
#include <QTabBar>

#include "app/command_ids.h"
#include "app/commands.h"
#include "app/icon_files.h"
#include "app/main_window.h"
#include "app/menus.h"
#include "model/tab_lifecycle.h"
#include "model/tab_set.h"
#include "platform/fonts.h"
#include "platform/modal.h"
#include "platform/program_paths.h"

namespace {

QTabBar* Bar() { return mainWindows.tabStrip != nullptr ? mainWindows.tabStrip->bar() : nullptr; }

QIcon TabIcon() {
  static const QIcon icon = IconFromIconFile(FindDataFile("ICON/tab.ico"));
  return icon;
}

// The user chose another item: it becomes current.
void OnStripSelectionChanged(int position) {
  if (position < 0) return;
  tabSet.currentPosition = position;
  const int slot = StripItemSlot(position);
  if (slot >= 0) ActivateTab(tabSet.tabs[slot]);
}

void OnStripRightClick(const QPoint& barPoint, const QPoint& globalPoint) {
  const int position = Bar()->tabAt(barPoint);
  if (position < 0) return;
  if (position != tabSet.currentPosition) {
    StripSelect(position);
    tabSet.currentPosition = position;
    const int slot = StripItemSlot(position);
    if (slot >= 0) ActivateTab(tabSet.tabs[slot]);
  }
  // "Mt_POPUP": the one entry deletes the tab under the cursor.
  QMenu popup(mainWindows.main);
  FillTabPopup(popup);
  QAction* chosen = RunPopupMenu(popup, globalPoint);
  if (chosen != nullptr) DispatchCommand(static_cast<unsigned>(chosen->data().toInt()));
}

}  // namespace

TabStrip::TabStrip(QWidget* parent) : QWidget(parent), bar_(new QTabBar(this)) {
  setObjectName(QStringLiteral("SysTabControl32"));
  bar_->setFocusPolicy(Qt::NoFocus);
  setFocusPolicy(Qt::NoFocus);
  bar_->setFont(MakePixelFont("ＭＳ Ｐゴシック", 12, true));
  bar_->setIconSize(QSize(12, 12));
  bar_->setDrawBase(true);
  bar_->setExpanding(false);
  bar_->setUsesScrollButtons(true);
  bar_->installEventFilter(this);
  connect(bar_, &QTabBar::currentChanged, this, [](int position) { OnStripSelectionChanged(position); });
}

QRect TabStrip::displayRect() const {
  return QRect(0, TAB_ITEM_HEIGHT, width(), std::max(0, height() - TAB_ITEM_HEIGHT));
}

void TabStrip::resizeEvent(QResizeEvent* event) {
  bar_->setGeometry(0, 0, event->size().width(), TAB_ITEM_HEIGHT);
  QWidget::resizeEvent(event);
}

void TabStrip::paintEvent(QPaintEvent*) {
  // The panels stand on a raised page below the items, as on a card index.
  QPainter painter(this);
  QStyleOptionTabWidgetFrame frame;
  frame.initFrom(this);
  frame.rect = displayRect();
  frame.tabBarSize = QSize(0, TAB_ITEM_HEIGHT);
  style()->drawPrimitive(QStyle::PE_FrameTabWidget, &frame, &painter, this);
}

bool TabStrip::eventFilter(QObject* watched, QEvent* event) {
  if (watched == bar_ && event->type() == QEvent::ContextMenu) {
    auto* menuEvent = static_cast<QContextMenuEvent*>(event);
    OnStripRightClick(menuEvent->pos(), menuEvent->globalPos());
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

int StripItemCount() { return Bar() != nullptr ? Bar()->count() : 0; }

int StripItemSlot(int position) {
  if (Bar() == nullptr || position < 0 || position >= Bar()->count()) return -1;
  bool ok = false;
  const int slot = Bar()->tabData(position).toInt(&ok);
  return ok && slot >= 0 && slot < MAX_TABS ? slot : -1;
}

bool StripInsertItem(int position, const char* title, int slot) {
  QTabBar* bar = Bar();
  if (bar == nullptr) return false;
  const QSignalBlocker quiet(bar);
  const int at = bar->insertTab(position, TabIcon(), QString::fromUtf8(title));
  if (at < 0) return false;
  bar->setTabData(at, slot);
  bar->setTabToolTip(at, QString());
  return true;
}

void StripKeepTitle(int position, const char* title) {
  QTabBar* bar = Bar();
  if (bar == nullptr || position < 0 || position >= bar->count()) return;
  const QString text = QString::fromUtf8(title);
  if (bar->tabText(position) != text) bar->setTabText(position, text);
}

void StripRemoveItem(int position) {
  if (Bar() == nullptr) return;
  const QSignalBlocker quiet(Bar());
  Bar()->removeTab(position);
}

void StripSelect(int position) {
  if (Bar() == nullptr) return;
  const QSignalBlocker quiet(Bar());
  Bar()->setCurrentIndex(position);
}

int StripSelection() { return Bar() != nullptr ? Bar()->currentIndex() : -1; }
