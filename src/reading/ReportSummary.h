#pragma once
// The figures behind a report's summary: per fleet and per side what was
// brought, lamed, destroyed and lost, as the walk hands them to its writers.

#include "reading/FleetTally.h"
#include "reading/SideList.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace skarnwald {

class CRedactor;

// Ships brought, lamed, destroyed and lost per class: one summary table's figures.
struct SummaryFigures {
    ClassCounts ships{}, lamed{}, destroyed{}, losses{};
};

// The figures of every fleet and side of a report (or of one battle): the
// numbers behind the summary tables, for every output to share. Names and
// coordinates are as they are to be shown.
struct FleetSummary {
    std::string name;
    std::string coords;
    std::optional<std::int32_t> side;
    SummaryFigures figures;
};
inline constexpr int kNoSideIndex = 2; // sides[] index of fleets without a side
struct ReportSummary {
    std::vector<FleetSummary> fleets;      // name order for a report, first-seen order for a battle
    std::array<SummaryFigures, 3> sides{}; // attacking, defending, without side
    std::array<std::int32_t, 3> fleetCounts{};
};
using BattleSummary = ReportSummary;

inline int SideIndex(std::optional<std::int32_t> side) {
    return side ? *side : kNoSideIndex;
}
void AddFigures(SummaryFigures& sum, const SummaryFigures& figures);
// Adds a fleet and counts it into its side.
void AddFleetSummary(ReportSummary& summary, FleetSummary fleet);

// A tally's figures over the whole report (the last battle folded in).
SummaryFigures FiguresOf(const FleetTally& tally);
// Every fleet of a folded tree in name order, with its side; `redactor` (may
// be null) decides how names and coordinates are shown.
ReportSummary SummarizeReport(const FleetTallyTree& tree, const SideList& sides, const CRedactor* redactor);

} // namespace skarnwald
