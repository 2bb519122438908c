#include "dib.h"

#include <stdexcept>
#include <utility>

namespace tavrel::dib {
namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr size_t kInfoHeaderSize = 40;
constexpr uint32_t kBiRgb = 0;

uint16_t read_u16(const uint8_t* p) {
  return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

uint32_t read_u32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
         (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

int32_t read_i32(const uint8_t* p) {
  return static_cast<int32_t>(read_u32(p));
}

void put_u16(std::vector<uint8_t>& out, uint16_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}

void put_u32(std::vector<uint8_t>& out, uint32_t v) {
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<uint8_t>(v >> shift));
}

bool fail(std::string* error, const char* reason) {
  if (error) *error = reason;
  return false;
}

// Bytes in one stored row: whole 32-bit words.
size_t row_stride(int width, int bits_per_pixel) {
  return ((static_cast<size_t>(width) * static_cast<size_t>(bits_per_pixel) + 31) / 32) * 4;
}

// Writes the file header and info header shared by both writers.
std::vector<uint8_t> start_file(int w, int h, int bits_per_pixel, uint32_t palette_entries) {
  const size_t pixel_bytes = row_stride(w, bits_per_pixel) * static_cast<size_t>(h);
  const uint32_t offset =
      static_cast<uint32_t>(kFileHeaderSize + kInfoHeaderSize + 4 * palette_entries);
  std::vector<uint8_t> out;
  out.reserve(offset + pixel_bytes);
  out.push_back('B');
  out.push_back('M');
  put_u32(out, static_cast<uint32_t>(offset + pixel_bytes));  // bfSize
  put_u32(out, 0);                                            // bfReserved1, bfReserved2
  put_u32(out, offset);                                       // bfOffBits
  put_u32(out, kInfoHeaderSize);                              // biSize
  put_u32(out, static_cast<uint32_t>(w));                     // biWidth
  put_u32(out, static_cast<uint32_t>(h));                     // biHeight > 0: bottom-up
  put_u16(out, 1);                                            // biPlanes
  put_u16(out, static_cast<uint16_t>(bits_per_pixel));        // biBitCount
  put_u32(out, kBiRgb);                                       // biCompression
  put_u32(out, static_cast<uint32_t>(pixel_bytes));           // biSizeImage
  put_u32(out, 2835);                                         // biXPelsPerMeter (72 dpi)
  put_u32(out, 2835);                                         // biYPelsPerMeter
  put_u32(out, palette_entries);                              // biClrUsed
  put_u32(out, 0);                                            // biClrImportant
  return out;
}

void check_size(int w, int h) {
  if (w <= 0 || h <= 0 || w > kMaxSide || h > kMaxSide)
    throw std::invalid_argument("dib: picture size out of range");
}

}  // namespace

bool read_size(const uint8_t* data, size_t size, int& width, int& height) {
  if (data == nullptr) return false;
  const size_t info = size >= 2 && data[0] == 'B' && data[1] == 'M' ? kFileHeaderSize : 0;
  if (size < info + 12) return false;
  const int64_t w = read_i32(data + info + 4);
  const int64_t h = read_i32(data + info + 8);
  if (w <= 0 || h == 0 || h == INT32_MIN) return false;
  width = static_cast<int>(w);
  height = static_cast<int>(h < 0 ? -h : h);
  return true;
}

bool decode(const uint8_t* data, size_t size, Image& out, std::string* error) {
  if (data == nullptr) return fail(error, "no data");

  // A .bmp file starts with the 14-byte file header; a resource starts with
  // the info header directly.
  size_t info = 0;
  uint32_t file_pixel_offset = 0;
  if (size >= 2 && data[0] == 'B' && data[1] == 'M') {
    if (size < kFileHeaderSize) return fail(error, "truncated file header");
    info = kFileHeaderSize;
    file_pixel_offset = read_u32(data + 10);
  }

  if (size - info < kInfoHeaderSize) return fail(error, "truncated info header");
  const uint8_t* h = data + info;
  const uint32_t header_size = read_u32(h);
  if (header_size < kInfoHeaderSize) return fail(error, "unsupported info header size");
  if (header_size > size - info) return fail(error, "truncated info header");

  const int64_t width = read_i32(h + 4);
  const int64_t stored_height = read_i32(h + 8);
  const uint16_t planes = read_u16(h + 12);
  const uint16_t bit_count = read_u16(h + 14);
  const uint32_t compression = read_u32(h + 16);
  const uint32_t colours_used = read_u32(h + 32);

  if (planes != 1) return fail(error, "plane count is not 1");
  if (bit_count != 8 && bit_count != 24) return fail(error, "unsupported bit depth");
  if (compression != kBiRgb) return fail(error, "compressed pictures are not supported");
  const bool top_down = stored_height < 0;
  const int64_t height = top_down ? -stored_height : stored_height;
  if (width <= 0 || height <= 0) return fail(error, "empty picture");
  if (width > kMaxSide || height > kMaxSide || width * height > kMaxPixels)
    return fail(error, "picture too large");

  // An 8-bit picture has biClrUsed entries, or 256 when it is 0; a 24-bit
  // picture may carry an optional palette that is skipped.
  uint32_t palette_entries = colours_used;
  if (bit_count == 8) {
    if (palette_entries == 0) palette_entries = 256;
    if (palette_entries > 256) return fail(error, "palette larger than 256 entries");
  } else if (palette_entries > 256) {
    return fail(error, "palette larger than 256 entries");
  }
  const size_t palette_at = info + header_size;
  const size_t palette_bytes = 4 * static_cast<size_t>(palette_entries);
  if (palette_bytes > size - palette_at) return fail(error, "truncated palette");

  size_t pixels_at = palette_at + palette_bytes;
  if (file_pixel_offset != 0) {
    // The file header says where the rows start; it may leave a gap after the
    // palette but cannot point into the headers.
    if (file_pixel_offset < pixels_at) return fail(error, "pixel offset inside the headers");
    pixels_at = file_pixel_offset;
  }
  if (pixels_at > size) return fail(error, "pixel offset past the end");

  const size_t stride = row_stride(static_cast<int>(width), bit_count);
  const size_t rows = static_cast<size_t>(height);
  if (stride > (size - pixels_at) / rows) return fail(error, "truncated pixel rows");

  Image image;
  image.width = static_cast<int>(width);
  image.height = static_cast<int>(height);
  image.bits_per_pixel = bit_count;
  image.rgba.resize(static_cast<size_t>(width) * rows * 4);

  const uint8_t* palette = data + palette_at;
  for (size_t y = 0; y < rows; ++y) {
    const size_t stored_row = top_down ? y : rows - 1 - y;
    const uint8_t* src = data + pixels_at + stored_row * stride;
    uint8_t* dst = image.rgba.data() + y * static_cast<size_t>(width) * 4;
    for (int64_t x = 0; x < width; ++x, dst += 4) {
      if (bit_count == 8) {
        const uint8_t index = src[x];
        if (index >= palette_entries) return fail(error, "pixel index outside the palette");
        const uint8_t* entry = palette + 4 * static_cast<size_t>(index);  // blue, green, red, 0
        dst[0] = entry[2];
        dst[1] = entry[1];
        dst[2] = entry[0];
      } else {
        const uint8_t* bgr = src + 3 * x;
        dst[0] = bgr[2];
        dst[1] = bgr[1];
        dst[2] = bgr[0];
      }
      dst[3] = 255;
    }
  }
  out = std::move(image);
  return true;
}

std::vector<uint8_t> encode_8bit(int w, int h,
                                 const std::vector<std::array<uint8_t, 3>>& palette_rgb,
                                 const std::vector<uint8_t>& indices_top_down) {
  check_size(w, h);
  if (palette_rgb.empty() || palette_rgb.size() > 256)
    throw std::invalid_argument("dib: palette must have 1 to 256 entries");
  if (indices_top_down.size() != static_cast<size_t>(w) * static_cast<size_t>(h))
    throw std::invalid_argument("dib: index count does not match the picture size");
  for (uint8_t index : indices_top_down) {
    if (index >= palette_rgb.size()) throw std::invalid_argument("dib: index outside the palette");
  }

  const uint32_t entries = static_cast<uint32_t>(palette_rgb.size());
  std::vector<uint8_t> out = start_file(w, h, 8, entries);
  for (const auto& rgb : palette_rgb) {
    out.push_back(rgb[2]);
    out.push_back(rgb[1]);
    out.push_back(rgb[0]);
    out.push_back(0);
  }
  const size_t stride = row_stride(w, 8);
  for (int y = h - 1; y >= 0; --y) {
    const uint8_t* row = indices_top_down.data() + static_cast<size_t>(y) * w;
    out.insert(out.end(), row, row + w);
    out.resize(out.size() + stride - static_cast<size_t>(w), 0);
  }
  return out;
}

std::vector<uint8_t> encode_24bit(int w, int h, const std::vector<uint8_t>& rgb_top_down) {
  check_size(w, h);
  if (rgb_top_down.size() != static_cast<size_t>(w) * static_cast<size_t>(h) * 3)
    throw std::invalid_argument("dib: pixel bytes do not match the picture size");

  std::vector<uint8_t> out = start_file(w, h, 24, 0);
  const size_t stride = row_stride(w, 24);
  for (int y = h - 1; y >= 0; --y) {
    const uint8_t* row = rgb_top_down.data() + static_cast<size_t>(y) * w * 3;
    for (int x = 0; x < w; ++x) {
      out.push_back(row[3 * x + 2]);
      out.push_back(row[3 * x + 1]);
      out.push_back(row[3 * x]);
    }
    out.resize(out.size() + stride - static_cast<size_t>(w) * 3, 0);
  }
  return out;
}

}  // namespace tavrel::dib
