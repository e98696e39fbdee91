#include "archive/PersonalStats.h"

#include "text/TextRules.h"

namespace skarnwald {

namespace {

// Applies `op` (wrapping add or subtract) to every count of `into` and `other`.
void Combine(PersonalFigures& into, const PersonalFigures& other,
             std::int32_t (*op)(std::int32_t, std::int32_t)) {
    for (auto [to, from] :
         {std::pair{&into.losses, &other.losses}, std::pair{&into.destroyed, &other.destroyed},
          std::pair{&into.lamed, &other.lamed}})
        for (int k = 0; k < kShipClassCount; ++k)
            (*to)[k] = op((*to)[k], (*from)[k]);
    into.roidGain = op(into.roidGain, other.roidGain);
    into.roidLoss = op(into.roidLoss, other.roidLoss);
}

} // namespace

PersonalFigures& PersonalFigures::operator+=(const PersonalFigures& other) {
    Combine(*this, other, WrapAdd);
    return *this;
}

PersonalFigures& PersonalFigures::operator-=(const PersonalFigures& other) {
    Combine(*this, other, WrapSub);
    return *this;
}

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

PersonalFigures PersonalFiguresSoFar(const FleetTallyTree& tree, std::string_view ownCoords,
                                     std::int32_t roidGain, std::int32_t roidLoss) {
    PersonalFigures figures;
    figures.roidGain = roidGain;
    figures.roidLoss = roidLoss;
    if (const FleetTally* own = FindOwnFleet(tree, ownCoords)) {
        // Folding a battle adds its losses to the totals and nothing else.
        for (int k = 0; k < kShipClassCount; ++k)
            figures.losses[k] = WrapAdd(own->Losses(k), own->BattleLosses(k));
        figures.destroyed = own->destroyedByFleet;
        figures.lamed = own->lamedByFleet;
    }
    return figures;
}

void AddOwnFleetToPersonalRecord(const FleetTallyTree& tree, std::string_view ownCoords,
                                 IConversionStore& store, const PersonalFigures& alreadyCounted) {
    if (!FindOwnFleet(tree, ownCoords))
        return;
    PersonalFigures figures = PersonalFiguresSoFar(tree, ownCoords, 0, 0);
    figures -= alreadyCounted;
    store.AddPersonalFleet(figures.losses, figures.destroyed, figures.lamed);
}

} // namespace skarnwald
