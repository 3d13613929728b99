#pragma once
// The menu commands that turn the current tab into the other kind. Each
// makes a new tab beside the current one and shows it, so the original
// stays as it was and one deletion of the new tab takes the step back.

// "32ビットに変換": the current indexed tab as a true-colour tab. Inverted
// pixels, which a true-colour image cannot show, become transparent and
// the user is told how many there were.
void CommandConvertToTrueColour();

// "インデックスカラーに変換": asks for the colour count, dithering and the
// alpha cut, then makes the indexed tab and tells what was lost.
void CommandConvertToIndexed();

// The dialog's control ids, for scripts that answer it.
enum DepthConversionControl : int { ID_CONVERT_COLOURS = 3301, ID_CONVERT_DITHER = 3302, ID_CONVERT_ALPHA_CUT = 3303 };
