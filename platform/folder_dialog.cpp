#include "platform/folder_dialog.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>

#include "platform/modal.h"
#include "platform/translation.h"

std::optional<std::string> ChooseFolder(const std::string& title, const std::string& initialFolder) {
  if (ModalScript* script = InstalledModalScript()) {
    if (!script->onFileDialog) return std::nullopt;
    FileDialogRequest request;
    request.title = UiString(title);
    request.initialName = initialFolder;
    return script->onFileDialog(request);
  }
  const QString chosen = QFileDialog::getExistingDirectory(QApplication::activeWindow(), UiText(title.c_str()),
                                                           QString::fromStdString(initialFolder));
  if (chosen.isEmpty()) return std::nullopt;
  return QFile::encodeName(chosen).toStdString();
}
