#include "module/linkage.h"

#include "module/gauge_table.h"

namespace {

// Module init and deinit: there is nothing to set up or tear down.
void TAVREL_STDCALL module_nothing() {}

}  // namespace

extern "C" {

tavrel::ModuleLinkage Linkage = {
    tavrel::kModuleId,
    module_nothing,
    module_nothing,
    0,
    0,
    tavrel::kModuleVersion,
    {
        &tavrel::gauges::battery_switch,
        nullptr,
    },
};

// The host writes its panel services table into the first entry before it
// calls any gauge code.
tavrel::ImportTableRecord ImportTable = {
    {tavrel::kPanelsImportId, nullptr},
    {0, nullptr},
};

}  // extern "C"

#if defined(_WIN32)
#include <windows.h>

// The library does nothing on load or unload, for any process or thread.
extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) {
  return TRUE;
}
#endif
