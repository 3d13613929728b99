#include "import/svg_library.h"

#include <dlfcn.h>

#include <mutex>

namespace {

// Looks up one call; a missing one leaves the whole library unusable.
template <typename Function>
bool Find(void* library, const char* name, Function& function) {
  function = reinterpret_cast<Function>(::dlsym(library, name));
  return function != nullptr;
}

bool Bind(void* library, SvgLibrary& calls) {
  // dlsym on librsvg's handle also searches the libraries it depends on,
  // which is where the GLib, GObject and cairo calls live.
  return Find(library, "rsvg_handle_new_from_data", calls.newFromData) &&
         Find(library, "rsvg_handle_set_dpi", calls.setDpi) &&
         Find(library, "rsvg_handle_get_intrinsic_size_in_pixels", calls.intrinsicSizeInPixels) &&
         Find(library, "rsvg_handle_get_intrinsic_dimensions", calls.intrinsicDimensions) &&
         Find(library, "rsvg_handle_render_document", calls.renderDocument) &&
         Find(library, "g_error_free", calls.errorFree) && Find(library, "g_object_unref", calls.objectUnref) &&
         Find(library, "cairo_image_surface_create", calls.imageSurfaceCreate) &&
         Find(library, "cairo_create", calls.create) && Find(library, "cairo_status", calls.status) &&
         Find(library, "cairo_destroy", calls.destroy) && Find(library, "cairo_surface_flush", calls.surfaceFlush) &&
         Find(library, "cairo_surface_status", calls.surfaceStatus) &&
         Find(library, "cairo_image_surface_get_data", calls.imageSurfaceGetData) &&
         Find(library, "cairo_image_surface_get_stride", calls.imageSurfaceGetStride) &&
         Find(library, "cairo_surface_destroy", calls.surfaceDestroy);
}

}  // namespace

const SvgLibrary* LoadSvgLibrary() {
  static std::once_flag once;
  static SvgLibrary calls;
  static bool usable = false;
  std::call_once(once, [] {
    // The library stays loaded for the rest of the run: GLib's types cannot
    // be unregistered.
    void* library = ::dlopen("librsvg-2.so.2", RTLD_NOW | RTLD_LOCAL);
    usable = library != nullptr && Bind(library, calls);
  });
  return usable ? &calls : nullptr;
}
