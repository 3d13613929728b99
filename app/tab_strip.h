#pragma once
// The tab strip: one item per open image, and below the items the area that
// carries the editing panels. Items are linked to their slots only through
// the slot index each item carries.

#include <QWidget>

class QTabBar;

// Height of the row of items; the panels start just below it.
constexpr int TAB_ITEM_HEIGHT = 21;

class TabStrip : public QWidget {
  Q_OBJECT
 public:
  explicit TabStrip(QWidget* parent);

  QTabBar* bar() const { return bar_; }
  // The client area below the items, in this widget's coordinates.
  QRect displayRect() const;

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QTabBar* bar_;
};

// Operations on the strip items. Positions run 0..count-1, left to right.
int StripItemCount();
// The slot of the item at the position, or -1 when there is no such item.
int StripItemSlot(int position);
bool StripInsertItem(int position, const char* title, int slot);
void StripRemoveItem(int position);
// Sets the item's text when it differs (a tab relabelled after it was made).
void StripKeepTitle(int position, const char* title);
// Selects an item without reporting it as the user's choice.
void StripSelect(int position);
int StripSelection();
