// Which button Enter presses in a message box, in the real box and as a
// script sees it, and the question about a file changed on disk, where
// Enter must keep the other program's work.

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <fstream>

#include "fileio/open_flow.h"
#include "storage/disk_change.h"
#include "tests/ui/file_flow_fixture.h"

namespace {

using DefaultButton = FileFlowTest;

// Presses Enter in the real box as soon as it is shown.
int AnswerWithEnter(MessageButtons buttons, MessageDefault defaultButton) {
  ModalScript* const script = InstalledModalScript();
  InstallModalScript(nullptr);
  QString shownDefault;
  QTimer::singleShot(0, [&shownDefault] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr) return;
    if (box->defaultButton() != nullptr) shownDefault = box->defaultButton()->text();
    QTest::keyClick(box, Qt::Key_Return);
  });
  const int answer = ShowMessageBox("Enter?", CAPTION_QUESTION, buttons, ICON_WARNING, defaultButton);
  InstallModalScript(script);
  return answer;
}

TEST_F(DefaultButton, EnterPressesTheButtonChosenAsDefault) {
  struct Case {
    MessageButtons buttons;
    MessageDefault defaultButton;
    int answer;
  };
  const Case cases[] = {
      {MB_YESNO, MB_DEFBUTTON1, IDYES},       {MB_YESNO, MB_DEFBUTTON2, IDNO},
      {MB_YESNOCANCEL, MB_DEFBUTTON2, IDNO},  {MB_YESNOCANCEL, MB_DEFBUTTON3, IDCANCEL},
      {MB_OKCANCEL, MB_DEFBUTTON2, IDCANCEL}, {MB_OKCANCEL, MB_DEFBUTTON1, IDOK},
      // A default beyond the buttons there are is the first one.
      {MB_YESNO, MB_DEFBUTTON3, IDYES},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(testing::Message() << "buttons " << test.buttons << " default " << test.defaultButton);
    EXPECT_EQ(AnswerWithEnter(test.buttons, test.defaultButton), test.answer);
  }
}

TEST_F(DefaultButton, TheQuestionAboutAFileChangedOnDiskDefaultsToNo) {
  const std::string path = WriteIcon("doc.ico", 1);
  OpenIconFile(path);
  ASSERT_EQ(tabSet.documentName, path);
  RememberDocumentFile(path);
  { std::ofstream(path, std::ios::app) << "another program's work"; }
  modal.clear();
  modal.QueueAnswer(IDNO);
  EXPECT_FALSE(ConfirmSaveOverChanges(path));
  ASSERT_EQ(modal.messages().size(), 1u);
  EXPECT_EQ(modal.messages()[0].buttons, MB_YESNO);
  EXPECT_EQ(modal.messages()[0].defaultButton, MB_DEFBUTTON2);
  // The other questions keep Yes as their default.
  modal.clear();
  AskQuestion("?", MB_YESNO);
  ASSERT_EQ(modal.messages().size(), 1u);
  EXPECT_EQ(modal.messages()[0].defaultButton, MB_DEFBUTTON1);
}

}  // namespace
