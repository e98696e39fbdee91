#pragma once
// An attack plan kept in a file, so an attack can be organised over hours:
// JSON with a format name and a version, holding the table rows as shown and
// the outgoing fleets read so far.

#include "planning/AttackPlan.h"

#include <optional>
#include <string>
#include <string_view>

namespace skarnwald {

inline constexpr int kPlanFileVersion = 1;

std::string SavePlanText(const AttackPlan& plan);

struct PlanLoadResult {
    std::optional<AttackPlan> plan;
    std::string error; // why the text is no plan, in the core's language
};
// Reads what SavePlanText wrote. Text that is no plan of a known version
// gives an error and no plan.
PlanLoadResult LoadPlanText(std::string_view text);

} // namespace skarnwald
