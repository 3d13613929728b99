#pragma once
// Which names the command line writes icon files under.

#include <string>

// True when the name ends in an extension the written file's kind goes by
// (".ico", or ".cur" for a cursor; letters compared without case). Any
// other name would give a file that other programs take for something else.
bool OutputNameAccepted(const std::string& name);
