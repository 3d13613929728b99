#pragma once
// A fresh main window for each test, with every modal interaction answered
// by the recorder, and a clean tab table afterwards.

#include <gtest/gtest.h>

#include <QMainWindow>

#include "app/main_window.h"
#include "model/tab_lifecycle.h"
#include "platform/program_paths.h"
#include "tests/support/modal_recorder.h"

class MainWindowTest : public ::testing::Test {
 protected:
  ModalRecorder modal;

  void SetUp() override { CreateMainWindow(); }
  void TearDown() override {
    DestroyMainWindow();
    for (ImageTab& tab : tabSet.tabs) tab = ImageTab{};
    tabSet.tabCount = 0;
    tabSet.currentPosition = 0;
    tabSet.documentName.clear();
    OverrideProgramFolder({});
  }

  static std::string Caption() { return mainWindows.main->windowTitle().toStdString(); }
};
