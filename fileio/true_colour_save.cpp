#include "fileio/true_colour_save.h"

#include <map>
#include <optional>

#include "fileio/true_colour_image.h"
#include "model/tab_set.h"

namespace {

std::map<std::string, TrueColourChoice> remembered;
std::optional<TrueColourChoice> nextSave;

TrueColourChoice ChoiceForSave() { return nextSave ? *nextSave : DocumentTrueColour(tabSet.documentName); }

}  // namespace

TrueColourChoice DocumentTrueColour(const std::string& documentName) {
  const auto found = remembered.find(documentName);
  return found != remembered.end() ? found->second : TrueColourChoice::IndexedOnly;
}

void ChooseTrueColourForNextSave(TrueColourChoice choice) { nextSave = choice; }

void ForgetTrueColourChoices() {
  remembered.clear();
  nextSave.reset();
}

std::vector<IconPart> PartsToSave(std::vector<KeptEntry>& made, int& inverted) {
  inverted = 0;
  const TrueColourChoice choice = ChoiceForSave();
  std::vector<IconPart> parts = IconPartsInStripOrder();
  if (choice == TrueColourChoice::IndexedOnly) return parts;
  made.clear();
  // Reserved, so that the parts can point at the images made.
  made.reserve(parts.size());
  std::vector<IconPart> result;
  for (const IconPart& part : parts) {
    // A kept image stays as it is, and a true-colour tab is written as
    // itself; an indexed one (written anew or as it was opened) gets its
    // 32-bit image.
    if (IsKeptTab(*part.image) || IsTrueColour(*part.image)) {
      result.push_back(part);
      continue;
    }
    int cells = 0;
    made.push_back(TrueColourEntryOfImage(*part.image, &cells));
    inverted += cells;
    if (choice == TrueColourChoice::AlsoTrueColour) result.push_back(part);
    // The tab stays with its 32-bit image, so that a cursor's entry takes
    // the tab's hot spot.
    result.push_back({part.image, &made.back()});
  }
  return result;
}

void NoteTrueColourSaved(const std::string& documentName) {
  remembered[documentName] = ChoiceForSave();
  nextSave.reset();
}
