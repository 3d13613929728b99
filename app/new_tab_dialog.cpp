#include "app/new_tab_dialog.h"

#include <QComboBox>
#include <QAbstractItemView>
#include <QDialog>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <climits>
#include <cstring>

#include "fileio/palette_flow.h"
#include "model/tab_lifecycle.h"
#include "platform/dialog_template.h"
#include "platform/modal.h"
#include "platform/program_paths.h"
#include "platform/translation.h"
#include "platform/ui_text.h"
#include "platform/window_handles.h"

namespace {

enum : int {
  ID_X_LABEL = 2001,
  ID_WIDTH_LABEL = 2002,
  ID_HEIGHT_LABEL = 2003,
  ID_COLORS_LABEL = 2004,
  ID_WIDTH_BOX = 2011,
  ID_HEIGHT_BOX = 2012,
  ID_COLORS_BOX = 2013,
};

void AddLabel(QDialog& dialog, int id, const char* text, int x, int y, int width, int height) {
  auto* label = new QLabel(QString::fromUtf8(text));
  label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  PlaceTemplateControl(dialog, label, id, x, y, width, height);
}

QComboBox* AddCombo(QDialog& dialog, int id, bool editable, const QStringList& entries, int x, int y) {
  auto* box = new QComboBox;
  box->setEditable(editable);
  box->addItems(entries);
  box->setCurrentIndex(1);
  PlaceTemplateControl(dialog, box, id, x, y, 27, editable ? 65 : 52);
  return box;
}

// The entry of the colours list that stands for a true-colour tab, after
// 2, 16 and 256.
constexpr int TRUE_COLOUR_ENTRY = 3;

const QStringList INDEXED_SIZES = {"16", "32", "48", "64"};
const QStringList TRUE_COLOUR_SIZES = {"16", "24", "32", "48", "64", "128", "256"};

bool TrueColourChosen(QDialog& dialog) {
  return FindControl<QComboBox>(dialog, ID_COLORS_BOX)->currentIndex() == TRUE_COLOUR_ENTRY;
}

// The size lists offer the sizes the chosen kind of tab may have; what the
// user typed stays.
void OfferSizes(QDialog& dialog) {
  const QStringList& sizes = TrueColourChosen(dialog) ? TRUE_COLOUR_SIZES : INDEXED_SIZES;
  for (int id : {ID_WIDTH_BOX, ID_HEIGHT_BOX}) {
    auto* box = FindControl<QComboBox>(dialog, id);
    const QString typed = box->currentText();
    box->clear();
    box->addItems(sizes);
    box->setEditText(typed);
  }
}

std::string PaletteFileName(std::uint8_t colorCode) {
  return colorCode == 2 ? "default2.qpl" : colorCode == 16 ? "default16.qpl" : "default256.qpl";
}

// Reads and checks the dialog's values; false, after saying why, keeps the
// dialog open.
bool ReadDialogValues(QDialog& dialog, NewTabValues& values) {
  const bool trueColour = TrueColourChosen(dialog);
  const int maxSide = trueColour ? MAX_TRUE_COLOUR_SIZE : MAX_IMAGE_SIZE;
  const int width = ReadDialogNumber(FindControl<QComboBox>(dialog, ID_WIDTH_BOX)->currentText().toStdString());
  if (width < 1 || width > maxSide) {
    ShowReport(trueColour ? TRUE_COLOUR_WIDTH_OUT_OF_RANGE : WIDTH_OUT_OF_RANGE);
    return false;
  }
  const int height = ReadDialogNumber(FindControl<QComboBox>(dialog, ID_HEIGHT_BOX)->currentText().toStdString());
  if (height < 1 || height > maxSide) {
    ShowReport(trueColour ? TRUE_COLOUR_HEIGHT_OUT_OF_RANGE : HEIGHT_OUT_OF_RANGE);
    return false;
  }
  values.width = width;
  values.height = height;
  values.trueColour = trueColour;
  values.colorCode = trueColour ? 0
                                : static_cast<std::uint8_t>(ReadDialogNumber(FindControl<QComboBox>(
                                      dialog, ID_COLORS_BOX)->currentText().toStdString()) & 0xFF);
  return true;
}

// Creates the tab from the dialog's values; false keeps the dialog open.
bool CreateTabFromDialog(QDialog& dialog) {
  NewTabValues values;
  return ReadDialogValues(dialog, values) && CreateNewTab(values);
}

// After OK or Cancel: the new tab, or the tab that was current before,
// becomes current.
void FinishNewTabDialog(QDialog& dialog, int countAtOpening, int positionAtOpening, int buttonId) {
  if (tabSet.tabCount == 0)
    tabSet.currentPosition = 0;
  else if (tabSet.tabCount == countAtOpening)
    tabSet.currentPosition = positionAtOpening;
  else
    tabSet.currentPosition = tabSet.tabCount - 1;
  ShowCurrentPosition();
  dialog.done(buttonId);
}

}  // namespace

bool CreateNewTab(const NewTabValues& values) {
  ImageTab* tab = values.trueColour ? CreateTrueColourTab({}, values.width, values.height)
                                    : CreateTab({}, values.width, values.height, values.colorCode);
  if (tab == nullptr) {
    ShowReport(TAB_CREATE_FAILED);
    return false;
  }
  if (values.trueColour) {
    // Every pixel starts transparent; the swatches start as the 256-colour
    // default palette.
    ClearTabPixels(*tab);
    if (!ReadPaletteFile(*tab, ProgramDataFile(PaletteFileName(0))))
      std::memset(tab->palette, 0, sizeof tab->palette);
    return true;
  }
  tab->width = static_cast<std::uint8_t>(values.width);
  tab->height = static_cast<std::uint8_t>(values.height);
  tab->colorCode = values.colorCode;
  ClearTabPixels(*tab);
  if (!ReadPaletteFile(*tab, ProgramDataFile(PaletteFileName(values.colorCode))))
    std::memset(tab->palette, 0, sizeof(ColorRef) * PaletteSize(*tab));
  return true;
}

int RunNewTabDialog(NewTabValues* chosen) {
  QDialog* dialog = CreateTemplateDialog(windowHandles.main, QT_TRANSLATE_NOOP("Quillet2", "新規タブ作成"), 177, 45,
                                         "ＭＳ Ｐゴシック", 9);
  dialog->setObjectName(QStringLiteral("2210"));
  AddLabel(*dialog, ID_WIDTH_LABEL, QT_TRANSLATE_NOOP("Quillet2", "幅"), 13, 4, 27, 13);
  AddLabel(*dialog, ID_HEIGHT_LABEL, QT_TRANSLATE_NOOP("Quillet2", "高さ"), 49, 4, 27, 13);
  AddLabel(*dialog, ID_COLORS_LABEL, QT_TRANSLATE_NOOP("Quillet2", "色数"), 85, 4, 27, 13);
  AddLabel(*dialog, ID_X_LABEL, "x", 40, 15, 9, 13);
  AddLabel(*dialog, ID_X_LABEL, "x", 76, 15, 9, 13);
  const QStringList sizes = {"16", "32", "48", "64"};
  AddCombo(*dialog, ID_WIDTH_BOX, true, sizes, 13, 13);
  AddCombo(*dialog, ID_HEIGHT_BOX, true, sizes, 49, 13);
  auto* colors = AddCombo(*dialog, ID_COLORS_BOX, false,
                          {"2", "16", "256", QString::fromStdString(UiString(TRUE_COLOUR_CHOICE))}, 85, 13);
  // The true-colour entry is wider than the list's box.
  colors->view()->setMinimumWidth(colors->fontMetrics().horizontalAdvance(colors->itemText(TRUE_COLOUR_ENTRY)) + 24);
  QObject::connect(colors, &QComboBox::currentIndexChanged, dialog, [dialog] { OfferSizes(*dialog); });
  auto* ok = new QPushButton(QStringLiteral(QT_TRANSLATE_NOOP("Quillet2", "ＯＫ")));
  PlaceTemplateControl(*dialog, ok, IDOK, 129, 7, 45, 15);
  ok->setDefault(true);
  auto* cancel = new QPushButton(QStringLiteral(QT_TRANSLATE_NOOP("Quillet2", "キャンセル")));
  PlaceTemplateControl(*dialog, cancel, IDCANCEL, 129, 26, 45, 15);
  PlaceDialogOverMain(*dialog);

  const int countAtOpening = tabSet.tabCount;
  const int positionAtOpening = tabSet.currentPosition;
  QObject::connect(ok, &QPushButton::clicked, dialog, [=] {
    // Asked only for the values, the dialog makes no tab.
    const bool done = chosen != nullptr ? ReadDialogValues(*dialog, *chosen) : CreateTabFromDialog(*dialog);
    if (done) FinishNewTabDialog(*dialog, countAtOpening, positionAtOpening, IDOK);
  });
  const auto onCancel = [=] { FinishNewTabDialog(*dialog, countAtOpening, positionAtOpening, IDCANCEL); };
  QObject::connect(cancel, &QPushButton::clicked, dialog, onCancel);
  // Closing with the caption's button or Escape is the same as Cancel.
  QObject::connect(dialog, &QDialog::rejected, dialog, [=] {
    if (dialog->result() != IDCANCEL && dialog->result() != IDOK) onCancel();
  });

  const int result = RunModalDialog(*dialog);
  delete dialog;
  return result;
}

void CommandNewTab() {
  if (tabSet.tabCount >= MAX_TABS) {
    ShowReport(TAB_LIMIT_REACHED);
    return;
  }
  RunNewTabDialog();
}

void CommandDeleteTab() {
  ImageTab* tab = CurrentTab();
  if (tab == nullptr) return;
  if (ShowMessageBox(DELETE_TAB_QUESTION, CAPTION_REPORT, MB_OKCANCEL) != IDOK) return;
  DeleteTab(SlotOf(*tab));
  tabSet.currentPosition = 0;
  ShowCurrentPosition();
}
