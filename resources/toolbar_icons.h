#pragma once
// The pictures of the toolbar buttons, of the tab strip's tab symbol and of
// the program's own icon. They are drawn here in code as character pictures,
// so that the icon files beside the program can be made at build time and
// anyone can see and change a picture in the source.

#include <string>
#include <vector>

#include "model/image_tab.h"

struct IconPicture {
  // The icon file's name without folder and extension ("FILE0", "hani", ...).
  std::string fileName;
  // A 16-colour image with the classic colours as its palette; transparent
  // pixels are FRESH_CELL.
  ImageTab image{};
};

// Every toolbar picture in toolbar order, then "tab" (12 x 12) and
// "quillet2" (32 x 32). The toolbar pictures are 16 x 16, except the
// drop-down arrow "DDOWN", which is 8 wide and 16 high.
std::vector<IconPicture> ToolbarIconPictures();
