#include "host/render/picture_cache.h"

#include <cstring>

namespace tavrel::host {
namespace {

// Enough for every still picture of a large panel at a few sizes, lit for
// day and night.
constexpr size_t kMaxCachedPixels = size_t{24} << 20;
// Enough for the readouts and labels of a panel.
constexpr size_t kMaxCachedGlyphs = 4096;

uint32_t bits_of(float v) {
  uint32_t bits;
  std::memcpy(&bits, &v, sizeof bits);
  return bits;
}

}  // namespace

namespace render {

const uint32_t* Still::under(const Light& light, size_t& added) {
  const Lamp lamp(light);
  if (lamp.neutral) return pixels;
  for (const auto& copy : lit) {
    if (copy.first == light) return copy.second.data();
  }
  const size_t count = static_cast<size_t>(width) * height;
  std::vector<uint32_t> out(count);
  for (size_t i = 0; i < count; ++i) out[i] = apply_light(pixels[i], lamp);
  added += count;
  lit.emplace_back(light, std::move(out));
  return lit.back().second.data();
}

}  // namespace render

render::Still& Renderer::Cache::resampled(const render::Sampling& sampling,
                                          const render::IntRect& bounds) {
  Key key{sampling.level, sampling.au, sampling.bu,    sampling.cu, sampling.av,
          sampling.bv,    sampling.cv, sampling.clamp, bounds};
  auto found = pictures.find(key);
  if (found != pictures.end()) return found->second;
  render::Still still;
  still.own = render::resample(sampling, bounds);
  still.pixels = still.own.data();
  still.width = bounds.x1 - bounds.x0;
  still.height = bounds.y1 - bounds.y0;
  still.runs = render::find_runs(still.pixels, still.width, still.height);
  if (pixels + still.own.size() > kMaxCachedPixels) {
    pictures.clear();
    pixels = 0;
  }
  pixels += still.own.size();
  return pictures.emplace(key, std::move(still)).first->second;
}

render::Still& Renderer::Cache::level(const Surface::Level& level) {
  auto found = levels.find(&level);
  if (found != levels.end()) return found->second;
  render::Still still;
  still.pixels = level.pixels.data();
  still.width = level.width;
  still.height = level.height;
  still.runs = render::find_runs(still.pixels, still.width, still.height);
  return levels.emplace(&level, std::move(still)).first->second;
}

const uint32_t* Renderer::Cache::lit(render::Still& still, const Light& light) {
  // Counted, but never dropped here: the caller holds the still. A level's
  // lit copies stay (at most one a light for each bitmap level drawn).
  return still.under(light, still.own.empty() ? level_pixels : pixels);
}

const GlyphCoverage& Renderer::Cache::glyph(const Font& font, int codepoint, float scale,
                                            float shift_x, float squeeze) {
  auto key = std::make_tuple(&font, codepoint, bits_of(scale), bits_of(shift_x), bits_of(squeeze));
  auto found = glyphs.find(key);
  if (found != glyphs.end()) return found->second;
  if (glyphs.size() >= kMaxCachedGlyphs) glyphs.clear();
  return glyphs.emplace(key, font.glyph(codepoint, scale, shift_x, squeeze)).first->second;
}

}  // namespace tavrel::host
