#include "tools/png_file.h"

#include <cerrno>
#include <cstdio>
#include <vector>

#include "host/error.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#define STBI_WRITE_NO_STDIO
#include <stb_image_write.h>

namespace tavrel::tools {
namespace {

void append(void* context, void* data, int size) {
  auto* out = static_cast<std::vector<unsigned char>*>(context);
  auto* bytes = static_cast<unsigned char*>(data);
  out->insert(out->end(), bytes, bytes + size);
}

}  // namespace

bool write_png(const std::string& path, const host::Canvas& canvas, std::string& error,
               bool opaque) {
  if (canvas.width() <= 0 || canvas.height() <= 0) {
    error = "nothing to write to " + path + " (empty picture)";
    return false;
  }
  std::vector<uint8_t> pixels = canvas.straight_rgba();
  int channels = 4;
  if (opaque) {
    channels = 3;
    for (size_t i = 0, n = pixels.size() / 4; i < n; ++i) {
      for (int c = 0; c < 3; ++c) pixels[i * 3 + c] = pixels[i * 4 + c];
    }
    pixels.resize(pixels.size() / 4 * 3);
  }
  std::vector<unsigned char> png;
  if (!stbi_write_png_to_func(append, &png, canvas.width(), canvas.height(), channels,
                              pixels.data(), canvas.width() * channels)) {
    error = "cannot encode the picture for " + path;
    return false;
  }
  errno = 0;
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) {
    error = "cannot write " + path + ": " + host::system_reason(errno);
    return false;
  }
  bool written = std::fwrite(png.data(), 1, png.size(), file) == png.size();
  written = std::fclose(file) == 0 && written;
  if (!written) {
    error = "cannot write " + path + ": " + host::system_reason(errno);
    std::remove(path.c_str());
    return false;
  }
  return true;
}

}  // namespace tavrel::tools
