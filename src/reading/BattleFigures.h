#pragma once
// The figures of one battle, taken from the tally tree before it folds the
// battle into the report's totals: ships brought and lost come from the
// battle's own counters, ships lamed and destroyed are what the report-wide
// counters grew by since the fleet's last battle.

#include "reading/FleetTally.h"
#include "reading/Redaction.h"
#include "reading/ReportSummary.h"
#include "reading/SideList.h"

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace skarnwald {

class CBattleFigures {
public:
    void Clear();
    // A fleet (tally name) that takes part in the current battle.
    void Note(std::string_view name);
    // The current battle's fleets in the order they were first noted; starts
    // the next battle.
    BattleSummary Close(const FleetTallyTree& tree, const SideList& sides, const CRedactor& redactor);

private:
    struct StringHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
    };
    struct Counted {
        ClassCounts lamed{}, destroyed{};
        bool inBattle = false;
    };
    std::unordered_map<std::string, Counted, StringHash, std::equal_to<>> fleets_;
    std::vector<const std::string*> battleFleets_;
    std::string lastNoted_;
};

} // namespace skarnwald
