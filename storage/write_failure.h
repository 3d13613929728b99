#pragma once
// Messages about a file that could not be written: the usual first line,
// then the reason in the user's language.

#include <string>

#include "platform/file_bytes.h"

// "[ path ]", a blank line and the first line, then the reason on a
// line of its own when there is one to tell.
std::string WriteFailureMessage(const std::string& path, const char* firstLine, WriteProblem problem);

// The first line alone, then the reason and the file's name, for messages
// that otherwise name no file.
std::string WriteFailureNote(const std::string& path, const char* firstLine, WriteProblem problem);
