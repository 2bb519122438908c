#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <string>

#include <unistd.h>

#include "click.h"
#include "dib.h"
#include "generate.h"
#include "kit.h"
#include "quantize.h"
#include "registry.h"
#include "resource_list.h"

namespace tavrel::art {
namespace {

namespace fs = std::filesystem;

int sum_at(const std::vector<uint8_t>& rgb, size_t pixel) {
  return rgb[3 * pixel] + rgb[3 * pixel + 1] + rgb[3 * pixel + 2];
}

// ---------------------------------------------------------------- resource list

TEST(ResourceList, HoldsEveryBitmapOnceWithItsDepthAndLanguages) {
  const auto& list = resource_list();
  ASSERT_EQ(list.size(), 150u);
  std::set<int> deep, english;
  for (size_t i = 0; i < list.size(); ++i) {
    if (i > 0) {
      EXPECT_LT(list[i - 1].id, list[i].id) << "ids ascend, no duplicates";
    }
    EXPECT_GT(list[i].width, 0);
    EXPECT_GT(list[i].height, 0);
    EXPECT_TRUE(list[i].bits_per_pixel == 8 || list[i].bits_per_pixel == 24);
    if (list[i].bits_per_pixel == 24) deep.insert(list[i].id);
    if (list[i].has_english) english.insert(list[i].id);
  }
  EXPECT_EQ(deep, (std::set<int>{40, 1100, 1250}));
  EXPECT_EQ(english, (std::set<int>{1130, 2290, 2291, 2292, 2293}));

  const BitmapEntry* battery = find_bitmap(200);
  ASSERT_NE(battery, nullptr);
  EXPECT_EQ(battery->width, 70);
  EXPECT_EQ(battery->height, 45);
  EXPECT_EQ(find_bitmap(201), nullptr);
  EXPECT_EQ(find_bitmap(2311)->height, 90);
  EXPECT_EQ(find_bitmap(5), nullptr);
}

// ---------------------------------------------------------------- quantiser

KeyedImage keyed_disc(cairo_format_t format) {
  const int size = 40;
  cairo_surface_t* surface = cairo_image_surface_create(format, size, size);
  cairo_t* cr = cairo_create(surface);
  if (format == CAIRO_FORMAT_RGB24) {
    cairo_set_source_rgb(cr, 0, 0, 0);
    cairo_paint(cr);
  }
  cairo_arc(cr, 20.3, 19.6, 13.7, 0, 2 * kPi);
  cairo_set_source_rgb(cr, 1, 1, 1);
  cairo_fill(cr);
  cairo_destroy(cr);
  KeyedImage keyed = key_black(surface);
  cairo_surface_destroy(surface);
  return keyed;
}

bool touches_black(const KeyedImage& image, int x, int y) {
  for (int dy = -1; dy <= 1; ++dy) {
    for (int dx = -1; dx <= 1; ++dx) {
      const int nx = x + dx, ny = y + dy;
      if (nx < 0 || ny < 0 || nx >= image.width || ny >= image.height) continue;
      if (sum_at(image.rgb, static_cast<size_t>(ny) * image.width + nx) == 0) return true;
    }
  }
  return false;
}

TEST(KeyBlack, AntialiasedDiscLeavesNoDarkFringe) {
  for (cairo_format_t format : {CAIRO_FORMAT_ARGB32, CAIRO_FORMAT_RGB24}) {
    SCOPED_TRACE(format == CAIRO_FORMAT_ARGB32 ? "on transparency" : "on opaque black");
    const KeyedImage keyed = keyed_disc(format);
    int visible = 0, edges = 0;
    for (int y = 0; y < keyed.height; ++y) {
      for (int x = 0; x < keyed.width; ++x) {
        const int sum = sum_at(keyed.rgb, static_cast<size_t>(y) * keyed.width + x);
        if (sum == 0) continue;
        ++visible;
        EXPECT_GE(sum, 24) << x << "," << y;
        if (touches_black(keyed, x, y)) {
          ++edges;
          // A pixel against the transparent area is at least half of the
          // white it was painted with, never a grey fringe.
          EXPECT_GE(sum, 3 * 128) << "edge pixel " << x << "," << y;
        }
      }
    }
    EXPECT_GT(edges, 40);
    // Half coverage keeps the disc its size: area pi r^2 within a pixel ring.
    EXPECT_NEAR(visible, kPi * 13.7 * 13.7, 2 * kPi * 13.7 * 0.5);
  }
}

TEST(KeyBlack, TransparentCanvasEdgesKeepThePaintedColour) {
  // A dark grey square on transparency at half-pixel positions: its edge
  // pixels are half covered and must come out the same grey, not darker.
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 10, 10);
  cairo_t* cr = cairo_create(surface);
  cairo_rectangle(cr, 2.5, 2.5, 5, 5);
  cairo_set_source_rgb(cr, 60 / 255.0, 90 / 255.0, 30 / 255.0);
  cairo_fill(cr);
  cairo_destroy(cr);
  const KeyedImage keyed = key_black(surface);
  cairo_surface_destroy(surface);
  for (int i = 0; i < 100; ++i) {
    if (sum_at(keyed.rgb, i) == 0) continue;
    EXPECT_NEAR(keyed.rgb[3 * i], 60, 2) << i;
    EXPECT_NEAR(keyed.rgb[3 * i + 1], 90, 2) << i;
    EXPECT_NEAR(keyed.rgb[3 * i + 2], 30, 2) << i;
  }
  EXPECT_EQ(sum_at(keyed.rgb, 0), 0);
  EXPECT_NE(sum_at(keyed.rgb, 5 * 10 + 5), 0);
}

TEST(KeyBlack, CoverageUnderHalfIsTransparentAndPaintNeverPureBlack) {
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 4, 1);
  cairo_t* cr = cairo_create(surface);
  cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
  const double alphas[4] = {0.4, 0.6, 1.0, 1.0};
  const double colours[4][3] = {{1, 0, 0}, {1, 0, 0}, {0, 0, 0}, {0, 0, 0.02}};
  for (int x = 0; x < 4; ++x) {
    cairo_rectangle(cr, x, 0, 1, 1);
    cairo_set_source_rgba(cr, colours[x][0], colours[x][1], colours[x][2], alphas[x]);
    cairo_fill(cr);
  }
  cairo_destroy(cr);
  const KeyedImage keyed = key_black(surface);
  cairo_surface_destroy(surface);
  const std::vector<uint8_t> expected = {0,   0, 0,   // 40 %: transparent
                                         255, 8, 8,   // 60 %: the red itself
                                         8,   8, 8,   // opaque black paint shows
                                         8,   8, 8};  // and so does near-black
  EXPECT_EQ(keyed.rgb, expected);
}

TEST(Quantize, FewColoursAreKeptExactlyWithBlackAtIndexZero) {
  KeyedImage image{3, 2, {0, 0, 0, 200, 10, 10, 8, 8, 8, 200, 10, 10, 0, 0, 0, 30, 40, 50}};
  const PalettedImage out = quantize(image);
  ASSERT_EQ(out.palette.size(), 4u);
  EXPECT_EQ(out.palette[0], (std::array<uint8_t, 3>{0, 0, 0}));
  for (size_t i = 0; i < 6; ++i) {
    const auto& entry = out.palette[out.indices[i]];
    EXPECT_EQ(entry[0], image.rgb[3 * i]);
    EXPECT_EQ(entry[1], image.rgb[3 * i + 1]);
    EXPECT_EQ(entry[2], image.rgb[3 * i + 2]);
  }
  EXPECT_EQ(out.indices[0], 0);
  EXPECT_EQ(out.indices[4], 0);
}

TEST(Quantize, ManyColoursFitThePaletteCloselyAndNoneTurnsBlack) {
  // Every shade of a two-axis ramp plus a dim corner: 16k colours for 255 slots.
  const int w = 128, h = 128;
  KeyedImage image{w, h, std::vector<uint8_t>(w * h * 3)};
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      uint8_t* p = &image.rgb[(y * w + x) * 3];
      p[0] = static_cast<uint8_t>(8 + x * 247 / (w - 1));
      p[1] = static_cast<uint8_t>(8 + y * 247 / (h - 1));
      p[2] = static_cast<uint8_t>(8 + ((x + y) % 32));
    }
  }
  image.rgb[0] = image.rgb[1] = image.rgb[2] = 0;  // one transparent pixel
  const PalettedImage out = quantize(image);
  ASSERT_LE(out.palette.size(), 256u);
  EXPECT_EQ(out.palette[0], (std::array<uint8_t, 3>{0, 0, 0}));
  for (size_t i = 1; i < out.palette.size(); ++i) {
    EXPECT_GE(out.palette[i][0] + out.palette[i][1] + out.palette[i][2], 24);
  }
  double total_error = 0;
  int worst = 0;
  for (int i = 0; i < w * h; ++i) {
    if (i == 0) {
      EXPECT_EQ(out.indices[0], 0);
      continue;
    }
    ASSERT_NE(out.indices[i], 0) << "pixel " << i << " became transparent";
    const auto& entry = out.palette[out.indices[i]];
    for (int c = 0; c < 3; ++c) {
      const int error = std::abs(entry[c] - image.rgb[3 * i + c]);
      total_error += error;
      worst = std::max(worst, error);
    }
  }
  EXPECT_LT(total_error / (w * h * 3), 4.0);
  EXPECT_LT(worst, 24);
}

TEST(Quantize, RejectsPalettesOutsideTwoTo256) {
  KeyedImage image{1, 1, {9, 9, 9}};
  EXPECT_THROW(quantize(image, 1), std::invalid_argument);
  EXPECT_THROW(quantize(image, 257), std::invalid_argument);
  EXPECT_EQ(quantize(image, 2).palette.size(), 2u);
}

// ---------------------------------------------------------------- click sound

uint32_t u32(const std::vector<uint8_t>& b, size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (uint32_t{b[at + 3]} << 24);
}
uint16_t u16(const std::vector<uint8_t>& b, size_t at) {
  return static_cast<uint16_t>(b[at] | (b[at + 1] << 8));
}

TEST(ClickSound, IsAPcmWaveOfTheAgreedFormat) {
  const std::vector<uint8_t> wav = click_wav();
  ASSERT_GE(wav.size(), 12u);
  EXPECT_EQ(std::string(wav.begin(), wav.begin() + 4), "RIFF");
  EXPECT_EQ(u32(wav, 4), wav.size() - 8);
  EXPECT_EQ(std::string(wav.begin() + 8, wav.begin() + 12), "WAVE");

  // Walk the chunks as a reader would.
  size_t at = 12;
  bool seen_fmt = false, seen_data = false;
  while (at + 8 <= wav.size()) {
    const std::string tag(wav.begin() + at, wav.begin() + at + 4);
    const uint32_t size = u32(wav, at + 4);
    ASSERT_LE(at + 8 + size, wav.size()) << tag;
    if (tag == "fmt ") {
      seen_fmt = true;
      EXPECT_EQ(size, 16u);
      EXPECT_EQ(u16(wav, at + 8), 1);        // PCM
      EXPECT_EQ(u16(wav, at + 10), 1);       // mono
      EXPECT_EQ(u32(wav, at + 12), 22050u);  // samples per second
      EXPECT_EQ(u32(wav, at + 16), 44100u);  // bytes per second
      EXPECT_EQ(u16(wav, at + 20), 2);       // block alignment
      EXPECT_EQ(u16(wav, at + 22), 16);      // bits per sample
    } else if (tag == "data") {
      seen_data = true;
      EXPECT_EQ(size, 3828u);
      EXPECT_TRUE(seen_fmt) << "the format comes before the samples";
    }
    at += 8 + size + (size & 1);
  }
  EXPECT_EQ(at, wav.size());
  EXPECT_TRUE(seen_fmt);
  EXPECT_TRUE(seen_data);
}

TEST(ClickSound, SoundsLikeAClickNotSilenceOrAHum) {
  const std::vector<int16_t> s = click_samples();
  ASSERT_EQ(s.size(), 1914u);
  EXPECT_EQ(s, click_samples()) << "the same bytes on every build";

  auto rms = [&](int from, int to) {
    double sum = 0;
    for (int i = from; i < to; ++i) sum += double(s[i]) * s[i];
    return std::sqrt(sum / (to - from));
  };
  const int ms = kClickSampleRate / 1000;
  int peak_at = 0;
  for (int i = 0; i < 1914; ++i) {
    if (std::abs(s[i]) > std::abs(s[peak_at])) peak_at = i;
  }
  EXPECT_GT(std::abs(s[peak_at]), 20000) << "loud enough to hear";
  EXPECT_LT(peak_at, 3 * ms) << "a sharp attack";
  EXPECT_LT(rms(1914 - 20 * ms, 1914), 0.03 * rms(0, 20 * ms)) << "decays fast";
  EXPECT_LT(std::abs(s.back()), 100) << "ends without a pop";

  int crossings = 0;
  for (int i = 1; i < 20 * ms; ++i) crossings += (s[i - 1] < 0) != (s[i] < 0);
  EXPECT_GT(crossings, 40) << "bright, over 1 kHz, not a thump";

  double mean = 0;
  for (int16_t v : s) mean += v;
  EXPECT_LT(std::abs(mean / s.size()), 300) << "no offset";
}

// ---------------------------------------------------------------- generator

class GeneratorTest : public testing::Test {
 protected:
  void SetUp() override {
    // The process id keeps runs from other checkouts or builds out of each
    // other's way.
    dir_ = fs::path(testing::TempDir()) /
           ("tavrel_art_" + std::to_string(getpid()) + "_" +
            std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  static std::string read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  }

  fs::path dir_;
};

TEST_F(GeneratorTest, WritesBitmapsThatMatchTheResourceListAndAScriptNamingThem) {
  generate(all_drawers(), dir_);
  std::istringstream lines(read(dir_ / "bitmaps.txt"));
  const std::string rc = read(dir_ / "bitmaps.rc");
  int id, width, height, bpp, lang, count = 0;
  std::set<int> french;
  while (lines >> id >> width >> height >> bpp >> lang) {
    SCOPED_TRACE(id);
    ++count;
    const BitmapEntry* entry = find_bitmap(id);
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(width, entry->width);
    EXPECT_EQ(height, entry->height);
    EXPECT_EQ(bpp, entry->bits_per_pixel);
    ASSERT_TRUE(lang == 1036 || (lang == 1033 && entry->has_english));
    if (lang == 1036) french.insert(id);

    const fs::path file =
        dir_ / "bitmaps" / (std::to_string(id) + (lang == 1033 ? "_en" : "") + ".bmp");
    const std::string bytes = read(file);
    dib::Image image;
    ASSERT_TRUE(dib::decode(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), image));
    EXPECT_EQ(image.width, entry->width);
    EXPECT_EQ(image.height, entry->height);
    EXPECT_EQ(image.bits_per_pixel, entry->bits_per_pixel);
    if (bpp == 8) {
      // Palette entry 0 is black and no other entry is.
      const size_t palette_at = 14 + 40;
      EXPECT_EQ(bytes.substr(palette_at, 3), std::string(3, '\0'));
      const uint32_t entries = u32(std::vector<uint8_t>(bytes.begin() + 46, bytes.begin() + 50), 0);
      for (uint32_t e = 1; e < entries; ++e) {
        EXPECT_NE(bytes.substr(palette_at + 4 * e, 3), std::string(3, '\0')) << "entry " << e;
      }
    }
    const std::string language = lang == 1036 ? "LANGUAGE LANG_FRENCH, SUBLANG_FRENCH\n"
                                              : "LANGUAGE LANG_ENGLISH, SUBLANG_ENGLISH_US\n";
    const std::string line =
        language + std::to_string(id) + " BITMAP \"" + fs::absolute(file).string() + "\"\n";
    EXPECT_NE(rc.find(line), std::string::npos) << line;
  }
  EXPECT_TRUE(lines.eof()) << "every line has five numbers";
  EXPECT_EQ(count, static_cast<int>(std::count(rc.begin(), rc.end(), '\n')) / 2 - 1);
  std::set<int> drawn;
  for (const Drawer& drawer : all_drawers().drawers()) drawn.insert(drawer.id);
  EXPECT_EQ(french, drawn) << "one French picture per drawer";
  EXPECT_TRUE(french.count(200) && french.count(210) && french.count(211));

  const std::vector<uint8_t> wav = click_wav();
  EXPECT_EQ(read(dir_ / "click.wav"), std::string(wav.begin(), wav.end()));
}

Canvas blank(int w, int h, int bpp) {
  Canvas canvas(w, h, bpp);
  set_colour(canvas.cr(), colours::kLegend);
  cairo_paint(canvas.cr());
  return canvas;
}

TEST_F(GeneratorTest, FailsWithoutWritingWhenADrawerDoesNotFitTheList) {
  struct Case {
    int id;
    int w, h, bpp;
    const char* expected;
  };
  const Case cases[] = {
      {200, 70, 44, 8, "bitmap 200 (fr) is drawn 70x44 8-bit, the resource list says 70x45 8-bit"},
      {40, 19, 19, 8, "bitmap 40 (fr) is drawn 19x19 8-bit, the resource list says 19x19 24-bit"},
      {201, 70, 45, 8, "bitmap 201 has a drawer but is not in the resource list"},
      {1130, 200, 200, 8, "bitmap 1130 draws the same picture for English as for French"},
  };
  for (const Case& c : cases) {
    Registry registry;
    registry.add(20, [](Canvas& canvas, Lang) { canvas = blank(30, 46, 8); });
    registry.add(c.id, [c](Canvas& canvas, Lang) { canvas = blank(c.w, c.h, c.bpp); });
    try {
      generate(registry, dir_);
      ADD_FAILURE() << "no error for " << c.id;
    } catch (const ArtError& e) {
      EXPECT_EQ(std::string(e.what()), c.expected);
    }
    EXPECT_FALSE(fs::exists(dir_ / "bitmaps.txt"));
    EXPECT_FALSE(fs::exists(dir_ / "bitmaps" / "20.bmp"));
  }
}

TEST_F(GeneratorTest, EnglishPicturesGetTheirOwnFileAndLanguage) {
  Registry registry;
  registry.add(1130, [](Canvas& canvas, Lang lang) {
    text(canvas.cr(), lang == Lang::kEnglish ? "HOURS" : "HEURES", 100, 100, 20, colours::kLegend);
  });
  generate(registry, dir_);
  EXPECT_EQ(read(dir_ / "bitmaps.txt"), "1130 200 200 8 1036\n1130 200 200 8 1033\n");
  EXPECT_TRUE(fs::exists(dir_ / "bitmaps" / "1130.bmp"));
  EXPECT_TRUE(fs::exists(dir_ / "bitmaps" / "1130_en.bmp"));
  EXPECT_NE(read(dir_ / "bitmaps" / "1130.bmp"), read(dir_ / "bitmaps" / "1130_en.bmp"));
  const std::string rc = read(dir_ / "bitmaps.rc");
  EXPECT_LT(rc.find("LANGUAGE LANG_FRENCH"), rc.find("1130.bmp"));
  EXPECT_LT(rc.find("LANGUAGE LANG_ENGLISH, SUBLANG_ENGLISH_US"), rc.find("1130_en.bmp"));
  EXPECT_GT(rc.find("LANGUAGE LANG_ENGLISH"), rc.find("1130.bmp"));
}

TEST_F(GeneratorTest, RerunLeavesUnchangedFilesAloneAndDropsStaleOnes) {
  Registry registry;
  registry.add(20, [](Canvas& canvas, Lang) { canvas = blank(30, 46, 8); });
  generate(registry, dir_);
  const fs::path bmp = dir_ / "bitmaps" / "20.bmp";
  const auto old_time = fs::file_time_type::clock::now() - std::chrono::hours(24);
  fs::last_write_time(bmp, old_time);
  std::ofstream(dir_ / "bitmaps" / "999.bmp") << "left from an older drawer";

  generate(registry, dir_);
  EXPECT_EQ(fs::last_write_time(bmp), old_time);
  EXPECT_FALSE(fs::exists(dir_ / "bitmaps" / "999.bmp"));
  EXPECT_TRUE(fs::exists(dir_ / "art.stamp"));
}

TEST_F(GeneratorTest, PreviewsShowEachPictureAtOneAndFourTimes) {
  generate(all_drawers(), dir_, GenerateOptions{true});
  for (const char* name : {"210.png", "210@4x.png"}) {
    cairo_surface_t* png = cairo_image_surface_create_from_png((dir_ / "preview" / name).c_str());
    ASSERT_EQ(cairo_surface_status(png), CAIRO_STATUS_SUCCESS) << name;
    const int scale = std::strchr(name, '@') ? 4 : 1;
    EXPECT_EQ(cairo_image_surface_get_width(png), 70 * scale);
    EXPECT_EQ(cairo_image_surface_get_height(png), 45 * scale);
    cairo_surface_destroy(png);
  }
}

TEST(Registry, RefusesTwoDrawersForOneBitmap) {
  Registry registry;
  registry.add(200, [](Canvas& canvas, Lang) { canvas = blank(70, 45, 8); });
  EXPECT_THROW(registry.add(200, [](Canvas& canvas, Lang) { canvas = blank(70, 45, 8); }),
               std::logic_error);
  EXPECT_NE(registry.find(200), nullptr);
  EXPECT_EQ(registry.find(210), nullptr);
}

// ---------------------------------------------------------------- battery switch

dib::Image drawn(int id) {
  const Drawer* drawer = all_drawers().find(id);
  EXPECT_NE(drawer, nullptr) << id;
  const std::vector<uint8_t> bmp = render_bitmap(*drawer, Lang::kFrench);
  dib::Image image;
  EXPECT_TRUE(dib::decode(bmp.data(), bmp.size(), image));
  return image;
}

bool shows(const dib::Image& image, int x, int y) {
  const uint8_t* p = &image.rgba[(static_cast<size_t>(y) * image.width + x) * 4];
  return p[0] || p[1] || p[2];
}

TEST(BatterySwitchArt, RockerSitsInTheClickBoxAndIsRed) {
  for (int id : {210, 211}) {
    SCOPED_TRACE(id);
    const dib::Image image = drawn(id);
    int visible = 0, red = 0;
    for (int y = 0; y < image.height; ++y) {
      for (int x = 0; x < image.width; ++x) {
        if (!shows(image, x, y)) continue;
        ++visible;
        EXPECT_TRUE(x < 55 && y < 35) << "paint outside the click box at " << x << "," << y;
        const uint8_t* p = &image.rgba[(static_cast<size_t>(y) * image.width + x) * 4];
        red += p[0] > 2 * p[1] && p[0] > 2 * p[2];
      }
    }
    EXPECT_GT(visible, 600) << "a rocker of a useful size";
    EXPECT_GT(red, visible * 9 / 10);
  }
}

TEST(BatterySwitchArt, RaisedEndIsTheBrightEndOffRightOnLeft) {
  // Brightness of the rocker's left and right thirds.
  auto thirds = [](const dib::Image& image) {
    int min_x = image.width, max_x = 0;
    for (int y = 0; y < image.height; ++y)
      for (int x = 0; x < image.width; ++x)
        if (shows(image, x, y)) min_x = std::min(min_x, x), max_x = std::max(max_x, x);
    const int third = (max_x - min_x) / 3;
    double left = 0, right = 0;
    for (int y = 0; y < image.height; ++y) {
      for (int x = 0; x < image.width; ++x) {
        if (!shows(image, x, y)) continue;
        const uint8_t* p = &image.rgba[(static_cast<size_t>(y) * image.width + x) * 4];
        if (x < min_x + third) left += p[0] + p[1] + p[2];
        if (x > max_x - third) right += p[0] + p[1] + p[2];
      }
    }
    return std::make_pair(left, right);
  };
  const auto off = thirds(drawn(210));
  const auto on = thirds(drawn(211));
  EXPECT_GT(off.second, 1.3 * off.first) << "off: raised at its right end";
  EXPECT_GT(on.first, 1.3 * on.second) << "on: raised at its left end";
}

TEST(BatterySwitchArt, BarIsTransparentAroundItsPlate) {
  const dib::Image bar = drawn(200);
  EXPECT_FALSE(shows(bar, 0, 0));
  EXPECT_FALSE(shows(bar, 69, 44));
  EXPECT_FALSE(shows(bar, 0, 2)) << "the plate leans right: its top-left is open";
  EXPECT_TRUE(shows(bar, 35, 20)) << "the well";
  EXPECT_TRUE(shows(bar, 60, 30)) << "the plate";
}

}  // namespace
}  // namespace tavrel::art
