#pragma once
// Runs the built program as a process of its own, with no display and no
// platform chosen, as the command-line import is run from a shell.

#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>
#include <gtest/gtest.h>

#include <string>

struct ProgramRun {
  // The exit code, or -1 when the program did not end normally.
  int code = -1;
  std::string out;
  std::string err;
};

// The arguments follow "--lang ja", so the messages compared are the
// program's own Japanese, unless they choose a language themselves.
inline ProgramRun RunQuillet2(const QStringList& arguments) {
  QProcess process;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) environment.remove(name);
  process.setProcessEnvironment(environment);
  const QStringList language = arguments.contains("--lang") ? QStringList() : QStringList{"--lang", "ja"};
  process.start(QUILLET2_PROGRAM, language + arguments);
  EXPECT_TRUE(process.waitForFinished(60000));
  return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
          process.readAllStandardOutput().toStdString(), process.readAllStandardError().toStdString()};
}
