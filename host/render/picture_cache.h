// What the renderer keeps between frames: still pictures (faces, bezels,
// icons, masks) already resampled for their place, with a lit copy for each
// light they were drawn in; the runs of bitmaps drawn at their own size; and
// glyphs as the fonts rasterise them.
#pragma once

#include <cstdint>
#include <map>
#include <tuple>
#include <utility>
#include <vector>

#include "host/fonts.h"
#include "host/render.h"
#include "host/render/pictures.h"
#include "host/render/sampling.h"

namespace tavrel::host::render {

// A picture ready to copy: its pixels (its own, or a level's as they are),
// their runs, and the same pixels under each light met so far.
struct Still {
  std::vector<uint32_t> own;
  const uint32_t* pixels = nullptr;
  int width = 0, height = 0;
  Runs runs;
  std::vector<std::pair<Light, std::vector<uint32_t>>> lit;

  // The pixels under a light: the picture's own when the light is neutral,
  // else a lit copy made the first time (`added` grows by its size).
  const uint32_t* under(const Light& light, size_t& added);
  // Landing with its pixel (0, 0) on canvas pixel (x, y).
  Ready ready(const uint32_t* shown, int x, int y) const {
    return {shown, width, height, x, y, &runs};
  }
};

}  // namespace tavrel::host::render

namespace tavrel::host {

struct Renderer::Cache {
  struct Key {
    const Surface::Level* level;
    int64_t au, bu, cu, av, bv, cv;
    bool clamp;
    render::IntRect bounds;
    bool operator<(const Key& o) const {
      return std::tie(level, au, bu, cu, av, bv, cv, clamp, bounds.x0, bounds.y0, bounds.x1,
                      bounds.y1) < std::tie(o.level, o.au, o.bu, o.cu, o.av, o.bv, o.cv, o.clamp,
                                            o.bounds.x0, o.bounds.y0, o.bounds.x1, o.bounds.y1);
    }
  };
  // Resampled pictures, by sampling and rectangle, and the pixels they and
  // their lit copies hold.
  std::map<Key, render::Still> pictures;
  size_t pixels = 0;
  // Levels drawn one to one, and the pixels of their lit copies.
  std::map<const Surface::Level*, render::Still> levels;
  size_t level_pixels = 0;
  // A row of samples.
  std::vector<uint32_t> scratch;
  // Glyphs rasterised, by font, character, scale, shift and squeeze (their
  // bits).
  std::map<std::tuple<const Font*, int, uint32_t, uint32_t, uint32_t>, GlyphCoverage> glyphs;
  // The one glyph the reference drawing rasterises at a time (no cache).
  GlyphCoverage one_glyph;

  // The picture of `sampling` over `bounds` (canvas pixels), resampled once.
  render::Still& resampled(const render::Sampling& sampling, const render::IntRect& bounds);
  // A level drawn at its own size on whole pixels, as it is.
  render::Still& level(const Surface::Level& level);
  // The still's pixels under a light, counted in the cache's pixels.
  const uint32_t* lit(render::Still& still, const Light& light);
  // A glyph, rasterised once.
  const GlyphCoverage& glyph(const Font& font, int codepoint, float scale, float shift_x,
                             float squeeze);
};

}  // namespace tavrel::host
