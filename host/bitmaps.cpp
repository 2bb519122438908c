#include "host/bitmaps.h"

namespace tavrel::host {

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
  } else if (!dib::read_size(e.bytes.data(), e.bytes.size(), e.width, e.height)) {
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
