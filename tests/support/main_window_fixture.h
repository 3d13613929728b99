#pragma once
// A fresh main window for each test, with every modal interaction answered
// by the recorder, its own settings file, and a clean tab table afterwards.

#include <gtest/gtest.h>
#include <unistd.h>

#include <QDialog>
#include <QMainWindow>
#include <cstdio>
#include <string>

#include "app/main_window.h"
#include "app/program_state.h"
#include "model/tab_lifecycle.h"
#include "platform/program_paths.h"
#include "tests/support/modal_recorder.h"

// Answers the next new-tab dialog with these texts and OK.
inline void FillNewTab(ModalRecorder& modal, const std::string& width, const std::string& height,
                       const std::string& colors) {
  modal.QueueDialog([=](QDialog& dialog) {
    SetControlText(dialog, 2011, width);
    SetControlText(dialog, 2012, height);
    SetControlText(dialog, 2013, colors);
    PressButton(dialog, IDOK);
  });
}

class MainWindowTest : public ::testing::Test {
 protected:
  ModalRecorder modal;

  static std::string TestSettingsPath() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    return "/tmp/q2-" + std::to_string(::getpid()) + "-" + info->test_suite_name() + "-" + info->name() + ".ini";
  }

  // Tests that prepare a settings file first override this.
  virtual bool CreateWindowInSetUp() const { return true; }

  void SetUp() override {
    iniPath = TestSettingsPath();
    std::remove(iniPath.c_str());
    if (CreateWindowInSetUp()) CreateMainWindow();
  }
  void TearDown() override {
    DestroyMainWindow();
    ResetProgramState();
    std::remove(iniPath.c_str());
  }

  static std::string Caption() { return mainWindows.main->windowTitle().toStdString(); }
};
