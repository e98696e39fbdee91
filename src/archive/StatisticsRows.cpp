#include "archive/StatisticsRows.h"

#include "text/TextRules.h"

namespace skarnwald {

std::array<StatisticsRow, 5> StatisticsRowsOf(const FleetTally& tally) {
    ClassCounts total{}, losses{}, rest{};
    for (int k = 0; k < kShipClassCount; ++k) {
        total[k] = tally.BattleShips(k);
        losses[k] = tally.BattleLosses(k);
        rest[k] = WrapSub(total[k], losses[k]);
    }
    return {{{"Verlust", 4, losses},
             {"Gesamt", 1, total},
             {"Rest", 5, rest},
             {"Lamed", 2, tally.lamedByFleet},
             {"Destroyed", 3, tally.destroyedByFleet}}};
}

} // namespace skarnwald
