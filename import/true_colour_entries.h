#pragma once
// Icon images of true colour made from a picture: 32-bit bitmap images with
// their alpha (and an AND mask where alpha is 0), and PNG-compressed images
// for the sizes above the editable ones; and the images of an input icon
// kept as they are.

#include <string>
#include <vector>

#include "import/read.h"
#include "model/kept_entries.h"
#include "platform/file_bytes.h"

// The picture as a 32-bit bitmap image (see fileio/true_colour_image.h).
ByteBuffer TrueColourImageData(const RgbaPicture& picture);
// The picture as PNG with its alpha.
ByteBuffer PngImageData(const RgbaPicture& picture);
// The same for the icon writer, which knows no pictures of the import
// (fileio/true_colour_image.h): the pixels 0xAARRGGBB, top row first.
ByteBuffer PngPictureData(int width, int height, const std::vector<std::uint32_t>& argb);
// The picture as an icon image ready to be written: its directory fields
// (a side of 256 or more is written as 0) and its data.
KeptEntry TrueColourEntry(const RgbaPicture& picture, bool png);

// The full picture of an import source: the file's image at the index for
// an icon or cursor file, else the single picture. Gives back an empty
// string or why not.
std::string ReadFullPicture(const std::string& path, int index, RgbaPicture& full);

// The images of an icon file whose square size is not among the sizes, in
// file order, each as it lies in the file.
std::vector<KeptEntry> ImagesNotReplaced(const std::string& path, const std::vector<int>& sizes);
