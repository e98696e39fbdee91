#include "stats/PersonalStats.h"

namespace skarnwald {

const FleetTally* FindOwnFleet(const FleetTallyTree& tree, std::string_view ownCoords) {
    const FleetTally* own = nullptr;
    tree.visitPreOrder([&](const FleetTally& tally) {
        if (tally.coords != ownCoords)
            return false;
        own = &tally;
        return true;
    });
    return own;
}

void AddOwnFleetToPersonalRecord(const FleetTallyTree& tree, std::string_view ownCoords,
                                 IConversionStore& store) {
    const FleetTally* own = FindOwnFleet(tree, ownCoords);
    if (!own)
        return;
    ClassCounts losses{};
    for (int k = 0; k < kShipClassCount; ++k)
        losses[k] = own->Losses(k);
    store.AddPersonalFleet(losses, own->destroyedByFleet, own->lamedByFleet);
}

} // namespace skarnwald
