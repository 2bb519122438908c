// Windows device-independent bitmaps: the reader the stand-in host uses to draw
// bitmaps taken from the module's resources, and the writers the art program
// uses to store the pictures it draws.
//
// Portable C++17 without dependencies; built natively and for 32-bit Windows.
#ifndef TAVREL_RESOURCES_DIB_DIB_H
#define TAVREL_RESOURCES_DIB_DIB_H

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tavrel::dib {

// A decoded picture: top-down rows, 4 bytes a pixel (red, green, blue, alpha),
// alpha always 255. bits_per_pixel is the depth the DIB was stored with.
struct Image {
  int width = 0, height = 0;
  int bits_per_pixel = 0;
  std::vector<uint8_t> rgba;
};

// Largest width or height the reader accepts, and largest pixel count. Gauge
// art is a few hundred pixels a side; anything far beyond is a broken file.
constexpr int kMaxSide = 16384;
constexpr int64_t kMaxPixels = int64_t{1} << 26;

// Decodes a DIB as stored in a BITMAP resource (a 40-byte or longer
// BITMAPINFOHEADER, then the palette, then the pixels) or as a .bmp file (the
// same after a 14-byte "BM" file header). Reads uncompressed 8-bit paletted
// and 24-bit pictures, bottom-up or top-down. Returns false, with a short
// reason in *error when given, for anything truncated, malformed or
// unsupported; never reads outside [data, data + size).
bool decode(const uint8_t* data, size_t size, Image& out, std::string* error = nullptr);

// The width and height a DIB's info header gives (after a file header, if
// there is one), without reading further: enough to place a picture before
// it is decoded. False when the header is too short for them or either is
// not positive; a bottom-up or top-down picture gives its height alike.
bool read_size(const uint8_t* data, size_t size, int& width, int& height);

// Writers: each returns a complete .bmp file (file header, 40-byte info
// header, palette, bottom-up rows padded to 4 bytes). A resource compiler
// strips the file header when it stores the picture as a BITMAP resource.
//
// 8-bit: 1 to 256 palette entries (red, green, blue), biClrUsed = their
// number; one index a pixel, rows top-down, every index within the palette.
// Throws std::invalid_argument when the sizes or indices do not agree.
std::vector<uint8_t> encode_8bit(int w, int h,
                                 const std::vector<std::array<uint8_t, 3>>& palette_rgb,
                                 const std::vector<uint8_t>& indices_top_down);

// 24-bit: three bytes a pixel (red, green, blue), rows top-down.
// Throws std::invalid_argument when the size does not agree.
std::vector<uint8_t> encode_24bit(int w, int h, const std::vector<uint8_t>& rgb_top_down);

}  // namespace tavrel::dib

#endif  // TAVREL_RESOURCES_DIB_DIB_H
