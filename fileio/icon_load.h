#pragma once
// Checking an icon file and loading its images into new tabs, with the
// messages the user sees.

#include <optional>
#include <string>

// Checks the file name, header, directory and every image's info header.
// Gives back an empty string with the number of images, or the reason the
// file cannot be opened (not shown).
std::string IconFileProblem(const std::string& path, int& imageCount);

// The same check, showing the reason.
// Shows the reason and gives back false when the file cannot be opened;
// otherwise gives back true with the number of images.
bool CheckIconFile(const std::string& path, int& imageCount);

// Creates one tab per image, appended to the tab strip, and reads the images
// into them. Gives back the strip position of the first new tab; gives back
// nothing after a failure (shown, with every tab it made removed again) and
// for a file without images (not shown).
std::optional<int> LoadIconFile(const std::string& path);
