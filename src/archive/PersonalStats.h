#pragma once
// The own fleet's share of a converted report, added to the personal record.

#include "archive/ConversionStore.h"
#include "reading/FleetTally.h"

#include <cstdint>
#include <string_view>

namespace skarnwald {

// What a conversion, or one battle of it, adds to the personal record.
struct PersonalFigures {
    ClassCounts losses{}, destroyed{}, lamed{};
    std::int32_t roidGain = 0, roidLoss = 0;

    PersonalFigures& operator+=(const PersonalFigures& other);
    PersonalFigures& operator-=(const PersonalFigures& other);
};

// The first record, in pre-order, whose coordinates equal the own ones.
const FleetTally* FindOwnFleet(const FleetTallyTree& tree, std::string_view ownCoords);

// The own fleet's figures so far, the running battle's losses included before
// it is folded, with the asteroids counted so far. Two readings taken at a
// battle's start and end differ by that battle's share.
PersonalFigures PersonalFiguresSoFar(const FleetTallyTree& tree, std::string_view ownCoords,
                                     std::int32_t roidGain, std::int32_t roidLoss);

// Hands the own fleet's losses, kills and lamed ships, less `alreadyCounted`
// (the share of battles stored before), to the store; does nothing when no
// fleet has the own coordinates.
void AddOwnFleetToPersonalRecord(const FleetTallyTree& tree, std::string_view ownCoords,
                                 IConversionStore& store, const PersonalFigures& alreadyCounted = {});

} // namespace skarnwald
