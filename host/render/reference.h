// The reference drawing: every canvas pixel of an element's area sampled on
// its own and blended on its own, with no runs, no kept pictures and no
// wide words, through the same pixel arithmetic as the fast drawing. It is
// slow and plain on purpose: the fast drawing must give the same pixels.
#pragma once

#include <cstdint>

#include "host/render.h"
#include "host/render/pixels.h"
#include "host/render/sampling.h"

namespace tavrel::host::render {

// The bilinear sample at a level position, its four pixels fetched one by
// one (clear outside the level, or its edge repeated with `clamp`).
uint32_t reference_sample(const Surface::Level& level, int64_t u, int64_t v, bool clamp);

// A picture over every pixel of `area`.
void reference_draw(Canvas& canvas, const IntRect& area, const Sampling& picture,
                    const Light& light);

// A picture behind a mask, over every pixel of `area` (the mask's
// rectangle).
void reference_draw_masked(Canvas& canvas, const IntRect& area, const Sampling& mask,
                           const Sampling& picture, const Light& light);

}  // namespace tavrel::host::render
