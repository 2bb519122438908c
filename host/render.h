// The renderer: draws a gauge instance's element tree, as its last update
// left it, into an RGBA picture at any size, day or night, and outlines its
// click boxes and tooltip areas on request.
//
// Arithmetic on the way from draw states to pixels is fixed point or plain
// IEEE double arithmetic (no library trigonometry), so the native build and
// the 32-bit Windows build draw the same pixels.
//
// The pieces live in host/render/: pixels.h (pixel arithmetic), sampling
// (inverse maps, bilinear samples, rows), pictures (copying and blending
// pictures in runs), picture_cache (what is kept between frames), reference
// (the plain per-pixel drawing), text, hotspots, renderer (elements by
// type), and canvas, lighting and angles.
#pragma once

#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "host/bitmaps.h"
#include "host/error.h"
#include "host/fonts.h"
#include "host/instance.h"
#include "host/render/pixels.h"
#include "host/variables.h"

namespace tavrel::host {

using render::Light;
using render::rgba_word;

class Canvas {
 public:
  Canvas() = default;
  Canvas(int width, int height, uint32_t fill = 0);

  int width() const { return width_; }
  int height() const { return height_; }
  uint32_t at(int x, int y) const { return pixels_[static_cast<size_t>(y) * width_ + x]; }
  uint32_t* row(int y) { return &pixels_[static_cast<size_t>(y) * width_]; }
  std::vector<uint32_t>& pixels() { return pixels_; }
  // Every pixel to one colour.
  void fill(uint32_t colour);
  // One colour over a rectangle, clipped to the canvas.
  void fill(const render::IntRect& area, uint32_t colour);
  // A colour over every pixel of a rectangle, clipped to the canvas.
  void blend(const render::IntRect& area, uint32_t colour);

  // Straight (not premultiplied) red, green, blue, alpha bytes, for files.
  std::vector<uint8_t> straight_rgba() const;

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<uint32_t> pixels_;
};

// Where a gauge lands: background pixel (0, 0) at (x, y) of the canvas,
// scaled by scale_x and scale_y canvas pixels per background pixel.
struct Placement {
  double x = 0.0;
  double y = 0.0;
  double scale_x = 1.0;
  double scale_y = 1.0;
};

struct Lighting {
  bool night = false;
  bool panel_lights = false;  // the panel lights switch on
  bool operator==(const Lighting&) const = default;
};

// The light on an element with these image flags.
Light light_for(uint32_t image_flags, const Lighting& lighting);

// Night or day, and the panel lights as the variables hold them.
Lighting lighting_of(const VariableStore& variables, bool night);

// sin and cos of an angle in degrees from basic arithmetic alone (the same
// bits in every build); the angle is first rounded to 1/4096 degree.
void sin_cos_degrees(double degrees, double& sine, double& cosine);

namespace render {
struct Still;
}

// A panel window's background bitmap, made ready to stretch over the
// window's rectangle: pure black is clear (what lies under the window shows
// through). The fast drawing keeps it resampled for the last rectangle it
// was drawn over.
class Backdrop {
 public:
  explicit Backdrop(const dib::Image& image);
  ~Backdrop();
  Backdrop(const Backdrop&) = delete;
  Backdrop& operator=(const Backdrop&) = delete;
  int width() const { return surface_.width(); }
  int height() const { return surface_.height(); }

 private:
  friend class Renderer;
  Surface surface_;
  std::unique_ptr<render::Still> ready_;  // resampled over `ready_over_`
  render::IntRect ready_over_;
};

// How the renderer draws. The fast drawing keeps still pictures resampled
// and lit between frames and copies them in runs; the reference drawing
// samples and blends every pixel on its own, with nothing kept, through the
// same pixel arithmetic. Both give the same pixels; the reference is the
// yardstick the fast drawing is checked and timed against.
enum class RenderMode { kFast, kReference };

class Renderer {
 public:
  // Draws from the store's bitmaps, in its language.
  Renderer(BitmapStore& bitmaps, FontLibrary& fonts, RenderMode mode = RenderMode::kFast);
  ~Renderer();
  Renderer(const Renderer&) = delete;
  Renderer& operator=(const Renderer&) = delete;

  // The size of a gauge's background bitmap (its root element's), which is
  // the gauge's own pixel grid. False when the bitmap is missing.
  bool background_size(const GaugeInstance& instance, int& width, int& height);

  // Draws the instance as of its last update; everything it draws is kept
  // inside the gauge's rectangle.
  void draw(const GaugeInstance& instance, Canvas& canvas, const Placement& at,
            const Lighting& lighting);
  // The same, kept inside `within` too (a panel window's rectangle).
  void draw(const GaugeInstance& instance, Canvas& canvas, const Placement& at,
            const Lighting& lighting, const render::IntRect& within);

  // A panel window's background bitmap stretched over `onto`, lit as the
  // panel is (an element without image flags), drawn only within `clip`.
  void draw_backdrop(Canvas& canvas, Backdrop& backdrop, const render::IntRect& onto,
                     const Lighting& lighting, const render::IntRect& clip);

  // Outlines the instance's click boxes (green: fires a key event; magenta:
  // calls module code; "R" repeats while held, "D" drags) and its tooltip
  // areas (cyan, with the tooltip id).
  void draw_hotspots(const GaugeInstance& instance, Canvas& canvas, const Placement& at);

  // Text in a face at a pixel height, its top-left at (x, y); returns the
  // width drawn. Used for labels.
  double draw_text(Canvas& canvas, double x, double y, std::string_view text, double height,
                   uint32_t rgb, FontFace face = FontFace::kSans, bool bold = false);
  double text_width(std::string_view text, double height, FontFace face = FontFace::kSans,
                    bool bold = false);

  // Problems met while drawing (missing bitmaps or fonts), each once, and
  // taken so the caller can report them.
  std::vector<std::string> take_warnings();

  // The bitmap store the renderer draws from.
  BitmapStore& bitmaps() { return bitmaps_; }

  RenderMode mode() const { return mode_; }
  void set_mode(RenderMode mode) { mode_ = mode; }

  // What the renderer keeps between frames (host/render/picture_cache.h).
  struct Cache;

 private:
  struct Context;
  void draw_element(Context& context, const ElementState& state);
  void draw_string(Context& context, const ElementState& state);
  const Surface* surface(Context& context, int id, bool black_is_clear);
  // A glyph as the font rasterises it, kept for later frames (the
  // reference drawing rasterises it afresh).
  const GlyphCoverage& glyph(const Font& font, int codepoint, float scale, float shift_x,
                             float squeeze = 1.0f);
  void warn(const std::string& message);

  BitmapStore& bitmaps_;
  FontLibrary& fonts_;
  RenderMode mode_;
  std::set<std::string> warned_;
  std::vector<std::string> warnings_;
  std::unique_ptr<Cache> cache_;
};

// The size of a gauge's background bitmap (its root element's) in the
// store's language: the gauge's own pixel grid. False when the bitmap is
// missing or does not decode (such a gauge is not drawn).
bool background_size(BitmapStore& bitmaps, const GaugeInstance& instance, int& width, int& height);

// A gauge drawn alone at `width` pixels (0: its background size), on a clear
// canvas; the height keeps the background's proportions. Throws HostError
// when the gauge's background bitmap is missing.
Canvas render_gauge(Renderer& renderer, const GaugeInstance& instance, int width,
                    const Lighting& lighting, bool hotspots = false);

}  // namespace tavrel::host
