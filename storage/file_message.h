#pragma once
// Messages about a file start with its path framed as "[ path ]" and a
// blank line, followed by the reason. (The reason once followed a ">", which
// read as a stray character in a message box.)

#include <string>

inline std::string FileMessage(const std::string& path, const std::string& reason) {
  return "[ " + path + " ]\n\n" + reason;
}
