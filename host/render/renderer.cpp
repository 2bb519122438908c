// The renderer proper: a gauge instance's elements drawn in tree order, each
// by its type, fast or for reference, from the host's bitmaps.
#include "host/render.h"

#include "host/render/context.h"
#include "host/render/picture_cache.h"
#include "host/render/pictures.h"
#include "host/render/pixels.h"
#include "host/render/reference.h"
#include "host/render/sampling.h"

namespace tavrel::host {

using render::IntRect;
using render::PictureMap;
using render::round_to_int;
using render::Sampling;

Renderer::Renderer(BitmapStore& bitmaps, FontLibrary& fonts, RenderMode mode)
    : bitmaps_(bitmaps), fonts_(fonts), mode_(mode), cache_(std::make_unique<Cache>()) {}

Renderer::~Renderer() = default;

void Renderer::warn(const std::string& message) {
  if (warned_.insert(message).second) warnings_.push_back(message);
}

std::vector<std::string> Renderer::take_warnings() {
  for (const std::string& file : fonts_.missing()) {
    warn("font file " + file + " not found; its text is not drawn");
  }
  std::vector<std::string> out;
  out.swap(warnings_);
  return out;
}

bool background_size(BitmapStore& bitmaps, const GaugeInstance& instance, int& width, int& height) {
  // The picture itself, not just its header: a gauge is drawn only when its
  // background decodes.
  ElementHeader* root = instance.root();
  if (root == nullptr) return false;
  const dib::Image* image = bitmaps.image(root->resource_id, bitmaps.language());
  if (image == nullptr) return false;
  width = image->width;
  height = image->height;
  return true;
}

bool Renderer::background_size(const GaugeInstance& instance, int& width, int& height) {
  return host::background_size(bitmaps_, instance, width, height);
}

const Surface* Renderer::surface(Context& context, int id, bool black_is_clear) {
  const Surface* found = bitmaps_.surface(id, bitmaps_.language(), black_is_clear);
  if (found == nullptr) warn(context.gauge + ": " + bitmaps_.error());
  return found;
}

void Renderer::draw(const GaugeInstance& instance, Canvas& canvas, const Placement& at,
                    const Lighting& lighting) {
  draw(instance, canvas, at, lighting, IntRect{0, 0, canvas.width(), canvas.height()});
}

void Renderer::draw(const GaugeInstance& instance, Canvas& canvas, const Placement& at,
                    const Lighting& lighting, const IntRect& within) {
  int width = 0, height = 0;
  Context context{canvas, at, lighting, {}, instance.name()};
  if (!background_size(instance, width, height)) {
    warn(context.gauge + ": no background bitmap; gauge not drawn");
    return;
  }
  IntRect gauge{round_to_int(at.x), round_to_int(at.y), round_to_int(at.x + width * at.scale_x),
                round_to_int(at.y + height * at.scale_y)};
  context.clip = gauge.meet({0, 0, canvas.width(), canvas.height()}).meet(within);
  if (context.clip.empty()) return;
  for (const ElementState& state : instance.elements()) draw_element(context, state);
}

void Renderer::draw_element(Context& context, const ElementState& state) {
  const ElementHeader* e = state.element;
  const uint32_t flags = e->image_flags;
  const bool keyed = (flags & kTransparentBlack) != 0;
  const bool reference = mode_ == RenderMode::kReference;
  const Light light = light_for(flags, context.lighting);
  PictureMap map;
  map.position_x = e->position.x;
  map.position_y = e->position.y;

  // Static images and icons move only with the panel: drawn scaled, their
  // resampled pictures are kept (lit as they are drawn) and copied on later
  // frames.
  const bool still = e->element_type == kStaticImage || e->element_type == kIcon;
  auto draw_plain = [&](int id) {
    const Surface* picture = surface(context, id, keyed);
    if (picture == nullptr) return;
    const Sampling sampling = make_sampling(*picture, map, context.at, false);
    if (reference) {
      // Every pixel of the gauge: the picture is clear where it does not
      // reach.
      render::reference_draw(context.canvas, context.clip, sampling, light);
      return;
    }
    IntRect bounds = canvas_bounds(picture->width(), picture->height(), map, context.at, sampling);
    IntRect area = bounds.meet(context.clip);
    if (area.empty()) return;
    if (one_to_one(sampling)) {
      render::Still& level = cache_->level(*sampling.level);
      draw_ready(context.canvas, area,
                 level.ready(cache_->lit(level, light), static_cast<int>(-(sampling.cu >> 16)),
                             static_cast<int>(-(sampling.cv >> 16))),
                 Light{});
    } else if (still && sampling.bu == 0 && sampling.av == 0) {
      render::Still& kept = cache_->resampled(sampling, bounds);
      draw_ready(context.canvas, area, kept.ready(cache_->lit(kept, light), bounds.x0, bounds.y0),
                 Light{});
    } else {
      draw_sampled(context.canvas, area, sampling, light, cache_->scratch);
    }
  };
  // The mask's rectangle: the canvas pixels whose centres fall inside it.
  auto mask_area = [&](const Surface& mask) {
    const Placement& at = context.at;
    double left = at.x + at.scale_x * e->position.x;
    double top = at.y + at.scale_y * e->position.y;
    double right = left + at.scale_x * mask.width();
    double bottom = top + at.scale_y * mask.height();
    IntRect r{static_cast<int>(std::ceil(left - 0.5)), static_cast<int>(std::ceil(top - 0.5)),
              static_cast<int>(std::ceil(right - 0.5)), static_cast<int>(std::ceil(bottom - 0.5))};
    return r.meet(context.clip);
  };

  switch (e->element_type) {
    case kStaticImage:
      draw_plain(e->resource_id);
      break;
    case kIcon:
      if (state.icon_index >= 0) draw_plain(e->resource_id + state.icon_index);
      break;
    case kSlider:
      map.position_x += state.slider_offset.x;
      map.position_y += state.slider_offset.y;
      draw_plain(e->resource_id);
      break;
    case kNeedle: {
      const auto* needle = element_as<NeedleElement>(e);
      bool table = needle->nonlinearity != nullptr && needle->nonlinearity_count > 0;
      // A table needle's picture points right (+x): turn +x onto the
      // bearing. Without a table it stands upright and turns by the bearing.
      sin_cos_degrees(table ? state.needle_bearing - 90.0 : state.needle_bearing, map.sine,
                      map.cosine);
      map.anchor_x = e->offset.x;
      map.anchor_y = e->offset.y;
      draw_plain(e->resource_id);
      break;
    }
    case kMovingImage:
    case kSprite: {
      const Surface* mask = surface(context, e->resource_id + 1, true);
      const Surface* picture = surface(context, e->resource_id, keyed);
      if (mask == nullptr || picture == nullptr) break;
      PictureMap mask_map = map;
      if (e->element_type == kMovingImage) {
        PixPoint offset = state.moving_offset.value_or(PixPoint{0, 0});
        map.position_x += offset.x;
        map.position_y += offset.y;
      } else {
        const auto* sprite = element_as<SpriteElement>(e);
        map.position_x = state.sprite_center_x;
        map.position_y = state.sprite_center_y;
        map.anchor_x = picture->width() / 2.0;
        map.anchor_y = picture->height() / 2.0;
        map.scale_x = sprite->texture_scale_x;
        map.scale_y = sprite->texture_scale_y;
        if (map.scale_x == 0.0 || map.scale_y == 0.0) break;
        // Positive turns anticlockwise; the map turns clockwise.
        sin_cos_degrees(-state.sprite_rotation, map.sine, map.cosine);
      }
      IntRect area = mask_area(*mask);
      if (area.empty()) break;
      const Sampling mask_sampling = make_sampling(*mask, mask_map, context.at, true);
      const Sampling picture_sampling = make_sampling(*picture, map, context.at, false);
      if (reference) {
        render::reference_draw_masked(context.canvas, area, mask_sampling, picture_sampling, light);
        break;
      }
      // The mask stays where it is: resampled once and kept, lit too.
      render::Still& window = cache_->resampled(mask_sampling, area);
      draw_masked(context.canvas, window.ready(window.pixels, area.x0, area.y0),
                  cache_->lit(window, light), picture_sampling, light, cache_->scratch);
      break;
    }
    case kString:
      draw_string(context, state);
      break;
    default:
      break;
  }
}

Canvas render_gauge(Renderer& renderer, const GaugeInstance& instance, int width,
                    const Lighting& lighting, bool hotspots) {
  int background_width = 0, background_height = 0;
  if (!renderer.background_size(instance, background_width, background_height)) {
    throw HostError(instance.name() + ": its background bitmap is missing (" +
                    renderer.bitmaps().error() + ")");
  }
  if (width <= 0) width = background_width;
  const double scale = static_cast<double>(width) / background_width;
  const int height = std::max(1, round_to_int(background_height * scale));
  Canvas canvas(width, height);
  Placement at{0.0, 0.0, scale, scale};
  renderer.draw(instance, canvas, at, lighting);
  if (hotspots) renderer.draw_hotspots(instance, canvas, at);
  return canvas;
}

}  // namespace tavrel::host
