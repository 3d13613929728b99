#include "app/program_state.h"

#include "canvas/edit_view.h"
#include "canvas/pen_tools.h"
#include "fileio/plain_save.h"
#include "fileio/recent_files.h"
#include "fileio/save_flow.h"
#include "fileio/true_colour_save.h"
#include "import/remembered_choices.h"
#include "model/change_hub.h"
#include "model/kept_entries.h"
#include "model/tab_set.h"
#include "platform/program_paths.h"
#include "platform/window_handles.h"

void ResetProgramState() {
  ClearListeners();
  windowHandles = WindowHandles{};
  for (ImageTab& tab : tabSet.tabs) tab = ImageTab{};
  ClearAllKeptEntries();
  ForgetTrueColourChoices();
  tabSet.tabCount = 0;
  tabSet.currentPosition = 0;
  for (int& slot : tabSet.positionSlots) slot = 0;
  tabSet.documentName.clear();
  SetRecentFiles({});
  LastImportChoices() = {};
  ForgetSaveProposals();
  NoteIconDocument({});
  editMouse = EditMouseState{};
  grid = 1;
  OverrideProgramFolder({});
}
