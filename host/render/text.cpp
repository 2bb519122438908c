// Text: a string element's box and its lines, and the labels drawn with
// draw_text.
#include <string>
#include <vector>

#include "host/render/context.h"
#include "host/render/picture_cache.h"
#include "host/render/pixels.h"

namespace tavrel::host {
namespace {

using render::blend_over;
using render::IntRect;
using render::round_to_int;
using render::scale_pixel;

// Text of a gauge: single bytes in the Western Windows code page; the
// printable upper half is Latin-1.
int codepoint_of(char c) {
  return static_cast<unsigned char>(c);
}

// The lines of a string element's text: one line with line breaks as
// spaces, or a line for each break.
std::vector<std::string> lines_of(const std::string& text, bool single_line) {
  std::vector<std::string> lines;
  if (single_line) {
    std::string line = text;
    for (char& c : line) {
      if (c == '\n' || c == '\r') c = ' ';
    }
    lines.push_back(line);
    return lines;
  }
  std::string line;
  for (char c : text) {
    if (c == '\n') {
      lines.push_back(line);
      line.clear();
    } else if (c != '\r') {
      line += c;
    }
  }
  lines.push_back(line);
  return lines;
}

}  // namespace

const GlyphCoverage& Renderer::glyph(const Font& font, int codepoint, float scale, float shift_x) {
  if (mode_ == RenderMode::kReference) {
    cache_->one_glyph = font.glyph(codepoint, scale, shift_x);
    return cache_->one_glyph;
  }
  return cache_->glyph(font, codepoint, scale, shift_x);
}

void Renderer::draw_string(Context& context, const ElementState& state) {
  const auto* text = element_as<StringElement>(state.element);
  const ElementHeader* e = state.element;
  const Placement& at = context.at;
  const render::Lamp light(light_for(e->image_flags, context.lighting));
  const double left = at.x + at.scale_x * e->position.x;
  const double top = at.y + at.scale_y * e->position.y;
  const double box_width = at.scale_x * text->box_size.x;
  const double box_height = at.scale_y * text->box_size.y;
  IntRect box{round_to_int(left), round_to_int(top), round_to_int(left + box_width),
              round_to_int(top + box_height)};
  box = box.meet(context.clip);
  if (box.empty()) return;

  // The box's background, unless it is black and black is transparent.
  if (!(text->background_color == 0 && (e->image_flags & kTransparentBlack))) {
    context.canvas.blend(box,
                         render::apply_light(render::colour_of(text->background_color), light));
  }
  if (state.text.empty() || box_height <= 0) return;

  char face_name[sizeof(text->font.face_name) + 1] = {};
  std::copy(std::begin(text->font.face_name), std::end(text->font.face_name), face_name);
  const Font* font = fonts_.font(face_name, text->font.weight);
  if (font == nullptr) return;
  const float scale = font->scale_for_height(static_cast<float>(box_height));
  const std::vector<std::string> lines = lines_of(state.text, text->text_flags & kTextSingleLine);

  const uint32_t colour = render::apply_light(render::colour_of(text->foreground_color), light);
  const double line_height = box_height;
  double first_top = top;
  // Vertical centring applies to a single line, as Windows does it.
  if ((text->text_flags & kTextVCenter) && (text->text_flags & kTextSingleLine)) {
    first_top = top + (box_height - line_height) / 2.0;
  }
  for (size_t i = 0; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    double line_width = 0;
    for (size_t k = 0; k < line.size(); ++k) {
      line_width += font->advance(codepoint_of(line[k])) * double(scale);
      if (k + 1 < line.size()) {
        line_width +=
            font->kerning(codepoint_of(line[k]), codepoint_of(line[k + 1])) * double(scale);
      }
    }
    double pen = left;
    if (text->text_flags & kTextCenter) {
      pen = left + (box_width - line_width) / 2.0;
    } else if (text->text_flags & kTextRight) {
      pen = left + box_width - line_width;
    }
    double baseline = first_top + i * line_height + font->ascent() * double(scale);
    int base = round_to_int(baseline);
    for (size_t k = 0; k < line.size(); ++k) {
      int cp = codepoint_of(line[k]);
      int whole = static_cast<int>(std::floor(pen));
      const GlyphCoverage& g = glyph(*font, cp, scale, static_cast<float>(pen - whole));
      for (int gy = 0; gy < g.height; ++gy) {
        int y = base + g.top + gy;
        if (y < box.y0 || y >= box.y1) continue;
        uint32_t* row = context.canvas.row(y);
        for (int gx = 0; gx < g.width; ++gx) {
          int x = whole + g.left + gx;
          if (x < box.x0 || x >= box.x1) continue;
          uint32_t cover = g.coverage[static_cast<size_t>(gy) * g.width + gx];
          if (cover == 0) continue;
          blend_over(row[x], scale_pixel(colour, cover));
        }
      }
      pen += font->advance(cp) * double(scale);
      if (k + 1 < line.size()) pen += font->kerning(cp, codepoint_of(line[k + 1])) * double(scale);
    }
  }
}

double Renderer::text_width(std::string_view text, double height, FontFace face, bool bold) {
  const Font* font = fonts_.font(face, bold);
  if (font == nullptr) return 0;
  const double scale = font->scale_for_height(static_cast<float>(height));
  double width = 0;
  for (char c : text) width += font->advance(codepoint_of(c)) * scale;
  return width;
}

double Renderer::draw_text(Canvas& canvas, double x, double y, std::string_view text, double height,
                           uint32_t rgb, FontFace face, bool bold) {
  const Font* font = fonts_.font(face, bold);
  if (font == nullptr) return 0;
  const float scale = font->scale_for_height(static_cast<float>(height));
  const uint32_t colour = rgba_word(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF);
  const int base = round_to_int(y + font->ascent() * double(scale));
  double pen = x;
  for (char c : text) {
    int cp = codepoint_of(c);
    int whole = static_cast<int>(std::floor(pen));
    const GlyphCoverage& g = glyph(*font, cp, scale, static_cast<float>(pen - whole));
    for (int gy = 0; gy < g.height; ++gy) {
      int py = base + g.top + gy;
      if (py < 0 || py >= canvas.height()) continue;
      uint32_t* row = canvas.row(py);
      for (int gx = 0; gx < g.width; ++gx) {
        int px = whole + g.left + gx;
        if (px < 0 || px >= canvas.width()) continue;
        uint32_t cover = g.coverage[static_cast<size_t>(gy) * g.width + gx];
        if (cover != 0) blend_over(row[px], scale_pixel(colour, cover));
      }
    }
    pen += font->advance(cp) * double(scale);
  }
  return pen - x;
}

}  // namespace tavrel::host
