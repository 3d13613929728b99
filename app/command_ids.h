#pragma once
// Command ids sent by menu entries, toolbar buttons and popup menus.

enum CommandId : int {
  CMD_SAVE = 100,
  CMD_NEW = 101,
  CMD_OPEN = 102,
  CMD_EXIT = 104,
  CMD_NEW_TAB = 120,
  CMD_DELETE_TAB = 121,
  CMD_ORGANIZE_PALETTE = 290,
  CMD_REDUCE_COLORS = 291,
  CMD_BATCH_COLOR_CHANGE = 292,
};
