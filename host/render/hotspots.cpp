// The click-box overlay: each click box and tooltip area of an instance
// outlined in its colour and labelled, over whatever is drawn.
#include <string>

#include "host/render.h"
#include "host/render/pixels.h"

namespace tavrel::host {

using render::colour_of;
using render::IntRect;
using render::round_to_int;

void Renderer::draw_hotspots(const GaugeInstance& instance, Canvas& canvas, const Placement& at) {
  int width = 0, height = 0;
  if (!background_size(instance, width, height)) return;
  const IntRect all{0, 0, canvas.width(), canvas.height()};
  const int thickness = std::max(1, round_to_int(std::min(at.scale_x, at.scale_y) / 1.5));
  const double label_height = 11.0;

  auto outline = [&](const IntRect& r, uint32_t colour) {
    canvas.blend(IntRect{r.x0, r.y0, r.x1, r.y0 + thickness}.meet(all), colour);
    canvas.blend(IntRect{r.x0, r.y1 - thickness, r.x1, r.y1}.meet(all), colour);
    canvas.blend(IntRect{r.x0, r.y0, r.x0 + thickness, r.y1}.meet(all), colour);
    canvas.blend(IntRect{r.x1 - thickness, r.y0, r.x1, r.y1}.meet(all), colour);
  };
  // A label on a dark plate, so it reads over any art.
  auto label = [&](double x, double y, const std::string& text, uint32_t rgb) {
    double w = text_width(text, label_height, FontFace::kSans, true);
    canvas.blend(IntRect{round_to_int(x), round_to_int(y), round_to_int(x + w + 2),
                         round_to_int(y + label_height)}
                     .meet(all),
                 rgba_word(0, 0, 0, 170));
    draw_text(canvas, x + 1, y, text, label_height, rgb, FontFace::kSans, true);
  };
  auto on_canvas = [&](const MouseArea& area) {
    if (area.whole_gauge) {
      return IntRect{round_to_int(at.x), round_to_int(at.y),
                     round_to_int(at.x + width * at.scale_x),
                     round_to_int(at.y + height * at.scale_y)};
    }
    return IntRect{round_to_int(at.x + area.box.x * at.scale_x),
                   round_to_int(at.y + area.box.y * at.scale_y),
                   round_to_int(at.x + (area.box.x + area.box.width) * at.scale_x),
                   round_to_int(at.y + (area.box.y + area.box.height) * at.scale_y)};
  };

  const uint32_t kTooltipColour = 0x00FFC800;  // 0x00BBGGRR: cyan-blue
  const uint32_t kEventColour = 0x0030E030;
  const uint32_t kFunctionColour = 0x00FF40FF;
  for (const MouseArea& area : instance.mouse().areas()) {
    const MouseRect& rect = *area.record;
    if (rect.type == kMouseParent && rect.help_id != 0) {
      IntRect r = on_canvas(area);
      outline(r, colour_of(kTooltipColour));
      label(r.x0 + thickness, r.y1 - thickness - label_height, "? " + std::to_string(rect.help_id),
            kTooltipColour);
    }
  }
  for (const MouseArea& area : instance.mouse().areas()) {
    const MouseRect& rect = *area.record;
    if (rect.type != kMouseChild) continue;
    IntRect r = on_canvas(area);
    bool event = rect.event_id != 0;
    uint32_t rgb = event ? kEventColour : kFunctionColour;
    outline(r, colour_of(rgb));
    std::string text = event ? std::to_string(rect.event_id) : "fn";
    if (rect.mouse_flags & kMouseRepeatWhileHeld) text += " R";
    if (rect.mouse_flags & kMouseDrag) text += " D";
    label(r.x0 + thickness, r.y0 + thickness, text, rgb);
  }
}

}  // namespace tavrel::host
