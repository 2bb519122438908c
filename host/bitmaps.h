// The module's bitmaps, decoded once: read through the binding (the art
// files natively, the loaded module's resources on Windows) in the chosen
// resource language, and kept as pictures ready to draw.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "host/binding.h"
#include "resources/dib/dib.h"

namespace tavrel::host {

// A bitmap prepared for drawing: premultiplied red, green, blue, alpha, one
// 32-bit word a pixel (red in the lowest byte), top-down rows, with halved
// levels for drawing it smaller. In the keyed form pure black is clear
// (alpha 0); in the plain form every pixel is opaque.
struct Surface {
  struct Level {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;
  };
  std::vector<Level> levels;  // levels[0] is the bitmap itself
  int width() const { return levels.empty() ? 0 : levels[0].width; }
  int height() const { return levels.empty() ? 0 : levels[0].height; }
};

// Builds a surface from a decoded picture.
Surface make_surface(const dib::Image& image, bool black_is_clear);

class BitmapCache {
 public:
  explicit BitmapCache(ModuleBinding& binding) : binding_(binding) {}

  // The decoded bitmap, or null when the module has none (or it does not
  // decode: the reason is kept for error()).
  const dib::Image* image(int id, Language language);
  // The same, ready to draw, with black clear or opaque.
  const Surface* surface(int id, Language language, bool black_is_clear);

  // Why the last bitmap asked for is missing.
  const std::string& error() const { return error_; }

 private:
  struct Entry {
    bool present = false;
    std::string error;
    dib::Image image;
    std::unique_ptr<Surface> keyed;
    std::unique_ptr<Surface> plain;
  };
  Entry& entry(int id, Language language);

  ModuleBinding& binding_;
  std::map<std::pair<int, Language>, Entry> entries_;
  std::string error_;
};

}  // namespace tavrel::host
