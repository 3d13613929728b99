#pragma once
// An indexed image written as a 32-bit icon image: each opaque cell in its
// palette colour, fully opaque, each transparent cell fully transparent.
// Windows draws a transparent cell whose colour is not black by inverting
// the screen under it; 32 bits cannot say that, so such cells are counted
// for the user to be told.

#include <cstdint>
#include <vector>

#include "model/image_tab.h"
#include "model/kept_entries.h"
#include "platform/file_bytes.h"

// Info header, rows of blue, green, red, alpha bottom first, and the AND
// mask, set where alpha is 0. The pixels are 0xAARRGGBB, top row first.
ByteBuffer TrueColourImageData(int width, int height, const std::vector<std::uint32_t>& argb);

// The image's pixels as 0xAARRGGBB, top row first; inverted tells how many
// transparent cells have a colour other than black. A true-colour tab's
// pixels are its cells, and none of them inverts.
std::vector<std::uint32_t> TrueColourPixels(const ImageTab& image, int* inverted = nullptr);

// The image as a 32-bit icon image ready to be written; a true-colour image
// with a side of 256 is written as PNG when a PNG writer is set.
KeptEntry TrueColourEntryOfImage(const ImageTab& image, int* inverted = nullptr);

// Writes a picture (0xAARRGGBB, top row first) as PNG data. The core has no
// PNG writer of its own; the main window sets the import's. Without one,
// every true-colour image is written as a 32-bit bitmap image.
using PngPictureWriter = ByteBuffer (*)(int width, int height, const std::vector<std::uint32_t>& argb);
void SetPngPictureWriter(PngPictureWriter writer);
// The picture as PNG through the writer set above; empty without one or
// when it fails. The icon-set export writes its PNG files through it.
ByteBuffer PngPictureBytes(int width, int height, const std::vector<std::uint32_t>& argb);
