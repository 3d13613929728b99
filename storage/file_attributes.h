#pragma once
// Extended attributes of files (access control lists among them), which a
// file replaced by a new one must carry over to keep who may use it.

#include <string>

// Makes the attributes of the open file `to` exactly those of the open file
// `from`: every attribute of `from` is set on `to` with the same value, and
// every attribute `to` has that `from` lacks (an access list inherited from
// the folder) is removed. False when any of that failed; a file system
// without attributes on either side counts as nothing to copy.
bool CopyExtendedAttributes(int from, int to);

// True when the file named in the open folder carries any extended
// attribute, or when that cannot be told.
bool HasExtendedAttributes(int folder, const std::string& name);
