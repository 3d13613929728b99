#include "resources/toolbar_icons.h"

#include <cstddef>
#include <span>
#include <string_view>

#include "resources/default_palettes.h"

namespace {

// The characters of the pictures and the palette entry each stands for: the
// position in this string is the index into the 16 classic colours (black,
// maroon, green, olive, navy, purple, teal, silver, grey, red, lime, yellow,
// blue, fuchsia, aqua, white). A '.' is a transparent pixel.
//   k black   m maroon  g green   o olive   n navy    p purple  t teal    s silver
//   d grey    r red     l lime    y yellow  b blue    f fuchsia c aqua    w white
constexpr std::string_view LEGEND = "kmgonptsdrlybfcw";
constexpr char TRANSPARENT = '.';

using Art = std::span<const std::string_view>;

// New file: a blank page with a folded corner.
constexpr std::string_view FILE0[] = {
    "................",
    "..kkkkkkkkk.....",
    "..kwwwwwwwkk....",
    "..kwwwwwwwksk...",
    "..kwwwwwwwkssk..",
    "..kwwwwwwwkkkkk.",
    "..kwwwwwwwwwwwk.",
    "..kwwwwwwwwwwwk.",
    "..kwwwwwwwwwwwk.",
    "..kwwwwwwwwwwwk.",
    "..kwwwwwwwwwwwk.",
    "..kwwwwwwwwwwwk.",
    "..kwwwwwwwwwwwk.",
    "..kwwwwwwwwwwwk.",
    "..kwwwwwwwwwwwk.",
    "..kkkkkkkkkkkkk.",
};

// Open: a folder with its front flap opened.
constexpr std::string_view FILE1[] = {
    "................",
    "................",
    "................",
    ".kkkk...........",
    "kooook..........",
    "kooooookkkkkkk..",
    "kooooooooooook..",
    "kooooooooooook..",
    "kooookkkkkkkkkkk",
    "koookyyyyyyyyyk.",
    "kookyyyyyyyyyk..",
    "kokyyyyyyyyyk...",
    "kkyyyyyyyyyk....",
    "kkkkkkkkkkk.....",
    "................",
    "................",
};

// Save: a floppy disk with its metal shutter and label.
constexpr std::string_view FILE2[] = {
    "................",
    ".kkkkkkkkkkkkkk.",
    ".kbbssssssssbbk.",
    ".kbbsskkssssbbk.",
    ".kbbsskkssssbbk.",
    ".kbbssssssssbbk.",
    ".kbbbbbbbbbbbbk.",
    ".kbbbbbbbbbbbbk.",
    ".kbbwwwwwwwwbbk.",
    ".kbbwddddddwbbk.",
    ".kbbwwwwwwwwbbk.",
    ".kbbwddddddwbbk.",
    ".kbbwwwwwwwwbbk.",
    ".kbbwwwwwwwwbbk.",
    ".kkkkkkkkkkkkkk.",
    "................",
};

// New palette: a painter's palette with a star.
constexpr std::string_view MKPAL[] = {
    "....kkkkkkk.....",
    "..kkwwwwwwwkk...",
    ".kwwrrwwwbbwwk..",
    "kwwwrrwwwbbwwwk.",
    "kwllwwwwwwwwwwk.",
    "kwllwwwkkwwwyyk.",
    "kwwwwwk..kwwyyk.",
    ".kwwwwk..kwwwk..",
    "..kwwwwkkww.....",
    "...kkwwwww..k...",
    ".....kkk...kyk..",
    ".........kkkyykk",
    ".........kyyyyyk",
    "..........kyyyk.",
    ".........kyykyyk",
    ".........kk...kk",
};

// Open palette: a painter's palette with a folder.
constexpr std::string_view LDPAL[] = {
    "....kkkkkkk.....",
    "..kkwwwwwwwkk...",
    ".kwwrrwwwbbwwk..",
    "kwwwrrwwwbbwwwk.",
    "kwllwwwwwwwwwwk.",
    "kwllwwwkkwwwyyk.",
    "kwwwwwk..kwwyyk.",
    ".kwwwwk..kwwwk..",
    "..kwwwwkkwwwk...",
    "...kkww.........",
    ".....kk.kkk.....",
    "........kyykkkkk",
    "........kyyyyyyk",
    "........kyyyyyyk",
    "........kyyyyyyk",
    "........kkkkkkkk",
};

// Save palette: a painter's palette with a floppy disk.
constexpr std::string_view SVPAL[] = {
    "....kkkkkkk.....",
    "..kkwwwwwwwkk...",
    ".kwwrrwwwbbwwk..",
    "kwwwrrwwwbbwwwk.",
    "kwllwwwwwwwwwwk.",
    "kwllwwwkkwwwyyk.",
    "kwwwwwk..kwwyyk.",
    ".kwwwwk..kwwwk..",
    "..kwwwwk........",
    "...kkwww.kkkkkkk",
    ".....kkk.kbsskbk",
    ".........kbsskbk",
    ".........kbbbbbk",
    ".........kbwwwbk",
    ".........kbwwwbk",
    ".........kkkkkkk",
};

// Add tab: a tab strip over a page; the front tab carries a green plus.
constexpr std::string_view ADDTAB[] = {
    "................",
    "........kkkkkkk.",
    ".......kwwwwwwwk",
    ".......kwwgggwwk",
    ".kkkkk.kwwgggwwk",
    "kssssskkgggggggk",
    "kssssskkgggggggk",
    "kssssskkgggggggk",
    "kssssskkwwgggwwk",
    "kssssskkwwgggwwk",
    "kssssskkwwwwwwwk",
    "kkkkkkkkwwwwwwwk",
    "kwwwwwwwwwwwwwwk",
    "kwwwwwwwwwwwwwwk",
    "kkkkkkkkkkkkkkkk",
    "................",
};

// Delete tab: a tab strip over a page; the front tab carries a red cross.
constexpr std::string_view DELTAB[] = {
    "................",
    "........kkkkkkk.",
    ".......kwwwwwwwk",
    ".......krrwwwrrk",
    ".kkkkk.krrrwrrrk",
    "kssssskkwrrrrrwk",
    "kssssskkwwrrrwwk",
    "kssssskkwrrrrrwk",
    "kssssskkrrrwrrrk",
    "kssssskkrrwwwrrk",
    "kssssskkwwwwwwwk",
    "kkkkkkkkwwwwwwwk",
    "kwwwwwwwwwwwwwwk",
    "kwwwwwwwwwwwwwwk",
    "kkkkkkkkkkkkkkkk",
    "................",
};

// Undo: an arrow that turns back to the left.
constexpr std::string_view UNDO[] = {
    "................",
    ".....b..........",
    "....bb..........",
    "...bbb..........",
    "..bbbbbbbbbb....",
    ".bbbbbbbbbbbbb..",
    "..bbbbbbbbbbbbb.",
    "...bbb.....bbbb.",
    "....bb......bbb.",
    ".....b......bbb.",
    "............bbb.",
    "...........bbbb.",
    ".....bbbbbbbbbb.",
    ".....bbbbbbbbb..",
    ".....bbbbbbb....",
    "................",
};

// Redo: the undo arrow mirrored, turning on to the right.
constexpr std::string_view REDO[] = {
    "................",
    "..........b.....",
    "..........bb....",
    "..........bbb...",
    "....bbbbbbbbbb..",
    "..bbbbbbbbbbbbb.",
    ".bbbbbbbbbbbbb..",
    ".bbbb.....bbb...",
    ".bbb......bb....",
    ".bbb......b.....",
    ".bbb............",
    ".bbbb...........",
    ".bbbbbbbbbb.....",
    "..bbbbbbbbb.....",
    "....bbbbbbb.....",
    "................",
};

// Cut: a pair of scissors with red handles.
constexpr std::string_view CUT[] = {
    "..k..........k..",
    "..kk........kk..",
    "...k........k...",
    "...kk......kk...",
    "....k......k....",
    "....kk....kk....",
    ".....kk..kk.....",
    "......kkkk......",
    ".......kk.......",
    "......rkkr......",
    ".....rr..rr.....",
    "..rrrr....rrrr..",
    ".r...r....r...r.",
    ".r...r....r...r.",
    ".r...r....r...r.",
    "..rrr......rrr..",
};

// Copy: two overlapping pages.
constexpr std::string_view COPY[] = {
    "kkkkkkkkkk......",
    "kwwwwwwwwk......",
    "kwddddddwk......",
    "kwwwwwwwwk......",
    "kwddddddwk......",
    "kwwwwwkkkkkkkkkk",
    "kwddddkwwwwwwwwk",
    "kwwwwwkwddddddwk",
    "kwddddkwwwwwwwwk",
    "kwwwwwkwddddddwk",
    "kkkkkkkwwwwwwwwk",
    "......kwddddddwk",
    "......kwwwwwwwwk",
    "......kwddddddwk",
    "......kwwwwwwwwk",
    "......kkkkkkkkkk",
};

// Paste: a clipboard with a sheet on it.
constexpr std::string_view PASTE[] = {
    "......kkkk......",
    ".kkkkkdssdkkkkk.",
    ".kookddddddkook.",
    ".koookkkkkkoook.",
    ".koowwwwwwwwook.",
    ".koowddddddwook.",
    ".koowwwwwwwwook.",
    ".koowddddddwook.",
    ".koowwwwwwwwook.",
    ".koowddddddwook.",
    ".koowwwwwwwwook.",
    ".koowddddwwwook.",
    ".koowwwwwwwwook.",
    ".kooooooooooook.",
    ".kkkkkkkkkkkkkk.",
    "................",
};

// The drop-down arrow beside the paste button.
constexpr std::string_view DDOWN[] = {
    "........",
    "........",
    "........",
    "........",
    "........",
    "........",
    "........",
    ".kkkkk..",
    "..kkk...",
    "...k....",
    "........",
    "........",
    "........",
    "........",
    "........",
    "........",
};

// Delete: a bold red cross.
constexpr std::string_view DELETE[] = {
    "................",
    "................",
    "..rr........rr..",
    "..rrr......rrr..",
    "...rrr....rrr...",
    "....rrr..rrr....",
    ".....rrrrrr.....",
    "......rrrr......",
    "......rrrr......",
    ".....rrrrrr.....",
    "....rrr..rrr....",
    "...rrr....rrr...",
    "..rrr......rrr..",
    "..rr........rr..",
    "................",
    "................",
};

// Grid lines on and off: a grid of four by four cells.
constexpr std::string_view GRID[] = {
    "................",
    ".kkkkkkkkkkkkk..",
    ".kwwkwwkwwkwwk..",
    ".kwwkwwkwwkwwk..",
    ".kkkkkkkkkkkkk..",
    ".kwwkwwkwwkwwk..",
    ".kwwkwwkwwkwwk..",
    ".kkkkkkkkkkkkk..",
    ".kwwkwwkwwkwwk..",
    ".kwwkwwkwwkwwk..",
    ".kkkkkkkkkkkkk..",
    ".kwwkwwkwwkwwk..",
    ".kwwkwwkwwkwwk..",
    ".kkkkkkkkkkkkk..",
    "................",
    "................",
};

// Shift left.
constexpr std::string_view LEFT[] = {
    "................",
    "................",
    "......kk........",
    ".....kgk........",
    "....kggk........",
    "...kgggkkkkkkkk.",
    "..kggggggggggggk",
    ".kgggggggggggggk",
    ".kgggggggggggggk",
    "..kggggggggggggk",
    "...kgggkkkkkkkk.",
    "....kggk........",
    ".....kgk........",
    "......kk........",
    "................",
    "................",
};

// Shift right.
constexpr std::string_view RIGHT[] = {
    "................",
    "................",
    "........kk......",
    "........kgk.....",
    "........kggk....",
    ".kkkkkkkkgggk...",
    "kggggggggggggk..",
    "kgggggggggggggk.",
    "kgggggggggggggk.",
    "kggggggggggggk..",
    ".kkkkkkkkgggk...",
    "........kggk....",
    "........kgk.....",
    "........kk......",
    "................",
    "................",
};

// Shift up.
constexpr std::string_view UP[] = {
    "................",
    ".......kk.......",
    "......kggk......",
    ".....kggggk.....",
    "....kggggggk....",
    "...kggggggggk...",
    "..kggggggggggk..",
    "..kkkkggggkkkk..",
    ".....kggggk.....",
    ".....kggggk.....",
    ".....kggggk.....",
    ".....kggggk.....",
    ".....kggggk.....",
    ".....kggggk.....",
    ".....kggggk.....",
    "......kkkk......",
};

// Shift down.
constexpr std::string_view DOWN[] = {
    "......kkkk......",
    ".....kggggk.....",
    ".....kggggk.....",
    ".....kggggk.....",
    ".....kggggk.....",
    ".....kggggk.....",
    ".....kggggk.....",
    ".....kggggk.....",
    "..kkkkggggkkkk..",
    "..kggggggggggk..",
    "...kggggggggk...",
    "....kggggggk....",
    ".....kggggk.....",
    "......kggk......",
    ".......kk.......",
    "................",
};

// Flip left-right: a triangle and its mirror image beside a dashed axis.
constexpr std::string_view LRCNG[] = {
    ".......k........",
    ".......k........",
    ".....n.........n",
    "....nn..k.....nn",
    "...nbn..k....n.n",
    "..nbbn......n..n",
    ".nbbbn..k..n...n",
    "nbbbbn..k.n....n",
    ".nbbbn.....n...n",
    "..nbbn..k...n..n",
    "...nbn..k....n.n",
    "....nn........nn",
    ".....n..k......n",
    "........k.......",
    "................",
    "........k.......",
};

// Flip upside down: a triangle and its mirror image beside a dashed axis.
constexpr std::string_view UDCNG[] = {
    "................",
    ".......n........",
    "......nbn.......",
    ".....nbbbn......",
    "....nbbbbbn.....",
    "...nbbbbbbbn....",
    "..nnnnnnnnnnn...",
    "................",
    "kk.kk.kk.kk.kk.k",
    "................",
    "..nnnnnnnnnnn...",
    "...n.......n....",
    "....n.....n.....",
    ".....n...n......",
    "......n.n.......",
    ".......n........",
};

// Rotate: a circular arrow.
constexpr std::string_view TURN360[] = {
    "........g.......",
    "........gg......",
    "........ggg.....",
    ".....ggggggg....",
    "...ggggggggg....",
    "...ggg..ggg.....",
    "..ggg...gg......",
    "..gg....g.......",
    "..gg........gg..",
    "..gg........gg..",
    "..gg........gg..",
    "..ggg......ggg..",
    "...ggg....ggg...",
    "...gggggggggg...",
    ".....gggggg.....",
    "................",
};

// Leave the background: an eraser.
constexpr std::string_view KESIGOMU[] = {
    "................",
    "...........kk...",
    "..........kbbk..",
    ".........kbbbbk.",
    "........kbbbbbk.",
    ".......kbbbbbk..",
    "......kbbbbbk...",
    ".....kwbbbbk....",
    "....kwwwbbk.....",
    "...kwwwwwk......",
    "..kwwwwwk.......",
    ".kwwwwwk........",
    ".kwwwwk.........",
    "..kwwk..........",
    "...kk...........",
    "................",
};

// Range select: a dashed rectangle.
constexpr std::string_view hani[] = {
    "................",
    "................",
    ".kkwwkkwwkkwwkk.",
    ".k............k.",
    ".k............w.",
    ".w............w.",
    ".w............k.",
    ".k............k.",
    ".k............w.",
    ".w............w.",
    ".w............k.",
    ".k............k.",
    ".kkwwkkwwkkwwkk.",
    "................",
    "................",
    "................",
};

// Normal pen: a pencil.
constexpr std::string_view PEN0[] = {
    ".............kk.",
    "............kffk",
    "...........kfffk",
    "..........ksffk.",
    ".........ksssk..",
    "........kyysk...",
    ".......kyyok....",
    "......kyyok.....",
    ".....kyyok......",
    "....kyyok.......",
    "...kyyok........",
    "..kwwwk.........",
    ".kwwwk..........",
    ".kkwk...........",
    "kkk.............",
    "................",
};

// Fill: a paint bucket pouring paint.
constexpr std::string_view PEN1[] = {
    "................",
    "......kkkk......",
    ".....k....k.....",
    ".....k.....k....",
    ".....kk.....k...",
    "....ksbk....k...",
    "...kwssbk...k...",
    "..kwwsssbk..k...",
    ".kwwssssbbk.k...",
    "kwwsssssbbbbk...",
    ".kwsssssskbbk...",
    "..kssssskkbbk...",
    "...ksssk.kbbk...",
    "....ksk..kbbk...",
    ".....k..kbbbbk..",
    ".........kkkk...",
};

// Straight line.
constexpr std::string_view PEN2[] = {
    "................",
    "................",
    ".............k..",
    "............k...",
    "...........k....",
    "..........k.....",
    ".........k......",
    "........k.......",
    ".......k........",
    "......k.........",
    ".....k..........",
    "....k...........",
    "...k............",
    "..k.............",
    "................",
    "................",
};

// Circle.
constexpr std::string_view PEN3[] = {
    "................",
    ".....kkkkkk.....",
    "...kk......kk...",
    "..k..........k..",
    "..k..........k..",
    ".k............k.",
    ".k............k.",
    ".k............k.",
    ".k............k.",
    ".k............k.",
    ".k............k.",
    "..k..........k..",
    "..k..........k..",
    "...kk......kk...",
    ".....kkkkkk.....",
    "................",
};

// Rectangle.
constexpr std::string_view PENRECT[] = {
    "................",
    "................",
    ".kkkkkkkkkkkkkk.",
    ".k............k.",
    ".k............k.",
    ".k............k.",
    ".k............k.",
    ".k............k.",
    ".k............k.",
    ".k............k.",
    ".k............k.",
    ".k............k.",
    ".k............k.",
    ".kkkkkkkkkkkkkk.",
    "................",
    "................",
};

// Filled rectangle.
constexpr std::string_view PENFRECT[] = {
    "................",
    "................",
    ".kkkkkkkkkkkkkk.",
    ".kkkkkkkkkkkkkk.",
    ".kkkkkkkkkkkkkk.",
    ".kkkkkkkkkkkkkk.",
    ".kkkkkkkkkkkkkk.",
    ".kkkkkkkkkkkkkk.",
    ".kkkkkkkkkkkkkk.",
    ".kkkkkkkkkkkkkk.",
    ".kkkkkkkkkkkkkk.",
    ".kkkkkkkkkkkkkk.",
    ".kkkkkkkkkkkkkk.",
    ".kkkkkkkkkkkkkk.",
    "................",
    "................",
};

// Filled circle.
constexpr std::string_view PENFCIRC[] = {
    "................",
    ".....kkkkkk.....",
    "...kkkkkkkkkk...",
    "..kkkkkkkkkkkk..",
    "..kkkkkkkkkkkk..",
    ".kkkkkkkkkkkkkk.",
    ".kkkkkkkkkkkkkk.",
    ".kkkkkkkkkkkkkk.",
    ".kkkkkkkkkkkkkk.",
    ".kkkkkkkkkkkkkk.",
    ".kkkkkkkkkkkkkk.",
    "..kkkkkkkkkkkk..",
    "..kkkkkkkkkkkk..",
    "...kkkkkkkkkk...",
    ".....kkkkkk.....",
    "................",
};

// Text: a bold letter A.
constexpr std::string_view MOJI[] = {
    "................",
    "......kkk.......",
    "......kkk.......",
    ".....kkkkk......",
    ".....kk.kk......",
    "....kkk.kkk.....",
    "....kk...kk.....",
    "...kkk...kkk....",
    "...kkkkkkkkk....",
    "..kkkkkkkkkkk...",
    "..kk.......kk...",
    ".kkk.......kkk..",
    ".kk.........kk..",
    "kkkkk.....kkkkk.",
    "................",
    "................",
};

// The symbol on every tab of the tab strip: a small framed picture.
constexpr std::string_view tab[] = {
    "............",
    "kkkkkkkkkkkk",
    "kccccccccyyk",
    "kccccccccyyk",
    "kccccgccccck",
    "kcccgggcccck",
    "kccgggggcgck",
    "kcgggggggggk",
    "kggggggggggk",
    "kggggggggggk",
    "kkkkkkkkkkkk",
    "............",
};

// The program's own icon: a quill over a grid of pixels.
constexpr std::string_view quillet2[] = {
    "................................",
    ".............................k..",
    "..........................kkkwk.",
    ".......................kkkwwwk..",
    "....................kkkwwwwdwk..",
    "...................kwwwwwwdwk...",
    "..................kwwwwwwdwsk...",
    "..................kwwwwwdwsk....",
    "................kwwwwwwdwssk....",
    "...............kwwwwwwdwssk.....",
    "...............kwwwwwdwssk......",
    "................kwwwdwsssk......",
    "...............kwwwdwsssk.......",
    "................kwdwsssk........",
    "................kowsssk.........",
    "...............kokkkkk..........",
    ".dddddddddddddkok...............",
    ".drrdrrdwwdrrkkkd...............",
    ".drrdrrdwwdrrkkrd...............",
    ".dddddddddddkdddd...............",
    ".drrdrrdrrdrrdrrd...............",
    ".drrdrrdrrdrrdrrd...............",
    ".dddddddddddddddd...............",
    ".drrdrrdrrdrrdrrd...............",
    ".drrdrrdrrdrrdrrd...............",
    ".dddddddddddddddd...............",
    ".dwwdrrdrrdrrdwwd...............",
    ".dwwdrrdrrdrrdwwd...............",
    ".dddddddddddddddd...............",
    ".dwwdwwdrrdwwdwwd...............",
    ".dwwdwwdrrdwwdwwd...............",
    ".dddddddddddddddd...............",
};

struct NamedArt {
  std::string_view fileName;
  Art rows;
};

// A picture is usable when it is 1 to 64 pixels each way, every row is as
// long as the first, and every character is in the legend or transparent.
constexpr bool IsWellFormed(Art rows) {
  if (rows.empty() || rows.size() > MAX_IMAGE_SIZE) return false;
  const std::size_t width = rows[0].size();
  if (width == 0 || width > MAX_IMAGE_SIZE) return false;
  for (std::string_view row : rows) {
    if (row.size() != width) return false;
    for (char c : row)
      if (c != TRANSPARENT && LEGEND.find(c) == std::string_view::npos) return false;
  }
  return true;
}

// Deliberately not constexpr: Picture() calls it only for a broken picture,
// and a call while the table below is compiled stops the build at that
// picture's entry with this name in the message.
void PictureHasBadRowOrLetter() {}

consteval NamedArt Picture(std::string_view fileName, Art rows) {
  if (!IsWellFormed(rows)) PictureHasBadRowOrLetter();
  return {fileName, rows};
}

// Toolbar order first, then the tab symbol and the program icon.
constexpr NamedArt PICTURES[] = {
    Picture("FILE0", FILE0),       Picture("FILE1", FILE1),   Picture("FILE2", FILE2),
    Picture("MKPAL", MKPAL),       Picture("LDPAL", LDPAL),   Picture("SVPAL", SVPAL),
    Picture("ADDTAB", ADDTAB),     Picture("DELTAB", DELTAB), Picture("UNDO", UNDO),
    Picture("REDO", REDO),         Picture("CUT", CUT),       Picture("COPY", COPY),
    Picture("PASTE", PASTE),       Picture("DDOWN", DDOWN),   Picture("DELETE", DELETE),
    Picture("GRID", GRID),         Picture("LEFT", LEFT),     Picture("RIGHT", RIGHT),
    Picture("UP", UP),             Picture("DOWN", DOWN),     Picture("LRCNG", LRCNG),
    Picture("UDCNG", UDCNG),       Picture("TURN360", TURN360), Picture("KESIGOMU", KESIGOMU),
    Picture("hani", hani),         Picture("PEN0", PEN0),     Picture("PEN1", PEN1),
    Picture("PEN2", PEN2),         Picture("PEN3", PEN3),
    Picture("PENRECT", PENRECT),   Picture("PENFRECT", PENFRECT), Picture("PENFCIRC", PENFCIRC),
    Picture("MOJI", MOJI),
    Picture("tab", tab),           Picture("quillet2", quillet2),
};

void DecodeArt(Art rows, ImageTab& image) {
  image.width = static_cast<std::uint8_t>(rows[0].size());
  image.height = static_cast<std::uint8_t>(rows.size());
  image.colorCode = 16;
  const std::vector<ColorRef> colors = DefaultPaletteColors(16);
  for (std::size_t i = 0; i < colors.size(); ++i) image.palette[i] = colors[i];
  ClearTabPixels(image);
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x) {
      const char c = rows[y][x];
      if (c != TRANSPARENT) CellAt(image, x, y) = static_cast<PixelCell>(LEGEND.find(c));
    }
}

}  // namespace

std::vector<IconPicture> ToolbarIconPictures() {
  std::vector<IconPicture> pictures(std::size(PICTURES));
  for (std::size_t i = 0; i < pictures.size(); ++i) {
    pictures[i].fileName = std::string(PICTURES[i].fileName);
    DecodeArt(PICTURES[i].rows, pictures[i].image);
  }
  return pictures;
}
