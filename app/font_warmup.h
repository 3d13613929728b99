#pragma once
// Fontconfig reads its configuration (dozens of XML files) and its font
// caches the first time any font is asked for; that is the largest single
// part of starting the program, and none of it needs the window system. So
// it begins on a thread of its own as soon as the program is loaded, and
// runs on another core while Qt connects to the display and the window is
// built; the window waits for it before it measures its first text, so the
// work is never done twice. Whatever forks a child (the SVG renderer) waits
// for it first, so that no child starts while fontconfig's locks are held.

// Waits until fontconfig has read its configuration. Cheap once done.
void WaitForFontConfig();
