// gaugeview as panel authors run it: the built program on the linked module
// and its art.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
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
