// The hour meter names its file after its parameter string and reads a
// total from whatever the file holds: for any name and any contents, a real
// meter installs, counts and saves without leaving its buffers, its drums
// stay finite, and the file it writes holds one line with a finite number.
//
// Input: two bytes of name length, the name, eight bytes of engine time (a
// double, any bits), then the file's contents. Every run happens in a
// scratch folder of its own; ".." in a name is broken up so that no file
// lands outside it.
#include <unistd.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "host/host.h"
#include "module/records.h"

namespace {

constexpr uint32_t kEngineTime = 607;
constexpr size_t kPathRoom = 260;
constexpr size_t kDrums = 6;  // elements 1 to 6: hourglass, tenths, units ... thousands

// The scratch folder, and the folder the fuzzer was started in: each run
// goes into the first and comes back, so that the corpus and any finding
// are written where the fuzzer was asked to write them.
char scratch[] = "/tmp/tavrel-hourmeter-fuzz-XXXXXX";
std::filesystem::path started_in;

tavrel::host::Host& shared_host() {
  static tavrel::host::Host* host = [] {
    started_in = std::filesystem::current_path();
    if (mkdtemp(scratch) == nullptr) std::abort();
    std::atexit([] {
      std::error_code ignored;
      std::filesystem::remove_all(scratch, ignored);
    });
    if (!std::filesystem::create_directory(std::filesystem::path(scratch) / "gauges")) std::abort();
    return new tavrel::host::Host(tavrel::host::bind_module("", nullptr));
  }();
  return *host;
}

[[noreturn]] void finding() {
  std::filesystem::current_path(started_in);
  __builtin_trap();
}

std::string path_of(const std::string& stem) {
  return "gauges/" + stem + ".fhr";
}

void write_file(const std::string& path, const std::string& contents) {
  std::ofstream(path, std::ios::binary) << contents;
}

std::string read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// A saved total: digits with six decimals after an optional sign, a newline.
bool one_finite_line(const std::string& text) {
  if (text.empty() || text.back() != '\n' || text.find('\n') != text.size() - 1) return false;
  char* end = nullptr;
  const double hours = std::strtod(text.c_str(), &end);
  return std::isfinite(hours) && end == text.c_str() + text.size() - 1;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  tavrel::host::Host& host = shared_host();
  if (size < 2) return 0;
  size_t length = (data[0] | data[1] << 8) % 320;
  data += 2;
  size -= 2;
  if (length > size) length = size;
  std::string name(reinterpret_cast<const char*>(data), length);
  data += length;
  size -= length;
  double reading = 0.0;
  if (size >= sizeof reading) {
    std::memcpy(&reading, data, sizeof reading);
    data += sizeof reading;
    size -= sizeof reading;
  }
  const std::string contents(reinterpret_cast<const char*>(data), size);

  // The host passes the string up to its first NUL; keep it in the folder.
  name = name.substr(0, name.find('\0'));
  for (size_t i = name.find(".."); i != std::string::npos; i = name.find("..")) name[i + 1] = '_';

  std::filesystem::current_path(scratch);
  // A known total first: a meter that reads 0 hours and saves them.
  host.variables().set(kEngineTime, 0);
  write_file(path_of("start"), "0\n");
  host.remove(host.place("Hourmeter", "start"));

  const std::string path = path_of(name);
  const bool named = !name.empty() && path.size() < kPathRoom;
  if (named) write_file(path, contents);
  tavrel::host::GaugeInstance& meter = host.place("Hourmeter", name);
  host.variables().set(kEngineTime, reading);
  host.update();
  host.variables().set(kEngineTime, reading * 2);
  host.update();
  host.variables().set(kEngineTime, 1e308);
  host.update();
  for (size_t i = 1; i <= kDrums; ++i) {
    auto* drum = tavrel::element_as<tavrel::MovingImageElement>(meter.elements().at(i).element);
    if (!std::isfinite(drum->y.callback(&drum->header))) finding();
  }
  host.remove(meter);

  if (named) {
    // A file that opened for reading opens for writing too (a name that is
    // a folder, or runs through one that is missing, opens for neither).
    if (FILE* file = std::fopen(path.c_str(), "r")) {
      std::fclose(file);
      if (!one_finite_line(read_file(path))) finding();
    }
    std::remove(path.c_str());
  }
  std::filesystem::current_path(started_in);
  return 0;
}
