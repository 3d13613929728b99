#include "import/depth_conversion_commands.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <memory>

#include "canvas/pen_tools.h"
#include "fileio/icon_format.h"
#include "import/depth_conversion.h"
#include "model/change_hub.h"
#include "model/tab_lifecycle.h"
#include "platform/dialog_template.h"
#include "platform/modal.h"
#include "platform/translation.h"
#include "platform/ui_text.h"
#include "platform/window_handles.h"

namespace {

// Puts the converted image into the tab in place of what it held, as one
// step the user can undo: the tab takes the new kind, size, palette, cells
// and label, and every view is shown it afresh as if the tab were opened.
void ReplaceWithConverted(ImageTab& tab, const ImageTab& converted) {
  EndToolAction(tab, 1);
  tab.kind = converted.kind;
  tab.width = converted.width;
  tab.height = converted.height;
  tab.colorCode = converted.colorCode;
  std::copy(std::begin(converted.palette), std::end(converted.palette), std::begin(tab.palette));
  std::copy(std::begin(converted.cells), std::end(converted.cells), std::begin(tab.cells));
  tab.penColour = converted.penColour;
  tab.penIndex = converted.penIndex;
  tab.hotSpotX = converted.hotSpotX;
  tab.hotSpotY = converted.hotSpotY;
  tab.selection = {0, 0, tab.width - 1, tab.height - 1};
  if (IsTrueColour(tab)) FormatTrueColourTitle(tab, tab.width, tab.height);
  else FormatTabTitle(tab, tab.width, tab.height, tab.colorCode);
  Announce(&tab, CHANGE_TABS | CHANGE_CURRENT_TAB | CHANGE_TOOL_CHECKS | CHANGE_PIXELS | CHANGE_PALETTE | CHANGE_PEN |
                     CHANGE_SELECTION | CHANGE_RECORD_UNDO);
}

// Asks for the conversion's choices; false when the user cancelled.
bool AskIndexedChoice(IndexedChoice& choice) {
  QDialog* dialog = CreateTemplateDialog(windowHandles.main, QT_TRANSLATE_NOOP("Quillet2", "インデックスカラーに変換"),
                                         190, 62, "ＭＳ Ｐゴシック", 9);
  auto* coloursLabel = new QLabel(QStringLiteral(QT_TRANSLATE_NOOP("Quillet2", "色数")));
  PlaceTemplateControl(*dialog, coloursLabel, 0, 7, 9, 40, 10);
  auto* colours = new QComboBox;
  colours->addItems({"2", "16", "256"});
  colours->setCurrentIndex(2);
  PlaceTemplateControl(*dialog, colours, ID_CONVERT_COLOURS, 50, 7, 40, 14);
  auto* dither = new QCheckBox(QStringLiteral(QT_TRANSLATE_NOOP("Quillet2", "誤差拡散")));
  PlaceTemplateControl(*dialog, dither, ID_CONVERT_DITHER, 7, 25, 80, 12);
  auto* cutLabel = new QLabel(QStringLiteral(QT_TRANSLATE_NOOP("Quillet2", "透明にする不透明度の上限")));
  PlaceTemplateControl(*dialog, cutLabel, 0, 7, 43, 90, 10);
  auto* cut = new QSpinBox;
  cut->setRange(0, 255);
  cut->setValue(static_cast<int>(choice.alphaCut));
  PlaceTemplateControl(*dialog, cut, ID_CONVERT_ALPHA_CUT, 98, 41, 40, 14);
  auto* ok = new QPushButton(QStringLiteral(QT_TRANSLATE_NOOP("Quillet2", "ＯＫ")));
  PlaceTemplateControl(*dialog, ok, IDOK, 142, 7, 45, 15);
  ok->setDefault(true);
  auto* cancel = new QPushButton(QStringLiteral(QT_TRANSLATE_NOOP("Quillet2", "キャンセル")));
  PlaceTemplateControl(*dialog, cancel, IDCANCEL, 142, 26, 45, 15);
  QObject::connect(ok, &QPushButton::clicked, dialog, [dialog] { dialog->done(IDOK); });
  QObject::connect(cancel, &QPushButton::clicked, dialog, [dialog] { dialog->done(IDCANCEL); });
  const bool accepted = RunModalDialog(*dialog) == IDOK;
  if (accepted) {
    choice.colours = colours->currentText().toInt();
    choice.dither = dither->isChecked();
    choice.alphaCut = static_cast<std::uint32_t>(cut->value());
  }
  delete dialog;
  return accepted;
}

}  // namespace

void CommandConvertToTrueColour() {
  ImageTab* current = CurrentTab();
  if (current == nullptr || IsTrueColour(*current)) return;
  auto converted = std::make_unique<ImageTab>();
  MakeTrueColourOf(*current, *converted);
  const int inverted = InvertedCellCount(*current);
  ReplaceWithConverted(*current, *converted);
  if (inverted > 0)
    ShowReport(FillText(UiString(QT_TRANSLATE_NOOP("Quillet2", "反転色の%1画素は32ビットの画像に持てないので透明にしました")),
                        {std::to_string(inverted)}));
}

void CommandConvertToIndexed() {
  ImageTab* current = CurrentTab();
  if (current == nullptr || !IsTrueColour(*current)) return;
  IndexedChoice choice;
  if (!AskIndexedChoice(choice)) return;
  auto converted = std::make_unique<ImageTab>();
  const std::string loss = MakeIndexedOf(*current, choice, *converted, UiString);
  ReplaceWithConverted(*current, *converted);
  ShowMessageBox(loss, CAPTION_REPORT, MB_OK, ICON_INFORMATION);
}
