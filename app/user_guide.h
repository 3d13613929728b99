#pragma once
// Help > Help Topics: the user guide installed with the program, opened in
// the desktop's browser.

#include <string>

// The installed guide for a program in the folder (ending in a separator):
// an HTML guide when one is installed, otherwise the README installed with
// the package. Empty when there is none.
std::string FindUserGuide(const std::string& programFolder);

// How the guide is shown; tests put their own function here. It gives back
// false when the desktop could not open it.
extern bool (*openUserGuide)(const std::string& path);

// Opens the guide, or says that none is installed or that it could not be
// opened.
void CommandHelpTopics();
