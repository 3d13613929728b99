#include "import/open_offer.h"

#include "fileio/icon_format.h"
#include "import/decode.h"
#include "import/flow.h"
#include "platform/modal.h"
#include "platform/translation.h"
#include "storage/file_message.h"

namespace {

// True when the import found at least one image it can convert.
bool ImportCanRead(const ImportSource& source) {
  if (!source.error.empty()) return false;
  for (const ImportEntry& entry : source.entries)
    if (entry.problem.empty()) return true;
  return false;
}

}  // namespace

void ReportOrOfferImport(const std::string& path, const std::string& problem) {
  // A file that could not even be read is no better for the import. The
  // images are read once, under the import's progress window, and the
  // import goes on from that reading when the user accepts.
  ImportSource source;
  if (problem == ICON_OPEN_FAILED || !ReadImportWithProgress(path, source) || !ImportCanRead(source)) {
    ShowReport(FileMessage(path, problem));
    return;
  }
  // The reason stays the first line, as Open always gives it.
  const std::string text = FileMessage(path, UiString(problem) + "\n" + UiString(OPEN_OFFER_IMPORT));
  if (AskQuestion(text, MB_YESNO) == IDYES) ImportReadSource(path, source);
}
