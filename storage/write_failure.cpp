#include "storage/write_failure.h"

#include "platform/translation.h"
#include "storage/file_message.h"
#include "storage/write_problem.h"

namespace {

// The message is put together in the user's language here, as the whole of
// it has no translation of its own.
std::string FirstLineAndReason(const char* firstLine, WriteProblem problem) {
  std::string text = UiString(firstLine);
  if (const char* reason = WriteProblemText(problem)) text += "\n" + UiString(reason);
  return text;
}

}  // namespace

std::string WriteFailureMessage(const std::string& path, const char* firstLine, WriteProblem problem) {
  return FileMessage(path, FirstLineAndReason(firstLine, problem));
}

std::string WriteFailureNote(const std::string& path, const char* firstLine, WriteProblem problem) {
  return FirstLineAndReason(firstLine, problem) + "\n[ " + path + " ]";
}
