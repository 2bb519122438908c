// The hour meter on the stand-in host: the drums as a mechanical counter,
// the module-wide total, and the hours file, in a scratch folder of its own.
#include <grp.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "host/host.h"

namespace tavrel {
namespace {

namespace fs = std::filesystem;

constexpr uint32_t kEngineTime = 607;
constexpr char kStem[] = "Tavrel Test";
// Elements of the meter: face, hourglass, tenths, units, tens, hundreds,
// thousands, glass.
constexpr size_t kHourglass = 1, kTenths = 2, kUnits = 3, kTens = 4, kHundreds = 5, kThousands = 6;
constexpr int kCell = 24;

class Hourmeter : public ::testing::Test {
 protected:
  void SetUp() override {
    previous_ = fs::current_path();
    char pattern[] = "/tmp/tavrel-hourmeter-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    folder_ = pattern;
    fs::create_directory(folder_ / "gauges");
    fs::current_path(folder_);
    // Every test starts from a known total: a file of 0 hours, read and
    // rewritten by a meter placed and removed at engine time 0.
    write("0\n");
    host.variables().set(kEngineTime, 0);
    host.remove(host.place("Hourmeter", kStem));
    ASSERT_EQ(contents(), "0.000000\n");
  }
  void TearDown() override {
    // Meters still placed save at their kill: let them, here, before the
    // current folder goes back.
    while (!host.instances().empty()) host.remove(*host.instances().back());
    fs::current_path(previous_);
    std::error_code ignored;
    fs::permissions(folder_ / "gauges", fs::perms::owner_all, ignored);
    fs::remove_all(folder_, ignored);
  }

  fs::path file(const std::string& stem = kStem) const {
    return folder_ / "gauges" / (stem + ".fhr");
  }
  void write(const std::string& text, const std::string& stem = kStem) const {
    std::ofstream(file(stem), std::ios::binary) << text;
  }
  std::string contents(const std::string& stem = kStem) const {
    std::ifstream in(file(stem), std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }

  // Sets the engine time and updates every meter.
  void run_to(double seconds) {
    host.variables().set(kEngineTime, seconds);
    host.update();
  }
  // The value a drum's callback gives for the current total, as the host
  // would use it.
  double drum(host::GaugeInstance& meter, size_t index) {
    auto* strip = element_as<MovingImageElement>(meter.elements().at(index).element);
    return strip->y.callback(&strip->header);
  }
  // Runs `body` as a user whom file permissions bind. Permissions do not
  // bind the superuser: run as root, the body runs in a child process that
  // has given the scratch folder to "nobody" and become that user.
  template <typename Body>
  void as_ordinary_user(Body body) {
    if (geteuid() != 0) {
      body();
      return;
    }
    // "nobody" must be able to pass through every folder above the scratch
    // folder (a chroot made in a private folder has a root of mode 0700).
    for (fs::path up = folder_.parent_path(); !up.empty(); up = up.parent_path()) {
      struct stat info {};
      if (stat(up.c_str(), &info) != 0 || (info.st_mode & S_IXOTH) == 0) {
        GTEST_SKIP() << "other users cannot pass through " << up << ", so no ordinary user "
                     << "can reach the scratch folder";
      }
      if (up == up.root_path()) break;
    }
    EXPECT_EXIT(
        {
          constexpr uid_t kNobody = 65534;
          for (const auto& entry : fs::recursive_directory_iterator(folder_)) {
            if (chown(entry.path().c_str(), kNobody, kNobody) != 0) _exit(2);
          }
          if (chown(folder_.c_str(), kNobody, kNobody) != 0 || setgroups(0, nullptr) != 0 ||
              setgid(kNobody) != 0 || setuid(kNobody) != 0) {
            _exit(2);
          }
          body();
          _exit(::testing::Test::HasFailure() ? 1 : 0);
        },
        ::testing::ExitedWithCode(0), "");
  }

  // The picture's shift behind the mask, in cells (0 shows cell 0).
  double cells(host::GaugeInstance& meter, size_t index) {
    const auto& offset = meter.elements().at(index).moving_offset;
    EXPECT_TRUE(offset.has_value());
    return offset ? -offset->y / static_cast<double>(kCell) : -1;
  }
  // The total the module holds, in hours, as it saves it.
  std::string saved_after_kill(host::GaugeInstance& meter) {
    host.remove(meter);
    return contents();
  }

  host::Host host{host::bind_module("", nullptr)};
  fs::path previous_;
  fs::path folder_;
};

TEST_F(Hourmeter, FileOf1234AndAHalfHoursShowsOnTheDrumsAndIsSavedUnchanged) {
  write("1234.5\n");
  auto& meter = host.place("Hourmeter", kStem);
  host.update();
  EXPECT_EQ(drum(meter, kThousands), 1 * 3600000.0);
  EXPECT_EQ(drum(meter, kHundreds), 2 * 360000.0);
  EXPECT_EQ(drum(meter, kTens), 3 * 36000.0);
  EXPECT_EQ(drum(meter, kUnits), 4 * 3600.0);
  EXPECT_EQ(drum(meter, kTenths), 5 * 360.0);
  // 4444200 s: the hourglass has no rest, it shows the total within its turn.
  EXPECT_EQ(drum(meter, kHourglass), std::fmod(4444200.0, 360.0));
  EXPECT_EQ(cells(meter, kThousands), 1);
  EXPECT_EQ(cells(meter, kHundreds), 2);
  EXPECT_EQ(cells(meter, kTens), 3);
  EXPECT_EQ(cells(meter, kUnits), 4);
  EXPECT_EQ(cells(meter, kTenths), 5);
  EXPECT_EQ(saved_after_kill(meter), "1234.500000\n");
}

TEST_F(Hourmeter, UnitsDrumRollsOnlyInTheLast36SecondsBeforeItsDigitChanges) {
  auto& meter = host.place("Hourmeter", kStem);
  run_to(3564);  // 0.99 h: the gap to 1 h is 36 s, still resting
  EXPECT_EQ(drum(meter, kUnits), 0);
  EXPECT_EQ(drum(meter, kTenths), 9 * 360.0);
  run_to(3582);  // halfway through the roll
  EXPECT_DOUBLE_EQ(drum(meter, kUnits), 1800);
  EXPECT_DOUBLE_EQ(drum(meter, kTenths), 3600 - 180);  // 9 halfway to 0 (cell 10)
  EXPECT_EQ(cells(meter, kUnits), 0.5);
  run_to(3600);
  EXPECT_EQ(drum(meter, kUnits), 3600);
  EXPECT_EQ(drum(meter, kTenths), 0);
  EXPECT_EQ(cells(meter, kUnits), 1);
}

TEST_F(Hourmeter, HigherDrumsRollTogetherWithTheDrumsBelowThem) {
  auto& meter = host.place("Hourmeter", kStem);
  run_to(35964);  // 9.99 h: every drum still rests
  EXPECT_EQ(drum(meter, kTens), 0);
  EXPECT_EQ(drum(meter, kUnits), 9 * 3600.0);
  EXPECT_EQ(drum(meter, kTenths), 9 * 360.0);
  run_to(35965);  // just above: tens 0 to 1, units 9 to 0, tenths 9 to 0
  EXPECT_GT(drum(meter, kTens), 0);
  EXPECT_LT(drum(meter, kTens), 36000);
  EXPECT_GT(drum(meter, kUnits), 9 * 3600.0);
  EXPECT_GT(drum(meter, kTenths), 9 * 360.0);
  EXPECT_EQ(drum(meter, kHundreds), 0) << "the hundreds drum does not move";
  run_to(36000);
  EXPECT_EQ(drum(meter, kTens), 36000);
  EXPECT_EQ(drum(meter, kUnits), 0);
  EXPECT_EQ(drum(meter, kTenths), 0);
}

TEST_F(Hourmeter, DrumsRollSmoothlyAcrossADigitChangeLikeACounter) {
  // A rendered sequence through 9.99 h to 10 h: every drum's shift grows
  // monotonically within its last 36 seconds and rests outside them.
  auto& meter = host.place("Hourmeter", kStem);
  double previous_tens = -1;
  for (double t = 35900; t <= 36010; t += 2) {
    run_to(t);
    const double tens = drum(meter, kTens);
    EXPECT_GE(tens, previous_tens) << t;
    if (t <= 35964) EXPECT_EQ(tens, 0) << t;
    if (t >= 36000) EXPECT_EQ(tens, 36000) << t;
    previous_tens = tens;
    // The units and tenths drums run towards their cell 10 (the 0 below 9).
    if (t > 35964 && t < 36000) {
      EXPECT_NEAR(drum(meter, kUnits) / 3600, 9 + (t - 35964) / 36, 1e-9) << t;
      EXPECT_NEAR(drum(meter, kTenths) / 360, 9 + (t - 35964) / 36, 1e-9) << t;
      EXPECT_NEAR(tens / 36000, (t - 35964) / 36, 1e-9) << t;
    }
  }
}

TEST_F(Hourmeter, TenThousandHoursShowAllZeros) {
  write("10000\n");
  auto& meter = host.place("Hourmeter", kStem);
  host.update();
  for (size_t drum_index : {kTenths, kUnits, kTens, kHundreds, kThousands}) {
    EXPECT_EQ(drum(meter, drum_index), 0) << drum_index;
    EXPECT_EQ(cells(meter, drum_index), 0) << drum_index;
  }
  EXPECT_EQ(saved_after_kill(meter), "10000.000000\n") << "the total itself keeps growing";
}

TEST_F(Hourmeter, OnlyRisesOfTheEngineTimeCount) {
  host.variables().set(kEngineTime, 100);
  auto& meter = host.place("Hourmeter", kStem);      // time before install is not counted
  run_to(500);                                       // +400
  run_to(20);                                        // falls: nothing, new base
  run_to(30);                                        // +10
  run_to(30);                                        // stays: nothing
  EXPECT_NEAR(drum(meter, kHourglass), 50, 1e-9);    // 410 s within the hourglass's 360
  EXPECT_EQ(saved_after_kill(meter), "0.113889\n");  // 410 s
}

TEST_F(Hourmeter, ARiseToInfinityOrPastTheLargestDoubleAddsNothing) {
  write("2\n");
  auto& meter = host.place("Hourmeter", kStem);
  run_to(INFINITY);  // from 0: an infinite rise
  run_to(0);
  run_to(1.7e308);  // 2 h plus this still fits ...
  run_to(-1.7e308);
  run_to(1.7e308);  // ... but this rise overflows
  run_to(1.7e308 + 0);
  EXPECT_TRUE(std::isfinite(drum(meter, kUnits)));
  host.remove(meter);
  const double saved = std::stod(contents());
  EXPECT_TRUE(std::isfinite(saved));
  EXPECT_GT(saved, 1e300 / 3600) << "the finite rise was counted";
}

TEST_F(Hourmeter, ASecondInstanceReloadsTheTotalAndBothSaveTheSame) {
  write("2\n");
  auto& first = host.place("Hourmeter", kStem);
  run_to(1800);  // 2.5 h
  // The second install reloads 2 h from the file: the half hour is dropped.
  auto& second = host.place("Hourmeter", kStem);
  run_to(1800 + 360);  // both update; the rise is added once
  EXPECT_EQ(drum(first, kTenths), 360);
  EXPECT_EQ(drum(second, kTenths), 360);
  host.remove(first);
  EXPECT_EQ(contents(), "2.100000\n");
  host.remove(second);
  EXPECT_EQ(contents(), "2.100000\n");
}

TEST_F(Hourmeter, WithoutParameterStringTheTotalLivesOnInMemoryOnly) {
  write("7\n");
  host.remove(host.place("Hourmeter", kStem));  // 7 h in memory
  auto& meter = host.place("Hourmeter");
  run_to(3600);
  EXPECT_EQ(drum(meter, kUnits), 8 * 3600.0);
  host.remove(meter);
  EXPECT_EQ(contents(), "7.000000\n") << "nothing written without a name";
  EXPECT_EQ(std::distance(fs::directory_iterator(folder_ / "gauges"), {}), 1);
}

TEST_F(Hourmeter, FirstLineReading) {
  struct Case {
    const char* line;
    const char* saved;
  };
  for (Case c :
       {Case{"12abc\n", "12.000000\n"}, Case{"  -3.5e1 hours\n", "-35.000000\n"},
        Case{"\n", "0.000000\n"}, Case{"hours\n", "0.000000\n"}, Case{"5.25", "5.250000\n"},
        Case{"inf\n", "0.000000\n"}, Case{"-infinity\n", "0.000000\n"}, Case{"nan\n", "0.000000\n"},
        Case{"1e400\n", "0.000000\n"}, Case{"1e307\n", "0.000000\n"},
        Case{"0x10\n", "0.000000\n"}}) {
    write("9\n");
    host.remove(host.place("Hourmeter", kStem));  // a known total of 9 h
    write(c.line);
    host.remove(host.place("Hourmeter", kStem));
    EXPECT_EQ(contents(), c.saved) << "first line " << c.line;
  }
}

TEST_F(Hourmeter, OnlyTheFirst49CharactersOfTheLineAreRead) {
  // 60 digits: 1 followed by 59 zeros, read as 1 followed by 48 zeros.
  write("1" + std::string(59, '0') + "\n");
  host.remove(host.place("Hourmeter", kStem));
  const std::string saved = contents();
  EXPECT_NEAR(std::atof(saved.c_str()) / 1e48, 1.0, 1e-9) << saved;
}

TEST_F(Hourmeter, AnEmptyOrMissingFileLeavesTheTotalAlone) {
  write("3\n");
  host.remove(host.place("Hourmeter", kStem));
  write("");
  host.remove(host.place("Hourmeter", kStem));
  EXPECT_EQ(contents(), "3.000000\n") << "an empty file keeps the total";
  fs::remove(file());
  auto& meter = host.place("Hourmeter", kStem);
  run_to(360);
  host.remove(meter);
  EXPECT_EQ(contents(), "3.100000\n") << "a missing file keeps it and the kill creates it";
}

TEST_F(Hourmeter, ANameThatIsAFolderIsNeitherReadNorWrittenAndLosesNothing) {
  write("4\n");
  host.remove(host.place("Hourmeter", kStem));  // 4 h
  fs::create_directory(file("folder"));
  auto& meter = host.place("Hourmeter", "folder");
  run_to(360);
  EXPECT_EQ(drum(meter, kUnits), 4 * 3600.0);
  EXPECT_EQ(drum(meter, kTenths), 360) << "4.1 h: the total carried on";
  host.remove(meter);
  EXPECT_TRUE(fs::is_directory(file("folder")));
}

TEST_F(Hourmeter, FilesWithoutPermissionLoseNothingElse) {
  as_ordinary_user([&] {
    write("4\n");
    host.remove(host.place("Hourmeter", kStem));  // 4 h
    // An unreadable file: the total carries on, and it cannot be written.
    write("99\n", "locked");
    fs::permissions(file("locked"), fs::perms::none);
    auto& unreadable = host.place("Hourmeter", "locked");
    run_to(360);
    EXPECT_EQ(drum(unreadable, kUnits), 4 * 3600.0);
    EXPECT_EQ(drum(unreadable, kTenths), 360);
    host.remove(unreadable);
    fs::permissions(file("locked"), fs::perms::owner_read);
    EXPECT_EQ(contents("locked"), "99\n");
    // A file that cannot be written: the kill saves nothing and the next
    // install reads the older file.
    fs::permissions(file(), fs::perms::owner_read);
    auto& meter = host.place("Hourmeter", kStem);
    run_to(720);
    host.remove(meter);
    EXPECT_EQ(contents(), "4.000000\n");
    auto& again = host.place("Hourmeter", kStem);
    host.update();
    EXPECT_EQ(drum(again, kTenths), 0);
    EXPECT_EQ(drum(again, kUnits), 4 * 3600.0);
  });
}

TEST_F(Hourmeter, NoGaugesFolderNoFileAndNoHarm) {
  write("6\n");
  host.remove(host.place("Hourmeter", kStem));
  fs::remove_all(folder_ / "gauges");
  auto& meter = host.place("Hourmeter", kStem);
  run_to(360);
  EXPECT_EQ(drum(meter, kTenths), 360) << "6.1 h";
  EXPECT_EQ(drum(meter, kUnits), 6 * 3600.0);
  host.remove(meter);
  EXPECT_FALSE(fs::exists(folder_ / "gauges"));
}

TEST_F(Hourmeter, ANameTooLongForItsBufferIsNeitherReadNorWritten) {
  // "gauges/" + stem + ".fhr" and the terminator must fit in 260 bytes.
  const std::string fits(260 - 1 - 7 - 4, 'h');
  const std::string too_long(fits + "h");
  write("8\n", fits);
  host.remove(host.place("Hourmeter", fits));
  EXPECT_EQ(contents(fits), "8.000000\n") << "the longest name that fits is used";

  // The name cut to the buffer would be ".../hhh...h.fh": a file there must
  // be neither read nor overwritten.
  const fs::path cut = folder_ / "gauges" / (too_long + ".fh");
  std::ofstream(cut) << "77\n";
  auto& meter = host.place("Hourmeter", too_long);
  run_to(360);
  EXPECT_EQ(drum(meter, kUnits), 8 * 3600.0) << "8.1 h: nothing read";
  EXPECT_EQ(drum(meter, kTenths), 360);
  host.remove(meter);
  std::ifstream in(cut);
  std::string line;
  std::getline(in, line);
  EXPECT_EQ(line, "77");
  EXPECT_EQ(std::distance(fs::directory_iterator(folder_ / "gauges"), {}), 3)
      << "the test's own file, the one that fits and the cut one; no other";
}

}  // namespace
}  // namespace tavrel
