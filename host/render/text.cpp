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

// How much narrower than designed a string's glyphs are drawn: the segment
// face ("Quartz") is condensed as needed so that a text of the element's
// character count fits its box, as the host's own face is; every other face
// keeps its width. The segment face's characters share one advance (that of
// a digit); only the blank and the point are narrower.
float condensed_to_box(const Font& font, const char* face_name, float scale,
                       const StringElement& text, double box_width) {
  if (face_for(face_name) != FontFace::kSevenSegment || text.char_count <= 0) return 1.0f;
  const double needed = font.advance('0') * double(scale) * text.char_count;
  return needed > box_width ? static_cast<float>(box_width / needed) : 1.0f;
}

}  // namespace

const GlyphCoverage& Renderer::glyph(const Font& font, int codepoint, float scale, float shift_x,
                                     float squeeze) {
  if (mode_ == RenderMode::kReference) {
    cache_->one_glyph = font.glyph(codepoint, scale, shift_x, squeeze);
    return cache_->one_glyph;
  }
  return cache_->glyph(font, codepoint, scale, shift_x, squeeze);
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
  const double share = character_share(face_for(face_name));
  const float scale = font->scale_for_height(static_cast<float>(box_height * share));
  const float squeeze = condensed_to_box(*font, face_name, scale, *text, box_width);
  const double advance_scale = double(scale) * squeeze;
  // The segment face lights its point in the gap after the digit before it,
  // with no width of its own; the stand-in gives it a narrow cell, as a
  // display face's point has, so that 15.5 does not read 155.
  const bool segments = face_for(face_name) == FontFace::kSevenSegment;
  auto advance_of = [&](int cp) {
    return segments && cp == '.' ? font->advance('0') / 3 : font->advance(cp);
  };
  auto ink_shift = [&](int cp) {
    return segments && cp == '.' ? advance_of(cp) / 2.0 * advance_scale : 0.0;
  };
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
      line_width += advance_of(codepoint_of(line[k])) * advance_scale;
      if (k + 1 < line.size()) {
        line_width +=
            font->kerning(codepoint_of(line[k]), codepoint_of(line[k + 1])) * advance_scale;
      }
    }
    double pen = left;
    if (text->text_flags & kTextCenter) {
      pen = left + (box_width - line_width) / 2.0;
    } else if (text->text_flags & kTextRight) {
      pen = left + box_width - line_width;
    }
    // Characters shorter than their line stand in its middle.
    const double lead =
        share < 1.0 ? (line_height - (font->ascent() - font->descent()) * double(scale)) / 2 : 0.0;
    double baseline = first_top + i * line_height + lead + font->ascent() * double(scale);
    int base = round_to_int(baseline);
    for (size_t k = 0; k < line.size(); ++k) {
      int cp = codepoint_of(line[k]);
      const double ink = pen + ink_shift(cp);
      int whole = static_cast<int>(std::floor(ink));
      const GlyphCoverage& g = glyph(*font, cp, scale, static_cast<float>(ink - whole), squeeze);
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
      pen += advance_of(cp) * advance_scale;
      if (k + 1 < line.size()) pen += font->kerning(cp, codepoint_of(line[k + 1])) * advance_scale;
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
