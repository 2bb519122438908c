// Panel window backdrops: a window's background bitmap stretched over the
// window's rectangle, resampled once for it (or, for reference, sampled
// pixel by pixel every time).
#include "host/render.h"
#include "host/render/picture_cache.h"
#include "host/render/pictures.h"
#include "host/render/reference.h"
#include "host/render/sampling.h"

namespace tavrel::host {

Backdrop::Backdrop(const dib::Image& image) : surface_(make_surface(image, true)) {}

Backdrop::~Backdrop() = default;

void Renderer::draw_backdrop(Canvas& canvas, Backdrop& backdrop, const render::IntRect& onto,
                             const Lighting& lighting, const render::IntRect& clip) {
  const render::IntRect area = onto.meet({0, 0, canvas.width(), canvas.height()}).meet(clip);
  if (area.empty() || backdrop.width() <= 0 || backdrop.height() <= 0) return;
  render::PictureMap map;
  map.scale_x = static_cast<double>(onto.x1 - onto.x0) / backdrop.width();
  map.scale_y = static_cast<double>(onto.y1 - onto.y0) / backdrop.height();
  const Placement at{static_cast<double>(onto.x0), static_cast<double>(onto.y0), 1.0, 1.0};
  // Clamped at its edges: the picture covers the whole rectangle.
  const render::Sampling sampling = render::make_sampling(backdrop.surface_, map, at, true);
  const Light light = light_for(0, lighting);
  // Zoomed far in, the whole picture at the canvas's scale would dwarf
  // the canvas: it is sampled where it shows instead.
  const double onto_pixels = double(onto.x1 - onto.x0) * double(onto.y1 - onto.y0);
  if (mode_ == RenderMode::kReference ||
      onto_pixels > 4.0 * double(canvas.width()) * double(canvas.height())) {
    render::reference_draw(canvas, area, sampling, light);
    return;
  }
  render::Still* ready = backdrop.ready_.get();
  if (ready == nullptr || backdrop.ready_over_.x0 != onto.x0 ||
      backdrop.ready_over_.y0 != onto.y0 || backdrop.ready_over_.x1 != onto.x1 ||
      backdrop.ready_over_.y1 != onto.y1) {
    auto still = std::make_unique<render::Still>();
    still->own = render::resample(sampling, onto);
    still->pixels = still->own.data();
    still->width = onto.x1 - onto.x0;
    still->height = onto.y1 - onto.y0;
    still->runs = render::find_runs(still->pixels, still->width, still->height);
    backdrop.ready_ = std::move(still);
    backdrop.ready_over_ = onto;
    ready = backdrop.ready_.get();
  }
  size_t lit_pixels = 0;
  draw_ready(canvas, area, ready->ready(ready->under(light, lit_pixels), onto.x0, onto.y0),
             Light{});
}

}  // namespace tavrel::host
