// An icon file's images are decoded once each, whatever its directory says
// about their offsets and sizes, and one file's images together are bounded.

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "import/read.h"

namespace {

void PutBigEndian(ByteBuffer& bytes, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) bytes.push_back(static_cast<std::uint8_t>(value >> shift));
}

void PutLittleEndian(ByteBuffer& bytes, std::uint32_t value, int width) {
  for (int i = 0; i < width; ++i) bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

void Chunk(ByteBuffer& bytes, const char* type, const ByteBuffer& data) {
  PutBigEndian(bytes, static_cast<std::uint32_t>(data.size()));
  bytes.insert(bytes.end(), type, type + 4);
  bytes.insert(bytes.end(), data.begin(), data.end());
  PutBigEndian(bytes, 0);  // the check sum, which the stand-in decoder ignores
}

// The chunks of a PNG image of that size; `tag` makes images of one size
// differ.
ByteBuffer Png(std::uint32_t width, std::uint32_t height, std::uint8_t tag) {
  ByteBuffer bytes = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  ByteBuffer header;
  PutBigEndian(header, width);
  PutBigEndian(header, height);
  header.insert(header.end(), {8, 6, 0, 0, 0});
  Chunk(bytes, "IHDR", header);
  Chunk(bytes, "IDAT", {tag, tag, tag});
  Chunk(bytes, "IEND", {});
  return bytes;
}

// One directory entry: which of the stored images, at which of its copies,
// and the size its size field gives (0 for the image's own).
struct Ref {
  int image;
  int copy = 0;
  std::uint32_t sizeField = 0;
};

// An icon file holding `copies` copies of each image one after another, and
// a directory of the references.
ByteBuffer Icon(const std::vector<ByteBuffer>& images, int copies, const std::vector<Ref>& refs) {
  ByteBuffer bytes;
  PutLittleEndian(bytes, 0, 2);
  PutLittleEndian(bytes, 1, 2);
  PutLittleEndian(bytes, static_cast<std::uint32_t>(refs.size()), 2);
  std::uint32_t data = 6 + 16 * static_cast<std::uint32_t>(refs.size());
  std::vector<std::vector<std::uint32_t>> offsets(images.size());
  for (std::size_t i = 0; i < images.size(); ++i) {
    for (int copy = 0; copy < copies; ++copy) {
      offsets[i].push_back(data);
      data += static_cast<std::uint32_t>(images[i].size());
    }
  }
  for (const Ref& ref : refs) {
    bytes.insert(bytes.end(), {0, 0, 0, 0});
    PutLittleEndian(bytes, 1, 2);
    PutLittleEndian(bytes, 32, 2);
    const auto& image = images[static_cast<std::size_t>(ref.image)];
    PutLittleEndian(bytes, ref.sizeField != 0 ? ref.sizeField : static_cast<std::uint32_t>(image.size()), 4);
    PutLittleEndian(bytes, offsets[static_cast<std::size_t>(ref.image)][static_cast<std::size_t>(ref.copy)], 4);
  }
  for (const ByteBuffer& image : images)
    for (int copy = 0; copy < copies; ++copy) bytes.insert(bytes.end(), image.begin(), image.end());
  return bytes;
}

TEST(ImportDecodesOnce, EachDistinctImageIsDecodedOnceAndTheirTotalIsBounded) {
  const ByteBuffer small = Png(300, 200, 1);
  const ByteBuffer other = Png(300, 200, 2);
  const auto size = static_cast<std::uint32_t>(small.size());
  std::vector<Ref> sizeFields;
  std::vector<Ref> offsets;
  for (int i = 0; i < 256; ++i) {
    // The size fields all reach past the image's last chunk, each by another
    // number of bytes (into the next copy).
    sizeFields.push_back({0, 0, size + static_cast<std::uint32_t>(i)});
    offsets.push_back({0, i % 4});
  }
  std::vector<ByteBuffer> nine;
  std::vector<Ref> eachOfNine;
  for (int i = 0; i < 9; ++i) {
    nine.push_back(Png(4096, 4096, static_cast<std::uint8_t>(i)));
    eachOfNine.push_back({i});
  }
  const std::vector<Ref> eachOfEight(eachOfNine.begin(), eachOfNine.end() - 1);
  struct Case {
    const char* what;
    ByteBuffer file;
    int decodes;
    std::string error;
  };
  const Case cases[] = {
      {"one image, 256 size fields", Icon({small}, 4, sizeFields), 1, ""},
      {"one image stored four times", Icon({small}, 4, offsets), 1, ""},
      {"two images", Icon({small, other}, 1, {{0}, {1}, {0}, {1}}), 2, ""},
      {"an image cut short by its size field is other bytes", Icon({small}, 1, {{0}, {0, 0, size - 5}}), 2, ""},
      {"eight of the largest images", Icon(nine, 1, eachOfEight), 8, ""},
      {"nine of the largest images are refused before the ninth", Icon(nine, 1, eachOfNine), 8,
       IMPORT_TOO_MANY_PIXELS},
      {"nine times one of the largest images", Icon(nine, 1, std::vector<Ref>(9, Ref{3})), 1, ""},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.what);
    int decodes = 0;
    const PngDecoder decoder = [&](const std::uint8_t* data, std::size_t, RgbaPicture& picture) -> std::string {
      ++decodes;
      picture.width = 2;
      picture.height = 2;
      picture.pixels.assign(4, 0xFF000000u | data[41]);
      return "";
    };
    std::vector<ImportEntry> entries;
    EXPECT_EQ(ReadImportEntries(test.file, entries, decoder), test.error);
    EXPECT_EQ(decodes, test.decodes);
    if (!test.error.empty()) {
      EXPECT_TRUE(entries.empty());
      continue;
    }
    for (const ImportEntry& entry : entries) EXPECT_EQ(entry.problem, "");
  }
}

}  // namespace
