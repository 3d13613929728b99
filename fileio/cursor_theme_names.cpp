#include "fileio/cursor_theme_names.h"

#include "platform/ui_text.h"

const std::vector<ThemeCursorShape>& ThemeCursorShapes() {
  static const std::vector<ThemeCursorShape> shapes = {
      {"left_ptr", QT_TRANSLATE_NOOP("Quillet2", "通常の矢印"), {"default", "arrow", "top_left_arrow"}},
      {"text", QT_TRANSLATE_NOOP("Quillet2", "文字の入力"), {"xterm", "ibeam"}},
      {"wait", QT_TRANSLATE_NOOP("Quillet2", "待ち"), {"watch"}},
      {"progress", QT_TRANSLATE_NOOP("Quillet2", "バックグラウンドで処理中"), {"left_ptr_watch", "half-busy"}},
      {"pointer", QT_TRANSLATE_NOOP("Quillet2", "リンク"), {"hand2", "pointing_hand"}},
      {"help", QT_TRANSLATE_NOOP("Quillet2", "ヘルプ"), {"question_arrow", "whats_this", "left_ptr_help"}},
      {"crosshair", QT_TRANSLATE_NOOP("Quillet2", "十字"), {"cross", "tcross"}},
      {"not-allowed", QT_TRANSLATE_NOOP("Quillet2", "使用不可"), {"crossed_circle", "forbidden"}},
      {"grab", QT_TRANSLATE_NOOP("Quillet2", "つかめる"), {"openhand"}},
      {"grabbing", QT_TRANSLATE_NOOP("Quillet2", "つかんでいる"), {"closedhand"}},
      {"size_all", QT_TRANSLATE_NOOP("Quillet2", "移動"), {"fleur", "move", "all-scroll"}},
      {"size_ver", QT_TRANSLATE_NOOP("Quillet2", "上下の大きさ"), {"ns-resize", "v_double_arrow", "sb_v_double_arrow"}},
      {"size_hor", QT_TRANSLATE_NOOP("Quillet2", "左右の大きさ"), {"ew-resize", "h_double_arrow", "sb_h_double_arrow"}},
      {"size_fdiag", QT_TRANSLATE_NOOP("Quillet2", "斜めの大きさ（左上と右下）"), {"nwse-resize", "bd_double_arrow"}},
      {"size_bdiag", QT_TRANSLATE_NOOP("Quillet2", "斜めの大きさ（右上と左下）"), {"nesw-resize", "fd_double_arrow"}},
      {"copy", QT_TRANSLATE_NOOP("Quillet2", "コピー"), {"dnd-copy"}},
      {"alias", QT_TRANSLATE_NOOP("Quillet2", "リンクを作る"), {"dnd-link", "link"}},
      {"context-menu", QT_TRANSLATE_NOOP("Quillet2", "メニューあり"), {}},
      {"cell", QT_TRANSLATE_NOOP("Quillet2", "表のセル"), {"plus"}},
      {"zoom-in", QT_TRANSLATE_NOOP("Quillet2", "拡大"), {}},
      {"zoom-out", QT_TRANSLATE_NOOP("Quillet2", "縮小"), {}},
  };
  return shapes;
}

const ThemeCursorShape* ThemeShapeNamed(const std::string& name) {
  for (const ThemeCursorShape& shape : ThemeCursorShapes()) {
    if (name == shape.name) return &shape;
    for (const char* alias : shape.aliases)
      if (name == alias) return &shape;
  }
  return nullptr;
}
