// Turning drawers into the files the resource script embeds.
#ifndef TAVREL_RESOURCES_ART_GENERATE_H
#define TAVREL_RESOURCES_ART_GENERATE_H

#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "dib.h"
#include "kit.h"
#include "registry.h"
#include "resource_list.h"

namespace tavrel::art {

// A drawer or its output that does not fit the resource list, or a file that
// cannot be written. The message is one line.
class ArtError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The .bmp file of a finished canvas: black keyed as transparent, then a
// palette of its own for 8 bits or the colours as they are for 24 bits.
std::vector<uint8_t> encode_canvas(const Canvas& canvas);

// Writes the file unless it already holds exactly these bytes, so that what
// depends on it is not rebuilt for nothing. Throws ArtError.
void write_file_if_changed(const std::filesystem::path& path, const std::string& contents);

// Draws one bitmap in one language and encodes it. Throws ArtError when the
// id is not in the resource list or the canvas differs from the list's size or
// depth.
std::vector<uint8_t> render_bitmap(const Drawer& drawer, Lang lang);

struct GenerateOptions {
  bool previews = false;  // also write preview/*.png
};

// Writes into out_dir:
//   bitmaps/<id>.bmp     the French picture of every bitmap that has a drawer
//   bitmaps/<id>_en.bmp  the English picture, for bitmaps that have one
//   bitmaps.rc           a resource-script fragment naming each of them under
//                        its language (needs the Windows resource macros)
//   bitmaps.txt          one line per picture: "id width height bpp lang"
//   click.wav            the click sound
//   art.stamp            touched on every successful run
//   preview/             with options.previews: each picture at 1x and 4x,
//                        where it lies on its gauge's background (from the
//                        gauge's element tree), transparent pixels in the
//                        panel's grey
// Files whose contents did not change are left untouched. Throws ArtError.
void generate(const Registry& registry, const std::filesystem::path& out_dir,
              const GenerateOptions& options = {});

// Colour shown for transparent pixels in previews.
constexpr uint8_t kPreviewPanel[3] = {96, 100, 104};

// Writes a PNG of the decoded picture `top` with its top-left at (top_x,
// top_y) on `base` (when there is one; black of either is transparent),
// transparent pixels in the panel's grey, scaled up `scale` times without
// smoothing.
void write_preview_png(const std::filesystem::path& path, const dib::Image* base,
                       const dib::Image& top, int scale, int top_x = 0, int top_y = 0);

}  // namespace tavrel::art

#endif  // TAVREL_RESOURCES_ART_GENERATE_H
