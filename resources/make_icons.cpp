// Build step: writes the toolbar, tab and program icons as icon files into
// the folder given as the only argument (the ICON folder beside the program).

#include <cstdio>
#include <string>

#include "fileio/icon_format.h"
#include "platform/file_bytes.h"
#include "resources/toolbar_icons.h"

int main(int argc, char* argv[]) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_icons FOLDER\n");
    return 2;
  }
  const std::string folder = std::string(argv[1]) + "/";
  for (const IconPicture& picture : ToolbarIconPictures()) {
    const std::string path = folder + picture.fileName + ".ico";
    if (WriteFileBytesSafely(path, SerializeIcon({&picture.image})) != WriteResult::Ok) {
      std::fprintf(stderr, "make_icons: cannot write %s\n", path.c_str());
      return 1;
    }
  }
  return 0;
}
