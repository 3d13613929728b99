#pragma once
// An animated cursor file as the document: each frame opens as a tab with
// its hot spot and display time, the sequence stays with the document, and
// the tabs are written back as the file's frames.

#include <optional>
#include <string>

#include "platform/file_bytes.h"

// True when the name ends in ".ani" (letters compared without case).
bool IsAnimatedCursorName(const std::string& name);

// Reads the file and checks its chunks and every frame (each a cursor or
// icon file of one image that the icon checks accept). Gives back an empty
// string with the number of frames, or the reason (not shown).
std::string AniBytesProblem(const ByteBuffer& bytes, int& frameCount);
std::string AniFileProblem(const std::string& path, int& frameCount);

// Creates one tab per frame behind the open tabs. When the tabs are the
// first of the set, the file's sequence and header become the document's
// animation. Gives back the strip position of the first new tab, or nothing
// after a failure (shown, with the tabs it made removed again).
std::optional<int> LoadAniFile(const std::string& path);

// The file image of the open tabs as an animated cursor: the frames in strip
// order, the document's sequence with each step's time.
ByteBuffer SerializeAnimationDocument();
