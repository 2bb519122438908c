// From a drawn picture to what a bitmap stores: black becomes the transparent
// colour, anti-aliased edges against transparency lose their dark fringe, and
// 8-bit pictures get a palette of their own with black at index 0.
#ifndef TAVREL_RESOURCES_ART_QUANTIZE_H
#define TAVREL_RESOURCES_ART_QUANTIZE_H

#include <cairo.h>

#include <array>
#include <cstdint>
#include <vector>

namespace tavrel::art {

// Lowest value of every channel of a pixel that shows; pure black (0, 0, 0)
// is transparent wherever a gauge element has image flag 0x1.
constexpr int kMinVisible = 8;

// An opaque picture in which (0, 0, 0) means transparent and every other
// pixel shows: 3 bytes a pixel (red, green, blue), rows top-down.
struct KeyedImage {
  int width = 0, height = 0;
  std::vector<uint8_t> rgb;
};

// Turns a cairo image surface into a keyed picture.
//
// ARGB32 (the canvases the drawers paint on, transparent where unpainted): a
// pixel less than half covered is transparent; a pixel at least half covered
// takes the colour that was painted there, as if it sat on that same paint
// rather than on black, so shape edges keep their colour up to the
// transparent area.
//
// RGB24 (an opaque picture on a black background): pure black is
// transparent. A pixel touching pure black is an edge: its coverage is judged
// against the brightest paint within two pixels; under half, it becomes
// transparent, otherwise it is brightened to full coverage.
//
// In both, every pixel that shows has each channel at least kMinVisible.
KeyedImage key_black(cairo_surface_t* surface);

// An 8-bit picture: palette (red, green, blue) with pure black at index 0 and
// no other entry black, one index a pixel, rows top-down.
struct PalettedImage {
  int width = 0, height = 0;
  std::vector<std::array<uint8_t, 3>> palette;
  std::vector<uint8_t> indices;
};

// Chooses a palette of at most max_colours entries (black included, 2 to 256)
// for the picture: every colour when few enough, otherwise median cut refined
// by a few k-means passes. Transparent pixels get index 0 and no pixel that
// shows does.
PalettedImage quantize(const KeyedImage& image, int max_colours = 256);

}  // namespace tavrel::art

#endif  // TAVREL_RESOURCES_ART_QUANTIZE_H
