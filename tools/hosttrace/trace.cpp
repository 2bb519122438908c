#include "trace.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <set>

#include "host/state_report.h"
#include "module/element_walk.h"
#include "module/elements.h"

namespace tavrel::hosttrace {
namespace {

// The services table entries the trace wraps, and where they forward to.
constexpr int kWrapped[3] = {kServicePanelWindowToggle, kServiceTriggerKeyEvent, kServiceLookupVar};
void* g_forward[3] = {};
ServiceCalls g_calls;

void TAVREL_STDCALL traced_panel_window_toggle(uint32_t ident) {
  g_calls.toggles.push_back(ident);
  if (g_forward[0]) reinterpret_cast<PanelWindowToggleService>(g_forward[0])(ident);
}

void TAVREL_STDCALL traced_trigger_key_event(uint32_t event, uint32_t value) {
  g_calls.triggers.emplace_back(event, value);
  if (g_forward[1]) reinterpret_cast<TriggerKeyEventService>(g_forward[1])(event, value);
}

void TAVREL_STDCALL traced_lookup_var(ModuleVar* var) {
  g_calls.lookups.push_back(var != nullptr ? var->id : 0);
  if (g_forward[2]) reinterpret_cast<LookupVarService>(g_forward[2])(var);
}

// Values every variable an element reads is set to, one update each: zero,
// small and fractional values, both signs, and the large magnitudes of the
// host's units (Rankine, pounds per square foot, seconds, tank fractions
// times 8388608).
constexpr double kSpread[] = {0.0,    1.0,     -1.0,      0.25,    0.5,      2.5,
                              7.0,    12.75,   33.0,      -47.5,   60.5,     100.0,
                              180.0,  359.9,   540.0,     1013.25, 2116.22,  3582.0,
                              4000.0, 36000.0, 4194304.0, -250.0,  8388608.0};

std::string number(long long v) {
  return std::to_string(v);
}

std::string hex(uint32_t v) {
  static const char kDigits[] = "0123456789abcdef";
  std::string text;
  do {
    text.insert(text.begin(), kDigits[v & 0xF]);
    v >>= 4;
  } while (v != 0);
  return "0x" + text;
}

std::string point(int32_t x, int32_t y) {
  return "(" + number(x) + "," + number(y) + ")";
}

const char* yes_no(const void* pointer) {
  return pointer != nullptr ? "yes" : "no";
}

// The source variables an element names, in record order.
std::vector<uint32_t> source_tokens(const ElementHeader* e) {
  std::vector<uint32_t> tokens;
  auto vars = source_vars(*e);
  for (int i = 0; i < vars.count; ++i) tokens.push_back(vars.vars[i]->id);
  return tokens;
}

std::string type_parameters(const ElementHeader* e) {
  std::string t;
  auto tokens = [&] {
    std::string list;
    for (uint32_t token : source_tokens(e)) list += (list.empty() ? "" : ",") + number(token);
    return " vars=[" + list + "]";
  };
  switch (e->element_type) {
    case kNeedle: {
      auto* n = element_as<NeedleElement>(e);
      t += tokens() + " callback=" + yes_no(reinterpret_cast<const void*>(n->callback));
      t += " table=[";
      for (int i = 0; n->nonlinearity != nullptr && i < n->nonlinearity_count && i < 256; ++i) {
        const NonlinearityEntry& entry = n->nonlinearity[i];
        t += (i ? " " : "") + point(entry.point.x, entry.point.y) + "=" + fixed(entry.value);
      }
      t += "] speed=" + fixed(n->max_degrees_per_tick);
      break;
    }
    case kString: {
      auto* s = element_as<StringElement>(e);
      std::string face(s->font.face_name, strnlen(s->font.face_name, sizeof s->font.face_name));
      t += tokens() + " box=" + point(s->box_size.x, s->box_size.y);
      t += " colours=" + hex(s->foreground_color) + "/" + hex(s->background_color) + "/" +
           hex(s->highlight_color);
      t += " font=" + host::quote_text(face) + "/" + number(s->font.weight) + "/" +
           number(s->font.char_set) + " text_flags=" + hex(s->text_flags) +
           " chars=" + number(s->char_count) +
           " callback=" + yes_no(reinterpret_cast<const void*>(s->callback));
      break;
    }
    case kSlider: {
      auto* s = element_as<SliderElement>(e);
      t += tokens() + " callbacks=" + yes_no(reinterpret_cast<const void*>(s->x.callback)) + "/" +
           yes_no(reinterpret_cast<const void*>(s->y.callback)) + " scales=" + fixed(s->x.scale) +
           "/" + fixed(s->y.scale);
      break;
    }
    case kIcon: {
      auto* i = element_as<IconElement>(e);
      t += tokens() + " callback=" + yes_no(reinterpret_cast<const void*>(i->callback)) +
           " switch=" + number(i->switch_type) + " count=" + number(i->icon_count) +
           " scale=" + fixed(i->scale) + " offset=" + number(i->offset);
      break;
    }
    case kMovingImage: {
      auto* m = element_as<MovingImageElement>(e);
      t += tokens() + " callbacks=" + yes_no(reinterpret_cast<const void*>(m->x.callback)) + "/" +
           yes_no(reinterpret_cast<const void*>(m->y.callback)) + " x=" + fixed(m->x.minimum) +
           ".." + fixed(m->x.maximum) + " y=" + fixed(m->y.minimum) + ".." + fixed(m->y.maximum);
      break;
    }
    case kSprite: {
      auto* s = element_as<SpriteElement>(e);
      t += tokens() + " texture_scale=" + fixed(s->texture_scale_x) + "/" +
           fixed(s->texture_scale_y) +
           " callbacks=" + yes_no(reinterpret_cast<const void*>(s->x.callback)) + "/" +
           yes_no(reinterpret_cast<const void*>(s->y.callback)) + "/" +
           yes_no(reinterpret_cast<const void*>(s->rotation.callback)) +
           " scales=" + fixed(s->x.scale) + "/" + fixed(s->y.scale) + "/" +
           fixed(s->rotation.scale);
      break;
    }
    default:
      break;
  }
  return t;
}

// The points clicked in a child's box: its centre and its four corners.
std::vector<PixPoint> box_points(const PixBox& box) {
  int32_t right = box.x + std::max(box.width, 1) - 1;
  int32_t bottom = box.y + std::max(box.height, 1) - 1;
  return {{box.x + box.width / 2, box.y + box.height / 2},
          {box.x, box.y},
          {right, box.y},
          {box.x, bottom},
          {right, bottom}};
}

// A 5 x 5 grid over the gauge's background, edges included.
std::vector<PixPoint> grid_points(int width, int height) {
  std::vector<PixPoint> points;
  for (int j = 0; j < 5; ++j) {
    for (int i = 0; i < 5; ++i) {
      points.push_back({std::min(width - 1, width * i / 4), std::min(height - 1, height * j / 4)});
    }
  }
  return points;
}

}  // namespace

const std::vector<std::string>& parameter_strings() {
  // The registration text and colours, the hotspot keys (background,
  // tooltip, panel open, click actions) and a font name.
  static const std::vector<std::string> strings = {
      "",
      "tF_GTAV r200 g100 b1310 hTOGGLE_GPS_WINDOW aGPS_PANEL o50 c75 p-2 fDejaVu Sans",
  };
  return strings;
}

std::string fixed(double value) {
  if (std::isnan(value)) return "nan";
  if (std::isinf(value)) return value > 0 ? "inf" : "-inf";
  double magnitude = std::fabs(value);
  if (magnitude >= 9.0e18) return value > 0 ? "huge" : "-huge";
  if (magnitude >= 9.0e12) return number(std::llround(value)) + ".000000";
  long long micro = std::llround(value * 1e6);
  if (micro == 0) return "0.000000";
  unsigned long long m = micro < 0 ? -static_cast<unsigned long long>(micro) : micro;
  std::string fraction = std::to_string(m % 1000000);
  fraction.insert(0, 6 - fraction.size(), '0');
  return (micro < 0 ? "-" : "") + std::to_string(m / 1000000) + "." + fraction;
}

Tracer::Tracer(host::Host& host) : host_(host) {
  void** table = host_.services_table();
  for (int i = 0; i < 3; ++i) {
    saved_[i] = table[kWrapped[i]];
    g_forward[i] = saved_[i];
  }
  table[kServicePanelWindowToggle] = reinterpret_cast<void*>(&traced_panel_window_toggle);
  table[kServiceTriggerKeyEvent] = reinterpret_cast<void*>(&traced_trigger_key_event);
  table[kServiceLookupVar] = reinterpret_cast<void*>(&traced_lookup_var);
  g_calls = {};
}

Tracer::~Tracer() {
  void** table = host_.services_table();
  for (int i = 0; i < 3; ++i) {
    table[kWrapped[i]] = saved_[i];
    g_forward[i] = nullptr;
  }
}

const ServiceCalls& Tracer::service_calls() const {
  return g_calls;
}

void Tracer::line(const std::string& text) {
  out_ += text;
  out_ += '\n';
}

void Tracer::report_calls() {
  std::string calls;
  for (; lookups_seen_ < g_calls.lookups.size(); ++lookups_seen_) {
    calls += " " + number(g_calls.lookups[lookups_seen_]);
  }
  if (!calls.empty()) line("  lookup_var" + calls);
  calls.clear();
  for (; triggers_seen_ < g_calls.triggers.size(); ++triggers_seen_) {
    auto [event, value] = g_calls.triggers[triggers_seen_];
    calls += " " + number(event) + "/" + number(value);
  }
  if (!calls.empty()) line("  trigger_key_event" + calls);
  calls.clear();
  for (; toggles_seen_ < g_calls.toggles.size(); ++toggles_seen_) {
    calls += " " + number(g_calls.toggles[toggles_seen_]);
  }
  if (!calls.empty()) line("  panel_window_toggle" + calls);

  std::string fired;
  for (const host::FiredEvent& event : host_.fired()) {
    fired += " " + number(event.event) + "/" + number(event.value);
  }
  if (!fired.empty()) line("  fired" + fired);
  host_.clear_fired();
}

void Tracer::report_states(const host::GaugeInstance& instance) {
  int index = 0;
  for (const host::ElementState& s : instance.elements()) {
    const ElementHeader* e = s.element;
    std::string t = "  e" + number(index++) + " " + element_type_name(e->element_type) +
                    " id=" + number(e->resource_id);
    if (s.frozen) t += " frozen";
    switch (e->element_type) {
      case kNeedle:
        t += " value=" + fixed(s.value) + " bearing=" + fixed(s.needle_bearing);
        break;
      case kString:
        t += " value=" + fixed(s.value) + " text=" + host::quote_text(s.text);
        break;
      case kSlider:
        t += " value=" + fixed(s.value) + " offset=" + point(s.slider_offset.x, s.slider_offset.y);
        break;
      case kIcon:
        t += " value=" + fixed(s.value) + " index=" + number(s.icon_index);
        break;
      case kMovingImage:
        t += " value=" + fixed(s.value) + " fraction=" + fixed(s.moving_fraction_x) + "/" +
             fixed(s.moving_fraction_y) + " offset=" +
             (s.moving_offset ? point(s.moving_offset->x, s.moving_offset->y) : "none");
        break;
      case kSprite:
        t += " value=" + fixed(s.value) + " centre=(" + fixed(s.sprite_center_x) + "," +
             fixed(s.sprite_center_y) + ") turn=" + fixed(s.sprite_rotation);
        break;
      default:
        break;
    }
    line(t);
  }
}

void Tracer::report_step(host::GaugeInstance& instance, const std::string& what, bool update) {
  line(" " + what);
  if (update) host_.update();
  report_calls();
  if (update) report_states(instance);
}

void Tracer::describe_records(host::GaugeInstance& instance) {
  const GaugeHeader* h = instance.header();
  line(" records size_x_mm=" + number(h->size_x_mm) + " size_y_mm=" + number(h->size_y_mm) +
       " adjust=" + fixed(h->x_adjust) + "/" + fixed(h->y_adjust) +
       " callback=" + yes_no(reinterpret_cast<const void*>(h->gauge_callback)) +
       " user_data=" + number(h->user_data) + " usage=" + number(h->usage));
  // The instance's own records, as its install step left them.
  int index = 0;
  for_each_element(*h, [&](const ElementHeader& element, int depth) {
    const ElementHeader* e = &element;
    std::string t = "  e" + number(index++) + " depth=" + number(depth) + " " +
                    element_type_name(e->element_type) + " id=" + number(e->resource_id) +
                    " pos=" + point(e->position.x, e->position.y) +
                    " offset=" + point(e->offset.x, e->offset.y) + " flags=" + hex(e->image_flags) +
                    " special=" + number(e->aircraft_special_instrumentation) + " failures=[";
    for (int i = 0; e->failures != nullptr && i < 64 && e->failures[i].system != 0; ++i) {
      t += (i ? " " : "") + number(e->failures[i].system) + "/" + number(e->failures[i].action);
    }
    line(t + "]" + type_parameters(e));
  });
  const MouseRect* list = h->mouse_rect;
  for (int i = 0; list != nullptr && i < 1024; ++i) {
    const MouseRect& r = list[i];
    line("  mouse" + number(i) + " type=" + number(r.type) + " box=" + point(r.box.x, r.box.y) +
         "+" + point(r.box.width, r.box.height) + " cursor=" + number(r.cursor) + " help=" +
         number(r.help_id) + " flags=" + hex(r.mouse_flags) + " event=" + number(r.event_id) +
         " function=" + yes_no(reinterpret_cast<const void*>(r.function)) +
         " api=" + number(r.api_data));
    if (r.type == kMouseEnd) break;
  }
}

void Tracer::run_gauge(const GaugeHeader& gauge, const std::string& parameters) {
  std::string name = gauge.name != nullptr ? gauge.name : "";
  line("gauge " + host::quote_text(name) + " parameters " + host::quote_text(parameters));
  host_.clear_fired();
  host::GaugeInstance& instance = host_.place(name, parameters);
  report_step(instance, "placed", false);
  describe_records(instance);

  // The variables the elements name, and those the module looks up.
  std::set<uint32_t> tokens;
  std::set<uint32_t> failures;
  for (const host::ElementState& s : instance.elements()) {
    for (uint32_t token : source_tokens(s.element)) {
      if (token != 0) tokens.insert(token);
    }
    const FailureRecord* list = s.element->failures;
    for (int i = 0; list != nullptr && i < 64 && list[i].system != 0; ++i) {
      failures.insert(list[i].system);
    }
  }
  auto learn_lookups = [&] {
    for (uint32_t token : g_calls.lookups) tokens.insert(token);
  };
  learn_lookups();

  auto set_all = [&](double value) {
    for (uint32_t token : tokens) host_.variables().set(token, value);
  };
  for (double value : kSpread) {
    set_all(value);
    report_step(instance, "update all=" + fixed(value), true);
    learn_lookups();
  }
  // Every variable a different value.
  int k = 0;
  for (uint32_t token : tokens) host_.variables().set(token, 10.0 * ++k + 0.5);
  report_step(instance, "update ramp", true);
  learn_lookups();

  for (uint32_t system : failures) {
    host_.set_failure(system, true);
    set_all(1.0);
    report_step(instance, "update failure=" + number(system), true);
    host_.set_failure(system, false);
  }

  set_all(0.0);
  report_step(instance, "update all=0", true);
  for (const host::MouseArea& area : instance.mouse().areas()) {
    if (area.record->type != kMouseChild) continue;
    const MouseRect& r = *area.record;
    host::ClickOptions options;
    if (r.mouse_flags & kMouseRepeatWhileHeld) options.hold = 3;
    for (PixPoint p : box_points(area.box)) {
      host::ClickResult result = instance.click(p.x, p.y, options);
      report_step(instance,
                  "click mouse" + number(area.index) + " at " + point(p.x, p.y) +
                      " hit=" + (result.child ? "mouse" + number(result.child->index) : "none") +
                      " calls=" + number(result.calls),
                  true);
    }
    if (r.mouse_flags & kMouseDrag) {
      PixPoint centre = box_points(area.box)[0];
      const PixBox& b = area.box;
      for (PixPoint to : {PixPoint{centre.x, b.y}, PixPoint{centre.x, b.y + b.height - 1},
                          PixPoint{centre.x, b.y - 10}, PixPoint{centre.x, b.y + b.height + 10}}) {
        options.drag_to = to;
        host::ClickResult result = instance.click(centre.x, centre.y, options);
        report_step(instance,
                    "drag mouse" + number(area.index) + " to " + point(to.x, to.y) +
                        " calls=" + number(result.calls),
                    true);
      }
    }
  }

  // Clicks and tooltips over the whole background, and at every parent.
  int width = 0, height = 0;
  host_.bitmap_size(instance.root() != nullptr ? instance.root()->resource_id : -1, width, height);
  line(" background " + number(width) + "x" + number(height));
  std::vector<PixPoint> hover = grid_points(std::max(width, 1), std::max(height, 1));
  for (const host::MouseArea& area : instance.mouse().areas()) {
    if (area.record->type == kMouseParent && !area.whole_gauge) {
      hover.push_back(box_points(area.box)[0]);
    }
  }
  std::string tips;
  for (PixPoint p : hover)
    tips += " " + point(p.x, p.y) + "=" + number(instance.tooltip_at(p.x, p.y));
  line(" tooltips" + tips);
  for (PixPoint p : grid_points(std::max(width, 1), std::max(height, 1))) {
    host::ClickResult result = instance.click(p.x, p.y);
    if (result.child == nullptr) continue;
    report_step(instance,
                "click at " + point(p.x, p.y) + " hit=mouse" + number(result.child->index), true);
  }

  host_.close_window(panel_window::kMain);
  host_.open_window(panel_window::kMain);
  report_step(instance, "panel reopened", true);

  host_.remove(instance);
  line(" removed");
  report_calls();
}

void Tracer::run_all() {
  std::vector<GaugeHeader*> gauges = host_.gauges();
  line("module gauges=" + number(static_cast<long long>(gauges.size())));
  for (const GaugeHeader* gauge : gauges) {
    for (const std::string& parameters : parameter_strings()) run_gauge(*gauge, parameters);
  }
}

}  // namespace tavrel::hosttrace
