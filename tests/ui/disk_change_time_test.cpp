// Another program's change to the document's file is noticed even when it
// kept the file's size and put its modification time back.

#include <fcntl.h>
#include <sys/stat.h>

#include <chrono>
#include <fstream>
#include <thread>

#include "fileio/open_flow.h"
#include "storage/disk_change.h"
#include "storage/file_message.h"
#include "tests/ui/file_flow_fixture.h"

namespace {

using DiskChangeTime = FileFlowTest;

TEST_F(DiskChangeTime, ASameSizeChangeWithItsTimePutBackIsNoticed) {
  const std::string path = WriteIcon("doc.ico", 1);
  OpenIconFile(path);
  ASSERT_EQ(tabSet.documentName, path);
  struct Case {
    const char* what;
    bool change;
    bool asked;
  };
  const Case cases[] = {
      {"untouched", false, false},
      {"one byte changed, size and modification time kept", true, true},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.what);
    RememberDocumentFile(path);
    if (test.change) {
      struct stat before {};
      ASSERT_EQ(::stat(path.c_str(), &before), 0);
      // The change time moves in clock ticks; let one pass.
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
      {
        std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
        file.seekp(-1, std::ios::end);
        file.put('\x55');
      }
      const struct timespec times[2] = {before.st_atim, before.st_mtim};
      ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
    }
    modal.clear();
    modal.QueueAnswer(IDNO);
    EXPECT_EQ(ConfirmSaveOverChanges(path), !test.asked);
    EXPECT_EQ(modal.messages().size(), test.asked ? 1u : 0u);
    if (test.asked) {
      EXPECT_EQ(modal.messages()[0].text, FileMessage(path, CHANGED_ON_DISK_QUESTION));
    }
  }
}

}  // namespace
