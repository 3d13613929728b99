#include "import/svg_render.h"

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#include <zlib.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <functional>

#include "fileio/icon_format.h"
#include "import/decode.h"
#include "import/svg_library.h"

namespace {

bool IsGzip(const ByteBuffer& bytes) { return bytes.size() >= 2 && bytes[0] == 0x1F && bytes[1] == 0x8B; }

// What a child sends back before any pixels.
enum ChildStatus : std::int32_t { CHILD_OK = 0, CHILD_UNREADABLE = 1 };

bool WriteAll(int fd, const void* data, std::size_t size) {
  const auto* p = static_cast<const std::uint8_t*>(data);
  while (size > 0) {
    const ssize_t n = ::write(fd, p, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    p += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

// Reads exactly `size` bytes unless the deadline passes (false, `late` set)
// or the child ends first (false).
bool ReadAll(int fd, void* data, std::size_t size, std::chrono::steady_clock::time_point deadline, bool& late) {
  auto* p = static_cast<std::uint8_t*>(data);
  while (size > 0) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) {
      late = true;
      return false;
    }
    pollfd wait{fd, POLLIN, 0};
    const int ready = ::poll(&wait, 1, static_cast<int>(std::min<long long>(left.count(), 1000)));
    if (ready < 0 && errno != EINTR) return false;
    if (ready <= 0) continue;
    const ssize_t n = ::read(fd, p, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    p += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

// The work a child does: fills the picture (for a measure, only its width
// and height) or gives back false when the SVG cannot be used.
using ChildWork = std::function<bool(RgbaPicture&)>;

// Runs the work in a forked child and takes its result through a pipe,
// killing the child when it passes the time limit. The parent only loads
// librsvg and never calls it, so nothing it leaves behind can hurt the
// program.
std::string RunInChild(const ChildWork& work, bool withPixels, RgbaPicture& out,
                       int timeLimitMs = SVG_RENDER_TIME_LIMIT_MS) {
  out = RgbaPicture{};
  int fds[2];
  if (::pipe(fds) != 0) return IMPORT_SVG_UNREADABLE;
  const pid_t child = ::fork();
  if (child < 0) {
    ::close(fds[0]);
    ::close(fds[1]);
    return IMPORT_SVG_UNREADABLE;
  }
  if (child == 0) {
    ::close(fds[0]);
    // Ctrl+C ends the child at once; the parent notices it as it would
    // have without the child.
    ::signal(SIGINT, SIG_DFL);
    RgbaPicture picture;
    const std::int32_t status = work(picture) ? CHILD_OK : CHILD_UNREADABLE;
    const std::int32_t size[2] = {picture.width, picture.height};
    bool sent = WriteAll(fds[1], &status, sizeof status);
    if (sent && status == CHILD_OK) sent = WriteAll(fds[1], size, sizeof size);
    if (sent && status == CHILD_OK && withPixels)
      sent = WriteAll(fds[1], picture.pixels.data(), picture.pixels.size() * sizeof(std::uint32_t));
    // No exit handlers: they belong to the parent (and the leak checker
    // would report the parent's memory that the child inherited).
    ::_exit(sent ? 0 : 1);
  }
  ::close(fds[1]);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeLimitMs);
  bool late = false;
  std::int32_t status = CHILD_UNREADABLE;
  std::int32_t size[2] = {0, 0};
  bool ok = ReadAll(fds[0], &status, sizeof status, deadline, late) && status == CHILD_OK &&
            ReadAll(fds[0], size, sizeof size, deadline, late) && size[0] >= 0 && size[1] >= 0 &&
            size[0] <= IMPORT_MAX_PICTURE_SIZE && size[1] <= IMPORT_MAX_PICTURE_SIZE;
  if (ok) {
    out.width = size[0];
    out.height = size[1];
    if (withPixels) {
      out.pixels.resize(static_cast<std::size_t>(out.width) * static_cast<std::size_t>(out.height));
      ok = ReadAll(fds[0], out.pixels.data(), out.pixels.size() * sizeof(std::uint32_t), deadline, late);
    }
  }
  if (late) ::kill(child, SIGKILL);
  ::close(fds[0]);
  int childStatus = 0;
  while (::waitpid(child, &childStatus, 0) < 0 && errno == EINTR) {
  }
  if (ok && (!WIFEXITED(childStatus) || WEXITSTATUS(childStatus) != 0)) ok = false;
  if (!ok) out = RgbaPicture{};
  if (late) return IMPORT_SVG_TOO_SLOW;
  return ok ? std::string{} : std::string{IMPORT_SVG_UNREADABLE};
}

// A handle on the SVG with no base file: librsvg then loads nothing from
// outside the bytes given. Null when the bytes do not parse.
RsvgHandle* OpenSvg(const SvgLibrary& rsvg, const ByteBuffer& svg) {
  GError* error = nullptr;
  RsvgHandle* handle = rsvg.newFromData(svg.data(), svg.size(), &error);
  if (error != nullptr) rsvg.errorFree(error);
  if (handle != nullptr) rsvg.setDpi(handle, 96.0);
  return handle;
}

bool MeasureInChild(const SvgLibrary& rsvg, const ByteBuffer& svg, int limit, int fallback, RgbaPicture& size) {
  RsvgHandle* handle = OpenSvg(rsvg, svg);
  if (handle == nullptr) return false;
  double w = 0, h = 0;
  if (rsvg.intrinsicSizeInPixels(handle, &w, &h) && w >= 0.5 && h >= 0.5 && w < limit + 0.5 &&
      h < limit + 0.5) {
    size.width = static_cast<int>(std::lround(w));
    size.height = static_cast<int>(std::lround(h));
  } else {
    gboolean hasWidth = FALSE, hasHeight = FALSE, hasViewBox = FALSE;
    RsvgLength width{}, height{};
    RsvgRectangle viewBox{};
    rsvg.intrinsicDimensions(handle, &hasWidth, &width, &hasHeight, &height, &hasViewBox, &viewBox);
    size.width = size.height = fallback;
    if (hasViewBox && viewBox.width > 0 && viewBox.height > 0) {
      // The longer side takes the fallback; the shorter keeps the ratio.
      if (viewBox.width >= viewBox.height)
        size.height = std::max(1, static_cast<int>(std::lround(fallback * viewBox.height / viewBox.width)));
      else
        size.width = std::max(1, static_cast<int>(std::lround(fallback * viewBox.width / viewBox.height)));
    }
  }
  rsvg.objectUnref(handle);
  return true;
}

bool RenderInChild(const SvgLibrary& rsvg, const ByteBuffer& svg, int width, int height, RgbaPicture& picture) {
  RsvgHandle* handle = OpenSvg(rsvg, svg);
  if (handle == nullptr) return false;
  cairo_surface_t* surface = rsvg.imageSurfaceCreate(CAIRO_FORMAT_ARGB32, width, height);
  cairo_t* cr = rsvg.create(surface);
  const RsvgRectangle viewport{0, 0, static_cast<double>(width), static_cast<double>(height)};
  GError* error = nullptr;
  const bool drawn = rsvg.renderDocument(handle, cr, &viewport, &error) && rsvg.status(cr) == CAIRO_STATUS_SUCCESS;
  if (error != nullptr) rsvg.errorFree(error);
  rsvg.destroy(cr);
  rsvg.surfaceFlush(surface);
  if (drawn && rsvg.surfaceStatus(surface) == CAIRO_STATUS_SUCCESS) {
    picture.width = width;
    picture.height = height;
    picture.pixels.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    const unsigned char* data = rsvg.imageSurfaceGetData(surface);
    const int stride = rsvg.imageSurfaceGetStride(surface);
    for (int y = 0; y < height; ++y) {
      // Cairo keeps native-endian 32-bit words with alpha premultiplied;
      // the import keeps straight alpha, rounded as PNG writers round it.
      const auto* row = reinterpret_cast<const std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
      for (int x = 0; x < width; ++x) {
        const std::uint32_t p = row[x];
        const std::uint32_t a = p >> 24;
        std::uint32_t straight = 0;
        if (a == 255) {
          straight = p;
        } else if (a != 0) {
          const auto un = [a](std::uint32_t c) { return std::min<std::uint32_t>(255, (c * 255 + a / 2) / a); };
          straight = a << 24 | un(p >> 16 & 0xFF) << 16 | un(p >> 8 & 0xFF) << 8 | un(p & 0xFF);
        }
        picture.pixels[static_cast<std::size_t>(y) * width + x] = straight;
      }
    }
  }
  rsvg.surfaceDestroy(surface);
  rsvg.objectUnref(handle);
  return drawn && !picture.pixels.empty();
}

bool StartsLikeSvgText(const ByteBuffer& bytes) {
  std::size_t i = 0;
  if (bytes.size() >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF) i = 3;
  while (i < bytes.size() && (bytes[i] == ' ' || bytes[i] == '\t' || bytes[i] == '\r' || bytes[i] == '\n')) ++i;
  const auto startsWith = [&](const char* text) {
    const std::size_t n = std::strlen(text);
    return bytes.size() - i >= n && std::memcmp(bytes.data() + i, text, n) == 0;
  };
  if (startsWith("<svg")) return true;
  if (!startsWith("<?xml") && !startsWith("<!DOCTYPE svg") && !startsWith("<!--")) return false;
  // An XML file is an SVG when an <svg element comes early in it.
  const std::size_t window = std::min<std::size_t>(bytes.size(), i + 4096);
  static const char SVG[] = "<svg";
  return std::search(bytes.begin() + static_cast<std::ptrdiff_t>(i), bytes.begin() + static_cast<std::ptrdiff_t>(window),
                     SVG, SVG + 4) != bytes.begin() + static_cast<std::ptrdiff_t>(window);
}


// The SVG text to hand to librsvg: the bytes themselves, or what a gzip
// stream holds (librsvg would otherwise uncompress it without a bound).
std::string PlainText(const ByteBuffer& svg, ByteBuffer& plain, const ByteBuffer*& text) {
  if (svg.size() > SVG_MAX_UNCOMPRESSED_BYTES) return IMPORT_PICTURE_TOO_LARGE;
  text = &svg;
  if (!IsGzip(svg)) return {};
  text = &plain;
  return UncompressSvg(svg, plain);
}

}  // namespace

bool LooksLikeSvg(const std::string& path, const ByteBuffer& bytes) {
  if (FileExtensionIs(path, ".svg") || FileExtensionIs(path, ".svgz")) return true;
  return StartsLikeSvgText(bytes);
}

std::string UncompressSvg(const ByteBuffer& bytes, ByteBuffer& svg) {
  svg.clear();
  if (!IsGzip(bytes)) {
    svg = bytes;
    return {};
  }
  z_stream stream{};
  // 16 + MAX_WBITS: a gzip stream with its header, as .svgz files are.
  if (inflateInit2(&stream, 16 + MAX_WBITS) != Z_OK) return IMPORT_SVG_UNREADABLE;
  stream.next_in = const_cast<Bytef*>(bytes.data());
  stream.avail_in = static_cast<uInt>(bytes.size());
  std::uint8_t chunk[65536];
  int result = Z_OK;
  std::string problem;
  while (result != Z_STREAM_END) {
    stream.next_out = chunk;
    stream.avail_out = sizeof chunk;
    result = inflate(&stream, Z_NO_FLUSH);
    if (result != Z_OK && result != Z_STREAM_END) {
      problem = IMPORT_SVG_UNREADABLE;
      break;
    }
    const std::size_t made = sizeof chunk - stream.avail_out;
    if (svg.size() + made > SVG_MAX_UNCOMPRESSED_BYTES) {
      problem = IMPORT_PICTURE_TOO_LARGE;
      break;
    }
    svg.insert(svg.end(), chunk, chunk + made);
    // Input used up without the stream's end: the file is cut short.
    if (result == Z_OK && stream.avail_in == 0 && made == 0) {
      problem = IMPORT_SVG_UNREADABLE;
      break;
    }
  }
  inflateEnd(&stream);
  // librsvg would uncompress a second layer itself, past the bound above.
  if (problem.empty() && IsGzip(svg)) problem = IMPORT_SVG_UNREADABLE;
  if (!problem.empty()) svg.clear();
  return problem;
}

std::string MeasureSvg(const ByteBuffer& svg, int limit, int fallback, int& width, int& height) {
  width = height = 0;
  ByteBuffer plain;
  const ByteBuffer* text = nullptr;
  std::string problem = PlainText(svg, plain, text);
  if (!problem.empty()) return problem;
  const SvgLibrary* rsvg = LoadSvgLibrary();
  if (rsvg == nullptr) return IMPORT_SVG_UNREADABLE;
  RgbaPicture size;
  problem = RunInChild([&](RgbaPicture& result) { return MeasureInChild(*rsvg, *text, limit, fallback, result); }, false,
                       size);
  width = size.width;
  height = size.height;
  return problem;
}

std::string RenderSvg(const ByteBuffer& svg, int width, int height, RgbaPicture& out, int timeLimitMs) {
  out = RgbaPicture{};
  if (width < 1 || height < 1 || width > IMPORT_MAX_PICTURE_SIZE || height > IMPORT_MAX_PICTURE_SIZE)
    return IMPORT_PICTURE_TOO_LARGE;
  ByteBuffer plain;
  const ByteBuffer* text = nullptr;
  const std::string problem = PlainText(svg, plain, text);
  if (!problem.empty()) return problem;
  const SvgLibrary* rsvg = LoadSvgLibrary();
  if (rsvg == nullptr) return IMPORT_SVG_UNREADABLE;
  return RunInChild([&](RgbaPicture& result) { return RenderInChild(*rsvg, *text, width, height, result); }, true, out,
                    timeLimitMs);
}
