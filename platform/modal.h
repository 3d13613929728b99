#pragma once
// Message boxes, modal dialogs and file-name dialogs. Every modal
// interaction of the program goes through these functions, so a test can
// install a script that answers them instead of a person.

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/ui_text.h"

class QAction;
class QDialog;
class QFileDialog;
class QMenu;
class QPoint;

enum MessageButtons { MB_OK, MB_OKCANCEL, MB_YESNO, MB_YESNOCANCEL };
enum MessageIcon { ICON_WARNING, ICON_INFORMATION, ICON_ERROR };
// Which button Enter presses: the first (the usual), the second or the
// third. A question whose Yes would destroy something makes No the default.
enum MessageDefault { MB_DEFBUTTON1, MB_DEFBUTTON2, MB_DEFBUTTON3 };
// Button ids as the dialogs and message boxes give them back.
enum : int { IDOK = 1, IDCANCEL = 2, IDYES = 6, IDNO = 7 };

inline constexpr const char* CAPTION_REPORT = QT_TRANSLATE_NOOP("Quillet2", "報告");
inline constexpr const char* CAPTION_QUESTION = QT_TRANSLATE_NOOP("Quillet2", "問い合わせ");

// A modal box without owner, on top of everything; gives back the button
// pressed (closing the box counts as Cancel, or as No where there is no
// Cancel, or OK for a box with OK alone).
int ShowMessageBox(const std::string& text, const std::string& caption, MessageButtons buttons,
                   MessageIcon icon = ICON_WARNING, MessageDefault defaultButton = MB_DEFBUTTON1);
// A report: caption "報告", warning icon, OK.
void ShowReport(const std::string& text);
// A question: caption "問い合わせ", warning icon.
int AskQuestion(const std::string& text, MessageButtons buttons, MessageDefault defaultButton = MB_DEFBUTTON1);

// Runs the dialog modally and gives back the code it was closed with (0 when
// it was not closed by its own code).
int RunModalDialog(QDialog& dialog);

// Work that may run long, with a window that tells how far it has come. The
// work calls the step function before each of its parts, with the parts
// done and the parts there are; the step gives back false once the user
// pressed Cancel, and the work then stops. The window (caption, text, a bar
// and Cancel) appears only when the work runs longer than half a second.
struct ProgressRequest {
  std::string caption;
  std::string text;
};
using ProgressStep = std::function<bool(int done, int total)>;
// Gives back false when the user cancelled the work.
bool RunWithProgress(const ProgressRequest& request, const std::function<void(const ProgressStep&)>& work);

// Shows the popup menu at a screen point and gives back the entry chosen,
// or nullptr when the menu was dismissed.
QAction* RunPopupMenu(QMenu& menu, const QPoint& screenPoint);

using FileFilterList = std::vector<std::pair<std::string, std::string>>;

struct FileDialogRequest {
  bool save = false;
  std::string title;
  FileFilterList filters;
  std::string initialName;
  // Added to a name typed without an extension; empty for none.
  std::string defaultExtension;
  // A folder is chosen, not a file (initialName is the folder shown first).
  bool folder = false;
};

// Sets up Qt's file dialog for the request: title, filters (their texts shown
// as they stand; "*.*" lists every file), mode and the initial name.
void SetUpFileDialog(QFileDialog& dialog, const FileDialogRequest& request);

// Gives back the chosen path, or nothing when the user cancelled. The save
// dialog adds the default extension and asks before overwriting.
std::optional<std::string> ChooseOpenFile(const std::string& title, const FileFilterList& filters,
                                          const std::string& initialName = {});
std::optional<std::string> ChooseSaveFile(const std::string& title, const FileFilterList& filters,
                                          const std::string& initialName, const std::string& defaultExtension);
// The same, also giving back in `chosenFilter` the index of the filter the
// user chose (-1 when not known). A name typed without an extension takes
// the chosen filter's own extension, when its pattern is one "*.ext".
std::optional<std::string> ChooseSaveFile(const std::string& title, const FileFilterList& filters,
                                          const std::string& initialName, const std::string& defaultExtension,
                                          int* chosenFilter);

// Gives back the folder chosen, or nothing when the user cancelled. The
// dialog may also make a new folder.
std::optional<std::string> ChooseFolder(const std::string& title, const std::string& initialFolder);

// The name with the default extension added when its last component has no
// extension of its own.
std::string AddDefaultExtension(const std::string& name, const std::string& defaultExtension);

struct MessageBoxRequest {
  std::string text;
  std::string caption;
  MessageButtons buttons = MB_OK;
  MessageIcon icon = ICON_WARNING;
  MessageDefault defaultButton = MB_DEFBUTTON1;
};

// A script answers every modal interaction while it is installed. A missing
// handler answers as a user closing the window would, and the request is
// still recorded, so a test sees it.
struct ModalScript {
  std::function<int(const MessageBoxRequest&)> onMessageBox;
  // Sees the dialog after it was set up: it may fill and press its controls.
  std::function<void(QDialog&)> onDialog;
  std::function<std::optional<std::string>(const FileDialogRequest&)> onFileDialog;
  // The index of the filter chosen in a file dialog; without a handler none.
  std::function<int(const FileDialogRequest&)> onFileFilter;
  // Sees the popup menu and gives back the entry to choose (nullptr dismisses).
  std::function<QAction*(QMenu&)> onPopupMenu;
  // Sees every step of work run with progress, whatever its time; false
  // cancels it. Without a handler the work runs to its end.
  std::function<bool(const ProgressRequest&, int done, int total)> onProgress;
};

// Installs the script (nullptr removes it and brings back the real dialogs).
void InstallModalScript(ModalScript* script);
ModalScript* InstalledModalScript();
