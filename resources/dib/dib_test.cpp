#include "dib.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <stdexcept>

namespace tavrel::dib {
namespace {

using Palette = std::vector<std::array<uint8_t, 3>>;

constexpr size_t kFileHeader = 14;
constexpr size_t kInfoHeader = 40;

uint32_t u32_at(const std::vector<uint8_t>& bytes, size_t at) {
  return bytes[at] | (bytes[at + 1] << 8) | (bytes[at + 2] << 16) |
         (static_cast<uint32_t>(bytes[at + 3]) << 24);
}

void set_u32(std::vector<uint8_t>& bytes, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

void set_u16(std::vector<uint8_t>& bytes, size_t at, uint16_t v) {
  bytes[at] = static_cast<uint8_t>(v);
  bytes[at + 1] = static_cast<uint8_t>(v >> 8);
}

size_t stride_of(int width, int bpp) {
  return ((width * bpp + 31) / 32) * 4;
}

// Decodes from a buffer of exactly the given size, so that a read past the
// end lands outside the allocation (and an address sanitizer build sees it).
bool decode_exact(const std::vector<uint8_t>& bytes, size_t size, Image& out,
                  std::string* error = nullptr) {
  std::vector<uint8_t> copy(bytes.begin(), bytes.begin() + static_cast<long>(size));
  copy.shrink_to_fit();
  return decode(copy.data(), copy.size(), out, error);
}

Palette random_palette(std::mt19937& rng, size_t entries) {
  Palette palette(entries);
  for (auto& rgb : palette)
    for (auto& c : rgb) c = static_cast<uint8_t>(rng());
  return palette;
}

std::vector<uint8_t> random_bytes(std::mt19937& rng, size_t n, unsigned modulo = 256) {
  std::vector<uint8_t> bytes(n);
  for (auto& b : bytes) b = static_cast<uint8_t>(rng() % modulo);
  return bytes;
}

std::vector<uint8_t> resource_form(const std::vector<uint8_t>& file) {
  return std::vector<uint8_t>(file.begin() + kFileHeader, file.end());
}

// Rewrites a bottom-up file as a top-down one: negative height, rows reversed.
std::vector<uint8_t> as_top_down(const std::vector<uint8_t>& file, int width, int height, int bpp) {
  std::vector<uint8_t> out = file;
  const size_t offset = u32_at(file, 10);
  const size_t stride = stride_of(width, bpp);
  for (int row = 0; row < height; ++row) {
    std::memcpy(out.data() + offset + row * stride,
                file.data() + offset + (height - 1 - row) * stride, stride);
  }
  set_u32(out, kFileHeader + 8, static_cast<uint32_t>(-height));
  return out;
}

TEST(DibRoundTrip, EightBitAtAwkwardWidthsAndPaletteSizes) {
  std::mt19937 rng(7);
  for (int width : {1, 2, 3, 4, 5, 7, 13, 70}) {
    for (int height : {1, 2, 5}) {
      for (size_t entries : {size_t{1}, size_t{17}, size_t{256}}) {
        SCOPED_TRACE(testing::Message() << width << "x" << height << " with " << entries);
        const Palette palette = random_palette(rng, entries);
        const auto indices = random_bytes(rng, width * height, static_cast<unsigned>(entries));
        const auto file = encode_8bit(width, height, palette, indices);

        const size_t stride = stride_of(width, 8);
        ASSERT_EQ(file.size(), kFileHeader + kInfoHeader + 4 * entries + stride * height);
        EXPECT_EQ(u32_at(file, 2), file.size());  // bfSize
        EXPECT_EQ(u32_at(file, 10), kFileHeader + kInfoHeader + 4 * entries);
        EXPECT_EQ(u32_at(file, kFileHeader + 8), static_cast<uint32_t>(height));  // bottom-up
        EXPECT_EQ(u32_at(file, kFileHeader + 32), entries);                       // biClrUsed

        Image image;
        for (const auto& bytes : {file, resource_form(file), as_top_down(file, width, height, 8)}) {
          ASSERT_TRUE(decode(bytes.data(), bytes.size(), image));
          ASSERT_EQ(image.width, width);
          ASSERT_EQ(image.height, height);
          EXPECT_EQ(image.bits_per_pixel, 8);
          ASSERT_EQ(image.rgba.size(), static_cast<size_t>(width * height * 4));
          for (int i = 0; i < width * height; ++i) {
            const auto& rgb = palette[indices[i]];
            ASSERT_EQ(image.rgba[4 * i], rgb[0]) << "pixel " << i;
            ASSERT_EQ(image.rgba[4 * i + 1], rgb[1]) << "pixel " << i;
            ASSERT_EQ(image.rgba[4 * i + 2], rgb[2]) << "pixel " << i;
            ASSERT_EQ(image.rgba[4 * i + 3], 255) << "pixel " << i;
          }
        }
      }
    }
  }
}

TEST(DibRoundTrip, TwentyFourBitAtAwkwardWidths) {
  std::mt19937 rng(11);
  for (int width : {1, 2, 3, 4, 5, 6, 7, 19}) {
    for (int height : {1, 3, 4}) {
      SCOPED_TRACE(testing::Message() << width << "x" << height);
      const auto rgb = random_bytes(rng, width * height * 3);
      const auto file = encode_24bit(width, height, rgb);
      ASSERT_EQ(file.size(), kFileHeader + kInfoHeader + stride_of(width, 24) * height);
      EXPECT_EQ(u32_at(file, kFileHeader + 32), 0u);

      Image image;
      for (const auto& bytes : {file, resource_form(file), as_top_down(file, width, height, 24)}) {
        ASSERT_TRUE(decode(bytes.data(), bytes.size(), image));
        ASSERT_EQ(image.width, width);
        ASSERT_EQ(image.height, height);
        EXPECT_EQ(image.bits_per_pixel, 24);
        for (int i = 0; i < width * height; ++i) {
          ASSERT_EQ(image.rgba[4 * i], rgb[3 * i]);
          ASSERT_EQ(image.rgba[4 * i + 1], rgb[3 * i + 1]);
          ASSERT_EQ(image.rgba[4 * i + 2], rgb[3 * i + 2]);
          ASSERT_EQ(image.rgba[4 * i + 3], 255);
        }
      }
    }
  }
}

// The stored layout itself, checked byte by byte against a hand-made file:
// a consistent mistake in writer and reader would pass a round trip.
TEST(DibLayout, WriterStoresBottomRowFirstWithBgrOrderAndZeroPadding) {
  // 1 pixel wide, 2 high: red on top, blue below.
  const auto file24 = encode_24bit(1, 2, {255, 0, 0, 0, 0, 255});
  const std::vector<uint8_t> rows24 = {255, 0, 0,   0,   // bottom row first: blue as B,G,R + pad
                                       0,   0, 255, 0};  // then the top row: red
  EXPECT_EQ(std::vector<uint8_t>(file24.begin() + 54, file24.end()), rows24);

  const auto file8 = encode_8bit(3, 2, {{10, 20, 30}, {40, 50, 60}}, {0, 1, 0, 1, 1, 1});
  const std::vector<uint8_t> palette_and_rows = {30, 20, 10, 0, 60, 50, 40, 0,  // B,G,R,0
                                                 1,  1,  1,  0,                 // bottom row
                                                 0,  1,  0,  0};                // top row
  EXPECT_EQ(std::vector<uint8_t>(file8.begin() + 54, file8.end()), palette_and_rows);
}

TEST(DibDecode, EightBitWithClrUsedZeroHasFullPalette) {
  Palette palette(256);
  for (int i = 0; i < 256; ++i)
    palette[i] = {static_cast<uint8_t>(i), 0, static_cast<uint8_t>(255 - i)};
  auto file = encode_8bit(2, 1, palette, {200, 255});
  set_u32(file, kFileHeader + 32, 0);
  Image image;
  ASSERT_TRUE(decode(file.data(), file.size(), image));
  EXPECT_EQ(image.rgba[0], 200);
  EXPECT_EQ(image.rgba[2], 55);
  EXPECT_EQ(image.rgba[4], 255);
}

TEST(DibDecode, TwentyFourBitResourceSkipsOptionalPalette) {
  // A resource with biClrUsed = 2 on a 24-bit picture: the pixels start after
  // the two palette entries.
  auto resource = resource_form(encode_24bit(1, 1, {1, 2, 3}));
  set_u32(resource, 32, 2);
  resource.insert(resource.begin() + kInfoHeader, 8, 0xEE);
  Image image;
  ASSERT_TRUE(decode(resource.data(), resource.size(), image));
  EXPECT_EQ(image.rgba[0], 1);
  EXPECT_EQ(image.rgba[1], 2);
  EXPECT_EQ(image.rgba[2], 3);
}

TEST(DibDecode, LongerInfoHeaderIsAccepted) {
  // A 124-byte header (as newer writers produce) followed by the palette.
  auto resource = resource_form(encode_8bit(1, 1, {{9, 8, 7}}, {0}));
  set_u32(resource, 0, 124);
  resource.insert(resource.begin() + kInfoHeader, 124 - kInfoHeader, 0);
  Image image;
  ASSERT_TRUE(decode(resource.data(), resource.size(), image));
  EXPECT_EQ(image.rgba[0], 9);
}

TEST(DibMalformed, EveryTruncationIsRejected) {
  const auto file8 =
      encode_8bit(5, 3, {{1, 2, 3}, {4, 5, 6}}, {0, 1, 0, 1, 0, 1, 0, 1, 0, 1, 0, 1, 0, 1, 0});
  const auto file24 = encode_24bit(3, 3, std::vector<uint8_t>(27, 77));
  for (const auto& full : {file8, file24, resource_form(file8), resource_form(file24)}) {
    for (size_t size = 0; size < full.size(); ++size) {
      Image image;
      std::string error;
      EXPECT_FALSE(decode_exact(full, size, image, &error)) << "size " << size;
      EXPECT_FALSE(error.empty());
    }
    Image image;
    EXPECT_TRUE(decode_exact(full, full.size(), image));
  }
}

TEST(DibMalformed, BrokenHeaderFieldsAreRejected) {
  const auto good = encode_8bit(4, 2, {{1, 2, 3}, {4, 5, 6}}, {0, 1, 1, 0, 1, 0, 0, 1});
  struct Case {
    const char* what;
    size_t at;
    uint32_t value;
    bool sixteen_bit;
  };
  const size_t h = kFileHeader;
  const Case cases[] = {
      {"header size too small", h + 0, 12, false},
      {"header size past the end", h + 0, 0x7FFFFFFF, false},
      {"zero width", h + 4, 0, false},
      {"negative width", h + 4, static_cast<uint32_t>(-4), false},
      {"zero height", h + 8, 0, false},
      {"most negative height", h + 8, 0x80000000u, false},
      {"huge width", h + 4, 1000000, false},
      {"huge height", h + 8, 1000000, false},
      {"two planes", h + 12, 2, true},
      {"4 bits", h + 14, 4, true},
      {"16 bits", h + 14, 16, true},
      {"32 bits", h + 14, 32, true},
      {"run-length compressed", h + 16, 1, false},
      {"palette of 300", h + 32, 300, false},
      {"palette past the end", h + 32, 200, false},
      {"pixel offset past the end", 10, 100000, false},
      {"pixel offset inside the headers", 10, 20, false},
  };
  for (const Case& c : cases) {
    auto bytes = good;
    if (c.sixteen_bit) {
      set_u16(bytes, c.at, static_cast<uint16_t>(c.value));
    } else {
      set_u32(bytes, c.at, c.value);
    }
    Image image;
    std::string error;
    EXPECT_FALSE(decode_exact(bytes, bytes.size(), image, &error)) << c.what;
    EXPECT_FALSE(error.empty()) << c.what;
  }
}

TEST(DibMalformed, IndexOutsideThePaletteIsRejectedAndOutputKept) {
  auto file = encode_8bit(2, 1, {{1, 1, 1}, {2, 2, 2}}, {0, 1});
  file[u32_at(file, 10) + 1] = 2;  // only entries 0 and 1 exist
  Image image;
  image.width = 123;
  EXPECT_FALSE(decode(file.data(), file.size(), image));
  EXPECT_EQ(image.width, 123);
}

TEST(DibMalformed, NullDataIsRejected) {
  Image image;
  EXPECT_FALSE(decode(nullptr, 100, image));
}

TEST(DibWriters, RejectInputThatDoesNotMatchTheSize) {
  EXPECT_THROW(encode_8bit(2, 2, {{0, 0, 0}}, {0, 0, 0}), std::invalid_argument);
  EXPECT_THROW(encode_8bit(2, 1, {{0, 0, 0}}, {0, 1}), std::invalid_argument);
  EXPECT_THROW(encode_8bit(1, 1, {}, {0}), std::invalid_argument);
  EXPECT_THROW(encode_8bit(1, 1, Palette(257), {0}), std::invalid_argument);
  EXPECT_THROW(encode_8bit(0, 1, {{0, 0, 0}}, {}), std::invalid_argument);
  EXPECT_THROW(encode_24bit(2, 2, std::vector<uint8_t>(11)), std::invalid_argument);
  EXPECT_THROW(encode_24bit(-1, 2, {}), std::invalid_argument);
}

}  // namespace
}  // namespace tavrel::dib
