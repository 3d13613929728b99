#pragma once
// Writing a cursor theme folder: THEME/cursors/NAME and THEME/index.theme.
// A theme often lies where several users write (a shared icons folder), so
// its folders are held open while they are written and only folders of the
// user's own are written into: another user's folder could hold that user's
// links, or be changed by them under the writing.

#include <string>
#include <vector>

#include "platform/file_bytes.h"

struct ThemeWriteResult {
  WriteResult result = WriteResult::Ok;
  WriteProblem problem = WriteProblem::None;
  // The folder or file the failure is about, and whether a folder could not
  // be made or found there.
  std::string path;
  bool folder = false;
  // After the cursor was written: the aliases that now lead to it, and
  // those left alone because a file of their own (or another user's link)
  // has the name.
  std::vector<std::string> linked;
  std::vector<std::string> leftAlone;
};

// Writes the cursor as THEME/cursors/NAME and, when THEME has no
// index.theme, the index there (an index.theme already there stays). Missing
// folders are made; THEME and THEME/cursors must be the user's own, and a
// file or link another user put at NAME is refused. The cursor replaces an
// old one as a save replaces a file. When a step fails, what this call made
// (folders, index) is removed again, so nothing half-written stays.
// Each alias becomes a link THEME/cursors/ALIAS to NAME; a link of the
// user's own already there is replaced, anything else is left alone.
ThemeWriteResult WriteThemeFiles(const std::string& themeFolder, const std::string& cursorName, const ByteBuffer& cursor,
                                 const ByteBuffer& index, const std::vector<std::string>& aliases = {});
