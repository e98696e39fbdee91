#pragma once
// The stored battles as the database browser lists them: battles found by a
// filter, and on demand a battle's fleet lines in side colours with the
// combat lines below each fleet line. Also deleting one battle or all.

#include "archive/Connection.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace skarnwald {

// Palette slots of the browser's list.
enum class BrowserColour { Default = 0, Red = 3, Blue = 4, Green = 5 };

struct BrowserItem {
    std::string text; // column 0, as stored (UTF-8)
    BrowserColour colour = BrowserColour::Default;
    std::int32_t battleId = 0; // column 1: the battle this item belongs to
    std::vector<BrowserItem> children;
};

enum class BattleOrder { NewestFirst, OldestFirst, Coords };

struct BattleFilter {
    // Part of the battle's coordinates or place, or of a fleet's coordinates
    // or owner; letters match in either case (text/CaseFold.h). Empty
    // matches every battle.
    std::string search;
    // Days "YYYY-MM-DD", both included; empty leaves that end open. A battle
    // without a date is left out once either end is set.
    std::string from, to;
    BattleOrder order = BattleOrder::OldestFirst;
};

struct StoredBattle {
    std::int32_t id = 0;
    std::string datum; // as stored, "YYYY-MM-DD HH:MM:SS"; "" when unknown
    std::string coords;
    std::string name;
};

// Nothing when a query failed (reported through the connection).
std::optional<std::vector<StoredBattle>> FindBattles(CConnection& connection, const BattleFilter& filter);

// Whether the archive holds any battle at all (false when the query failed,
// reported through the connection).
bool AnyBattleStored(CConnection& connection);

// The list row of a battle: date, bracketed coordinates and place.
BrowserItem BattleItemOf(const StoredBattle& battle);

// The fleet lines of one battle, each with its combat lines as children, in
// storing order; nothing when a query failed.
std::optional<std::vector<BrowserItem>> LoadFleetLines(CConnection& connection, std::int32_t battleId);

enum class DeleteOutcome { Deleted, Unknown, Failed };

// Deletes one battle with its fleet lines, combat lines, statistics rows and
// archive rows in one transaction. The personal record stays.
DeleteOutcome DeleteBattle(CConnection& connection, std::int32_t battleId);

// Empties Agility, Battle_Details, Battles and Statistik and the archive's
// rows of them; settings and the personal record stay. False when a
// statement failed (reported).
bool DeleteAllBattles(CConnection& connection);

} // namespace skarnwald
