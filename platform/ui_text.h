#pragma once
// Marks a user-visible text for Qt's translation tools. The marked text is
// the program's own Japanese and stays what the code sees; the user
// interface looks up its translation where the text reaches the screen.
// Code that never sees Qt's headers gets the same definition Qt has, so the
// two agree wherever both are seen.

#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(scope, x) x
#endif

#include <initializer_list>
#include <string>

// The one translation context that every text of the program belongs to.
inline constexpr const char* TEXT_CONTEXT = "Quillet2";

// Gives the text in the user interface's language. Code without a user
// interface composes its texts with the identity; the user interface passes
// its own lookup.
using TextLookup = std::string (*)(const std::string&);
inline std::string SameText(const std::string& text) { return text; }

// The pattern with "%1" to "%9" replaced by the values, in one pass, so that
// a value holding "%1" itself stays as it is. Each language places the
// values in its own order.
inline std::string FillText(const std::string& pattern, std::initializer_list<std::string> values) {
  std::string text;
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    const std::size_t number = i + 1 < pattern.size() ? static_cast<std::size_t>(pattern[i + 1] - '1') : values.size();
    if (pattern[i] == '%' && number < values.size() && number < 9) {
      text += values.begin()[number];
      ++i;
    } else {
      text += pattern[i];
    }
  }
  return text;
}
