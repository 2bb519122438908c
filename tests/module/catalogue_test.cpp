// The catalogue holds every number the gauges use and nothing else: every
// token an element names or a callback looks up, every key event a mouse
// record names or module code fires, every help id a mouse list carries or
// the parameter language names.
#include "module/catalogue.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <set>
#include <string>

#include "host/host.h"
#include "module/element_walk.h"
#include "trace.h"

namespace tavrel {
namespace {

namespace fs = std::filesystem;

template <typename Entry, size_t kCount, typename Key>
std::set<uint32_t> numbers_of(const Entry (&table)[kCount], Key key) {
  std::set<uint32_t> numbers;
  for (const Entry& entry : table) numbers.insert(key(entry));
  EXPECT_EQ(numbers.size(), kCount) << "a number stands twice";
  return numbers;
}

// The two sets agree; otherwise says which numbers the catalogue lacks and
// which it holds for nothing.
void expect_same(const std::set<uint32_t>& used, const std::set<uint32_t>& listed,
                 const char* what) {
  std::string missing, unused;
  for (uint32_t n : used) {
    if (listed.count(n) == 0) missing += " " + std::to_string(n);
  }
  for (uint32_t n : listed) {
    if (used.count(n) == 0) unused += " " + std::to_string(n);
  }
  EXPECT_EQ(missing, "") << what << " the gauges use but the catalogue lacks";
  EXPECT_EQ(unused, "") << what << " the catalogue holds but no gauge uses";
}

template <typename Entry, size_t kCount>
void expect_unique_names(const Entry (&table)[kCount]) {
  std::set<std::string> names;
  for (const Entry& entry : table) EXPECT_TRUE(names.insert(entry.name).second) << entry.name;
}

TEST(Catalogue, HoldsEveryNumberTheGaugesUseAndNothingElse) {
  host::Host host(host::bind_module("", nullptr));
  std::set<uint32_t> tokens, events, help_ids;

  // What the records name.
  for (GaugeHeader* gauge : host.gauges()) {
    for_each_element(*gauge, [&](const ElementHeader& e, int) {
      const auto vars = source_vars(e);
      for (int i = 0; i < vars.count; ++i) {
        if (vars.vars[i]->id != 0) tokens.insert(vars.vars[i]->id);
      }
    });
    for (const MouseRect* r = gauge->mouse_rect; r != nullptr && r->type != kMouseEnd; ++r) {
      if (r->event_id != 0) events.insert(r->event_id);
      if (r->help_id != 0) help_ids.insert(r->help_id);
    }
  }
  // What module code asks for and fires: every gauge placed, swept and
  // clicked (hosttrace's run), and the view steps its sample string leaves.
  // In a folder of its own, where the hour meter finds no gauges folder to
  // write to.
  {
    const fs::path started_in = fs::current_path();
    const fs::path scratch =
        fs::temp_directory_path() / ("tavrel-catalogue-" + std::to_string(getpid()));
    fs::create_directories(scratch);
    fs::current_path(scratch);
    hosttrace::Tracer tracer(host);
    tracer.run_all();
    for (const char* steps : {"p1", "p0"}) {
      host::GaugeInstance& spot = host.place("View_Radios", steps);
      spot.click(10, 10);
      host.remove(spot);
    }
    for (uint32_t token : tracer.service_calls().lookups) tokens.insert(token);
    for (const auto& [event, value] : tracer.service_calls().triggers) events.insert(event);
    fs::current_path(started_in);
    fs::remove_all(scratch);
  }
  for (const catalogue::TooltipName& named : catalogue::kTooltipNames) help_ids.insert(named.id);

  expect_same(tokens, numbers_of(catalogue::kTokens, [](const auto& t) { return t.number; }),
              "tokens");
  expect_same(events, numbers_of(catalogue::kKeyEvents, [](const auto& e) { return e.number; }),
              "key events");
  expect_same(help_ids, numbers_of(catalogue::kTooltips, [](const auto& t) { return t.id; }),
              "help ids");
  numbers_of(catalogue::kPanelWindows, [](const auto& w) { return w.ident; });
  expect_unique_names(catalogue::kTokens);
  expect_unique_names(catalogue::kKeyEvents);
  expect_unique_names(catalogue::kPanelWindows);
}

}  // namespace
}  // namespace tavrel
