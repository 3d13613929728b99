#pragma once
// Colour arithmetic shared by the palette operations: conversion between
// palette colours and hue, saturation and value, ordering a palette by HSV,
// merging repeated colours, and the nearest palette entry of a colour.

#include <cstdint>

#include "model/image_tab.h"

struct HsvColor {
  // Degrees, 0..359 as produced by RgbToHsv.
  std::int32_t hue = 0;
  // 0..255.
  std::int32_t saturation = 0;
  // 0..255.
  std::int32_t value = 0;
};

// One palette colour in the working list of the HSV sort, with the palette
// index it was made from. Entries are swapped whole.
struct HsvEntry {
  HsvColor color;
  std::int32_t index = 0;
};

// Width in degrees of one hue bucket of the sort: 17 buckets for 0..359.
constexpr int HUE_BUCKET = 22;

enum HsvKey : int { KEY_HUE, KEY_SATURATION, KEY_VALUE };

// Writes hue, saturation and value of the colour into hsv. With greyHue 1
// a grey colour gets hue 0; with greyHue 0 it keeps the hue hsv holds.
void RgbToHsv(ColorRef colour, HsvColor& hsv, int greyHue);

// The colour of hsv. A hue of 360 or more falls into the magenta sector.
ColorRef HsvToRgb(const HsvColor& hsv);

// Sorts n entries ascending by one key with a plain exchange sort. Its
// handling of equal keys decides the palette order, so it must stay this
// exact procedure.
void ExchangeSort(HsvEntry* entries, int n, HsvKey key);

// Fills entries 0..n-1 from palette 0..n-1 and orders them by hue bucket,
// then saturation, then value.
void SortPaletteByHsv(int n, HsvEntry* entries, const ColorRef* palette);

// Puts the first n palette entries of the tab in HSV order and renumbers
// the pixels, so that every pixel keeps its colour.
void ReorderPaletteByHsv(ImageTab& tab, int n);

// Keeps one entry of each colour among palette entries 0..n-1, in the order
// of first occurrence, fills the freed entries at the end with black and
// points every pixel (x < width, y < height of the column-major 64 x 64
// cells) at the entry of its former colour. Mask bits are kept.
void MergeDuplicateColors(ColorRef* palette, PixelCell* cells, int width, int height, int n);

// The "整理" operation: HSV order, then repeated colours merged.
void OrganizePalette(ImageTab& tab);

// The index 0..n-1 of the entry nearest to the colour: an entry equal to it
// always wins; otherwise the smallest sum of squared channel differences,
// the lowest index on ties. Gives back 0 when n is not positive.
int NearestPaletteIndex(const ColorRef* entries, int n, ColorRef colour);

inline int RedOf(ColorRef colour) { return static_cast<int>(colour & 0xFF); }
inline int GreenOf(ColorRef colour) { return static_cast<int>((colour >> 8) & 0xFF); }
inline int BlueOf(ColorRef colour) { return static_cast<int>((colour >> 16) & 0xFF); }
inline ColorRef MakeColor(int red, int green, int blue) {
  return static_cast<ColorRef>(red & 0xFF) | static_cast<ColorRef>(green & 0xFF) << 8 |
         static_cast<ColorRef>(blue & 0xFF) << 16;
}
