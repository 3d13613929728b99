#pragma once
// Reading SVG pictures (plain .svg and gzip-compressed .svgz) with librsvg,
// the renderer the Linux desktop draws its icons with. Each size is rendered
// from the vector source itself, never scaled from another size's bitmap, so
// a 16 pixel image keeps its lines as sharp as the drawing allows.
//
// librsvg cannot be stopped once it runs, and a small file can ask for an
// enormous amount of work (deep filter chains, huge blur radii, many
// references). Every parse and render therefore runs in a child process
// forked for it, which is killed when it passes the time limit; a crash in
// the renderer ends only that child. The SVG is loaded from memory with no
// base file, so librsvg resolves no reference to another file and never
// touches the network: only the picture's own elements and data: URLs draw.

#include <cstddef>
#include <string>

#include "import/read.h"
#include "platform/file_bytes.h"
#include "platform/ui_text.h"

inline constexpr const char* IMPORT_SVG_UNREADABLE = QT_TRANSLATE_NOOP("Quillet2", "SVGを描画できません");
inline constexpr const char* IMPORT_SVG_TOO_SLOW =
    QT_TRANSLATE_NOOP("Quillet2", "SVGの描画に時間がかかりすぎるため中止しました");

// The most bytes an SVG may hold once a .svgz is uncompressed. Real icons
// are a few hundred kilobytes at most; the bound keeps a small compressed
// file from unpacking into gigabytes.
constexpr std::size_t SVG_MAX_UNCOMPRESSED_BYTES = 32u << 20;
// How long one parse or render may take, in milliseconds, before its child
// is killed. A typical icon renders in a few milliseconds at 256 pixels.
constexpr int SVG_RENDER_TIME_LIMIT_MS = 10000;

// True when the name ends in .svg or .svgz, or the bytes start like an SVG
// document (XML or an <svg> element, after any byte order mark and white
// space) or a gzip stream under an .svgz name.
bool LooksLikeSvg(const std::string& path, const ByteBuffer& bytes);

// The SVG text of a file's bytes: gzip-compressed bytes are uncompressed
// (up to SVG_MAX_UNCOMPRESSED_BYTES), plain ones come back as they are.
// Gives back an empty string or why not.
std::string UncompressSvg(const ByteBuffer& bytes, ByteBuffer& svg);

// The picture's own size in pixels (at 96 dots per inch) when it gives one
// of 1 to `limit` pixels a side; otherwise its view box's proportions fitted
// into `fallback` x `fallback`, or a square of that size. Gives back an
// empty string or why the SVG cannot be read.
std::string MeasureSvg(const ByteBuffer& svg, int limit, int fallback, int& width, int& height);

// Renders the SVG text into a width x height picture with straight alpha:
// the drawing fitted into the box with its proportions kept and centred
// (as its preserveAspectRatio says, centred by default), the rest
// transparent. Gives back an empty string or why not; `out` is left empty
// on failure. The time limit is in milliseconds.
std::string RenderSvg(const ByteBuffer& svg, int width, int height, RgbaPicture& out,
                      int timeLimitMs = SVG_RENDER_TIME_LIMIT_MS);
