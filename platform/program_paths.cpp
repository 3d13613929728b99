#include "platform/program_paths.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace {
std::string folderOverride;
}

void OverrideProgramFolder(const std::string& folder) { folderOverride = folder; }

std::string ProgramFolder() {
  if (!folderOverride.empty()) return folderOverride.back() == '/' ? folderOverride : folderOverride + '/';
  QString folder = QCoreApplication::applicationDirPath();
  if (!folder.endsWith('/')) folder += '/';
  return folder.toStdString();
}

std::string FindDataFile(const std::string& relativePath) {
  const QString relative = QString::fromStdString(relativePath);
  if (QFileInfo::exists(relative)) return relativePath;
  const std::string beside = ProgramFolder() + relativePath;
  if (QFileInfo::exists(QString::fromStdString(beside))) return beside;
  return relativePath;
}

QIcon ProgramIcon() {
  static const QIcon icon(QString::fromStdString(FindDataFile("ICON/quillet2.ico")));
  return icon;
}
