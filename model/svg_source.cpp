#include "model/svg_source.h"

#include <optional>
#include <utility>

namespace {

std::optional<DocumentSvg> remembered;

}  // namespace

const DocumentSvg* DocumentSvgSource() { return remembered ? &*remembered : nullptr; }

void RememberDocumentSvg(const std::string& fileName, ByteBuffer bytes) {
  remembered = DocumentSvg{fileName, std::move(bytes)};
}

void ForgetDocumentSvg() { remembered.reset(); }
