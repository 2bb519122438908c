// A scripted run of every gauge of a module on the stand-in host, written
// as a deterministic text trace: the records the host read, the draw state
// of every element after each update, the host services the module called,
// the key events fired, the panel windows toggled and the tooltips.
//
// The native build runs it on the linked module and the win32 build on the
// real .gau; the two traces must be identical byte for byte, so every
// number is printed with integer arithmetic, never with the C library's
// floating-point formatting.
#pragma once

#include <string>
#include <vector>

#include "host/host.h"

namespace tavrel::hosttrace {

// The parameter strings every gauge is placed with: none, and a sample that
// holds the keys of the configurable gauges. It has no '/', '\\' or ':', so
// that it is also a usable file stem.
const std::vector<std::string>& parameter_strings();

// A double rounded to 1e-6, fixed notation ("-12.500000"); "nan", "inf" and
// "-inf" for the non-finite; zero never has a sign.
std::string fixed(double value);

// What the module asked of the host through its services table while the
// trace runs (the table's entries are wrapped for the run).
struct ServiceCalls {
  std::vector<uint32_t> lookups;                        // token numbers
  std::vector<std::pair<uint32_t, uint32_t>> triggers;  // event, value
  std::vector<uint32_t> toggles;                        // panel idents
};

class Tracer {
 public:
  // Wraps the host's services table; restores it when destroyed.
  explicit Tracer(host::Host& host);
  ~Tracer();
  Tracer(const Tracer&) = delete;
  Tracer& operator=(const Tracer&) = delete;

  // The whole sequence for one gauge with one parameter string; the gauge
  // is placed, exercised and removed again.
  void run_gauge(const GaugeHeader& gauge, const std::string& parameters);
  // Every gauge of the table, with every parameter string.
  void run_all();

  const std::string& text() const { return out_; }
  // Everything the module called since the tracer was made.
  const ServiceCalls& service_calls() const;

 private:
  void line(const std::string& text);
  void describe_records(host::GaugeInstance& instance);
  void report_step(host::GaugeInstance& instance, const std::string& what, bool update);
  void report_calls();
  void report_states(const host::GaugeInstance& instance);

  host::Host& host_;
  void* saved_[3] = {};
  std::string out_;
  size_t lookups_seen_ = 0;
  size_t triggers_seen_ = 0;
  size_t toggles_seen_ = 0;
};

}  // namespace tavrel::hosttrace
