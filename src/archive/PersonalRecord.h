#pragma once
// The personal record as the personal statistics dialog and the command line
// show it: kills and losses per class with totals and ratios, and asteroids.

#include "archive/Connection.h"
#include "text/ShipClass.h"

#include <optional>
#include <string>

namespace skarnwald {

struct PersonalRecordView {
    PerClass<std::string> kills, losses, ratios; // texts as shown; ratios "%.2f" or ""
    std::string killsTotal, lossesTotal, totalRatio;
    std::string roidGain, roidLoss, roidRatio;
};

// Nothing when the query failed (reported through the connection).
std::optional<PersonalRecordView> LoadPersonalRecord(CConnection& connection);

// Zeroes every PersStat row (asteroids and lamed included) and forgets which
// battles were counted; false on failure.
bool ResetPersonalRecord(CConnection& connection);

// The view after a successful reset: every field reads "0".
PersonalRecordView ZeroedPersonalRecord();

} // namespace skarnwald
