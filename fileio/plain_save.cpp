#include "fileio/plain_save.h"

#include "fileio/save_flow.h"
#include "model/change_hub.h"
#include "model/image_tab.h"
#include "model/tab_lifecycle.h"

namespace {

// The icon file the document was last opened from or saved as. The set of
// tabs may have been discarded and refilled since; it is the document's
// file only while the document's name is still this path.
std::string iconDocument;

bool WritableAsIcon(const ImageTab& tab) {
  // A true-colour tab may be as large as its store.
  const int largest = MaxSideOf(tab);
  const bool sizeFits = tab.width >= 1 && tab.width <= largest && tab.height >= 1 && tab.height <= largest;
  const bool colorsFit = tab.colorCode == 2 || tab.colorCode == 16 || tab.colorCode == 0;
  return sizeFits && colorsFit;
}

}  // namespace

void NoteIconDocument(const std::string& path) { iconDocument = path; }

bool CanSaveWithoutAsking() {
  if (tabSet.tabCount <= 0 || iconDocument.empty() || tabSet.documentName != iconDocument) return false;
  for (const ImageTab* tab : TabsInStripOrder())
    if (!WritableAsIcon(*tab)) return false;
  return true;
}

void CommandSave() {
  if (!CanSaveWithoutAsking()) {
    CommandSaveAs();
    return;
  }
  WriteTabsAsIconDocument();
  Announce(CurrentTab(), CHANGE_CAPTION);
}
