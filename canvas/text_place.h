#pragma once
// While the text dialog runs, a left press or drag in the edit view puts
// the text's top-left corner at the cell under the pointer. The dialog sets
// the hook and clears it when it closes; the edit view calls it.

#include <functional>

// Takes the cell (x, y) of the image; empty while no text dialog runs.
extern std::function<void(int x, int y)> textPlacement;
