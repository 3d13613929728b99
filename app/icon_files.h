#pragma once
// The program's own icons (toolbar buttons, the tab mark, the program icon)
// are icon files in its ICON folder. They are read by the program's own icon
// reader rather than through Qt's image plugins: starting then loads no
// image plugin (nor the JPEG and GIF libraries the plugin search brings in),
// which is a good part of the time before the first window shows.

#include <QIcon>
#include <string>

// Every image of the icon file as one icon; masked pixels are transparent.
// A file the reader cannot take is handed to Qt's own reader instead.
QIcon IconFromIconFile(const std::string& path);
