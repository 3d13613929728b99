#pragma once
// librsvg and the cairo and GObject calls the SVG renderer makes, reached
// through dlopen on first use instead of being linked into the program.
// librsvg brings some thirty libraries with it (GLib, GIO, Pango, cairo,
// libxml2 and theirs); linked, the dynamic loader mapped and relocated all
// of them at every start, before the first window, although most sessions
// never import an SVG.

#include <cairo.h>
#include <librsvg/rsvg.h>

struct SvgLibrary {
  decltype(&rsvg_handle_new_from_data) newFromData = nullptr;
  decltype(&rsvg_handle_set_dpi) setDpi = nullptr;
  decltype(&rsvg_handle_get_intrinsic_size_in_pixels) intrinsicSizeInPixels = nullptr;
  decltype(&rsvg_handle_get_intrinsic_dimensions) intrinsicDimensions = nullptr;
  decltype(&rsvg_handle_render_document) renderDocument = nullptr;
  decltype(&g_error_free) errorFree = nullptr;
  decltype(&g_object_unref) objectUnref = nullptr;
  decltype(&cairo_image_surface_create) imageSurfaceCreate = nullptr;
  decltype(&cairo_create) create = nullptr;
  decltype(&cairo_status) status = nullptr;
  decltype(&cairo_destroy) destroy = nullptr;
  decltype(&cairo_surface_flush) surfaceFlush = nullptr;
  decltype(&cairo_surface_status) surfaceStatus = nullptr;
  decltype(&cairo_image_surface_get_data) imageSurfaceGetData = nullptr;
  decltype(&cairo_image_surface_get_stride) imageSurfaceGetStride = nullptr;
  decltype(&cairo_surface_destroy) surfaceDestroy = nullptr;
};

// The library, loaded by the first call (from any thread; later calls wait
// for the first); null when librsvg or one of its calls cannot be found.
// The renderer calls it in the parent before it forks, so a child never
// runs the dynamic loader, whose locks another thread may have held at the
// fork.
const SvgLibrary* LoadSvgLibrary();
