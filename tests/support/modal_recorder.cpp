#include "tests/support/modal_recorder.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QMenu>

#include <gtest/gtest.h>

#include "platform/dialog_template.h"

ModalRecorder::ModalRecorder() : previous_(InstalledModalScript()) {
  script_.onMessageBox = [this](const MessageBoxRequest& request) {
    messages_.push_back(request);
    if (answers_.empty()) return request.buttons == MB_OK ? int(IDOK) : request.buttons == MB_YESNO ? int(IDNO) : int(IDCANCEL);
    const int answer = answers_.front();
    answers_.pop_front();
    return answer;
  };
  script_.onDialog = [this](QDialog& dialog) {
    ++dialogsRun_;
    if (dialogs_.empty()) return;
    auto action = std::move(dialogs_.front());
    dialogs_.pop_front();
    action(dialog);
  };
  script_.onFileDialog = [this](const FileDialogRequest& request) -> std::optional<std::string> {
    fileRequests_.push_back(request);
    if (files_.empty()) return std::nullopt;
    std::string path = std::move(files_.front());
    files_.pop_front();
    if (path.empty()) return std::nullopt;
    return path;
  };
  script_.onPopupMenu = [this](QMenu& menu) -> QAction* {
    std::vector<std::string> entries;
    for (QAction* action : menu.actions())
      if (!action->isSeparator()) entries.push_back(action->text().toStdString());
    popupMenus_.push_back(entries);
    if (popupChoices_.empty()) return nullptr;
    const std::string choice = std::move(popupChoices_.front());
    popupChoices_.pop_front();
    for (QAction* action : menu.actions())
      if (action->text().toStdString() == choice) return action;
    ADD_FAILURE() << "no popup entry " << choice;
    return nullptr;
  };
  script_.onProgress = [this](const ProgressRequest&, int done, int total) {
    progressSteps_.push_back(std::to_string(done) + "/" + std::to_string(total));
    return done != cancelProgressAt_;
  };
  InstallModalScript(&script_);
}

ModalRecorder::~ModalRecorder() { InstallModalScript(previous_); }

std::vector<std::string> ModalRecorder::texts() const {
  std::vector<std::string> result;
  for (const auto& message : messages_) result.push_back(message.text);
  return result;
}

void ModalRecorder::clear() {
  messages_.clear();
  fileRequests_.clear();
  popupMenus_.clear();
  progressSteps_.clear();
  dialogsRun_ = 0;
}

void SetControlText(QDialog& dialog, int id, const std::string& text) {
  const QString value = QString::fromStdString(text);
  if (auto* combo = FindControl<QComboBox>(dialog, id)) {
    if (combo->isEditable()) {
      combo->setEditText(value);
    } else {
      const int index = combo->findText(value);
      ASSERT_GE(index, 0) << "no entry " << text << " in list " << id;
      combo->setCurrentIndex(index);
    }
    return;
  }
  if (auto* edit = FindControl<QLineEdit>(dialog, id)) {
    edit->setText(value);
    return;
  }
  FAIL() << "no text control with id " << id;
}

void PressButton(QDialog& dialog, int id) {
  auto* button = FindControl<QAbstractButton>(dialog, id);
  ASSERT_NE(button, nullptr) << "no button with id " << id;
  ASSERT_TRUE(button->isEnabled()) << "button " << id << " is disabled";
  button->click();
}
