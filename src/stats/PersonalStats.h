#pragma once
// The own fleet's share of a converted report, added to the personal record.

#include "convert/ConversionServices.h"
#include "convert/FleetTally.h"

#include <string_view>

namespace skarnwald {

// The first record, in pre-order, whose coordinates equal the own ones.
const FleetTally* FindOwnFleet(const FleetTallyTree& tree, std::string_view ownCoords);

// Hands the own fleet's losses, kills and lamed ships to the store; does
// nothing when no fleet has the own coordinates.
void AddOwnFleetToPersonalRecord(const FleetTallyTree& tree, std::string_view ownCoords,
                                 IConversionStore& store);

} // namespace skarnwald
