#pragma once
// The import's side of kept tabs: decoding a kept image's picture for Open,
// and making an ordinary, editable tab of it the way the import would.

#include <memory>
#include <string>

#include "model/image_tab.h"
#include "model/kept_entries.h"

// Decodes the kept image's bytes into its argb picture (PNG images by Qt's
// reader), within the import's bounds. Gives back an empty string or why
// it cannot.
std::string DecodeKeptEntryPicture(KeptEntry& kept);

// What the import makes of the image with its default choices: its own size
// when it fits an editable image, else 64; the fewest colours that hold it,
// else 256; no dithering. Nothing when the picture was not decoded.
std::unique_ptr<ImageTab> MakeEditableCopy(const KeptEntry& kept);

// The menu command: appends the copy of the current kept tab behind the
// tabs and shows it.
void CommandMakeEditableCopy();
