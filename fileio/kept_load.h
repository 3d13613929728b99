#pragma once
// Turning a tab made for an image of an icon file into a kept tab.

#include <cstddef>
#include <string>

#include "model/image_tab.h"
#include "platform/file_bytes.h"

// Reads the file's image at the directory index (a 24 or 32-bit, PNG or
// large image) and decodes its picture. A picture of at most 256 x 256
// makes the tab a true-colour tab with the picture in its cells, keeping
// the image's bytes as the bytes it was opened from. Any other (larger, or
// not decoded) goes into the kept-entry table for the tab's slot and labels
// the tab with what it is; the tab's own cells stay blank, at most 64 x 64
// of them. Gives back an empty string or the reason (a message).
std::string KeepIconImage(const ByteBuffer& bytes, std::size_t index, ImageTab& tab);

// Keeps the bytes an ordinary tab was read from, to be written again while
// it is not edited.
void KeepOpenedBytes(const ByteBuffer& bytes, std::size_t index, const ImageTab& tab);
