#pragma once
// Marks a user-visible text for Qt's translation tools. The marked text is
// the program's own Japanese and stays what the code sees; the user
// interface looks up its translation where the text reaches the screen.
// Code that never sees Qt's headers gets the same definition Qt has, so the
// two agree wherever both are seen.

#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(scope, x) x
#endif

// The one translation context that every text of the program belongs to.
inline constexpr const char* TEXT_CONTEXT = "Quillet2";
