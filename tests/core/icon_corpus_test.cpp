// Replays the collection of broken icon and palette files under
// tests/data: each must give its expected message (or read cleanly) and
// must never crash or read outside the file. Files the fuzzer finds go there
// too, with a line in the folder's expected.txt.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "fileio/icon_format.h"
#include "fileio/palette_file.h"

namespace {

std::vector<std::vector<std::string>> ReadManifest(const std::string& path) {
  std::vector<std::vector<std::string>> rows;
  std::ifstream in(path);
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::vector<std::string> fields;
    std::stringstream split(line);
    std::string field;
    while (std::getline(split, field, '\t')) fields.push_back(field);
    rows.push_back(fields);
  }
  return rows;
}

ByteBuffer ReadAll(const std::string& path) {
  const auto bytes = ReadFileBytes(path, ICON_MAX_FILE_BYTES);
  return bytes ? *bytes : ByteBuffer{};
}

}  // namespace

TEST(Corpus, IconFilesGiveTheirMessages) {
  const std::string folder = std::string(TEST_DATA_DIR) + "/icon_corpus/";
  const auto rows = ReadManifest(folder + "expected.txt");
  ASSERT_GE(rows.size(), 20u);
  for (const auto& row : rows) {
    ASSERT_GE(row.size(), 2u);
    SCOPED_TRACE(row[0]);
    const auto bytes = ReadFileBytes(folder + row[0], ICON_MAX_FILE_BYTES);
    ASSERT_TRUE(bytes.has_value());
    std::vector<ImageTab> images;
    const std::string error = DecodeIconFile(*bytes, images);
    if (row[1] == "OK") {
      EXPECT_EQ(error, "");
      EXPECT_EQ(images.size(), static_cast<std::size_t>(CheckIconBytes(*bytes).imageCount));
    } else {
      EXPECT_EQ(error, row[1]);
      EXPECT_TRUE(images.empty());
    }
  }
}

TEST(Corpus, PaletteFilesGiveTheirMessages) {
  const std::string folder = std::string(TEST_DATA_DIR) + "/palette_corpus/";
  const auto rows = ReadManifest(folder + "expected.txt");
  ASSERT_GE(rows.size(), 5u);
  for (const auto& row : rows) {
    ASSERT_GE(row.size(), 3u);
    SCOPED_TRACE(row[0]);
    ImageTab tab{};
    tab.colorCode = static_cast<std::uint8_t>(std::stoi(row[1]));
    for (ColorRef& color : tab.palette) color = 0x00ABCDEF;
    const std::string error = LoadPaletteFromFile(folder + row[0], tab);
    if (row[2] == "OK") {
      EXPECT_EQ(error, "");
      if (row[0].ends_with(".qpl")) EXPECT_EQ(ParsePalette(ReadAll(folder + row[0]), tab, tab.palette), "");
    } else {
      EXPECT_EQ(error, row[2]);
      // A refused file leaves the palette as it was.
      for (int i = 0; i < PaletteSize(tab); ++i) ASSERT_EQ(tab.palette[i], 0x00ABCDEFu) << i;
    }
  }
}
