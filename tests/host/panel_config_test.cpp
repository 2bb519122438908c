// Reading panel configurations and flight states.
#include "host/panel_config.h"

#include <gtest/gtest.h>

#include <sstream>

#include "host/state_file.h"

namespace tavrel::host {
namespace {

PanelConfig parse(const std::string& text) {
  std::istringstream in(text);
  return parse_panel_config(in, "test.cfg");
}

TEST(PanelConfig, ReadsGaugeLinesOfTheFirstWindow) {
  PanelConfig config = parse(
      "[Window Titles]\n"
      "window00=Main panel\n"
      "\n"
      "[Window00]\n"
      "size_mm=640,300\n"
      "background_color=10,20,30\n"
      "position=7\n"
      "// a comment\n"
      "gauge00=Tavrel_Instr!Battery_Switch, 10, 20\n"
      "gauge01=tavrel_instr!Altimeter,300,40,140\n"
      "Gauge02=Tavrel_Instr!Instrument_Zoom, 5, 6, 19, 19, a:RADIO_STACK_PANEL, b:0\n"
      "gauge03=Tavrel_Instr!Registration, -4, 0, h:F-GTAV\n"
      "\n"
      "[Window01]\n"
      "gauge00=Tavrel_Instr!Tachometer, 0, 0\n");
  ASSERT_EQ(config.windows.size(), 2u);
  const PanelWindowConfig& main = config.windows[0];
  ASSERT_EQ(main.gauges.size(), 4u);
  EXPECT_EQ(main.section, "Window00");
  EXPECT_EQ(main.title, "Main panel");
  EXPECT_EQ(main.width, 640);
  EXPECT_EQ(main.height, 300);
  EXPECT_EQ(main.background, 0x001E140Au);
  EXPECT_EQ(main.position, 7);

  const PanelGauge& battery = main.gauges[0];
  EXPECT_EQ(battery.name, "Battery_Switch");
  EXPECT_EQ(battery.line, 9);
  EXPECT_EQ(battery.x, 10);
  EXPECT_EQ(battery.y, 20);
  EXPECT_FALSE(battery.width.has_value());
  EXPECT_TRUE(battery.parameters.empty());

  EXPECT_EQ(main.gauges[1].width, 140);  // the module name is matched without case
  EXPECT_FALSE(main.gauges[1].height.has_value());

  // The parameter string starts at the first field that is not a number
  // and keeps its commas.
  EXPECT_EQ(main.gauges[2].width, 19);
  EXPECT_EQ(main.gauges[2].height, 19);
  EXPECT_EQ(main.gauges[2].parameters, "a:RADIO_STACK_PANEL, b:0");
  EXPECT_EQ(main.gauges[3].x, -4);
  EXPECT_EQ(main.gauges[3].parameters, "h:F-GTAV");

  // The second window is read too, with its own gauges.
  EXPECT_TRUE(config.problems.empty()) << config.problems[0];
  EXPECT_EQ(config.windows[1].line, 14);
  ASSERT_EQ(config.windows[1].gauges.size(), 1u);
  EXPECT_EQ(config.windows[1].gauges[0].name, "Tachometer");
}

TEST(PanelConfig, BadLinesAreReportedWithTheirLineAndSkipped) {
  PanelConfig config = parse(
      "[Window00]\n"
      "gauge00=Other_Module!Battery_Switch, 0, 0\n"
      "gauge01=Tavrel_Instr!Battery_Switch\n"
      "gauge02=Tavrel_Instr!Battery_Switch, 1, x\n"
      "gauge03=Battery_Switch, 1, 2\n"
      "gauge04=Tavrel_Instr!Battery_Switch, 1, 2, 0\n"
      "size_mm=wide\n"
      "gauge05=Tavrel_Instr!Battery_Switch, 1, 2\n");
  ASSERT_EQ(config.windows.at(0).gauges.size(), 1u);
  EXPECT_EQ(config.windows[0].gauges[0].line, 8);
  ASSERT_EQ(config.problems.size(), 6u);
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(config.problems[i].rfind("test.cfg:" + std::to_string(i + 2) + ": ", 0), 0u)
        << config.problems[i];
  }
  EXPECT_NE(config.problems[0].find("Other_Module"), std::string::npos);
}

TEST(PanelConfig, CommentsRunFromTwoSlashesToTheEndOfAnyLine) {
  PanelConfig config = parse(
      "[Window00]\n"
      "size_mm=1320,640   // panel size\n"
      "background_color=64,68,72// no space before it\n"
      "gauge00=Tavrel_Instr!Battery_Switch, 140, 482, 60   // master switch\n"
      "gauge01=Tavrel_Instr!View_Radios, 1, 2, 24, 24, hTOGGLE/RADIO;tRADIO_STACK_PANEL // keys\n"
      "gauge02=Tavrel_Instr!Show_Yoke, 3, 4 //, 19, 19, tYOKE\n");
  EXPECT_TRUE(config.problems.empty()) << config.problems[0];
  const PanelWindowConfig& main = config.windows.at(0);
  EXPECT_EQ(main.width, 1320);
  EXPECT_EQ(main.height, 640);
  EXPECT_EQ(main.background, 0x00484440u);
  ASSERT_EQ(main.gauges.size(), 3u);
  EXPECT_EQ(main.gauges[0].width, 60);
  EXPECT_TRUE(main.gauges[0].parameters.empty()) << main.gauges[0].parameters;
  // A single slash is part of the string; the comment's letters are not.
  EXPECT_EQ(main.gauges[1].parameters, "hTOGGLE/RADIO;tRADIO_STACK_PANEL");
  EXPECT_FALSE(main.gauges[2].width.has_value());
  EXPECT_TRUE(main.gauges[2].parameters.empty());
}

TEST(PanelConfig, CountsEveryGaugeLineOfTheWindowSkippedOnesToo) {
  PanelConfig config = parse(
      "[Window00]\n"
      "gauge00=Tavrel_Instr!Battery_Switch, 0, 0\n"
      "gauge01=Other_Module!Clock, 0, 0\n"
      "gauge02=Tavrel_Instr!Battery_Switch, 1, x\n"
      "//gauge03=Tavrel_Instr!Battery_Switch, 1, 1\n"
      "[Window01]\n"
      "gauge00=Tavrel_Instr!Battery_Switch, 0, 0\n");
  ASSERT_EQ(config.windows.size(), 2u);
  EXPECT_EQ(config.windows[0].gauges.size(), 1u);
  EXPECT_EQ(config.windows[0].gauge_lines, 3);
}

TEST(PanelConfig, NoWindowSectionIsAProblem) {
  PanelConfig config = parse("gauge00=Tavrel_Instr!Battery_Switch, 0, 0\n");
  EXPECT_TRUE(config.windows.empty());
  ASSERT_EQ(config.problems.size(), 1u);
  std::string error;
  EXPECT_FALSE(read_panel_config("/nonexistent/panel.cfg", config, error));
  EXPECT_NE(error.find("/nonexistent/panel.cfg"), std::string::npos);
}

TEST(StateFile, ReadsSettingsWithCommentsAndBlankLines) {
  std::istringstream in(
      "# cruise\n"
      "\n"
      "364=1          # battery on\n"
      "  390 = 2450.5\n"
      "10=0\n");
  std::vector<VariableSetting> settings;
  std::string error;
  ASSERT_TRUE(parse_state(in, "cruise.state", settings, error)) << error;
  ASSERT_EQ(settings.size(), 3u);
  EXPECT_EQ(settings[0].token, 364u);
  EXPECT_EQ(settings[0].value, 1.0);
  EXPECT_EQ(settings[1].token, 390u);
  EXPECT_EQ(settings[1].value, 2450.5);

  VariableStore vars;
  apply_settings(settings, vars);
  EXPECT_EQ(vars.number(390), 2450.5);
}

// A state saved by Notepad: UTF-16 with its mark and CR LF, or UTF-8 with
// its mark, reads as the text it holds; UTF-16 without its mark is refused
// with the way out, not read as nothing.
TEST(StateFile, ReadsTheTextAsSavedWithAMarkInUtf16AndWithCrLf) {
  const std::string text = "364=1\r\n# comment\r\n390=2450.5\r\n";
  std::string utf16 = "\xFF\xFE";
  for (char c : text) utf16 += std::string{c, '\0'};
  for (const std::string& saved : {utf16, "\xEF\xBB\xBF" + text}) {
    std::vector<VariableSetting> settings;
    std::string error;
    ASSERT_TRUE(parse_state(std::string_view(saved), "s.state", settings, error)) << error;
    ASSERT_EQ(settings.size(), 2u);
    EXPECT_EQ(settings[0].token, 364u);
    EXPECT_EQ(settings[1].value, 2450.5);
  }
  std::vector<VariableSetting> settings;
  std::string error;
  EXPECT_FALSE(parse_state(std::string_view(utf16).substr(2), "s.state", settings, error));
  EXPECT_NE(error.find("byte-order mark"), std::string::npos) << error;
}

TEST(StateFile, RejectsMalformedSettingsNamingTheLine) {
  for (const char* bad : {"364", "=1", "x=1", "0=1", "364=", "364=on", "364=1x", "99999999999=1",
                          "-3=1", "364=1e999"}) {
    VariableSetting setting;
    std::string error;
    EXPECT_FALSE(parse_setting(bad, setting, error)) << bad;
    EXPECT_FALSE(error.empty());
  }
  std::istringstream in("364=1\n\n  oops\n");
  std::vector<VariableSetting> settings;
  std::string error;
  EXPECT_FALSE(parse_state(in, "f.state", settings, error));
  EXPECT_EQ(error.rfind("f.state:3: ", 0), 0u) << error;
}

}  // namespace
}  // namespace tavrel::host
