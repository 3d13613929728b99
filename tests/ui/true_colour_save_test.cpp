// The save-type dialog's choice of 32-bit images: also or instead of the
// indexed ones, remembered for the document, with the cells that 32 bits
// cannot show reported.

#include <QComboBox>
#include <QDialog>

#include <algorithm>

#include "fileio/dib_reading.h"
#include "fileio/plain_save.h"
#include "fileio/save_flow.h"
#include "fileio/true_colour_image.h"
#include "fileio/true_colour_save.h"
#include "model/change_hub.h"
#include "platform/dialog_template.h"
#include "storage/file_message.h"
#include "tests/support/family_icon.h"
#include "tests/ui/file_flow_fixture.h"

namespace {

using TrueColourSave = FileFlowTest;

ImageTab& AddPatternTab(int size, std::uint8_t code, unsigned seed, bool blackUnderMask) {
  ImageTab* tab = CreateTab({}, size, size, code);
  EXPECT_NE(tab, nullptr);
  ImageTab pattern = samples::PatternTab(size, size, code, seed);
  if (blackUnderMask)
    for (PixelCell& cell : pattern.cells)
      if ((cell & CELL_MASK_BIT) != 0) cell = CELL_MASK_BIT;
  pattern.palette[0] = 0;
  tab->width = pattern.width;
  tab->height = pattern.height;
  tab->colorCode = pattern.colorCode;
  std::copy(std::begin(pattern.cells), std::end(pattern.cells), std::begin(tab->cells));
  std::copy(std::begin(pattern.palette), std::end(pattern.palette), std::begin(tab->palette));
  return *tab;
}

// Answers the save-type dialog with the choice and "save as one icon".
void SaveWithChoice(ModalRecorder& modal, TrueColourChoice choice) {
  modal.QueueDialog([choice](QDialog& dialog) {
    auto* box = FindControl<QComboBox>(dialog, ID_SAVE_TRUE_COLOUR);
    ASSERT_NE(box, nullptr);
    box->setCurrentIndex(static_cast<int>(choice));
    PressButton(dialog, ID_SAVE_ONE_ICON);
  });
}

std::vector<int> BitCounts(const ByteBuffer& file) {
  std::vector<int> bits;
  for (int i = 0; i < family_icon::ImageCount(file); ++i) bits.push_back(U16At(family_icon::EntryBytes(file, i), 14));
  return bits;
}

TEST_F(TrueColourSave, TheChoiceWritesIndexedImagesAlsoOrOnlyIn32BitsAndIsRemembered) {
  ImageTab& first = AddPatternTab(16, 16, 1, true);
  AddPatternTab(32, 0, 2, true);
  const struct {
    TrueColourChoice choice;
    std::vector<int> bits;
  } cases[] = {
      {TrueColourChoice::IndexedOnly, {4, 8}},
      {TrueColourChoice::AlsoTrueColour, {4, 32, 8, 32}},
      {TrueColourChoice::TrueColourInstead, {32, 32}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.choice));
    modal.clear();
    const std::string name = Path("choice" + std::to_string(static_cast<int>(c.choice)) + ".ico");
    SaveWithChoice(modal, c.choice);
    modal.QueueFile(name);
    CommandSaveAs();
    EXPECT_EQ(modal.texts(), std::vector<std::string>{});
    const ByteBuffer file = FileBytes(name);
    EXPECT_EQ(BitCounts(file), c.bits);
    if (c.choice != TrueColourChoice::IndexedOnly) {
      const std::size_t at = c.choice == TrueColourChoice::AlsoTrueColour ? 1 : 0;
      EXPECT_EQ(family_icon::EntryBytes(file, static_cast<int>(at)),
                TrueColourEntryOfImage(first).data);
    }
    // Saved again without the dialog, the document keeps its choice.
    EXPECT_EQ(DocumentTrueColour(name), c.choice);
    CellAt(first, 0, 0) = static_cast<PixelCell>(CellAt(first, 0, 0) ^ 1);
    Announce(&first, CHANGE_PIXELS | CHANGE_RECORD_UNDO);
    CommandSave();
    EXPECT_EQ(modal.texts(), std::vector<std::string>{});
    EXPECT_NE(FileBytes(name), file);
    EXPECT_EQ(BitCounts(FileBytes(name)), c.bits);
  }
}

TEST_F(TrueColourSave, InvertedCellsAreReportedAfterThe32BitSave) {
  const ImageTab& tab = AddPatternTab(16, 16, 3, false);
  int inverted = 0;
  TrueColourPixels(tab, &inverted);
  ASSERT_GT(inverted, 0);
  const std::string name = Path("inverted.ico");
  SaveWithChoice(modal, TrueColourChoice::AlsoTrueColour);
  modal.QueueFile(name);
  CommandSaveAs();
  ASSERT_EQ(modal.texts().size(), 1u);
  EXPECT_EQ(modal.texts()[0],
            FileMessage(name, FillText(TRUE_COLOUR_INVERTED, {std::to_string(inverted)})));
  // Indexed only says nothing.
  modal.clear();
  SaveWithChoice(modal, TrueColourChoice::IndexedOnly);
  modal.QueueFile(Path("plain.ico"));
  CommandSaveAs();
  EXPECT_EQ(modal.texts(), std::vector<std::string>{});
}

}  // namespace
