#pragma once
// The one way a change reaches the screen. A command, dialog or flow changes
// the tab first and then announces what changed; the views listen and
// repaint what they show of it. The main window registers one listener per
// view when it is made and clears them all when it goes, so the views are
// repainted synchronously and always in the order of ChangeView.

struct ImageTab;

// The kinds of change; one announcement carries any number of them.
enum Change : unsigned {
  // The image's cells, or the colours its cells are shown in.
  CHANGE_PIXELS = 1u << 0,
  // The palette's entries or their order.
  CHANGE_PALETTE = 1u << 1,
  // The pen's colour or its leave-background mask.
  CHANGE_PEN = 1u << 2,
  // The selection rectangle.
  CHANGE_SELECTION = 1u << 3,
  // The tool, or the state of a two-click action.
  CHANGE_TOOL = 1u << 4,
  // What undo and redo can do.
  CHANGE_HISTORY = 1u << 5,
  // What the clipboard holds.
  CHANGE_CLIPBOARD = 1u << 6,
  // The grid-lines switch.
  CHANGE_GRID = 1u << 7,
  // The tab's background colour.
  CHANGE_BACKGROUND = 1u << 8,
  // Tabs were created or deleted.
  CHANGE_TABS = 1u << 9,
  // Another tab, or none, became the one shown.
  CHANGE_CURRENT_TAB = 1u << 10,
  // The document's name in the caption.
  CHANGE_CAPTION = 1u << 11,

  // The following bits say how, not what. With CHANGE_TOOL_CHECKS the tool
  // buttons take their check states from the tab (it was created or shown,
  // or a menu entry chose the tool); without it they keep the states the
  // user's click gave them.
  CHANGE_TOOL_CHECKS = 1u << 12,
  // The pen has already painted the changed cells into the edit view, which
  // is left alone; painting cell by cell is what keeps the pen fast.
  CHANGE_PAINTED_IN_PLACE = 1u << 13,
  // Records an undo snapshot of the tab once the views show the change; the
  // hub takes it itself, so it is taken with or without a window. A
  // snapshot taken is a CHANGE_HISTORY for the listeners after it.
  CHANGE_RECORD_UNDO = 1u << 14,
  // The tab's zoom or scroll position in the edit view.
  CHANGE_ZOOM = 1u << 15,
};

// The views in the order they are repainted. The panels (tab strip,
// background box, panel states) come first because the others paint with
// the grid-line colour they set; the history records after the pictures are
// shown, and the command states follow it because they show what it did.
enum ChangeView : int {
  VIEW_PANELS,
  VIEW_PALETTE,
  VIEW_PREVIEW,
  VIEW_EDIT,
  VIEW_HISTORY,
  VIEW_COMMANDS,
  VIEW_CAPTION,
  VIEW_COUNT,
};

// A listener gets the announced tab (nullptr when no tab is shown) and every
// bit of the announcement. The history listener hears, after the hub has
// taken a snapshot, whether it was taken (CHANGE_HISTORY) and gives back
// whether the views after it follow a new step; the others' answers are not
// used.
using ChangeListener = bool (*)(ImageTab* tab, unsigned changes);

// The kinds of change that call the view's listener.
unsigned ChangesHeardBy(ChangeView view);

// Registers the listener of a view, replacing one registered before.
void Listen(ChangeView view, ChangeListener listener);
// Drops every listener; announcing then repaints nothing.
void ClearListeners();
int ListenerCount();

// Calls, in view order, the listener of every view that hears one of the
// changes, then the watcher.
void Announce(ImageTab* tab, unsigned changes);
// How many of the oldest states the last snapshot taken dropped from its
// tab's history to keep it within its memory limit.
int StepsDroppedByLastSnapshot();

// One more listener that hears every announcement after the views (the
// crash recovery notices edits with it); nullptr removes it. Clearing the
// listeners leaves it.
void WatchAnnouncements(ChangeListener watcher);
