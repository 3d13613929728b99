#pragma once
// Choosing a folder. Like every modal interaction it goes through the
// installed script when there is one: the script's file-dialog handler
// answers it, and sees a request with no filters.

#include <optional>
#include <string>

// The folder chosen, or nothing when the user cancelled.
std::optional<std::string> ChooseFolder(const std::string& title, const std::string& initialFolder);
