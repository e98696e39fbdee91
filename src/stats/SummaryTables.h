#pragma once
// The summary after the converted battles: one table per fleet in name order,
// then the attacking ("ATTER") and defending ("DEFFER") side tables.

#include "convert/FleetTally.h"
#include "convert/HtmlFragments.h"
#include "convert/SideList.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace skarnwald {

class CRedactor;

// One summary table: heading row and the five value rows. `title` is report
// text and is escaped; the rows are ships, lamed, destroyed, losses, rest.
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

// The fleet tables and then the side tables of a summary.
void AppendSummaryTables(std::string& out, const ReportSummary& summary);
// Folds the last battle into the totals, then appends the tables to `out`.
void WriteSummaryTables(std::string& out, FleetTallyTree& tree, const SideList& sides);
void AppendSummaryTable(std::string& out, std::string_view background, std::string_view headingColour,
                        std::string_view title, const SummaryFigures& figures);

// The pieces of a summary table, for pages that build their rows themselves:
// the table start with its heading row, and one value row with its sum cell.
void AppendSummaryHeading(std::string& out, std::string_view background, std::string_view headingColour,
                          std::string_view title);
void AppendValueRow(std::string& out, const html::ValueRowStyle& style, const ClassCounts& values);

} // namespace skarnwald
