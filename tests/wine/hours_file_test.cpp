// The hour meter's hours file, for real: the module writes
// "gauges\<parameter string>.fhr" relative to the current folder when its
// gauge is killed, one line in text mode (CR LF), and reads it back at the
// next install.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "host/host.h"
#include "real_module.h"

namespace tavrel::wine {
namespace {

constexpr uint32_t kEngineTime = 607;  // seconds
constexpr char kGauge[] = "Hourmeter";
constexpr char kStem[] = "Tavrel Test";

// A fresh current folder with a gauges\ folder in it, removed afterwards.
class HoursFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(module_path().empty()) << "TAVREL_MODULE names the .gau under test";
    char previous[MAX_PATH];
    ASSERT_GT(GetCurrentDirectoryA(MAX_PATH, previous), 0u);
    previous_ = previous;
    char temp[MAX_PATH];
    ASSERT_GT(GetTempPathA(MAX_PATH, temp), 0u);
    folder_ = std::string(temp) + "tavrel-hours-" + std::to_string(GetCurrentProcessId());
    ASSERT_TRUE(CreateDirectoryA(folder_.c_str(), nullptr)) << folder_;
    ASSERT_TRUE(CreateDirectoryA((folder_ + "\\gauges").c_str(), nullptr));
    ASSERT_TRUE(SetCurrentDirectoryA(folder_.c_str()));
  }
  void TearDown() override {
    if (!previous_.empty()) SetCurrentDirectoryA(previous_.c_str());
    if (folder_.empty()) return;
    DeleteFileA(file().c_str());
    RemoveDirectoryA((folder_ + "\\gauges").c_str());
    RemoveDirectoryA(folder_.c_str());
  }

  std::string file() const { return folder_ + "\\gauges\\" + kStem + ".fhr"; }

  void write(const std::string& bytes) const {
    FILE* f = std::fopen(file().c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
  }

  std::string contents() const {
    std::vector<uint8_t> bytes = read_file(file());
    return std::string(bytes.begin(), bytes.end());
  }

  // One life of the gauge in a freshly loaded module: install with the
  // engine time at `from`, one update at `to`, kill.
  void run_meter(double from, double to) const {
    std::string error;
    auto binding = host::bind_module(module_path(), &error);
    ASSERT_NE(binding, nullptr) << error;
    host::Host host(std::move(binding));
    host.variables().set(kEngineTime, from);
    host::GaugeInstance& meter = host.place(kGauge, kStem);
    host.variables().set(kEngineTime, to);
    host.update();
    host.remove(meter);
  }

  std::string previous_;
  std::string folder_;
};

bool has_hour_meter() {
  std::string error;
  auto binding = host::bind_module(module_path(), &error);
  if (binding == nullptr) return false;
  host::Host host(std::move(binding));
  return host.find_gauge(kGauge) != nullptr;
}

TEST_F(HoursFolder, KillWritesTheTotalAndTheNextInstallReadsItBack) {
  ASSERT_TRUE(has_hour_meter()) << "no gauge named " << kGauge << " in the module's table";
  // 1234.5 hours on file, then half an hour of engine time.
  write("1234.5\r\n");
  run_meter(100.0, 1900.0);
  EXPECT_EQ(contents(), "1235.000000\r\n") << "one line, \"%f\", in text mode";

  // A new load of the module knows nothing but the file: it reads the line
  // it wrote, adds a quarter of an hour and writes it again.
  run_meter(5000.0, 5900.0);
  EXPECT_EQ(contents(), "1235.250000\r\n");
}

TEST_F(HoursFolder, NoFileIsWrittenWithoutAParameterString) {
  ASSERT_TRUE(has_hour_meter()) << "no gauge named " << kGauge << " in the module's table";
  std::string error;
  auto binding = host::bind_module(module_path(), &error);
  ASSERT_NE(binding, nullptr) << error;
  host::Host host(std::move(binding));
  host.remove(host.place(kGauge));
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder_ + "\\gauges\\*.fhr").c_str(), &found);
  EXPECT_EQ(search, INVALID_HANDLE_VALUE) << "wrote " << found.cFileName;
  if (search != INVALID_HANDLE_VALUE) FindClose(search);
}

}  // namespace
}  // namespace tavrel::wine
