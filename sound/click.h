// The switch click as the sounding switches use it: one sound slot a switch,
// filled at install, played on each click, emptied at pre-kill.
#pragma once

#include <cstdint>

namespace tavrel::sound {

// The seven sounding switches, one slot each.
enum SoundSlotIndex : int {
  kAvionicsSlot,
  kBeaconLightsSlot,
  kLandingLightsSlot,
  kNavLightsSlot,
  kStrobeLightsSlot,
  kPanelLightsSlot,
  kPitotHeatSlot,
  kSoundSlots,
};

// The click sound's resource: type "WAVE", id 10.
constexpr uint16_t kClickResource = 10;

// Install: keeps the module handle, finds the host window, makes the device
// and loads the click into the slot (what an earlier install left there is
// given back first).
void install_slot(int slot, uintptr_t module_handle);
// Pre-kill: gives back the slot's buffer, then its device.
void release_slot(int slot);
// A click: plays the slot's buffer once.
void play_slot(int slot);

}  // namespace tavrel::sound
