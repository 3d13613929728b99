#include "import/targets.h"

#include <algorithm>
#include <cstdint>

#include "import/palette_import.h"
#include "import/svg_render.h"

namespace {

int Longer(const ImportEntry& entry) { return std::max(entry.width, entry.height); }

std::string Size(int w, int h) { return std::to_string(w) + "×" + std::to_string(h); }

}  // namespace

bool FitsAsItIs(const ImportEntry& entry) { return entry.width <= MAX_IMAGE_SIZE && entry.height <= MAX_IMAGE_SIZE; }

ImportTarget DefaultImportTarget(const ImportEntry& entry) {
  ImportTarget target;
  int size = IMPORT_SIZE_AS_IT_IS;
  if (!FitsAsItIs(entry))
    size = MAX_IMAGE_SIZE;
  else if (entry.width == entry.height && std::count(std::begin(IMPORT_SIZES), std::end(IMPORT_SIZES), entry.width))
    size = entry.width;
  target.sizes = {size};
  // A transparent margin needs a black entry beside the picture's colours.
  const int colours = ColoursNeeded(size == IMPORT_SIZE_AS_IT_IS || size == entry.width
                                        ? entry.picture
                                        : FitPictureInSquare(entry.picture, size));
  target.colours = ColorCountOfCode(CodeForColours(colours));
  return target;
}

int BestEntryForSize(const std::vector<ImportEntry>& entries, int row, int size) {
  if (Longer(entries[row]) == size) return row;
  int best = -1;
  const auto better = [&](const ImportEntry& a, const ImportEntry& b) {
    const int la = Longer(a), lb = Longer(b);
    if (la != lb) {
      // Of two entries on the same side of the size, the one nearer to it;
      // one at least as large beats one smaller.
      if ((la >= size) != (lb >= size)) return la >= size;
      return la >= size ? la < lb : la > lb;
    }
    return a.bitCount > b.bitCount;
  };
  // Only an entry of the row's proportions shows the same picture; an icon
  // file may also hold unrelated images of other shapes.
  const ImportEntry& own = entries[row];
  const auto sameShape = [&own](const ImportEntry& e) {
    return std::int64_t{e.width} * own.height == std::int64_t{own.width} * e.height;
  };
  for (std::size_t i = 0; i < entries.size(); ++i)
    if (entries[i].problem.empty() && sameShape(entries[i]) && (best < 0 || better(entries[i], entries[best])))
      best = static_cast<int>(i);
  return best < 0 ? row : best;
}

RgbaPicture FitPictureInSquare(const RgbaPicture& picture, int size) {
  const RgbaPicture scaled = ScalePictureToLonger(picture, size);
  RgbaPicture square;
  square.width = square.height = size;
  square.pixels.assign(static_cast<std::size_t>(size) * size, 0);
  const int left = (size - scaled.width) / 2;
  const int top = (size - scaled.height) / 2;
  for (int y = 0; y < scaled.height; ++y)
    std::copy_n(&scaled.pixels[static_cast<std::size_t>(y) * scaled.width], scaled.width,
                &square.pixels[static_cast<std::size_t>(top + y) * size + left]);
  return square;
}

std::string RenderImportSvg(const ImportEntry& entry, int size, RgbaPicture& picture) {
  if (entry.svg == nullptr) return IMPORT_SVG_UNREADABLE;
  if (size == IMPORT_SIZE_AS_IT_IS) return RenderSvg(*entry.svg, entry.width, entry.height, picture);
  return RenderSvg(*entry.svg, size, size, picture);
}

ImportMade MakeImportImage(const std::vector<ImportEntry>& entries, int row, int size, int colours, bool dither,
                           const AlphaCut& alpha, const std::vector<ColorRef>& palette) {
  ImportMade made;
  made.size = size;
  made.colours = colours;
  made.entry = size == IMPORT_SIZE_AS_IT_IS ? row : BestEntryForSize(entries, row, size);
  const ImportEntry& entry = entries[made.entry];
  made.cursor = entry.cursor;
  made.sourceWidth = entry.width;
  made.sourceHeight = entry.height;
  // The entry keeps its picture scaled to fit MAX_IMAGE_SIZE, so every size
  // offered is made from that and the full image is never decoded again.
  // An SVG is rendered afresh at each size instead.
  RgbaPicture picture;
  made.rendered = entry.svg != nullptr && RenderImportSvg(entry, size, picture).empty();
  if (!made.rendered)
    picture = size == IMPORT_SIZE_AS_IT_IS ? entry.picture : FitPictureInSquare(entry.picture, size);
  const RgbaPicture content = size == IMPORT_SIZE_AS_IT_IS ? entry.picture : ScalePictureToLonger(entry.picture, size);
  made.contentWidth = content.width;
  made.contentHeight = content.height;
  for (std::uint32_t p : picture.pixels)
    if (AlphaOf(p) != 0 && AlphaOf(p) != 255) ++made.partialAlphaPixels;
  const bool ownCut = alpha == AlphaCut{};
  if (!ownCut) picture = ApplyAlphaCut(picture, alpha);
  made.pictureColours = ownCut && picture.width == entry.width && picture.height == entry.height
                            ? entry.sourceColours
                            : CountOpaqueColours(picture);
  made.blackTakesColour = palette.empty() && NeedsBlackEntry(picture) && made.pictureColours >= colours;
  made.image = std::make_unique<ImageTab>();
  if (!palette.empty()) {
    const PaletteMapping mapping = ConvertPictureToPalette(picture, palette, dither, *made.image);
    made.colours = ColorCountOfCode(made.image->colorCode);
    made.givenPaletteColours = static_cast<int>(palette.size());
    if (!mapping.blackUnderMask) made.transparentWithoutBlack = mapping.transparentPixels;
    made.blackAddedToPalette = mapping.blackAdded;
    return made;
  }
  ConvertPicture(picture, colours, dither, *made.image);
  return made;
}

std::vector<ImportMade> MakeImportImages(const std::vector<ImportEntry>& entries, int row,
                                         const ImportTarget& target, bool dither, const AlphaCut& alpha) {
  std::vector<ImportMade> made;
  for (int size : target.sizes)
    made.push_back(MakeImportImage(entries, row, size, target.colours, dither, alpha, target.palette));
  return made;
}

std::string DescribeMadeLoss(const ImportMade& made, TextLookup lookup) {
  std::vector<std::string> losses;
  if (made.rendered) {
    // A drawing rendered at the size loses nothing to scaling.
  } else if (made.contentWidth < made.sourceWidth || made.contentHeight < made.sourceHeight)
    losses.push_back(
        FillText(lookup(QT_TRANSLATE_NOOP("Quillet2", "%1に縮小")), {Size(made.contentWidth, made.contentHeight)}));
  else if (made.contentWidth > made.sourceWidth || made.contentHeight > made.sourceHeight)
    losses.push_back(
        FillText(lookup(QT_TRANSLATE_NOOP("Quillet2", "%1に拡大")), {Size(made.contentWidth, made.contentHeight)}));
  if (made.givenPaletteColours > 0)
    losses.push_back(FillText(lookup(QT_TRANSLATE_NOOP("Quillet2", "パレットの%1色に合わせる")),
                              {std::to_string(made.givenPaletteColours)}));
  else if (made.pictureColours > made.colours)
    losses.push_back(FillText(lookup(QT_TRANSLATE_NOOP("Quillet2", "%1色を%2色にまとめる")),
                              {std::to_string(made.pictureColours), std::to_string(made.colours)}));
  if (made.partialAlphaPixels > 0)
    losses.push_back(FillText(lookup(QT_TRANSLATE_NOOP("Quillet2", "半透明の%1画素を透明か不透明にする")),
                              {std::to_string(made.partialAlphaPixels)}));
  if (made.blackAddedToPalette)
    losses.push_back(FillText(lookup(QT_TRANSLATE_NOOP("Quillet2", "パレットに黒がないので、透明な画素の下に置く黒を加えて%1色にする")),
                              {std::to_string(made.colours)}));
  if (made.transparentWithoutBlack > 0)
    losses.push_back(FillText(lookup(QT_TRANSLATE_NOOP("Quillet2", "パレットに黒がなく、透明の%1画素が画面の色と混ざる")),
                              {std::to_string(made.transparentWithoutBlack)}));
  if (made.blackTakesColour) losses.push_back(lookup(IMPORT_BLACK_TAKES_COLOUR));
  if (made.cursor) losses.push_back(lookup(QT_TRANSLATE_NOOP("Quillet2", "カーソルのホットスポット")));
  const ImageTab& image = *made.image;
  return FillText(lookup(QT_TRANSLATE_NOOP("Quillet2", "%1 → %2、%3色：%4")),
                  {Size(made.sourceWidth, made.sourceHeight), Size(image.width, image.height),
                   std::to_string(made.colours), JoinLosses(losses, lookup)});
}
