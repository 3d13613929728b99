#pragma once
// Command ids sent by menu entries, toolbar buttons and popup menus.

enum CommandId : int {
  CMD_SAVE = 100,
  CMD_NEW = 101,
  CMD_OPEN = 102,
  CMD_EXIT = 104,
  CMD_NEW_TAB = 120,
  CMD_DELETE_TAB = 121,
  CMD_DELETE = 208,
  CMD_UNDO = 210,
  CMD_REDO = 211,
  CMD_GRID = 220,
  CMD_LEAVE_BACKGROUND = 240,
  CMD_PEN_SELECT = 250,
  CMD_PEN_NORMAL = 251,
  CMD_PEN_FILL = 252,
  CMD_PEN_LINE = 253,
  CMD_PEN_CIRCLE = 254,
};
