// Placeholders for the icon file flows until they are merged.
#include "app/file_commands.h"
#include "model/tab_lifecycle.h"

int SaveTypeDialog() { return 2; }
void OpenIconFile(const std::string&) {}
bool AskSaveAndDiscardAll() {
  DeleteAllTabs();
  return true;
}
