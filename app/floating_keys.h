#pragma once
// The keys of a floating block in the main window: the arrows move it by a
// cell (by eight with Shift), Enter places it and Esc drops it. They are the
// window's keys only while a block floats over the current tab.

void InstallFloatingKeys();
