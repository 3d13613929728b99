// The animated cursor file: files laid out as other tools lay them out read
// with their frames, rates and sequence, and write back byte for byte;
// damaged and hostile files are refused with their message; the steps the
// document plays follow its tabs.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "fileio/ani_format.h"
#include "model/animation.h"
#include "tests/support/ani_samples.h"

namespace {

using samples::AniHeader;
using samples::CursorFrame;
using samples::FrameList;
using samples::RiffChunk;
using samples::RiffList;
using samples::Values;

struct RoundTrip {
  const char* what;
  ByteBuffer file;
  std::size_t frames;
  std::vector<std::uint32_t> rates;
  std::vector<std::uint32_t> sequence;
  // What each step shows and for how long.
  std::vector<std::uint32_t> frameOfStep;
  std::vector<std::uint32_t> rateOfStep;
  // What the writer makes of it, when not the file itself.
  ByteBuffer written = {};
};

std::vector<RoundTrip> RoundTrips() {
  const ByteBuffer a = CursorFrame(32, 16, 1, 3, 4);
  const ByteBuffer b = CursorFrame(32, 16, 2, 5, 6);
  const ByteBuffer c = CursorFrame(16, 2, 3, 0, 15);
  const ByteBuffer info = RiffList("LIST", "INFO", {RiffChunk("INAM", {'s', 'p', 'i', 'n', 0}),
                                                    RiffChunk("IART", {'m', 'e', 0})});
  // The RIFF size counting the 8 bytes of the RIFF header too, as some
  // writers count it.
  const ByteBuffer plain = RiffList("RIFF", "ACON", {RiffChunk("anih", AniHeader(2, 2, 7, 1)), FrameList({a, b})});
  ByteBuffer wholeSize = plain;
  wholeSize[4] = static_cast<std::uint8_t>(plain.size());
  wholeSize[5] = static_cast<std::uint8_t>(plain.size() >> 8);
  return {
      {"sequence repeating frames, with rates",
       RiffList("RIFF", "ACON",
                {RiffChunk("anih", AniHeader(3, 5, 10, 3)), RiffChunk("rate", Values({10, 20, 10, 5, 20})),
                 RiffChunk("seq ", Values({0, 1, 2, 1, 0})), FrameList({a, b, c})}),
       3, {10, 20, 10, 5, 20}, {0, 1, 2, 1, 0}, {0, 1, 2, 1, 0}, {10, 20, 10, 5, 20}},
      {"no rate and no sequence chunk",
       RiffList("RIFF", "ACON", {RiffChunk("anih", AniHeader(2, 2, 7, 1)), FrameList({a, b})}),
       2, {}, {}, {0, 1}, {7, 7}},
      {"title list first, sequence before rates, frame of odd size",
       RiffList("RIFF", "ACON",
                {info, RiffChunk("anih", AniHeader(2, 3, 6, 3)), RiffChunk("seq ", Values({1, 0, 1})),
                 RiffChunk("rate", Values({1, 2, 3})), FrameList({c, ByteBuffer(a.begin(), a.end() - 1)})}),
       2, {1, 2, 3}, {1, 0, 1}, {1, 0, 1}, {1, 2, 3}},
      {"RIFF size counting the whole file", wholeSize, 2, {}, {}, {0, 1}, {7, 7}, plain},
  };
}

TEST(AniFormat, FilesKeepFramesRatesAndSequenceAndWriteBackByteForByte) {
  for (const RoundTrip& trip : RoundTrips()) {
    SCOPED_TRACE(trip.what);
    AniFile ani;
    ASSERT_EQ(ReadAniBytes(trip.file, ani), "");
    EXPECT_EQ(ani.frames.size(), trip.frames);
    EXPECT_EQ(ani.rates, trip.rates);
    EXPECT_EQ(ani.sequence, trip.sequence);
    ASSERT_EQ(ani.steps, trip.frameOfStep.size());
    for (std::uint32_t step = 0; step < ani.steps; ++step) {
      EXPECT_EQ(FrameOfStep(ani, step), trip.frameOfStep[step]) << step;
      EXPECT_EQ(RateOfStep(ani, step), trip.rateOfStep[step]) << step;
    }
    EXPECT_EQ(SerializeAni(ani), trip.written.empty() ? trip.file : trip.written);
  }
}

TEST(AniFormat, TheTitleListIsKeptAndFramesAreTheCursorFilesAsTheyWere) {
  const RoundTrip trip = RoundTrips()[2];
  AniFile ani;
  ASSERT_EQ(ReadAniBytes(trip.file, ani), "");
  EXPECT_TRUE(ani.hasInfo);
  ByteBuffer info = RiffChunk("INAM", {'s', 'p', 'i', 'n', 0});
  const ByteBuffer artist = RiffChunk("IART", {'m', 'e', 0});
  info.insert(info.end(), artist.begin(), artist.end());
  EXPECT_EQ(ani.info, info);
  EXPECT_EQ(ani.frames[0], CursorFrame(16, 2, 3, 0, 15));
  // The pad byte after an odd frame is not part of it.
  const ByteBuffer a = CursorFrame(32, 16, 1, 3, 4);
  EXPECT_EQ(ani.frames[1], ByteBuffer(a.begin(), a.end() - 1));
}

struct Hostile {
  const char* what;
  ByteBuffer file;
  const char* message;
};

std::vector<Hostile> HostileFiles() {
  const ByteBuffer a = CursorFrame(16, 16, 1, 1, 1);
  const ByteBuffer good = RiffList("RIFF", "ACON", {RiffChunk("anih", AniHeader(1, 1, 10, 1)), FrameList({a})});
  ByteBuffer truncated = good;
  truncated.resize(truncated.size() - 9);
  ByteBuffer riffTooLong = good;
  // The RIFF size says the form runs past the file's end.
  const std::uint32_t pastEnd = static_cast<std::uint32_t>(good.size() + 1);
  for (int i = 0; i < 4; ++i) riffTooLong[4 + i] = static_cast<std::uint8_t>(pastEnd >> (8 * i));
  ByteBuffer chunkPastFile = good;
  // The anih chunk claims far more than the file holds.
  chunkPastFile[16] = 0xFF;
  chunkPastFile[17] = 0xFF;
  chunkPastFile[18] = 0xFF;
  chunkPastFile[19] = 0x7F;
  std::vector<ByteBuffer> twentyOne(21, a);
  return {
      {"empty", {}, ANI_NOT_ANI},
      {"an icon file", a, ANI_NOT_ANI},
      {"RIFF of another form", RiffList("RIFF", "WAVE", {}), ANI_NOT_ANI},
      {"file cut inside a frame", truncated, ANI_TRUNCATED},
      {"RIFF size past the file", riffTooLong, ANI_TRUNCATED},
      {"chunk length past the file", chunkPastFile, ANI_TRUNCATED},
      {"no header", RiffList("RIFF", "ACON", {FrameList({a})}), ANI_NO_HEADER},
      {"68 MiB", RiffList("RIFF", "ACON", {RiffChunk("anih", AniHeader(1, 1, 10, 1)), FrameList({ByteBuffer(68u << 20, 0)})}),
       ANI_TOO_LARGE},
      {"header too short", RiffList("RIFF", "ACON", {RiffChunk("anih", ByteBuffer(20, 0)), FrameList({a})}),
       ANI_NO_HEADER},
      {"zero frames", RiffList("RIFF", "ACON", {RiffChunk("anih", AniHeader(0, 0, 10, 1)), FrameList({})}),
       ANI_NO_FRAMES},
      {"frame count past the frames held",
       RiffList("RIFF", "ACON", {RiffChunk("anih", AniHeader(0xFFFFFFFF, 1, 10, 1)), FrameList({a})}),
       ANI_FRAME_COUNT},
      {"fewer frames than counted",
       RiffList("RIFF", "ACON", {RiffChunk("anih", AniHeader(3, 3, 10, 1)), FrameList({a, a})}), ANI_FRAME_COUNT},
      {"raw bitmap frames", RiffList("RIFF", "ACON", {RiffChunk("anih", AniHeader(1, 1, 10, 0)), FrameList({a})}),
       ANI_RAW_FRAMES},
      {"step count past the rate chunk",
       RiffList("RIFF", "ACON",
                {RiffChunk("anih", AniHeader(1, 4, 10, 3)), RiffChunk("rate", Values({1, 2})),
                 RiffChunk("seq ", Values({0, 0, 0, 0})), FrameList({a})}),
       ANI_STEP_COUNT},
      {"huge step count", RiffList("RIFF", "ACON",
                                   {RiffChunk("anih", AniHeader(1, 0x40000000, 10, 3)),
                                    RiffChunk("seq ", Values({0})), FrameList({a})}),
       ANI_STEP_COUNT},
      {"sequence naming a missing frame",
       RiffList("RIFF", "ACON",
                {RiffChunk("anih", AniHeader(2, 2, 10, 3)), RiffChunk("seq ", Values({0, 2})), FrameList({a, a})}),
       ANI_BAD_SEQUENCE},
  };
}

TEST(AniFormat, DamagedAndHostileFilesAreRefusedWithTheirMessage) {
  for (const Hostile& file : HostileFiles()) {
    SCOPED_TRACE(file.what);
    AniFile ani;
    EXPECT_EQ(ReadAniBytes(file.file, ani), file.message);
  }
  // Every shorter piece of a good file is refused or read, never more.
  const ByteBuffer good = RoundTrips()[0].file;
  for (std::size_t size = 0; size < good.size(); ++size) {
    AniFile ani;
    EXPECT_NE(ReadAniBytes(ByteBuffer(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(size)), ani), "")
        << size;
  }
}

TEST(AniFormat, MoreFramesThanTabsAreReadForTheTabLimitToRefuse) {
  const std::vector<ByteBuffer> frames(21, CursorFrame(16, 2, 1, 0, 0));
  AniFile ani;
  ASSERT_EQ(ReadAniBytes(RiffList("RIFF", "ACON", {RiffChunk("anih", AniHeader(21, 21, 10, 1)), FrameList(frames)}),
                         ani),
            "");
  EXPECT_EQ(ani.frames.size(), 21u);
}

// The fuzzer's seeds, and anything it finds, replay with their messages.
TEST(AniFormat, CorpusFilesGiveTheirMessagesAndReadFilesReadTheSameWhenWritten) {
  const std::string folder = std::string(TEST_DATA_DIR) + "/ani_corpus/";
  std::ifstream manifest(folder + "expected.txt");
  std::string line;
  int rows = 0;
  while (std::getline(manifest, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::stringstream split(line);
    std::string name, message;
    std::getline(split, name, '\t');
    std::getline(split, message, '\t');
    SCOPED_TRACE(name);
    ++rows;
    const auto bytes = ReadFileBytes(folder + name, ANI_MAX_FILE_BYTES);
    ASSERT_TRUE(bytes.has_value());
    AniFile ani;
    const std::string error = ReadAniBytes(*bytes, ani);
    if (message != "OK") {
      EXPECT_EQ(error, message);
      continue;
    }
    ASSERT_EQ(error, "");
    // Written again, it reads as the same animation.
    AniFile again;
    ASSERT_EQ(ReadAniBytes(SerializeAni(ani), again), "");
    EXPECT_EQ(again.frames, ani.frames);
    EXPECT_EQ(again.rates, ani.rates);
    EXPECT_EQ(again.sequence, ani.sequence);
    EXPECT_EQ(again.info, ani.info);
  }
  EXPECT_GE(rows, 6);
}

struct PlayCase {
  const char* what;
  std::vector<AnimationStep> kept;
  std::vector<int> slots;
  std::vector<std::uint32_t> frameRates;
  std::vector<std::pair<int, std::uint32_t>> played;
};

TEST(Animation, PlayedStepsFollowTheTabsStillOpen) {
  const std::vector<PlayCase> cases = {
      {"kept sequence with a step of its own time", {{4, 0}, {7, 0}, {4, 30}}, {4, 7}, {5, 8}, {{4, 5}, {7, 8}, {4, 30}}},
      {"a deleted tab's steps are dropped", {{4, 0}, {7, 0}, {4, 0}}, {7}, {8}, {{7, 8}}},
      {"a tab no step shows comes after the sequence", {{4, 0}, {4, 0}}, {9, 4}, {2, 3}, {{4, 3}, {4, 3}, {9, 2}}},
      {"no sequence: each tab once in strip order, default time for 0", {}, {3, 1}, {0, 12}, {{3, 10}, {1, 12}}},
  };
  for (const PlayCase& c : cases) {
    SCOPED_TRACE(c.what);
    ForgetAnimation();
    documentAnimation.steps = c.kept;
    std::vector<std::pair<int, std::uint32_t>> played;
    for (const PlayedStep& step : PlayedSteps(c.slots, c.frameRates)) played.emplace_back(step.slot, step.rate);
    EXPECT_EQ(played, c.played);
  }
  ForgetAnimation();
}

TEST(Animation, ForgettingASlotDropsOnlyItsSteps) {
  ForgetAnimation();
  documentAnimation.steps = {{1, 0}, {2, 5}, {1, 9}, {3, 0}};
  ForgetAnimationSlot(1);
  ASSERT_EQ(documentAnimation.steps.size(), 2u);
  EXPECT_EQ(documentAnimation.steps[0].slot, 2);
  EXPECT_EQ(documentAnimation.steps[1].slot, 3);
  EXPECT_EQ(RateToMilliseconds(6), 100u);
  EXPECT_EQ(RateToMilliseconds(60), 1000u);
  // A time too long to count in milliseconds stays the longest there is.
  EXPECT_EQ(RateToMilliseconds(0xFFFFFFFF), 0xFFFFFFFFu);
  ForgetAnimation();
}

}  // namespace
