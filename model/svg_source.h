#pragma once
// The SVG the document's images were imported from. Each size of an icon
// set is best rendered from the vector drawing itself, so after an import
// from an SVG the document keeps its bytes and file name: an export can then
// render the sizes the document lacks from it and write the SVG itself
// beside the bitmaps. The record is dropped with the document's last tab.

#include <string>

#include "platform/file_bytes.h"

struct DocumentSvg {
  // The file the SVG was imported from, as the user named it.
  std::string fileName;
  // The SVG text, uncompressed when the file was an .svgz.
  ByteBuffer bytes;
};

// The SVG the document came from, or nullptr when it came from none.
const DocumentSvg* DocumentSvgSource();
// Notes the SVG of the latest import; an earlier one is replaced.
void RememberDocumentSvg(const std::string& fileName, ByteBuffer bytes);
void ForgetDocumentSvg();
