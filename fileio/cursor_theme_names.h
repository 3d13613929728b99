#pragma once
// The names a cursor takes in an X11 cursor theme. Desktops and toolkits ask
// a theme for a shape under several names (the arrow as "left_ptr",
// "default" or "arrow"), so a theme holds one file per shape under its usual
// name and links for the others.

#include <string>
#include <vector>

struct ThemeCursorShape {
  // The usual name, under which the cursor file is written.
  const char* name;
  // What the shape is for, in the user's words.
  const char* meaning;
  // The other names asked for the same shape, written as links.
  std::vector<const char*> aliases;
};

// Every shape offered, the ordinary arrow first.
const std::vector<ThemeCursorShape>& ThemeCursorShapes();

// The shape whose name or alias this is, or nullptr.
const ThemeCursorShape* ThemeShapeNamed(const std::string& name);
