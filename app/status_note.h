#pragma once
// A note in the status line that confirms what a command did where no
// window needs to open for it (an export written, with its file names).

#include <string>
#include <vector>

// Shows the note at the right of the status line's other parts until the
// next note, or for half a minute.
void ShowStatusNote(const std::string& text);
// The note shown now; empty when there is none.
std::string StatusNote();
// The same with the tooltip giving the details (every file written), one a
// line.
void ShowStatusNote(const std::string& text, const std::vector<std::string>& details);
