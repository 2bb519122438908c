#include "generate.h"

#include <cstring>
#include <fstream>
#include <iterator>
#include <optional>
#include <set>
#include <sstream>
#include <string>

#include "click.h"
#include "module/element_walk.h"
#include "module/gauge_table.h"
#include "quantize.h"

namespace tavrel::art {
namespace fs = std::filesystem;

namespace {

const char* lang_tag(Lang lang) {
  return lang == Lang::kFrench ? "fr" : "en";
}

std::string file_stem(int id, Lang lang) {
  return std::to_string(id) + (lang == Lang::kEnglish ? "_en" : "");
}

std::string describe(int width, int height, int bpp) {
  return std::to_string(width) + "x" + std::to_string(height) + " " + std::to_string(bpp) + "-bit";
}

bool same_contents(const fs::path& path, const std::string& contents) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  const std::string existing((std::istreambuf_iterator<char>(in)),
                             std::istreambuf_iterator<char>());
  return existing == contents;
}

std::string as_string(const std::vector<uint8_t>& bytes) {
  return std::string(bytes.begin(), bytes.end());
}

// A path as a resource-script string literal.
std::string rc_string(const fs::path& path) {
  std::string out = "\"";
  for (char c : path.string()) {
    if (c == '"') throw ArtError("a path with a double quote cannot go into a resource script");
    if (c == '\\') out += '\\';
    out += c;
  }
  return out + "\"";
}

dib::Image decoded(const std::vector<uint8_t>& bmp) {
  dib::Image image;
  std::string error;
  if (!dib::decode(bmp.data(), bmp.size(), image, &error))
    throw ArtError("an encoded bitmap does not decode: " + error);
  return image;
}

// Where a bitmap lies on the background of the first gauge (in catalogue
// order) that draws it still: a static image, icon or slider at its
// position, a needle with its pivot on its position (pointing right), a
// moving image's or sprite's mask at its position. Pictures that move behind
// a mask, and backgrounds themselves, have none.
struct Placement {
  int background = 0;
  int x = 0, y = 0;
};

std::optional<Placement> placement_of(int id) {
  for (const GaugeHeader* gauge : gauges::kGaugeTable) {
    if (gauge->element_list == nullptr || gauge->element_list[0] == nullptr) continue;
    const ElementHeader& root = *gauge->element_list[0];
    std::optional<Placement> found;
    for_each_element(*gauge, [&](const ElementHeader& e, int depth) {
      if (depth == 0) return true;
      const int first = e.resource_id;
      bool draws = first == id;
      int x = e.position.x, y = e.position.y;
      if (e.element_type == kIcon) {
        const auto* icon = element_as<IconElement>(&e);
        draws = id >= first && id < first + icon->icon_count;
      } else if (e.element_type == kMovingImage || e.element_type == kSprite) {
        draws = id == first + 1;
      } else if (e.element_type == kNeedle) {
        x -= e.offset.x;
        y -= e.offset.y;
      }
      if (draws) found = Placement{root.resource_id, x, y};
      return !draws;
    });
    if (found) return found;
  }
  return std::nullopt;
}

struct Written {
  int id;
  Lang lang;
  const BitmapEntry* entry;
  fs::path path;
  std::vector<uint8_t> bmp;
};

}  // namespace

// Writes the file unless it already holds exactly these bytes, so that what
// depends on it is not rebuilt for nothing.
void write_file_if_changed(const fs::path& path, const std::string& contents) {
  if (same_contents(path, contents)) return;
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(contents.data(), static_cast<std::streamsize>(contents.size()));
  if (!out) throw ArtError("cannot write " + path.string());
}

std::vector<uint8_t> encode_canvas(const Canvas& canvas) {
  const KeyedImage keyed = key_black(canvas.surface());
  if (canvas.bits_per_pixel() == 24) return dib::encode_24bit(keyed.width, keyed.height, keyed.rgb);
  const PalettedImage paletted = quantize(keyed);
  return dib::encode_8bit(paletted.width, paletted.height, paletted.palette, paletted.indices);
}

std::vector<uint8_t> render_bitmap(const Drawer& drawer, Lang lang) {
  const BitmapEntry* entry = find_bitmap(drawer.id);
  if (entry == nullptr)
    throw ArtError("bitmap " + std::to_string(drawer.id) +
                   " has a drawer but is not in the resource list");
  const Canvas canvas = draw_picture(drawer, lang);
  if (canvas.width() != entry->width || canvas.height() != entry->height ||
      canvas.bits_per_pixel() != entry->bits_per_pixel) {
    throw ArtError("bitmap " + std::to_string(drawer.id) + " (" + lang_tag(lang) + ") is drawn " +
                   describe(canvas.width(), canvas.height(), canvas.bits_per_pixel()) +
                   ", the resource list says " +
                   describe(entry->width, entry->height, entry->bits_per_pixel));
  }
  return encode_canvas(canvas);
}

void write_preview_png(const fs::path& path, const dib::Image* base, const dib::Image& top,
                       int scale, int top_x, int top_y) {
  const int w = base ? base->width : top.width, h = base ? base->height : top.height;
  cairo_surface_t* small = cairo_image_surface_create(CAIRO_FORMAT_RGB24, w, h);
  cairo_surface_flush(small);
  unsigned char* data = cairo_image_surface_get_data(small);
  const int stride = cairo_image_surface_get_stride(small);
  auto clear = [](const uint8_t* p) { return p[0] == 0 && p[1] == 0 && p[2] == 0; };
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const uint8_t* p = kPreviewPanel;
      if (base) {
        const uint8_t* b = &base->rgba[(static_cast<size_t>(y) * w + x) * 4];
        if (!clear(b)) p = b;
      }
      const int tx = base ? x - top_x : x, ty = base ? y - top_y : y;
      if (tx >= 0 && ty >= 0 && tx < top.width && ty < top.height) {
        const uint8_t* t = &top.rgba[(static_cast<size_t>(ty) * top.width + tx) * 4];
        if (!clear(t)) p = t;
      }
      const uint32_t v = (uint32_t{p[0]} << 16) | (uint32_t{p[1]} << 8) | p[2];
      std::memcpy(data + static_cast<size_t>(y) * stride + 4 * x, &v, 4);
    }
  }
  cairo_surface_mark_dirty(small);

  cairo_surface_t* big = cairo_image_surface_create(CAIRO_FORMAT_RGB24, w * scale, h * scale);
  cairo_t* cr = cairo_create(big);
  cairo_scale(cr, scale, scale);
  cairo_set_source_surface(cr, small, 0, 0);
  cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
  cairo_paint(cr);
  cairo_destroy(cr);
  const cairo_status_t status = cairo_surface_write_to_png(big, path.string().c_str());
  cairo_surface_destroy(big);
  cairo_surface_destroy(small);
  if (status != CAIRO_STATUS_SUCCESS) throw ArtError("cannot write " + path.string());
}

void generate(const Registry& registry, const fs::path& out_dir, const GenerateOptions& options) {
  std::error_code ec;
  const fs::path root = fs::absolute(out_dir, ec).lexically_normal();
  const fs::path bitmap_dir = root / "bitmaps";
  fs::create_directories(bitmap_dir, ec);
  if (ec) throw ArtError("cannot create " + bitmap_dir.string() + ": " + ec.message());

  // Draw everything first: nothing is written when a drawer is wrong.
  std::vector<Written> written;
  for (const Drawer& drawer : registry.drawers()) {
    const std::vector<uint8_t> french = render_bitmap(drawer, Lang::kFrench);
    const BitmapEntry* entry = find_bitmap(drawer.id);
    written.push_back({drawer.id, Lang::kFrench, entry,
                       bitmap_dir / (file_stem(drawer.id, Lang::kFrench) + ".bmp"), french});
    if (entry->has_english) {
      std::vector<uint8_t> english = render_bitmap(drawer, Lang::kEnglish);
      if (english == french)
        throw ArtError("bitmap " + std::to_string(drawer.id) +
                       " draws the same picture for English as for French");
      written.push_back({drawer.id, Lang::kEnglish, entry,
                         bitmap_dir / (file_stem(drawer.id, Lang::kEnglish) + ".bmp"),
                         std::move(english)});
    }
  }

  std::set<fs::path> keep;
  std::ostringstream rc, txt;
  rc << "// Every bitmap drawn by tavrel_art_gen, under its language. Written by the\n"
        "// build; included by the module's resource script.\n";
  for (const Written& w : written) {
    write_file_if_changed(w.path, as_string(w.bmp));
    keep.insert(w.path.filename());
    rc << (w.lang == Lang::kFrench ? "LANGUAGE LANG_FRENCH, SUBLANG_FRENCH\n"
                                   : "LANGUAGE LANG_ENGLISH, SUBLANG_ENGLISH_US\n");
    rc << w.id << " BITMAP " << rc_string(w.path) << "\n";
    txt << w.id << ' ' << w.entry->width << ' ' << w.entry->height << ' ' << w.entry->bits_per_pixel
        << ' ' << static_cast<int>(w.lang) << '\n';
  }
  // Pictures of drawers that no longer exist would only mislead.
  for (const auto& entry : fs::directory_iterator(bitmap_dir, ec)) {
    if (entry.path().extension() == ".bmp" && !keep.count(entry.path().filename()))
      fs::remove(entry.path(), ec);
  }
  write_file_if_changed(root / "bitmaps.rc", rc.str());
  write_file_if_changed(root / "bitmaps.txt", txt.str());
  write_file_if_changed(root / "click.wav", as_string(click_wav()));

  if (options.previews) {
    const fs::path preview_dir = root / "preview";
    fs::create_directories(preview_dir, ec);
    for (const Written& w : written) {
      const dib::Image top = decoded(w.bmp);
      const std::optional<Placement> place = placement_of(w.id);
      const Drawer* under = place ? registry.find(place->background) : nullptr;
      dib::Image base;
      if (under) base = decoded(render_bitmap(*under, w.lang));
      const int x = under ? place->x : 0, y = under ? place->y : 0;
      const std::string stem = file_stem(w.id, w.lang);
      write_preview_png(preview_dir / (stem + ".png"), under ? &base : nullptr, top, 1, x, y);
      write_preview_png(preview_dir / (stem + "@4x.png"), under ? &base : nullptr, top, 4, x, y);
    }
  }

  std::ofstream stamp(root / "art.stamp", std::ios::trunc);
  stamp << written.size() << " bitmaps\n";
  if (!stamp) throw ArtError("cannot write " + (root / "art.stamp").string());
}

}  // namespace tavrel::art
