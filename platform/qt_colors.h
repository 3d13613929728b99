#pragma once
// Colours of the program (red in the lowest byte) as Qt colours.

#include <QColor>
#include <cstdint>

inline QColor ToQColor(std::uint32_t colorRef) {
  return QColor(static_cast<int>(colorRef & 0xFF), static_cast<int>((colorRef >> 8) & 0xFF),
                static_cast<int>((colorRef >> 16) & 0xFF));
}
