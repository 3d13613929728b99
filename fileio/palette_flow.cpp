#include "fileio/palette_flow.h"

#include "fileio/palette_file.h"
#include "fileio/palette_formats.h"
#include "platform/modal.h"
#include "platform/translation.h"
#include "storage/disk_change.h"
#include "storage/write_failure.h"

bool ReadPaletteFile(ImageTab& tab, const std::string& path) {
  std::string note;
  const std::string error = LoadPaletteFromFile(path, tab, &note, UiString);
  if (!error.empty()) ShowReport(error);
  if (error.empty() && !note.empty()) ShowReport(note);
  return error.empty();
}

bool ReadPaletteRecord(ImageTab& tab, const PaletteRecord& record) {
  std::string note;
  const std::string error = LoadPaletteRecord(record, tab, &note, UiString);
  if (!error.empty()) ShowReport(error);
  if (error.empty() && !note.empty()) ShowReport(note);
  return error.empty();
}

bool WritePaletteFile(const ImageTab& tab, const std::string& path) {
  return WritePaletteFile(tab, path, PaletteFormatOfName(path));
}

bool WritePaletteFile(const ImageTab& tab, const std::string& path, PaletteFormat format) {
  // A palette saved onto the document's own file replaces it like any save.
  if (!ConfirmSaveOverChanges(path)) return false;
  WriteProblem problem = WriteProblem::None;
  if (WriteFileBytesSafely(path, SerializePaletteAs(tab, format), &problem) != WriteResult::Ok) {
    ShowReport(WriteFailureNote(path, PALETTE_WRITE_FAILED, problem));
    return false;
  }
  NoteFileSaved(path);
  return true;
}
