#include "quantize.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <map>
#include <stdexcept>

namespace tavrel::art {
namespace {

uint8_t at_least_visible(int v) {
  return static_cast<uint8_t>(std::clamp(v, kMinVisible, 255));
}

bool is_black(const uint8_t* p) {
  return p[0] == 0 && p[1] == 0 && p[2] == 0;
}

int brightness(const uint8_t* p) {
  return p[0] + p[1] + p[2];
}

// Reads a cairo surface into 3 bytes a pixel; for ARGB32 applies the coverage
// rule on the way.
KeyedImage read_surface(cairo_surface_t* surface, bool has_alpha) {
  KeyedImage image;
  image.width = cairo_image_surface_get_width(surface);
  image.height = cairo_image_surface_get_height(surface);
  image.rgb.assign(static_cast<size_t>(image.width) * image.height * 3, 0);
  const unsigned char* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      uint32_t v;
      std::memcpy(&v, data + static_cast<size_t>(y) * stride + 4 * x, 4);
      const int a = has_alpha ? static_cast<int>(v >> 24) : 255;
      uint8_t* out = &image.rgb[(static_cast<size_t>(y) * image.width + x) * 3];
      if (a < 128) continue;  // under half covered: transparent
      const int premultiplied[3] = {static_cast<int>((v >> 16) & 255),
                                    static_cast<int>((v >> 8) & 255), static_cast<int>(v & 255)};
      for (int c = 0; c < 3; ++c) {
        // The colour of the paint itself, not of the paint over black.
        out[c] = static_cast<uint8_t>(std::min(255, (premultiplied[c] * 255 + a / 2) / a));
      }
      if (has_alpha) {
        for (int c = 0; c < 3; ++c) out[c] = at_least_visible(out[c]);
      }
    }
  }
  return image;
}

// Edge rule for opaque pictures keyed on black (see key_black).
void clean_black_edges(KeyedImage& image) {
  const KeyedImage original = image;
  const int w = image.width, h = image.height;
  auto at = [w](int x, int y) { return (static_cast<size_t>(y) * w + x) * 3; };
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const uint8_t* p = &original.rgb[at(x, y)];
      if (is_black(p)) continue;
      bool touches_black = false;
      int reference = 0;
      for (int dy = -2; dy <= 2; ++dy) {
        for (int dx = -2; dx <= 2; ++dx) {
          const int nx = x + dx, ny = y + dy;
          if (nx < 0 || ny < 0 || nx >= w || ny >= h) continue;
          const uint8_t* n = &original.rgb[at(nx, ny)];
          if (std::abs(dx) <= 1 && std::abs(dy) <= 1 && is_black(n)) touches_black = true;
          reference = std::max(reference, brightness(n));
        }
      }
      uint8_t* out = &image.rgb[at(x, y)];
      if (touches_black) {
        const int own = brightness(p);
        if (2 * own < reference) {
          out[0] = out[1] = out[2] = 0;
          continue;
        }
        for (int c = 0; c < 3; ++c)
          out[c] = static_cast<uint8_t>(std::min(255, p[c] * reference / own));
      }
      for (int c = 0; c < 3; ++c) out[c] = at_least_visible(out[c]);
    }
  }
}

struct WeightedColour {
  int c[3];
  uint32_t count;
};

int distance(const int* a, const int* b) {
  const int dr = a[0] - b[0], dg = a[1] - b[1], db = a[2] - b[2];
  return 3 * dr * dr + 4 * dg * dg + 2 * db * db;
}

size_t nearest(const std::vector<std::array<int, 3>>& centres, const int* colour) {
  size_t best = 0;
  int best_distance = distance(centres[0].data(), colour);
  for (size_t i = 1; i < centres.size(); ++i) {
    const int d = distance(centres[i].data(), colour);
    if (d < best_distance) {
      best_distance = d;
      best = i;
    }
  }
  return best;
}

// Median cut over the weighted colours into at most k boxes; returns their
// weighted means.
std::vector<std::array<int, 3>> median_cut(std::vector<WeightedColour> colours, size_t k) {
  struct Box {
    size_t begin, end;
  };
  std::vector<Box> boxes = {{0, colours.size()}};
  auto widest_channel = [&](const Box& box, int& range) {
    int lo[3] = {255, 255, 255}, hi[3] = {0, 0, 0};
    for (size_t i = box.begin; i < box.end; ++i) {
      for (int c = 0; c < 3; ++c) {
        lo[c] = std::min(lo[c], colours[i].c[c]);
        hi[c] = std::max(hi[c], colours[i].c[c]);
      }
    }
    int channel = 0;
    for (int c = 1; c < 3; ++c) {
      if (hi[c] - lo[c] > hi[channel] - lo[channel]) channel = c;
    }
    range = hi[channel] - lo[channel];
    return channel;
  };
  while (boxes.size() < k) {
    double best_score = 0;
    size_t best = boxes.size();
    for (size_t i = 0; i < boxes.size(); ++i) {
      if (boxes[i].end - boxes[i].begin < 2) continue;
      int range = 0;
      widest_channel(boxes[i], range);
      double weight = 0;
      for (size_t j = boxes[i].begin; j < boxes[i].end; ++j) weight += colours[j].count;
      const double score = range * weight;
      if (score > best_score) {
        best_score = score;
        best = i;
      }
    }
    if (best == boxes.size()) break;
    const Box box = boxes[best];
    int range = 0;
    const int channel = widest_channel(box, range);
    std::sort(colours.begin() + box.begin, colours.begin() + box.end,
              [channel](const WeightedColour& a, const WeightedColour& b) {
                if (a.c[channel] != b.c[channel]) return a.c[channel] < b.c[channel];
                return std::lexicographical_compare(a.c, a.c + 3, b.c, b.c + 3);
              });
    double total = 0;
    for (size_t j = box.begin; j < box.end; ++j) total += colours[j].count;
    double running = 0;
    size_t split = box.begin + 1;
    for (size_t j = box.begin; j < box.end - 1; ++j) {
      running += colours[j].count;
      split = j + 1;
      if (running >= total / 2) break;
    }
    boxes[best] = {box.begin, split};
    boxes.push_back({split, box.end});
  }
  std::vector<std::array<int, 3>> centres;
  for (const Box& box : boxes) {
    double sum[3] = {0, 0, 0}, weight = 0;
    for (size_t j = box.begin; j < box.end; ++j) {
      for (int c = 0; c < 3; ++c) sum[c] += static_cast<double>(colours[j].c[c]) * colours[j].count;
      weight += colours[j].count;
    }
    centres.push_back({static_cast<int>(sum[0] / weight + 0.5),
                       static_cast<int>(sum[1] / weight + 0.5),
                       static_cast<int>(sum[2] / weight + 0.5)});
  }
  return centres;
}

// Moves each centre to the weighted mean of the colours nearest to it.
void refine(const std::vector<WeightedColour>& colours, std::vector<std::array<int, 3>>& centres,
            int passes) {
  for (int pass = 0; pass < passes; ++pass) {
    std::vector<std::array<double, 4>> sums(centres.size(), {0, 0, 0, 0});
    for (const WeightedColour& colour : colours) {
      auto& sum = sums[nearest(centres, colour.c)];
      for (int c = 0; c < 3; ++c) sum[c] += static_cast<double>(colour.c[c]) * colour.count;
      sum[3] += colour.count;
    }
    for (size_t i = 0; i < centres.size(); ++i) {
      if (sums[i][3] == 0) continue;
      for (int c = 0; c < 3; ++c) centres[i][c] = static_cast<int>(sums[i][c] / sums[i][3] + 0.5);
    }
  }
}

}  // namespace

KeyedImage key_black(cairo_surface_t* surface) {
  cairo_surface_flush(surface);
  const cairo_format_t format = cairo_image_surface_get_format(surface);
  if (format == CAIRO_FORMAT_ARGB32) return read_surface(surface, true);
  if (format == CAIRO_FORMAT_RGB24) {
    KeyedImage image = read_surface(surface, false);
    clean_black_edges(image);
    return image;
  }
  throw std::invalid_argument("art: only ARGB32 and RGB24 surfaces can be keyed");
}

PalettedImage quantize(const KeyedImage& image, int max_colours) {
  if (max_colours < 2 || max_colours > 256)
    throw std::invalid_argument("art: a palette has 2 to 256 entries");
  const size_t pixels = static_cast<size_t>(image.width) * image.height;
  if (image.rgb.size() != pixels * 3) throw std::invalid_argument("art: keyed image size");

  auto key = [](const uint8_t* p) { return (uint32_t{p[0]} << 16) | (uint32_t{p[1]} << 8) | p[2]; };
  std::map<uint32_t, uint32_t> counts;
  for (size_t i = 0; i < pixels; ++i) {
    const uint8_t* p = &image.rgb[i * 3];
    if (!is_black(p)) ++counts[key(p)];
  }
  std::vector<WeightedColour> colours;
  colours.reserve(counts.size());
  for (const auto& [k, count] : counts) {
    colours.push_back(
        {{static_cast<int>(k >> 16), static_cast<int>((k >> 8) & 255), static_cast<int>(k & 255)},
         count});
  }

  const size_t slots = static_cast<size_t>(max_colours) - 1;  // index 0 is black
  std::vector<std::array<int, 3>> centres;
  if (colours.size() <= slots) {
    for (const WeightedColour& colour : colours)
      centres.push_back({colour.c[0], colour.c[1], colour.c[2]});
  } else {
    centres = median_cut(colours, slots);
    refine(colours, centres, 3);
  }

  PalettedImage out;
  out.width = image.width;
  out.height = image.height;
  out.palette.push_back({0, 0, 0});
  for (const auto& centre : centres) {
    // Means of visible colours stay visible; the clamp only guards rounding.
    out.palette.push_back(
        {at_least_visible(centre[0]), at_least_visible(centre[1]), at_least_visible(centre[2])});
  }
  std::map<uint32_t, uint8_t> index_of;
  for (const WeightedColour& colour : colours) {
    index_of[(uint32_t(colour.c[0]) << 16) | (uint32_t(colour.c[1]) << 8) | uint32_t(colour.c[2])] =
        static_cast<uint8_t>(1 + nearest(centres, colour.c));
  }
  out.indices.assign(pixels, 0);
  for (size_t i = 0; i < pixels; ++i) {
    const uint8_t* p = &image.rgb[i * 3];
    if (!is_black(p)) out.indices[i] = index_of[key(p)];
  }
  return out;
}

}  // namespace tavrel::art
