#pragma once
// An icon file whose images the editor cannot all edit: which images open as
// ordinary tabs and which are kept as they are, the bytes a kept image is
// made of, and the file written from ordinary and kept images in one order.

#include <string>
#include <vector>

#include "fileio/icon_format.h"
#include "model/kept_entries.h"
#include "platform/file_bytes.h"

// How an image of the file opens.
enum class EntryKind { Editable, Kept };

struct IconLayout {
  // Empty when the file opens; otherwise the reason, one of the icon
  // reader's messages.
  std::string error;
  int imageCount = 0;
  std::vector<EntryKind> kinds;
};

// The largest kept image in each direction (icons stop at 256 pixels); it
// bounds the memory twenty kept pictures take.
constexpr int KEPT_MAX_SIZE = 1024;

// Checks header, directory and every image. Images of 1, 4 or 8 bits of at
// most 64 x 64 pixels with a known colour count (2, 16, 0) are editable; 24 and 32-bit
// images, PNG images and larger images are kept. Refused: images that do not
// lie inside the file, other bit counts, compressed bitmaps and images
// larger than KEPT_MAX_SIZE. A count above ICON_MAX_IMAGES succeeds without
// looking past the header.
// A cursor file (type 2, hot spots where an icon has planes and bit count)
// is checked the same way when `cursor` is set.
IconLayout CheckIconLayout(const ByteBuffer& bytes, bool cursor = false);

// The kept image of a directory entry: its directory bytes, its data and
// what it is. The picture is left to the decoder. False when its bytes do
// not lie inside the file.
bool ReadKeptEntry(const ByteBuffer& bytes, std::size_t index, KeptEntry& kept);

// One image of the file to write: an ordinary tab or a kept image.
// Both are set for a tab written as bytes of its own (the bytes it was
// opened from, or its 32-bit image): the tab gives the hot spot.
struct IconPart {
  const ImageTab* image = nullptr;
  const KeptEntry* kept = nullptr;
  // The hot spot of an image with no tab (made at another size, or kept from
  // an input file); -1 when the tab's or the entry's own is meant.
  int hotSpotX = -1;
  int hotSpotY = -1;
};

// The file image of the parts in the order given: ordinary images written
// anew, kept images byte for byte with their own directory entries (only the
// offset changes). As a cursor (type 2) every entry carries a hot spot: the
// part's own, else its tab's, else the one a cursor's entry came with, else
// (0, 0). As an icon, an entry that came from a cursor gets the planes and
// bit count an icon's entry holds. A true-colour tab without bytes of its
// own is written as its 32-bit image (PNG at 256 pixels).
ByteBuffer SerializeIconParts(const std::vector<IconPart>& parts, bool cursor = false);

// The tabs in strip order, each as a kept image when it is one, and as the
// bytes it was opened from when it was opened from a file and not edited
// since (its history is still at its first snapshot).
std::vector<IconPart> IconPartsInStripOrder();

// Decodes the kept image's picture into its argb, or gives back why it
// cannot (a message). The main window sets the import's decoder; until
// then kept images are not decoded and show nothing.
using KeptPictureDecoder = std::string (*)(KeptEntry& kept);
void SetKeptPictureDecoder(KeptPictureDecoder decoder);
std::string DecodeKeptPicture(KeptEntry& kept);
