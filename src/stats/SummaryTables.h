#pragma once
// The summary after the converted battles: one table per fleet in name order,
// then the attacking ("ATTER") and defending ("DEFFER") side tables.

#include "convert/FleetTally.h"
#include "convert/HtmlFragments.h"
#include "convert/SideList.h"

#include <string>

namespace skarnwald {

// Folds the last battle into the totals, then appends the tables to `out`.
void WriteSummaryTables(std::string& out, FleetTallyTree& tree, const SideList& sides);

// One summary table: heading row and the five value rows. `title` is report
// text and is escaped; the rows are ships, lamed, destroyed, losses, rest.
struct SummaryFigures {
    ClassCounts ships{}, lamed{}, destroyed{}, losses{};
};
void AppendSummaryTable(std::string& out, std::string_view background, std::string_view headingColour,
                        std::string_view title, const SummaryFigures& figures);

// The pieces of a summary table, for pages that build their rows themselves:
// the table start with its heading row, and one value row with its sum cell.
void AppendSummaryHeading(std::string& out, std::string_view background, std::string_view headingColour,
                          std::string_view title);
void AppendValueRow(std::string& out, const html::ValueRowStyle& style, const ClassCounts& values);

} // namespace skarnwald
