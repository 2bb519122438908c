#include "host/render/pictures.h"

namespace tavrel::host::render {
namespace {

Runs::Kind kind_of(uint32_t p) {
  return p == 0 ? Runs::kClear : (p >> 24) == 255 ? Runs::kOpaque : Runs::kMixed;
}

template <bool kLit>
void draw_ready_rows(Canvas& canvas, const IntRect& inside, const Ready& picture,
                     const Lamp light) {
  const int c0 = inside.x0 - picture.x, c1 = inside.x1 - picture.x;
  for (int y = inside.y0; y < inside.y1; ++y) {
    const int r = y - picture.y;
    const uint32_t* from = picture.pixels + static_cast<size_t>(r) * picture.width;
    uint32_t* to = canvas.row(y);
    const int dx = picture.x;
    for (size_t i = picture.runs->rows[r]; i < picture.runs->rows[r + 1]; ++i) {
      const Runs::Run& run = picture.runs->runs[i];
      const int b = std::max(run.begin, c0), e = std::min(run.end, c1);
      if (b >= e || run.kind == Runs::kClear) continue;
      if (run.kind == Runs::kOpaque) {
        if (kLit) {
          for (int c = b; c < e; ++c) to[c + dx] = apply_light(from[c], light);
        } else {
          std::copy(from + b, from + e, to + b + dx);
        }
      } else {
        for (int c = b; c < e; ++c) {
          to[c + dx] = over(to[c + dx], apply_light(from[c], light));
        }
      }
    }
  }
}

template <bool kLit>
void blend_row(uint32_t* to, const uint32_t* from, int count, const Lamp light) {
  for (int k = 0; k < count; ++k) to[k] = over(to[k], apply_light(from[k], light));
}

template <bool kLit>
void draw_sampled_rows(Canvas& canvas, const IntRect& area, const Sampling& sampling,
                       const Lamp light, uint32_t* samples) {
  const Surface::Level& level = *sampling.level;
  for (int y = area.y0; y < area.y1; ++y) {
    // The sample position at x = 0 of the row.
    const int64_t u = sampling.bu * y + sampling.cu, v = sampling.bv * y + sampling.cv;
    int64_t x0 = area.x0, x1 = area.x1;
    if (!sampling.clamp) {
      // Only the columns whose sample can touch the picture: the others
      // are clear.
      keep_within(u, sampling.au, -0x10000, (int64_t{level.width} << 16) - 1, x0, x1);
      keep_within(v, sampling.av, -0x10000, (int64_t{level.height} << 16) - 1, x0, x1);
    }
    if (x1 <= x0) continue;
    const int count = static_cast<int>(x1 - x0);
    sample_row(level, u + sampling.au * x0, v + sampling.av * x0, sampling.au, sampling.av, count,
               sampling.clamp, samples);
    blend_row<kLit>(canvas.row(y) + x0, samples, count, light);
  }
}

template <bool kLit>
void draw_masked_rows(Canvas& canvas, const Ready& mask, const uint32_t* lit_mask,
                      const Sampling& picture, const Lamp light, uint32_t* behind) {
  for (int r = 0; r < mask.height; ++r) {
    const int y = mask.y + r;
    const size_t start = static_cast<size_t>(r) * mask.width;
    const uint32_t* m = mask.pixels + start;
    uint32_t* to = canvas.row(y) + mask.x;
    const int64_t pu = picture.au * mask.x + picture.bu * y + picture.cu;
    const int64_t pv = picture.av * mask.x + picture.bv * y + picture.cv;
    for (size_t i = mask.runs->rows[r]; i < mask.runs->rows[r + 1]; ++i) {
      const Runs::Run& run = mask.runs->runs[i];
      const int b = run.begin, n = run.end - run.begin;
      if (run.kind == Runs::kOpaque) {
        // The mask hides the picture.
        if (!kLit) {
          std::copy(m + b, m + run.end, to + b);
        } else if (lit_mask != nullptr) {
          std::copy(lit_mask + start + b, lit_mask + start + run.end, to + b);
        } else {
          for (int c = b; c < run.end; ++c) to[c] = apply_light(m[c], light);
        }
        continue;
      }
      sample_row(*picture.level, pu + picture.au * b, pv + picture.av * b, picture.au, picture.av,
                 n, picture.clamp, behind);
      if (run.kind == Runs::kClear) {
        blend_row<kLit>(to + b, behind, n, light);
      } else {
        for (int k = 0; k < n; ++k) {
          const uint32_t over_picture = m[b + k] + scale_pixel(behind[k], 255 - (m[b + k] >> 24));
          to[b + k] = over(to[b + k], apply_light(over_picture, light));
        }
      }
    }
  }
}

}  // namespace

Runs find_runs(const uint32_t* pixels, int width, int height) {
  Runs out;
  out.rows.reserve(static_cast<size_t>(height) + 1);
  for (int y = 0; y < height; ++y) {
    out.rows.push_back(out.runs.size());
    const uint32_t* row = pixels + static_cast<size_t>(y) * width;
    for (int x = 0; x < width;) {
      Runs::Kind kind = kind_of(row[x]);
      int end = x + 1;
      while (end < width && kind_of(row[end]) == kind) ++end;
      if (end - x < kShortestRun) kind = Runs::kMixed;
      const bool joins = out.runs.size() > out.rows.back() && out.runs.back().kind == Runs::kMixed;
      if (kind == Runs::kMixed && joins) {
        out.runs.back().end = end;
      } else {
        out.runs.push_back({x, end, kind});
      }
      x = end;
    }
  }
  out.rows.push_back(out.runs.size());
  return out;
}

void draw_ready(Canvas& canvas, const IntRect& area, const Ready& picture, const Light& light) {
  // Only the rows and columns that fall on the picture.
  const IntRect inside =
      area.meet({picture.x, picture.y, picture.x + picture.width, picture.y + picture.height});
  if (inside.empty()) return;
  const Lamp lamp(light);
  if (lamp.neutral) {
    draw_ready_rows<false>(canvas, inside, picture, lamp);
  } else {
    draw_ready_rows<true>(canvas, inside, picture, lamp);
  }
}

void draw_sampled(Canvas& canvas, const IntRect& area, const Sampling& sampling, const Light& light,
                  std::vector<uint32_t>& scratch) {
  scratch.resize(static_cast<size_t>(area.x1 - area.x0));
  const Lamp lamp(light);
  if (lamp.neutral) {
    draw_sampled_rows<false>(canvas, area, sampling, lamp, scratch.data());
  } else {
    draw_sampled_rows<true>(canvas, area, sampling, lamp, scratch.data());
  }
}

void draw_masked(Canvas& canvas, const Ready& mask, const uint32_t* lit_mask,
                 const Sampling& picture, const Light& light, std::vector<uint32_t>& scratch) {
  scratch.resize(static_cast<size_t>(mask.width));
  const Lamp lamp(light);
  if (lamp.neutral) {
    draw_masked_rows<false>(canvas, mask, lit_mask, picture, lamp, scratch.data());
  } else {
    draw_masked_rows<true>(canvas, mask, lit_mask, picture, lamp, scratch.data());
  }
}

}  // namespace tavrel::host::render
