// The radio navigation gauges on the stand-in host: DME readouts and source
// knob, VOR and ADF moving parts and knobs, RMI card and pointers.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "host/host.h"

namespace tavrel {
namespace {

// Bearing of a point seen from a pivot, degrees clockwise from straight up.
double bearing(PixPoint pivot, PixPoint point) {
  double degrees = std::atan2(point.x - pivot.x, pivot.y - point.y) * 180.0 / 3.14159265358979;
  return degrees < 0 ? degrees + 360.0 : degrees;
}

// The same direction, whatever number of whole turns.
double turn(double degrees) {
  double d = std::fmod(degrees, 360.0);
  return d < 0 ? d + 360.0 : d;
}

class Radio : public ::testing::Test {
 protected:
  host::Host host{host::bind_module("", nullptr)};

  const host::ElementState& state(host::GaugeInstance& gauge, size_t element) {
    host.update();
    return gauge.elements().at(element);
  }
};

// DME elements: 0 window, 1 distance, 2 speed, 3 time, 4-6 labels, 7 knob.
class Dme : public Radio {
 protected:
  host::GaugeInstance& dme = host.place("Bendix_DME");

  std::string text(size_t element) { return state(dme, element).text; }
  void reading(double distance, double speed, double time) {
    host.variables().set(372, distance);
    host.variables().set(373, speed);
    host.variables().set(374, time);
  }
};

TEST_F(Dme, DistanceOneDecimalBelow100WholeMilesFrom100) {
  const std::pair<double, const char*> cases[] = {
      {0.0, "0.0 "},   {5.0, "5.0 "},   {12.34, "12.3"}, {99.9, "99.9"},  {99.96, "0100"},
      {100.0, "0100"}, {123.4, "0123"}, {250.6, "0251"}, {1234.6, "1235"}};
  for (auto [distance, expected] : cases) {
    reading(distance, 0, 0);
    EXPECT_EQ(text(1), expected) << distance;
    EXPECT_EQ(dme.elements()[1].value, distance);
  }
}

TEST_F(Dme, NegativeDistanceDashesDistanceAndSpeedButNotTime) {
  reading(-1.0, 140.0, 7.0);
  EXPECT_EQ(text(1), "----");
  EXPECT_EQ(text(2), "----");
  EXPECT_EQ(text(3), "07");
  reading(0.0, 0.0, 0.0);
  EXPECT_EQ(text(2), "000");  // zero is not negative
}

TEST_F(Dme, SpeedAndTimeWithLeadingZeros) {
  reading(10, 90.4, 5.3);
  EXPECT_EQ(text(2), "090");
  EXPECT_EQ(text(3), "05");
  reading(10, 7, 0);
  EXPECT_EQ(text(2), "007");
  EXPECT_EQ(text(3), "00");
  reading(10, 1200, 99.4);
  EXPECT_EQ(text(2), "1200");
  EXPECT_EQ(text(3), "99");
}

// A readout never writes past its buffer, and a value it cannot show reads
// as dashes across the readout rather than as a cut number.
TEST_F(Dme, TextsTooLongForTheirReadoutShowDashes) {
  reading(10000.0, 10000.0, 125.0);
  EXPECT_EQ(text(1), "----");
  EXPECT_EQ(text(2), "----");
  EXPECT_EQ(text(3), "--");
  reading(9999.4, 9999.4, 99.6);
  EXPECT_EQ(text(1), "9999");
  EXPECT_EQ(text(2), "9999");
  EXPECT_EQ(text(3), "--");  // rounds to 100
  reading(NAN, NAN, INFINITY);
  EXPECT_EQ(text(1), "----");
  EXPECT_EQ(text(2), "----");
  EXPECT_EQ(text(3), "--");
  for (size_t i = 1; i <= 6; ++i) {
    auto* element = element_as<StringElement>(dme.elements()[i].element);
    EXPECT_LE(dme.elements()[i].text.size(), static_cast<size_t>(element->char_count));
  }
}

TEST_F(Dme, LabelsAreFixedAndReturnTheirVariable) {
  reading(24.6, 112, 13);
  EXPECT_EQ(text(4), "NM");
  EXPECT_EQ(text(5), "KT");
  EXPECT_EQ(text(6), "MIN");
  EXPECT_EQ(dme.elements()[4].value, 24.6);
  EXPECT_EQ(dme.elements()[5].value, 112);
  EXPECT_EQ(dme.elements()[6].value, 13);
}

TEST_F(Dme, SourceKnobFollowsTheReceiverAndItsClickAlternates) {
  host.variables().set(355, 1);
  EXPECT_EQ(state(dme, 7).icon_index, 0);
  host.variables().set(355, 2);
  EXPECT_EQ(state(dme, 7).icon_index, 1);
  host.variables().set(355, 0);
  EXPECT_EQ(state(dme, 7).value, 4294967295.0);
  EXPECT_EQ(dme.elements()[7].icon_index, -1);  // no knob drawn

  host.variables().set(355, 1);
  dme.click(58, 44);
  ASSERT_EQ(host.fired().size(), 1u);
  EXPECT_EQ(host.fired()[0].event, 66286u);
  EXPECT_EQ(state(dme, 7).icon_index, 1);
  dme.click(51, 37);
  EXPECT_EQ(state(dme, 7).icon_index, 0);
  EXPECT_EQ(dme.click(50, 44).child, nullptr);
  EXPECT_EQ(dme.tooltip_at(58, 44), 42760u);
  EXPECT_EQ(dme.tooltip_at(10, 10), 42756u);
}

TEST_F(Dme, FailureSystem21FreezesTheReadoutsNotTheKnob) {
  reading(24.6, 112, 13);
  host.variables().set(355, 1);
  host.update();
  host.set_failure(21, true);
  reading(50, 50, 50);
  host.variables().set(355, 2);
  EXPECT_EQ(text(1), "24.6");
  EXPECT_EQ(dme.elements()[3].text, "13");
  EXPECT_EQ(dme.elements()[7].icon_index, 1);
}

// VOR elements: 0 face, 1 card, 2 GS flag, 3 NAV flag, 4 lateral needle,
// 5 vertical needle, 6 bezel, 7 OBS knob.
class Vor : public Radio {
 protected:
  host::GaugeInstance& vor = host.place("VOR1_Indicator");
};

TEST_F(Vor, CourseTurnsCardAndKnob) {
  for (double course : {0.0, 15.0, 30.0, 90.0}) {
    host.variables().set(854, course);
    EXPECT_DOUBLE_EQ(state(vor, 1).sprite_rotation, course);
    EXPECT_DOUBLE_EQ(turn(vor.elements()[7].needle_bearing), turn(course * 6.0)) << course;
  }
}

TEST_F(Vor, DeviationNeedlesThroughTheirFullScalePoints) {
  const PixPoint lateral{150, 74}, vertical{74, 150};
  host.variables().set(849, 0.0);
  host.variables().set(850, 0.0);
  EXPECT_NEAR(state(vor, 4).needle_bearing, 180.0, 1e-9);     // hangs straight down
  EXPECT_NEAR(vor.elements()[5].needle_bearing, 90.0, 1e-9);  // level along row 150
  host.variables().set(849, 1.0);
  host.variables().set(850, -1.0);
  EXPECT_NEAR(state(vor, 4).needle_bearing, bearing(lateral, {208, 150}), 1e-9);
  EXPECT_NEAR(vor.elements()[5].needle_bearing, bearing(vertical, {208, 102}), 1e-9);
  host.variables().set(849, -1.0);
  host.variables().set(850, 1.0);
  EXPECT_NEAR(state(vor, 4).needle_bearing, bearing(lateral, {92, 150}), 1e-9);
  EXPECT_NEAR(vor.elements()[5].needle_bearing, bearing(vertical, {208, 198}), 1e-9);
}

TEST_F(Vor, FlagsFollowTheirVariables) {
  host.variables().set(852, 0);
  host.variables().set(853, 0);
  EXPECT_EQ(state(vor, 2).icon_index, 0);
  EXPECT_EQ(vor.elements()[3].icon_index, 0);
  host.variables().set(852, 1);
  host.variables().set(853, 1);
  EXPECT_EQ(state(vor, 2).icon_index, 1);
  EXPECT_EQ(vor.elements()[3].icon_index, 1);
}

TEST_F(Vor, KnobHalvesStepTheCourseWhileHeld) {
  host.variables().set(854, 10);
  vor.click(40, 250, {.hold = 4});  // right half: five steps up
  EXPECT_EQ(host.variables().number(854), 15);
  EXPECT_EQ(host.fired().front().event, 65663u);
  host.clear_fired();
  vor.click(10, 250);  // left half
  EXPECT_EQ(host.fired().front().event, 65662u);
  EXPECT_EQ(host.variables().number(854), 14);
  EXPECT_EQ(vor.click(150, 150).child, nullptr);
  EXPECT_EQ(vor.tooltip_at(33, 265), 43891u);
}

// ADF elements: 0 face, 1 card, 2 bearing pointer, 3 bezel, 4 HDG knob.
TEST_F(Radio, AdfCardPointerAndKnob) {
  host::GaugeInstance& adf = host.place("ADF_Indicator");
  host.variables().set(39, 90.0);
  host.variables().set(22, 15.0);
  EXPECT_NEAR(state(adf, 2).needle_bearing, 90.0, 1e-9);  // a quarter turn
  EXPECT_DOUBLE_EQ(adf.elements()[1].sprite_rotation, 15.0);
  EXPECT_NEAR(adf.elements()[4].needle_bearing, 90.0, 1e-9);
  host.variables().set(39, 180.0);
  EXPECT_NEAR(state(adf, 2).needle_bearing, 180.0, 1e-9);

  adf.click(10, 270);  // left half: the higher event, card back
  adf.click(50, 270);
  adf.click(50, 270);
  ASSERT_EQ(host.fired().size(), 3u);
  EXPECT_EQ(host.fired()[0].event, 65882u);
  EXPECT_EQ(host.fired()[1].event, 65881u);
  EXPECT_EQ(host.variables().number(22), 16.0);
}

// RMI elements: 0 face, 1 card, 2 double-bar pointer, 3 single-bar, 4 bezel.
class Rmi : public Radio {
 protected:
  host::GaugeInstance& rmi = host.place("RMI");
};

TEST_F(Rmi, CardTurnsBackByTheHeading) {
  host.variables().set(84, 30.0);
  EXPECT_EQ(state(rmi, 1).value, -30.0);
  EXPECT_EQ(rmi.elements()[1].needle_bearing, -30.0);
  host.variables().set(84, 0.0);
  EXPECT_EQ(state(rmi, 1).value, 0.0);
}

TEST_F(Rmi, PointersShareOneTable) {
  for (double b : {0.0, 180.0}) {
    host.variables().set(39, b);
    host.variables().set(550, b);
    EXPECT_NEAR(state(rmi, 2).needle_bearing, b, 1e-9);
    EXPECT_NEAR(rmi.elements()[3].needle_bearing, b, 1e-9);
  }
}

TEST_F(Rmi, SinglePointerParksOnlyOnBit0x80OfTheLowestByte) {
  host.variables().set(550, 270.0);
  host.variables().set_integer(46, 0x80);
  EXPECT_EQ(state(rmi, 3).value, 90.0);
  EXPECT_NEAR(rmi.elements()[3].needle_bearing, 90.0, 1e-9);
  host.variables().set_integer(46, static_cast<int32_t>(0xFFFFFFFFu));
  EXPECT_EQ(state(rmi, 3).value, 90.0);
  host.variables().set_integer(46, static_cast<int32_t>(0xFFFFFF7Fu));
  EXPECT_EQ(state(rmi, 3).value, 270.0);
  host.variables().set_integer(46, 0x8000);
  EXPECT_EQ(state(rmi, 3).value, 270.0);
}

TEST_F(Rmi, NoClicksOnlyATooltip) {
  EXPECT_EQ(rmi.click(136, 136).child, nullptr);
  EXPECT_EQ(rmi.tooltip_at(136, 136), 43866u);
  EXPECT_TRUE(host.fired().empty());
}

}  // namespace
}  // namespace tavrel
