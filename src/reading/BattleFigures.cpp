#include "reading/BattleFigures.h"

namespace skarnwald {

void CBattleFigures::Clear() {
    fleets_.clear();
    battleFleets_.clear();
    lastNoted_.clear();
}

void CBattleFigures::Note(std::string_view name) {
    // Runs of lines by one fleet are the common case; they need no lookup.
    if (!battleFleets_.empty() && name == lastNoted_)
        return;
    lastNoted_.assign(name);
    auto it = fleets_.find(name);
    if (it == fleets_.end())
        it = fleets_.emplace(std::string(name), Counted{}).first;
    if (!it->second.inBattle) {
        it->second.inBattle = true;
        battleFleets_.push_back(&it->first);
    }
}

BattleSummary CBattleFigures::Close(const FleetTallyTree& tree, const SideList& sides,
                                    const CRedactor& redactor) {
    BattleSummary summary;
    for (const std::string* name : battleFleets_) {
        Counted& counted = fleets_.find(*name)->second;
        counted.inBattle = false;
        const FleetTally* tally = tree.find(*name);
        if (!tally)
            continue;
        FleetSummary fleet;
        fleet.name = std::string(redactor.Name(tally->name, tally->coords));
        fleet.coords = std::string(redactor.Coords(tally->coords));
        fleet.side = sides.FindSide(tally->coords);
        for (int k = 0; k < kShipClassCount; ++k) {
            fleet.figures.ships[k] = tally->BattleShips(k);
            fleet.figures.losses[k] = tally->BattleLosses(k);
            fleet.figures.lamed[k] = WrapSub(tally->lamedByFleet[k], counted.lamed[k]);
            fleet.figures.destroyed[k] = WrapSub(tally->destroyedByFleet[k], counted.destroyed[k]);
        }
        counted.lamed = tally->lamedByFleet;
        counted.destroyed = tally->destroyedByFleet;
        AddFleetSummary(summary, std::move(fleet));
    }
    battleFleets_.clear();
    lastNoted_.clear();
    return summary;
}

} // namespace skarnwald
