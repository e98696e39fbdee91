#pragma once
// The stored battles as the database browser lists them: battles, their fleet
// lines in side colours, and the combat lines below each fleet line.

#include "db/Connection.h"

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

struct BattleTree {
    std::vector<BrowserItem> battles;
    // The battle "HTML erstellen" writes before the user selects one: the last
    // battle that has at least one fleet line, 0 when there is none.
    std::int32_t selectedBattleId = 0;
};

// Nothing when a query failed (reported through the connection).
std::optional<BattleTree> LoadBattleTree(CConnection& connection);

// Empties Agility, Battle_Details, Battles and Statistik; settings and the
// personal record stay. False when a statement failed (reported).
bool DeleteAllBattles(CConnection& connection);

} // namespace skarnwald
