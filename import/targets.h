#pragma once
// What the import makes of a chosen image: one or more sizes, each an image
// of its own, and a colour count. The import dialog, its previews and the
// command line all make their images here, so they give the same result.

#include <memory>
#include <string>
#include <vector>

#include "import/alpha_cut.h"
#include "import/convert.h"
#include "import/read.h"
#include "model/image_tab.h"
#include "platform/ui_text.h"

inline constexpr const char* IMPORT_BLACK_TAKES_COLOUR =
    QT_TRANSLATE_NOOP("Quillet2", "透明な画素の下に置く黒で1色を使う");

// The square sizes offered, smallest first.
inline constexpr int IMPORT_SIZES[] = {16, 20, 24, 32, 40, 48, 64};
// The size that keeps the image's own width and height; offered only for
// an image that fits MAX_IMAGE_SIZE.
constexpr int IMPORT_SIZE_AS_IT_IS = 0;
inline constexpr int IMPORT_COLOUR_COUNTS[] = {2, 16, 256};

struct ImportTarget {
  // Ascending, IMPORT_SIZE_AS_IT_IS first when chosen; never empty once
  // chosen by the user.
  std::vector<int> sizes;
  // 2, 16 or 256.
  int colours = 256;
  // The palette to map onto instead of choosing one; empty to choose.
  std::vector<ColorRef> palette;
};

bool FitsAsItIs(const ImportEntry& entry);

// The image's own size when it fits MAX_IMAGE_SIZE (the square size of that
// name for a square image of a listed size), else 64; the smallest count
// that holds its colours exactly, else 256.
ImportTarget DefaultImportTarget(const ImportEntry& entry);

// The readable entry a square size is made from: the row's own entry when
// it has that size, else an entry of that size, else the smallest larger
// one, else the largest, of the entries with the row's proportions. Among
// entries of one size the deepest wins. An entry's size is its longer side.
int BestEntryForSize(const std::vector<ImportEntry>& entries, int row, int size);

// The picture scaled so that its longer side is `size` (up or down), its
// aspect kept, centred in a size x size square with a transparent margin.
RgbaPicture FitPictureInSquare(const RgbaPicture& picture, int size);

// The SVG entry's drawing rendered for a size: fitted and centred in a
// size x size square, or at the drawing's own size for
// IMPORT_SIZE_AS_IT_IS. Gives back an empty string or why not.
std::string RenderImportSvg(const ImportEntry& entry, int size, RgbaPicture& picture);

// One image the import makes, with what it loses.
struct ImportMade {
  int entry = 0;
  int size = IMPORT_SIZE_AS_IT_IS;
  int colours = 256;
  bool cursor = false;
  // Rendered from an SVG at its size, so no scaling was lost.
  bool rendered = false;
  // The size of the entry it was made from, and of the picture inside the
  // result (smaller than the result when the square has a margin).
  int sourceWidth = 0;
  int sourceHeight = 0;
  int contentWidth = 0;
  int contentHeight = 0;
  // Distinct opaque colours of the picture before it is reduced.
  int pictureColours = 0;
  int partialAlphaPixels = 0;
  // The colours of the palette given to map onto; 0 when it was chosen.
  int givenPaletteColours = 0;
  // Transparent pixels that have no black entry to show the screen through.
  int transparentWithoutBlack = 0;
  // The given palette had no black, and the one added after its colours
  // made the image take a larger colour count.
  bool blackAddedToPalette = false;
  // The palette is full and one of its colours went to the black that the
  // transparent pixels show under the mask.
  bool blackTakesColour = false;
  std::unique_ptr<ImageTab> image;
};

// Makes one image for the row at one size, its soft edges cut as `alpha`
// says. An SVG entry is rendered at that size; should that render fail
// (it rendered once already, when the file was read), its kept picture is
// scaled instead. With a palette given (not empty) the picture is mapped onto it and
// `colours` is not used.
ImportMade MakeImportImage(const std::vector<ImportEntry>& entries, int row, int size, int colours, bool dither,
                           const AlphaCut& alpha = {}, const std::vector<ColorRef>& palette = {});
// Every image of the row's target, in the order of its sizes.
std::vector<ImportMade> MakeImportImages(const std::vector<ImportEntry>& entries, int row,
                                         const ImportTarget& target, bool dither, const AlphaCut& alpha = {});

// "256×256 → 32×32、16色：32×32に縮小、300色を16色にまとめる": the target,
// then what it loses, or that it loses nothing.
std::string DescribeMadeLoss(const ImportMade& made, TextLookup lookup = SameText);
