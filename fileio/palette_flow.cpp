#include "fileio/palette_flow.h"

#include "fileio/palette_file.h"
#include "platform/modal.h"
#include "storage/disk_change.h"
#include "storage/write_failure.h"

bool ReadPaletteFile(ImageTab& tab, const std::string& path) {
  const std::string error = LoadPaletteFromFile(path, tab);
  if (!error.empty()) ShowReport(error);
  return error.empty();
}

bool WritePaletteFile(const ImageTab& tab, const std::string& path) {
  // A palette saved onto the document's own file replaces it like any save.
  if (!ConfirmSaveOverChanges(path)) return false;
  WriteProblem problem = WriteProblem::None;
  if (WriteFileBytesSafely(path, SerializePalette(tab), &problem) != WriteResult::Ok) {
    ShowReport(WriteFailureNote(path, PALETTE_WRITE_FAILED, problem));
    return false;
  }
  NoteFileSaved(path);
  return true;
}
