// Build step: writes default2.qpl, default16.qpl and default256.qpl into the
// folder given as the only argument.

#include <cstdio>
#include <string>

#include "fileio/palette_file.h"
#include "resources/default_palettes.h"

int main(int argc, char* argv[]) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_palettes FOLDER\n");
    return 2;
  }
  const std::string folder = std::string(argv[1]) + "/";
  for (const std::uint8_t code : {std::uint8_t{2}, std::uint8_t{16}, std::uint8_t{0}}) {
    static ImageTab tab;
    tab.colorCode = code;
    const auto colors = DefaultPaletteColors(code);
    for (std::size_t i = 0; i < colors.size(); ++i) tab.palette[i] = colors[i];
    const std::string path = folder + "default" + std::to_string(PaletteSize(tab)) + ".qpl";
    const std::string error = SavePaletteToFile(path, tab);
    if (!error.empty()) {
      std::fprintf(stderr, "make_palettes: cannot write %s\n", path.c_str());
      return 1;
    }
  }
  return 0;
}
