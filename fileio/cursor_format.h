#pragma once
// The .cur file: the icon file's layout with type 2 in the header, and in
// each directory entry the hot spot's x and y where an icon keeps its planes
// and bit count. Everything here works on the bytes of a whole file.

#include <string>
#include <vector>

#include "fileio/icon_format.h"

constexpr std::uint16_t ICON_FILE_TYPE = 1;
constexpr std::uint16_t CURSOR_FILE_TYPE = 2;

// True when the name ends in ".cur" (letters compared without case).
bool IsCursorName(const std::string& name);

// The header's file type, or 0 when the file is shorter than a header.
std::uint16_t FileTypeOf(const ByteBuffer& bytes);

// Checks a cursor file as CheckIconBytes checks an icon file: type 2, then
// the same directory and info-header checks.
IconCheck CheckCursorBytes(const ByteBuffer& bytes);

// The check that the file's name asks for: a cursor check for ".cur", the
// icon check otherwise.
IconCheck CheckIconOrCursorBytes(const ByteBuffer& bytes, bool cursor);

// The hot spot an entry of a cursor file gives, kept inside the image.
void HotSpotFromEntry(const IconDirEntry& entry, ImageTab& tab);

// Reads every image of a cursor file, with its hot spot, into records of
// their own. Gives back an empty string or the message.
std::string DecodeCursorFile(const ByteBuffer& bytes, std::vector<ImageTab>& images);

// The file image of the tabs as a cursor file, in the order given.
ByteBuffer SerializeCursor(const std::vector<const ImageTab*>& tabs);
