#pragma once
// The box that reports the last system error in the system's own words.

#include <string>

// The caption of the box for an error code: "error code = 2".
std::string SystemErrorCaption(int code);

// Shows the text of the calling thread's last system error, captioned with
// its code, with the information icon and an OK button.
void ShowSystemError();
