#include "import/remembered_choices.h"

#include <algorithm>
#include <charconv>

RememberedImportChoices& LastImportChoices() {
  static RememberedImportChoices choices;
  return choices;
}

std::string ImportSizesText(const std::vector<int>& sizes) {
  std::string text;
  for (int size : sizes) text += (text.empty() ? "" : ",") + std::to_string(size);
  return text;
}

std::vector<int> ImportSizesOfText(const std::string& text) {
  std::vector<int> sizes;
  std::size_t start = 0;
  while (start <= text.size()) {
    const std::size_t comma = std::min(text.find(',', start), text.size());
    int size = -1;
    const auto [end, error] = std::from_chars(text.data() + start, text.data() + comma, size);
    const bool offered = size == IMPORT_SIZE_AS_IT_IS ||
                         std::count(std::begin(IMPORT_SIZES), std::end(IMPORT_SIZES), size) > 0;
    if (error != std::errc() || end != text.data() + comma || !offered) return {};
    if (std::count(sizes.begin(), sizes.end(), size) == 0) sizes.push_back(size);
    start = comma + 1;
  }
  std::sort(sizes.begin(), sizes.end());
  return sizes;
}

ImportTarget StartingImportTarget(const ImportEntry& entry, bool onlyRow, const RememberedImportChoices& remembered) {
  ImportTarget target = DefaultImportTarget(entry);
  // A row of a file with several pictures keeps its own size: the file
  // already holds the family, and the remembered sizes on every row would
  // make each size several times.
  if (remembered.sizes.empty() || (!onlyRow && FitsAsItIs(entry))) return target;
  std::vector<int> sizes;
  for (int size : remembered.sizes)
    if (size != IMPORT_SIZE_AS_IT_IS || FitsAsItIs(entry)) sizes.push_back(size);
  if (sizes.empty()) return target;
  target.sizes = sizes;
  if (std::count(std::begin(IMPORT_COLOUR_COUNTS), std::end(IMPORT_COLOUR_COUNTS), remembered.colours) > 0)
    target.colours = remembered.colours;
  return target;
}
