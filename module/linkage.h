// The two records the host reads out of the module.
#pragma once

#include "module/records.h"

namespace tavrel {

// Gauges that have landed so far, plus the closing null pointer.
constexpr size_t kGaugeTableSlots = 1 + 1;
using ModuleLinkage = ModuleLinkageRecord<kGaugeTableSlots>;

}  // namespace tavrel

#if defined(_WIN32)
#define TAVREL_EXPORT __declspec(dllexport)
#else
#define TAVREL_EXPORT
#endif

extern "C" {
TAVREL_EXPORT extern tavrel::ModuleLinkage Linkage;
TAVREL_EXPORT extern tavrel::ImportTableRecord ImportTable;
}
