#pragma once
// Command ids sent by menu entries, toolbar buttons, palette buttons and
// popup menus. The low 16 bits of a command word are the id, the high 16
// bits the notification code.

enum CommandId : int {
  CMD_SEPARATOR = 99,
  CMD_SAVE = 100,
  CMD_NEW = 101,
  CMD_OPEN = 102,
  CMD_IMPORT = 103,
  CMD_EXIT = 104,
  CMD_SAVE_AS = 105,
  CMD_NEW_PALETTE = 110,
  CMD_OPEN_PALETTE = 111,
  CMD_SAVE_PALETTE = 112,
  CMD_NEW_TAB = 120,
  CMD_DELETE_TAB = 121,
  // The entries of the recent-files list in the file menu, newest first.
  CMD_RECENT_FILE_FIRST = 150,
  CMD_RECENT_FILE_LAST = 157,
  CMD_CUT = 202,
  CMD_COPY = 203,
  CMD_PASTE = 204,
  CMD_PASTE_TRANSPARENT = 205,
  CMD_PASTE_NEAREST = 206,
  CMD_PASTE_MENU = 207,
  CMD_DELETE = 208,
  CMD_UNDO = 210,
  CMD_REDO = 211,
  CMD_GRID = 220,
  CMD_SHIFT_LEFT = 230,
  CMD_SHIFT_RIGHT = 231,
  CMD_SHIFT_UP = 232,
  CMD_SHIFT_DOWN = 233,
  CMD_FLIP_HORIZONTAL = 234,
  CMD_FLIP_VERTICAL = 235,
  CMD_ROTATE = 236,
  CMD_LEAVE_BACKGROUND = 240,
  CMD_RANGE_SELECT = 250,
  CMD_PEN = 251,
  CMD_FILL = 252,
  CMD_LINE = 253,
  CMD_CIRCLE = 254,
  CMD_TEXT = 260,
  CMD_SIZE_GRIP = 270,
  CMD_HELP_TOPICS = 280,
  CMD_VERSION = 281,
  CMD_ORGANIZE_PALETTE = 290,
  CMD_REDUCE_COLORS = 291,
  CMD_BATCH_COLORS = 292,
  CMD_LANGUAGE_JAPANESE = 300,
  CMD_LANGUAGE_ENGLISH = 301,
  CMD_ZOOM_IN = 310,
  CMD_ZOOM_OUT = 311,
  CMD_ZOOM_FIT = 312,
  // The everyday pastes: the picture at its own size, floating until placed.
  CMD_PASTE_FLOATING = 460,
  CMD_PASTE_FLOATING_AS_IS = 461,
  // Rectangle, filled rectangle and filled circle: pen modes 5 to 7.
  CMD_RECTANGLE = 462,
  CMD_FILLED_RECTANGLE = 463,
  CMD_FILLED_CIRCLE = 464,
  // Takes the colour of the cell under the pointer into the pen.
  CMD_PICK_COLOR = 465,
  // Makes an ordinary tab of the current kept tab's image.
  CMD_MAKE_EDITABLE_COPY = 440,
  // Keeping unsaved work for the next start, on or off.
  CMD_RECOVERY = 520,
  // Load the Windows 16- or 256-colour system palette into the current tab.
  CMD_WINDOWS_PALETTE_16 = 540,
  CMD_WINDOWS_PALETTE_256 = 541,
  // Cursors: the hot-spot tool and the X11 cursor export.
  CMD_HOT_SPOT_TOOL = 490,
  CMD_EXPORT_XCURSOR = 491,
  CMD_CURSOR_TEST_AREA = 492,
  // Animated cursors: the current frame's display time, and the export into
  // a cursor theme folder.
  CMD_FRAME_TIME = 600,
  CMD_EXPORT_CURSOR_THEME = 601,
  // Turning the current tab into the other kind, as a new tab beside it.
  CMD_CONVERT_TO_TRUE_COLOUR = 620,
  CMD_CONVERT_TO_INDEXED = 621,
  // The window that shows the whole document as the desktop will.
  CMD_ICON_TEST_SHEET = 640,
  // Writing the document's images as every platform's icon set.
  CMD_EXPORT_ICON_SET = 641,
};

inline constexpr int CommandIdOf(unsigned commandWord) { return static_cast<int>(commandWord & 0xFFFF); }
inline constexpr int NotificationOf(unsigned commandWord) { return static_cast<int>(commandWord >> 16); }
