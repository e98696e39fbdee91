#pragma once
// The five Statistik rows stored per fleet and battle.

#include "archive/ConversionStore.h"
#include "reading/FleetTally.h"

#include <array>
#include <string_view>

namespace skarnwald {

struct StatisticsRow {
    std::string_view typ;
    std::int32_t sortId;
    ClassCounts values;
};

// In the order they are stored: Verlust, Gesamt, Rest, Lamed, Destroyed. The
// battle rows hold the current battle only; Lamed and Destroyed hold the
// fleet's totals from the start of the report.
std::array<StatisticsRow, 5> StatisticsRowsOf(const FleetTally& tally);

} // namespace skarnwald
