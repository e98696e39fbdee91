#pragma once
// The page of one stored battle, built from its rows as the converter would
// have written it.

#include "archive/Connection.h"

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>

namespace skarnwald {

// A stored battle row as its page heads it.
struct StoredBattleHeading {
    std::string date; // "%d.%m.%Y %H:%M:%S", "" when unknown
    std::string coords;
    std::string name;
};

// The heading of battle `battleId`, empty fields when there is no such
// battle; nothing when the query failed (reported).
std::optional<StoredBattleHeading> ReadStoredBattleHeading(CConnection& connection, std::int32_t battleId);

// Writes the page of one stored battle; false when a query failed (reported)
// or the stream did.
bool RenderStoredBattle(CConnection& connection, std::ostream& out, std::int32_t battleId);

} // namespace skarnwald
