#include "module/linkage.h"

#include <utility>

namespace {

// Module init and deinit: there is nothing to set up or tear down.
void TAVREL_STDCALL module_nothing() {}

// The module record: its fields, then the gauge table and its closing null.
template <size_t... kIndex>
constexpr tavrel::ModuleLinkage module_record(std::index_sequence<kIndex...>) {
  return {tavrel::kModuleId,
          module_nothing,
          module_nothing,
          0,
          0,
          tavrel::kModuleVersion,
          {tavrel::gauges::kGaugeTable[kIndex]..., nullptr}};
}

}  // namespace

extern "C" {

constinit tavrel::ModuleLinkage Linkage =
    module_record(std::make_index_sequence<std::size(tavrel::gauges::kGaugeTable)>());

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
