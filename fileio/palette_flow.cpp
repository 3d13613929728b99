#include "fileio/palette_flow.h"

#include "fileio/palette_file.h"
#include "platform/modal.h"

bool ReadPaletteFile(ImageTab& tab, const std::string& path) {
  const std::string error = LoadPaletteFromFile(path, tab);
  if (!error.empty()) ShowReport(error);
  return error.empty();
}

bool WritePaletteFile(const ImageTab& tab, const std::string& path) {
  const std::string error = SavePaletteToFile(path, tab);
  if (!error.empty()) ShowReport(error);
  return error.empty();
}
