#pragma once
// The animated cursor file (.ani): a RIFF form of type "ACON" holding an
// "anih" header, optional "rate" and "seq " chunks of one 32-bit value per
// step, a "LIST" of type "fram" whose "icon" chunks each hold a whole cursor
// (or icon) file, and an optional "LIST" of type "INFO". Everything here
// works on the bytes of a whole file.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/file_bytes.h"
#include "platform/ui_text.h"

inline constexpr const char* ANI_NOT_ANI = QT_TRANSLATE_NOOP("Quillet2", "アニメーションカーソルではありません");
inline constexpr const char* ANI_TRUNCATED =
    QT_TRANSLATE_NOOP("Quillet2", "ファイルが途中で切れています（チャンクがファイルの外まで続いています）");
inline constexpr const char* ANI_TOO_LARGE =
    QT_TRANSLATE_NOOP("Quillet2", "アニメーションカーソルとしては大きすぎます");
inline constexpr const char* ANI_NO_HEADER = QT_TRANSLATE_NOOP("Quillet2", "アニメーションの情報（anih）がありません");
inline constexpr const char* ANI_NO_FRAMES = QT_TRANSLATE_NOOP("Quillet2", "フレームがありません");
inline constexpr const char* ANI_FRAME_COUNT =
    QT_TRANSLATE_NOOP("Quillet2", "フレームの数がファイルの中のフレームと合いません");
inline constexpr const char* ANI_STEP_COUNT =
    QT_TRANSLATE_NOOP("Quillet2", "表示時間か順序の数がステップ数と合いません");
inline constexpr const char* ANI_BAD_SEQUENCE =
    QT_TRANSLATE_NOOP("Quillet2", "表示順序がないフレームを指しています");
inline constexpr const char* ANI_RAW_FRAMES =
    QT_TRANSLATE_NOOP("Quillet2", "フレームがアイコン形式でないアニメーションは扱えません");
inline constexpr const char* ANI_FRAME_PROBLEM = QT_TRANSLATE_NOOP("Quillet2", "フレーム%1: %2");
inline constexpr const char* ANI_FRAME_IMAGES =
    QT_TRANSLATE_NOOP("Quillet2", "画像が１つでないフレームは扱えません");

// The header's flags: the frames are icon or cursor files; a sequence
// chunk is present.
constexpr std::uint32_t ANI_FLAG_ICON = 1;
constexpr std::uint32_t ANI_FLAG_SEQUENCE = 2;
constexpr std::uint32_t ANI_HEADER_BYTES = 36;
// More steps than this are not taken: no cursor needs them, and they bound
// what a hostile header makes the reader keep.
constexpr std::uint32_t ANI_MAX_STEPS = 4096;
// The largest .ani file read: twenty frames of the largest kept images.
constexpr std::size_t ANI_MAX_FILE_BYTES = 64u << 20;

struct AniFile {
  // The header's fields, as read or to be written (frames and steps follow
  // the frames and the sequence when written).
  std::uint32_t headerBytes = ANI_HEADER_BYTES;
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  std::uint32_t bitCount = 0;
  std::uint32_t planes = 0;
  std::uint32_t defaultRate = 0;
  std::uint32_t flags = ANI_FLAG_ICON;
  std::uint32_t steps = 0;
  // Each frame a whole .cur or .ico file.
  std::vector<ByteBuffer> frames;
  // One value per step when the file has the chunk; empty otherwise.
  std::vector<std::uint32_t> rates;
  std::vector<std::uint32_t> sequence;
  // The INFO list's content after its type, kept as it is.
  bool hasInfo = false;
  ByteBuffer info;
  // The chunks in the order the file has them: "INFO", "anih", "rate",
  // "seq ", "fram". Empty for the usual order.
  std::vector<std::string> chunkOrder;
};

// Reads the file's chunks. Every length is checked against the chunk that
// holds it; the counts against what the file holds. Gives back an empty
// string or the reason (one of the messages above). The frames themselves
// are not checked here.
std::string ReadAniBytes(const ByteBuffer& bytes, AniFile& ani);

// The frame shown at each step and that step's time: the sequence (or each
// frame once in order) and the rates (or the header's rate).
std::uint32_t FrameOfStep(const AniFile& ani, std::uint32_t step);
std::uint32_t RateOfStep(const AniFile& ani, std::uint32_t step);

// The file image: the header with frames and steps counted from the frames
// and the sequence (steps = frames without one), the rate chunk when rates
// are given, the sequence chunk when one is given, the INFO list when kept,
// in the kept order.
ByteBuffer SerializeAni(const AniFile& ani);
