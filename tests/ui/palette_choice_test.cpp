// Palettes of other programs' formats through the palette commands, and the
// command-line import onto a given palette, run as the program itself.

#include <QImage>
#include <QProcess>

#include "model/change_hub.h"
#include "app/command_ids.h"
#include "app/commands.h"
#include "fileio/icon_format.h"
#include "fileio/palette_file.h"
#include "fileio/palette_formats.h"
#include "model/change_hub.h"
#include "tests/ui/file_flow_fixture.h"
#include "tests/ui/program_run.h"

namespace {

using PaletteChoice = FileFlowTest;

// A current 8 x 8 tab of 16 colours with its first undo snapshot.
ImageTab& AddTab() {
  ImageTab* tab = CreateTab({}, 8, 8, 16);
  EXPECT_NE(tab, nullptr);
  tab->width = tab->height = 8;
  tab->colorCode = 16;
  ClearTabPixels(*tab);
  tabSet.currentPosition = tabSet.tabCount - 1;
  ActivateTab(*tab);
  return *tab;
}

const char* const DB16 =
    "#140c1c\n#442434\n#30346d\n#4e4a4e\n#854c30\n#346524\n#d04648\n#757161\n"
    "#597dce\n#d27d2c\n#8595a1\n#6daa2c\n#d2aa99\n#6dc2ca\n#dad45e\n#deeed6\n";

ColorRef Hex(const std::string& text) {
  const int v = std::stoi(text, nullptr, 16);
  return static_cast<ColorRef>((v >> 16 & 0xFF) | (v & 0xFF00) | (v & 0xFF) << 16);
}

TEST_F(PaletteChoice, SaveTakesTheChosenFiltersFormatAndLoadSaysWhenItFillsOnlyTheFirstEntries) {
  ImageTab& tab = AddTab();
  ASSERT_EQ(tab.colorCode, 16);
  for (int i = 0; i < 16; ++i) tab.palette[i] = static_cast<ColorRef>(i * 0x0F0E0D);
  // The palette set here is a step of its own, for the undo at the end.
  Announce(&tab, CHANGE_PALETTE | CHANGE_RECORD_UNDO);
  const struct {
    const char* typed;
    int filter;
    const char* written;
    PaletteFormat format;
  } cases[] = {
      {"riff", 4, "riff.pal", PaletteFormat::RiffPal}, {"jasc", 3, "jasc.pal", PaletteFormat::JascPal},
      {"gimp", 1, "gimp.gpl", PaletteFormat::Gpl},     {"plain.hex", 0, "plain.hex", PaletteFormat::Hex},
      {"own", -1, "own.qpl", PaletteFormat::Qpl},      {"photo.act", 6, "photo.act", PaletteFormat::Act},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    ModalRecorder modal;
    InstalledModalScript()->onFileFilter = [&c](const FileDialogRequest&) { return c.filter; };
    modal.QueueFile(Path(c.typed));
    DispatchCommand(CMD_SAVE_PALETTE);
    EXPECT_EQ(modal.texts(), std::vector<std::string>{});
    const ByteBuffer bytes = FileBytes(Path(c.written));
    EXPECT_EQ(bytes, c.format == PaletteFormat::Qpl ? SerializePalette(tab)
                                                    : WritePaletteBytes(PaletteRecordOfTab(tab), c.format));
  }

  // Four colours into the 16: the first four change, the note says so, and
  // one undo brings the palette back.
  const std::string path = WriteBytes("four.hex", ByteBuffer{'f', 'f', '0', '0', '0', '0', '\n', '#', '0', '0', 'f', 'f',
                                                             '0', '0', '\n', '0', '0', '0', '0', 'f', 'f', '\n',
                                                             '1', '2', '3', '4', '5', '6', '\n'});
  ModalRecorder modal;
  modal.QueueFile(path);
  DispatchCommand(CMD_OPEN_PALETTE);
  EXPECT_EQ(modal.texts(),
            std::vector<std::string>{"4色のパレットで16色のうち先頭の4色を置き換えました。残りの色はそのままです"});
  EXPECT_EQ(tab.palette[0], Hex("ff0000"));
  EXPECT_EQ(tab.palette[3], Hex("123456"));
  EXPECT_EQ(tab.palette[4], 4u * 0x0F0E0D);
  DispatchCommand(CMD_UNDO);
  EXPECT_EQ(tab.palette[0], 0u);
  EXPECT_EQ(tab.palette[3], 3u * 0x0F0E0D);
}

TEST_F(PaletteChoice, WindowsPalettesLoadLikeFilesOfThem) {
  ImageTab& tab = AddTab();
  const struct {
    int command;
    std::uint8_t code;
    std::vector<std::string> messages;
    const std::vector<ColorRef>* colours;
  } cases[] = {
      {CMD_WINDOWS_PALETTE_16, 16, {}, &WindowsPalette16()},
      {CMD_WINDOWS_PALETTE_256, 0, {}, &WindowsPalette256()},
      {CMD_WINDOWS_PALETTE_16, 0, {"16色のパレットで256色のうち先頭の16色を置き換えました。残りの色はそのままです"},
       &WindowsPalette16()},
      {CMD_WINDOWS_PALETTE_256, 16, {"色数があっていません"}, nullptr},
      {CMD_WINDOWS_PALETTE_16, 2, {"色数があっていません"}, nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.command) + " " + std::to_string(c.code));
    tab.colorCode = c.code;
    for (int i = 0; i < 256; ++i) tab.palette[i] = 0x0A0B0C;
    ModalRecorder modal;
    DispatchCommand(static_cast<unsigned>(c.command));
    EXPECT_EQ(modal.texts(), c.messages);
    for (int i = 0; i < PaletteSize(tab); ++i) {
      const bool replaced = c.colours != nullptr && i < static_cast<int>(c.colours->size());
      ASSERT_EQ(tab.palette[i], replaced ? (*c.colours)[i] : 0x0A0B0Cu) << i;
    }
  }
}

class PaletteImportCommandLine : public FileFlowTest {
 protected:
  using Run = ProgramRun;
  static Run Quillet2(const QStringList& arguments) { return RunQuillet2(arguments); }
  std::vector<ImageTab> Icon(const std::string& path) {
    std::vector<ImageTab> images;
    const auto bytes = ReadFileBytes(path, ICON_MAX_FILE_BYTES);
    EXPECT_TRUE(bytes);
    if (bytes) {
      EXPECT_EQ(DecodeIconFile(*bytes, images), "");
    }
    return images;
  }
};

TEST_F(PaletteImportCommandLine, WritesAnIconWhosePaletteIsExactlyThePaletteFiles) {
  // A 32 x 32 picture of many colours with a transparent corner.
  QImage picture(32, 32, QImage::Format_ARGB32);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) picture.setPixel(x, y, x + y < 4 ? qRgba(0, 0, 0, 0) : qRgb(x * 8, y * 8, 128));
  const QString input = QString::fromStdString(Path("pic.png"));
  picture.save(input);
  const std::string db16 = WriteBytes("db16.hex", ByteBuffer(DB16, DB16 + std::strlen(DB16)));
  const QString output = QString::fromStdString(Path("x.ico"));

  Run run = Quillet2({"--import", input, "-o", output, "--palette", QString::fromStdString(db16), "--dither"});
  ASSERT_EQ(run.code, 0) << run.err;
  EXPECT_EQ(run.out,
            "32×32 → 32×32、256色：パレットの16色に合わせる、パレットに黒がないので、透明な画素の下に置く黒を加えて256色にする\n");
  std::vector<ImageTab> images = Icon(output.toStdString());
  ASSERT_EQ(images.size(), 1u);
  EXPECT_EQ(images[0].colorCode, 0);
  EXPECT_EQ(CellAt(images[0], 0, 0), CELL_MASK_BIT | 16);
  const std::string text = DB16;
  for (int i = 0; i < 16; ++i) EXPECT_EQ(images[0].palette[i], Hex(text.substr(8 * i + 1, 6))) << i;

  // The Windows 16-colour palette has black: the transparent pixels sit on it.
  run = Quillet2({"--import", input, "-o", output, "--palette", "windows16"});
  ASSERT_EQ(run.code, 0) << run.err;
  EXPECT_EQ(run.out, "32×32 → 32×32、16色：パレットの16色に合わせる\n");
  images = Icon(output.toStdString());
  ASSERT_EQ(images.size(), 1u);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(images[0].palette[i], WindowsPalette16()[i]) << i;
  EXPECT_EQ(CellAt(images[0], 0, 0), CELL_MASK_BIT | 0);

  const std::string broken = WriteBytes("broken.gpl", ByteBuffer{'G', 'I', 'M', 'P', '\n'});
  const std::vector<std::tuple<QStringList, int, std::string>> failures = {
      {{"--import", input, "-o", output, "--palette", QString::fromStdString(broken)},
       2,
       broken + "：パレット読み込みに失敗：1行目が GIMP Palette ではありません\n"},
      {{"--lang", "en", "--import", input, "-o", output, "--palette", QString::fromStdString(broken)},
       2,
       broken + ": Could not read the palette: line 1 is not GIMP Palette\n"},
      {{"--import", input, "-o", output, "--palette", QString::fromStdString(Path("none.hex"))},
       2,
       Path("none.hex") + "：パレット読み込みに失敗\n"},
      {{"--import", input, "-o", output, "--palette", QString::fromStdString(db16), "--colours", "16"},
       1,
       "--palette のときは色数がパレットで決まるので --colours は指定できません\n"},
  };
  for (const auto& [arguments, code, message] : failures) {
    SCOPED_TRACE(message);
    run = Quillet2(arguments);
    EXPECT_EQ(run.code, code);
    EXPECT_EQ(run.err, message);
  }
}

}  // namespace
