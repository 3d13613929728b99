#include "app/output_name.h"

#include "fileio/icon_format.h"

bool OutputNameAccepted(const std::string& name) {
  return FileExtensionIs(name, ".ico") || FileExtensionIs(name, ".cur");
}
