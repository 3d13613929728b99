#include "platform/modal.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QStringList>

#include "platform/fonts.h"
#include "platform/translation.h"
#include "platform/ui_text.h"
#include "platform/window_handles.h"

namespace {

ModalScript* installedScript = nullptr;

// Once a modal window ends, the keyboard goes back to the main window, not
// to the control that happened to hold it before, so that the keys of the
// commands work at once.
struct KeyboardBackToMainWindow {
  KeyboardBackToMainWindow() = default;
  KeyboardBackToMainWindow(const KeyboardBackToMainWindow&) = delete;
  KeyboardBackToMainWindow& operator=(const KeyboardBackToMainWindow&) = delete;
  ~KeyboardBackToMainWindow() { GiveKeyboardToMainWindow(); }
};

int CloseAnswer(MessageButtons buttons) {
  switch (buttons) {
    case MB_OK: return IDOK;
    case MB_YESNO: return IDNO;
    default: return IDCANCEL;
  }
}

// Qt matches the patterns in the last parentheses of a filter and, with the
// details hidden, shows only the text before them. So every filter becomes
// "text (patterns)" and its text is shown exactly as it stands.
QString JoinFilters(const FileFilterList& filters) {
  QStringList parts;
  for (const auto& [text, pattern] : filters) {
    QStringList patterns = QString::fromStdString(pattern).split(';', Qt::SkipEmptyParts);
    // "*.*" stands for every file, names without a dot included, while Qt's
    // "*.*" wants a dot.
    for (QString& one : patterns)
      if (one.trimmed() == QStringLiteral("*.*")) one = QStringLiteral("*");
    parts << QString::fromStdString(text) + " (" + patterns.join(' ') + ")";
  }
  return parts.join(";;");
}

// A file's full path is proposed as it is. A document that has no file yet
// is named by a word of the program's own, "無名" and the extension, which
// is proposed in the current language.
std::string ProposedName(const std::string& name) {
  if (name.empty() || name.find('/') != std::string::npos) return name;
  const std::size_t dot = name.find_last_of('.');
  if (dot == std::string::npos || dot == 0) return UiString(name);
  return UiString(name.substr(0, dot)) + name.substr(dot);
}

}  // namespace

void InstallModalScript(ModalScript* script) { installedScript = script; }
ModalScript* InstalledModalScript() { return installedScript; }

int ShowMessageBox(const std::string& sourceText, const std::string& sourceCaption, MessageButtons buttons,
                   MessageIcon icon, MessageDefault defaultButton) {
  const KeyboardBackToMainWindow keyboard;
  // Translated before a script sees the box, so that a script sees what a
  // user would read.
  const std::string text = TranslateMessage(sourceText);
  const std::string caption = TranslateMessage(sourceCaption);
  if (installedScript != nullptr) {
    if (installedScript->onMessageBox) return installedScript->onMessageBox({text, caption, buttons, icon, defaultButton});
    return CloseAnswer(buttons);
  }
  QMessageBox box;
  box.setWindowTitle(QString::fromStdString(caption));
  box.setText(QString::fromStdString(text));
  box.setIcon(icon == ICON_WARNING ? QMessageBox::Warning
              : icon == ICON_ERROR ? QMessageBox::Critical
                                   : QMessageBox::Information);
  box.setWindowModality(Qt::ApplicationModal);
  box.setWindowFlag(Qt::WindowStaysOnTopHint);
  struct Choice { QMessageBox::StandardButton button; int id; };
  std::vector<Choice> choices;
  switch (buttons) {
    case MB_OK: choices = {{QMessageBox::Ok, IDOK}}; break;
    case MB_OKCANCEL: choices = {{QMessageBox::Ok, IDOK}, {QMessageBox::Cancel, IDCANCEL}}; break;
    case MB_YESNO: choices = {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}}; break;
    case MB_YESNOCANCEL:
      choices = {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}, {QMessageBox::Cancel, IDCANCEL}};
      break;
  }
  static const char* const labels[] = {"OK", QT_TRANSLATE_NOOP("Quillet2", "キャンセル"),
                                       QT_TRANSLATE_NOOP("Quillet2", "はい(&Y)"),
                                       QT_TRANSLATE_NOOP("Quillet2", "いいえ(&N)")};
  for (const Choice& choice : choices) {
    QAbstractButton* button = box.addButton(choice.button);
    const int label = choice.id == IDOK ? 0 : choice.id == IDCANCEL ? 1 : choice.id == IDYES ? 2 : 3;
    button->setText(UiText(labels[label]));
  }
  // A default beyond the buttons there are falls back to the first.
  const std::size_t chosen = static_cast<std::size_t>(defaultButton) < choices.size()
                                 ? static_cast<std::size_t>(defaultButton) : 0;
  box.setDefaultButton(qobject_cast<QPushButton*>(box.button(choices[chosen].button)));
  box.exec();
  for (const Choice& choice : choices)
    if (box.clickedButton() == box.button(choice.button)) return choice.id;
  return CloseAnswer(buttons);
}

void ShowReport(const std::string& text) { ShowMessageBox(text, CAPTION_REPORT, MB_OK, ICON_WARNING); }

int AskQuestion(const std::string& text, MessageButtons buttons, MessageDefault defaultButton) {
  return ShowMessageBox(text, CAPTION_QUESTION, buttons, ICON_WARNING, defaultButton);
}

int RunModalDialog(QDialog& dialog) {
  const KeyboardBackToMainWindow keyboard;
  dialog.setResult(0);
  TranslateWidgetTexts(dialog);
  if (installedScript != nullptr) {
    if (installedScript->onDialog) installedScript->onDialog(dialog);
    return dialog.result();
  }
  dialog.setWindowModality(Qt::ApplicationModal);
  dialog.exec();
  return dialog.result();
}

bool RunWithProgress(const ProgressRequest& request, const std::function<void(const ProgressStep&)>& work) {
  bool cancelled = false;
  if (installedScript != nullptr) {
    work([&](int done, int total) {
      if (installedScript->onProgress && !installedScript->onProgress(request, done, total)) cancelled = true;
      return !cancelled;
    });
    return !cancelled;
  }
  QProgressDialog dialog(UiText(request.text.c_str()), UiText(QT_TRANSLATE_NOOP("Quillet2", "キャンセル")), 0, 1);
  dialog.setWindowTitle(UiText(request.caption.c_str()));
  dialog.setWindowModality(Qt::ApplicationModal);
  dialog.setMinimumDuration(500);
  dialog.setAutoReset(false);
  dialog.setAutoClose(false);
  work([&](int done, int total) {
    // A modal progress window handles the pending events while it updates,
    // so Cancel is seen here.
    dialog.setMaximum(total);
    dialog.setValue(done);
    cancelled = cancelled || dialog.wasCanceled();
    return !cancelled;
  });
  return !cancelled;
}

QAction* RunPopupMenu(QMenu& menu, const QPoint& screenPoint) {
  if (installedScript != nullptr) return installedScript->onPopupMenu ? installedScript->onPopupMenu(menu) : nullptr;
  return menu.exec(screenPoint);
}

std::string AddDefaultExtension(const std::string& name, const std::string& defaultExtension) {
  if (defaultExtension.empty() || name.empty()) return name;
  const std::size_t slash = name.find_last_of('/');
  const std::string last = slash == std::string::npos ? name : name.substr(slash + 1);
  if (last.find('.') != std::string::npos) return name;
  return defaultExtension.front() == '.' ? name + defaultExtension : name + "." + defaultExtension;
}

void SetUpFileDialog(QFileDialog& dialog, const FileDialogRequest& request) {
  dialog.setWindowTitle(QString::fromStdString(request.title));
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setOption(QFileDialog::HideNameFilterDetails);
  if (!request.filters.empty()) dialog.setNameFilter(JoinFilters(request.filters));
  dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(request.folder ? QFileDialog::Directory
                     : request.save ? QFileDialog::AnyFile
                                    : QFileDialog::ExistingFile);
  if (request.folder) dialog.setOption(QFileDialog::ShowDirsOnly);
  dialog.setOption(QFileDialog::ReadOnly, false);
  // The overwrite question is asked by RunFileDialog, after the default
  // extension was added, so that it names the file that will really be
  // written.
  dialog.setOption(QFileDialog::DontConfirmOverwrite);
  if (request.folder && !request.initialName.empty())
    dialog.setDirectory(QString::fromStdString(request.initialName));
  else if (!request.initialName.empty())
    dialog.selectFile(QString::fromStdString(request.initialName));
}

namespace {

// The extension of a filter whose pattern is one "*.ext", else the default.
std::string FilterExtension(const FileDialogRequest& request, int filter) {
  if (filter < 0 || filter >= static_cast<int>(request.filters.size())) return request.defaultExtension;
  const std::string& pattern = request.filters[static_cast<std::size_t>(filter)].second;
  if (pattern.size() < 3 || pattern.compare(0, 2, "*.") != 0 ||
      pattern.find_first_of("*; ", 2) != std::string::npos)
    return request.defaultExtension;
  return pattern.substr(1);
}

std::optional<std::string> RunFileDialog(FileDialogRequest request, int* chosenFilter = nullptr) {
  const KeyboardBackToMainWindow keyboard;
  request.title = UiString(request.title);
  request.initialName = ProposedName(request.initialName);
  for (auto& filter : request.filters) filter.first = UiString(filter.first);
  if (chosenFilter != nullptr) *chosenFilter = -1;
  if (installedScript != nullptr) {
    if (!installedScript->onFileDialog) return std::nullopt;
    auto chosen = installedScript->onFileDialog(request);
    const int filter = chosenFilter != nullptr && installedScript->onFileFilter ? installedScript->onFileFilter(request) : -1;
    if (chosenFilter != nullptr) *chosenFilter = filter;
    if (chosen && request.save) chosen = AddDefaultExtension(*chosen, FilterExtension(request, filter));
    return chosen;
  }
  QFileDialog dialog(QApplication::activeWindow());
  SetUpFileDialog(dialog, request);
  while (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
    std::string chosen = dialog.selectedFiles().front().toStdString();
    const int filter =
        chosenFilter != nullptr ? static_cast<int>(dialog.nameFilters().indexOf(dialog.selectedNameFilter())) : -1;
    if (chosenFilter != nullptr) *chosenFilter = filter;
    if (!request.save) return chosen;
    chosen = AddDefaultExtension(chosen, FilterExtension(request, filter));
    if (!QFileInfo::exists(QString::fromStdString(chosen))) return chosen;
    const QString question =
        QString::fromStdString(chosen) + UiText(QT_TRANSLATE_NOOP("Quillet2", " は既に存在します。\n上書きしますか？"));
    if (QMessageBox::warning(&dialog, dialog.windowTitle(), question, QMessageBox::Yes | QMessageBox::No,
                             QMessageBox::No) == QMessageBox::Yes)
      return chosen;
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::string> ChooseOpenFile(const std::string& title, const FileFilterList& filters,
                                          const std::string& initialName) {
  return RunFileDialog({false, title, filters, initialName, {}});
}

std::optional<std::string> ChooseFolder(const std::string& title, const std::string& initialFolder) {
  FileDialogRequest request{false, title, {}, initialFolder, {}};
  request.folder = true;
  return RunFileDialog(request);
}

std::optional<std::string> ChooseSaveFile(const std::string& title, const FileFilterList& filters,
                                          const std::string& initialName, const std::string& defaultExtension) {
  return RunFileDialog({true, title, filters, initialName, defaultExtension});
}

std::optional<std::string> ChooseSaveFile(const std::string& title, const FileFilterList& filters,
                                          const std::string& initialName, const std::string& defaultExtension,
                                          int* chosenFilter) {
  return RunFileDialog({true, title, filters, initialName, defaultExtension}, chosenFilter);
}
