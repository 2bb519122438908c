// Bitmaps come from files and from a module's resources: the reader must
// reject anything damaged without reading outside its input.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "dib.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  tavrel::dib::Image image;
  if (tavrel::dib::decode(data, size, image)) {
    size_t expected = static_cast<size_t>(image.width) * image.height * 4;
    if (image.width <= 0 || image.height <= 0 || image.rgba.size() != expected) std::abort();
  }
  return 0;
}
