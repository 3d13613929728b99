#pragma once
// Messages about a file start with its path framed as "[ path ]" and a
// blank line, followed by the reason. (The reason once followed a ">", which
// read as a stray character in a message box.) A name that is not UTF-8
// shows its other bytes escaped.

#include <string>

#include "platform/file_name_bytes.h"

inline std::string FileMessage(const std::string& path, const std::string& reason) {
  return "[ " + ReadableFileName(path) + " ]\n\n" + reason;
}
