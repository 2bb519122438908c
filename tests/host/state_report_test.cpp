// Draw states as `gaugeview state` prints them: the number and text rules,
// the element lines of a hand-made gauge, and the run of settings, updates,
// failures and fired events.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "host/host.h"
#include "host/key_events.h"
#include "host/state_report.h"
#include "module/builders.h"
#include "tests/host/fake_module.h"

namespace tavrel {
namespace {
using namespace build;
using host::format_bearing;
using host::format_number;
using host::quote_text;

constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(StateFormat, NumbersHaveAtMostFourDecimalsAndNoTrailingZeros) {
  EXPECT_EQ(format_number(90), "90");
  EXPECT_EQ(format_number(4.5), "4.5");
  EXPECT_EQ(format_number(-13), "-13");
  EXPECT_EQ(format_number(0.02777), "0.0278");
  EXPECT_EQ(format_number(1.0 / 3), "0.3333");
  EXPECT_EQ(format_number(-2.0 / 3), "-0.6667");
  EXPECT_EQ(format_number(1013.25), "1013.25");
  EXPECT_EQ(format_number(9.99996), "10");  // the carry reaches the whole part
  EXPECT_EQ(format_number(-9.99996), "-10");
  // Halves go away from zero.
  EXPECT_EQ(format_number(0.00125 * 2), "0.0025");
  EXPECT_EQ(format_number(2.00005), "2.0001");
  EXPECT_EQ(format_number(-2.00005), "-2.0001");
  EXPECT_EQ(format_number(2.00004999), "2");
}

TEST(StateFormat, ZeroHasNoSignAndNonFiniteValuesAreNamed) {
  EXPECT_EQ(format_number(0.0), "0");
  EXPECT_EQ(format_number(-0.0), "0");
  EXPECT_EQ(format_number(-0.00004), "0");
  EXPECT_EQ(format_number(1e-300), "0");
  EXPECT_EQ(format_number(std::nan("")), "nan");
  EXPECT_EQ(format_number(-std::nan("")), "nan");
  EXPECT_EQ(format_number(kInf), "inf");
  EXPECT_EQ(format_number(-kInf), "-inf");
}

TEST(StateFormat, LargeNumbersPrintExactly) {
  EXPECT_EQ(format_number(8388608.0 * 8388608.0), "70368744177664");
  EXPECT_EQ(format_number(900000000000000.125), "900000000000000.125");
  EXPECT_EQ(format_number(-4503599627370495.5), "-4503599627370495.5");
  EXPECT_EQ(format_number(9007199254740992.0), "9007199254740992");  // 2^53
  EXPECT_EQ(format_number(9007199254740994.0), "9007199254740994");
  EXPECT_EQ(format_number(1e20), "100000000000000000000");
  EXPECT_EQ(format_number(-1e23), "-99999999999999991611392");  // the double nearest 1e23
  EXPECT_EQ(format_number(std::ldexp(1.0, 100)), "1267650600228229401496703205376");
  std::string largest = format_number(std::numeric_limits<double>::max());
  EXPECT_EQ(largest.size(), 309u);
  EXPECT_EQ(largest.substr(0, 20), "17976931348623157081");
  EXPECT_EQ(largest.substr(295), "26184124858368");
}

TEST(StateFormat, BearingsAreReducedToOneTurn) {
  EXPECT_EQ(format_bearing(12.5), "12.5");
  EXPECT_EQ(format_bearing(-90), "270");
  EXPECT_EQ(format_bearing(720), "0");
  EXPECT_EQ(format_bearing(1234.5), "154.5");
  EXPECT_EQ(format_bearing(-1e-20), "0");     // 360 after the reduction
  EXPECT_EQ(format_bearing(359.99996), "0");  // 360 after rounding
  EXPECT_EQ(format_bearing(-359.99996), "0");
  EXPECT_EQ(format_bearing(1e300), format_bearing(std::fmod(1e300, 360.0)));
  EXPECT_EQ(format_bearing(std::nan("")), "nan");
}

TEST(StateFormat, TextIsQuotedWithEscapes) {
  EXPECT_EQ(quote_text("F-GHIJ 12.5"), "\"F-GHIJ 12.5\"");
  EXPECT_EQ(quote_text("a\"b\\c"), "\"a\\\"b\\\\c\"");
  EXPECT_EQ(quote_text(std::string("\n\x01\x7f\xe9", 4)), "\"\\x0a\\x01\\x7f\\xe9\"");
  EXPECT_EQ(quote_text(""), "\"\"");
}

// ---- gauge "Board": every element type, nested --------------------------

extern GaugeHeader board;

double TAVREL_STDCALL writes_quote(ElementHeader* e) {
  auto* s = element_as<StringElement>(e);
  std::strncpy(s->text, "Say \"hi\"\n", s->char_count);
  return 0;
}

FailureList<1> on_system_20 = failures({20, 1});
NeedleElement board_needle =
    needle(board, {.bitmap = 11, .position = {50, 50}, .failures = on_system_20}, {.var = 101});
NeedleElement backwards_needle = needle(board, {.bitmap = 12, .position = {50, 50}}, {.var = 102});
SliderElement board_slider =
    slider(board, {.bitmap = 13}, {.var = 103, .scale = 2.5}, {.var = 104, .scale = -1});
IconElement board_icon = icon(board, {.bitmap = 20}, {.var = 105, .count = 3});
StringElement board_text =
    string_element(board, {}, {.box = {40, 10}, .char_count = 16, .callback = writes_quote});
ElementHeader* plate_children[] = {&board_icon.header, &board_text.header, nullptr};
StaticImageElement board_plate = static_image(board, {.bitmap = 14, .children = plate_children});
MovingImageElement board_tape =
    moving_image(board, {.bitmap = 30}, {.var = 106, .minimum = 0, .maximum = 100},
                 {.var = 107, .minimum = 0, .maximum = 100});
MovingImageElement unsized_tape =
    moving_image(board, {.bitmap = 60}, {.var = 106, .maximum = 1}, {.var = 107, .maximum = 1});
SpriteElement board_card = sprite(board, {.bitmap = 50, .position = {50, 50}, .offset = {100, 100}},
                                  {.x = {.var = 108, .scale = 0.5},
                                   .y = {.var = 109, .scale = 2},
                                   .rotation = {.var = 110, .scale = -1}});
ElementHeader* board_children[] = {
    &board_needle.header, &backwards_needle.header, &board_slider.header, &board_plate.header,
    &board_tape.header,   &unsized_tape.header,     &board_card.header,   nullptr};
StaticImageElement board_face = static_image(board, {.bitmap = 10, .children = board_children});
ElementHeader* board_root[] = {&board_face.header};
GaugeHeader board = gauge_header({.name = "Board", .size_x_mm = 50, .root = board_root});

// ---- gauge "Sequencer": what the updates see and fire -------------------

struct Journal {
  std::vector<uint32_t> services;
  std::vector<double> install_saw;
  std::vector<double> updates_saw;
};
Journal journal;

extern GaugeHeader sequencer;

void** services() {
  return host::Host::current()->services_table();
}

void TAVREL_STDCALL sequencer_callback(GaugeHeader*, uint32_t service, uintptr_t) {
  journal.services.push_back(service);
  if (service == kServiceInstall) {
    ModuleVar var{};
    var.id = 201;
    reinterpret_cast<LookupVarService>(services()[kServiceLookupVar])(&var);
    journal.install_saw.push_back(var.var_value.number);
  }
  if (service == kServicePanelOpen) {
    // Fired at panel open, not during an update: not reported.
    reinterpret_cast<TriggerKeyEventService>(services()[kServiceTriggerKeyEvent])(66241, 0);
  }
}

// Records what it sees; at 3 it opens panel window 7 and toggles window 9,
// as value callbacks of selectors do.
double TAVREL_STDCALL sees_and_fires(ElementHeader* e) {
  double v = element_as<NeedleElement>(e)->source_var.var_value.number;
  journal.updates_saw.push_back(v);
  if (v == 3) {
    reinterpret_cast<TriggerKeyEventService>(services()[kServiceTriggerKeyEvent])(
        key_event::kPanelWindowOpen, 7);
    reinterpret_cast<PanelWindowToggleService>(services()[kServicePanelWindowToggle])(9);
  }
  return v;
}

NeedleElement sequenced_needle =
    needle(sequencer, {.bitmap = 71}, {.var = 201, .callback = sees_and_fires});
FailureList<1> on_system_7 = failures({7, 2});
IconElement failing_lamp = icon(sequencer, {.bitmap = 72, .failures = on_system_7}, {.var = 202});
ElementHeader* sequencer_children[] = {&sequenced_needle.header, &failing_lamp.header, nullptr};
StaticImageElement sequencer_face =
    static_image(sequencer, {.bitmap = 70, .children = sequencer_children});
ElementHeader* sequencer_root[] = {&sequencer_face.header};
GaugeHeader sequencer =
    gauge_header({.name = "Sequencer", .root = sequencer_root, .callback = sequencer_callback});

class StateReport : public ::testing::Test {
 protected:
  StateReport() {
    journal = Journal{};
    auto module =
        std::make_unique<testing::FakeModule>(std::vector<GaugeHeader*>{&board, &sequencer});
    module->add_bitmap(30, 80, 200);  // the tape picture, larger than its mask
    module->add_bitmap(31, 40, 50);
    host = std::make_unique<host::Host>(std::move(module));
  }
  std::unique_ptr<host::Host> host;
};

TEST_F(StateReport, EveryElementALineInTreeOrderWithItsValuesAndState) {
  host::VariableStore& vars = host->variables();
  vars.set(101, 12.5);
  vars.set(102, -90);
  vars.set(103, 3.3);  // 8.25 px -> 8
  vars.set(104, 7.6);  // -7.6 px -> -8
  vars.set(105, 1.9);
  vars.set(106, 25);
  vars.set(107, 50);
  vars.set(108, 10);
  vars.set(109, -3);
  vars.set(110, 30);
  host::GaugeInstance& instance = host->place("Board");
  host->update();
  std::vector<std::string> expected = {
      "1 static bitmap 10",
      "1.1 needle bitmap 11 value 12.5 bearing 12.5",
      "1.2 needle bitmap 12 value -90 bearing 270",
      "1.3 slider bitmap 13 value 3.3,7.6 shift 8,-8",
      "1.4 static bitmap 14",
      "1.4.1 icon bitmap 20 value 1.9 icon 1",
      "1.4.2 string bitmap -1 text \"Say \\\"hi\\\"\\x0a\"",
      "1.5 moving bitmap 30 value 25,50 shift -10,-75",
      "1.6 moving bitmap 60 value 25,50",  // no bitmap sizes: no shift
      "1.7 sprite bitmap 50 value 10,-3,30 centre 105,94 turn -30",
  };
  EXPECT_EQ(host::describe_elements(instance), expected);

  // Held by a failure: the state it had, marked.
  host->set_failure(20, true);
  vars.set(101, 40);
  vars.set(105, -1);
  host->update();
  std::vector<std::string> lines = host::describe_elements(instance);
  EXPECT_EQ(lines[1], "1.1 needle bitmap 11 value 12.5 bearing 12.5 frozen");
  EXPECT_EQ(lines[5], "1.4.1 icon bitmap 20 value -1 icon none");
}

TEST_F(StateReport, ScriptAppliesEachStepBeforeTheNextUpdate) {
  host::StateScript script;
  script.gauge = "Sequencer";
  script.steps = {{{201, 1}}, {{201, 2}, {202, 1}}, {{201, 2.5}}};
  std::vector<std::string> lines = host::run_state_script(*host, script);
  EXPECT_EQ(journal.install_saw, std::vector<double>{1});  // the first step came before install
  EXPECT_EQ(journal.updates_saw, (std::vector<double>{1, 2, 2.5}));
  std::vector<std::string> expected = {
      "1 static bitmap 70", "1.1 needle bitmap 71 value 2.5 bearing 2.5",
      "1.2 icon bitmap 72 value 1 icon none",  // one icon: 1 is past the run
  };
  EXPECT_EQ(lines, expected);
  // The instance is gone, told so first.
  EXPECT_TRUE(host->instances().empty());
  EXPECT_EQ(journal.services.back(), kServicePreKill);
}

TEST_F(StateReport, FailuresHoldFromTheStartAndUpdateEventsComeFirst) {
  host::StateScript script;
  script.gauge = "Sequencer";
  script.failures = {7};
  script.steps = {{{201, 3}, {202, 0}}, {}};
  std::vector<std::string> lines = host::run_state_script(*host, script);
  // Two updates, each firing once; the panel-open event is not among them.
  std::vector<std::string> expected = {
      "event 66507 value 7 (opens panel window 7)",
      "event 66507 value 7 (opens panel window 7)",
      "panel window 9 toggled (now open)",
      "panel window 9 toggled (now closed)",
      "panel windows open: 0 7",
      "1 static bitmap 70",
      "1.1 needle bitmap 71 value 3 bearing 3",
      "1.2 icon bitmap 72 value 0 icon none frozen",  // never drawn before the failure
  };
  EXPECT_EQ(lines, expected);
}

TEST_F(StateReport, UnknownGaugeIsAnError) {
  host::StateScript script;
  script.gauge = "Nothing";
  EXPECT_THROW(host::run_state_script(*host, script), host::HostError);
}

}  // namespace
}  // namespace tavrel
