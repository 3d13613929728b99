#pragma once
// The bits per pixel a picture file stores, as the import dialog shows them:
// read from the file's own header, not from the decoded picture, which is
// always 32 bits.

#include <cstddef>
#include <cstdint>

// A PNG image's bit depth times its channels (1 to 64), or 0 when the bytes
// hold no PNG header.
int PngBitsPerPixel(const std::uint8_t* data, std::size_t size);
// The same for a PNG, BMP or GIF file; 0 when the header is not one of
// them.
int PictureBitsPerPixel(const std::uint8_t* data, std::size_t size);
