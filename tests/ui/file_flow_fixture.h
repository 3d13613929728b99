#pragma once
// The main window fixture with a scratch folder and helpers that write icon
// files, for the tests of the open and save flows.

#include <gtest/gtest.h>

#include <QMainWindow>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "app/tab_strip.h"
#include "fileio/icon_format.h"
#include "model/tab_lifecycle.h"
#include "tests/support/icon_samples.h"
#include "tests/support/main_window_fixture.h"
#include "tests/support/modal_recorder.h"

class FileFlowTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    char pattern[] = "/tmp/quillet2_flow_XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    folder_ = pattern;
  }

  void TearDown() override {
    MainWindowTest::TearDown();
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }

  std::string Path(const std::string& name) const { return folder_ + "/" + name; }

  // Writes an icon file of `count` pattern images and gives back its path.
  std::string WriteIcon(const std::string& name, int count, int width = 16, int height = 16,
                        std::uint8_t code = 16, unsigned seed = 1) {
    std::vector<std::unique_ptr<ImageTab>> tabs;
    std::vector<const ImageTab*> order;
    for (int i = 0; i < count; ++i) {
      tabs.push_back(std::make_unique<ImageTab>(samples::PatternTab(width, height, code, seed + i)));
      order.push_back(tabs.back().get());
    }
    return WriteBytes(name, SerializeIcon(order));
  }

  std::string WriteBytes(const std::string& name, const ByteBuffer& bytes) {
    const std::string path = Path(name);
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return path;
  }

  static ByteBuffer FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return ByteBuffer(std::istreambuf_iterator<char>(in), {});
  }

  // The slots of the strip items, left to right.
  static std::vector<const ImageTab*> StripTabs() {
    std::vector<const ImageTab*> tabs;
    for (int position = 0; position < tabSet.tabCount; ++position) {
      const int slot = StripItemSlot(position);
      tabs.push_back(slot >= 0 ? &tabSet.tabs[slot] : nullptr);
    }
    return tabs;
  }

  std::string folder_;
};
