#include "app/command_state.h"

// The menu and toolbar come with the application shell; until then there is
// no state to refresh.
void RefreshCommandState(int, int) {}
