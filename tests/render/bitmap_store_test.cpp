// The host's one bitmap store: the sizes that place a gauge and the pictures
// that draw it come from the same bitmaps, read from the module once, in the
// host's current language.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <utility>
#include <vector>

#include "host/bitmaps.h"
#include "host/host.h"
#include "host/render.h"
#include "module/builders.h"
#include "resources/dib/dib.h"
#include "tests/host/fake_module.h"

namespace tavrel {
namespace {
using namespace build;

std::vector<uint8_t> plain_picture(int w, int h, uint8_t r, uint8_t g, uint8_t b) {
  std::vector<uint8_t> rgb(static_cast<size_t>(w) * h * 3);
  for (size_t i = 0; i < rgb.size(); i += 3) rgb[i] = r, rgb[i + 1] = g, rgb[i + 2] = b;
  return dib::encode_24bit(w, h, rgb);
}

// The hand-made module, counting what is read from it.
class CountingModule final : public host::ModuleBinding {
 public:
  explicit CountingModule(std::unique_ptr<testing::FakeModule> module)
      : module_(std::move(module)) {}
  ModuleLinkageHead* linkage() override { return module_->linkage(); }
  ImportTableRecord* import_table() override { return module_->import_table(); }
  uintptr_t module_handle() override { return module_->module_handle(); }
  bool bitmap_bytes(int id, host::Language language, std::vector<uint8_t>& out) override {
    ++(*reads_)[{id, language}];
    return module_->bitmap_bytes(id, language, out);
  }
  std::string description() const override { return module_->description(); }

  // Reads by bitmap and language; shared so the test keeps it after the
  // host takes the module.
  std::shared_ptr<std::map<std::pair<int, host::Language>, int>> reads_ =
      std::make_shared<std::map<std::pair<int, host::Language>, int>>();

 private:
  std::unique_ptr<testing::FakeModule> module_;
};

extern GaugeHeader card;
MouseRect card_mouse[] = {outer_parent(0), close_parent(), end_of_list()};
StaticImageElement card_face = static_image(card, {.bitmap = 10});
ElementHeader* card_root[] = {&card_face.header};
GaugeHeader card =
    gauge_header({.name = "Card", .size_x_mm = 40, .root = card_root, .mouse = card_mouse});

struct Bench {
  Bench() {
    auto module = std::make_unique<testing::FakeModule>(std::vector<GaugeHeader*>{&card});
    // French: 40 x 20 grey; English: 60 x 30 green.
    module->add_picture(10, plain_picture(40, 20, 90, 90, 90));
    module->add_picture(10, plain_picture(60, 30, 0, 120, 0), host::Language::kEnglish);
    // A header with no pixels behind it, and one with no height.
    module->add_bitmap(11, 16, 8);
    module->add_bitmap(13, 16, 0);
    auto counting = std::make_unique<CountingModule>(std::move(module));
    reads = counting->reads_;
    host = std::make_unique<host::Host>(std::move(counting));
    renderer = std::make_unique<host::Renderer>(host->bitmaps(), fonts);
  }
  std::shared_ptr<std::map<std::pair<int, host::Language>, int>> reads;
  std::unique_ptr<host::Host> host;
  host::FontLibrary fonts;
  std::unique_ptr<host::Renderer> renderer;
};

TEST(BitmapStore, PlacingSizingAndDrawingReadEachBitmapOnce) {
  Bench bench;
  EXPECT_EQ(&bench.renderer->bitmaps(), &bench.host->bitmaps());
  host::GaugeInstance& instance = bench.host->place("Card");
  bench.host->update();
  for (bool night : {false, true}) {
    host::Canvas canvas = host::render_gauge(*bench.renderer, instance, 0, {night, false});
    EXPECT_EQ(canvas.width(), 40);
    EXPECT_EQ(canvas.height(), 20);
  }
  // A second renderer on the same host draws from the same store.
  host::Renderer second(bench.host->bitmaps(), bench.fonts, host::RenderMode::kReference);
  host::render_gauge(second, instance, 80, {});
  int width = 0, height = 0;
  ASSERT_TRUE(bench.host->bitmap_size(10, width, height));
  EXPECT_EQ((*bench.reads)[std::make_pair(10, host::Language::kFrench)], 1);
  EXPECT_EQ(bench.reads->size(), 1u);
}

TEST(BitmapStore, ChangingLanguageGivesTheOtherLanguagesSizeAndPicture) {
  Bench bench;
  int width = 0, height = 0;
  ASSERT_TRUE(bench.host->bitmap_size(10, width, height));
  EXPECT_EQ(width, 40);
  host::GaugeInstance& french = bench.host->place("Card");
  bench.host->update();
  host::Canvas grey = host::render_gauge(*bench.renderer, french, 0, {});
  EXPECT_EQ(grey.at(5, 5), host::rgba_word(90, 90, 90));

  bench.host->set_language(host::Language::kEnglish);
  ASSERT_TRUE(bench.host->bitmap_size(10, width, height));
  EXPECT_EQ(width, 60);
  EXPECT_EQ(height, 30);
  host::Canvas green = host::render_gauge(*bench.renderer, french, 0, {});
  EXPECT_EQ(green.width(), 60);
  EXPECT_EQ(green.at(5, 5), host::rgba_word(0, 120, 0));

  // And back: the French bitmap again, still read only once.
  bench.host->set_language(host::Language::kFrench);
  EXPECT_EQ(host::render_gauge(*bench.renderer, french, 0, {}).at(5, 5),
            host::rgba_word(90, 90, 90));
  EXPECT_EQ((*bench.reads)[std::make_pair(10, host::Language::kFrench)], 1);
  EXPECT_EQ((*bench.reads)[std::make_pair(10, host::Language::kEnglish)], 1);
}

TEST(BitmapStore, MissingAndUndecodableBitmapsSayWhy) {
  Bench bench;
  host::BitmapStore& store = bench.host->bitmaps();
  int width = 0, height = 0;
  // Missing: no size, no picture, and the reason names it.
  EXPECT_FALSE(store.size(12, host::Language::kFrench, width, height));
  EXPECT_NE(store.error().find("no bitmap 12"), std::string::npos) << store.error();
  EXPECT_EQ(store.image(12, host::Language::kFrench), nullptr);
  // A header alone: its size is known (placing needs no more), but there is
  // nothing to draw, and the reason says so.
  ASSERT_TRUE(store.size(11, host::Language::kFrench, width, height));
  EXPECT_EQ(width, 16);
  EXPECT_EQ(height, 8);
  EXPECT_EQ(store.surface(11, host::Language::kFrench, true), nullptr);
  EXPECT_NE(store.error().find("bitmap 11 does not decode"), std::string::npos) << store.error();
  // Asked again, the same answers without reading again.
  EXPECT_EQ(store.image(11, host::Language::kFrench), nullptr);
  EXPECT_TRUE(store.size(11, host::Language::kFrench, width, height));
  EXPECT_EQ((*bench.reads)[std::make_pair(11, host::Language::kFrench)], 1);
  // A header with a width but no height has no size at all (placing would
  // divide by its height).
  width = height = -1;
  EXPECT_FALSE(store.size(13, host::Language::kFrench, width, height));
  EXPECT_FALSE(bench.host->bitmap_size(13, width, height));
  // A good bitmap asked after a bad one clears the reason.
  ASSERT_NE(store.image(10, host::Language::kFrench), nullptr);
  EXPECT_EQ(store.error(), "");
}

}  // namespace
}  // namespace tavrel
