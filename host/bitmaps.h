// The module's bitmaps, decoded once: read through the binding (the art
// files natively, the loaded module's resources on Windows) in a resource
// language, and kept with their sizes and as pictures ready to draw. The
// host owns the one store; its instances, the renderer and the tools all
// ask it.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "host/binding.h"
#include "host/render/surface.h"
#include "resources/dib/dib.h"

namespace tavrel::host {

class BitmapStore {
 public:
  explicit BitmapStore(ModuleBinding& binding) : binding_(binding) {}

  // The language the host draws in: French unless English is asked for.
  Language language() const { return language_; }
  void set_language(Language language) { language_ = language; }

  // The decoded bitmap, or null when the module has none (or it does not
  // decode: the reason is kept for error()).
  const dib::Image* image(int id, Language language);
  // Its size as its header gives it, without decoding the pixels; false,
  // with the reason kept, when it is missing or its header is not a DIB's.
  bool size(int id, Language language, int& width, int& height);
  // The same, ready to draw, with black clear or opaque.
  const Surface* surface(int id, Language language, bool black_is_clear);

  // Why the last bitmap asked for is missing.
  const std::string& error() const { return error_; }

  // How many bitmaps (by id and language) have been read.
  size_t read_count() const { return entries_.size(); }

 private:
  struct Entry {
    bool found = false;          // the binding has the bitmap
    int width = 0, height = 0;   // from its header; 0 when the header is not a DIB's
    std::vector<uint8_t> bytes;  // kept until it is decoded
    bool decoded = false;
    bool present = false;  // decoded without fault
    std::string error;
    dib::Image image;
    std::unique_ptr<Surface> keyed;
    std::unique_ptr<Surface> plain;
  };
  Entry& entry(int id, Language language);

  ModuleBinding& binding_;
  Language language_ = Language::kFrench;
  std::map<std::pair<int, Language>, Entry> entries_;
  // The entries of ids 0 to kIndexedIds - 1 in French and English, found
  // without a search: a frame asks for the sizes of every moving image.
  static constexpr int kIndexedIds = 1 << 14;
  std::vector<Entry*> index_;
  std::string error_;
};

}  // namespace tavrel::host
