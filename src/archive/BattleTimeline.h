#pragma once
// The personal figures over time: per day or per ISO week, the ships the own
// fleets lost and destroyed and the asteroids won and lost, read from the
// stored battles. Shared by the "Verlauf" dialog and `stats --by`.

#include "archive/Connection.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace skarnwald {

enum class TimelineStep { Day, Week };

struct TimelinePoint {
    std::string period; // "2026-03-05", or "2026-W10" for a week
    int battles = 0;
    std::int64_t shipsLost = 0;      // own fleets' losses (Statistik rows "Verlust")
    std::int64_t shipsDestroyed = 0; // enemy ships the own fleets destroyed (combat lines)
    std::int64_t roidsWon = 0;
    std::int64_t roidsLost = 0;
};

// The figures of one stored battle. The own fleets are those whose
// coordinates equal `ownCoords`: the defenders of a battle at the own planet
// and the fleets sent from it. Asteroids are known only for battles stored
// since the archive keeps them per battle.
struct BattleFigures {
    std::int32_t battleId = 0;
    std::string datum; // as stored
    std::int64_t shipsLost = 0, shipsDestroyed = 0, roidsWon = 0, roidsLost = 0;
};

// Every dated battle's figures in date order; nothing when a query failed.
std::optional<std::vector<BattleFigures>> LoadBattleFigures(CConnection& connection,
                                                            std::string_view ownCoords);

// The period a stored date falls in; nothing for a text that is no date.
std::optional<std::string> PeriodOf(std::string_view datum, TimelineStep step);

// Battles summed per period, periods in time order, only those with battles.
std::vector<TimelinePoint> SumPerPeriod(const std::vector<BattleFigures>& battles, TimelineStep step);

} // namespace skarnwald
