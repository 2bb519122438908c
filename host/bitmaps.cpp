#include "host/bitmaps.h"

#include <cstring>

namespace tavrel::host {
namespace {

constexpr uint32_t pack(uint32_t r, uint32_t g, uint32_t b, uint32_t a) {
  return r | (g << 8) | (b << 16) | (a << 24);
}

// One level down: each pixel the mean of a 2 x 2 block; a block that runs
// past an odd edge counts the missing pixels as clear, so every level covers
// exactly the same area as the bitmap.
Surface::Level halve(const Surface::Level& from) {
  Surface::Level to;
  to.width = (from.width + 1) / 2;
  to.height = (from.height + 1) / 2;
  to.pixels.assign(static_cast<size_t>(to.width) * to.height, 0);
  auto at = [&](int x, int y) -> uint32_t {
    if (x >= from.width || y >= from.height) return 0;
    return from.pixels[static_cast<size_t>(y) * from.width + x];
  };
  for (int y = 0; y < to.height; ++y) {
    for (int x = 0; x < to.width; ++x) {
      uint32_t p[4] = {at(2 * x, 2 * y), at(2 * x + 1, 2 * y), at(2 * x, 2 * y + 1),
                       at(2 * x + 1, 2 * y + 1)};
      uint32_t out = 0;
      for (int shift = 0; shift < 32; shift += 8) {
        uint32_t sum = 2;  // round to nearest
        for (uint32_t v : p) sum += (v >> shift) & 0xFF;
        out |= (sum / 4) << shift;
      }
      to.pixels[static_cast<size_t>(y) * to.width + x] = out;
    }
  }
  return to;
}

}  // namespace

// The width and height a DIB's header gives (with or without its file
// header).
static bool header_size(const std::vector<uint8_t>& bytes, int& width, int& height) {
  const size_t start = bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M' ? 14 : 0;
  if (bytes.size() < start + 12) return false;
  int32_t w, h;
  std::memcpy(&w, &bytes[start + 4], 4);
  std::memcpy(&h, &bytes[start + 8], 4);
  width = w;
  height = h < 0 ? -h : h;
  return width > 0 && height > 0;
}

Surface make_surface(const dib::Image& image, bool black_is_clear) {
  Surface surface;
  Surface::Level base;
  base.width = image.width;
  base.height = image.height;
  base.pixels.resize(static_cast<size_t>(image.width) * image.height);
  for (size_t i = 0; i < base.pixels.size(); ++i) {
    const uint8_t* p = &image.rgba[i * 4];
    bool clear = black_is_clear && p[0] == 0 && p[1] == 0 && p[2] == 0;
    base.pixels[i] = clear ? 0 : pack(p[0], p[1], p[2], 255);
  }
  surface.levels.push_back(std::move(base));
  while (surface.levels.back().width > 1 || surface.levels.back().height > 1) {
    surface.levels.push_back(halve(surface.levels.back()));
  }
  return surface;
}

BitmapStore::Entry& BitmapStore::entry(int id, Language language) {
  const bool indexed = id >= 0 && id < kIndexedIds &&
                       (language == Language::kFrench || language == Language::kEnglish);
  const size_t slot = static_cast<size_t>(id) * 2 + (language == Language::kEnglish ? 1 : 0);
  if (indexed && slot < index_.size() && index_[slot] != nullptr) return *index_[slot];
  auto found = entries_.find({id, language});
  if (found != entries_.end()) return found->second;
  Entry& e = entries_[{id, language}];
  if (indexed) {
    if (slot >= index_.size()) index_.resize(slot + 1, nullptr);
    index_[slot] = &e;
  }
  e.found = binding_.bitmap_bytes(id, language, e.bytes);
  if (!e.found) {
    e.error = "no bitmap " + std::to_string(id) + " in " + binding_.bitmap_source();
    e.decoded = true;
  } else if (!header_size(e.bytes, e.width, e.height)) {
    e.width = e.height = 0;
    e.error = "bitmap " + std::to_string(id) + " has no DIB header";
  }
  return e;
}

const dib::Image* BitmapStore::image(int id, Language language) {
  Entry& e = entry(id, language);
  if (!e.decoded) {
    e.decoded = true;
    if (dib::decode(e.bytes.data(), e.bytes.size(), e.image, &e.error)) {
      e.present = true;
      e.error.clear();
    } else {
      e.error = "bitmap " + std::to_string(id) + " does not decode: " + e.error;
    }
    std::vector<uint8_t>().swap(e.bytes);
  }
  error_ = e.error;
  return e.present ? &e.image : nullptr;
}

bool BitmapStore::size(int id, Language language, int& width, int& height) {
  Entry& e = entry(id, language);
  error_ = e.error;
  if (e.width <= 0) return false;
  width = e.width;
  height = e.height;
  return true;
}

const Surface* BitmapStore::surface(int id, Language language, bool black_is_clear) {
  if (image(id, language) == nullptr) return nullptr;
  Entry& e = entries_.find({id, language})->second;
  std::unique_ptr<Surface>& slot = black_is_clear ? e.keyed : e.plain;
  if (!slot) slot = std::make_unique<Surface>(make_surface(e.image, black_is_clear));
  return slot.get();
}

}  // namespace tavrel::host
