#pragma once
// The state the whole program shares outside its windows.

// Puts the shared state back as the program starts: no tabs, no document
// name, no listeners, grid lines on, no mouse action under way, the program
// folder where the program lies. The main window must be gone already.
void ResetProgramState();
