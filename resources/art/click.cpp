#include "click.h"

#include <algorithm>
#include <cmath>

namespace tavrel::art {
namespace {

constexpr double kPi = 3.14159265358979323846;

// A damped ringing: amplitude, frequency in Hz, decay time constant in seconds.
struct Mode {
  double amplitude, frequency, decay;
};

// Ringing of the rocker and its housing (high, quick) and of the panel (low).
constexpr Mode kModes[] = {
    {0.55, 2870.0, 0.0042}, {0.32, 5130.0, 0.0024}, {0.38, 1240.0, 0.0085},
    {0.22, 7400.0, 0.0012}, {0.26, 185.0, 0.0140},
};

// One contact at time `start` (seconds) with strength `gain`, added into out.
void add_contact(std::vector<double>& out, double start, double gain, uint32_t seed) {
  uint32_t state = seed;
  auto noise = [&state] {  // xorshift32, in [-1, 1)
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return static_cast<double>(state) / 2147483648.0 - 1.0;
  };
  const double dt = 1.0 / kClickSampleRate;
  double previous = 0;
  for (size_t i = 0; i < out.size(); ++i) {
    const double t = i * dt - start;
    if (t < 0) continue;
    // The impact itself: a burst of bright noise under a millisecond long.
    const double n = noise();
    const double bright = n - 0.6 * previous;  // tilt toward high frequencies
    previous = n;
    double v = 0.9 * bright * std::exp(-t / 0.00045);
    for (const Mode& mode : kModes) {
      v += mode.amplitude * std::sin(2 * kPi * mode.frequency * t) * std::exp(-t / mode.decay);
    }
    out[i] += gain * v;
  }
}

void put_u16(std::vector<uint8_t>& out, uint16_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}

void put_u32(std::vector<uint8_t>& out, uint32_t v) {
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<uint8_t>(v >> shift));
}

void put_tag(std::vector<uint8_t>& out, const char* tag) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(tag[i]));
}

}  // namespace

std::vector<int16_t> click_samples() {
  std::vector<double> signal(kClickSamples, 0.0);
  add_contact(signal, 0.0, 1.0, 0x9E3779B9u);      // the rocker snaps over
  add_contact(signal, 0.0062, 0.45, 0x7F4A7C15u);  // and lands on its stop

  // Fade the tail to silence over the last 12 ms so the sound ends cleanly.
  const int fade = kClickSampleRate * 12 / 1000;
  for (int i = 0; i < fade; ++i) {
    signal[kClickSamples - 1 - i] *= 0.5 - 0.5 * std::cos(kPi * i / fade);
  }

  double peak = 0;
  for (double v : signal) peak = std::max(peak, std::abs(v));
  const double gain = peak > 0 ? 0.85 * 32767.0 / peak : 0;
  std::vector<int16_t> samples(kClickSamples);
  for (int i = 0; i < kClickSamples; ++i) {
    samples[i] = static_cast<int16_t>(std::lround(std::clamp(signal[i] * gain, -32767.0, 32767.0)));
  }
  return samples;
}

std::vector<uint8_t> click_wav() {
  const std::vector<int16_t> samples = click_samples();
  const uint32_t data_bytes = static_cast<uint32_t>(samples.size() * 2);
  std::vector<uint8_t> out;
  out.reserve(44 + data_bytes);
  put_tag(out, "RIFF");
  put_u32(out, 4 + (8 + 16) + (8 + data_bytes));
  put_tag(out, "WAVE");
  put_tag(out, "fmt ");
  put_u32(out, 16);
  put_u16(out, 1);  // PCM
  put_u16(out, 1);  // mono
  put_u32(out, kClickSampleRate);
  put_u32(out, kClickSampleRate * 2);  // bytes per second
  put_u16(out, 2);                     // block alignment
  put_u16(out, 16);                    // bits per sample
  put_tag(out, "data");
  put_u32(out, data_bytes);
  for (int16_t s : samples) put_u16(out, static_cast<uint16_t>(s));
  return out;
}

}  // namespace tavrel::art
