// What a panel author downloads: the gauge reference kept current, the
// manual readable offline, README.txt as Windows text, the sample panel
// placing every gauge, and the zip holding exactly what it should.
#include <gtest/gtest.h>
#include <stb_image.h>
#include <sys/wait.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace {

namespace fs = std::filesystem;

const std::string kSource = TAVREL_SOURCE_DIR;
const std::string kBuild = TAVREL_BUILD_DIR;

std::string read_file(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

// Runs a shell command in `folder`; its standard output (and the exit code).
std::string run(const std::string& command, const fs::path& folder, int* status = nullptr) {
  const fs::path out = folder / "run-output.txt";
  const std::string line =
      "cd '" + folder.string() + "' && " + command + " >'" + out.string() + "' 2>&1 </dev/null";
  int result = std::system(line.c_str());
  if (status != nullptr) *status = WIFEXITED(result) ? WEXITSTATUS(result) : -1;
  return read_file(out);
}

fs::path empty_folder(const std::string& name) {
  fs::path folder =
      fs::path(::testing::TempDir()) / ("release_" + name + "_" + std::to_string(::getpid()));
  fs::remove_all(folder);
  fs::create_directories(folder);
  return folder;
}

// The module's gauge names, as `gaugeview list` prints them.
std::set<std::string> gauge_names(const fs::path& folder) {
  std::istringstream list(run(std::string(TAVREL_GAUGEVIEW) + " list --quiet", folder));
  std::set<std::string> names;
  std::string line;
  std::getline(list, line);  // the heading
  while (std::getline(list, line)) {
    std::istringstream fields(line);
    std::string position, name;
    if (fields >> position >> name) names.insert(name);
  }
  return names;
}

std::map<std::string, std::string> files_under(const fs::path& folder) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    if (entry.is_regular_file()) {
      files[fs::relative(entry.path(), folder).generic_string()] = read_file(entry.path());
    }
  }
  return files;
}

TEST(Release, CommittedGaugeReferenceIsTheOneTheBuildWrites) {
  const auto committed = files_under(kSource + "/docs/gauges");
  const auto built = files_under(kBuild + "/docs/gauges");
  ASSERT_TRUE(built.count("reference.md")) << "the build wrote no reference";
  for (const auto& [name, contents] : built) {
    auto other = committed.find(name);
    EXPECT_TRUE(other != committed.end() && other->second == contents)
        << "docs/gauges/" << name << " is stale or missing; run "
        << "cmake --build build/native --target update_gauge_reference";
  }
  for (const auto& [name, contents] : committed) {
    EXPECT_TRUE(built.count(name)) << "docs/gauges/" << name << " is no longer written";
  }
  // Every gauge of the module has its section, with both its pictures.
  const std::string& page = built.at("reference.md");
  const std::set<std::string> names = gauge_names(empty_folder("names"));
  ASSERT_EQ(names.size(), 51u);
  for (const std::string& name : names) {
    EXPECT_TRUE(std::regex_search(page, std::regex("\n## [0-9]+\\. " + name + "\n"))) << name;
    EXPECT_TRUE(built.count("reference/" + name + "-day.png")) << name;
    EXPECT_TRUE(built.count("reference/" + name + "-night.png")) << name;
  }
}

std::string base64_decode(const std::string& text) {
  auto value = [](char c) -> int {
    if (c >= 'A' && c <= 'Z') return c - 'A';
    if (c >= 'a' && c <= 'z') return c - 'a' + 26;
    if (c >= '0' && c <= '9') return c - '0' + 52;
    return c == '+' ? 62 : c == '/' ? 63 : -1;
  };
  std::string out;
  int bits = 0, held = 0;
  for (char c : text) {
    if (c == '=') break;
    int v = value(c);
    if (v < 0) return "";
    held = held << 6 | v;
    bits += 6;
    if (bits >= 8) {
      bits -= 8;
      out += static_cast<char>((held >> bits) & 0xff);
    }
  }
  return out;
}

// The values of every `name="..."` attribute of a page (std::regex would
// recurse too deep over pictures of many kilobytes).
std::vector<std::string> attribute_values(const std::string& page, const std::string& name) {
  std::vector<std::string> values;
  const std::string opening = " " + name + "=\"";
  for (size_t at = page.find(opening); at != std::string::npos; at = page.find(opening, at)) {
    at += opening.size();
    const size_t close = page.find('"', at);
    if (close == std::string::npos) break;
    values.push_back(page.substr(at, close - at));
    at = close;
  }
  return values;
}

TEST(Release, ManualNeedsNothingButItself) {
  const std::string page = read_file(kBuild + "/release/Manual.html");
  ASSERT_FALSE(page.empty());
  const std::vector<std::string> id_list = attribute_values(page, "id");
  const std::set<std::string> ids(id_list.begin(), id_list.end());
  // Every link leads to a place on the page.
  const std::vector<std::string> links = attribute_values(page, "href");
  for (const std::string& target : links) {
    EXPECT_TRUE(target.size() > 1 && target[0] == '#' && ids.count(target.substr(1)))
        << "a link that does not resolve on the page: " << target;
  }
  EXPECT_GT(links.size(), 51u);
  // Every picture is inside the page and decodes.
  const std::vector<std::string> pictures = attribute_values(page, "src");
  const std::string png = "data:image/png;base64,";
  for (const std::string& target : pictures) {
    ASSERT_EQ(target.rfind(png, 0), 0u) << "a picture outside the page: " << target.substr(0, 80);
    const std::string bytes = base64_decode(target.substr(png.size()));
    int w = 0, h = 0, channels = 0;
    unsigned char* pixels =
        stbi_load_from_memory(reinterpret_cast<const unsigned char*>(bytes.data()),
                              static_cast<int>(bytes.size()), &w, &h, &channels, 4);
    EXPECT_NE(pixels, nullptr) << "a picture does not decode";
    stbi_image_free(pixels);
  }
  EXPECT_EQ(pictures.size(), 2u * 51) << "a picture by day and at night for every gauge";
  EXPECT_EQ(page.find("<link"), std::string::npos);
  EXPECT_EQ(page.find("<script"), std::string::npos);
}

TEST(Release, ReadmeTxtIsPlainWindowsText) {
  const std::string text = read_file(kBuild + "/release/README.txt");
  ASSERT_FALSE(text.empty());
  for (size_t i = 0; i < text.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c == '\n') {
      ASSERT_TRUE(i > 0 && text[i - 1] == '\r') << "a line without CR LF at byte " << i;
    } else if (c == '\r') {
      ASSERT_TRUE(i + 1 < text.size() && text[i + 1] == '\n') << "a lone CR at byte " << i;
    } else {
      ASSERT_TRUE(c >= 0x20 && c < 0x7f) << "not plain ASCII at byte " << i << ": " << int(c);
    }
  }
  // What an author needs to install and configure: the version, the hours
  // file and the parameter strings.
  for (const char* needed : {TAVREL_VERSION, "Gauges\\Tavrel_Instr.gau", ".fhr",
                             "tRADIO_STACK_PANEL", "preview.bat", "Licence"}) {
    EXPECT_NE(text.find(needed), std::string::npos) << needed;
  }
}

// The sample panel's window backgrounds, as the art program drew them.
const char* const kPanelBitmaps[] = {"Tavrel_Main.bmp", "Tavrel_Radios.bmp", "Tavrel_Throttle.bmp",
                                     "Tavrel_Compass.bmp"};

// A BMP's width and height from its header (0, 0 when it is not one).
std::pair<int, int> bmp_size(const std::string& bytes) {
  if (bytes.size() < 26 || bytes.compare(0, 2, "BM") != 0) return {0, 0};
  auto int32 = [&bytes](size_t at) {
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = v << 8 | static_cast<unsigned char>(bytes[at + i]);
    return static_cast<int32_t>(v);
  };
  return {int32(18), std::abs(int32(22))};
}

// Each window of the sample panel as a panel of its own, its background
// bitmap beside it: gaugeview places every line of it and finds its bitmap
// without a warning, the bitmap is drawn at the window's design size, and
// the windows hold every gauge.
TEST(Release, SamplePanelPlacesEveryGaugeInItsWindows) {
  const std::string config = read_file(kSource + "/release/Panel/panel.cfg");
  const std::regex section("(^|\n)\\[Window[0-9]+\\]\n");
  std::vector<size_t> starts;
  for (std::sregex_iterator i(config.begin(), config.end(), section), end; i != end; ++i) {
    starts.push_back(i->position() + i->length(1));
  }
  ASSERT_EQ(starts.size(), 4u) << "the main panel, the radio stack, throttle and compass";
  // The hour meter writes gauges/NAME.fhr beside where gaugeview runs.
  const fs::path folder = empty_folder("sample");
  fs::create_directories(folder / "gauges");
  for (const char* bitmap : kPanelBitmaps) {
    fs::copy_file(kBuild + "/art/panel/" + bitmap, folder / bitmap);
  }
  std::set<std::string> placed;
  for (size_t w = 0; w < starts.size(); ++w) {
    std::string window = config.substr(
        starts[w], (w + 1 < starts.size() ? starts[w + 1] : config.size()) - starts[w]);
    window.replace(0, window.find(']') + 1, "[Window00]");
    const fs::path file = folder / ("window" + std::to_string(w) + ".cfg");
    std::ofstream(file) << window;
    int status = -1;
    const std::string out =
        run(std::string(TAVREL_GAUGEVIEW) + " panel " + file.string() + " --strict --state " +
                kSource + "/panels/cruise.state -o window.png",
            folder, &status);
    EXPECT_EQ(status, 0) << window << out;
    EXPECT_EQ(out.find("warning"), std::string::npos) << out;
    std::smatch bitmap, size;
    ASSERT_TRUE(std::regex_search(window, bitmap, std::regex("\nfile=(\\S+)\n"))) << window;
    ASSERT_TRUE(std::regex_search(window, size, std::regex("\nsize_mm=([0-9]+),([0-9]+)\n")));
    EXPECT_EQ(bmp_size(read_file(folder / bitmap[1].str())),
              std::make_pair(std::stoi(size[1]), std::stoi(size[2])))
        << bitmap[1] << " is not drawn at its window's size";
    const std::regex gauge_line("\ngauge[0-9]+=Tavrel_Instr!([A-Za-z0-9_]+)");
    for (std::sregex_iterator i(window.begin(), window.end(), gauge_line), end; i != end; ++i) {
      placed.insert((*i)[1]);
    }
  }
  EXPECT_EQ(placed, gauge_names(folder));
  // The hour meter keeps its hours in the file its string names.
  EXPECT_TRUE(fs::exists(folder / "gauges" / "Tavrel_Hours.fhr"));
}

// The main panel's bitmap names each switch on a placard under it, while
// the switches' places are in panel.cfg: each switch there must stand
// centred over a placard, so that moving one without the other is caught.
TEST(Release, EverySwitchStandsOverItsPlacard) {
  const std::string config = read_file(kSource + "/release/Panel/panel.cfg");
  int width = 0, height = 0, channels = 0;
  unsigned char* pixels =
      stbi_load((kBuild + "/art/panel/Tavrel_Main.bmp").c_str(), &width, &height, &channels, 3);
  ASSERT_NE(pixels, nullptr);
  // A placard's plate is near black; the switch strip around it is not.
  auto plate = [&](int x, int y) {
    if (x < 0 || y < 0 || x >= width || y >= height) return false;
    const unsigned char* p = pixels + (static_cast<size_t>(y) * width + x) * 3;
    return p[0] < 34 && p[1] < 34 && p[2] < 36;
  };
  for (const char* name : {"Magnetos_Switch", "Starter_Switch", "Avionics_Switch",
                           "Panel_Lights_Switch", "Nav_Lights_Switch", "Beacon_Lights_Switch",
                           "Strobe_Lights_Switch", "Landing_Lights_Switch", "Pitot_Heat"}) {
    std::smatch line;
    ASSERT_TRUE(std::regex_search(config, line,
                                  std::regex(std::string("\\ngauge[0-9]+=Tavrel_Instr!") + name +
                                             ", *([0-9]+), *([0-9]+), *([0-9]+)")))
        << name;
    const int x = std::stoi(line[1]), y = std::stoi(line[2]), w = std::stoi(line[3]);
    const int centre = x + w / 2;
    // The first plate row below the switch's top, then the plate's width
    // where its rows are widest (clear of its lettering).
    int top = y;
    while (top < y + 120 && !plate(centre, top)) ++top;
    ASSERT_LT(top, y + 120) << "no placard under " << name << " at x " << centre;
    int left = centre, right = centre;
    for (int row = top; row < top + 14; ++row) {
      if (!plate(centre, row)) continue;
      int l = centre, r = centre;
      while (plate(l - 1, row)) --l;
      while (plate(r + 1, row)) ++r;
      if (r - l > right - left) left = l, right = r;
    }
    EXPECT_LE(std::abs((left + right) / 2 - centre), 2)
        << name << " is centred at x " << centre << ", its placard at " << (left + right) / 2;
  }
  stbi_image_free(pixels);
}

TEST(Release, ZipHoldsExactlyTheReleasedFiles) {
  const fs::path zip =
      fs::path(TAVREL_DIST_DIR) / (std::string("Tavrel_Instr-") + TAVREL_VERSION + ".zip");
  if (!fs::exists(zip)) {
    GTEST_SKIP() << zip << " is not written yet: the win32 build writes it (./build.sh)";
  }
  const fs::path folder = empty_folder("zip");
  int status = -1;
  run(std::string(TAVREL_CMAKE) + " -E tar xf '" + zip.string() + "'", folder, &status);
  ASSERT_EQ(status, 0);
  fs::remove(folder / "run-output.txt");
  std::set<std::string> files;
  for (const auto& [name, contents] : files_under(folder)) files.insert(name);
  std::set<std::string> expected = {
      "Gauges/Tavrel_Instr.gau",
      "Panel/panel.cfg",
      "Panel/Tavrel_Main.bmp",
      "Panel/Tavrel_Radios.bmp",
      "Panel/Tavrel_Throttle.bmp",
      "Panel/Tavrel_Compass.bmp",
      "Preview/gaugeview.exe",
      "Preview/preview.bat",
      "Preview/fonts/DejaVuSans.ttf",
      "Preview/fonts/DejaVuSans-Bold.ttf",
      "Preview/fonts/LiberationSans-Regular.ttf",
      "Preview/fonts/LiberationSans-Bold.ttf",
      "Preview/fonts/DSEG14Classic-Regular.ttf",
      "Preview/fonts/DSEG14Classic-Bold.ttf",
      "Preview/fonts/DejaVu-licence.txt",
      "Preview/fonts/Liberation-licence.txt",
      "Preview/fonts/DSEG-licence.txt",
      "README.txt",
      "Manual.html",
  };
  EXPECT_EQ(files, expected);
  // What a Windows user opens in Notepad has CR LF line ends; the
  // documents are the ones this build wrote.
  for (const char* text : {"Panel/panel.cfg", "Preview/preview.bat", "README.txt"}) {
    const std::string contents = read_file(folder / text);
    EXPECT_EQ(std::regex_search(contents, std::regex("[^\r]\n")), false) << text;
  }
  EXPECT_EQ(read_file(folder / "README.txt"), read_file(kBuild + "/release/README.txt"));
  EXPECT_EQ(read_file(folder / "Manual.html"), read_file(kBuild + "/release/Manual.html"));
  for (const char* bitmap : kPanelBitmaps) {
    EXPECT_EQ(read_file(folder / "Panel" / bitmap), read_file(kBuild + "/art/panel/" + bitmap))
        << bitmap;
  }
  const std::string exe = read_file(folder / "Preview/gaugeview.exe");
  EXPECT_EQ(exe.substr(0, 2), "MZ");
}

}  // namespace
