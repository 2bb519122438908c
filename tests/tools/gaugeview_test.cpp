// gaugeview as panel authors run it: the built program on the linked module
// and its art.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#define STBI_ONLY_BMP  // the sample panel's backgrounds (release_test.cpp)
#include <stb_image.h>

namespace {

struct Result {
  int status = -1;  // exit code; -1 when the program did not exit normally
  std::string out;
  std::string err;
};

std::string scratch(const std::string& name) {
  const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
  return ::testing::TempDir() + "gaugeview_" + test->name() + "_" + name;
}

std::string slurp(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

// Runs gaugeview with `arguments`, and `environment` (VAR=value ...) set.
Result gaugeview(const std::string& arguments, const std::string& environment = "") {
  std::string out = scratch("stdout.txt"), err = scratch("stderr.txt");
  std::string command = environment + " " + TAVREL_GAUGEVIEW + " " + arguments + " >" + out +
                        " 2>" + err + " </dev/null";
  int status = std::system(command.c_str());
  Result r;
  if (status != -1 && WIFEXITED(status)) r.status = WEXITSTATUS(status);
  r.out = slurp(out);
  r.err = slurp(err);
  return r;
}

int lines(const std::string& text) {
  int n = 0;
  for (char c : text) n += c == '\n';
  return n;
}

struct Png {
  int width = 0, height = 0;
  std::vector<unsigned char> rgba;
  bool read(const std::string& path) {
    int channels = 0;
    unsigned char* data = stbi_load(path.c_str(), &width, &height, &channels, 4);
    if (data == nullptr) return false;
    rgba.assign(data, data + static_cast<size_t>(width) * height * 4);
    stbi_image_free(data);
    return true;
  }
  const unsigned char* at(int x, int y) const { return &rgba[(size_t(y) * width + x) * 4]; }
};

// A bad command line or bad file: a one-line message, a non-zero exit and
// no crash.
void expect_refused(const std::string& arguments, const std::string& mentions) {
  Result r = gaugeview(arguments);
  EXPECT_GT(r.status, 0) << arguments;
  EXPECT_EQ(lines(r.err), 1) << arguments << "\n" << r.err;
  EXPECT_NE(r.err.find(mentions), std::string::npos) << arguments << "\n" << r.err;
}

TEST(Gaugeview, RefusesBadInputWithOneLine) {
  const std::string out = scratch("out.png");
  expect_refused("render No_Such_Gauge -o " + out, "No_Such_Gauge");
  expect_refused("render Battery_Switch --frobnicate -o " + out, "--frobnicate");
  expect_refused("render Battery_Switch --set 364 -o " + out, "364");
  expect_refused("render Battery_Switch --set abc=1 -o " + out, "abc");
  expect_refused("render Battery_Switch --width wide -o " + out, "--width");
  expect_refused("render Battery_Switch", "-o");
  expect_refused("click Battery_Switch 10", "argument");
  expect_refused("click Battery_Switch 10 ten", "ten");
  expect_refused("fly Battery_Switch", "fly");
  expect_refused("click Battery_Switch 1 1 --night", "--night");
  expect_refused("render Battery_Switch --state /nonexistent/cruise.state -o " + out,
                 "/nonexistent/cruise.state");
  expect_refused("render Battery_Switch -o /nonexistent/folder/out.png", "/nonexistent/folder");
  expect_refused("panel /nonexistent/panel.cfg -o " + out, "/nonexistent/panel.cfg");
  expect_refused("", "command");
  expect_refused("render Battery_Switch -o " + scratch("out.jpg"), "out.jpg");
  expect_refused("sheet -o " + scratch("sheet"), ".png");
  std::FILE* exists = std::fopen(out.c_str(), "rb");
  EXPECT_EQ(exists, nullptr) << "a refused command wrote its output";
  if (exists) std::fclose(exists);

  std::ofstream(scratch("bad.state")) << "364=1\n# fine\n364 is on\n";
  expect_refused("render Battery_Switch --state " + scratch("bad.state") + " -o " + out,
                 "bad.state:3:");
}

// --help for all or one command, --version, global options before the
// command, the system's reason for files it cannot read or write, and the
// hour meter's folder, created and named.
TEST(Gaugeview, HelpVersionOptionsAnywhereReasonsAndTheHoursFolder) {
  Result help = gaugeview("--help");
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("  check PANEL.cfg"), std::string::npos) << help.out;
  Result one = gaugeview("panel --help");
  EXPECT_EQ(one.status, 0);
  EXPECT_NE(one.out.find("--click X Y"), std::string::npos) << one.out;
  EXPECT_EQ(one.out.find("render GAUGE"), std::string::npos) << one.out;
  Result version = gaugeview("--version");
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out.rfind("gaugeview ", 0), 0u) << version.out;
  Result before = gaugeview("--quiet render Battery_Switch -o " + scratch("q.png"));
  EXPECT_EQ(before.status, 0) << before.err;
  EXPECT_EQ(before.err, "");
  expect_refused("render Battery_Switch -o /nonexistent/folder/out.png",
                 "No such file or directory");
  expect_refused("panel /nonexistent/panel.cfg -o " + scratch("p.png"),
                 "No such file or directory");

  const std::string sim = scratch("sim");
  std::filesystem::remove_all(sim);
  Result first = gaugeview("state Hourmeter --param Tavrel --sim-folder " + sim);
  ASSERT_EQ(first.status, 0) << first.err;
  EXPECT_NE(
      first.err.find("hour meter: hours kept in " + sim + "/gauges/Tavrel.fhr (folder created)"),
      std::string::npos)
      << first.err;
  EXPECT_TRUE(std::filesystem::exists(sim + "/gauges/Tavrel.fhr"));
  Result again = gaugeview("state Hourmeter --param Tavrel --sim-folder " + sim);
  EXPECT_EQ(again.err.find("folder created"), std::string::npos) << again.err;
}

TEST(Gaugeview, ClickOnTheBatterySwitchFiresItsToggle) {
  Result r = gaugeview("click Battery_Switch 10 10");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("event 66241 value 0"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("token 364: 0 -> 1"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("tooltip 43795"), std::string::npos) << r.out;

  // Already on: the toggle turns it off.
  r = gaugeview("click Battery_Switch 10 10 --set 364=1");
  EXPECT_NE(r.out.find("token 364: 1 -> 0"), std::string::npos) << r.out;

  // Right of and below the switch's box: nothing.
  r = gaugeview("click Battery_Switch 60 40");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("no click box"), std::string::npos) << r.out;
  EXPECT_EQ(r.out.find("event"), std::string::npos) << r.out;
}

// The long list finds what a gauge's code reads only in some states (the
// low-fuel lamp's blink clock, while a selected tank is low) and what a
// click fires, for every gauge.
TEST(Gaugeview, LongListTellsWhatEachGaugeReadsAndFires) {
  Result r = gaugeview("list --long --quiet");
  ASSERT_EQ(r.status, 0) << r.err;
  auto facts_of = [&](const std::string& gauge) {
    size_t at = r.out.find(" " + gauge + "\n");
    if (at == std::string::npos) return std::string();
    return r.out.substr(at, r.out.find("  panel.cfg:", at) - at);
  };
  const std::string lamp = facts_of("Low_Fuel_Lamp");
  EXPECT_NE(lamp.find("reads token 604 blink_clock"), std::string::npos) << lamp;
  EXPECT_NE(lamp.find("reads token 307 tank_selector"), std::string::npos) << lamp;
  const std::string meter = facts_of("Hourmeter");
  EXPECT_NE(meter.find("reads token 607 engine_time"), std::string::npos) << meter;
  EXPECT_NE(meter.find("parameter string: the name of its hours file"), std::string::npos);
  const std::string battery = facts_of("Battery_Switch");
  EXPECT_NE(battery.find("event 66241 battery_master_toggle"), std::string::npos) << battery;
  const std::string hotspot = facts_of("View_Radios");
  EXPECT_NE(hotspot.find("toggles panel window 0"), std::string::npos) << hotspot;
  EXPECT_NE(
      r.out.find("panel.cfg: gauge00=Tavrel_Instr!View_Radios, 0, 0, 19, 19, hTOGGLE_RADIO_WINDOW "
                 "tRADIO_STACK_PANEL\n"),
      std::string::npos);
  int gauges = 0;
  for (size_t at = r.out.find("  panel.cfg: "); at != std::string::npos;
       at = r.out.find("  panel.cfg: ", at + 1)) {
    ++gauges;
  }
  EXPECT_EQ(gauges, 51);
}

TEST(Gaugeview, ClickAtAWidthIsMappedBackToBackgroundPixels) {
  // At three times the size, (150, 90) is background (50, 30): inside the
  // 55 x 35 box; (180, 120) is (60, 40): outside.
  Result in = gaugeview("click Battery_Switch 150 90 --width 210");
  EXPECT_NE(in.out.find("background pixel 50,30"), std::string::npos) << in.out;
  EXPECT_NE(in.out.find("event 66241"), std::string::npos) << in.out;
  Result out = gaugeview("click Battery_Switch 180 120 --width 210");
  EXPECT_EQ(out.out.find("event 66241"), std::string::npos) << out.out;
  Result hover = gaugeview("hover Battery_Switch 180 120 --width 210");
  EXPECT_NE(hover.out.find("tooltip 43795"), std::string::npos) << hover.out;
}

TEST(Gaugeview, APointOutsideTheGaugeIsOnNothingAndSaysSo) {
  // Outside the 70 x 45 background: no tooltip, no click, and a warning.
  Result hover = gaugeview("hover Battery_Switch 500 500");
  ASSERT_EQ(hover.status, 0) << hover.err;
  EXPECT_NE(hover.out.find("tooltip 0"), std::string::npos) << hover.out;
  EXPECT_NE(hover.err.find("outside Battery_Switch (70x45)"), std::string::npos) << hover.err;
  // At three times the size the gauge is 210 x 135: (215, 10) is past it.
  Result click = gaugeview("click Battery_Switch 215 10 --width 210");
  ASSERT_EQ(click.status, 0) << click.err;
  EXPECT_NE(click.out.find("no click box"), std::string::npos) << click.out;
  EXPECT_NE(click.out.find("tooltip 0"), std::string::npos) << click.out;
  EXPECT_NE(click.err.find("point 215,10 is outside Battery_Switch (drawn 210x135)"),
            std::string::npos)
      << click.err;
  EXPECT_EQ(lines(click.err), 1) << click.err;
  // On the gauge: no warning.
  EXPECT_EQ(gaugeview("hover Battery_Switch 69 44").err, "");
}

TEST(Gaugeview, OptionsThatWouldDoNothingAreWarnedAbout) {
  // The battery switch's box neither repeats nor follows drags.
  Result r = gaugeview("click Battery_Switch 10 10 --hold 3 --drag 20 20");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.err.find("--hold 3 does nothing"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("--drag does nothing"), std::string::npos) << r.err;
  EXPECT_EQ(lines(r.err), 2) << r.err;
  EXPECT_NE(r.out.find("1 call(s)"), std::string::npos) << r.out;
  // The native build has its module linked in.
  Result module = gaugeview("list --module Other.gau");
  ASSERT_EQ(module.status, 0) << module.err;
  EXPECT_NE(module.err.find("--module Other.gau ignored"), std::string::npos) << module.err;
  EXPECT_EQ(lines(module.err), 1) << module.err;
}

TEST(Gaugeview, MissingArtNamesTheFolderSearched) {
  Result r = gaugeview("render Battery_Switch -o " + scratch("x.png"),
                       "TAVREL_ART_DIR=" + scratch("no_art"));
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("no bitmap 200 in the art folder " + scratch("no_art") + "/bitmaps"),
            std::string::npos)
      << r.err;
  EXPECT_EQ(lines(r.err), 1) << r.err;
}

TEST(Gaugeview, RendersAtAWidthKeepingProportionsAndFollowsVariables) {
  std::string off = scratch("off.png"), on = scratch("on.png");
  ASSERT_EQ(gaugeview("render Battery_Switch --width 210 -o " + off).status, 0);
  ASSERT_EQ(gaugeview("render Battery_Switch --width 210 --set 364=1 -o " + on).status, 0);
  Png a, b;
  ASSERT_TRUE(a.read(off));
  ASSERT_TRUE(b.read(on));
  EXPECT_EQ(a.width, 210);
  EXPECT_EQ(a.height, 135);
  EXPECT_NE(a.rgba, b.rgba) << "the switch looks the same off and on";
}

// --reference draws the same picture the slow way: the same pixels at an
// awkward width by night, and it applies only where something is drawn.
TEST(Gaugeview, TheReferenceDrawingGivesTheSamePicture) {
  const std::string fast = scratch("fast.png"), reference = scratch("reference.png");
  const std::string common = "render Airspeed_Kts --width 233 --night --set 10=1 --set 61=95";
  ASSERT_EQ(gaugeview(common + " -o " + fast).status, 0);
  const Result drawn = gaugeview(common + " --reference -o " + reference);
  ASSERT_EQ(drawn.status, 0) << drawn.err;
  Png a, b;
  ASSERT_TRUE(a.read(fast));
  ASSERT_TRUE(b.read(reference));
  EXPECT_EQ(b.width, 233);
  EXPECT_TRUE(a.rgba == b.rgba) << "the reference drawing differs from the fast one";
  expect_refused("click Battery_Switch 1 1 --reference", "--reference");
}

TEST(Gaugeview, PanelWithBadLinesWarnsAndDrawsTheRest) {
  std::string cfg = scratch("bad.cfg");
  std::ofstream(cfg) << "[Window00]\n"
                        "size_mm=200,100\n"
                        "gauge00=Other_Module!Battery_Switch, 0, 0\n"
                        "gauge01=Tavrel_Instr!No_Such_Gauge, 0, 0\n"
                        "gauge02=Tavrel_Instr!Battery_Switch, 100, 50, 70\n";
  std::string png = scratch("panel.png");
  Result r = gaugeview("panel " + cfg + " -o " + png + " --quiet");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.err.find("bad.cfg:3:"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("bad.cfg:4:"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("No_Such_Gauge"), std::string::npos) << r.err;
  EXPECT_EQ(lines(r.err), 2) << r.err;
  // Progress counts every gauge line, the skipped ones too.
  Result counted = gaugeview("panel " + cfg + " -o " + png);
  EXPECT_NE(counted.err.find("placed 1 gauge(s) of 3 line(s)"), std::string::npos) << counted.err;
  Png panel;
  ASSERT_TRUE(panel.read(png));
  ASSERT_EQ(panel.width, 200);
  ASSERT_EQ(panel.height, 100);
  // The switch (70 x 45 at (100, 50)) is drawn over the panel's colour.
  const unsigned char* corner = panel.at(2, 2);
  int differing = 0;
  for (int y = 50; y < 95; ++y) {
    for (int x = 100; x < 170; ++x) {
      const unsigned char* p = panel.at(x, y);
      differing += p[0] != corner[0] || p[1] != corner[1] || p[2] != corner[2];
    }
  }
  EXPECT_GT(differing, 500);

  // --strict: still drawn, but a failure.
  std::remove(png.c_str());
  EXPECT_EQ(gaugeview("panel " + cfg + " -o " + png + " --quiet --strict").status, 1);
  EXPECT_TRUE(panel.read(png));
}

TEST(Gaugeview, APanelFileWithoutAWindowSectionIsReported) {
  std::string cfg = scratch("nowindow.cfg");
  std::ofstream(cfg) << "size_mm=200,100\n"
                        "gauge00=Tavrel_Instr!Battery_Switch, 0, 0\n";
  Result r = gaugeview("panel " + cfg + " -o " + scratch("panel.png") + " --quiet");
  EXPECT_NE(r.err.find("no [Window00] section"), std::string::npos) << r.err;
  EXPECT_EQ(lines(r.err), 1) << r.err;
}

// The pixel's red, green and blue are within 3 of the colour.
bool near_colour(const unsigned char* p, int r, int g, int b) {
  return std::abs(p[0] - r) <= 3 && std::abs(p[1] - g) <= 3 && std::abs(p[2] - b) <= 3;
}

// panels/three-windows: the main panel (hotspots, a 24-bit bitmap
// stretched twice), the radio stack (ident RADIO_STACK_PANEL, hidden at
// start, a 24-bit bitmap) and the throttle (ident 10, bottom right, an
// 8-bit bitmap whose black corners are clear). A point inside the radio
// stack's place shows the main panel's colour, or the radio stack's once a
// click on View_Radios ("tRADIO_STACK_PANEL") opened it.
TEST(Gaugeview, AThreeWindowPanelOpensItsRadioStackFromItsHotspot) {
  const std::string cfg = std::string(TAVREL_SOURCE_DIR) + "/panels/three-windows/panel.cfg";
  const std::string png = scratch("screen.png");
  const int px = 125, py = 30;  // inside the radio stack's place, over the bare main panel
  Png screen;

  Result start = gaugeview("panel " + cfg + " -o " + png + " --quiet");
  ASSERT_EQ(start.status, 0) << start.err;
  EXPECT_EQ(start.err, "");
  EXPECT_EQ(start.out,
            "window 0 (Window00, Main panel) open at 0,0 480x240\n"
            "window 50 (Window01, Radio stack) closed at 120,24 200x110\n"
            "window 10 (Window02, Throttle) open at 370,130 110x110\n");
  ASSERT_TRUE(screen.read(png));
  ASSERT_EQ(screen.width, 480);
  ASSERT_EQ(screen.height, 240);
  EXPECT_TRUE(near_colour(screen.at(px, py), 74, 82, 76));
  // The throttle's clear corner shows the main panel's frame under it.
  EXPECT_TRUE(near_colour(screen.at(371, 131), 74, 82, 76));
  EXPECT_TRUE(near_colour(screen.at(420, 200), 96, 72, 50));

  // View_Radios opens the radio stack; its Close_Subpanel's "aGPS_PANEL"
  // fires as its window opens; the picture shows it.
  Result opened = gaugeview("panel " + cfg + " -o " + png + " --quiet --click 312 208");
  ASSERT_EQ(opened.status, 0) << opened.err;
  EXPECT_NE(opened.out.find("click 312,208: window 0 (Window00, Main panel), View_Radios pixel "
                            "9,9: 1 call(s)\n"
                            "  event 66506 value 50 (toggles panel window 50)\n"
                            "  event 66508 value 225 (closes panel window 225)\n"
                            "  window 50 (Window01, Radio stack) opened\n"),
            std::string::npos)
      << opened.out;
  ASSERT_TRUE(screen.read(png));
  EXPECT_TRUE(near_colour(screen.at(px, py), 31, 37, 62));

  // A sequence: open, close from the radio stack's own hotspot (the
  // top-most window under the point), and the throttle toggled away.
  Result sequence = gaugeview("panel " + cfg + " -o " + png +
                              " --quiet --click 312 208 --click 298 46 --click 342 208");
  ASSERT_EQ(sequence.status, 0) << sequence.err;
  EXPECT_NE(sequence.out.find("click 298,46: window 50 (Window01, Radio stack), Close_Subpanel"),
            std::string::npos)
      << sequence.out;
  EXPECT_NE(sequence.out.find("  window 50 (Window01, Radio stack) closed\n"), std::string::npos);
  EXPECT_NE(sequence.out.find("  window 10 (Window02, Throttle) closed\n"), std::string::npos);
  ASSERT_TRUE(screen.read(png));
  EXPECT_TRUE(near_colour(screen.at(px, py), 74, 82, 76));
  EXPECT_TRUE(near_colour(screen.at(420, 200), 74, 82, 76));

  // One window alone, by its name; a larger screen keeps the throttle at
  // the bottom right.
  ASSERT_EQ(gaugeview("panel " + cfg + " -o " + png + " --quiet --window RADIO_STACK_PANEL").status,
            0);
  ASSERT_TRUE(screen.read(png));
  EXPECT_EQ(screen.width, 200);
  EXPECT_EQ(screen.height, 110);
  EXPECT_TRUE(near_colour(screen.at(5, 6), 31, 37, 62));
  Result large = gaugeview("panel " + cfg + " -o " + png + " --quiet --screen 960x480");
  EXPECT_NE(large.out.find("window 10 (Window02, Throttle) open at 850,370 110x110"),
            std::string::npos)
      << large.out;
  expect_refused("panel " + cfg + " -o " + png + " --quiet --window 77",
                 "0 (Window00), 50 (Window01)");
}

// The same panel saved with a UTF-8 byte-order mark, and in UTF-16 (both
// byte orders, with their marks): every gauge placed, the same picture.
TEST(Gaugeview, APanelSavedWithAByteOrderMarkOrInUtf16PlacesItsGauges) {
  const std::string folder = std::string(TAVREL_SOURCE_DIR) + "/panels/three-windows/";
  // From its first window on: the mark comes right before a section name.
  const std::string whole = slurp(folder + "panel.cfg");
  const std::string text = whole.substr(whole.find("[Window00]"));
  const std::string reference = scratch("reference.png");
  ASSERT_EQ(gaugeview("panel " + folder + "panel.cfg -o " + reference + " --quiet").status, 0);
  auto utf16 = [&](bool big_endian) {
    std::string out = big_endian ? "\xFE\xFF" : "\xFF\xFE";
    for (char c : text) {
      out += big_endian ? std::string{'\0', c} : std::string{c, '\0'};
    }
    return out;
  };
  for (const std::string& saved : {"\xEF\xBB\xBF" + text, utf16(false), utf16(true)}) {
    // Beside its bitmaps, as authors keep it.
    const std::string cfg = folder + "saved-by-test-" + std::to_string(getpid()) + ".cfg";
    std::ofstream(cfg, std::ios::binary) << saved;
    const std::string png = scratch("saved.png");
    Result r = gaugeview("panel " + cfg + " -o " + png);
    std::remove(cfg.c_str());
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.err.find("placed 8 gauge(s) of 8 line(s) in 3 window(s)"), std::string::npos)
        << r.err;
    EXPECT_EQ(slurp(png), slurp(reference));
  }
}

// Every mistake of a hand-written configuration, with its line and the way
// out; none of them runs away (a 100000-pixel gauge, a 20000 x 20000
// window).
TEST(Gaugeview, CheckListsEveryMistakeWithItsLineAndTheWayOut) {
  const std::string cfg = scratch("mistakes.cfg");
  std::ofstream(cfg) << "gauge00=Tavrel_Instr!Battery_Switch, 0, 0\n"                    // 1
                        "[Windows00]\n"                                                  // 2
                        "gauge00=Tavrel_Instr!Battery_Switch, 0, 0\n"                    // 3
                        "[Window00]\n"                                                   // 4
                        "size_mm=200,100\n"                                              // 5
                        "gauge00=Tavrel_Instr!Directional_Gyro, 0, 0\n"                  // 6
                        "gauge00=Tavrel_Instr!Battery_Switch, 0, 0\n"                    // 7
                        "gauge01=Tavrel_Instr!battery_switch, 0, 0\n"                    // 8
                        "gauge02=Tavrel_Instr!Battery_Switch, 180, 90\n"                 // 9
                        "gauge03=Tavrel_Instr!Battery_Switch, 300, 10\n"                 // 10
                        "gauge04=Tavrel_Instr!View_Radios, 0, 0, 24, 24, \"t50\"\n"      // 11
                        "gauge05=Tavrel_Instr!Hourmeter, 10, 10, 24, 2024\n"             // 12
                        "gauge06=Tavrel_Instr!Battery_Switch, 10, 10, 100000\n"          // 13
                        "[Window01]\n"                                                   // 14
                        "size_mm=20000,20000\n"                                          // 15
                        "gauge00=Tavrel_Instr!Show_Yoke, 0, 0, 24, 24, t10 # c50\n"      // 16
                        "gauge01=Tavrel_Instr!Fuel_Zoom, 30, 0, 24, 24, b1305 h43795\n"  // 17
                        "gauge02=Tavrel_Instr!Registration, 0, 30, 150, 25, tF-GTAV fArial r255\n"
                        "gauge03=Tavrel_Instr!Hourmeter, 0, 60, 100, 100, ../Tavrel\n";  // 19 // 15
  const std::string m = cfg + ":";
  const std::vector<std::pair<std::string, std::string>> expected = {
      {m + "1: ", "comes before any section"},
      {m + "2: ", "did you mean [Window00]?"},
      {m + "6: ", "no gauge Directional_Gyro; did you mean Directionnal_Gyro?"},
      {m + "7: ", "gauge00 is given a second time"},
      {m + "8: ", "matched with their case"},
      {m + "9: ", "lies partly off [Window00]"},
      {m + "10: ", "lies wholly off [Window00]"},
      {m + "11: ", "in quotes"},
      {m + "12: ", "give the width and height before it (x, y, w, h, 2024)"},
      {m + "12: ", "lies partly off [Window00]"},
      {m + "13: ", "larger than the largest gauge"},
      {m + "15: ", "larger than the largest window"},
      // What only a check says: the parameter strings' slips.
      {m + "16: ", "the key c50 comes after the comment character '#'"},
      {m + "17: ", "b1305 is not one of the icons"},
      {m + "18: ", "the font key f comes before the colour key r"},
      {m + "19: ", "holds '/', which Windows refuses"},
  };
  Result check = gaugeview("check " + cfg + " --quiet");
  EXPECT_EQ(check.status, 1);
  EXPECT_EQ(lines(check.out), static_cast<int>(expected.size())) << check.out;
  size_t from = 0;
  for (const auto& [where, what] : expected) {
    const size_t at = check.out.find(where, from);
    ASSERT_NE(at, std::string::npos) << where << "\n" << check.out;
    const size_t end = check.out.find('\n', at);
    EXPECT_NE(check.out.substr(at, end - at).find(what), std::string::npos)
        << check.out.substr(at, end - at);
    from = end;
  }
  // The panel is still drawn; --strict makes the warnings a failure.
  EXPECT_EQ(gaugeview("panel " + cfg + " -o " + scratch("m.png") + " --quiet").status, 0);
  EXPECT_EQ(gaugeview("panel " + cfg + " -o " + scratch("m.png") + " --quiet --strict").status, 1);
  // A clean panel checks clean.
  Result clean =
      gaugeview("check " + std::string(TAVREL_SOURCE_DIR) + "/panels/default.cfg --quiet");
  EXPECT_EQ(clean.status, 0) << clean.out;
  EXPECT_EQ(clean.out, "");
}

TEST(Gaugeview, ListAndSheetShowEveryGauge) {
  Result list = gaugeview("list");
  ASSERT_EQ(list.status, 0) << list.err;
  EXPECT_NE(list.out.find("Battery_Switch"), std::string::npos);
  EXPECT_NE(list.out.find("70x45"), std::string::npos) << list.out;
  EXPECT_NE(list.out.find("43795"), std::string::npos) << list.out;

  std::string png = scratch("sheet.png");
  Result sheet = gaugeview("sheet -o " + png);
  ASSERT_EQ(sheet.status, 0) << sheet.err;
  EXPECT_NE(sheet.err.find("Battery_Switch"), std::string::npos);  // progress
  Png picture;
  EXPECT_TRUE(picture.read(png));
  Result quiet = gaugeview("sheet --quiet -o " + png);
  EXPECT_EQ(quiet.err, "");
}

TEST(Gaugeview, StatePrintsEveryElementALine) {
  Result off = gaugeview("state Battery_Switch");
  ASSERT_EQ(off.status, 0) << off.err;
  EXPECT_EQ(off.out, "1 static bitmap 200\n1.1 icon bitmap 210 value 0 icon 0\n");
  EXPECT_EQ(off.err, "");
  Result on = gaugeview("state Battery_Switch --set 364=1");
  EXPECT_EQ(on.out, "1 static bitmap 200\n1.1 icon bitmap 210 value 1 icon 1\n");
  // Values the host delivers as they are; an icon then shows nothing.
  Result unknown = gaugeview("state Battery_Switch --set 364=nan --set 61=nan");
  ASSERT_EQ(unknown.status, 0) << unknown.err;
  EXPECT_EQ(unknown.out, "1 static bitmap 200\n1.1 icon bitmap 210 value nan icon none\n");
  Result large = gaugeview("state Battery_Switch --set 364=-1e20");
  EXPECT_EQ(large.out,
            "1 static bitmap 200\n1.1 icon bitmap 210 value -100000000000000000000 icon none\n");
  // A failure system no element of the gauge names changes nothing.
  EXPECT_EQ(gaugeview("state Battery_Switch --set 364=1 --fail 20 --fail 21").out, on.out);
}

TEST(Gaugeview, StateRunsAnUpdatePerNextWithTheSettingsThatFollowIt) {
  const std::string on = "1.1 icon bitmap 210 value 1 icon 1\n";
  const std::string off = "1.1 icon bitmap 210 value 0 icon 0\n";
  auto last_line = [](const std::string& out) {
    size_t start = out.rfind('\n', out.size() - 2);
    return start == std::string::npos ? out : out.substr(start + 1);
  };
  EXPECT_EQ(last_line(gaugeview("state Battery_Switch --set 364=0 --next --set 364=1").out), on);
  EXPECT_EQ(last_line(gaugeview("state Battery_Switch --set 364=1 --next --set 364=0").out), off);
  // Settings stay until changed; the last --next's settings are what the
  // final update draws from.
  EXPECT_EQ(last_line(gaugeview("state Battery_Switch --set 364=1 --next --next").out), on);
  EXPECT_EQ(
      last_line(gaugeview("state Battery_Switch --next --set 364=1 --next --set 364=0 --next").out),
      off);
  // The state file applies from the start, wherever it stands.
  std::string file = scratch("on.state");
  std::ofstream(file) << "364=1\n";
  EXPECT_EQ(last_line(gaugeview("state Battery_Switch --next --state " + file).out), on);
  EXPECT_EQ(last_line(gaugeview("state Battery_Switch --state " + file + " --set 364=0").out), off);
}

TEST(Gaugeview, StateRefusesWhatDoesNotApply) {
  expect_refused("state", "argument");
  expect_refused("state No_Such_Gauge", "No_Such_Gauge");
  expect_refused("state Battery_Switch --next --set 364=oops", "oops");
  expect_refused("state Battery_Switch --fail x", "--fail");
  expect_refused("state Battery_Switch --fail 0", "--fail");
  expect_refused("state Battery_Switch --width 100", "--width");
  expect_refused("render Battery_Switch --next -o " + scratch("x.png"), "--next");
  expect_refused("click Battery_Switch 1 1 --fail 3", "--fail");
}

}  // namespace
