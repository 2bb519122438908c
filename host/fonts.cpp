#include "host/fonts.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iterator>

#if defined(_WIN32)
#include <windows.h>
#endif

// Square roots through the SSE instruction, correctly rounded in every
// build, so that glyphs come out the same bits natively and on Windows.
#define STBTT_sqrt(x) std::sqrt(x)
#define STBTT_pow(x, y) std::pow(x, y)  // signed distance fields only: not used
#define STB_TRUETYPE_IMPLEMENTATION
#define STBTT_STATIC
#include <stb_truetype.h>

namespace tavrel::host {

struct Font::Info {
  stbtt_fontinfo info;
};

std::unique_ptr<Font> Font::load(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return nullptr;
  std::unique_ptr<Font> font(new Font());
  font->path_ = path;
  font->data_.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  if (font->data_.size() < 12) return nullptr;
  font->info_ = std::make_unique<Info>();
  int offset = stbtt_GetFontOffsetForIndex(font->data_.data(), 0);
  if (offset < 0 || !stbtt_InitFont(&font->info_->info, font->data_.data(), offset)) {
    return nullptr;
  }
  int line_gap = 0;
  stbtt_GetFontVMetrics(&font->info_->info, &font->ascent_, &font->descent_, &line_gap);
  if (font->ascent_ - font->descent_ <= 0) return nullptr;
  return font;
}

Font::~Font() = default;

float Font::scale_for_height(float pixels) const {
  return pixels / static_cast<float>(ascent_ - descent_);
}

int Font::advance(int codepoint) const {
  int advance = 0, bearing = 0;
  stbtt_GetCodepointHMetrics(&info_->info, codepoint, &advance, &bearing);
  return advance;
}

int Font::kerning(int first, int second) const {
  return stbtt_GetCodepointKernAdvance(&info_->info, first, second);
}

GlyphCoverage Font::glyph(int codepoint, float scale, float shift_x, float squeeze) const {
  GlyphCoverage g;
  int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
  const float scale_x = scale * squeeze;
  stbtt_GetCodepointBitmapBoxSubpixel(&info_->info, codepoint, scale_x, scale, shift_x, 0.0f, &x0,
                                      &y0, &x1, &y1);
  if (x1 <= x0 || y1 <= y0) return g;
  g.left = x0;
  g.top = y0;
  g.width = x1 - x0;
  g.height = y1 - y0;
  g.coverage.assign(static_cast<size_t>(g.width) * g.height, 0);
  stbtt_MakeCodepointBitmapSubpixel(&info_->info, g.coverage.data(), g.width, g.height, g.width,
                                    scale_x, scale, shift_x, 0.0f, codepoint);
  return g;
}

FontFace face_for(std::string_view face_name) {
  auto equals = [&](std::string_view name) {
    if (face_name.size() != name.size()) return false;
    for (size_t i = 0; i < name.size(); ++i) {
      if (std::tolower(static_cast<unsigned char>(face_name[i])) !=
          std::tolower(static_cast<unsigned char>(name[i]))) {
        return false;
      }
    }
    return true;
  };
  if (equals("Arial")) return FontFace::kArial;
  if (equals("Quartz")) return FontFace::kSevenSegment;
  return FontFace::kSans;
}

double character_share(FontFace face) {
  return face == FontFace::kSevenSegment ? 5.0 / 6.0 : 1.0;
}

std::string font_file_name(FontFace face, bool bold) {
  switch (face) {
    case FontFace::kArial:
      return bold ? "LiberationSans-Bold.ttf" : "LiberationSans-Regular.ttf";
    case FontFace::kSevenSegment:
      return bold ? "DSEG14Classic-Bold.ttf" : "DSEG14Classic-Regular.ttf";
    case FontFace::kSans:
      break;
  }
  return bold ? "DejaVuSans-Bold.ttf" : "DejaVuSans.ttf";
}

namespace {

std::vector<std::string> default_folders() {
  std::vector<std::string> folders;
  if (const char* dir = std::getenv("TAVREL_FONT_DIR"); dir != nullptr && *dir != '\0') {
    folders.push_back(dir);
  }
  const char* unix_folders[] = {
      "/usr/share/fonts/truetype/liberation2",
      "/usr/share/fonts/truetype/dejavu",
      "/usr/share/fonts/truetype/dseg",
  };
#if defined(_WIN32)
  char program[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, program, MAX_PATH);
  std::string folder(program);
  size_t slash = folder.find_last_of("\\/");
  if (slash != std::string::npos) folders.push_back(folder.substr(0, slash) + "\\fonts");
  // Under Wine the Unix folders are on drive Z:.
  for (const char* unix_folder : unix_folders) folders.push_back(std::string("Z:") + unix_folder);
#else
  for (const char* unix_folder : unix_folders) folders.push_back(unix_folder);
#endif
  return folders;
}

// Windows' own files for the faces, where the free ones are not installed.
const char* windows_file_name(const std::string& file_name) {
  if (file_name == "LiberationSans-Regular.ttf" || file_name == "DejaVuSans.ttf") {
    return "arial.ttf";
  }
  if (file_name == "LiberationSans-Bold.ttf" || file_name == "DejaVuSans-Bold.ttf") {
    return "arialbd.ttf";
  }
  return nullptr;
}

}  // namespace

FontLibrary::FontLibrary() : folders_(default_folders()) {}

FontLibrary::FontLibrary(std::vector<std::string> folders) : folders_(std::move(folders)) {}

std::unique_ptr<Font> FontLibrary::find(const std::string& file_name) const {
  for (const std::string& folder : folders_) {
    if (auto font = Font::load(folder + "/" + file_name)) return font;
  }
#if defined(_WIN32)
  if (const char* windows_name = windows_file_name(file_name)) {
    char windows_dir[MAX_PATH] = {};
    if (GetWindowsDirectoryA(windows_dir, MAX_PATH) > 0) {
      if (auto font = Font::load(std::string(windows_dir) + "\\Fonts\\" + windows_name)) {
        return font;
      }
    }
  }
#else
  (void)windows_file_name;
#endif
  return nullptr;
}

const Font* FontLibrary::font(FontFace face, bool bold) {
  std::string file_name = font_file_name(face, bold);
  auto loaded = loaded_.find(file_name);
  if (loaded == loaded_.end()) {
    std::unique_ptr<Font> font = find(file_name);
    if (!font) missing_.push_back(file_name);
    loaded = loaded_.emplace(file_name, std::move(font)).first;
  }
  if (loaded->second) return loaded->second.get();
  return bold ? font(face, false) : nullptr;
}

const Font* FontLibrary::font(std::string_view face_name, int weight) {
  return font(face_for(face_name), weight >= 700);
}

}  // namespace tavrel::host
