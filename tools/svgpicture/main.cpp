// svgpicture: renders an SVG picture at a scale into the raw form the Windows program links in
// and draws without decoding anything: a little-endian header (magic "DPIC", the width and
// height in pixels, the picture's own size at 100 %), then the rows top down, each pixel four
// bytes blue, green, red, alpha with the colour premultiplied by alpha (a 32-bit DIB section's
// layout for AlphaBlend).
//
// Usage: svgpicture INPUT.svg PERCENT OUTPUT
// The pixel size at PERCENT is the 100 % size scaled and rounded half up, as MulDiv rounds it.
#include <cairo.h>
#include <librsvg/rsvg.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace {

int Fail(const std::string& message) {
  std::fprintf(stderr, "svgpicture: %s\n", message.c_str());
  return 1;
}

void Put32(std::vector<unsigned char>& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<unsigned char>(v >> (8 * i)));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) return Fail("usage: svgpicture INPUT.svg PERCENT OUTPUT");
  const int percent = std::atoi(argv[2]);
  if (percent <= 0 || percent > 1000) return Fail(std::string("bad scale: ") + argv[2]);

  GError* error = nullptr;
  RsvgHandle* handle = rsvg_handle_new_from_file(argv[1], &error);
  if (handle == nullptr) return Fail(std::string(argv[1]) + ": " + error->message);
  gdouble w = 0;
  gdouble h = 0;
  if (!rsvg_handle_get_intrinsic_size_in_pixels(handle, &w, &h) || w < 1 || h < 1) {
    return Fail(std::string(argv[1]) + ": the picture has no size in pixels");
  }
  const int width96 = static_cast<int>(std::lround(w));
  const int height96 = static_cast<int>(std::lround(h));
  const int width = (width96 * percent + 50) / 100;
  const int height = (height96 * percent + 50) / 100;

  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
  cairo_t* cr = cairo_create(surface);
  cairo_scale(cr, static_cast<double>(width) / width96, static_cast<double>(height) / height96);
  const RsvgRectangle viewport{0, 0, static_cast<double>(width96), static_cast<double>(height96)};
  const bool drawn = rsvg_handle_render_document(handle, cr, &viewport, &error);
  cairo_destroy(cr);
  if (!drawn) return Fail(std::string(argv[1]) + ": " + error->message);
  cairo_surface_flush(surface);

  // Cairo's ARGB32 is premultiplied, one native 32-bit word a pixel: written byte by byte.
  std::vector<unsigned char> out{'D', 'P', 'I', 'C'};
  for (int v : {width, height, width96, height96}) Put32(out, static_cast<std::uint32_t>(v));
  const unsigned char* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  for (int y = 0; y < height; ++y) {
    const auto* row =
        reinterpret_cast<const std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
    for (int x = 0; x < width; ++x) Put32(out, row[x]);
  }
  cairo_surface_destroy(surface);
  g_object_unref(handle);

  std::ofstream file(argv[3], std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
  if (!file.flush()) return Fail(std::string("cannot write ") + argv[3]);
  return 0;
}
