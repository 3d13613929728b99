#include "storage/disk_change.h"

#include <sys/stat.h>

#include "model/tab_set.h"
#include "platform/modal.h"
#include "storage/file_message.h"

namespace {

struct DiskFile {
  std::string path;
  bool exists = false;
  dev_t device = 0;
  ino_t inode = 0;
  off_t size = 0;
  struct timespec modified {};
  // The change time, which no program can set back: a same-size write
  // whose modification time was put back still moves it.
  struct timespec changed {};
};

DiskFile remembered;

DiskFile Look(const std::string& path) {
  DiskFile file;
  file.path = path;
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return file;
  file.exists = true;
  file.device = info.st_dev;
  file.inode = info.st_ino;
  file.size = info.st_size;
  file.modified = info.st_mtim;
  file.changed = info.st_ctim;
  return file;
}

bool SameFile(const DiskFile& a, const DiskFile& b) {
  return a.exists == b.exists && a.device == b.device && a.inode == b.inode && a.size == b.size &&
         a.modified.tv_sec == b.modified.tv_sec && a.modified.tv_nsec == b.modified.tv_nsec &&
         a.changed.tv_sec == b.changed.tv_sec && a.changed.tv_nsec == b.changed.tv_nsec;
}

}  // namespace

void RememberDocumentFile(const std::string& path) { remembered = Look(path); }

void ForgetDocumentFile() { remembered = {}; }

const std::string& RememberedDocumentFile() { return remembered.path; }

bool ConfirmSaveOverChanges(const std::string& path) {
  if (remembered.path.empty() || path != remembered.path || path != tabSet.documentName) return true;
  const DiskFile now = Look(path);
  // A file that is gone holds no one's work.
  if (!now.exists || SameFile(now, remembered)) return true;
  // Enter keeps the other program's work.
  return AskQuestion(FileMessage(path, CHANGED_ON_DISK_QUESTION), MB_YESNO, MB_DEFBUTTON2) == IDYES;
}

void NoteFileSaved(const std::string& path) {
  if (path == tabSet.documentName) RememberDocumentFile(path);
}
