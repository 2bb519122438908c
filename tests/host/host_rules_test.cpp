// The stand-in host's rules on hand-made gauges: instances, life-cycle
// services, variables, key events, panel windows, failures and draw states.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "host/host.h"
#include "host/key_events.h"
#include "module/builders.h"
#include "tests/host/fake_module.h"

namespace tavrel {
namespace {
using namespace build;

// What the hand-made gauges' callbacks saw.
struct Journal {
  std::vector<std::pair<std::string, uint32_t>> services;  // gauge name, service id
  std::vector<std::string> parameters;
  uintptr_t install_extra = 0;
  std::vector<ClickPoint> clicks;
  std::vector<uint32_t> click_flags;
  double looked_up = 0;
};
Journal journal;

// ---- gauge "Probe": one element of every type ---------------------------

extern GaugeHeader probe;

void TAVREL_STDCALL probe_callback(GaugeHeader* gauge, uint32_t service, uintptr_t extra) {
  journal.services.push_back({gauge->name, service});
  journal.parameters.push_back(gauge->parameters ? gauge->parameters : "<null>");
  if (service == kServiceInstall) {
    journal.install_extra = extra;
    // Install steps rewrite their own instance's records.
    gauge->element_list[0]->resource_id = 999;
    if (gauge->parameters) gauge->parameters[0] = '#';
  }
}

double TAVREL_STDCALL doubled(ElementHeader* e) {
  return element_as<NeedleElement>(e)->source_var.var_value.number * 2;
}

double TAVREL_STDCALL looks_up_altitude(ElementHeader*) {
  ModuleVar var{};
  var.id = 500;
  auto lookup = reinterpret_cast<LookupVarService>(
      static_cast<void**>(host::Host::current()->services_table())[kServiceLookupVar]);
  lookup(&var);
  journal.looked_up = var.var_value.number;
  return var.var_value.number;
}

double TAVREL_STDCALL writes_long_text(ElementHeader* e) {
  auto* s = element_as<StringElement>(e);
  // A callback that respects the buffer: at most char_count characters.
  const char* text = "ABCDEFGHIJ";
  std::strncpy(s->text, text, s->char_count);
  return 0;
}

FailureList<1> needle_failures = failures({20, 1});
NonlinearityEntry quarter_turn[] = {entry(100, 0, 0), entry(200, 100, 90)};

NeedleElement table_needle =
    needle(probe, {.bitmap = 11, .position = {100, 100}, .failures = needle_failures},
           {.var = 101, .callback = doubled, .table = table(quarter_turn)});
NeedleElement bare_needle = needle(probe, {.bitmap = 12, .position = {100, 100}}, {.var = 102});
NeedleElement lookup_needle =
    needle(probe, {.bitmap = 12, .position = {100, 100}}, {.callback = looks_up_altitude});
SliderElement slide =
    slider(probe, {.bitmap = 13}, {.var = 103, .scale = 2.5}, {.var = 104, .scale = -1});
IconElement lamp = icon(probe, {.bitmap = 20}, {.var = 105, .count = 3});
MovingImageElement tape = moving_image(probe, {.bitmap = 30, .position = {10, 10}},
                                       {.var = 106, .minimum = 0, .maximum = 100},
                                       {.var = 107, .minimum = 50, .maximum = 50});
SpriteElement card = sprite(probe, {.bitmap = 40, .position = {50, 50}, .offset = {100, 100}},
                            {.x = {.var = 108, .scale = 0.5},
                             .y = {.var = 109, .scale = 2},
                             .rotation = {.var = 110, .scale = -1}});
StringElement label = string_element(
    probe, {.bitmap = -1}, {.box = {40, 10}, .char_count = 4, .callback = writes_long_text});
IconElement selector = icon(probe, {.bitmap = 50}, {.var = 307, .count = 4});

ElementHeader* probe_children[] = {&table_needle.header,  &bare_needle.header,
                                   &lookup_needle.header, &slide.header,
                                   &lamp.header,          &tape.header,
                                   &card.header,          &label.header,
                                   &selector.header,      nullptr};
StaticImageElement probe_face = static_image(probe, {.bitmap = 10, .children = probe_children});
ElementHeader* probe_root[] = {&probe_face.header};

int32_t TAVREL_STDCALL record_click(ClickPoint* point, uint32_t flags) {
  journal.clicks.push_back(*point);
  journal.click_flags.push_back(flags);
  return 0;
}

MouseRect probe_mouse[] = {
    outer_parent(1),
    click({.box = {0, 0, 10, 10}, .cursor = kCursorHand, .flags = kClickRepeat, .event = 66241}),
    click({.box = {100, 100, 20, 30},
           .cursor = kCursorHand,
           .flags = kClickDrag,
           .function = record_click}),
    click({.box = {20, 0, 10, 10},
           .cursor = kCursorHand,
           .flags = kClick,
           .event = key_event::kPanelWindowToggle}),
    click({.box = {40, 0, 10, 10},
           .cursor = kCursorHand,
           .flags = kClickRepeat,
           .event = 66300}),  // the starter
    click({.box = {110, 0, 40, 10},
           .cursor = kCursorHand,
           .flags = kClick,
           .event = 65001}),  // reaches past the background
    close_parent(),
    end_of_list(),
};

GaugeHeader probe = gauge_header({.name = "Probe",
                                  .size_x_mm = 50,
                                  .root = probe_root,
                                  .mouse = probe_mouse,
                                  .callback = probe_callback});

class HostRules : public ::testing::Test {
 protected:
  HostRules() {
    journal = Journal{};
    auto module = std::make_unique<testing::FakeModule>(std::vector<GaugeHeader*>{&probe});
    module->add_bitmap(30, 80, 200);  // the tape picture, larger than its mask
    module->add_bitmap(31, 40, 50);
    module->add_bitmap(999, 120, 130);  // the background the install step chooses
    host = std::make_unique<host::Host>(std::move(module));
  }
  const host::ElementState& state(int resource_id, int nth = 0) {
    for (const host::ElementState& s : instance->elements()) {
      if (s.element->resource_id == resource_id && nth-- == 0) return s;
    }
    throw std::runtime_error("no element " + std::to_string(resource_id));
  }
  std::unique_ptr<host::Host> host;
  host::GaugeInstance* instance = nullptr;
};

TEST_F(HostRules, ServicesComeInLifeCycleOrder) {
  instance = &host->place("Probe", "abc");
  host->update();
  host->update();
  host->remove(*instance);
  std::vector<uint32_t> seen;
  for (auto& [name, service] : journal.services) seen.push_back(service);
  EXPECT_EQ(seen, (std::vector<uint32_t>{2, 16, 6, 6, 12}));
  EXPECT_EQ(journal.install_extra, 0x1234u);  // the module handle
  // The gauge saw its instance's parameter string.
  EXPECT_EQ(journal.parameters[0], "abc");
}

TEST_F(HostRules, EachInstanceHasItsOwnRecordsAndWritableParameters) {
  host::GaugeInstance& first = host->place("Probe", "first");
  host::GaugeInstance& second = host->place("Probe");
  EXPECT_EQ(first.root()->resource_id, 999);     // the install rewrote its copy...
  EXPECT_EQ(probe_face.header.resource_id, 10);  // ...not the module's record
  EXPECT_EQ(first.parameters(), "#irst");
  EXPECT_EQ(second.header()->parameters, nullptr);  // no string: null, as the host gives
  EXPECT_NE(first.header(), second.header());
  EXPECT_EQ(first.root()->gauge, first.header());  // elements point at their instance
  EXPECT_EQ(probe.parameters, nullptr);
}

TEST_F(HostRules, UnknownGaugeIsAnError) {
  EXPECT_THROW(host->place("probe"), host::HostError);  // names match exactly
  EXPECT_THROW(host->place(""), host::HostError);
  EXPECT_EQ(host->find_gauge("Probe"), &probe);
}

TEST_F(HostRules, NeedlesFollowTheirTablesCallbacksAndLookups) {
  instance = &host->place("Probe");
  host->variables().set(101, 22.5);  // doubled to 45: halfway round the quarter turn
  host->variables().set(102, 270);
  host->variables().set(500, 1234.5);
  host->update();
  EXPECT_DOUBLE_EQ(state(11).value, 45);
  EXPECT_DOUBLE_EQ(state(11).needle_bearing, 45);
  EXPECT_DOUBLE_EQ(state(12).needle_bearing, 270);
  EXPECT_DOUBLE_EQ(journal.looked_up, 1234.5);
  EXPECT_DOUBLE_EQ(state(12, 1).needle_bearing, 1234.5);
}

TEST_F(HostRules, SlidersIconsMovingImagesAndSprites) {
  instance = &host->place("Probe");
  host::VariableStore& vars = host->variables();
  vars.set(103, 3.3);  // 8.25 px -> 8
  vars.set(104, 7.6);  // -7.6 px -> -8
  vars.set(105, 2.9);  // icon 2
  vars.set(106, 25);   // a quarter along x
  vars.set(107, 99);   // minimum == maximum: stays at 0
  vars.set(108, 10);
  vars.set(109, -3);
  vars.set(110, 30);
  host->update();
  EXPECT_EQ(state(13).slider_offset.x, 8);
  EXPECT_EQ(state(13).slider_offset.y, -8);
  EXPECT_EQ(state(20).icon_index, 2);
  EXPECT_DOUBLE_EQ(state(30).moving_fraction_x, 0.25);
  EXPECT_DOUBLE_EQ(state(30).moving_fraction_y, 0.0);
  ASSERT_TRUE(state(30).moving_offset.has_value());
  EXPECT_EQ(state(30).moving_offset->x, -10);  // a quarter of (80 - 40)
  EXPECT_EQ(state(30).moving_offset->y, 0);
  EXPECT_DOUBLE_EQ(state(40).sprite_center_x, 105);
  EXPECT_DOUBLE_EQ(state(40).sprite_center_y, 94);
  EXPECT_DOUBLE_EQ(state(40).sprite_rotation, -30);

  vars.set(107, 0);
  vars.set(106, 250);  // clamped to the end
  host->update();
  EXPECT_DOUBLE_EQ(state(30).moving_fraction_x, 1.0);
}

TEST_F(HostRules, IconsOutsideTheirRunDrawNothing) {
  instance = &host->place("Probe");
  for (double v : {-0.5, -1.0, 3.0, 17.0, std::nan(""), std::numeric_limits<double>::infinity()}) {
    host->variables().set(105, v);
    host->update();
    int expected = (v > -1 && v < 0) ? 0 : -1;  // -0.5 truncates toward zero: icon 0
    EXPECT_EQ(state(20).icon_index, expected) << v;
  }
}

TEST_F(HostRules, MovingImageOffsetsFollowTheBitmapSizes) {
  instance = &host->place("Probe");
  // The 80x200 picture slides behind its 40x50 mask: at the end of the
  // range its right edge meets the mask's; with no vertical range it stays
  // top-aligned.
  host->variables().set(106, 100);
  host->update();
  EXPECT_EQ(state(30).moving_offset->x, -40);
  EXPECT_EQ(state(30).moving_offset->y, 0);
}

TEST_F(HostRules, EnumeratedVariablesHoldAnIntegerInTheirFirstFourBytes) {
  instance = &host->place("Probe");
  host->variables().set(307, 3.7);
  EXPECT_EQ(host->variables().raw(307).integer, 3);
  host->update();
  EXPECT_EQ(state(50).icon_index, 3);
  ModuleVar var{};
  var.id = 307;
  host->variables().fill(var);
  EXPECT_EQ(var.var_value.integer, 3);
}

TEST_F(HostRules, StringCallbacksWriteIntoABufferOfCharCountPlusOne) {
  instance = &host->place("Probe");
  host->update();
  EXPECT_EQ(state(-1).text, "ABCD");
}

TEST_F(HostRules, ActiveFailuresFreezeOnlyTheElementsThatNameThem) {
  instance = &host->place("Probe");
  host->variables().set(101, 10);
  host->variables().set(102, 10);
  host->update();
  host->set_failure(20, true);
  host->variables().set(101, 40);
  host->variables().set(102, 40);
  host->update();
  EXPECT_TRUE(state(11).frozen);
  EXPECT_DOUBLE_EQ(state(11).needle_bearing, 20);  // held where it was
  EXPECT_DOUBLE_EQ(state(12).needle_bearing, 40);  // not on the failure list
  host->set_failure(20, false);
  host->update();
  EXPECT_DOUBLE_EQ(state(11).needle_bearing, 80);
}

TEST_F(HostRules, ChildEventsFireAndRepeatWhileHeld) {
  instance = &host->place("Probe");
  host::ClickResult result = instance->click(5, 5, {.hold = 3});
  EXPECT_EQ(result.calls, 4);
  ASSERT_EQ(host->fired().size(), 4u);
  for (const host::FiredEvent& fired : host->fired())
    EXPECT_EQ(fired, (host::FiredEvent{66241, 0}));
  EXPECT_DOUBLE_EQ(host->variables().number(364), 0.0);  // toggled four times
}

TEST_F(HostRules, MouseFunctionsGetARelativePointWithTheirInstanceAndDrags) {
  instance = &host->place("Probe");
  instance->click(105, 110, {.hold = 5, .drag_to = PixPoint{110, 90}});
  ASSERT_EQ(journal.clicks.size(), 2u);  // no repeat flag: held clicks do not repeat
  EXPECT_EQ(journal.clicks[0].x, 5);
  EXPECT_EQ(journal.clicks[0].y, 10);
  EXPECT_EQ(journal.clicks[0].gauge, instance->header());
  EXPECT_EQ(journal.clicks[1].x, 10);
  EXPECT_EQ(journal.clicks[1].y, -10);  // dragged above the box
  EXPECT_EQ(journal.click_flags[1] & kMouseDrag, kMouseDrag);
  EXPECT_TRUE(host->fired().empty());
}

TEST_F(HostRules, ALivePointerPressesRepeatsDragsAndReleasesInSteps) {
  instance = &host->place("Probe");
  // A repeating box: each repeat fires again while the button stays down.
  host::ClickResult pressed = instance->press(5, 5);
  ASSERT_NE(pressed.child, nullptr);
  EXPECT_TRUE(host->button_down());
  EXPECT_EQ(instance->repeat(), 1);
  EXPECT_EQ(instance->repeat(), 1);
  EXPECT_EQ(instance->drag(50, 50), 0);  // this box does not follow drags
  EXPECT_EQ(host->fired().size(), 3u);
  instance->release();
  EXPECT_FALSE(host->button_down());
  EXPECT_EQ(instance->pressed(), nullptr);
  EXPECT_EQ(instance->repeat(), 0);  // released: nothing is held
  EXPECT_EQ(host->fired().size(), 3u);

  // A dragging box: moves arrive relative to the pressed box, repeats do not.
  instance->press(105, 110);
  EXPECT_EQ(instance->repeat(), 0);
  EXPECT_EQ(instance->drag(90, 140), 1);
  instance->release();
  ASSERT_EQ(journal.clicks.size(), 2u);
  EXPECT_EQ(journal.clicks[1].x, -10);
  EXPECT_EQ(journal.clicks[1].y, 40);
  EXPECT_EQ(instance->drag(90, 140), 0);

  // A press on no box holds nothing.
  EXPECT_EQ(instance->press(60, 60).child, nullptr);
  EXPECT_EQ(instance->pressed(), nullptr);
  EXPECT_FALSE(host->button_down());
}

TEST_F(HostRules, TheStarterLetsGoWhenAStepwisePressIsReleased) {
  instance = &host->place("Probe");
  instance->press(45, 5);
  instance->repeat();
  EXPECT_DOUBLE_EQ(host->variables().number(401), 1.0);
  instance->release();
  EXPECT_DOUBLE_EQ(host->variables().number(401), 0.0);
}

TEST_F(HostRules, PanelWindowsOpenCloseToggleAndTellTheirGauges) {
  host::GaugeInstance& sub = host->place("Probe", "", 7);  // a closed window
  EXPECT_FALSE(host->window_open(7));
  host->variables().set(101, 10);
  journal.services.clear();
  host->update();
  EXPECT_DOUBLE_EQ(sub.elements()[1].value, 0.0);  // not updated while closed
  EXPECT_TRUE(journal.services.empty());           // and no service 6
  host->fire(key_event::kPanelWindowOpen, 7);
  EXPECT_TRUE(host->window_open(7));
  ASSERT_EQ(journal.services.size(), 1u);
  EXPECT_EQ(journal.services[0].second, 16u);
  host->update();
  EXPECT_DOUBLE_EQ(sub.elements()[1].value, 20.0);  // open: the needle reads its variable
  journal.services.clear();
  host->fire(key_event::kPanelWindowOpen, 7);  // already open: no second service
  EXPECT_TRUE(journal.services.empty());
  host->fire(key_event::kPanelWindowClose, 7);
  EXPECT_FALSE(host->window_open(7));
  host->fire(key_event::kPanelWindowToggle, 7);
  EXPECT_TRUE(host->window_open(7));
  auto toggle =
      reinterpret_cast<PanelWindowToggleService>(host->services_table()[kServicePanelWindowToggle]);
  toggle(7);
  EXPECT_FALSE(host->window_open(7));
  EXPECT_EQ(host->toggled_windows(), std::vector<uint32_t>{7});
}

TEST_F(HostRules, ServicesTableIsWrittenIntoTheImportTableAndClearedAtUnbind) {
  ImportTableRecord* imports = host->binding().import_table();
  EXPECT_EQ(imports->panels.pointer, host->services_table());
  // The host clears the pointer when it lets the module go: the module's
  // records outlive the host here.
  ImportTableRecord outliving{};
  outliving.panels.id = kPanelsImportId;
  {
    auto module = std::make_unique<testing::FakeModule>(std::vector<GaugeHeader*>{});
    module->use_import_table(&outliving);
    host.reset();
    host::Host second(std::move(module));
    EXPECT_EQ(outliving.panels.pointer, second.services_table());
  }
  EXPECT_EQ(outliving.panels.pointer, nullptr);
  host = std::make_unique<host::Host>(
      std::make_unique<testing::FakeModule>(std::vector<GaugeHeader*>{&probe}));
  auto trigger =
      reinterpret_cast<TriggerKeyEventService>(host->services_table()[kServiceTriggerKeyEvent]);
  trigger(66241, 0);
  EXPECT_DOUBLE_EQ(host->variables().number(364), 1.0);  // the model applied it
  trigger(65000, 42);                                    // unknown: recorded only
  EXPECT_EQ(host->fired().back(), (host::FiredEvent{65000, 42}));
  EXPECT_THROW(
      host::Host second(std::make_unique<testing::FakeModule>(std::vector<GaugeHeader*>{})),
      host::HostError);
}

TEST_F(HostRules, TheWholeGaugeIsItsBackgroundAndNothingOutsideIt) {
  instance = &host->place("Probe");  // the install step made bitmap 999 (120 x 130) the background
  EXPECT_EQ(instance->tooltip_at(0, 0), 1u);
  EXPECT_EQ(instance->tooltip_at(119, 129), 1u);
  for (auto [x, y] : {std::pair{120, 5}, {5, 130}, {-1, 5}, {5, -1}, {500, 500}}) {
    EXPECT_EQ(instance->tooltip_at(x, y), 0u) << x << "," << y;
  }
  // A child that reaches past the background takes clicks only on the part
  // inside it.
  EXPECT_NE(instance->click(119, 5).child, nullptr);
  EXPECT_EQ(instance->click(120, 5).child, nullptr);
  EXPECT_EQ(instance->click(149, 5).child, nullptr);
  EXPECT_EQ(host->fired(), (std::vector<host::FiredEvent>{{65001, 0}}));
}

TEST_F(HostRules, WithoutAKnownBackgroundTheWholeGaugeHoldsEveryPoint) {
  // A gauge whose background the host cannot size (no bitmap 10 here, and
  // no install step to change it in this copy) keeps the whole plane.
  instance = &host->place("Probe");
  instance->root()->resource_id = 10;
  EXPECT_EQ(instance->tooltip_at(500, 500), 1u);
  EXPECT_NE(instance->click(149, 5).child, nullptr);
}

TEST_F(HostRules, AMomentaryButtonIsEngagedWhileHeldAndLetsGoAtTheRelease) {
  instance = &host->place("Probe");
  instance->click(45, 5, {.hold = 2, .release = false});
  EXPECT_TRUE(host->button_down());
  EXPECT_EQ(host->fired().size(), 3u);
  EXPECT_DOUBLE_EQ(host->variables().number(401), 1.0);  // the starter turns while held
  instance->release();
  EXPECT_FALSE(host->button_down());
  EXPECT_DOUBLE_EQ(host->variables().number(401), 0.0);
  // A plain click is a press and a release: engaged for the moment of the
  // click only.
  instance->click(45, 5);
  EXPECT_EQ(host->fired().back(), (host::FiredEvent{66300, 0}));
  EXPECT_DOUBLE_EQ(host->variables().number(401), 0.0);
  // The release lets go only of momentary controls: a switch stays.
  instance->click(5, 5);
  EXPECT_DOUBLE_EQ(host->variables().number(364), 1.0);
}

TEST(VariableStore, TokensOnBothSidesOfTheTableReadBackAndAreListed) {
  host::VariableStore vars;
  const uint32_t last = host::VariableStore::kTableSize - 1, past = last + 1;
  ModuleVar var{};
  var.id = past;
  vars.fill(var);
  EXPECT_DOUBLE_EQ(var.var_value.number, 0.0);  // never set
  for (uint32_t token : {uint32_t{0}, uint32_t{1}, last, past, uint32_t{0xFFFFFFFF}}) {
    vars.set(token, token * 0.5 + 1);
  }
  vars.set(364, 1);
  vars.set(364, -2.5);  // set again: the last value wins on both paths
  vars.set(past, 7.25);
  for (uint32_t token : {uint32_t{0}, uint32_t{1}, last, uint32_t{0xFFFFFFFF}}) {
    EXPECT_DOUBLE_EQ(vars.number(token), token * 0.5 + 1) << token;
  }
  EXPECT_DOUBLE_EQ(vars.number(364), -2.5);
  EXPECT_DOUBLE_EQ(vars.number(past), 7.25);
  EXPECT_DOUBLE_EQ(vars.number(past + 1), 0.0);
  // Enumerated variables hold their integer, read back as a number.
  vars.set(307, 3.9);
  EXPECT_EQ(vars.raw(307).integer, 3);
  EXPECT_DOUBLE_EQ(vars.number(307), 3.0);
  var.id = 364;
  vars.fill(var);
  vars.set(364, 4);
  vars.fill(var);
  EXPECT_DOUBLE_EQ(var.var_old.number, -2.5);
  EXPECT_DOUBLE_EQ(var.var_value.number, 4.0);
  EXPECT_EQ(vars.all().size(), 7u);  // 0, 1, 307, 364, last, past, 0xFFFFFFFF
  EXPECT_DOUBLE_EQ(vars.all().at(past).number, 7.25);
}

TEST(KeyEventModel, UnknownEventsChangeNothingAndTheBatteryToggles) {
  host::VariableStore vars;
  EXPECT_FALSE(host::apply_key_event(vars, 1, 0));
  EXPECT_TRUE(host::apply_key_event(vars, 66241, 0));
  EXPECT_DOUBLE_EQ(vars.number(364), 1);
  EXPECT_TRUE(host::apply_key_event(vars, 66241, 0));
  EXPECT_DOUBLE_EQ(vars.number(364), 0);
}

}  // namespace
}  // namespace tavrel
