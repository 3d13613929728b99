#pragma once
// Checks of a BMP or GIF file's structure before Qt's readers decode it.
// Qt's BMP reader gives back success for a file that ends inside its pixel
// rows, leaving the rest of the picture as whatever memory held before, and
// its GIF reader fills a picture whose data stops short. These checks find
// such files first, so no pixel of an imported picture comes from memory the
// file did not fill.

#include <string>

#include "platform/file_bytes.h"

// Gives back an empty string when the bytes are no BMP or GIF file, or when
// they hold all the data their headers promise; otherwise the reason the
// picture cannot be read (a message text).
std::string CheckPictureData(const ByteBuffer& bytes);
