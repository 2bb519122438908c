// The switch click: a short PCM sound stored as the module's WAVE resource 10.
#ifndef TAVREL_RESOURCES_ART_CLICK_H
#define TAVREL_RESOURCES_ART_CLICK_H

#include <cstdint>
#include <vector>

namespace tavrel::art {

constexpr int kClickSampleRate = 22050;
constexpr int kClickSamples = 1914;  // about 87 ms, 3,828 bytes of 16-bit mono

// The click: a sharp contact transient with a second, softer latch contact a
// few milliseconds later, each ringing in a few fast-decaying resonances of
// the switch body, over a short low thump of the panel. Deterministic.
std::vector<int16_t> click_samples();

// The click as a RIFF/WAVE file: a 16-byte "fmt " chunk (PCM, mono, 22,050
// samples per second, 16 bits) and a "data" chunk of the samples.
std::vector<uint8_t> click_wav();

}  // namespace tavrel::art

#endif  // TAVREL_RESOURCES_ART_CLICK_H
