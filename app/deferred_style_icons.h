#pragma once
// Every menu bar asks the style for its overflow button's icon when it is
// made. The style's icon is a PNG in Qt's resources, and to tell its format
// Qt loads every image plugin (and the JPEG and GIF libraries they link)
// before the first window can show. The button appears only on a window too
// narrow for its menus, so the style installed here gives the menu bar an
// icon that reads the style's own picture when it is first drawn: the same
// picture, later. Everything else is the platform's default style.

// Makes the application's style the default style with the deferred icons;
// does nothing when it already is. Needs the QApplication.
void InstallDeferredStyleIcons();
