#pragma once
// Answers every message box, dialog and file dialog from queues while it
// lives, and records what was shown.

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/modal.h"

class ModalRecorder {
 public:
  ModalRecorder();
  ~ModalRecorder();
  ModalRecorder(const ModalRecorder&) = delete;
  ModalRecorder& operator=(const ModalRecorder&) = delete;

  // Answers for the next message boxes, in order; when they run out a box is
  // answered as if its window were closed.
  void QueueAnswer(int answer) { answers_.push_back(answer); }
  // Actions for the next dialogs, in order; a dialog without one is left
  // open and so gives back 0.
  void QueueDialog(std::function<void(QDialog&)> action) { dialogs_.push_back(std::move(action)); }
  // Paths for the next file dialogs; an empty string cancels.
  void QueueFile(std::string path) { files_.push_back(std::move(path)); }
  // Texts of the entries to choose in the next popup menus; an empty text
  // dismisses the menu.
  void QueuePopupChoice(std::string text) { popupChoices_.push_back(std::move(text)); }
  // The entry texts of every popup menu shown, one list per menu.
  const std::vector<std::vector<std::string>>& popupMenus() const { return popupMenus_; }

  // Cancels work run with progress when it is about to start its part
  // numbered `done` (a negative number lets all work run).
  void CancelProgressAt(int done) { cancelProgressAt_ = done; }
  // The steps of work run with progress, as "done/total".
  const std::vector<std::string>& progressSteps() const { return progressSteps_; }

  const std::vector<MessageBoxRequest>& messages() const { return messages_; }
  std::vector<std::string> texts() const;
  const std::vector<FileDialogRequest>& fileRequests() const { return fileRequests_; }
  int dialogsRun() const { return dialogsRun_; }
  void clear();

 private:
  ModalScript script_;
  ModalScript* previous_;
  std::deque<int> answers_;
  std::deque<std::function<void(QDialog&)>> dialogs_;
  std::deque<std::string> files_;
  std::deque<std::string> popupChoices_;
  std::vector<std::vector<std::string>> popupMenus_;
  std::vector<MessageBoxRequest> messages_;
  std::vector<FileDialogRequest> fileRequests_;
  int dialogsRun_ = 0;
  int cancelProgressAt_ = -1;
  std::vector<std::string> progressSteps_;
};

// Fills the combo box or line edit named by the id and presses buttons.
void SetControlText(QDialog& dialog, int id, const std::string& text);
void PressButton(QDialog& dialog, int id);
