#pragma once
// Messages about a file start with its path framed as "[ path ]", a blank
// line and ">", followed by the reason.

#include <string>

inline std::string FileMessage(const std::string& path, const std::string& reason) {
  return "[ " + path + " ]\n\n>" + reason;
}
