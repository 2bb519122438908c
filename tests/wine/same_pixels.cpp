// same_pixels: whether two images have the same decoded pixels (RGBA).
//
//   same_pixels A.png B.png
//
// Exit status 0 when they do, 1 when they differ (the first differences are
// reported), 2 when an image cannot be read.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#include <stb_image.h>

namespace {

struct Image {
  int width = 0;
  int height = 0;
  unsigned char* pixels = nullptr;
  ~Image() { stbi_image_free(pixels); }
};

bool load(const char* path, Image& image) {
  int channels = 0;
  image.pixels = stbi_load(path, &image.width, &image.height, &channels, 4);
  if (image.pixels == nullptr) {
    std::fprintf(stderr, "same_pixels: cannot read %s: %s\n", path, stbi_failure_reason());
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: same_pixels A.png B.png\n");
    return 2;
  }
  Image a, b;
  if (!load(argv[1], a) || !load(argv[2], b)) return 2;
  if (a.width != b.width || a.height != b.height) {
    std::printf("%s is %dx%d, %s is %dx%d\n", argv[1], a.width, a.height, argv[2], b.width,
                b.height);
    return 1;
  }
  long differing = 0;
  for (int y = 0; y < a.height; ++y) {
    for (int x = 0; x < a.width; ++x) {
      const unsigned char* p = a.pixels + 4 * (static_cast<long>(y) * a.width + x);
      const unsigned char* q = b.pixels + 4 * (static_cast<long>(y) * a.width + x);
      if (std::memcmp(p, q, 4) == 0) continue;
      if (++differing <= 10) {
        std::printf("(%d, %d): %d,%d,%d,%d against %d,%d,%d,%d\n", x, y, p[0], p[1], p[2], p[3],
                    q[0], q[1], q[2], q[3]);
      }
    }
  }
  if (differing != 0) {
    std::printf("%ld of %ld pixels differ\n", differing, static_cast<long>(a.width) * a.height);
    return 1;
  }
  std::printf("%dx%d, every pixel the same\n", a.width, a.height);
  return 0;
}
