#pragma once
// Turning a tab made for an image of an icon file into a kept tab.

#include <cstddef>
#include <string>

#include "model/image_tab.h"
#include "platform/file_bytes.h"

// Reads the file's image at the directory index into the kept-entry table
// for the tab's slot, decodes its picture and labels the tab with what it
// is. The tab's own cells stay blank; it keeps at most 64 x 64 of them so
// that nothing that walks its cells leaves the record. Gives back an empty
// string or the reason (a message).
std::string KeepIconImage(const ByteBuffer& bytes, std::size_t index, ImageTab& tab);

// Keeps the bytes an ordinary tab was read from, to be written again while
// it is not edited.
void KeepOpenedBytes(const ByteBuffer& bytes, std::size_t index, const ImageTab& tab);
