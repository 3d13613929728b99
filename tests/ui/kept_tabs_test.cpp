// Opening an icon family: every image in a tab of its own, the ones the
// editor cannot edit kept as they are, shown with their alpha, closed to the
// editing commands, copied into ordinary tabs as the import makes them, and
// written back byte for byte when the file is saved.

#include <QAbstractButton>
#include <QAction>
#include <QBuffer>
#include <QImage>
#include <QLabel>
#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "app/command_ids.h"
#include "app/commands.h"
#include "app/menus.h"
#include "app/recovery_tabs.h"
#include "app/toolbar.h"
#include "canvas/edit_view.h"
#include "fileio/dib_reading.h"
#include "fileio/kept_entries.h"
#include "fileio/open_flow.h"
#include "fileio/plain_save.h"
#include "fileio/save_flow.h"
#include "fileio/true_colour_save.h"
#include "import/decode.h"
#include "import/targets.h"
#include "model/change_hub.h"
#include "model/kept_entries.h"
#include "platform/qt_colors.h"
#include "platform/system_colors.h"
#include "tests/support/family_icon.h"
#include "tests/ui/file_flow_fixture.h"

namespace {

using KeptTabs = FileFlowTest;

// A 256 x 256 picture with soft alpha, saved as PNG by Qt.
ByteBuffer PngBytes() {
  QImage picture(256, 256, QImage::Format_ARGB32);
  for (int y = 0; y < 256; ++y)
    for (int x = 0; x < 256; ++x) picture.setPixel(x, y, qRgba(x, y, 255 - x, (x + y) / 2));
  QByteArray data;
  QBuffer buffer(&data);
  buffer.open(QIODevice::WriteOnly);
  picture.save(&buffer, "PNG");
  return ByteBuffer(data.begin(), data.end());
}

void ShowPosition(int position) {
  tabSet.currentPosition = position;
  ShowCurrentPosition();
}

// The pixel of a 32-bit bitmap image as 0xAARRGGBB, and its AND-mask bit.
std::uint32_t PixelOf32BitImage(const ByteBuffer& image, int x, int y, bool& masked) {
  const int width = static_cast<int>(U32At(image, 4));
  const int height = static_cast<int>(U32At(image, 8)) / 2;
  const std::size_t at = 40 + (static_cast<std::size_t>(height - 1 - y) * width + x) * 4;
  const std::size_t mask = 40 + static_cast<std::size_t>(width) * height * 4 +
                           static_cast<std::size_t>(height - 1 - y) * ((width + 31) / 32 * 4) + x / 8;
  masked = (image[mask] >> (7 - x % 8) & 1) != 0;
  return image[at] | image[at + 1] << 8 | image[at + 2] << 16 | std::uint32_t(image[at + 3]) << 24;
}

// Sets one pixel as a tool does: the cell, then an undo step.
// Checks that the saved family has the original's entries, each with the
// same directory fields and, but for the one image changed, the same bytes.
void ExpectOnlyImageChanged(const ByteBuffer& saved, const ByteBuffer& original, int changed) {
  ASSERT_EQ(family_icon::ImageCount(saved), family_icon::IMAGE_COUNT);
  for (int i = 0; i < family_icon::IMAGE_COUNT; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(family_icon::EntryFields(saved, i), family_icon::EntryFields(original, i));
    if (i == changed) {
      EXPECT_NE(family_icon::EntryBytes(saved, i), family_icon::EntryBytes(original, i));
    } else {
      EXPECT_EQ(family_icon::EntryBytes(saved, i), family_icon::EntryBytes(original, i));
    }
  }
}

void DrawPixel(ImageTab& tab, int x, int y, std::uint32_t argb) {
  CellAt(tab, x, y) = TrueColourCell(argb);
  Announce(&tab, CHANGE_PIXELS | CHANGE_RECORD_UNDO);
}

TEST_F(KeptTabs, OpenMakesATabForEveryImageAndSaveKeepsTheUntouchedOnesByteForByte) {
  const ByteBuffer original = family_icon::Build(PngBytes());
  const std::string path = WriteBytes("family.ico", original);
  OpenIconFile(path);
  EXPECT_EQ(modal.texts(), std::vector<std::string>{});
  ASSERT_EQ(tabSet.tabCount, family_icon::IMAGE_COUNT);
  const std::vector<const ImageTab*> tabs = StripTabs();
  // Every image fits a tab: the 32-bit and PNG ones open in true colour.
  const char* labels[] = {" 256x256 32-bit ", " 48x48 32-bit ", " 32x32x256 ", " 16x16 32-bit ", " 24x24 32-bit "};
  for (int i = 0; i < family_icon::IMAGE_COUNT; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(std::string(tabs[i]->title), labels[i]);
    EXPECT_FALSE(IsKeptTab(*tabs[i]));
    EXPECT_EQ(IsTrueColour(*tabs[i]), i != family_icon::INDEXED_32);
  }
  const import_samples::Entry ramp = family_icon::Ramp(16, 9);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x)
      ASSERT_EQ(CellAt(*tabs[family_icon::RAMP_16], x, y), TrueColourCell(ramp.values[y * 16 + x])) << x << "," << y;
  // The file opened as the document, so Save writes it again without asking.
  EXPECT_EQ(tabSet.documentName, path);

  ShowPosition(family_icon::INDEXED_32);
  ImageTab& indexed = *CurrentTab();
  CellAt(indexed, 5, 6) = static_cast<PixelCell>((CellAt(indexed, 5, 6) + 1) & CELL_INDEX_BITS);
  Announce(&indexed, CHANGE_PIXELS | CHANGE_RECORD_UNDO);
  modal.clear();
  CommandSave();
  EXPECT_EQ(modal.texts(), std::vector<std::string>{});
  ExpectOnlyImageChanged(FileBytes(path), original, family_icon::INDEXED_32);
}

// The everyday edit: one pixel of the 16 px 32-bit image redrawn half
// transparent. Only that image changes, still in 32 bits; the 256 px image,
// once edited, is written as PNG again.
TEST_F(KeptTabs, DrawingOnA32BitImageRewritesOnlyThatImage) {
  const ByteBuffer original = family_icon::Build(PngBytes());
  const std::string path = WriteBytes("family.ico", original);
  OpenIconFile(path);
  ASSERT_EQ(tabSet.tabCount, family_icon::IMAGE_COUNT);
  ShowPosition(family_icon::RAMP_16);
  const std::uint32_t drawn = 0x80336699;
  DrawPixel(*CurrentTab(), 3, 4, drawn);
  CommandSave();
  EXPECT_EQ(modal.texts(), std::vector<std::string>{});
  const ByteBuffer saved = FileBytes(path);
  ExpectOnlyImageChanged(saved, original, family_icon::RAMP_16);
  const ByteBuffer image = family_icon::EntryBytes(saved, family_icon::RAMP_16);
  ASSERT_GE(image.size(), 40u);
  EXPECT_EQ(U16At(image, 14), 32);
  const import_samples::Entry ramp = family_icon::Ramp(16, 9);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      bool masked = false;
      const std::uint32_t want = x == 3 && y == 4 ? drawn : TrueColourCell(ramp.values[y * 16 + x]);
      ASSERT_EQ(PixelOf32BitImage(image, x, y, masked), want) << x << "," << y;
      // Only a fully transparent pixel is transparent in the AND mask.
      ASSERT_EQ(masked, want >> 24 == 0) << x << "," << y;
    }
  if (std::system("icotool --version >/dev/null 2>&1") == 0) {
    const std::string listed = Path("listed.txt");
    ASSERT_EQ(std::system(("icotool -l '" + path + "' >'" + listed + "' 2>&1").c_str()), 0);
    const ByteBuffer text = FileBytes(listed);
    const std::string lines(text.begin(), text.end());
    EXPECT_EQ(std::count(lines.begin(), lines.end(), '\n'), family_icon::IMAGE_COUNT) << lines;
    EXPECT_NE(lines.find("--width=16 --height=16 --bit-depth=32"), std::string::npos) << lines;
  }
  // Pillow, a decoder written apart from ours, reads the drawn pixel with
  // its alpha from that image (Debian's python3-pil, for Debian's python).
  if (std::system("/usr/bin/python3 -c 'import PIL.IcoImagePlugin' >/dev/null 2>&1") == 0) {
    const std::string read = Path("pillow.txt");
    const std::string script = "from PIL import IcoImagePlugin as I\n"
                               "r, g, b, a = I.IcoFile(open('" + path +
                               "', 'rb')).getimage((16, 16), 32).convert('RGBA').getpixel((3, 4))\n"
                               "print('%02x%02x%02x%02x' % (a, r, g, b), end='')\n";
    const std::string scriptPath = WriteBytes("pillow.py", ByteBuffer(script.begin(), script.end()));
    ASSERT_EQ(std::system(("/usr/bin/python3 '" + scriptPath + "' >'" + read + "' 2>&1").c_str()), 0);
    const ByteBuffer text = FileBytes(read);
    EXPECT_EQ(std::string(text.begin(), text.end()), "80336699");
  }

  // The 256 px image edited goes back as PNG, and reads back as drawn. The
  // choice of 32-bit images is the indexed images' only: the unedited
  // true-colour ones are still written as they were read.
  ShowPosition(family_icon::PNG_256);
  DrawPixel(*CurrentTab(), 200, 100, drawn);
  ChooseTrueColourForNextSave(TrueColourChoice::TrueColourInstead);
  CommandSave();
  EXPECT_EQ(family_icon::EntryBytes(FileBytes(path), family_icon::RAMP_48),
            family_icon::EntryBytes(original, family_icon::RAMP_48));
  const ByteBuffer png = family_icon::EntryBytes(FileBytes(path), family_icon::PNG_256);
  ASSERT_GE(png.size(), 8u);
  EXPECT_EQ(ByteBuffer(png.begin() + 1, png.begin() + 4), (ByteBuffer{'P', 'N', 'G'}));
  EXPECT_EQ(family_icon::EntryFields(FileBytes(path), family_icon::PNG_256)[0], 0);
  DeleteAllTabs();
  OpenIconFile(path);
  ASSERT_EQ(tabSet.tabCount, family_icon::IMAGE_COUNT);
  EXPECT_EQ(CellAt(*StripTabs()[family_icon::PNG_256], 200, 100), drawn);
  EXPECT_EQ(CellAt(*StripTabs()[family_icon::RAMP_16], 3, 4), drawn);
}

TEST_F(KeptTabs, WithNothingEditedEveryImageIsWrittenAsItWasRead) {
  // An indexed image whose palette's reserved bytes and padding another
  // program filled: written anew it would differ.
  import_samples::Entry odd = family_icon::Indexed8(20);
  ByteBuffer original = import_samples::BuildIcon({family_icon::Ramp(16, 1), odd});
  const std::size_t image = 6 + 32 + family_icon::EntryBytes(original, 0).size();
  original[image + 40 + 3] = 0x77;  // reserved byte of palette entry 0
  OpenIconFile(WriteBytes("odd.ico", original));
  ASSERT_EQ(tabSet.tabCount, 2);
  ShowPosition(1);
  tabSet.documentName = Path("again.ico");
  ASSERT_TRUE(WriteTabsAsIconDocument());
  EXPECT_EQ(FileBytes(Path("again.ico")), original);
}

// Images larger than a tab holds are the ones kept.
ByteBuffer LargeIcon() {
  return import_samples::BuildIcon({family_icon::Ramp(300, 3), family_icon::Indexed8(32), family_icon::Ramp(16, 1)});
}

TEST_F(KeptTabs, AKeptTabRefusesTheEditingCommands) {
  OpenIconFile(WriteBytes("large.ico", LargeIcon()));
  ShowPosition(0);
  const ImageTab& kept = *CurrentTab();
  ASSERT_TRUE(IsKeptTab(kept));
  const ImageTab before = kept;
  const int refused[] = {CMD_CUT,         CMD_COPY,          CMD_PASTE_NEAREST, CMD_DELETE,     CMD_SHIFT_LEFT,
                         CMD_FLIP_VERTICAL, CMD_ROTATE,      CMD_LEAVE_BACKGROUND, CMD_PEN,   CMD_FILL,
                         CMD_TEXT,        CMD_OPEN_PALETTE,  CMD_ORGANIZE_PALETTE, CMD_REDUCE_COLORS,
                         CMD_BATCH_COLORS, CMD_UNDO};
  for (int id : refused) {
    SCOPED_TRACE(id);
    // Each is a menu entry, a toolbar button, or a button of the palette
    // window, which is closed as a whole.
    QAction* entry = MenuAction(id);
    QAbstractButton* button = ToolButton(id);
    if (entry == nullptr && button == nullptr) {
      EXPECT_FALSE(mainWindows.paletteWindow->isEnabled());
    }
    if (entry != nullptr) {
      EXPECT_FALSE(entry->isEnabled());
    }
    if (button != nullptr) {
      EXPECT_FALSE(button->isEnabled());
    }
    DispatchCommand(static_cast<unsigned>(id));
    EXPECT_EQ(modal.dialogsRun(), 0);
    EXPECT_EQ(std::memcmp(kept.cells, before.cells, sizeof before.cells), 0);
    EXPECT_EQ(kept.penMode, before.penMode);
    EXPECT_EQ(kept.penMask, before.penMask);
    EXPECT_EQ(kept.undoCurrent, kept.undoFirst);
  }
  EXPECT_TRUE(MenuAction(CMD_MAKE_EDITABLE_COPY)->isEnabled());
  // An ordinary tab, indexed or true colour, has them back, and no copy to
  // make.
  for (int position : {1, 2}) {
    ShowPosition(position);
    EXPECT_TRUE(MenuAction(CMD_PEN)->isEnabled());
    EXPECT_TRUE(ToolButton(CMD_ROTATE)->isEnabled());
    EXPECT_TRUE(mainWindows.paletteWindow->isEnabled());
    EXPECT_FALSE(MenuAction(CMD_MAKE_EDITABLE_COPY)->isEnabled());
  }
}

TEST_F(KeptTabs, TheEditViewShowsTheKeptPictureWithItsAlpha) {
  // A 32-bit image of one colour at half alpha, over the background.
  const std::uint32_t colour = 0x80FF0000;
  OpenIconFile(WriteBytes("half.ico", import_samples::BuildIcon({import_samples::Solid(300, 300, colour)})));
  ASSERT_EQ(tabSet.tabCount, 1);
  ShowPosition(0);
  const QImage& view = editView.backBuffer;
  const QColor shown = view.pixelColor(view.width() / 2, view.height() / 2);
  const QColor background = ToQColor(BackgroundColor(CurrentTab()->backgroundIndex));
  const auto mix = [](int over, int under) { return (over * 128 + under * 127) / 255; };
  EXPECT_NEAR(shown.red(), mix(255, background.red()), 2);
  EXPECT_NEAR(shown.green(), mix(0, background.green()), 2);
  EXPECT_NEAR(shown.blue(), mix(0, background.blue()), 2);
  editView.window->resize(200, 200);
  RebuildEditBackBuffer();
  // In a view smaller than the picture, the status line says the picture is
  // reduced to fit, and the palette
  // window shows no colours, which would be those of the slot's last tab.
  EXPECT_EQ(mainWindows.statusLine->findChild<QLabel*>(QStringLiteral("statusZoom"))->text(), "表示: ウィンドウに合わせて縮小");
  EXPECT_EQ(mainWindows.paletteWindow->grab().toImage().pixel(20, 20), ToQColor(GetSystemColor(COLOR_BTNFACE)).rgb());
}

TEST_F(KeptTabs, TheEditableCopyIsWhatTheImportMakesOfTheImage) {
  const ByteBuffer file = LargeIcon();
  OpenIconFile(WriteBytes("large.ico", file));
  const ImportSource source = ReadImportBytes(file, true);
  ASSERT_EQ(source.error, "");
  for (int index : {0}) {
    SCOPED_TRACE(index);
    ShowPosition(index);
    const int before = tabSet.tabCount;
    DispatchCommand(CMD_MAKE_EDITABLE_COPY);
    ASSERT_EQ(tabSet.tabCount, before + 1);
    const ImageTab& copy = *CurrentTab();
    EXPECT_FALSE(IsKeptTab(copy));
    const ImportTarget target = DefaultImportTarget(source.entries[static_cast<std::size_t>(index)]);
    const ImportMade made = MakeImportImage(source.entries, index, target.sizes.front(), target.colours, false);
    ASSERT_NE(made.image, nullptr);
    EXPECT_EQ(copy.width, made.image->width);
    EXPECT_EQ(copy.height, made.image->height);
    EXPECT_EQ(copy.colorCode, made.image->colorCode);
    EXPECT_EQ(std::memcmp(copy.palette, made.image->palette, sizeof copy.palette), 0);
    EXPECT_EQ(std::memcmp(copy.cells, made.image->cells, sizeof copy.cells), 0);
  }
}

// A recovery record holds kept and unedited images whole, edited true-colour
// images as their cells, and hot spots; the tabs made from it save the
// unedited images byte for byte.
TEST_F(KeptTabs, ARecoveryRecordBringsKeptImagesAndHotSpotsBack) {
  const ByteBuffer original = family_icon::Build(PngBytes());
  OpenIconFile(WriteBytes("family.ico", original));
  ASSERT_EQ(tabSet.tabCount, family_icon::IMAGE_COUNT);
  ImageTab& indexed = *const_cast<ImageTab*>(StripTabs()[family_icon::INDEXED_32]);
  indexed.hotSpotX = 5;
  indexed.hotSpotY = 6;
  // An edited true-colour tab is kept as its cells.
  ShowPosition(family_icon::RAMP_48);
  DrawPixel(*CurrentTab(), 47, 0, 0x01FFFFFF);
  const ImageTab drawn = *CurrentTab();
  std::vector<std::string> labels;
  for (const ImageTab* tab : StripTabs()) labels.push_back(tab->title);

  RecoveryDocument taken;
  TakeRecoverySnapshot(taken);
  const ByteBuffer record = SerializeRecovery(taken);
  RecoveryDocument read;
  ASSERT_EQ(ParseRecovery(record.data(), record.size(), read), RecoveryRead::Ok);
  DeleteAllTabs();
  ASSERT_TRUE(RestoreRecoveryDocument(read));

  ASSERT_EQ(tabSet.tabCount, family_icon::IMAGE_COUNT);
  const std::vector<const ImageTab*> tabs = StripTabs();
  for (int i = 0; i < family_icon::IMAGE_COUNT; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(std::string(tabs[i]->title), labels[i]);
    EXPECT_EQ(IsTrueColour(*tabs[i]), i != family_icon::INDEXED_32);
  }
  EXPECT_EQ(std::memcmp(tabs[family_icon::RAMP_48]->cells, drawn.cells, sizeof drawn.cells), 0);
  EXPECT_EQ(tabs[family_icon::INDEXED_32]->hotSpotX, 5);
  EXPECT_EQ(tabs[family_icon::INDEXED_32]->hotSpotY, 6);
  const ByteBuffer saved = SerializeIconParts(IconPartsInStripOrder());
  for (int i = 0; i < family_icon::IMAGE_COUNT; ++i)
    if (i != family_icon::INDEXED_32 && i != family_icon::RAMP_48) {
      EXPECT_EQ(family_icon::EntryBytes(saved, i), family_icon::EntryBytes(original, i)) << i;
    }

  // A kept image whose bytes were damaged in the record makes no tabs.
  DeleteAllTabs();
  read.tabs[family_icon::PNG_256].keptData.resize(40);
  EXPECT_FALSE(RestoreRecoveryDocument(read));
  EXPECT_EQ(tabSet.tabCount, 0);
}

}  // namespace
