// The two records the host reads out of the module.
#pragma once

#include <iterator>

#include "module/gauge_table.h"
#include "module/records.h"

namespace tavrel {

// Every gauge of the table, plus the closing null pointer.
constexpr size_t kGaugeTableSlots = std::size(gauges::kGaugeTable) + 1;
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
