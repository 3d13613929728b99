#include "import/picture_depth.h"

#include <cstring>

int PngBitsPerPixel(const std::uint8_t* data, std::size_t size) {
  static constexpr std::uint8_t SIGNATURE_AND_HEADER[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n',
                                                          0,    0,   0,   13,  'I',  'H',  'D',  'R'};
  // The bit depth and colour type follow the width and height.
  if (size < 26 || std::memcmp(data, SIGNATURE_AND_HEADER, sizeof SIGNATURE_AND_HEADER) != 0) return 0;
  const int depth = data[24];
  switch (data[25]) {
    case 0: return depth;      // grey
    case 2: return depth * 3;  // red, green, blue
    case 3: return depth;      // palette indexes
    case 4: return depth * 2;  // grey and alpha
    case 6: return depth * 4;  // red, green, blue and alpha
    default: return 0;
  }
}

int PictureBitsPerPixel(const std::uint8_t* data, std::size_t size) {
  if (const int png = PngBitsPerPixel(data, size)) return png;
  // BMP: the bit count of the info header that follows the 14-byte file
  // header.
  if (size >= 30 && data[0] == 'B' && data[1] == 'M') return data[28] | data[29] << 8;
  // GIF: the size of the global colour table, when there is one, gives the
  // bits of its indexes; a GIF never has more than 8.
  if (size >= 11 && std::memcmp(data, "GIF8", 4) == 0) return (data[10] & 0x80) != 0 ? (data[10] & 7) + 1 : 8;
  return 0;
}
