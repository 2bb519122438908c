// The routines of the seven sounding switches: one gauge callback and one
// mouse function, given the switch's sound slot and key event.
#pragma once

#include "module/records.h"
#include "module/services.h"
#include "sound/click.h"

namespace tavrel::gauges {

// Install (2) loads the click into the slot; pre-kill (12) gives it back.
inline void sounding_switch_service(int slot, uint32_t service, uintptr_t extra) {
  if (service == kServiceInstall) {
    sound::install_slot(slot, extra);
  } else if (service == kServicePreKill) {
    sound::release_slot(slot);
  }
}

// The event first, so a silent module still switches; then the click.
inline int32_t sounding_switch_clicked(int slot, uint32_t event) {
  host_services::trigger_key_event(event, 0);
  sound::play_slot(slot);
  return 0;
}

template <int kSlot>
void TAVREL_STDCALL sounding_switch_callback(GaugeHeader* /*gauge*/, uint32_t service,
                                             uintptr_t extra) {
  sounding_switch_service(kSlot, service, extra);
}

template <int kSlot, uint32_t kEvent>
int32_t TAVREL_STDCALL sounding_switch_click(ClickPoint* /*point*/, uint32_t /*mouse_flags*/) {
  return sounding_switch_clicked(kSlot, kEvent);
}

}  // namespace tavrel::gauges
