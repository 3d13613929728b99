#pragma once
// Turning a true-colour picture into an indexed image: scaled down to fit
// the largest image size, alpha cut at one half, and a palette of 2, 16 or
// 256 colours that holds the picture's colours exactly when they fit and is
// chosen by quantizing when they do not.

#include <cstdint>
#include <string>
#include <vector>

#include "import/alpha_cut.h"
#include "import/read.h"
#include "model/image_tab.h"
#include "platform/ui_text.h"

// The picture scaled to fit limit x limit with its aspect ratio kept, each
// side at least 1 pixel; a picture that fits comes back as it is. Pixels are
// averaged over the area they cover with alpha premultiplied, so colours of
// transparent pixels do not bleed into the edges.
RgbaPicture ScalePictureToFit(const RgbaPicture& picture, int limit);
// The picture scaled, up or down, so that its longer side is `limit`, its
// aspect ratio kept. Scaling up gives each source pixel a block of the
// same colour, blended only where a block boundary falls inside a pixel.
RgbaPicture ScalePictureToLonger(const RgbaPicture& picture, int limit);

// Distinct colours of the picture's opaque pixels.
int CountOpaqueColours(const RgbaPicture& picture);

// Windows draws an icon pixel as (screen AND mask) XOR colour, so a
// transparent pixel shows the screen only when its colour is black. True
// when the picture has transparent pixels and no opaque black pixel, so that
// its palette must hold a black entry beside its own colours.
bool NeedsBlackEntry(const RgbaPicture& picture);
// The picture's opaque colours plus the black entry it needs.
int ColoursNeeded(const RgbaPicture& picture);

// What importing a picture will do, for the user to see before it happens.
struct ImportPlan {
  int sourceWidth = 0;
  int sourceHeight = 0;
  int width = 0;
  int height = 0;
  // Distinct colours of the opaque pixels, before and after scaling.
  int sourceColours = 0;
  int scaledColours = 0;
  // 2, 16, or 0 for 256 colours.
  std::uint8_t colorCode = 2;
  // Pixels whose alpha is neither 0 nor 255, after scaling.
  int partialAlphaPixels = 0;
  // The picture as it will be converted, scaled to fit MAX_IMAGE_SIZE.
  RgbaPicture scaled;
};

ImportPlan PlanImport(const RgbaPicture& source);
// The plan of a decoded entry, from what the entry kept of its image.
ImportPlan PlanImport(const ImportEntry& entry);

// Keeps what the import needs of a full picture in the entry: its size,
// the distinct colours of its opaque pixels and the picture scaled to fit
// MAX_IMAGE_SIZE.
void KeepScaledPicture(const RgbaPicture& full, ImportEntry& entry);

// Fills the tab's width, height, colorCode, palette and cells from the
// picture, which must fit MAX_IMAGE_SIZE. Colours that fit the colour count
// are kept exactly; otherwise every pixel takes the nearest quantized colour,
// or, with dither, spreads its error to its neighbours (Floyd-Steinberg).
// Unused palette entries are black. A picture with transparent pixels always
// gets a black entry, taking one of the colours when the palette is full,
// and every transparent cell points at it.
void ConvertPicture(const RgbaPicture& picture, bool dither, ImageTab& tab);
// The same with the colour count given (2, 16 or 256): a picture with more
// colours than that is quantized down to it.
void ConvertPicture(const RgbaPicture& picture, int colourCount, bool dither, ImageTab& tab);

// The same with the share of the error that dithering passes on given; 0
// does not dither. For measuring the share.
void ConvertPictureWithShare(const RgbaPicture& picture, int colourCount, float ditherShare, ImageTab& tab);

// The palette index of every pixel (row by row) when the opaque pixels are
// dithered onto the palette (0xRRGGBB colours) with the share of the error
// passed on; transparent pixels get 0.
std::vector<int> DitheredIndexes(const RgbaPicture& picture, const std::vector<std::uint32_t>& palette, float share);

// The share of a pixel's error that dithering passes on to its neighbours.
// Passing on all of it scatters specks over one-pixel outlines and flat
// areas; the import benchmark (bench_import) measures the share chosen.
inline constexpr float IMPORT_DITHER_SHARE = 0.75f;

// 2 or 16 for a count that fits them, else 0 for 256 colours.
std::uint8_t CodeForColours(int colours);

// "32×32 → 32×32、256色", its wording translated by the lookup.
std::string DescribeResult(const ImportPlan& plan, TextLookup lookup = SameText);
// One line naming what the import loses, or that it loses nothing.
std::string DescribeLoss(const ImportPlan& plan, TextLookup lookup = SameText);
// The losses joined into one text, or that nothing is lost.
std::string JoinLosses(const std::vector<std::string>& losses, TextLookup lookup);
