#pragma once
// The side-by-side .bmp file: every tab's image placed left to right in one
// bitmap that carries the first tab's palette and no mask.

#include <cstdint>
#include <vector>

#include "model/image_tab.h"
#include "platform/file_bytes.h"

constexpr std::size_t BITMAP_FILE_HEADER_BYTES = 14;

// Bytes of one bitmap row of `width` pixels at the bit depth of the code.
int BitmapRowBytes(int width, std::uint8_t colorCode);

// The file image of the tabs, in the order given. Width, height and colour
// count are the first tab's; the save-type dialog offers this only when all
// tabs share them. Gives back nothing for an empty list.
ByteBuffer SerializeSideBySideBitmap(const std::vector<const ImageTab*>& tabs);
