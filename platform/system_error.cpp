#include "platform/system_error.h"

#include <cstdio>

#include "platform/file_status.h"
#include "platform/modal.h"

std::string SystemErrorCaption(int code) {
  char caption[32];
  std::snprintf(caption, sizeof caption, "error code = %d", code);
  return caption;
}

void ShowSystemError() {
  // Taken first, before anything else can overwrite it.
  const int code = LastSystemError();
  ShowMessageBox(SystemErrorText(code), SystemErrorCaption(code), MB_OK, ICON_INFORMATION);
}
