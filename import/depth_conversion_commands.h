#pragma once
// The menu commands that turn the current tab into the other kind. Each
// changes the tab in place as one step, so one undo gives the image back as
// it was, kind, size and palette included.

// "32ビットに変換": the current indexed tab as a true-colour tab. Inverted
// pixels, which a true-colour image cannot show, become transparent and
// the user is told how many there were.
void CommandConvertToTrueColour();

// "インデックスカラーに変換": asks for the colour count, dithering and the
// alpha cut, then makes the indexed tab and tells what was lost.
void CommandConvertToIndexed();

// The dialog's control ids, for scripts that answer it.
enum DepthConversionControl : int { ID_CONVERT_COLOURS = 3301, ID_CONVERT_DITHER = 3302, ID_CONVERT_ALPHA_CUT = 3303 };
