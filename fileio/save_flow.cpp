#include "fileio/save_flow.h"

#include <unistd.h>

#include <QComboBox>
#include <QDir>
#include <QDialog>
#include <QMainWindow>
#include <QPushButton>
#include <optional>
#include <string>

#include "fileio/ani_document.h"
#include "fileio/bitmap_format.h"
#include "fileio/cursor_format.h"
#include "fileio/icon_format.h"
#include "fileio/kept_entries.h"
#include "fileio/plain_save.h"
#include "fileio/recent_files.h"
#include "fileio/true_colour_save.h"
#include "model/change_hub.h"
#include "model/tab_lifecycle.h"
#include "model/undo_history.h"
#include "platform/dialog_template.h"
#include "platform/modal.h"
#include "platform/translation.h"
#include "platform/ui_text.h"
#include "platform/window_handles.h"
#include "storage/disk_change.h"
#include "storage/file_message.h"
#include "storage/write_failure.h"

namespace {

// The folder of the last file saved in this session, where a document
// without a folder of its own is proposed.
std::string lastSavedFolder;

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// Writes the bytes under the document's name and shows what went wrong. A
// file that another program changed since it was opened or saved is only
// overwritten when the user says so.
bool WriteDocument(const ByteBuffer& bytes) {
  const std::string& path = tabSet.documentName;
  if (!ConfirmSaveOverChanges(path)) return false;
  WriteProblem problem = WriteProblem::None;
  switch (WriteFileBytesSafely(path, bytes, &problem)) {
    case WriteResult::Ok:
      NoteFileSaved(path);
      lastSavedFolder = FolderOf(path);
      return true;
    case WriteResult::OpenFailed: ShowReport(WriteFailureMessage(path, ICON_OPEN_FAILED, problem)); return false;
    case WriteResult::WriteFailed: ShowReport(WriteFailureMessage(path, ICON_WRITE_FAILED, problem)); return false;
  }
  return false;
}

// The name with the extension of its last part (if any) replaced.
std::string WithExtension(const std::string& name, const std::string& extension) {
  const std::size_t slash = name.find_last_of('/');
  const std::size_t start = slash == std::string::npos ? 0 : slash + 1;
  const std::size_t dot = name.find_last_of('.');
  // A leading dot starts a hidden name, not an extension.
  const bool hasDot = dot != std::string::npos && dot > start;
  return (hasDot ? name.substr(0, dot) : name) + extension;
}

// The save dialogs start from the document's name, but never suggest writing
// one format over a file of the other: pressing Enter would make an icon that
// no longer opens, or a bitmap with icon bytes.
std::string proposedName;

std::string SuggestedName(const char* extension) {
  if (!IsUnnamedDocument()) proposedName.clear();
  const std::string& name = proposedName.empty() ? tabSet.documentName : proposedName;
  if (std::string(extension) == ".bmp") return WithExtension(name, ".bmp");
  return FileExtensionIs(name, ".bmp") ? WithExtension(name, extension) : name;
}

// The save dialogs edit the document's name itself: a confirmed name stays
// the document's name whatever the writing does. A name typed without an
// extension takes the chosen filter's, and so the filter's format.
bool ChooseDocumentName(const char* title, const FileFilterList& filters, const char* extension) {
  int chosenFilter = -1;
  const auto chosen = ChooseSaveFile(title, filters, SuggestedName(extension), extension, &chosenFilter);
  if (!chosen) return false;
  // A set that no longer shows the file it was opened from (all its tabs
  // were discarded since) has no file of its own to protect.
  if (tabSet.documentName != RememberedDocumentFile()) ForgetDocumentFile();
  tabSet.documentName = *chosen;
  return true;
}

QPushButton* AddButton(QDialog& dialog, int id, const char* text, int x, int y, int width, int height,
                       bool enabled) {
  auto* button = new QPushButton(QString::fromUtf8(text));
  PlaceTemplateControl(dialog, button, id, x, y, width, height);
  button->setEnabled(enabled);
  return button;
}

}  // namespace

void ProposeSaveNameFrom(const std::string& sourcePath) {
  // A picture imported from a folder the user may not write into (a system
  // icon theme) is proposed where the user saved last, else at home.
  const std::string folder = FolderOf(sourcePath);
  const std::string name = WithExtension(sourcePath.substr(sourcePath.find_last_of('/') + 1), ".ico");
  if (::access(folder.c_str(), W_OK) == 0)
    proposedName = WithExtension(sourcePath, ".ico");
  else if (!lastSavedFolder.empty())
    proposedName = (lastSavedFolder == "/" ? "" : lastSavedFolder) + "/" + name;
  else
    proposedName = QDir::homePath().toStdString() + "/" + name;
}

void ForgetSaveProposals() {
  lastSavedFolder.clear();
  proposedName.clear();
}

std::vector<const ImageTab*> TabsInStripOrder() {
  std::vector<const ImageTab*> tabs;
  for (int position = 0; position < tabSet.tabCount; ++position) {
    const int slot = SlotAtPosition(tabSet, position);
    if (slot >= 0 && tabSet.tabs[slot].inUse == 1) tabs.push_back(&tabSet.tabs[slot]);
  }
  return tabs;
}

bool CanSaveSideBySide() {
  if (tabSet.tabCount <= 1) return false;
  const ImageTab* first = nullptr;
  for (const ImageTab& tab : tabSet.tabs) {
    if (tab.inUse != 1) continue;
    // A kept image has no cells to put beside the others, and a true-colour
    // image has no palette the bitmap could share.
    if (IsKeptTab(tab) || IsTrueColour(tab)) return false;
    if (first == nullptr) {
      first = &tab;
    } else if (tab.width != first->width || tab.height != first->height || tab.colorCode != first->colorCode) {
      return false;
    }
  }
  return true;
}

bool WriteIconFile() {
  static const FileFilterList filters = {{QT_TRANSLATE_NOOP("Quillet2", "アイコン(*.ico)"), "*.ico"},
                                         {QT_TRANSLATE_NOOP("Quillet2", "カーソル(*.cur)"), "*.cur"},
                                         {QT_TRANSLATE_NOOP("Quillet2", "全て(*.*)"), "*.*"},
                                         {QT_TRANSLATE_NOOP("Quillet2", "アニメーションカーソル(*.ani)"), "*.ani"}};
  // A cursor document is offered as a cursor again, an animated one as an
  // animation; the name chosen decides which is written.
  static const FileFilterList iconFirst = {filters[0], filters[1], filters[3], filters[2]};
  static const FileFilterList cursorFirst = {filters[1], filters[0], filters[3], filters[2]};
  static const FileFilterList animationFirst = {filters[3], filters[1], filters[0], filters[2]};
  const bool cursor = IsCursorName(tabSet.documentName);
  const bool animation = IsAnimatedCursorName(tabSet.documentName);
  if (!ChooseDocumentName(SAVE_ICON_TITLE, animation ? animationFirst : cursor ? cursorFirst : iconFirst,
                          animation ? ".ani" : cursor ? ".cur" : ".ico"))
    return false;
  return WriteTabsAsIconDocument();
}

bool WriteTabsAsIconDocument() {
  if (IsAnimatedCursorName(tabSet.documentName)) {
    // An animation's frames are written as they are; the 32-bit choice is
    // for icons.
    if (!WriteDocument(SerializeAnimationDocument())) return false;
    for (ImageTab& tab : tabSet.tabs)
      if (tab.inUse == 1) MarkTabSaved(tab);
    NoteIconDocument(tabSet.documentName);
    NoteRecentFile(tabSet.documentName);
    return true;
  }
  std::vector<KeptEntry> trueColour;
  int inverted = 0;
  const std::vector<IconPart> parts = PartsToSave(trueColour, inverted);
  if (!WriteDocument(SerializeIconParts(parts, IsCursorName(tabSet.documentName)))) return false;
  NoteTrueColourSaved(tabSet.documentName);
  if (inverted > 0)
    ShowReport(FileMessage(tabSet.documentName, FillText(UiString(TRUE_COLOUR_INVERTED), {std::to_string(inverted)})));
  // The file now holds every tab as it is. A bitmap save does not count: it
  // loses the masks, and its file does not open as the document again.
  for (ImageTab& tab : tabSet.tabs)
    if (tab.inUse == 1) MarkTabSaved(tab);
  NoteIconDocument(tabSet.documentName);
  NoteRecentFile(tabSet.documentName);
  return true;
}

bool WriteSideBySideBitmap() {
  static const FileFilterList filters = {{QT_TRANSLATE_NOOP("Quillet2", "ビットマップ(*.bmp)"), "*.bmp"},
                                         {QT_TRANSLATE_NOOP("Quillet2", "全て(*.*)"), "*.*"}};
  if (!ChooseDocumentName(SAVE_BITMAP_TITLE, filters, ".bmp")) return false;
  return WriteDocument(SerializeSideBySideBitmap(TabsInStripOrder()));
}

int SaveTypeDialog() {
  // Only the ways of saving that apply are offered, one below the other; a
  // side-by-side bitmap needs tabs that can share one strip.
  const bool sideBySideApplies = CanSaveSideBySide();
  const int buttons = sideBySideApplies ? 2 : 1;
  const int cancelTop = 7 + buttons * 18 + 4;
  QDialog* dialog =
      CreateTemplateDialog(windowHandles.main, SAVE_TYPE_TITLE, 260, cancelTop + 38, "ＭＳ Ｐゴシック", 9);
  dialog->setObjectName(QStringLiteral("2220"));
  QPushButton* oneIcon =
      AddButton(*dialog, ID_SAVE_ONE_ICON, QT_TRANSLATE_NOOP("Quillet2", "１つのアイコンファイルとして保存"), 7, 7, 246,
                15, true);
  QPushButton* sideBySide =
      sideBySideApplies
          ? AddButton(*dialog, ID_SAVE_SIDE_BY_SIDE,
                      QT_TRANSLATE_NOOP("Quillet2",
                                        "横に並んだビットマップファイルとして保存（最初のタブのパレットで保存されます）"),
                      7, 25, 246, 15, true)
          : nullptr;
  QPushButton* cancel =
      AddButton(*dialog, IDCANCEL, QT_TRANSLATE_NOOP("Quillet2", "キャンセル"), 95, cancelTop, 70, 15, true);
  // Below the buttons: whether icons are also, or only, written in 32 bits.
  auto* depth = new QComboBox;
  for (const char* choice : TRUE_COLOUR_CHOICES) depth->addItem(UiText(choice));
  depth->setCurrentIndex(static_cast<int>(DocumentTrueColour(tabSet.documentName)));
  PlaceTemplateControl(*dialog, depth, ID_SAVE_TRUE_COLOUR, 7, cancelTop + 18, 246, 60);
  PlaceDialogOverMain(*dialog);

  QObject::connect(oneIcon, &QPushButton::clicked, dialog, [dialog, depth] {
    ChooseTrueColourForNextSave(static_cast<TrueColourChoice>(depth->currentIndex()));
    const bool written = WriteIconFile();
    // A cancelled or failed save leaves the document's choice as it was.
    if (!written) ChooseTrueColourForNextSave(DocumentTrueColour(tabSet.documentName));
    dialog->done(written ? 1 : 2);
  });
  if (sideBySide != nullptr)
    QObject::connect(sideBySide, &QPushButton::clicked, dialog,
                     [dialog] { dialog->done(WriteSideBySideBitmap() ? 1 : 2); });
  QObject::connect(cancel, &QPushButton::clicked, dialog, [dialog] { dialog->done(2); });
  // Escape and the caption's close button cancel as well.
  QObject::connect(dialog, &QDialog::rejected, dialog, [dialog] { dialog->setResult(2); });

  const int result = RunModalDialog(*dialog);
  delete dialog;
  return result == 1 ? 1 : 2;
}

bool AskSaveAndDiscardAll() {
  if (!AllTabsUnchanged(tabSet)) {
    // No discards the changes, so the user may also think again: Cancel
    // keeps every tab and stops whatever asked.
    const int answer = AskQuestion(FileMessage(tabSet.documentName, SAVE_CHANGED_QUESTION), MB_YESNOCANCEL);
    if (answer == IDCANCEL) return false;
    if (answer == IDYES && SaveTypeDialog() != 1) return false;
  }
  DeleteAllTabs();
  return true;
}

void CommandSaveAs() {
  // The save commands are only offered with tabs open; an empty set has
  // nothing to write.
  if (tabSet.tabCount <= 0) return;
  SaveTypeDialog();
  Announce(CurrentTab(), CHANGE_CAPTION);
}
